#pragma once
// What the home view's file commands ask of the system, one call each, so that the view only
// decides which message to show. Paths are full paths in the data folder.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The number New proposes next ("New 1", "New 2", ...). Process-wide, so that a frame
// rebuilt for a font change goes on counting; it advances only when New created a file.
std::uint32_t& NewFileCounter();

enum class FolderCreation { Created, Existed, Failed };
// The data folder path ends with its backslash.
FolderCreation CreateDataFolder(const std::u16string& dataFolderPath);

// Creates an empty file, never replacing one. ERROR_SUCCESS, or the system's error code.
DWORD CreateEmptyFile(const std::u16string& path);

// Renames without replacing an existing file.
bool RenameFile(const std::u16string& from, const std::u16string& to);

// Deletes folder + each name in order and stops at the first that cannot be deleted.
// The number deleted.
std::size_t DeleteFiles(const std::u16string& folder, const std::vector<std::u16string>& names);

// The system's text editor on `path`, not waited for. False when it could not be started.
bool StartEditor(const std::u16string& path);
// Starts `editor` with " " + path as its command line, as StartEditor does with notepad.
bool StartProgramOn(const std::wstring& editor, const std::u16string& path);

// The shell's folder window; whether it opened is not reported.
void OpenFolderWindow(const std::u16string& dataFolderPath);

// Holds the data folder's watcher stopped while the program itself changes the folder, so
// that its own changes raise no report, and starts a new watcher when it goes, whatever
// happened meanwhile.
class WatcherPause {
public:
    explicit WatcherPause(std::u16string dataFolderPath);
    ~WatcherPause();
    WatcherPause(const WatcherPause&) = delete;
    WatcherPause& operator=(const WatcherPause&) = delete;

private:
    std::u16string m_dataFolderPath;
};
