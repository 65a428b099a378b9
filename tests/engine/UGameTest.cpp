#include "engine/UGame.h"

#include "core/UComb.h"
#include "tests/engine/GameTestSupport.h"
#include "tests/support/ReferenceMath.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {

// Pick 1 to 10 of 80, no systems.
TGameInfo PickGame()
{
    TGameInfo g;
    g.Id = 3;
    g.ShortName = "Multi";
    g.MaxNumber = 80;
    g.Drawn = 20;
    g.MinK = 1;
    g.MaxK = 10;
    g.BetSize = 1;
    g.MaxSize = 10;
    g.BasicStake = Amount(2, 5000);
    g.WinStake = Amount(1);
    g.PrizeByStake = true;
    g.MinHits = {1, 2, 2, 2, 3, 3, 3, 4, 4, 5};
    g.Prizes.assign(10, std::vector<Currency>(10, Amount(-1)));
    BuildLevelCounts(g);
    return g;
}

// The 6-number bets of the system 1..S when the drawn numbers among them are 1..M: bets per hit count.
TDynIntArr BetsByHits(int S, int M)
{
    TDynIntArr counts(7, 0);
    TDynByteArr bet(6);
    for (int64_t i = 0; i < Newton[size_t(S)][6]; ++i) {
        NextComb(bet, uint8_t(S), 6, i == 0);
        int hits = 0;
        for (const uint8_t number : bet)
            hits += number <= M;
        ++counts[size_t(hits)];
    }
    return counts;
}

TEST(GameCalculations, BetCostOfSimpleAndMultiBets)
{
    const TGameInfo g = SystemsLotto();
    EXPECT_FALSE(IsMultiBet(g, 6));
    EXPECT_TRUE(IsMultiBet(g, 7));
    EXPECT_EQ(BetCost(g, 6, 1), Amount(2, 5000));
    EXPECT_EQ(BetCost(g, 8, 1), Amount(70));      // C(8, 6) x 2.50
    EXPECT_EQ(BetCost(g, 7, 3), Amount(52, 5000)); // 3 x 7 x 2.50
    EXPECT_EQ(BetCost(g, 6, 0), Amount(0));
    TGameInfo plain = g;
    plain.HasSystems = false;
    EXPECT_EQ(BetCost(plain, 8, 2), Amount(5));
}

TEST(GameCalculations, WinAmountReadsTheClampedRow)
{
    const TGameInfo g = SystemsLotto();
    const int32_t vec[] = {0, 2, 10};
    EXPECT_EQ(WinAmount(g, 6, 6, vec, 3), Amount(2 * 4000 + 10 * 150));
    // Sizes outside MinK..MaxK read the nearest row.
    TGameInfo rows = g;
    rows.Prizes[5][4] = Amount(1);
    rows.Prizes[11][4] = Amount(7);
    const int32_t five[] = {3};
    EXPECT_EQ(WinAmount(rows, 2, 5, five, 1), Amount(3));
    EXPECT_EQ(WinAmount(rows, 40, 5, five, 1), Amount(21));
}

TEST(GameCalculations, WinAmountMultipliesByWinStakeAndRoundsEachEntry)
{
    TGameInfo g = PickGame();
    g.Prizes[2][1] = Amount(0, 5000); // 3 numbers, 2 hits: 0.50
    g.Prizes[2][2] = Amount(0, 5000);
    g.WinStake = Amount(0, 1);
    // 0.50 x 0.0001 = 0.00005 rounds to 0 (even); 3 x 0.50 x 0.0001 = 0.00015 rounds to 0.0002.
    const int32_t once[] = {1, 1};
    EXPECT_EQ(WinAmount(g, 3, 3, once, 2), Amount(0));
    const int32_t thrice[] = {3, 0};
    EXPECT_EQ(WinAmount(g, 3, 3, thrice, 2), Amount(0, 2));
    g.WinStake = Amount(2, 5000);
    const int32_t both[] = {4, 1};
    EXPECT_EQ(WinAmount(g, 3, 3, both, 2), Amount(6, 2500)); // 5 x 0.50 x 2.50
}

