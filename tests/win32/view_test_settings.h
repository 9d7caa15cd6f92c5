#pragma once
// A settings record for the window tests of one view: its own registry key and its own empty
// data folder, with the process-wide vocabulary cache reading this record while it lives.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "data/folder_watcher_win32.h"
#include "data/vocabulary_cache.h"
#include "settings/app_settings.h"
#include "settings/app_settings_win32.h"

namespace view_test {

class BoundSettings {
public:
    // `name` tells the key HKCU\Software\MemorionTests\<name>-<pid> and the folder apart.
    explicit BoundSettings(const std::wstring& name)
        : m_key(L"Software\\MemorionTests\\" + name + L"-" +
                std::to_wstring(::GetCurrentProcessId())) {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str());
        wchar_t temp[MAX_PATH]{};
        ::GetTempPathW(MAX_PATH, temp);
        m_folder = std::wstring(temp) + L"memorion-" + name + L"-" +
                   std::to_wstring(::GetCurrentProcessId()) + L"\\";
        ::CreateDirectoryW(m_folder.c_str(), nullptr);
        m_settings = std::make_unique<AppSettings>(SettingsSeamsWin32(m_key));
        m_settings->DataFolder = std::u16string(m_folder.begin(), m_folder.end());
        VocabularyCache::BindSettings(m_settings.get());
    }
    ~BoundSettings() {
        StopFolderWatcher();
        VocabularyCache::BindSettings(nullptr);
        m_settings.reset();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\MemorionTests");  // only when empty
        for (const std::wstring& name : m_files) ::DeleteFileW((m_folder + name).c_str());
        ::RemoveDirectoryW(m_folder.c_str());
    }
    BoundSettings(const BoundSettings&) = delete;
    BoundSettings& operator=(const BoundSettings&) = delete;

    AppSettings& operator*() { return *m_settings; }
    AppSettings* operator->() { return m_settings.get(); }
    // The data folder, with its trailing backslash.
    const std::wstring& Folder() const { return m_folder; }
    const std::wstring& Key() const { return m_key; }

    // Writes a word file (ASCII lines) into the data folder; it is removed with the folder.
    void AddWordFile(const std::wstring& name, const std::string& content) {
        HANDLE file = ::CreateFileW((m_folder + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        DWORD written = 0;
        ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        ::CloseHandle(file);
        m_files.push_back(name);
    }

private:
    std::wstring m_key;
    std::wstring m_folder;
    std::vector<std::wstring> m_files;
    std::unique_ptr<AppSettings> m_settings;
};

// The folder the process-wide watcher watches now; empty when there is none.
inline std::wstring WatchedFolder() {
    const auto& watcher = TheWatcherSlot().watcher;
    return watcher ? watcher->Path() : std::wstring();
}

}  // namespace view_test
