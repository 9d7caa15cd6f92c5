#pragma once
// What the home view's file commands ask of the system, one call each, so that the view only
// decides which message to show. Paths are full paths in the data folder. Each call answers as
// the system does: ERROR_SUCCESS, or the system's error code for what went wrong.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct WatcherSlot;

// The number New proposes next ("New 1", "New 2", ...). Process-wide, so that a frame
// rebuilt for a font change goes on counting; it advances only when New created a file.
std::uint32_t& NewFileCounter();

// The data folder path ends with its backslash, which a drive's or a share's root keeps.
// ERROR_ALREADY_EXISTS: the folder is there; ERROR_DIRECTORY: a file has its name.
DWORD CreateDataFolder(const std::u16string& dataFolderPath);

// Creates an empty file, never replacing one (ERROR_FILE_EXISTS).
DWORD CreateEmptyFile(const std::u16string& path);

// Renames without replacing an existing file.
DWORD RenameFile(const std::u16string& from, const std::u16string& to);

// Deletes folder + each name in order and stops at the first that cannot be deleted.
DWORD DeleteFiles(const std::u16string& folder, const std::vector<std::u16string>& names);

// The system's text editor on `path`, not waited for.
DWORD StartEditor(const std::u16string& path);
// Starts `editor` with EditorCommandLine, as StartEditor does with notepad.
DWORD StartProgramOn(const std::wstring& editor, const std::u16string& path);
// "editor" "path", which every editor reads as one file.
std::wstring EditorCommandLine(const std::wstring& editor, const std::u16string& path);

// The shell's folder window.
DWORD OpenFolderWindow(const std::u16string& dataFolderPath);

// Holds the data folder's watcher stopped while the program itself changes the folder, so
// that its own changes raise no report, and starts a new watcher when it goes, whatever
// happened meanwhile. An outside change pending before the pause is pending again after it.
class WatcherPause {
public:
    WatcherPause(WatcherSlot& watcher, std::u16string dataFolderPath);
    ~WatcherPause();
    WatcherPause(const WatcherPause&) = delete;
    WatcherPause& operator=(const WatcherPause&) = delete;

private:
    WatcherSlot& m_watcher;
    std::u16string m_dataFolderPath;
    bool m_pendingBefore;
};
