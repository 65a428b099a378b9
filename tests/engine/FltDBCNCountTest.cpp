// The drawn-numbers filter's counting against a plain count of common numbers, draw by draw.
#include "engine/UFltRef.h"

#include "core/UComb.h"
#include "platform/MemoryStatus.h"
#include "tests/engine/DrawsTestSupport.h"
#include "tests/fixtures/StatDrawHistories.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <numeric>
#include <random>

namespace {

// A filter over Range takes its draws and prepares as a marking run does; then for every count block
// min..max (0 <= min <= max <= 6) set on its condition, every verdict on Combs follows the plain count.
void ExpectPlainCountVerdicts(const TGameData &Game, const TDrawsManager &History, const TDrawsRange &Range,
                              const std::vector<TDynByteArr> &Combs, bool Tables)
{
    std::vector<int32_t> indexes;
    TDrawsRange resolved = Range;
    History.ResolveRange(resolved, indexes);
    TFltDBCN filter(&Game, Game.Info.MaxNumber, 6, {});
    filter.Params.Range = Range;
    filter.AddCondition();
    filter.SetDrawsManager(&History);
    filter.TakeDraws();
    filter.Prepare();
    ASSERT_EQ(filter.Conds[0].Common.HasTables(), Tables);
    for (const TDynByteArr &comb : Combs) {
        uint32_t seen = 0; // bit m: some draw shares exactly m numbers
        for (const int32_t i : indexes) {
            const TDynByteArr &draw = History.GetDraw(i).Numbers;
            seen |= 1u << std::count_if(comb.begin(), comb.end(), [&draw](uint8_t Number) {
                        return std::find(draw.begin(), draw.end(), Number) != draw.end();
                    });
        }
        for (int32_t min = 0; min <= 6; ++min)
            for (int32_t max = min; max <= 6; ++max) {
                filter.Conds[0].Count = TRangeBlock{rmRange, min, max};
                const bool expected = (seen >> min) & ((2u << (max - min)) - 1);
                ASSERT_EQ(filter.Test(comb.data()), expected)
                    << "combination " << &comb - Combs.data() << ", " << min << ".." << max << " in common";
            }
    }
}

// Six numbers of 1..N, ascending.
TDynByteArr RandomComb(std::mt19937 &Random, int N)
{
    TDynByteArr pool(static_cast<size_t>(N)), comb;
    std::iota(pool.begin(), pool.end(), uint8_t(1));
    std::sample(pool.begin(), pool.end(), std::back_inserter(comb), 6, Random);
    return comb;
}

TEST(FltDBCNCount, TablesAndMasksFollowThePlainCount)
{
    std::mt19937 random(620);
    TDrawsRange whole;
    DefaultDrawsRange(whole);
    const int32_t first = std::uniform_int_distribution<int32_t>(1, 150)(random);
    const TDrawsRange part =
        IndexRange(first, first + std::uniform_int_distribution<int32_t>(0, 149)(random));
    TDrawsRange wednesdays = whole;
    wednesdays.WeekDays = {false, false, true, false, false, false, false};

    // Every combination of a 6 of 20 game over 300 random draws.
    const auto game = MakeDrawsGame(20, 6);
    TDrawsManager history(game.get(), -1);
    for (int i = 0; i < 300; ++i)
        history.AddDraw(RandomComb(random, 20), 40000 + i);
    history.Renumber();
    std::vector<TDynByteArr> all(static_cast<size_t>(Newton[20][6]));
    TDynByteArr next;
    for (TDynByteArr &comb : all) {
        NextComb(next, 20, 6, next.empty());
        comb = next;
    }
    ExpectPlainCountVerdicts(*game, history, whole, all, true);
    ExpectPlainCountVerdicts(*game, history, part, all, true);

    // 6 of 49 over the shipped history: random combinations, draws and draws with one number replaced.
    const TDrawsManager &lotto = testsupport::LottoHistory();
    std::vector<TDynByteArr> combs;
    for (int i = 0; i < 1000; ++i) {
        const TDynByteArr comb = combs.emplace_back(RandomComb(random, 49));
        if (i % 5 == 0) {
            TDynByteArr drawn = lotto.GetDraw(int(random() % uint32_t(lotto.Count()))).Numbers;
            combs.push_back(drawn);
            if (std::find(drawn.begin(), drawn.end(), comb[0]) == drawn.end())
                drawn[random() % 6] = comb[0];
            std::sort(drawn.begin(), drawn.end());
            combs.push_back(drawn);
        }
    }
    for (const TDrawsRange &range : {whole, IndexRange(first, first + 2000), wednesdays})
        ExpectPlainCountVerdicts(testsupport::LottoGame(), lotto, range, combs, true);

    // Without free memory the draws are compared one by one.
    platform::setAvailableMemoryProbe([] { return uint64_t{0}; });
    ExpectPlainCountVerdicts(*game, history, part, all, false);
    ExpectPlainCountVerdicts(testsupport::LottoGame(), lotto, wednesdays, combs, false);
    platform::setAvailableMemoryProbe({});
}

} // namespace
