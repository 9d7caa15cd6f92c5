#include "settings/app_settings_win32.h"

#include "settings/registry_store_win32.h"
#include "settings/user_font_win32.h"

#include <windows.h>

#include "base/wide_text.h"

namespace {

// The full path of the running program, read whole whatever its length; empty on failure. A
// truncated path would put the data folder somewhere else, hence no fixed buffer.
std::u16string ExecutablePathWin32() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD got = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (got == 0) return {};
        if (got < path.size()) {
            path.resize(got);
            break;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
    return U16(path);
}

// Saves when the process ends normally; static objects made after the record (every other
// process-wide object uses it first) are destroyed before it, so this is the last word.
struct SavedAtExit {
    AppSettings settings;
    SavedAtExit() : settings(SettingsSeamsWin32(L"Software\\Korvanta\\Memorion")) {}
    ~SavedAtExit() { settings.Save(); }
};

}  // namespace

AppSettings::Seams SettingsSeamsWin32(std::wstring subKey) {
    return AppSettings::Seams{std::make_unique<RegistryStoreWin32>(std::move(subKey)),
                              MakeUserFontWin32, ExecutablePathWin32()};
}

AppSettings& AppSettings::Instance() {
    static SavedAtExit instance;
    return instance.settings;
}
