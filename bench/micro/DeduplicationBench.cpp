// De-duplication of result lists the size a large tree gives: short ids, many repeats.
#include <benchmark/benchmark.h>

#include "analysis/Deduplication.h"
#include "tree/Contents.h"

namespace {

// entries ids drawn from distinct different ones, each distinct id met at least once, in
// an order with the repeats spread through the list.
TextList MakeList(long entries, long distinct) {
    bench::Random random(static_cast<uint64_t>(entries * 31 + distinct));
    TextList list;
    list.reserve(size_t(entries));
    for (long i = 0; i < entries; ++i) {
        const long id = i < distinct ? i : random.Between(0, distinct - 1);
        list.push_back(std::to_string(100000 + id * 7));
    }
    for (long i = entries - 1; i > 0; --i)
        std::swap(list[size_t(i)], list[size_t(random.Between(0, i))]);
    return list;
}

void BM_RemoveDuplicates(benchmark::State& state) {
    const TextList source = MakeList(state.range(0), state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        TextList list = source;
        state.ResumeTiming();
        benchmark::DoNotOptimize(RemoveDuplicates(list));
        state.PauseTiming();
        list = TextList();  // the release is not de-duplication
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_RemoveDuplicates)
    ->Args({1000000, 100000})
    ->Args({10000000, 1000000})
    ->Args({10000000, 100000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
