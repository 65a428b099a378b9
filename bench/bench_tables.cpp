// Timings of the per-draw table statistics: each over the real Lotto history, the five that take a system
// over a random system of 1,000,000 rows (all but the differences run on the GUI thread), and the
// frequency ranges with a look-back window of the whole history. Run from a Release build.
#include "bench/BenchSupport.h"
#include "core/ProgramParams.h"
#include "core/RuntimeRandom.h"
#include "platform/Dispatcher.h"
#include "engine/USysRnd.h"
#include "stats/UStatDiff.h"
#include "stats/UStatDigits.h"
#include "stats/UStatIntervals.h"
#include "stats/UStatMisc.h"
#include "stats/UStatRangeFreqs.h"
#include "stats/UStatSuccNums.h"
#include "tests/fixtures/StatDrawHistories.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const TGameInfo *Lotto()
{
    return &testsupport::LottoGame().Info;
}

TSystem &MillionRows()
{
    static const std::unique_ptr<TSysRnd> system = [] {
        Limits.MaxComb = 1'000'000;
        SetRuntimeRandSeed(12345);
        auto rnd = std::make_unique<TSysRnd>(&testsupport::LottoGame());
        rnd->SetParams(49, 6, 1'000'000);
        rnd->Generate();
        return rnd;
    }();
    return *system;
}

template <typename TStatistic> void Calculate(TStatistic &Stat)
{
    Stat.Calculate();
}

// The differences compute in their worker.
void Calculate(TStatDiffs &Stat)
{
    Stat.Start();
    Stat.Thread->WaitFor();
}

// Loads the statistic over the history (range 0) or the system (range 1), then calculates per iteration.
template <typename TStatistic> void Run(benchmark::State &State, TStatistic &Stat)
{
    if (State.range(0) == 0)
        Stat.LoadDraws(TDrawsRange{}, testsupport::LottoHistory(), -1);
    else
        Stat.LoadSystem();
    for (auto _ : State)
        Calculate(Stat);
    State.counters["rows"] = Stat.DrawCount;
    State.counters["peak_MB"] = peakResidentMegabytes();
}

TSystem *Source(benchmark::State &State)
{
    return State.range(0) == 0 ? nullptr : &MillionRows();
}

void BM_Misc(benchmark::State &State)
{
    TStatMisc stat(Lotto(), Source(State), nullptr);
    Run(State, stat);
}

void BM_Succ(benchmark::State &State)
{
    TStatSucc stat(Lotto(), Source(State), nullptr);
    Run(State, stat);
}

void BM_Intervals(benchmark::State &State)
{
    TStatIntervals stat(Lotto(), Source(State), nullptr);
    TIntervals ranges;
    for (uint8_t from = 1; from <= 49; from += 10)
        ranges.push_back({from, static_cast<uint8_t>(from + 9), {}});
    stat.SetIntervals(ranges);
    Run(State, stat);
}

void BM_Diffs(benchmark::State &State)
{
    TStatDiffs stat(Lotto(), Source(State), nullptr);
    Run(State, stat);
}

void BM_Digits(benchmark::State &State)
{
    TStatDigits stat(Lotto(), Source(State), nullptr);
    Run(State, stat);
}

// Arg: the look-back window in draws.
void BM_RangeFreqs(benchmark::State &State)
{
    TStatRangeFreqs stat(Lotto(), nullptr);
    stat.LoadDraws(TDrawsRange{}, testsupport::LottoHistory(), -1);
    stat.SetParams(testsupport::LottoHistory(), static_cast<int32_t>(State.range(0)), true, 30, 30);
    for (auto _ : State)
        stat.Calculate();
    State.counters["rows"] = stat.DrawCount;
}

} // namespace

// Arg: 0 the Lotto history, 1 a system of 1,000,000 rows.
BENCHMARK(BM_Misc)->Arg(0)->Arg(1)->ArgName("system")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Succ)->Arg(0)->Arg(1)->ArgName("system")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Intervals)->Arg(0)->Arg(1)->ArgName("system")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Diffs)->Arg(0)->Arg(1)->ArgName("system")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Digits)->Arg(0)->Arg(1)->ArgName("system")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RangeFreqs)->Arg(10)->Arg(100)->Arg(3545)->ArgName("window")->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    platform::installDispatcher(std::make_shared<platform::QueueDispatcher>());
    return runBenchmarks(argc, argv);
}
