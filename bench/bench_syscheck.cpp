// Timings of the system check: a classic 6 of 49 system of 30,000 and of 300,000 rows checked against
// every draw of the shipped Lotto history, scored by the shipped Lotto game's prizes. Run each size in a
// process of its own from a Release build, e.g.
//   bench_syscheck --benchmark_filter='BM_SystemCheck/30000'
#include "bench/BenchSupport.h"
#include "core/RuntimeRandom.h"
#include "core/UGlobalProgress.h"
#include "engine/UStatDrawsMan.h"
#include "engine/USysShort.h"
#include "syswindows/SystemCheck.h"
#include "tests/fixtures/StatDrawHistories.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

// Arg: the system's rows.
void BM_SystemCheck(benchmark::State &State)
{
    TGameData game;
    game.Info = shippedGame("Lotto");
    SetRuntimeRandSeed(12345);
    TSysShort system(&game);
    system.SetParams(49, 6, int32_t(State.range(0)));
    if (!system.Generate(true))
        State.SkipWithError("the system was not built");
    TStatDraws draws;
    TDrawsRange every;
    StatDrawsMan.LoadRange(draws, testsupport::LottoHistory(), every);
    StatDrawsMan.SortByDate(draws, 1);
    TSystemCheck check;
    for (auto _ : State) {
        check.Reset(game.Info, system.N, system.K);
        TProgress progress;
        progress.Init(10000, int64_t(system.ViewCount()) * int64_t(draws.size()), 0);
        for (size_t i = 0; i < draws.size(); ++i) {
            TCheckRow row = check.Check(system, draws[i].Numbers.data(), int(draws[i].Numbers.size()), progress);
            row.Index = int32_t(i);
            row.Date = draws[i].Date;
            check.AddResult(std::move(row));
        }
    }
    State.counters["draws"] = double(draws.size());
    State.counters["single_hits"] = double(check.Totals.Hits.back());
    State.counters["win"] = check.Totals.Win.toDouble();
}

} // namespace

BENCHMARK(BM_SystemCheck)->Arg(30000)->Arg(300000)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
