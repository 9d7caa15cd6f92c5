#include "views/word_file_ops.h"

#include <shellapi.h>
#include <shlobj.h>

#include "base/handles_win32.h"
#include "base/wide_text.h"
#include "data/folder_watcher_win32.h"

namespace {

// A failure that set no error code still reads as one.
DWORD LastError() {
    const DWORD error = ::GetLastError();
    return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
}

DWORD Outcome(BOOL succeeded) {
    return succeeded ? ERROR_SUCCESS : LastError();
}

}  // namespace

std::uint32_t& NewFileCounter() {
    static std::uint32_t counter = 1;
    return counter;
}

DWORD CreateDataFolder(const std::u16string& dataFolderPath) {
    const std::wstring folder = WatchedPath(dataFolderPath);
    // Looked at first: creating a drive's root fails with a denial, not with "exists".
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ERROR_ALREADY_EXISTS : ERROR_DIRECTORY;
    }
    return Outcome(::CreateDirectoryW(folder.c_str(), nullptr));
}

DWORD CreateEmptyFile(const std::u16string& path) {
    const UniqueHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    return file == INVALID_HANDLE_VALUE ? LastError() : ERROR_SUCCESS;
}

DWORD RenameFile(const std::u16string& from, const std::u16string& to) {
    return Outcome(::MoveFileW(Wide(from).c_str(), Wide(to).c_str()));
}

DWORD DeleteFiles(const std::u16string& folder, const std::vector<std::u16string>& names) {
    for (const std::u16string& name : names) {
        if (!::DeleteFileW(Wide(folder + name).c_str())) return LastError();
    }
    return ERROR_SUCCESS;
}

DWORD StartProgramOn(const std::wstring& editor, const std::u16string& path) {
    // CreateProcessW may write into the command line, so it gets a buffer of its own.
    std::wstring commandLine = L" " + Wide(path);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(editor.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        return LastError();
    }
    const UniqueHandle thread(process.hThread), started(process.hProcess);  // not waited for
    return ERROR_SUCCESS;
}

DWORD StartEditor(const std::u16string& path) {
    wchar_t windows[MAX_PATH]{};
    if (!::SHGetSpecialFolderPathW(nullptr, windows, CSIDL_WINDOWS, FALSE)) return LastError();
    return StartProgramOn(std::wstring(windows) + L"\\notepad.exe", path);
}

DWORD OpenFolderWindow(const std::u16string& dataFolderPath) {
    const HINSTANCE shown = ::ShellExecuteW(nullptr, L"explore", Wide(dataFolderPath).c_str(),
                                            nullptr, nullptr, SW_SHOWNORMAL);
    return Outcome(reinterpret_cast<INT_PTR>(shown) > 32);
}

WatcherPause::WatcherPause(WatcherSlot& watcher, std::u16string dataFolderPath)
    : m_watcher(watcher), m_dataFolderPath(std::move(dataFolderPath)) {
    m_watcher.Stop();
    m_watcher.changePending = false;
}

WatcherPause::~WatcherPause() {
    try {
        m_watcher.Restart(m_dataFolderPath);
    } catch (...) {
        // Out of memory for a new watcher: the folder goes unwatched until the next restart.
    }
}
