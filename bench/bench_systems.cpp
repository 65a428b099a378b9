// Timings of generating the classic and the random abbreviated systems. Run from a Release build. The
// "peak_MB" counter is the process's peak resident memory so far: run one size per process to read that
// size's peak, e.g.
//   bench_systems --benchmark_filter='BM_SysShortGenerate/49/6/1000000/'
#include "core/Knutt.h"
#include "core/RuntimeRandom.h"
#include "engine/UGameMan.h"
#include "engine/USysRnd.h"
#include "engine/USysShort.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdint>

namespace {

double peakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

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

BENCHMARK(BM_SysRndGenerate)->Args({49, 6, 1'000'000})->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
