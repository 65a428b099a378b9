// Timings of the frequency statistic: pairs, triples and quadruples over the real Lotto history in the
// method the statistic chooses and in each counting method, and triples over 20,000 draws of 20 of 80.
// Run from a Release build.
#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "platform/Dispatcher.h"
#include "stats/UStatFreq.h"
#include "tools/LottoHistoryImport.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <set>
#include <string>

namespace {

// The statistic, run in the method it chooses (0) or in a given one.
class TBenchFreq : public TStatFreq {
public:
    explicit TBenchFreq(const TGameInfo &Game) : TStatFreq(&Game, nullptr, nullptr, nullptr, nullptr) {}

    void Run(int CombLen, uint8_t AMode)
    {
        SetParams(CombLen, 1, {}, false, 0, false);
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

const TGameData &LottoGame()
{
    static const TGameData game = [] {
        TGameData data;
        data.Info.MaxNumber = 49;
        data.Info.Drawn = 6;
        data.Info.MaxK = 12;
        return data;
    }();
    return game;
}

const TDrawsManager &LottoHistory()
{
    static const std::unique_ptr<TDrawsManager> history = [] {
        auto manager = std::make_unique<TDrawsManager>(&LottoGame(), -1);
        ImportLottoHistory(std::string(KORVANTILE_SHARED_DATA) + "/lotto-6z49-history.txt",
                           LottoHistoryStart(), *manager);
        return manager;
    }();
    return *history;
}

const TGameInfo &MultiGame()
{
    static const TGameInfo game = [] {
        TGameInfo info;
        info.MaxNumber = 80;
        info.Drawn = 20;
        info.MaxK = 10;
        return info;
    }();
    return game;
}

// 20,000 random draws of 20 of 80, one day apart.
const TStatDraws &MultiDraws()
{
    static const TStatDraws draws = [] {
        std::mt19937 random(2024);
        std::uniform_int_distribution<int> number(1, 80);
        TStatDraws all(20000);
        for (size_t i = 0; i < all.size(); ++i) {
            std::set<uint8_t> numbers;
            while (numbers.size() < 20)
                numbers.insert(static_cast<uint8_t>(number(random)));
            all[i].No = static_cast<int32_t>(i + 1);
            all[i].Date = 40000 + static_cast<double>(i);
            all[i].Numbers.assign(numbers.begin(), numbers.end());
        }
        return all;
    }();
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
    TBenchFreq stat(LottoGame().Info);
    stat.LoadDraws(TDrawsRange{}, LottoHistory(), 1);
    for (auto _ : State)
        stat.Run(static_cast<int>(State.range(0)), static_cast<uint8_t>(State.range(1)));
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
BENCHMARK(BM_TwentyOfEightyTriples)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("method")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char **argv)
{
    platform::installDispatcher(std::make_shared<platform::QueueDispatcher>());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
