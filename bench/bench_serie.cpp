// Timings of the series and breaks statistic over the real Lotto history: pairs, triples and quadruples
// in the method the statistic chooses, and quadruples also in the all-combinations method, which a free
// memory too small for the visited set beside the per-combination rows forces. Every run keeps the
// per-combination rows with their standard deviation. Run from a Release build.
#include "bench/BenchSupport.h"
#include "platform/Dispatcher.h"
#include "platform/MemoryStatus.h"
#include "stats/UStatSerieBreak.h"
#include "tests/fixtures/StatDrawHistories.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

namespace {

// Args: series (1) or breaks (0), combination length, forced all-combinations method (1) or the choice (0).
void BM_LottoHistory(benchmark::State &State)
{
    const auto k = static_cast<int32_t>(State.range(1));
    if (State.range(2) != 0) {
        const auto combs = static_cast<uint64_t>(Newton[49][static_cast<size_t>(k)]);
        const uint64_t bytes = (combs * sizeof(TSerieCombItem) + combs / 16) * 10 / 9;
        platform::setAvailableMemoryProbe([bytes] { return bytes; });
    }
    TStatSerieBreak stat(&testsupport::LottoGame().Info, State.range(0) != 0, nullptr, nullptr);
    stat.LoadDraws(TDrawsRange{}, testsupport::LottoHistory(), -1);
    for (auto _ : State) {
        stat.SetParams(k, true, true, false, {});
        stat.Start();
        stat.Thread->WaitFor();
    }
    platform::setAvailableMemoryProbe({});
    State.counters["method"] = stat.Method;
    State.counters["rows"] = stat.CombRowCount;
}

} // namespace

BENCHMARK(BM_LottoHistory)
    ->ArgsProduct({{1, 0}, {2, 3, 4}, {0}})
    ->ArgsProduct({{1, 0}, {4}, {1}})
    ->ArgNames({"series", "k", "forced"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char **argv)
{
    platform::installDispatcher(std::make_shared<platform::QueueDispatcher>());
    return runBenchmarks(argc, argv);
}
