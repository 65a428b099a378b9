// Timings of the frequency statistic: pairs, triples and quadruples over the real Lotto history in the
// method the statistic chooses and in each counting method, the never-drawn quintuples and sextuples of
// that history, and triples over 20,000 draws of 20 of 80. Run from a Release build.
#include "bench/BenchSupport.h"
#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "platform/Dispatcher.h"
#include "stats/UStatFreq.h"
#include "tests/fixtures/StatDrawHistories.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The statistic, run in the method it chooses (0) or in a given one.
class TBenchFreq : public TStatFreq {
public:
    explicit TBenchFreq(const TGameInfo &Game) : TStatFreq(&Game, nullptr, nullptr, nullptr, nullptr) {}

    void Run(int CombLen, uint8_t AMode, int AMinFreq = 1)
    {
        SetParams(CombLen, AMinFreq, {}, false, 0, false);
        if (AMode == 0) {
            if (!Start())
                return;
        } else {
            if (!PrepareMode(AMode))
                return;
            StartCounting();
        }
        Thread->WaitFor();
    }
};

const TGameInfo &MultiGame()
{
    static const TGameInfo game = testsupport::MakeGame(80, 20, 10);
    return game;
}

// 20,000 random draws of 20 of 80, one day apart.
const TStatDraws &MultiDraws()
{
    static const TStatDraws draws = testsupport::RandomDraws(20000, 80, 20, 2024);
    return draws;
}

void Report(benchmark::State &State, const TStatFreq &Stat)
{
    State.counters["method"] = Stat.Mode;
    State.counters["rows"] = Stat.RowCount;
}

// Args: combination length, method (0: the statistic's choice).
void BM_LottoHistory(benchmark::State &State)
{
    TBenchFreq stat(testsupport::LottoGame().Info);
    stat.LoadDraws(TDrawsRange{}, testsupport::LottoHistory(), 1);
    for (auto _ : State)
        stat.Run(static_cast<int>(State.range(0)), static_cast<uint8_t>(State.range(1)));
    Report(State, stat);
}

// Arg: combination length.
void BM_LottoNeverDrawn(benchmark::State &State)
{
    TBenchFreq stat(testsupport::LottoGame().Info);
    stat.LoadDraws(TDrawsRange{}, testsupport::LottoHistory(), 1);
    for (auto _ : State)
        stat.Run(static_cast<int>(State.range(0)), 0, 0);
    Report(State, stat);
}

void BM_TwentyOfEightyTriples(benchmark::State &State)
{
    TBenchFreq stat(MultiGame());
    stat.LoadStatDraws(MultiDraws(), 1);
    for (auto _ : State)
        stat.Run(3, static_cast<uint8_t>(State.range(0)));
    Report(State, stat);
}

} // namespace

BENCHMARK(BM_LottoHistory)
    ->ArgsProduct({{2, 3, 4}, {0, 1, 2, 3, 4}})
    ->ArgNames({"k", "method"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_LottoNeverDrawn)->Arg(5)->Arg(6)->ArgName("k")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TwentyOfEightyTriples)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("method")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char **argv)
{
    platform::installDispatcher(std::make_shared<platform::QueueDispatcher>());
    return runBenchmarks(argc, argv);
}
