// Timings of generating the classic, the random abbreviated and the guaranteed systems and of marking a full system in
// too-many mode. Run from a Release build. The "peak_MB" counter is the process's peak resident memory so
// far: run one size per process to read that size's peak, e.g.
//   bench_systems --benchmark_filter='BM_SysShortGenerate/49/6/1000000/'
#include "bench/BenchSupport.h"
#include "core/Knutt.h"
#include "core/RuntimeRandom.h"
#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "engine/FilterKinds.h"
#include "engine/UFltValue.h"
#include "engine/UGameMan.h"
#include "engine/USysFull.h"
#include "engine/USysGuar.h"
#include "engine/USysRnd.h"
#include "engine/USysShort.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>

namespace {

// Arguments: numbers, numbers per combination, combinations, random ties (0 or 1).
void BM_SysShortGenerate(benchmark::State &state)
{
    const int n = int(state.range(0)), k = int(state.range(1));
    const int32_t count = int32_t(state.range(2));
    TGameData game;
    game.Info.MaxNumber = uint8_t(n);
    SetRuntimeRandSeed(12345);
    for (auto _ : state) {
        TSysShort system(&game);
        system.RandomTies = state.range(3) != 0;
        system.SetParams(n, k, count);
        if (!system.Generate(true) || system.GetCount() != count)
            state.SkipWithError("the system was not built");
        benchmark::DoNotOptimize(system.GetComb(0, true));
    }
    state.counters["per_row"] = benchmark::Counter(
        double(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["peak_MB"] = peakResidentMegabytes();
}

// Every combination of 6 of 49 through the sum filter, in too-many mode. Arguments: the lowest and the
// highest sum kept (a wide range keeps too many to set aside, a narrow one fewer than the limit).
void BM_SysFullMarkTooMany(benchmark::State &state)
{
    RegisterFilterKinds();
    TGameData game;
    game.Info.MaxNumber = 49;
    TSysFull system(&game);
    system.SetParams(49, 6);
    if (!system.TooMany)
        state.SkipWithError("not in too-many mode");
    TGroupFilter set(&game, 49, 6, system.Key);
    auto filter = std::make_unique<TFltSum>(&game, 49, 6, system.Key);
    filter->Params = TRangeBlock{rmRange, int32_t(state.range(0)), int32_t(state.range(1))};
    set.AddFilter(filter.release(), false);
    set.FindType = true;
    set.Build();
    if (set.BuiltCount != 1)
        state.SkipWithError("the filter was not built");
    TMyThread2 notStopped;
    int64_t passed = 0;
    for (auto _ : state)
        passed = system.MarkByFilter(set, notStopped, {});
    state.counters["passed"] = double(passed);
    state.counters["kept"] = system.Results.GetCount();
    state.counters["per_comb"] = benchmark::Counter(
        double(Newton[49][6]), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Arguments: numbers, numbers per combination, combinations.
void BM_SysRndGenerate(benchmark::State &state)
{
    const int n = int(state.range(0)), k = int(state.range(1));
    const int32_t count = int32_t(state.range(2));
    TGameData game;
    game.Info.MaxNumber = uint8_t(n);
    SeedRandom(0.5);
    for (auto _ : state) {
        TSysRnd system(&game);
        system.SetParams(n, k, count);
        if (!system.Generate() || system.GetCount() != count)
            state.SkipWithError("the system was not built");
        benchmark::DoNotOptimize(system.GetComb(0, true));
    }
    state.counters["per_row"] = benchmark::Counter(
        double(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["peak_MB"] = peakResidentMegabytes();
}

// Tickets of 6 numbers. Arguments: numbers, guaranteed hits, numbers drawn among them. "rows" is the
// smallest size over the iterations, "bound" GuarMinCombs.
void BM_SysGuarBuild(benchmark::State &state)
{
    const int n = int(state.range(0)), g = int(state.range(1)), h = int(state.range(2));
    TGameData game;
    game.Info.MaxNumber = uint8_t(n);
    TMyThread2 notStopped;
    int64_t fewest = INT64_MAX;
    for (auto _ : state) {
        TSysGuar system(&game);
        system.SetParams(n, 6, g, h);
        system.Build(notStopped);
        if (system.State != 0)
            state.SkipWithError("the system was not built");
        fewest = std::min(fewest, system.GetCount());
    }
    state.counters["rows"] = double(fewest);
    state.counters["bound"] = double(GuarMinCombs(n, 6, g, h));
}

} // namespace

BENCHMARK(BM_SysShortGenerate)
    ->Args({49, 6, 30'000, 1})
    ->Args({49, 6, 30'000, 0})
    ->Args({30, 10, 1'000, 1})
    ->Args({30, 10, 1'000, 0})
    ->Unit(benchmark::kMillisecond);

// The sizes a player asks of the window: 100,000 to 1,000,000 rows of 6 of 49.
BENCHMARK(BM_SysShortGenerate)
    ->Args({49, 6, 100'000, 0})
    ->Args({49, 6, 300'000, 0})
    ->Args({49, 6, 1'000'000, 0})
    ->Args({49, 6, 100'000, 1})
    ->Args({49, 6, 300'000, 1})
    ->Args({49, 6, 1'000'000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_SysFullMarkTooMany)->Args({100, 200})->Args({21, 40})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SysRndGenerate)->Args({49, 6, 1'000'000})->Iterations(3)->Unit(benchmark::kMillisecond);

// 3 if 3 on 9 (optimum 7), 4 if 5 on 10 (optimum 7), 4 if 4 on 12 (best known 41), 4 if 6 on 20, 5 if 6 on 30.
BENCHMARK(BM_SysGuarBuild)
    ->Args({9, 3, 3})
    ->Args({10, 4, 5})
    ->Args({12, 4, 4})
    ->Args({20, 4, 6})
    ->Args({30, 5, 6})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
