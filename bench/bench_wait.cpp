// Timings of the waiting statistic over the real Lotto history: pairs, triples and quadruples, waiting for
// 10 % and 50 % of all combinations and the cover of windows of 10 and 100 draws. Run from a Release build.
#include "bench/BenchSupport.h"
#include "platform/Dispatcher.h"
#include "stats/UStatWait.h"
#include "tests/fixtures/StatDrawHistories.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Args: combination length, mode (1 waiting, 0 window), the percent waited for or the window.
void BM_LottoWait(benchmark::State &State)
{
    TStatWait stat(&testsupport::LottoGame().Info, nullptr, nullptr);
    stat.LoadDraws(TDrawsRange{}, testsupport::LottoHistory(), -1);
    for (auto _ : State) {
        const auto size = static_cast<int32_t>(State.range(2));
        stat.SetParams(static_cast<uint8_t>(State.range(1)), static_cast<int32_t>(State.range(0)),
                       size / 100.0f, size);
        stat.Start();
        stat.Thread->WaitFor();
    }
    State.counters["mean"] = stat.SummaryRows.empty() ? 0 : stat.SummaryRows[0].Mean;
}

} // namespace

BENCHMARK(BM_LottoWait)
    ->ArgsProduct({{2, 3, 4}, {1}, {10, 50}})
    ->ArgsProduct({{2, 3, 4}, {0}, {10, 100}})
    ->ArgNames({"k", "mode", "size"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char **argv)
{
    platform::installDispatcher(std::make_shared<platform::QueueDispatcher>());
    return runBenchmarks(argc, argv);
}
