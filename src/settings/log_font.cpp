#include "settings/log_font.h"

#include <algorithm>

std::u16string_view LogFont::FaceName() const noexcept {
    const char16_t* end = std::find(std::begin(lfFaceName), std::end(lfFaceName), u'\0');
    return {lfFaceName, static_cast<std::size_t>(end - lfFaceName)};
}

void LogFont::SetFaceName(std::u16string_view face) noexcept {
    std::fill(std::begin(lfFaceName), std::end(lfFaceName), u'\0');
    std::copy_n(face.begin(), std::min(face.size(), kFaceSize - 1), lfFaceName);
}

LogFont DefaultUserFont() {
    LogFont font;
    font.lfHeight = -16;
    font.lfCharSet = 1;  // DEFAULT_CHARSET
    font.SetFaceName(u"MS Shell Dlg");
    return font;
}
