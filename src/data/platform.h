#pragma once
// What the portable core needs from the operating system: a file's bytes, the names a folder
// search finds, and the conversion of 8-bit text in the active ANSI code page. The Windows
// program uses the Win32 calls (platform_win32.cpp); native builds use standard-library
// stand-ins (platform_posix.cpp); tests pass doubles of their own.
#include <string>
#include <string_view>
#include <vector>

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Replaces bytes with the whole content of the file. False, with bytes empty, when the file
    // cannot be opened; a read that fails part-way keeps what was read. The file is opened
    // without denying other processes reading or writing, so that a word list still open in
    // the editor can be read.
    virtual bool ReadFileBytes(const std::u16string& path, std::string& bytes) = 0;

    // The long names, without any folder part, of the entries that match a search pattern such
    // as C:\words\*.mrn and are not directories, in no particular order. Empty when the search
    // cannot start (no such folder, no access, no match).
    virtual std::vector<std::u16string> FindFiles(const std::u16string& pattern) = 0;
};

FileSystem& SystemFileSystem();

// Replaces out with the UTF-16 text of bytes in the active ANSI code page. Characters that the
// code page cannot map come out as the system maps them (replacement characters are fine).
using AnsiToUtf16Fn = void (*)(std::string_view bytes, std::u16string& out);

void SystemAnsiToUtf16(std::string_view bytes, std::u16string& out);

// Word file names compare as the file system compares them: without regard to letter case.
// Two names are the same file's when their keys are equal. Library order stays ordinal.
std::u16string FileNameKey(std::u16string_view name);
inline bool SameFileName(std::u16string_view a, std::u16string_view b) {
    return a == b || FileNameKey(a) == FileNameKey(b);
}