TEST(GameCalculations, WinAmountInLevelsCountsOnlyTheChosenHits)
{
    const TGameInfo g = SystemsLotto();
    const int64_t vec[] = {1, 1, 1, 1};
    EXPECT_EQ(WinAmountInLevels(g, 6, 6, vec, 4, 5, 4), Amount(4000 + 150));
    EXPECT_EQ(WinAmountInLevels(g, 6, 6, vec, 3, 6, 4), WinAmount(g, 6, 6, vec, 4));
    EXPECT_EQ(WinAmountInLevels(g, 6, 6, vec, 7, 9, 4), Amount(0));
}

TEST(GameCalculations, LevelCountsAndMinimumHits)
{
    const TGameInfo g = SystemsLotto();
    // Simple bets: 6, 5, 4, 3 hits; systems: their bets' 6 down to 3 hits.
    EXPECT_EQ(g.LevelCounts, (TDynByteArr{0, 0, 0, 0, 0, 4, 4, 4, 4, 4, 4, 4}));
    EXPECT_EQ(HitLevelCount(g, 6), 4);
    EXPECT_EQ(HitLevelCount(g, 40), HitLevelCount(g, 12));
    EXPECT_EQ(HitLevelCount(g, 4), 2); // 4 - 3 + 1
    EXPECT_EQ(HitLevelCount(g, 2), 0); // never negative
    EXPECT_EQ(MinWinHits(g, 1), 3);
    EXPECT_EQ(MinWinHits(g, 20), 3);

    const TGameInfo pick = PickGame();
    EXPECT_EQ(pick.LevelCounts, (TDynByteArr{1, 1, 2, 3, 3, 4, 5, 5, 6, 6}));
    EXPECT_EQ(MinWinHits(pick, 9), 4);
    EXPECT_TRUE(pick.HitsTable.empty());
}

TEST(GameCalculations, HitsTableAgreesWithTheBetsOfEverySystem)
{
    const TGameInfo g = SystemsLotto();
    ASSERT_EQ(g.HitsTable.size(), 12u);
    for (int s = 7; s <= 12; ++s) {
        for (int m = 3; m <= 6; ++m) {
            const TDynIntArr bets = BetsByHits(s, m);
            const TDynIntArr &row = g.HitsTable[size_t(s) - 1][size_t(m) - 1];
            ASSERT_EQ(row.size(), 4u);
            for (int hits = 3; hits <= 6; ++hits)
                EXPECT_EQ(row[size_t(6 - hits)], hits <= m ? bets[size_t(hits)] : 0)
                    << "S " << s << " M " << m << " hits " << hits;
        }
    }
    // Fewer drawn than win a bet: no row is filled.
    EXPECT_EQ(g.HitsTable[7][1], (TDynIntArr{0, 0, 0, 0}));
}

TEST(GameCalculations, ExpandHitsTurnsSystemsIntoTheirBets)
{
    const TGameInfo g = SystemsLotto();
    for (int s = 7; s <= 10; ++s) {
        // 1 system with 6 hits, 2 with 5, 3 with 4, 4 with 3.
        int32_t vec[] = {1, 2, 3, 4};
        int32_t expected[4] = {};
        for (int i = 0; i < 4; ++i) {
            const TDynIntArr bets = BetsByHits(s, 6 - i);
            for (int j = 0; j < 4; ++j)
                expected[j] += vec[i] * bets[size_t(6 - j)];
        }
        ExpandHits(g, s, 6, vec, 4);
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(vec[j], expected[j]) << "S " << s << " level " << j;
    }
}

TEST(GameCalculations, SizesBeyondTheHitsTableAreRefusedByItAndCountedFromBinomials)
{
    const TGameInfo g = SystemsLotto();
    int64_t vec[] = {1, 2, 3, 4};
    EXPECT_THROW(ExpandHits(g, 13, 6, vec, 4), std::out_of_range);
    EXPECT_THROW(ExpandHits(PickGame(), 8, 4, vec, 4), std::out_of_range) << "a game without systems has no table";
    EXPECT_THROW(ExpandHitsOfAnySize(g, 50, 6, vec, 4), std::out_of_range);
    EXPECT_EQ(std::vector<int64_t>(vec, vec + 4), (std::vector<int64_t>{1, 2, 3, 4}));
    for (const int s : {7, 12, 13, 20}) {
        // 1 combination with 6 hits, 2 with 5, 3 with 4, 4 with 3.
        int64_t expected[4] = {};
        for (int i = 0; i < 4; ++i) {
            const TDynIntArr bets = BetsByHits(s, 6 - i);
            for (int j = 0; j < 4; ++j)
                expected[j] += vec[i] * bets[size_t(6 - j)];
        }
        int64_t counted[] = {1, 2, 3, 4};
        ExpandHitsOfAnySize(g, s, 6, counted, 4);
        EXPECT_EQ(std::vector<int64_t>(counted, counted + 4), std::vector<int64_t>(expected, expected + 4)) << s;
    }
}

