// Timings of the logical operations on systems. Run from a Release build.
#include "bench/BenchSupport.h"
#include "core/Knutt.h"
#include "core/ProgramParams.h"
#include "core/RuntimeRandom.h"
#include "core/UComb.h"
#include "engine/UGameMan.h"
#include "engine/USysOper.h"
#include "engine/USysRnd.h"
#include "engine/USysShort.h"
#include "engine/USysUser.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>

namespace {

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

// Union of a random system of 6 of 49 (Arg: its rows) with the same system again, as of one file opened
// twice, sorted by numbers: two sorted runs, one after the other.
void BM_SysOperUnionOfTheSameSystem(benchmark::State &state)
{
    const TLimits saved = Limits;
    const auto rows = int32_t(state.range(0));
    Limits.MaxComb = 2 * rows;
    TGameData game;
    game.Info.MaxNumber = 49;
    TSysRnd a(&game), b(&game);
    for (TSysRnd *system : {&a, &b}) {
        SeedRandom(0.5);
        system->SetParams(49, 6, rows);
        if (!system->Generate())
            state.SkipWithError("the system was not built");
    }
    for (int i = 0; i < rows; ++i)
        if (std::memcmp(a.GetComb(i, true), b.GetComb(i, true), 6) != 0)
            state.SkipWithError("the systems differ");
    TSysOper oper(nullptr);
    for (auto _ : state) {
        oper.Reset(&game);
        if (!oper.Union({&a, &b}, true) || !oper.Finish() || oper.Result->ViewCount() != 2 * rows)
            state.SkipWithError("the union is wrong");
    }
    state.counters["rows"] = 2.0 * rows;
    Limits = saved;
}

} // namespace

BENCHMARK(BM_SysOperUnionOfTheSameSystem)
    ->Arg(100'000)
    ->Arg(200'000)
    ->Arg(500'000)
    ->ArgName("rows")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SysOperComposeNoneKept)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SysOperComplement)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
