// Timings of the per-draw table statistics: each over the real Lotto history, the five that take a system
// over a random system of 1,000,000 rows (all but the differences run on the GUI thread), and the
// frequency ranges with a look-back window of the whole history. Run from a Release build.
#include "bench/BenchSupport.h"
#include "core/ProgramParams.h"
#include "core/Knutt.h"
#include "core/UGlobalThreads.h"
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

#include <algorithm>
#include <map>
#include <memory>
#include <numeric>
#include <random>

namespace {

const TGameInfo *Lotto()
{
    return &testsupport::LottoGame().Info;
}

// A random system of Rows rows of 6 of 49, made once for each size.
TSystem &RandomRows(int32_t Rows)
{
    static std::map<int32_t, std::unique_ptr<TSysRnd>> systems;
    std::unique_ptr<TSysRnd> &system = systems[Rows];
    if (!system) {
        Limits.MaxComb = std::max(Limits.MaxComb, Rows);
        SeedRandom(0.5);
        system = std::make_unique<TSysRnd>(&testsupport::LottoGame());
        system->SetParams(49, 6, Rows);
        system->Generate();
    }
    return *system;
}

TSystem &MillionRows()
{
    return RandomRows(1'000'000);
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

// The differences' first table sorted by value, descending, over a random system (Arg: its rows), polled
// as on the window's worker: the columns of the large differences are 0 in all rows but a few, each one
// in order but for those.
void BM_DiffsSortedByValue(benchmark::State &State)
{
    TStatDiffs stat(Lotto(), &RandomRows(static_cast<int32_t>(State.range(0))), nullptr);
    stat.LoadSystem();
    Calculate(stat);
    TMyThread2 worker;
    stat.SortThread = &worker;
    for (auto _ : State) {
        // Back in the order of the computation, newest row first.
        State.PauseTiming();
        stat.SortDetailsByDraw(1, 1);
        State.ResumeTiming();
        stat.SortDetailsByValue(1, 1);
    }
    State.counters["rows"] = stat.DrawCount;
}

// What polling for a stop costs a sort: a column of 1,000,000 cells in random order (values 0..999, ties
// by draw) sorted by value without polls (Arg 0) and polled as on a window's worker (Arg 1).
void BM_PolledSortOfARandomColumn(benchmark::State &State)
{
    TStatDiffs stat(Lotto(), &MillionRows(), nullptr);
    stat.LoadSystem();
    std::vector<int32_t> draws(static_cast<size_t>(stat.DrawCount));
    std::iota(draws.begin(), draws.end(), 0);
    std::mt19937 random(7);
    std::shuffle(draws.begin(), draws.end(), random);
    TDets column(draws.size(), TDetRow(1));
    for (size_t row = 0; row < column.size(); ++row)
        column[row][0] = {draws[row], static_cast<int32_t>(random() % 1000)};
    TMyThread2 worker;
    if (State.range(0) == 1)
        stat.SortThread = &worker;
    for (auto _ : State) {
        State.PauseTiming();
        TDets dets = column;
        State.ResumeTiming();
        stat.SortDetColumn(dets, 0, &TStatDetails::CompareDetValue, 1);
    }
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
BENCHMARK(BM_DiffsSortedByValue)
    ->Arg(100'000)
    ->Arg(200'000)
    ->Arg(1'000'000)
    ->ArgName("rows")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_PolledSortOfARandomColumn)->Arg(0)->Arg(1)->ArgName("polled")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RangeFreqs)->Arg(10)->Arg(100)->Arg(3545)->ArgName("window")->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    platform::installDispatcher(std::make_shared<platform::QueueDispatcher>());
    return runBenchmarks(argc, argv);
}
