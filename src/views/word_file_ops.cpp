#include "views/word_file_ops.h"

#include <shellapi.h>
#include <shlobj.h>

#include <utility>

#include "base/file_path_win32.h"
#include "base/handles_win32.h"
#include "base/wide_text.h"
#include "data/folder_watcher_win32.h"
#include "data/word_file_commands.h"

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
    const UniqueHandle file(::CreateFileW(FileSystemPath(Wide(path)).c_str(), GENERIC_WRITE, 0,
                                          nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid() ? ERROR_SUCCESS : LastError();
}

DWORD RenameFile(const std::u16string& from, const std::u16string& to) {
    const std::wstring source = FileSystemPath(Wide(from)), target = FileSystemPath(Wide(to));
    if (!SameFileName(from, to) || from == to) {
        return Outcome(::MoveFileW(source.c_str(), target.c_str()));
    }
    // Only the letter case changes. Some systems answer success and keep the old name, so the
    // file goes through a name of its own first; a failure on the way back restores it.
    const std::wstring passage = source + L".renaming";
    if (!::MoveFileW(source.c_str(), passage.c_str())) return LastError();
    if (::MoveFileW(passage.c_str(), target.c_str())) return ERROR_SUCCESS;
    const DWORD error = LastError();
    ::MoveFileW(passage.c_str(), source.c_str());
    return error;
}

DWORD DeleteFiles(const std::u16string& folder, const std::vector<std::u16string>& names) {
    for (const std::u16string& name : names) {
        if (!::DeleteFileW(FileSystemPath(Wide(folder + name)).c_str())) return LastError();
    }
    return ERROR_SUCCESS;
}

std::wstring EditorCommandLine(const std::wstring& editor, const std::u16string& path) {
    // The program's own name first and the path quoted: editors take the first word as the
    // program, and a path with a blank would otherwise be read as two files. A name that the
    // plain path would turn into a device goes in the form that names the file.
    const std::u16string name = path.substr(path.find_last_of(u'\\') + 1);
    return L"\"" + editor + L"\" \"" +
           (IsPlainFileName(name) ? Wide(path) : FileSystemPath(Wide(path))) + L"\"";
}

DWORD StartProgramOn(const std::wstring& editor, const std::u16string& path) {
    // CreateProcessW may write into the command line, so it is a buffer of its own.
    std::wstring commandLine = EditorCommandLine(editor, path);
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
    : m_watcher(watcher),
      m_dataFolderPath(std::move(dataFolderPath)),
      m_pendingBefore(std::exchange(watcher.changePending, false)) {
    m_watcher.Stop();
}

WatcherPause::~WatcherPause() {
    // A change from outside that came before the pause is still to be reported: the command
    // may have failed and reload nothing (a reload clears it).
    m_watcher.changePending = m_watcher.changePending || m_pendingBefore;
    try {
        m_watcher.Restart(m_dataFolderPath);
    } catch (...) {
        // Out of memory for a new watcher: the folder goes unwatched until the next restart.
    }
}
