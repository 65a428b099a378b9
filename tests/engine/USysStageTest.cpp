#include "engine/USysStage.h"

#include "engine/UGameDescription.h"
#include "engine/UGameMan.h"
#include "tests/engine/GameTestSupport.h"
#include "tests/support/ReferenceMath.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

// Numbers 1..40, 4 drawn, bets of 3 or 4 numbers; 3 numbers win 2.00 with 2 hits and Prize3 with 3.
TGameData SmallGame(Currency Stake, Currency Prize3 = Amount(40))
{
    TGameData game;
    TGameInfo &g = game.Info;
    g.Id = 9;
    g.MaxNumber = 40;
    g.Drawn = 4;
    g.MinK = 3;
    g.MaxK = 4;
    g.BetSize = 3;
    g.MaxSize = 4;
    g.BasicStake = Stake;
    g.WinStake = Amount(1);
    g.MinHits = {1, 1, 2, 2};
    g.Prizes.assign(4, std::vector<Currency>(4));
    g.Prizes[2] = {Amount(0), Amount(2), Prize3, Amount(0)};
    BuildLevelCounts(game.Info);
    return game;
}

TGameData ShippedLotto()
{
    std::ifstream in(std::filesystem::path(KORVANTILE_DATA_ROOT) / "games" / "Lotto.txt");
    TGameData game;
    EXPECT_EQ(ParseGameDescription(std::string(std::istreambuf_iterator<char>(in), {}), game.Info), "");
    BuildLevelCounts(game.Info);
    BuildHitsTable(game.Info);
    return game;
}

// One line per planned draw: multiplier, cost, cumulative cost | net wins.
std::vector<std::string> PlanText(const TSysStage &System)
{
    std::vector<std::string> lines;
    for (uint32_t i = 0; i < System.PlanRows; ++i) {
        const TSysItem &row = System.Plan[i];
        lines.push_back(std::to_string(row.Multiplier) + " " + CurrToStr(row.Cost) + " " +
                        CurrToStr(row.CumulativeCost) + " |");
        for (const Currency win : row.NetWins)
            lines.back() += " " + CurrToStr(win);
    }
    return lines;
}

using Lines = std::vector<std::string>;

// The full system 3 of 5: 10 combinations at 1.25, 12.50 a copy. Drawn numbers among the five:
//   2: 3 combinations with 2 hits                  ->   6.00 (net  -6.50)
//   3: 1 with 3 hits, 6 with 2 hits:  40 + 6 x 2   ->  52.00 (net  39.50)
//   4: 4 with 3 hits, 6 with 2 hits: 160 + 6 x 2   -> 172.00 (net 159.50)
TEST(SysStage, PlansASmallFullSystemAsWorkedOutByHand)
{
    const TGameData game = SmallGame(Amount(1, 2500));
    TSysStage system(&game);
    system.SetParams(5, 3, 4, 3, Amount(100), false, {});
    ASSERT_TRUE(system.PrepareHits());
    EXPECT_EQ(system.Levels, (std::vector<TDynInt64Arr>{{0, 3}, {1, 6}, {4, 6}}));
    EXPECT_EQ(system.FirstPayingHit(), 3);
    ASSERT_TRUE(system.Calculate());
    // Multiplier = ceil((100 + cumulative) / 39.50): 100 / 39.50 = 2.53, 137.50 / 39.50 = 3.48,
    // 187.50 / 39.50 = 4.75, 250 / 39.50 = 6.33; net wins 52 x mult - cumulative, 172 x mult - cumulative.
    EXPECT_EQ(PlanText(system), (Lines{"3 37,5 37,5 | 118,5 478,5", "4 50 87,5 | 120,5 600,5",
                                       "5 62,5 150 | 110 710", "7 87,5 237,5 | 126,5 966,5"}));
    EXPECT_EQ(system.Plan[3].Combinations, 70u);
    EXPECT_EQ(system.GetDescription(false), "System stawkowy 3/5/4");

    // Profits per draw: 0 plays one copy; (66.50 + 12.50) / 39.50 is exactly 2; a negative profit plays one.
    system.SetParams(5, 3, 3, 3, Amount(100), true, {Amount(0), Amount(66, 5000), Amount(-500)});
    ASSERT_TRUE(system.Calculate());
    EXPECT_EQ(PlanText(system),
              (Lines{"1 12,5 12,5 | 39,5 159,5", "2 25 37,5 | 66,5 306,5", "1 12,5 50 | 2 122"}));
}

