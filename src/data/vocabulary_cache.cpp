#include "data/vocabulary_cache.h"

#include "data/selection.h"
#include "data/word_file.h"
#include "settings/app_settings.h"

std::shared_ptr<WordPool> GatherPool(
    const WordLibrary& library, const std::vector<std::u16string>& selection,
    const std::u16string& folderPath,
    const std::function<void(const std::u16string& path, WordEntries& entries)>& loadWordFile) {
    auto pool = std::make_shared<WordPool>();
    const std::vector<bool> selected = SelectedFiles(library, selection);
    for (size_t i = 0; i < library.size(); ++i) {
        if (!selected[i]) continue;
        const WordFile& file = library[i];
        // The file is read as it is now; its count in the library may be older.
        loadWordFile(folderPath + file.fileName, *pool);
    }
    return pool;
}

VocabularyCache::VocabularyCache(Sources sources) : sources_(std::move(sources)) {}

VocabularyCache::Sources SourcesFor(const AppSettings& settings) {
    return VocabularyCache::Sources{
        [&settings] { return settings.DataFolderPath(); },
        [&settings] { return settings.Selection(); },
        [](const std::u16string& folder) { return BuildLibrary(folder); },
        [](const std::u16string& path, WordEntries& entries) { LoadWordFile(path, entries); },
    };
}

VocabularyCache& VocabularyCache::Instance() {
    static VocabularyCache cache(SourcesFor(AppSettings::Instance()));
    return cache;
}

const WordLibrary& VocabularyCache::GetLibrary() {
    if (!library_) {
        library_ = sources_.buildLibrary(sources_.dataFolderPath());
        ++libraryBuild_;
    }
    return *library_;
}

std::shared_ptr<const WordPool> VocabularyCache::GetPool() {
    if (!pool_) {
        const std::u16string folder = sources_.dataFolderPath();
        const std::vector<std::u16string> selection = sources_.selection();
        pool_ = GatherPool(GetLibrary(), selection, folder, sources_.loadWordFile);
    }
    return pool_;
}
