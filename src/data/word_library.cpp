#include "data/word_library.h"

#include <algorithm>
#include <limits>

#include "data/ordinal.h"
#include "data/word_file.h"

std::vector<std::u16string> ListFolderFiles(const std::u16string& pattern, FileSystem& files) {
    std::vector<std::u16string> names = files.FindFiles(pattern);
    std::sort(names.begin(), names.end(), OrdinalLess());
    return names;
}

WordLibrary BuildLibrary(const std::u16string& folderPath, FileSystem& files,
                         AnsiToUtf16Fn ansiToUtf16) {
    static constexpr std::u16string_view kExtension = u".mrn";
    WordLibrary library;
    std::string bytes;  // one buffer for all files
    for (std::u16string& name : ListFolderFiles(folderPath + u"*.mrn", files)) {
        // The search may match longer extensions through short names: words.mrnx stops here.
        // Letter case counts as little as it does to the file system: WORDS.MRN is a word file.
        if (name.size() < kExtension.size() ||
            !SameFileName(std::u16string_view(name).substr(name.size() - kExtension.size()),
                          kExtension)) {
            continue;
        }

        size_t count = 0;
        if (files.ReadFileBytes(folderPath + name, bytes))
            count = CountWordEntries(bytes, ansiToUtf16);
        WordFile file;
        file.entryCount =
            static_cast<uint32_t>(std::min<size_t>(count, std::numeric_limits<uint32_t>::max()));
        const std::string digits = std::to_string(file.entryCount);
        file.displayText = name.substr(0, name.size() - kExtension.size()) + u" (" +
                           std::u16string(digits.begin(), digits.end()) + u")";
        file.fileName = std::move(name);
        library.push_back(std::move(file));
    }
    return library;
}

int FindFileIndex(const WordLibrary& library, std::u16string_view name) {
    for (size_t i = 0; i < library.size(); ++i)
        if (library[i].fileName == name) return static_cast<int>(i);
    for (size_t i = 0; i < library.size(); ++i)
        if (SameFileName(library[i].fileName, name)) return static_cast<int>(i);
    return -1;
}
