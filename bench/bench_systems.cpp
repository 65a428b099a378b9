// Timings of generating the classic abbreviated system. Run from a Release build.
#include "core/RuntimeRandom.h"
#include "engine/UGameMan.h"
#include "engine/USysShort.h"

#include <benchmark/benchmark.h>

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
}

} // namespace

BENCHMARK(BM_SysShortGenerate)
    ->Args({49, 6, 30'000, 1})
    ->Args({49, 6, 30'000, 0})
    ->Args({30, 10, 1'000, 1})
    ->Args({30, 10, 1'000, 0})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
