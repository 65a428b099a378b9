// Timing of a filter set over every combination of a 6 of 49 game, as filtering a full system does.
// Run from a Release build.
#include "bench/BenchSupport.h"
#include "core/UComb.h"
#include "engine/FilterKinds.h"
#include "engine/UFltCount.h"
#include "engine/UFltGroup.h"
#include "engine/UFltValue.h"
#include "engine/UGameMan.h"

#include <benchmark/benchmark.h>

#include <cstdint>
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

} // namespace

BENCHMARK(BM_FilterSetOfFive)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
