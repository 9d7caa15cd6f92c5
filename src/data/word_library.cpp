#include "data/word_library.h"

#include <algorithm>
#include <limits>

#include "data/ordinal.h"
#include "data/word_file.h"

namespace {

std::u16string DecimalText(uint32_t value) {
    char16_t digits[10];
    size_t n = 0;
    do {
        digits[n++] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    std::u16string text;
    while (n > 0) text += digits[--n];
    return text;
}

}  // namespace

std::vector<std::u16string> ListFolderFiles(const std::u16string& pattern, FileSystem& files) {
    std::vector<std::u16string> names = files.FindFiles(pattern);
    std::sort(names.begin(), names.end(), OrdinalLess());
    return names;
}

std::vector<std::u16string> ListFolderFiles(const std::u16string& pattern) {
    return ListFolderFiles(pattern, SystemFileSystem());
}

WordLibrary BuildLibrary(const std::u16string& folderPath, FileSystem& files,
                         AnsiToUtf16Fn ansiToUtf16) {
    static constexpr std::u16string_view kExtension = u".mrn";
    WordLibrary library;
    std::string bytes;  // one buffer for all files
    for (std::u16string& name : ListFolderFiles(folderPath + u"*.mrn", files)) {
        // The search ignores case and may match longer extensions through short names:
        // WORDS.MRN and words.mrnx stop here.
        const std::u16string_view last4 =
            std::u16string_view(name).substr(name.size() - std::min<size_t>(name.size(), 4));
        if (last4 != kExtension) continue;

        size_t count = 0;
        if (files.ReadFileBytes(folderPath + name, bytes))
            count = CountWordEntries(bytes, ansiToUtf16);
        WordFile file;
        file.entryCount =
            static_cast<uint32_t>(std::min<size_t>(count, std::numeric_limits<uint32_t>::max()));
        file.displayText = name.substr(0, name.size() - kExtension.size()) + u" (" +
                           DecimalText(file.entryCount) + u")";
        file.fileName = std::move(name);
        library.push_back(std::move(file));
    }
    return library;
}

WordLibrary BuildLibrary(const std::u16string& folderPath) {
    return BuildLibrary(folderPath, SystemFileSystem(), SystemAnsiToUtf16);
}

int FindFileIndex(const WordLibrary& library, std::u16string_view name) {
    for (size_t i = 0; i < library.size(); ++i)
        if (library[i].fileName == name) return static_cast<int>(i);
    return -1;
}
