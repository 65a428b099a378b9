// Timings of the system check: a classic 6 of 49 system of 30,000 and of 300,000 rows checked against
// every draw of the shipped Lotto history on a worker, scored by the shipped Lotto game's prizes, with the
// copies the check window makes before it starts. Run each size in a process of its own from a Release
// build, e.g.
//   bench_syscheck --benchmark_filter='BM_SystemCheck/30000/'
#include "bench/BenchSupport.h"
#include "core/RuntimeRandom.h"
#include "core/UGlobalThreads.h"
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
        TCheckJob job(check, system, CheckDrawsOf(draws));
        job.Progress.Init(10000, int64_t(system.ViewCount()) * int64_t(draws.size()), 0);
        TMyThread2 worker;
        worker.Proc = [&job](TMyThread &Thread) { job.Execute(Thread); };
        worker.Resume();
        worker.WaitFor();
        for (TCheckRow &row : job.Rows)
            check.AddResult(std::move(row));
    }
    State.counters["draws"] = double(draws.size());
    State.counters["single_hits"] = double(check.Totals.Hits.back());
    State.counters["win"] = check.Totals.Win ? check.Totals.Win->toDouble() : 0;
}

} // namespace

BENCHMARK(BM_SystemCheck)->Arg(30000)->Arg(300000)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
