#include "views/word_file_ops.h"

#include <shellapi.h>
#include <shlobj.h>

#include "base/wide_text.h"
#include "data/folder_watcher_win32.h"

std::uint32_t& NewFileCounter() {
    static std::uint32_t counter = 1;
    return counter;
}

FolderCreation CreateDataFolder(const std::u16string& dataFolderPath) {
    std::u16string folder = dataFolderPath;
    if (!folder.empty()) folder.pop_back();  // the trailing backslash
    if (::CreateDirectoryW(Wide(folder).c_str(), nullptr)) return FolderCreation::Created;
    return ::GetLastError() == ERROR_ALREADY_EXISTS ? FolderCreation::Existed
                                                    : FolderCreation::Failed;
}

DWORD CreateEmptyFile(const std::u16string& path) {
    HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
    }
    ::CloseHandle(file);
    return ERROR_SUCCESS;
}

bool RenameFile(const std::u16string& from, const std::u16string& to) {
    return ::MoveFileW(Wide(from).c_str(), Wide(to).c_str()) != FALSE;
}

std::size_t DeleteFiles(const std::u16string& folder, const std::vector<std::u16string>& names) {
    std::size_t deleted = 0;
    for (const std::u16string& name : names) {
        if (!::DeleteFileW(Wide(folder + name).c_str())) break;
        ++deleted;
    }
    return deleted;
}

bool StartProgramOn(const std::wstring& editor, const std::u16string& path) {
    // CreateProcessW may write into the command line, so it gets a buffer of its own.
    std::wstring commandLine = L" " + Wide(path);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(editor.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, nullptr, &startup, &process)) {
        return false;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

bool StartEditor(const std::u16string& path) {
    wchar_t windows[MAX_PATH]{};
    if (!::SHGetSpecialFolderPathW(nullptr, windows, CSIDL_WINDOWS, FALSE)) return false;
    return StartProgramOn(std::wstring(windows) + L"\\notepad.exe", path);
}

void OpenFolderWindow(const std::u16string& dataFolderPath) {
    ::ShellExecuteW(nullptr, L"explore", Wide(dataFolderPath).c_str(), nullptr, nullptr,
                    SW_SHOWNORMAL);
}

WatcherPause::WatcherPause(std::u16string dataFolderPath)
    : m_dataFolderPath(std::move(dataFolderPath)) {
    TheWatcherSlot().Stop();
    TheWatcherSlot().changePending = false;
}

WatcherPause::~WatcherPause() {
    try {
        TheWatcherSlot().Restart(m_dataFolderPath);
    } catch (...) {
        // Out of memory for a new watcher: the folder goes unwatched until the next restart.
    }
}
