#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "quiz/session.h"

namespace {

// A million entries of 4 to 12 letters each side; the first side draws from a smaller
// alphabet in every fourth entry, so that many questions share long beginnings, as words of
// one stem do.
std::shared_ptr<const WordPool> MillionEntryPool() {
    static const std::shared_ptr<const WordPool> pool = [] {
        auto p = std::make_shared<WordPool>();
        const size_t n = 1'000'000;
        p->Reserve(n);
        uint32_t x = 12345;
        std::u16string first, second;
        for (size_t i = 0; i < n; ++i) {
            first.clear();
            second.clear();
            const int len = 4 + static_cast<int>(i % 9);
            for (int c = 0; c < len; ++c) {
                x = x * 1103515245u + 12345u;
                first.push_back(static_cast<char16_t>(u'a' + (x >> 16) % (i % 4 == 0 ? 3 : 26)));
                second.push_back(static_cast<char16_t>(u'A' + (x >> 20) % 26));
            }
            p->Append(first, second, i % 3 == 0 ? u"hint" : u"");
        }
        return p;
    }();
    return pool;
}

// The Windows runtime's generator, so that the draws look like the program's.
RandomSource MsvcrtLikeDraws() {
    return [state = uint32_t{1}]() mutable {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7fff);
    };
}

void BuildSession(benchmark::State& state) {
    const auto pool = MillionEntryPool();
    const QueueOrder order{static_cast<int32_t>(state.range(0)),
                           static_cast<int32_t>(state.range(1))};
    for (auto _ : state) {
        TestSession session(pool, order, MsvcrtLikeDraws());
        benchmark::DoNotOptimize(session.Items().data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(pool->size()));
}

}  // namespace

// Arguments: testing direction, word order (0 Random, 1 Alphabetical, 2 Normal).
BENCHMARK(BuildSession)
    ->ArgNames({"direction", "order"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({0, 2})
    ->Args({2, 0})
    ->Args({2, 1})
    ->Args({2, 2})
    ->Unit(benchmark::kMillisecond);
