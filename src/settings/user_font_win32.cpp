#include "settings/user_font_win32.h"

#include <bit>
#include <cstddef>

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

// LogFont keeps LOGFONTW's layout byte for byte, so the two convert by copying.
static_assert(sizeof(LogFont) == sizeof(LOGFONTW));
static_assert(offsetof(LogFont, lfItalic) == offsetof(LOGFONTW, lfItalic));
static_assert(offsetof(LogFont, lfFaceName) == offsetof(LOGFONTW, lfFaceName));

LOGFONTW ToLogFontW(const LogFont& font) {
    auto lf = std::bit_cast<LOGFONTW>(font);
    // A stored face may fill all 32 units; GDI expects a terminated name.
    lf.lfFaceName[LF_FACESIZE - 1] = L'\0';
    return lf;
}

LogFont FromLogFontW(const LOGFONTW& lf) {
    return std::bit_cast<LogFont>(lf);
}

std::unique_ptr<FontObject> MakeUserFontWin32(const LogFont& font) {
    const LOGFONTW lf = ToLogFontW(font);
    const HFONT handle = CreateFontIndirectW(&lf);
    if (!handle) return nullptr;
    return std::make_unique<UserFontWin32>(handle);
}
