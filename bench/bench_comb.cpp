// Timings of the combination routines that run inside loops over millions of rows, and of filling the
// combination store. Run from a Release build.
#include "bench/BenchSupport.h"
#include "core/Knutt.h"
#include "core/UComb.h"
#include "core/UCombList.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

// Reports the time per combination next to the time per pass.
void perCombination(benchmark::State &state, int64_t count)
{
    state.counters["per_call"] =
        benchmark::Counter(static_cast<double>(count),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_NextComb(benchmark::State &state)
{
    TDynByteArr c;
    for (auto _ : state) {
        NextComb(c, kN, kK, true);
        for (int64_t i = 1; i < Newton[kN][kK]; ++i)
            NextComb(c, kN, kK, false);
        benchmark::DoNotOptimize(c.data());
    }
    perCombination(state, Newton[kN][kK]);
}

void BM_CountHits(benchmark::State &state)
{
    const auto &all = allSixOfFortyNine();
    const uint8_t draw[kK] = {3, 11, 19, 27, 38, 46};
    for (auto _ : state) {
        int64_t total = 0;
        for (size_t off = 0; off < all.size(); off += kK)
            total += CountHits(kK, kK, all.data() + off, draw);
        benchmark::DoNotOptimize(total);
    }
    perCombination(state, Newton[kN][kK]);
}

void BM_CombToIndex(benchmark::State &state)
{
    const auto &all = allSixOfFortyNine();
    for (auto _ : state) {
        int64_t total = 0;
        for (size_t off = 0; off < all.size(); off += kK)
            total += CombToIndex(kN, kK, all.data() + off);
        benchmark::DoNotOptimize(total);
    }
    perCombination(state, Newton[kN][kK]);
}

void BM_IndexToComb(benchmark::State &state)
{
    uint8_t c[kK];
    for (auto _ : state) {
        for (int64_t index = 1; index <= Newton[kN][kK]; ++index) {
            IndexToComb(kN, kK, c, index);
            benchmark::DoNotOptimize(c);
        }
    }
    perCombination(state, Newton[kN][kK]);
}

// Rows of random 6-of-49 combinations, both halves equal.
std::vector<uint8_t> randomRows(int count)
{
    SeedRandom(0.5);
    std::vector<uint8_t> rows(static_cast<size_t>(count) * kK);
    for (int i = 0; i < count; ++i)
        RandomComb(rows.data() + static_cast<size_t>(i) * kK, kK, kN, true);
    return rows;
}

void fill(TCombList &list, const std::vector<uint8_t> &rows, int count, bool append)
{
    list.SetK(kK);
    for (int i = 0; i < count; ++i) {
        const uint8_t *c = rows.data() + static_cast<size_t>(i) * kK;
        list.Add(TCombRow{0, c, c}, append);
    }
}

void BM_CombListAppendThenSort(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    const auto rows = randomRows(count);
    for (auto _ : state) {
        TCombList list;
        fill(list, rows, count, true);
        list.SortByB(-1);
        benchmark::DoNotOptimize(list.GetIndex().GetItem(0));
    }
    perCombination(state, count);
}

void BM_CombListSortedInsertRandomOrder(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    const auto rows = randomRows(count);
    for (auto _ : state) {
        TCombList list;
        fill(list, rows, count, false);
        benchmark::DoNotOptimize(list.GetIndex().GetItem(0));
    }
    perCombination(state, count);
}

// Rows arriving in ascending order (lexicographic generation) each land at the end of the index.
void BM_CombListSortedInsertAscending(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    const auto &all = allSixOfFortyNine();
    for (auto _ : state) {
        TCombList list;
        list.SetK(kK);
        for (int i = 0; i < count; ++i) {
            const uint8_t *c = all.data() + static_cast<size_t>(i) * kK;
            list.Add(TCombRow{0, c, c}, false);
        }
        benchmark::DoNotOptimize(list.GetIndex().GetItem(0));
    }
    perCombination(state, count);
}

} // namespace

BENCHMARK(BM_NextComb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountHits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CombToIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndexToComb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CombListAppendThenSort)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CombListSortedInsertAscending)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CombListSortedInsertRandomOrder)->Arg(100'000)->Arg(300'000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
