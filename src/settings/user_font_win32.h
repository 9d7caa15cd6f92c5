#pragma once
// The user font as a GDI font: made from the stored description, deleted by its owner.
#include "settings/app_settings.h"
#include "settings/font_object.h"

#include <windows.h>

LOGFONTW ToLogFontW(const LogFont& font);
LogFont FromLogFontW(const LOGFONTW& font);

// Nothing when GDI cannot make the font.
std::unique_ptr<FontObject> MakeUserFontWin32(const LogFont& font);

// The record's current user font, for the views that draw with it.
inline HFONT UserFontHandle(const AppSettings& settings) {
    return static_cast<HFONT>(settings.UserFontHandle());
}
