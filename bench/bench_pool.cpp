// Gathering the pool of a large selection against reading the same files one by one: the
// cache must add little beyond the reading itself.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench_words.h"
#include "data/vocabulary_cache.h"
#include "data/word_file.h"
#include "data/word_library.h"

namespace {

namespace fs = std::filesystem;

// A hundred files of ten thousand lines each, all selected.
class Selection100 {
public:
    Selection100()
        : folder_(fs::temp_directory_path() / ("memorion-pool-" + std::to_string(getpid()))) {
        fs::create_directories(folder_);
        bench::Words words;
        for (int f = 0; f < 100; ++f) {
            std::string text;
            for (int i = 0; i < 10'000; ++i) text += words.Line();
            const std::string name = "list" + std::to_string(f) + ".mrn";
            std::ofstream(folder_ / name, std::ios::binary) << text;
            names_.push_back(bench::CorePath(name));
        }
        library_ = BuildLibrary(FolderPath());
    }
    ~Selection100() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    std::u16string FolderPath() const { return bench::CorePath(folder_) + u"\\"; }
    const std::vector<std::u16string>& Names() const { return names_; }
    const WordLibrary& Library() const { return library_; }

private:
    fs::path folder_;
    std::vector<std::u16string> names_;
    WordLibrary library_;
};

Selection100& Files() {
    static Selection100 files;
    return files;
}

// The reference: each selected file loaded on its own, as the library's counting never does.
void LoadSelectedFiles(benchmark::State& state) {
    const std::u16string folder = Files().FolderPath();
    size_t count = 0;
    for (auto _ : state) {
        count = 0;
        for (const std::u16string& name : Files().Names()) {
            WordEntries entries;
            LoadWordFile(folder + name, entries);
            count += entries.size();
        }
        benchmark::DoNotOptimize(count);
    }
    state.counters["entries"] = static_cast<double>(count);
}
BENCHMARK(LoadSelectedFiles)->Unit(benchmark::kMillisecond);

void GatherPool(benchmark::State& state) {
    const std::u16string folder = Files().FolderPath();
    size_t count = 0;
    for (auto _ : state) {
        auto pool = ::GatherPool(
            Files().Library(), Files().Names(), folder,
            [](const std::u16string& path, WordEntries& entries) { LoadWordFile(path, entries); });
        count = pool->size();
        benchmark::DoNotOptimize(pool);
    }
    state.counters["entries"] = static_cast<double>(count);
}
BENCHMARK(GatherPool)->Unit(benchmark::kMillisecond);

}  // namespace
