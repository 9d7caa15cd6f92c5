#include "settings/user_font_win32.h"

#include <algorithm>

#include "base/handles_win32.h"

namespace {

class UserFontWin32 final : public FontObject {
public:
    explicit UserFontWin32(HFONT font) : font_(font) {}

    void* Handle() const noexcept override { return font_; }

private:
    const GdiObject<HFONT> font_;
};

}  // namespace

LOGFONTW ToLogFontW(const LogFont& font) {
    LOGFONTW lf{};
    lf.lfHeight = font.lfHeight;
    lf.lfWidth = font.lfWidth;
    lf.lfEscapement = font.lfEscapement;
    lf.lfOrientation = font.lfOrientation;
    lf.lfWeight = font.lfWeight;
    lf.lfItalic = font.lfItalic;
    lf.lfUnderline = font.lfUnderline;
    lf.lfStrikeOut = font.lfStrikeOut;
    lf.lfCharSet = font.lfCharSet;
    lf.lfOutPrecision = font.lfOutPrecision;
    lf.lfClipPrecision = font.lfClipPrecision;
    lf.lfQuality = font.lfQuality;
    lf.lfPitchAndFamily = font.lfPitchAndFamily;
    std::copy(std::begin(font.lfFaceName), std::end(font.lfFaceName), lf.lfFaceName);
    // A stored face may fill all 32 units; GDI expects a terminated name.
    lf.lfFaceName[LF_FACESIZE - 1] = L'\0';
    return lf;
}

LogFont FromLogFontW(const LOGFONTW& lf) {
    LogFont font;
    font.lfHeight = lf.lfHeight;
    font.lfWidth = lf.lfWidth;
    font.lfEscapement = lf.lfEscapement;
    font.lfOrientation = lf.lfOrientation;
    font.lfWeight = lf.lfWeight;
    font.lfItalic = lf.lfItalic;
    font.lfUnderline = lf.lfUnderline;
    font.lfStrikeOut = lf.lfStrikeOut;
    font.lfCharSet = lf.lfCharSet;
    font.lfOutPrecision = lf.lfOutPrecision;
    font.lfClipPrecision = lf.lfClipPrecision;
    font.lfQuality = lf.lfQuality;
    font.lfPitchAndFamily = lf.lfPitchAndFamily;
    std::copy(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), font.lfFaceName);
    return font;
}

std::unique_ptr<FontObject> MakeUserFontWin32(const LogFont& font) {
    const LOGFONTW lf = ToLogFontW(font);
    const HFONT handle = CreateFontIndirectW(&lf);
    if (!handle) return nullptr;
    return std::make_unique<UserFontWin32>(handle);
}
