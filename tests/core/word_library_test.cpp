#include "data/word_library.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/memory_file_system.h"
#include "data/word_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>

#include <filesystem>
#include <fstream>
#endif

namespace {

using Names = std::vector<std::u16string>;

void AsciiOnly(std::string_view bytes, std::u16string& out) {
    out.assign(bytes.begin(), bytes.end());
}

std::string Lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "word" + std::to_string(i) + "\\other\r\n";
    return text;
}

Names FileNames(const WordLibrary& library) {
    Names names;
    for (const WordFile& file : library) names.push_back(file.fileName);
    return names;
}

// ---------------------------------------------------------------------------------------------
// With the file system double.

TEST(BuildLibrary, ListsMrnFilesInOrdinalOrderWithTheirCounts) {
    MemoryFileSystem files;
    const std::u16string folder = u"C:\\data\\";
    files.searches[folder + u"*.mrn"] = {
        u"Zoo.mrn",   u"apple.mrn",  u"Bear.mrn",      u"ab.mrn", u"ab-x.mrn", u"Verbs.mrn",
        u"WORDS.MRN", u"words.mrnx", u"notes.mrn.bak", u".mrn",   u"mrn",      u"gone.mrn"};
    files.files[folder + u"Verbs.mrn"] = Lines(42) + "rejected line\r\n";
    files.files[folder + u"Zoo.mrn"] = "";
    files.files[folder + u"apple.mrn"] = "a\\b";
    files.files[folder + u"Bear.mrn"] = "\xFF\xFE";
    files.files[folder + u"ab.mrn"] = "x\\y\nx\\y\n";
    files.files[folder + u"ab-x.mrn"] = "x\\y\n";
    files.files[folder + u".mrn"] = "";
    files.files[folder + u"WORDS.MRN"] = Lines(3);
    // gone.mrn vanished between the search and the load.

    const WordLibrary library = BuildLibrary(folder, files, AsciiOnly);

    struct Row {
        std::u16string name, text;
        uint32_t count;
    };
    const Row expected[] = {
        {u".mrn", u" (0)", 0},          // the name part is empty
        {u"Bear.mrn", u"Bear (0)", 0},  // capitals sort before small letters
        {u"Verbs.mrn", u"Verbs (42)", 42},
        {u"WORDS.MRN", u"WORDS (3)", 3},  // the extension in capitals, as Windows tools write it
        {u"Zoo.mrn", u"Zoo (0)", 0},
        {u"ab-x.mrn", u"ab-x (1)", 1},  // '-' sorts before '.'
        {u"ab.mrn", u"ab (2)", 2},      // duplicates all count
        {u"apple.mrn", u"apple (1)", 1},
        {u"gone.mrn", u"gone (0)", 0},  // unreadable: listed with 0
    };
    ASSERT_EQ(library.size(), std::size(expected))
        << "words.mrnx, notes.mrn.bak and mrn are no word files";
    for (size_t i = 0; i < library.size(); ++i) {
        EXPECT_EQ(library[i].fileName, expected[i].name) << i;
        EXPECT_EQ(library[i].displayText, expected[i].text) << i;
        EXPECT_EQ(library[i].entryCount, expected[i].count) << i;
    }
    EXPECT_EQ(files.patterns, Names{u"C:\\data\\*.mrn"});
    EXPECT_EQ(files.readPaths.front(), u"C:\\data\\.mrn") << "folder and name concatenated";
}

TEST(BuildLibrary, EmptyOrMissingFolderGivesEmptyLibrary) {
    MemoryFileSystem files;
    files.searches[u"C:\\empty\\*.mrn"] = {};
    EXPECT_TRUE(BuildLibrary(u"C:\\empty\\", files, AsciiOnly).empty());
    EXPECT_TRUE(BuildLibrary(u"C:\\missing\\", files, AsciiOnly).empty());
    // With no data folder configured the path is a lone backslash: the drive's root.
    BuildLibrary(u"\\", files, AsciiOnly);
    EXPECT_EQ(files.patterns.back(), u"\\*.mrn");
}

TEST(ListFolderFiles, SortsOrdinally) {
    MemoryFileSystem files;
    files.searches[u"p"] = {u"b", u"\u00E9", u"B", u"ab", u"a", u"Z"};
    EXPECT_EQ(ListFolderFiles(u"p", files), (Names{u"B", u"Z", u"a", u"ab", u"b", u"\u00E9"}));
}

