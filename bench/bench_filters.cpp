// Timing of a filter set over every combination of a 6 of 49 game, as filtering a full system does, of
// the drawn-numbers filter over the real Lotto history, and of value distributions over every
// combination, with and without comparison with that history. Run from a Release build.
#include "bench/BenchSupport.h"
#include "core/UComb.h"
#include "engine/FilterKinds.h"
#include "engine/UDrawsDB.h"
#include "engine/UEFilters.h"
#include "engine/UFltCount.h"
#include "engine/UFltGroup.h"
#include "engine/UFltRef.h"
#include "engine/UFltValue.h"
#include "engine/UGameMan.h"
#include "tests/fixtures/StatDrawHistories.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

template <typename TCond>
TFilter *member(const TGameData &game, uint32_t kind, const TCond &params)
{
    std::unique_ptr<TFilter> filter = CreateFilter(kind, &game, kN, kK, {});
    static_cast<TCondFilter<TCond> &>(*filter).Params = params;
    return filter.release();
}

// Two to four even numbers, a sum of 100..200, at most one run of consecutive numbers, a spread of
// at least 20, and no three numbers sharing a first digit.
void BM_FilterSetOfFive(benchmark::State &state)
{
    RegisterFilterKinds();
    TGameData game;
    game.Info.MaxNumber = kN;
    game.Info.Drawn = kK;
    TGroupFilter set(&game, kN, kK, {});
    set.AddFilter(member(game, fltPar, TCountCond{TRangeBlock{rmRange, 2, 4}, TRangeBlock{rmAll, 1, kN}}), false);
    set.AddFilter(member(game, fltSum, TRangeBlock{rmRange, 100, 200}), false);
    set.AddFilter(member(game, fltSucc, TGroupCond{TRangeBlock{rmAtMost, 0, 1}, TRangeBlock{rmAny, 2, kK}, 0}), false);
    set.AddFilter(member(game, fltDist, TRangeBlock{rmAtLeast, 20, 48}), false);
    TDigitGroupCond digits;
    digits.Count = TRangeBlock{rmExact, 0, 0};
    digits.Size = TRangeBlock{rmAtLeast, 3, kK};
    digits.Digits = "1111111111";
    set.AddFilter(member(game, fltGDigit1, digits), false);
    set.Build();

    const auto &all = allSixOfFortyNine();
    int64_t passed = 0;
    for (auto _ : state) {
        passed = 0;
        set.Prepare();
        for (size_t off = 0; off < all.size(); off += kK)
            passed += set.Test(all.data() + off);
        set.Finish();
        benchmark::DoNotOptimize(passed);
    }
    state.counters["passed"] = static_cast<double>(passed);
    state.counters["per_call"] =
        benchmark::Counter(static_cast<double>(Newton[kN][kK]),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// 20,000 random combinations of 6 of 49 (a fixed seed), six bytes each.
const std::vector<uint8_t> &sampleSixOfFortyNine()
{
    static const std::vector<uint8_t> sample = [] {
        std::mt19937 random(1949);
        std::vector<uint8_t> pool(kN);
        for (int i = 0; i < kN; ++i)
            pool[size_t(i)] = uint8_t(i + 1);
        std::vector<uint8_t> bytes;
        for (int i = 0; i < 20000; ++i) {
            std::shuffle(pool.begin(), pool.end(), random);
            std::sort(pool.begin(), pool.begin() + kK);
            bytes.insert(bytes.end(), pool.begin(), pool.begin() + kK);
        }
        return bytes;
    }();
    return sample;
}

// One drawn-numbers condition over every draw of the real history; its own copy of the history.
struct TDrawnNumbersBench {
    explicit TDrawnNumbersBench(const benchmark::State &state)
        : History(&testsupport::LottoGame(), -1), Filter(&testsupport::LottoGame(), kN, kK, {})
    {
        History.CopyDraws(testsupport::LottoHistory(), false);
        DefaultDrawsRange(Filter.Params.Range);
        Filter.Params.Count = TRangeBlock{rmRange, int32_t(state.range(0)), int32_t(state.range(1))};
        Filter.AddCondition();
        Filter.SetDrawsManager(&History);
    }

    TDrawsManager History;
    TFltDBCN Filter;
};

void countPerCombination(benchmark::State &state, int64_t Combinations, int64_t Passed)
{
    state.counters["passed"] = static_cast<double>(Passed);
    state.counters["per_comb"] = benchmark::Counter(static_cast<double>(Combinations),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

// Tests every combination of Combs (kK numbers each) in each iteration, between TakeDraws/Prepare and Finish.
void testEveryCombination(benchmark::State &state, const std::vector<uint8_t> &Combs)
{
    TDrawnNumbersBench bench(state);
    bench.Filter.TakeDraws();
    bench.Filter.Prepare();
    int64_t passed = 0;
    for (auto _ : state) {
        passed = 0;
        for (size_t off = 0; off < Combs.size(); off += kK)
            passed += bench.Filter.Test(Combs.data() + off);
        benchmark::DoNotOptimize(passed);
    }
    bench.Filter.Finish();
    countPerCombination(state, int64_t(Combs.size() / kK), passed);
}

// Args: min and max of the common numbers; the sample of random combinations.
void BM_DrawnNumbersSample(benchmark::State &state)
{
    testEveryCombination(state, sampleSixOfFortyNine());
}

// "Exactly 6" over every combination of 6 of 49, as filtering a full system does.
void BM_DrawnNumbersFullSystem(benchmark::State &state)
{
    testEveryCombination(state, allSixOfFortyNine());
}

// What a run pays once before its tests: taking the draws and preparing the condition.
void BM_DrawnNumbersPrepare(benchmark::State &state)
{
    TDrawnNumbersBench bench(state);
    for (auto _ : state) {
        bench.Filter.TakeDraws();
        bench.Filter.Prepare();
        bench.Filter.Finish();
    }
}

// The Lotto game with its prizes: 3 to 6 hits win.
const TGameData &prizeGame()
{
    static const TGameData game = [] {
        TGameData data;
        TGameInfo &g = data.Info;
        g = testsupport::LottoGame().Info;
        g.Id = 1;
        g.MinK = 6;
        g.BetSize = 6;
        g.MaxSize = 12;
        g.MultiFrom = 7;
        g.HasSystems = true;
        g.WinStake = Currency::fromCount(Currency::Scale);
        g.MinHits = {1, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3};
        g.Prizes.assign(12, std::vector<Currency>(12, Currency()));
        for (auto &prizes : g.Prizes) {
            prizes[2] = Currency::fromCount(24 * Currency::Scale);
            prizes[3] = Currency::fromCount(150 * Currency::Scale);
            prizes[4] = Currency::fromCount(4000 * Currency::Scale);
            prizes[5] = Currency::fromCount(2000000 * Currency::Scale);
        }
        BuildLevelCounts(g);
        BuildHitsTable(g);
        return data;
    }();
    return game;
}

// Args: the exploration code; 1 to compare with every draw of the real history.
void BM_EFilterFullSystem(benchmark::State &state)
{
    const auto &all = allSixOfFortyNine();
    const int64_t total = Newton[kN][kK];
    int32_t rows = 0;
    for (auto _ : state) {
        auto filter = CreateEFilter(uint32_t(state.range(0)), &prizeGame(), kN, {}, total, kK);
        if (state.range(1) != 0) {
            TDrawsRange range;
            DefaultDrawsRange(range);
            filter->SetDrawsRange(range, testsupport::LottoHistory());
        }
        filter->Reset();
        for (size_t off = 0; off < all.size(); off += kK)
            filter->AddComb(all.data() + off);
        filter->Finish();
        filter->FreeCounters();
        rows = filter->RowCount;
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = rows;
    state.counters["per_comb"] = benchmark::Counter(static_cast<double>(total),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_EFilterFullSystem)
    ->Args({efltSum, 0})
    ->Args({efltSucc, 0})
    ->Args({efltSum, 1})
    ->Args({efltSucc, 1})
    ->ArgNames({"kind", "compare"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterSetOfFive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawnNumbersSample)
    ->Args({6, 6})
    ->Args({5, 5})
    ->Args({4, 6})
    ->Args({4, 4})
    ->Args({3, 3})
    ->Args({2, 2})
    ->Args({1, 2})
    ->Args({0, 0})
    ->ArgNames({"min", "max"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawnNumbersFullSystem)->Args({6, 6})->ArgNames({"min", "max"})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawnNumbersPrepare)->Args({6, 6})->ArgNames({"min", "max"})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
