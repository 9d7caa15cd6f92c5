#include "data/selection.h"
#include "data/vocabulary_cache.h"

#include <gtest/gtest.h>

#include <map>

namespace {

WordLibrary Library(std::initializer_list<std::pair<const char16_t*, uint32_t>> files) {
    WordLibrary lib;
    for (auto [name, count] : files) lib.push_back({name, u"", count});
    return lib;
}

TEST(SelectionSummary, CountsSelectedAndAllFilesAndRewritesTheNames) {
    const WordLibrary lib = Library({{u"a.mrn", 10}, {u"b.mrn", 0}, {u"c.mrn", 5}});
    struct Row {
        std::vector<size_t> selected;
        SelectionSummary want;
        std::vector<std::u16string> names;
        const char* why;
    };
    const Row rows[] = {
        {{0, 1},
         {10, 15, 2, 3},
         {u"a.mrn", u"b.mrn"},
         "an empty file still counts as a selected file"},
        {{1, 0}, {10, 15, 2, 3}, {u"a.mrn", u"b.mrn"}, "names come in library order"},
        {{}, {0, 15, 0, 3}, {}, "nothing selected"},
        {{2, 2, 3, 7},
         {5, 15, 1, 3},
         {u"c.mrn"},
         "repeated and out-of-range positions count nothing"},
    };
    for (const Row& r : rows) {
        std::vector<std::u16string> names{u"stale.mrn"};
        EXPECT_EQ(ComputeSelectionSummary(lib, lib.size(), r.selected, names), r.want) << r.why;
        EXPECT_EQ(names, r.names) << r.why;
    }
}

TEST(SelectionSummary, NeverReadsPastTheLibrary) {
    const WordLibrary lib = Library({{u"a.mrn", 1}});
    std::vector<std::u16string> names;
    const SelectionSummary s = ComputeSelectionSummary(lib, 5, {0, 3}, names);
    EXPECT_EQ(s, (SelectionSummary{1, 1, 1, 1}));
    // Nor writes past its flags: 64 of them fill one word exactly, where a sanitizer sees it.
    EXPECT_EQ(ComputeSelectionSummary(WordLibrary(64), 64, {64}, names).selectedFiles, 0u);
}

TEST(RestoreSelection, SelectsStoredNamesOrFallsBackToTheFirstFile) {
    const WordLibrary lib = Library({{u"a.mrn", 1}, {u"b.mrn", 1}, {u"c.mrn", 1}});
    struct Row {
        std::vector<std::u16string> stored;
        std::vector<size_t> positions;
        std::optional<size_t> caret;
        const char* why;
    };
    const Row rows[] = {
        {{u"c.mrn", u"b.mrn"}, {1, 2}, 1, "caret on the first selected file in list order"},
        {{u"a.mrn"}, {0}, 0, "the first file itself"},
        {{u"gone.mrn"}, {0}, std::nullopt, "a name matching no file: the first file"},
        {{u"B.mrn"}, {1}, 1, "another case: the file the file system takes for it"},
        {{}, {0}, std::nullopt, "nothing stored"},
    };
    for (const Row& r : rows) {
        const RestoredSelection got = RestoreSelection(lib, r.stored);
        EXPECT_EQ(got.positions, r.positions) << r.why;
        EXPECT_EQ(got.caret, r.caret) << r.why;
    }
    EXPECT_TRUE(RestoreSelection({}, {u"a.mrn"}).positions.empty());
    EXPECT_EQ(RestoreSelection(Library({{u"A.mrn", 1}, {u"a.mrn", 1}}), {u"a.mrn"}).positions,
              std::vector<size_t>{1})
        << "of two names that differ in case only, the one stored";
}

// A data folder in memory: path -> lines, counting every read.
struct FakeFolder {
    std::map<std::u16string, std::vector<std::u16string>> files;
    std::vector<std::u16string> selection;
    int libraryBuilds = 0;
    int fileReads = 0;

    VocabularyCache::Sources Sources() {
        return {
            [] { return std::u16string(u"D:\\w\\"); },
            [this] { return selection; },
            [this](const std::u16string& folder) {
                ++libraryBuilds;
                WordLibrary lib;
                for (auto& [path, lines] : files) {
                    lib.push_back(
                        {path.substr(folder.size()), u"", static_cast<uint32_t>(lines.size())});
                }
                return lib;
            },
            [this](const std::u16string& path, WordEntries& entries) {
                ++fileReads;
                auto it = files.find(path);
                if (it == files.end()) return;
                for (const std::u16string& word : it->second)
                    entries.Append(word, word + u"!", u"");
            },
        };
    }
};

std::vector<std::u16string> Firsts(const WordPool& pool) {
    std::vector<std::u16string> out;
    for (const WordEntry& e : pool) out.emplace_back(e.first);
    return out;
}

TEST(VocabularyCache, GathersSelectedFilesInLibraryOrderOnce) {
    FakeFolder folder;
    folder.files[u"D:\\w\\a.mrn"] = {u"a1", u"a2", u"a3"};
    folder.files[u"D:\\w\\b.mrn"] = {u"b1", u"b2"};
    folder.files[u"D:\\w\\c.mrn"] = {u"c1"};
    folder.selection = {u"b.mrn", u"a.mrn", u"b.mrn", u"nothing.mrn"};
    VocabularyCache cache(folder.Sources());

    auto pool = cache.GetPool();
    EXPECT_EQ(Firsts(*pool), (std::vector<std::u16string>{u"a1", u"a2", u"a3", u"b1", u"b2"}));
    EXPECT_EQ(folder.fileReads, 2) << "each selected file is read once, unselected ones never";
    EXPECT_EQ(cache.GetPool(), pool) << "a filled slot is not gathered again";
    EXPECT_EQ(folder.libraryBuilds, 1);
}

TEST(VocabularyCache, PoolReflectsFilesAsTheyAreWhenGathered) {
    FakeFolder folder;
    folder.files[u"D:\\w\\a.mrn"] = {u"old"};
    folder.selection = {u"a.mrn"};
    VocabularyCache cache(folder.Sources());
    EXPECT_EQ(cache.GetLibrary()[0].entryCount, 1u);

    folder.files[u"D:\\w\\a.mrn"] = {u"new1", u"new2"};
    EXPECT_EQ(Firsts(*cache.GetPool()), (std::vector<std::u16string>{u"new1", u"new2"}))
        << "the library's count is older than the file; the pool follows the file";
}

TEST(VocabularyCache, DropsAreIndependentAndAHeldPoolOutlivesItsSlot) {
    FakeFolder folder;
    folder.files[u"D:\\w\\a.mrn"] = {u"w"};
    folder.selection = {u"a.mrn"};
    VocabularyCache cache(folder.Sources());

    std::shared_ptr<const WordPool> held = cache.GetPool();
    cache.DropLibrary();
    EXPECT_FALSE(cache.HasLibrary());
    EXPECT_TRUE(cache.HasPool()) << "dropping the library keeps the pool";

    cache.DropPool();
    EXPECT_FALSE(cache.HasPool());
    folder.files.clear();
    ASSERT_EQ(held->size(), 1u) << "a session's pool stays alive and unchanged after a drop";
    EXPECT_EQ(held->begin()->first, u"w");

    EXPECT_TRUE(cache.GetPool()->empty()) << "the next pool is gathered anew";
    EXPECT_EQ(folder.libraryBuilds, 2);
}

}  // namespace
