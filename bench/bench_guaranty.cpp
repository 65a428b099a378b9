// Timings of the exact guarantee calculation: a classic system of 163 rows on the 49 numbers of a 6 of 49
// game against all 13,983,816 drawn sets. Argument: threads (0: all the processor has). Run from a
// Release build.
#include "core/UComb.h"
#include "engine/UGameMan.h"
#include "engine/UGuaranty.h"
#include "engine/USysShort.h"

#include <benchmark/benchmark.h>

#include <thread>

namespace {

TGameData SixOfFortyNine()
{
    TGameData game;
    TGameInfo &g = game.Info;
    g.Id = 1;
    g.MaxNumber = 49;
    g.Drawn = 6;
    g.MinK = 1;
    g.MaxK = 6;
    g.BetSize = 6;
    g.MaxSize = 6;
    g.BasicStake = Currency::fromDouble(3);
    g.WinStake = Currency::fromDouble(1);
    g.MinHits = {1, 1, 2, 2, 3, 3};
    g.Prizes.assign(6, {Currency(), Currency(), Currency::fromDouble(24), Currency::fromDouble(170),
                        Currency::fromDouble(5000), Currency::fromDouble(2000000)});
    BuildLevelCounts(g);
    return game;
}

void BM_GuarantyExact(benchmark::State &state)
{
    const TGameData game = SixOfFortyNine();
    TSysShort system(&game);
    system.RandomTies = false;
    system.SetParams(49, 6, 163);
    if (!system.Generate(true))
        state.SkipWithError("the system was not built");
    TBlock all;
    all.Size = 49;
    all.Hits = 6;
    for (int i = 1; i <= 49; ++i)
        all.Numbers.push_back(uint8_t(i));
    const unsigned threads =
        state.range(0) > 0 ? unsigned(state.range(0)) : std::thread::hardware_concurrency();
    size_t vectors = 0;
    for (auto _ : state) {
        TGuaranty guaranty(&game, {}, {all}, system);
        guaranty.ThreadCount = threads;
        guaranty.CalcExact();
        if (guaranty.Total != Newton[49][6])
            state.SkipWithError("not every drawn set was counted");
        vectors = guaranty.Vectors.size();
    }
    state.counters["threads"] = threads;
    state.counters["vectors"] = double(vectors);
}

BENCHMARK(BM_GuarantyExact)->Arg(1)->Arg(2)->Arg(4)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