// A 99-number combination of a game of 14-number bets stands for C(99, 14) bets: two thousand draws at
// one level give more bets than 64 bits count. Such a count holds its largest value, and a prize paid on
// it, however small, leaves the range of money.
TEST(GameCalculations, BetCountsBeyond64BitsHoldTheirLargestValueAndTheirWinIsOutOfRange)
{
    TGameInfo g = SystemsLotto();
    g.MaxNumber = 99;
    g.Drawn = 20;
    g.MinK = g.MaxK = g.BetSize = g.MaxSize = 14;
    g.MultiFrom = 15;
    g.MinHits.assign(14, 1);
    g.Prizes.assign(14, std::vector<Currency>(14, Amount(0)));
    const Currency least = Currency::fromCount(1);
    g.Prizes[13][1] = least;
    g.Prizes[13][13] = least;
    const int64_t draws = 2000;
    constexpr __int128 most = std::numeric_limits<int64_t>::max();
    int paidSaturated = 0;
    for (int m = 1; m <= 14; ++m) {
        std::vector<int64_t> counts(14, 0);
        counts[size_t(14 - m)] = draws;
        ExpandHitsOfAnySize(g, 99, 14, counts.data(), 14);
        __int128 win = 0;
        bool saturated = false;
        for (int hits = 1; hits <= 14; ++hits) {
            const __int128 bets =
                hits <= m ? testsupport::binomial128(m, hits) * testsupport::binomial128(99 - m, 14 - hits) * draws : 0;
            EXPECT_EQ(counts[size_t(14 - hits)], int64_t(std::min(bets, most))) << "M " << m << " hits " << hits;
            if (hits == 2 || hits == 14) {
                win += bets;
                saturated = saturated || bets >= most;
            }
        }
        paidSaturated += saturated ? 1 : 0;
        if (saturated || win > most)
            EXPECT_THROW(WinAmount(g, 14, 14, counts.data(), 14), std::overflow_error) << "M " << m;
        else
            EXPECT_EQ(WinAmount(g, 14, 14, counts.data(), 14), Currency::fromCount(int64_t(win))) << "M " << m;
    }
    EXPECT_GT(paidSaturated, 0);
}

// 26,150,080 twelve-number systems with 3 hits stand for 84 three-hit bets each: more than 32 bits count.
// A 32-bit count holds its largest value and is refused like a 64-bit one; 64 bits pay them exactly.
TEST(GameCalculations, BetCountsBeyond32BitsHoldTheirLargestValueAndTheirWinIsOutOfRange)
{
    const TGameInfo g = SystemsLotto();
    const int64_t systems = 26150080;
    const int64_t bets = systems * int64_t(testsupport::binomial128(9, 3));
    ASSERT_GT(bets, int64_t(std::numeric_limits<int32_t>::max()));
    int32_t narrow[] = {0, 0, 0, int32_t(systems)};
    ExpandHits(g, 12, 6, narrow, 4);
    EXPECT_EQ(narrow[3], std::numeric_limits<int32_t>::max());
    EXPECT_THROW(WinAmount(g, 12, 6, narrow, 4), std::overflow_error);
    int64_t wide[] = {0, 0, 0, systems};
    ExpandHits(g, 12, 6, wide, 4);
    EXPECT_EQ(wide[3], bets);
    EXPECT_EQ(WinAmount(g, 12, 6, wide, 4), Amount(52718561280)); // 2,196,606,720 x 24
    // A held count at a level without a prize adds nothing.
    TGameInfo unpaid = g;
    unpaid.Prizes[11][2] = Amount(0);
    EXPECT_EQ(WinAmount(unpaid, 12, 6, narrow, 4), Amount(0));
}

