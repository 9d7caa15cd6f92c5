#pragma once
// The word library: the word files of the data folder in ordinal order of their names, each
// with its entry count and the text the home view lists it by. Only the counts are kept; a
// test or the browse tree reads the files again.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/platform.h"

struct WordFile {
    std::u16string fileName;     // with the .mrn extension, without a folder
    std::u16string displayText;  // "name (count)"
    uint32_t entryCount = 0;
};

using WordLibrary = std::vector<WordFile>;

// The names of the files (not directories) matching pattern, in ordinal order.
std::vector<std::u16string> ListFolderFiles(const std::u16string& pattern,
                                            FileSystem& files = SystemFileSystem());

// folderPath ends with a backslash. A missing or unreadable folder gives an empty library; a
// file that cannot be read is listed with the count 0.
WordLibrary BuildLibrary(const std::u16string& folderPath, FileSystem& files = SystemFileSystem(),
                         AnsiToUtf16Fn ansiToUtf16 = SystemAnsiToUtf16);

// The position of the first file named exactly name (case-sensitive), or -1.
int FindFileIndex(const WordLibrary& library, std::u16string_view name);