TEST(SysStage, StopsAtTheCombinationAndCurrencyLimits)
{
    // 3 of 3 at 20.00 wins 40.00 with 3 drawn: net 20.00, so a profit of 20 doubles the multiplier every
    // draw; 2^31 copies of the single combination would pass 2,147,483,647.
    const TGameData doubling = SmallGame(Amount(20));
    TSysStage system(&doubling);
    system.SetParams(3, 3, 32, 3, Amount(20), false, {});
    ASSERT_TRUE(system.Calculate());
    EXPECT_EQ(PlanText(system).size(), 31u);
    EXPECT_EQ(PlanText(system).back(), "1073741824 21474836480 42949672940 | 20");

    // Stake 2e11, prize 4e11, profit 1e14: multipliers 500, 1000, 2000 bring the cumulative cost to 7e14;
    // the fourth draw (4000 copies, 8e14) would take it past the Currency range.
    const TGameData dear = SmallGame(Amount(200000000000), Amount(400000000000));
    TSysStage expensive(&dear);
    expensive.SetParams(3, 3, 5, 3, Amount(100000000000000), false, {});
    ASSERT_TRUE(expensive.Calculate());
    EXPECT_EQ(PlanText(expensive).size(), 3u);
    EXPECT_EQ(PlanText(expensive).back(), "2000 400000000000000 700000000000000 | 100000000000000");
}

TEST(SysStage, PlansNothingWithoutAPositiveNetWin)
{
    // M below the columns, a net loss of 6.50, past the top column; at 5.20 a copy costs the 52.00 won.
    const TGameData game = SmallGame(Amount(1, 2500)), even = SmallGame(Amount(5, 2000));
    for (const auto &[played, drawn] : std::initializer_list<std::pair<const TGameData *, uint32_t>>{
             {&game, 1}, {&game, 2}, {&game, 5}, {&even, 3}}) {
        TSysStage system(played);
        system.SetParams(5, 3, 4, drawn, Amount(100), false, {});
        EXPECT_FALSE(system.Calculate()) << drawn;
        EXPECT_EQ(system.PlanRows, 0u) << drawn;
    }
    // At 100.00 a copy costs 1000.00: no column pays, and the minimum offered is one past the top column.
    const TGameData dear = SmallGame(Amount(100));
    TSysStage system(&dear);
    system.SetParams(5, 3, 4, 0, Amount(100), false, {});
    ASSERT_TRUE(system.PrepareHits());
    system.SetParams(5, 3, 4, uint32_t(system.FirstPayingHit()), Amount(100), false, {});
    EXPECT_EQ(system.MinDrawn, 5u);
    EXPECT_FALSE(system.Calculate());
    // C(40, 4) = 91,390 combinations pass the 65,000 a plan may cover.
    system.SetParams(40, 4, 4, 3, Amount(100), false, {});
    EXPECT_FALSE(system.Calculate());
    EXPECT_EQ(system.PlanRows, 0u);
}

// 7 numbers played as one 7-number combination are its seven 6-number bets: the 7/6 full system.
TEST(SysStage, LottoSevenOfSevenPlansAsSevenOfSix)
{
    const TGameData lotto = ShippedLotto();
    TSysStage seven(&lotto), six(&lotto);
    seven.SetParams(7, 7, 8, 4, Amount(250), false, {});
    six.SetParams(7, 6, 8, 4, Amount(250), false, {});
    ASSERT_TRUE(seven.PrepareHits() && six.PrepareHits());
    // 4 drawn among the seven: 3 bets with 4 hits, 4 with 3 hits (6 hits first).
    EXPECT_EQ(six.Levels[1], (TDynInt64Arr{0, 0, 3, 4}));
    EXPECT_EQ(seven.Levels, six.Levels);
    EXPECT_EQ(seven.FirstPayingHit(), 3);
    ASSERT_TRUE(seven.Calculate() && six.Calculate());
    // One copy (7 x 3.00) wins 3 x 150 + 4 x 24 with 4 drawn, 2 x 4000 + 5 x 150 with 5 and
    // 2,000,000 + 6 x 4000 with 6.
    EXPECT_EQ(PlanText(seven).front(), "1 21 21 | 525 8729 2023979");
    EXPECT_EQ(PlanText(seven).size(), 8u);
    EXPECT_EQ(PlanText(seven), PlanText(six));
    EXPECT_EQ(seven.Plan[7].Combinations * 7, six.Plan[7].Combinations);
}

// 10 of 32 drawn, bets of 10 numbers at 0.01, systems of 11 to 30 played as their bets; 4 to 10 hits
// win 1.00.
TGameData TenOfThirtyTwo()
{
    TGameData game;
    TGameInfo &g = game.Info;
    g.Id = 9;
    g.ShortName = "Dziesiec";
    g.MaxNumber = 32;
    g.Drawn = 10;
    g.MinK = g.MaxK = g.BetSize = 10;
    g.MaxSize = 30;
    g.MultiFrom = 11;
    g.HasSystems = true;
    g.BasicStake = Amount(0, 100);
    g.WinStake = Amount(1);
    g.MinHits.assign(30, 4);
    g.Prizes.assign(10, std::vector<Currency>(10, Amount(0)));
    for (int h = 4; h <= 10; ++h)
        g.Prizes[9][size_t(h) - 1] = Amount(1);
    BuildLevelCounts(g);
    EXPECT_TRUE(BuildHitsTable(g));
    EXPECT_EQ(GameInfoFault(g), "");
    return game;
}

