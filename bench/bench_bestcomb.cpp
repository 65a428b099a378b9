// Timings of the optimal-combination search over the real Lotto history, scored by the shipped Lotto
// game's prizes: the exhaustive search of the pools 1..20, 1..25 and 1..49 at 6 numbers (38,760, 177,100
// and 13,983,816 combinations), and the genetic search of 1,000 generations over all 49 numbers. By prize
// the genetic search ends at break-even, which a past draw reaches (its seeds are the past draws); by
// weighted hits (3 to 6) it runs every generation. Each exhaustive case is followed by its reference, a
// plain brute force on one thread (one popcount of the combination's numbers against each draw's), which
// must find the same improving rows: brute_ms is its time, per_brute the search's time over it. Run each
// case alone (--benchmark_filter) for its own peak memory; the pool 1..49 takes about a minute, mostly the
// brute force. Run from a Release build.
#include "bench/BenchSupport.h"
#include "core/HitHistogram.h"
#include "platform/Dispatcher.h"
#include "stats/UStatBestComb.h"
#include "tests/fixtures/StatDrawHistories.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace {

const TGameInfo &ShippedLotto()
{
    static const TGameInfo game = shippedGame("Lotto");
    return game;
}

// A new best of the search: its combination and win.
struct TImprovement {
    TDynByteArr Comb;
    Currency Win;
    friend bool operator==(const TImprovement &, const TImprovement &) = default;
};

double MillisecondsSince(std::chrono::steady_clock::time_point Start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
}

// The improving rows of the exhaustive search by prize of the 6-combinations of 1..PoolTo, counted
// plainly: every combination's numbers against each draw's with one popcount, on one thread.
std::vector<TImprovement> BruteForceBests(const TGameInfo &Game, const TStatDraws &Draws, int PoolTo)
{
    constexpr int combLen = 6;
    constexpr size_t stride = combLen + 1;
    std::vector<TNumberMask> drawn;
    for (const TStatDraw &draw : Draws)
        drawn.push_back(MaskOf(draw.Numbers.data(), std::min(int(draw.Numbers.size()), int(Game.Drawn))));
    THitsInfo levels;
    levels.Init(Game, Game.MaxNumber, combLen, false);
    std::vector<int32_t> lanes(HitLanes * stride);
    TDynIntArr hist(size_t(levels.LevelCount));
    std::vector<TImprovement> bests;
    Currency best;
    TDynByteArr comb;
    for (int64_t i = 0; i < Newton[size_t(PoolTo)][combLen]; ++i) {
        NextComb(comb, uint8_t(PoolTo), combLen, i == 0);
        std::fill(lanes.begin(), lanes.end(), 0);
        HitHistogram(drawn.data(), drawn.size(), MaskOf(comb.data(), combLen), false, lanes.data(), stride);
        for (int hits = levels.LowHits; hits <= levels.HighHits; ++hits) {
            int32_t draws = 0;
            for (size_t lane = 0; lane < HitLanes; ++lane)
                draws += lanes[lane * stride + size_t(hits)];
            hist[size_t(levels.HighHits - hits)] = draws;
        }
        const Currency win = WinAmount(Game, combLen, levels.HighHits, hist.data(), levels.LevelCount);
        if (win > best) {
            best = win;
            bests.push_back({comb, win});
        }
    }
    return bests;
}

// Args: genetic (1) or exhaustive (0), pool 1..n, weighted hits (1) or prize (0), generations.
void BM_LottoBestComb(benchmark::State &State)
{
    const bool useGA = State.range(0) != 0, weighted = State.range(2) != 0;
    std::vector<uint8_t> pool;
    for (int n = 1; n <= State.range(1); ++n)
        pool.push_back(static_cast<uint8_t>(n));
    std::vector<TImprovement> bests;
    TStatBestComb stat(
        &ShippedLotto(), nullptr,
        [&](TStatBestComb &S) {
            bests.push_back({S.Comb, S.PrizeValue});
        },
        nullptr);
    stat.Gen.SetSeed(0.25);
    stat.LoadDraws(TDrawsRange{}, testsupport::LottoHistory(), -1);
    double searchMs = 0;
    for (auto _ : State) {
        const auto start = std::chrono::steady_clock::now();
        bests.clear();
        stat.SetParams(useGA, static_cast<int32_t>(State.range(3)), 6, pool.data(),
                       static_cast<int32_t>(pool.size()), nullptr, 0, weighted, 3, 6, false);
        stat.Start();
        if (!stat.Thread)
            State.SkipWithError("the search was refused");
        else
            stat.Thread->WaitFor();
        searchMs += MillisecondsSince(start);
    }
    State.counters["draws"] = stat.DrawCount;
    State.counters["bests"] = static_cast<double>(bests.size());
    State.counters["win"] = bests.empty() ? 0 : bests.back().Win.toDouble();
    if (!useGA && !weighted) {
        const auto start = std::chrono::steady_clock::now();
        const std::vector<TImprovement> reference =
            BruteForceBests(ShippedLotto(), stat.Draws, static_cast<int>(State.range(1)));
        const double bruteMs = MillisecondsSince(start);
        if (reference != bests)
            State.SkipWithError("the brute force found other improving rows");
        State.counters["brute_ms"] = bruteMs;
        State.counters["per_brute"] = searchMs / static_cast<double>(State.iterations()) / bruteMs;
    }
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
    ->Args({0, 49, 0, 0})
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
