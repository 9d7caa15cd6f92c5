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

// A settings record on HKCU\Software\MemorionTests\<name>-<pid>, reading `dataFolder` (with
// its trailing backslash), that the process-wide vocabulary cache follows while it lives. The
// key is removed at the end; no test touches the program's own key.
class TestRecord {
public:
    TestRecord(const std::wstring& name, const std::wstring& dataFolder)
        : m_key(L"Software\\MemorionTests\\" + name + L"-" +
                std::to_wstring(::GetCurrentProcessId())) {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str());
        m_settings = std::make_unique<AppSettings>(SettingsSeamsWin32(m_key));
        m_settings->DataFolder = std::u16string(dataFolder.begin(), dataFolder.end());
        VocabularyCache::BindSettings(m_settings.get());
    }
    ~TestRecord() {
        StopFolderWatcher();
        VocabularyCache::BindSettings(nullptr);
        m_settings.reset();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\MemorionTests");  // only when empty
    }
    TestRecord(const TestRecord&) = delete;
    TestRecord& operator=(const TestRecord&) = delete;

    AppSettings& operator*() { return *m_settings; }
    AppSettings* operator->() { return m_settings.get(); }
    const std::wstring& Key() const { return m_key; }

private:
    std::wstring m_key;
    std::unique_ptr<AppSettings> m_settings;
};

// An empty folder under the temporary folder, removed with every file in it at the end.
class TempDataFolder {
public:
    explicit TempDataFolder(const std::wstring& name) {
        wchar_t temp[MAX_PATH]{};
        ::GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + L"memorion-" + name + L"-" +
                 std::to_wstring(::GetCurrentProcessId()) + L"\\";
        Remove();  // left over from a run that was killed
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~TempDataFolder() { Remove(); }
    TempDataFolder(const TempDataFolder&) = delete;
    TempDataFolder& operator=(const TempDataFolder&) = delete;

    // With its trailing backslash.
    const std::wstring& Path() const { return m_path; }

    // Writes a word file (8-bit text, one entry a line) as the whole file.
    void Write(const std::wstring& name, const std::string& content) const {
        HANDLE file = ::CreateFileW((m_path + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        DWORD written = 0;
        ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        ::CloseHandle(file);
    }

private:
    void Remove() const {
        WIN32_FIND_DATAW found{};
        HANDLE search = ::FindFirstFileW((m_path + L"*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                ::DeleteFileW((m_path + found.cFileName).c_str());
            } while (::FindNextFileW(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryW(m_path.c_str());
    }

    std::wstring m_path;
};

// A test record with an empty data folder of its own. The record goes first at the end, so
// the watcher has stopped before the folder is removed.
class BoundSettings {
public:
    // `name` tells the key and the folder apart.
    explicit BoundSettings(const std::wstring& name) : m_folder(name), m_record(name, m_folder.Path()) {}

    AppSettings& operator*() { return *m_record; }
    AppSettings* operator->() { return &*m_record; }
    // The data folder, with its trailing backslash.
    const std::wstring& Folder() const { return m_folder.Path(); }
    const std::wstring& Key() const { return m_record.Key(); }
    void AddWordFile(const std::wstring& name, const std::string& content) {
        m_folder.Write(name, content);
    }

private:
    TempDataFolder m_folder;
    TestRecord m_record;
};

// The folder the process-wide watcher watches now; empty when there is none.
inline std::wstring WatchedFolder() {
    const auto& watcher = TheWatcherSlot().watcher;
    return watcher ? watcher->Path() : std::wstring();
}

}  // namespace view_test
