#pragma once
// How the program builds its settings record on Windows, given the key to use, so that tests
// build it the same way on keys of their own.
#include "settings/app_settings.h"

#include <string>

// The registry store on HKEY_CURRENT_USER\<subKey>, GDI fonts and the running program's path.
AppSettings::Seams SettingsSeamsWin32(std::wstring subKey);