TEST(GameCalculations, ExpandHitsOfAShortVectorKeepsItsLowestLevels)
{
    const TGameInfo g = SystemsLotto();
    // Levels 4 and 3 hits only: 5 systems of 8 numbers with 4 hits, 1 with 3.
    int32_t vec[] = {5, 1};
    ExpandHits(g, 8, 4, vec, 2);
    const TDynIntArr four = BetsByHits(8, 4);
    const TDynIntArr three = BetsByHits(8, 3);
    EXPECT_EQ(vec[0], 5 * four[4]);
    EXPECT_EQ(vec[1], 5 * four[3] + three[3]);
}

TEST(GameCalculations, EightNumberSystemWithAllSixDrawnWins)
{
    const TGameInfo g = SystemsLotto();
    int32_t vec[] = {1, 0, 0, 0};
    ExpandHits(g, 8, 6, vec, 4);
    // C(6,6) bets with 6 hits, C(6,5) x C(2,1) with 5, C(6,4) x C(2,2) with 4.
    EXPECT_EQ(vec[0], 1);
    EXPECT_EQ(vec[1], 12);
    EXPECT_EQ(vec[2], 15);
    EXPECT_EQ(vec[3], 0);
    EXPECT_EQ(WinAmount(g, 6, 6, vec, 4), Amount(2000000 + 12 * 4000 + 15 * 150));
}

TEST(GameCalculations, SixtyFourBitHitsExpandAndWinBeyondThirtyTwoBits)
{
    const TGameInfo g = SystemsLotto();
    // Three billion 8-number systems with 4 hits: C(4,4) x C(4,2) bets with 4 hits, C(4,3) x C(4,3) with 3.
    const int64_t systems = 3000000000;
    int64_t vec[] = {0, 0, systems, 0};
    ExpandHits(g, 8, 6, vec, 4);
    EXPECT_EQ(vec[0], 0);
    EXPECT_EQ(vec[1], 0);
    EXPECT_EQ(vec[2], 6 * systems);
    EXPECT_EQ(vec[3], 16 * systems);
    EXPECT_EQ(WinAmount(g, 6, 6, vec, 4), Amount(6 * 150 + 16 * 24) * systems);
}

TEST(GameCalculations, HitsInFullVectorListsHighestLevelFirst)
{
    int32_t vec[4];
    HitsInFullVector(10, 5, 3, vec, 4, 0); // levels 3, 2, 1, 0
    EXPECT_EQ(vec[0], 21);
    EXPECT_EQ(vec[1], 105);
    EXPECT_EQ(vec[2], 105);
    EXPECT_EQ(vec[3], 21);
    HitsInFullVector(10, 5, 3, vec, 3, 2); // levels 4, 3, 2
    EXPECT_EQ(vec[0], 0);
    EXPECT_EQ(vec[1], 21);
    EXPECT_EQ(vec[2], 105);
    HitsInFullVector(10, 5, 3, vec, 2, 4); // levels beyond K have no combination
    EXPECT_EQ(vec[0], 0);
    EXPECT_EQ(vec[1], 0);
    // 20 of 40 with 20 drawn: C(20, 10)^2 combinations hit 10 times, beyond 32 bits.
    EXPECT_THROW(HitsInFullVector(40, 20, 20, vec, 4, 7), std::overflow_error);
    int64_t wide[4];
    HitsInFullVector(40, 20, 20, wide, 4, 7); // levels 10 down to 7
    EXPECT_EQ(wide[0], 34134779536);          // C(20, 10)^2
    EXPECT_EQ(wide[3], 6009350400);           // C(20, 7) x C(20, 13)
    // C(99, 49) combinations: no level of them is exact in 64 bits.
    EXPECT_THROW(HitsInFullVector(99, 49, 49, wide, 4, 20), std::overflow_error);
}

TEST(GameCalculations, HitsTableRefusesCountsBeyondThirtyTwoBits)
{
    TGameInfo g = SystemsLotto();
    EXPECT_TRUE(BuildHitsTable(g));
    // 10-number bets of systems up to 100 numbers: C(10, 5) x C(90, 5) bets hit 5 times.
    g.MaxNumber = 100;
    g.MaxSize = 100;
    g.BetSize = 10;
    g.MultiFrom = 11;
    g.MinHits.assign(100, 5);
    BuildLevelCounts(g);
    EXPECT_FALSE(BuildHitsTable(g));
}

