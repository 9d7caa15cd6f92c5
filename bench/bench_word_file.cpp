// Word-file reading at the sizes that matter: one very large ANSI file (a million lines, CR LF,
// two thirds with hints, some accented letters) and a folder of a thousand small files.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <malloc.h>
#include <unistd.h>

#include "bench_words.h"
#include "data/platform.h"
#include "data/word_entry.h"
#include "data/word_file.h"
#include "data/word_library.h"

namespace {

namespace fs = std::filesystem;
using bench::CorePath;
using bench::Words;

class Fixture {
public:
    Fixture()
        : folder_(fs::temp_directory_path() / ("memorion-bench-" + std::to_string(getpid()))) {
        fs::create_directories(folder_ / "library");
        Words words;
        for (int i = 0; i < 1'000'000; ++i) bigBytes_ += words.Line();
        std::ofstream(folder_ / "big.mrn", std::ios::binary) << bigBytes_;
        for (int f = 0; f < 1000; ++f) {
            std::string text;
            for (int i = 0; i < 100; ++i) text += words.Line();
            std::ofstream(folder_ / "library" / ("file" + std::to_string(f) + ".mrn"),
                          std::ios::binary)
                << text;
        }
    }
    ~Fixture() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    const std::string& BigBytes() const { return bigBytes_; }
    std::u16string BigPath() const { return CorePath(folder_ / "big.mrn"); }
    std::u16string LibraryFolder() const { return CorePath(folder_ / "library") + u"\\"; }

private:
    fs::path folder_;
    std::string bigBytes_;
};

Fixture& Files() {
    static Fixture fixture;
    return fixture;
}

void MemchrLines(benchmark::State& state) {
    const std::string& bytes = Files().BigBytes();
    for (auto _ : state) {
        size_t lines = 0;
        const char* p = bytes.data();
        const char* end = p + bytes.size();
        while (const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p))) {
            ++lines;
            p = static_cast<const char*>(lf) + 1;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(MemchrLines)->Unit(benchmark::kMillisecond);

void CountEntries(benchmark::State& state) {
    const std::string& bytes = Files().BigBytes();
    size_t count = 0;
    for (auto _ : state) {
        count = CountWordEntries(bytes, SystemAnsiToUtf16);
        benchmark::DoNotOptimize(count);
    }
    state.counters["entries"] = static_cast<double>(count);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(CountEntries)->Unit(benchmark::kMillisecond);

// The whole load of the file from disk into one WordEntries, freed outside the timing.
void LoadEntries(benchmark::State& state) {
    const std::u16string path = Files().BigPath();
    size_t count = 0;
    for (auto _ : state) {
        auto* entries = new WordEntries;
        LoadWordFile(path, *entries);
        count = entries->size();
        state.PauseTiming();
        delete entries;
        state.ResumeTiming();
    }
    state.counters["entries"] = static_cast<double>(count);
}
BENCHMARK(LoadEntries)->Unit(benchmark::kMillisecond);

long StatusKilobytes(const char* field) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return -1;
    char line[256];
    long value = -1;
    const size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, field, length) == 0) value = std::atol(line + length);
    std::fclose(status);
    return value;
}

// Peak resident memory that loading the million entries adds (file bytes included), and what
// the loaded entries keep once the file's bytes are gone. Linux resets the peak on request.
void LoadEntriesMemory(benchmark::State& state) {
    const std::u16string path = Files().BigPath();
    for (auto _ : state) {
        // Memory that earlier benchmarks freed would otherwise be reused unseen.
        malloc_trim(0);
        if (std::FILE* reset = std::fopen("/proc/self/clear_refs", "w")) {
            std::fputs("5", reset);
            std::fclose(reset);
        }
        const long before = StatusKilobytes("VmRSS:");
        WordEntries entries;
        LoadWordFile(path, entries);
        const long held = StatusKilobytes("VmRSS:") - before;
        const long peak = StatusKilobytes("VmHWM:") - before;
        state.counters["peak_MB"] = static_cast<double>(peak) / 1024.0;
        state.counters["held_MB"] = static_cast<double>(held) / 1024.0;
        state.counters["entries"] = static_cast<double>(entries.size());
    }
}
BENCHMARK(LoadEntriesMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

void BuildLibraryOfFolder(benchmark::State& state) {
    const std::u16string folder = Files().LibraryFolder();
    size_t files = 0;
    for (auto _ : state) {
        WordLibrary library = ::BuildLibrary(folder);
        files = library.size();
        benchmark::DoNotOptimize(library);
    }
    state.counters["files"] = static_cast<double>(files);
}
BENCHMARK(BuildLibraryOfFolder)->Name("BuildLibrary")->Unit(benchmark::kMillisecond);

}  // namespace
