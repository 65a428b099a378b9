// Timings of the optimal-combination search over the real Lotto history, scored by the shipped Lotto
// game's prizes: the exhaustive search of the pools 1..20 and 1..25 at 6 numbers (38,760 and 177,100
// combinations), and the genetic search of 1,000 generations over all 49 numbers. By prize the genetic
// search ends at break-even, which a past draw reaches (its seeds are the past draws); by weighted hits
// (3 to 6) it runs every generation. Run each case alone (--benchmark_filter) for its own peak memory.
// Run from a Release build.
#include "bench/BenchSupport.h"
#include "platform/Dispatcher.h"
#include "stats/UStatBestComb.h"
#include "tests/fixtures/StatDrawHistories.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const TGameInfo &ShippedLotto()
{
    static const TGameInfo game = shippedGame("Lotto");
    return game;
}

// Args: genetic (1) or exhaustive (0), pool 1..n, weighted hits (1) or prize (0), generations.
void BM_LottoBestComb(benchmark::State &State)
{
    const bool useGA = State.range(0) != 0, weighted = State.range(2) != 0;
    std::vector<uint8_t> pool;
    for (int n = 1; n <= State.range(1); ++n)
        pool.push_back(static_cast<uint8_t>(n));
    int64_t bests = 0;
    double win = 0; // of the last best
    TStatBestComb stat(
        &ShippedLotto(), nullptr,
        [&](TStatBestComb &S) {
            ++bests;
            win = S.PrizeValue.toDouble();
        },
        nullptr);
    stat.Gen.SetSeed(0.25);
    stat.LoadDraws(TDrawsRange{}, testsupport::LottoHistory(), -1);
    for (auto _ : State) {
        bests = 0;
        stat.SetParams(useGA, static_cast<int32_t>(State.range(3)), 6, pool.data(),
                       static_cast<int32_t>(pool.size()), nullptr, 0, weighted, 3, 6, false);
        stat.Start();
        if (!stat.Thread)
            State.SkipWithError("the search was refused");
        else
            stat.Thread->WaitFor();
    }
    State.counters["draws"] = stat.DrawCount;
    State.counters["bests"] = static_cast<double>(bests);
    State.counters["win"] = win;
    if (useGA) {
        State.counters["fitness"] = stat.Gen.BestFitness;
        State.counters["best_generation"] = stat.Gen.BestGeneration;
    }
    State.counters["peak_MB"] = peakResidentMegabytes();
}

} // namespace

BENCHMARK(BM_LottoBestComb)
    ->Args({0, 20, 0, 0})
    ->Args({0, 25, 0, 0})
    ->Args({1, 49, 0, 1000})
    ->Args({1, 49, 1, 1000})
    ->ArgNames({"ga", "pool", "weighted", "generations"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char **argv)
{
    platform::installDispatcher(std::make_shared<platform::QueueDispatcher>());
    return runBenchmarks(argc, argv);
}