TEST(GameCalculations, HitsInfoAxes)
{
    const TGameInfo g = SystemsLotto();
    THitsInfo info;
    info.Init(g, 10, 6, true);
    EXPECT_EQ(info.LowHits, 3);
    EXPECT_EQ(info.HighHits, 6);
    EXPECT_EQ(info.LevelCount, 4);
    EXPECT_EQ(info.RowCount, 6);
    EXPECT_EQ(info.FirstLevel, 1);
    EXPECT_EQ(info.RowLabels, (TStrArray{"6", "5", "4", "3", "2", "1"}));
    EXPECT_EQ(info.TopDrawn, 6);
    EXPECT_EQ(info.ColCount, 4);
    EXPECT_EQ(info.ColLabels, (TStrArray{"3", "4", "5", "6"}));

    info.Init(g, 4, 8, false); // a multi-bet: its bets hit at most 6; only 4 numbers can be drawn
    EXPECT_EQ(info.HighHits, 6);
    EXPECT_EQ(info.RowCount, 4);
    EXPECT_EQ(info.FirstLevel, 3);
    EXPECT_EQ(info.RowLabels, (TStrArray{"6", "5", "4", "3"}));
    EXPECT_EQ(info.TopDrawn, 4);
    EXPECT_EQ(info.ColLabels, (TStrArray{"3", "4"}));

    info.Init(g, 2, 6, false); // fewer numbers than the lowest win
    EXPECT_EQ(info.ColCount, 0);
    EXPECT_TRUE(info.ColLabels.empty());
}

TEST(GameCalculations, ConsistentGamesHaveNoFault)
{
    EXPECT_EQ(GameInfoFault(SystemsLotto()), "");
    EXPECT_EQ(GameInfoFault(PickGame()), "");
}

TEST(GameCalculations, EveryBrokenRuleIsAFault)
{
    const std::vector<std::pair<const char *, std::function<void(TGameInfo &)>>> breaks{
        {"id 0", [](TGameInfo &g) { g.Id = 0; }},
        {"MaxNumber 0", [](TGameInfo &g) { g.MaxNumber = 0; }},
        {"MaxNumber 100", [](TGameInfo &g) { g.MaxNumber = 100; }},
        {"Drawn 0", [](TGameInfo &g) { g.Drawn = 0; }},
        {"Drawn above MaxNumber", [](TGameInfo &g) { g.Drawn = 50; }},
        {"MinK 0", [](TGameInfo &g) { g.MinK = 0; }},
        {"MaxK below MinK", [](TGameInfo &g) { g.MaxK = 5; }},
        {"MaxK above MaxSize", [](TGameInfo &g) { g.MaxK = 13; }},
        {"MaxSize above MaxNumber", [](TGameInfo &g) { g.MaxNumber = 11; }},
        {"BetSize 0", [](TGameInfo &g) { g.BetSize = 0; }},
        {"BetSize above MaxSize", [](TGameInfo &g) { g.BetSize = 13; }},
        {"MultiFrom not BetSize + 1", [](TGameInfo &g) { g.MultiFrom = 8; }},
        {"MinHits 0", [](TGameInfo &g) { g.MinHits[5] = 0; }},
        {"MinHits above K", [](TGameInfo &g) { g.MinHits[6] = 8; }},
        {"MinHits of a system above the bet", [](TGameInfo &g) { g.MinHits[9] = 7; }},
        {"MinHits too short", [](TGameInfo &g) { g.MinHits.pop_back(); }},
        {"Prizes too few rows", [](TGameInfo &g) { g.Prizes.pop_back(); }},
        {"Prizes row too short", [](TGameInfo &g) { g.Prizes[3].pop_back(); }},
    };
    for (const auto &[what, change] : breaks) {
        TGameInfo g = SystemsLotto();
        change(g);
        EXPECT_NE(GameInfoFault(g), "") << what;
    }
    // Sizes below the smallest played size may hold anything; without systems MultiFrom is free.
    TGameInfo g = SystemsLotto();
    g.MinHits[0] = 5;
    g.HasSystems = false;
    g.MultiFrom = 0;
    EXPECT_EQ(GameInfoFault(g), "");
}

} // namespace