TEST(FindFileIndex, MatchesTheExactNameFirstThenAsTheFileSystemDoes) {
    WordLibrary library(4);
    library[0].fileName = u"Bear.mrn";
    library[1].fileName = u"apple.mrn";
    library[2].fileName = u"apple.mrn";
    library[3].fileName = u"bear.mrn";
    struct Row {
        std::u16string name;
        int index;
        const char* why;
    };
    const Row rows[] = {
        {u"Bear.mrn", 0, "first"},        {u"apple.mrn", 1, "the first of equal names"},
        {u"bear.mrn", 3, "exact before"}, {u"BEAR.MRN", 0, "case differs"},
        {u"Bear", -1, "no extension"},    {u"", -1, "empty name"},
    };
    for (const Row& r : rows) EXPECT_EQ(FindFileIndex(library, r.name), r.index) << r.why;
    EXPECT_EQ(FindFileIndex(WordLibrary{}, u"Bear.mrn"), -1) << "empty library";
}

// ---------------------------------------------------------------------------------------------
// Through the system's own file system and code page: Win32 under Wine or Windows, the
// standard-library stand-ins natively.

class TempFolder {
public:
#ifdef _WIN32
    TempFolder() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        static int serial = 0;
        path_ = Core(temp) + u"memorion-test-" + Digits(GetCurrentProcessId()) + u"-" +
                Digits(++serial) + u"\\";
        CreateDirectoryW(Wide(path_), nullptr);
    }
    ~TempFolder() {
        Remove(path_);
    }
    void Write(const std::u16string& name, const std::string& bytes) {
        HANDLE file = CreateFileW(Wide(path_ + name), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    void MakeFolder(const std::u16string& name) {
        CreateDirectoryW(Wide(path_ + name), nullptr);
    }

private:
    static const wchar_t* Wide(const std::u16string& s) {
        return reinterpret_cast<const wchar_t*>(s.c_str());
    }
    static std::u16string Core(const wchar_t* s) {
        return reinterpret_cast<const char16_t*>(s);
    }
    static std::u16string Digits(unsigned long n) {
        const std::string d = std::to_string(n);
        return std::u16string(d.begin(), d.end());
    }
    static void Remove(const std::u16string& folder) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(Wide(folder + u"*"), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::u16string name = Core(found.cFileName);
                if (name == u"." || name == u"..") continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(folder + name + u"\\");
                else
                    DeleteFileW(Wide(folder + name));
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(Wide(folder));
    }
#else
    TempFolder() {
        static int serial = 0;
        native_ = std::filesystem::temp_directory_path() /
                  ("memorion-test-" + std::to_string(getpid()) + "-" + std::to_string(++serial));
        std::filesystem::create_directories(native_);
        for (const char c : native_.string() + "/") path_ += c == '/' ? u'\\' : char16_t(c);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(native_, ignored);
    }
    void Write(const std::u16string& name, const std::string& bytes) {
        std::ofstream(native_ / std::filesystem::path(name), std::ios::binary) << bytes;
    }
    void MakeFolder(const std::u16string& name) {
        std::filesystem::create_directory(native_ / std::filesystem::path(name));
    }

private:
    std::filesystem::path native_;
#endif

public:
    const std::u16string& Path() const {
        return path_;
    }

private:
    std::u16string path_;  // with its trailing backslash
};

TEST(SystemFileSystem, BuildsLibraryFromARealFolder) {
    TempFolder folder;
    folder.Write(u"Zoo.mrn", "");
    folder.Write(u"apple.mrn", "a\\b\r\n");
    folder.Write(u"Bear.mrn", std::string("\xFF\xFE"
                                          "a\0\\\0b\0",
                                          8));
    folder.Write(u"Verbs.mrn", Lines(42));
    folder.Write(u"WORDS.MRN", Lines(2));
    folder.Write(u"notes.mrn.bak", Lines(2));
    folder.Write(u"words.mrnx", Lines(2));
    folder.Write(u"readme.txt", Lines(2));
    folder.MakeFolder(u"x.mrn");
    // Names outside ASCII, one of them beyond the 16-bit range.
    folder.Write(u"\u00e9t\u00e9.mrn", Lines(1));
    folder.Write(u"\u0416.mrn", Lines(2));
    folder.Write(u"\u65e5.mrn", Lines(3));
    folder.Write(u"\U0001F600.mrn", Lines(4));

    const Names found = ListFolderFiles(folder.Path() + u"*.mrn");
    for (const char16_t* name : {u"Bear.mrn", u"Verbs.mrn", u"WORDS.MRN", u"Zoo.mrn"})
        EXPECT_NE(std::find(found.begin(), found.end(), name), found.end())
            << "the search ignores case";
    EXPECT_EQ(std::find(found.begin(), found.end(), u"x.mrn"), found.end()) << "a folder";
    EXPECT_TRUE(std::is_sorted(found.begin(), found.end()));

    const WordLibrary library = BuildLibrary(folder.Path());
    EXPECT_EQ(FileNames(library),
              (Names{u"Bear.mrn", u"Verbs.mrn", u"WORDS.MRN", u"Zoo.mrn", u"apple.mrn",
                     u"\u00e9t\u00e9.mrn", u"\u0416.mrn", u"\u65e5.mrn", u"\U0001F600.mrn"}));
    ASSERT_EQ(library.size(), 9u);
    EXPECT_EQ(library[0].displayText, u"Bear (1)");
    EXPECT_EQ(library[1].displayText, u"Verbs (42)");
    EXPECT_EQ(library[2].displayText, u"WORDS (2)");
    EXPECT_EQ(library[3].displayText, u"Zoo (0)");
    EXPECT_EQ(library[5].displayText, u"\u00e9t\u00e9 (1)");
    EXPECT_EQ(library[6].displayText, u"\u0416 (2)");
    EXPECT_EQ(library[7].displayText, u"\u65e5 (3)");
    EXPECT_EQ(library[8].displayText, u"\U0001F600 (4)");
}

TEST(SystemFileSystem, MissingFolderOrAFileAsFolderGivesNothing) {
    TempFolder folder;
    folder.Write(u"plain.mrn", "a\\b\n");
    EXPECT_TRUE(BuildLibrary(folder.Path() + u"missing\\").empty());
    EXPECT_TRUE(BuildLibrary(folder.Path() + u"plain.mrn\\").empty());
    WordEntries entries;
    LoadWordFile(folder.Path() + u"missing.mrn", entries);
    LoadWordFile(folder.Path(), entries);  // a folder, not a file
    EXPECT_TRUE(entries.empty());
}

TEST(SystemFileSystem, ConvertsAnsiWithTheActiveCodePage) {
#ifdef _WIN32
    if (GetACP() != 1252) GTEST_SKIP() << "needs code page 1252 (LC_ALL=C.UTF-8 under Wine)";
#endif
    TempFolder folder;
    // e-acute, the euro sign and a no-break space (trimmed) in Windows-1252.
    folder.Write(u"cp.mrn", "caf\xE9\\\xA0\x80uro\xA0\r\nch\xC3\xA2teau\\castle\xFF\r\n");
    WordEntries entries;
    LoadWordFile(folder.Path() + u"cp.mrn", entries);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].first, u"caf\u00E9");
    EXPECT_EQ(entries[0].second, u"\u20ACuro");
    EXPECT_EQ(entries[1].first, u"ch\u00C3\u00A2teau") << "not valid UTF-8 as a whole: ANSI";
    EXPECT_EQ(entries[1].second, u"castle\u00FF");
    std::u16string out;
    SystemAnsiToUtf16("", out);
    EXPECT_TRUE(out.empty());
}

#ifdef _WIN32
// Windows: a word list still open in an editor is read; one locked against reading is not.
TEST(SystemFileSystem, SharesFilesLikeTheRuntimeStreamOpen) {
    TempFolder folder;
    folder.Write(u"open.mrn", "a\\b\n");
    const std::u16string path = folder.Path() + u"open.mrn";
    HANDLE editor =
        CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(editor, INVALID_HANDLE_VALUE);
    WordEntries entries;
    LoadWordFile(path, entries);
    EXPECT_EQ(entries.size(), 1u);
    CloseHandle(editor);

    HANDLE locker = CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ, 0,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locker, INVALID_HANDLE_VALUE);
    WordEntries none;
    LoadWordFile(path, none);
    EXPECT_TRUE(none.empty());
    const WordLibrary library = BuildLibrary(folder.Path());
    ASSERT_EQ(library.size(), 1u);
    EXPECT_EQ(library[0].displayText, u"open (0)");
    CloseHandle(locker);
}
#endif

}  // namespace
