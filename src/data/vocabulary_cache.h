#pragma once
// Holds the library of the data folder and the pool of the selected files, each built on first
// use after it was dropped. The pool is shared: a test session keeps the pool it was built over
// alive even after the cache has dropped it, so a reload during a test never pulls the entries
// from under the session.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/word_library.h"
#include "data/word_pool.h"

// Reads the selected files of the library, in library order, each once, as they are on disk
// now. The order of the names plays no part; names that match no file add nothing.
std::shared_ptr<WordPool> GatherPool(
    const WordLibrary& library, const std::vector<std::u16string>& selection,
    const std::u16string& folderPath,
    const std::function<void(const std::u16string& path, WordEntries& entries)>& loadWordFile);

class VocabularyCache {
public:
    struct Sources {
        std::function<std::u16string()> dataFolderPath;  // ends with a backslash
        std::function<std::vector<std::u16string>()> selection;
        std::function<WordLibrary(const std::u16string& folderPath)> buildLibrary;
        std::function<void(const std::u16string& path, WordEntries& entries)> loadWordFile;
    };

    explicit VocabularyCache(Sources sources);

    // The process-wide cache over the process-wide settings record and the real data folder.
    static VocabularyCache& Instance();

    const WordLibrary& GetLibrary();
    std::shared_ptr<const WordPool> GetPool();
    void DropLibrary() { library_.reset(); }
    void DropPool() { pool_.reset(); }

    bool HasLibrary() const noexcept { return library_.has_value(); }
    bool HasPool() const noexcept { return pool_ != nullptr; }
    // Raised each time the library is built. Any view may have the cache build it again
    // (gathering a pool does), so whoever shows the library's files by position compares this
    // with the build it shows: equal means the same files in the same places.
    unsigned LibraryBuild() const noexcept { return libraryBuild_; }

private:
    Sources sources_;
    // Declared in this order so that the pool goes first when the cache is destroyed.
    std::optional<WordLibrary> library_;
    std::shared_ptr<const WordPool> pool_;
    unsigned libraryBuild_ = 0;
};

class AppSettings;

// The data folder and the selection of `settings`, read each time they are needed, and the
// word files on disk.
VocabularyCache::Sources SourcesFor(const AppSettings& settings);
