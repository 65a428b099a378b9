// The drawn-numbers filter's counting against a plain count of common numbers, draw by draw.
#include "engine/UFltRef.h"

#include "core/DateTime.h"
#include "core/UComb.h"
#include "engine/UDrawsDB.h"
#include "platform/MemoryStatus.h"
#include "tests/engine/DrawsTestSupport.h"
#include "tests/fixtures/StatDrawHistories.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

constexpr int K = 6;

// Bit m set when some draw at Indexes shares exactly m numbers with Comb.
uint32_t SharedCounts(const TDrawsManager &History, const std::vector<int32_t> &Indexes, const uint8_t *Comb)
{
    uint32_t seen = 0;
    for (const int32_t i : Indexes) {
        const TDynByteArr &draw = History.GetDraw(i).Numbers;
        const auto common = std::count_if(Comb, Comb + K, [&draw](uint8_t Number) {
            return std::find(draw.begin(), draw.end(), Number) != draw.end();
        });
        seen |= 1u << common;
    }
    return seen;
}

// A filter over Range takes its draws and prepares as a marking run does; then, for every count block
// min..max (0 <= min <= max <= 6) set on its condition, every verdict on Combs follows the plain count.
void ExpectPlainCountVerdicts(const TGameData &Game, const TDrawsManager &History, const TDrawsRange &Range,
                              const std::vector<TDynByteArr> &Combs, bool Tables)
{
    std::vector<int32_t> indexes;
    TDrawsRange resolved = Range;
    History.ResolveRange(resolved, indexes);
    TFltDBCN filter(&Game, Game.Info.MaxNumber, K, {});
    filter.Params.Range = Range;
    filter.AddCondition();
    filter.SetDrawsManager(&History);
    filter.TakeDraws();
    filter.Prepare();
    ASSERT_EQ(filter.Conds[0].RangeDraws.size(), indexes.size());
    ASSERT_EQ(filter.Conds[0].Common.HasTables(), Tables);
    for (const TDynByteArr &comb : Combs) {
        const uint32_t seen = SharedCounts(History, indexes, comb.data());
        for (int32_t min = 0; min <= K; ++min) {
            for (int32_t max = min; max <= K; ++max) {
                filter.Conds[0].Count = TRangeBlock{rmRange, min, max};
                const bool expected = (seen >> min) & ((2u << (max - min)) - 1);
                if (filter.Test(comb.data()) != expected) {
                    std::string text;
                    CombToStr(comb.data(), K, "%d ", text);
                    ADD_FAILURE() << "combination " << text << "with " << min << ".." << max
                                  << " in common over " << indexes.size() << " draws: expected " << expected;
                    return;
                }
            }
        }
    }
    filter.Finish();
}

// Without free memory the draws are compared one by one.
class NoFreeMemory {
public:
    NoFreeMemory()
    {
        platform::setAvailableMemoryProbe([] { return uint64_t{0}; });
    }
    ~NoFreeMemory() { platform::setAvailableMemoryProbe({}); }
};

TDynByteArr RandomComb(std::mt19937 &Random, int N)
{
    TDynByteArr pool(static_cast<size_t>(N));
    for (int i = 0; i < N; ++i)
        pool[size_t(i)] = uint8_t(i + 1);
    std::shuffle(pool.begin(), pool.end(), Random);
    pool.resize(K);
    std::sort(pool.begin(), pool.end());
    return pool;
}

TEST(FltDBCNCount, EveryCombinationOfSixOfTwentyFollowsThePlainCount)
{
    const auto game = MakeDrawsGame(20, K);
    TDrawsManager history(game.get(), -1);
    std::mt19937 random(620);
    for (int i = 0; i < 300; ++i)
        history.AddDraw(RandomComb(random, 20), EncodeDate(2010, 1, 1) + i);
    history.Renumber();
    std::vector<TDynByteArr> all;
    TDynByteArr comb;
    for (int64_t i = 0; i < Newton[20][K]; ++i) {
        NextComb(comb, 20, K, i == 0);
        all.push_back(comb);
    }
    const int32_t first = std::uniform_int_distribution<int32_t>(1, 150)(random);
    const TDrawsRange part =
        IndexRange(first, first + std::uniform_int_distribution<int32_t>(0, 149)(random));
    TDrawsRange whole;
    DefaultDrawsRange(whole);

    ExpectPlainCountVerdicts(*game, history, whole, all, true);
    ExpectPlainCountVerdicts(*game, history, part, all, true);
    const NoFreeMemory noMemory;
    ExpectPlainCountVerdicts(*game, history, part, all, false);
}

TEST(FltDBCNCount, SixOfFortyNineOnTheShippedHistoryFollowsThePlainCount)
{
    const TDrawsManager &history = testsupport::LottoHistory();
    ASSERT_EQ(history.Count(), 3545);
    std::mt19937 random(3545);
    // Random combinations share little with any draw; draws with one or two numbers replaced share more.
    std::vector<TDynByteArr> combs;
    for (int i = 0; i < 1000; ++i)
        combs.push_back(RandomComb(random, 49));
    std::uniform_int_distribution<int> drawIndex(0, history.Count() - 1);
    std::uniform_int_distribution<int> number(1, 49);
    for (int i = 0; i < 200; ++i) {
        TDynByteArr comb = history.GetDraw(drawIndex(random)).Numbers;
        combs.push_back(comb);
        for (int replaced = 1; replaced <= 2; ++replaced) {
            uint8_t n;
            do
                n = uint8_t(number(random));
            while (std::find(comb.begin(), comb.end(), n) != comb.end());
            comb[size_t(drawIndex(random) % K)] = n;
            std::sort(comb.begin(), comb.end());
            combs.push_back(comb);
        }
    }
    TDrawsRange whole;
    DefaultDrawsRange(whole);
    const int32_t first = std::uniform_int_distribution<int32_t>(1, 3000)(random);
    TDrawsRange wednesdays;
    DefaultDrawsRange(wednesdays);
    wednesdays.WeekDays = {false, false, true, false, false, false, false};

    for (const TDrawsRange &range : {whole, IndexRange(first, first + 500), wednesdays})
        ExpectPlainCountVerdicts(testsupport::LottoGame(), history, range, combs, true);
    const NoFreeMemory noMemory;
    ExpectPlainCountVerdicts(testsupport::LottoGame(), history, wednesdays, combs, false);
}

} // namespace
