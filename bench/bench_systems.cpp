// Timings of generating the classic abbreviated system and of the logical operations on systems. Run
// from a Release build. The "peak_MB" counter is the process's peak resident memory so far: run one size
// per process to read that size's peak, e.g.
//   bench_systems --benchmark_filter='BM_SysShortGenerate/49/6/1000000/'
#include "core/ProgramParams.h"
#include "core/RuntimeRandom.h"
#include "core/UComb.h"
#include "engine/UGameMan.h"
#include "engine/USysOper.h"
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

// Composition of two systems of 30,000 rows of 6 of 49 that all hold the number 1: 9 x 10^8 tuples, none
// kept.
void BM_SysOperComposeNoneKept(benchmark::State &state)
{
    TGameData game;
    game.Info.MaxNumber = 49;
    TSysUser a(&game), b(&game);
    a.SetParams(6, 0);
    b.SetParams(6, 0);
    TDynByteArr rest, row(6, 1);
    for (int i = 0; i < 30'000; ++i) {
        NextComb(rest, 48, 5, i == 0); // 1..48, shifted to 2..49 behind the 1
        for (int j = 0; j < 5; ++j)
            row[size_t(j) + 1] = uint8_t(rest[size_t(j)] + 1);
        a.AppendComb(row.data());
        b.AppendComb(row.data());
    }
    for (TSysUser *s : {&a, &b})
        s->RefreshView(true);
    TSysOper oper(nullptr);
    for (auto _ : state) {
        oper.Reset(&game);
        if (!oper.Compose({&a, &b}, true) || oper.ResultCount != 0)
            state.SkipWithError("the composition kept a tuple");
        oper.Finish();
    }
    state.counters["tuples_per_s"] = benchmark::Counter(9e8, benchmark::Counter::kIsIterationInvariantRate);
}

// Complement of a classic system of 1,000 rows of 6 of 30 numbers: 592,775 rows built.
void BM_SysOperComplement(benchmark::State &state)
{
    const TLimits saved = Limits;
    Limits.MaxComb = 1'000'000;
    TGameData game;
    game.Info.MaxNumber = 49;
    SetRuntimeRandSeed(12345);
    TSysShort system(&game);
    system.SetParams(30, 6, 1'000);
    if (!system.Generate(true))
        state.SkipWithError("the system was not built");
    TSysOper oper(nullptr);
    for (auto _ : state) {
        oper.Reset(&game);
        if (!oper.Complement(system, true) || oper.ResultCount != 592'775)
            state.SkipWithError("the complement is wrong");
        oper.Finish();
        benchmark::DoNotOptimize(oper.Result->GetComb(0, true));
    }
    state.counters["peak_MB"] = peakResidentMegabytes();
    Limits = saved;
}

} // namespace

BENCHMARK(BM_SysOperComposeNoneKept)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SysOperComplement)->Unit(benchmark::kMillisecond);

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

BENCHMARK_MAIN();