// The full system 30 of 32 with all ten drawn numbers among its 32: each 10-number bet with j hits lies in
// C(22, 20) of its 496 systems, so C(10, j) x C(22, 10 - j) x 231 bets hit j: 3,619,476,630 hit 4.
TEST(SysStage, BetsBeyond32BitsArePaidInFull)
{
    const TGameData game = TenOfThirtyTwo();
    TSysStage system(&game);
    system.SetParams(32, 30, 1, 10, Amount(0), false, {});
    ASSERT_TRUE(system.Calculate());
    ASSERT_EQ(system.Levels.size(), 7u);
    __int128 win = 0;
    for (int hits = 10; hits >= 4; --hits) {
        using testsupport::binomial128;
        const __int128 bets = binomial128(10, hits) * binomial128(22, 10 - hits) * binomial128(22, 20);
        EXPECT_EQ(int64_t(system.Levels[6][size_t(10 - hits)]), int64_t(bets)) << hits;
        win += bets;
    }
    // One copy of the 496 systems of C(30, 10) bets at 0.01 each.
    const __int128 cost = 496 * testsupport::binomial128(30, 10) * 100;
    ASSERT_EQ(system.PlanRows, 1u);
    EXPECT_EQ(system.Plan[0].NetWins[0], Currency::fromCount(int64_t(win * Currency::Scale - cost)));
}

// The 275 bytes of a plan of 3 draws over 3 of 5 with profits 1.50, 0, -2.00 (a fourth one is not used).
platform::Bytes HandBuiltBlock(uint8_t D)
{
    const uint8_t head[] = {5,    3,    D,    0,    0,    0,                 // N, K, D
                            0x40, 0x42, 0x0F, 0,    0,    0,    0,    0,     // 100.00
                            1,                                               // individual
                            0x98, 0x3A, 0,    0,    0,    0,    0,    0,     // 1.50
                            0,    0,    0,    0,    0,    0,    0,    0,     // 0
                            0xE0, 0xB1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}; // -2.00
    platform::Bytes bytes(15 + 32 * 8 + 4, 0);
    std::copy(std::begin(head), std::end(head), bytes.begin());
    bytes[15 + 32 * 8] = 3; // M
    return bytes;
}

TEST(SysStage, FileBodyIsOneBlockOf275Bytes)
{
    const TGameData game = SmallGame(Amount(1, 2500));
    TSysStage system(&game), read(&game);
    system.SetParams(5, 3, 3, 3, Amount(100), true, {Amount(1, 5000), Amount(0), Amount(-2), Amount(7)});
    platform::ByteWriter out;
    system.SaveToStream(out);
    EXPECT_EQ(out.bytes(), HandBuiltBlock(3));

    // D = 40 is read as 32, the most the 32 profits serve; every profit is then used.
    platform::Bytes forty = HandBuiltBlock(40);
    forty[15 + 31 * 8] = 0x10; // the last profit: 0.0016
    platform::ByteReader fortyIn(forty);
    ASSERT_TRUE(read.LoadFromStream(fortyIn));
    platform::ByteWriter again;
    read.SaveToStream(again);
    forty[2] = 32;
    EXPECT_EQ(again.bytes(), forty);

    // N above the game's 40, K outside its 3..4, N below K, and a short block are refused.
    for (const auto &[offset, value] :
         std::initializer_list<std::pair<int, int>>{{0, 41}, {1, 2}, {1, 5}, {0, 2}}) {
        platform::Bytes bad = HandBuiltBlock(3);
        bad[size_t(offset)] = uint8_t(value);
        platform::ByteReader badIn(bad);
        EXPECT_FALSE(read.LoadFromStream(badIn)) << offset << " " << value;
    }
    platform::ByteReader shortIn(std::span<const uint8_t>(forty).first(274));
    EXPECT_FALSE(read.LoadFromStream(shortIn));

    // Through the system file and the factory, without the checks of a body of rows.
    const std::string file = (testsupport::makeTempDir("korvantile-stage-") / "stage").string();
    ASSERT_TRUE(system.SaveToFile(file, "Plan", ""));
    const std::unique_ptr<TSystem> loaded = CreateSystem(skStage, &game);
    ASSERT_TRUE(loaded && loaded->LoadFromFile(file));
    platform::ByteWriter reread;
    loaded->SaveToStream(reread);
    EXPECT_EQ(reread.bytes(), HandBuiltBlock(3));
}

} // namespace
