#include "syswindows/SysHitTable.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <vector>

namespace {

struct ExpectedCase {
    int Drawn;
    std::vector<int64_t> Prizes; // 6, 5, 4 and 3 hits
    int64_t Win;                 // whole zloty
};

void ExpectCases(const TFullSystemHits &Table, const std::vector<ExpectedCase> &Expected)
{
    ASSERT_EQ(Table.Cases.size(), Expected.size());
    for (size_t i = 0; i < Expected.size(); ++i) {
        EXPECT_EQ(Table.Cases[i].Drawn, Expected[i].Drawn) << i;
        EXPECT_EQ(Table.Cases[i].Prizes, TDynInt64Arr(Expected[i].Prizes)) << "drawn " << Expected[i].Drawn;
        EXPECT_EQ(Table.Cases[i].Win, Currency::fromCount(Expected[i].Win * Currency::Scale)) << "drawn " << Expected[i].Drawn;
    }
}

} // namespace

using SysHitTableTest = SysWindowTest;

// Lotto prizes: 3 hits 24, 4 hits 150, 5 hits 4000, 6 hits 2 000 000.
TEST_F(SysHitTableTest, FullSystemOfSimpleBetsCountsEveryCombinationByItsHits)
{
    const TGameInfo &lotto = Games.GameById(LottoId)->Info;
    const TFullSystemHits table = FullSystemHits(lotto, 12, 6);
    EXPECT_EQ(table.Info.RowLabels, (TStrArray{"6", "5", "4", "3"}));
    // With d of the 12 numbers drawn, C(d, h) x C(12 - d, 6 - h) combinations hit h.
    ExpectCases(table, {
                           {3, {0, 0, 0, 84}, 84 * 24},
                           {4, {0, 0, 28, 224}, 28 * 150 + 224 * 24},
                           {5, {0, 7, 105, 350}, 7 * 4000 + 105 * 150 + 350 * 24},
                           {6, {1, 36, 225, 400}, 2000000 + 36 * 4000 + 225 * 150 + 400 * 24},
                       });
}

TEST_F(SysHitTableTest, CombinationsPlayedAsSeveralBetsCountTheirSimpleBets)
{
    // Eight 7-number combinations of 8 numbers, each played as its seven 6-number bets. With all six
    // drawn numbers among the 8: the two combinations without a non-drawn number hold a six and six
    // fives, the six without a drawn number two fives and five fours.
    const TGameInfo &lotto = Games.GameById(LottoId)->Info;
    const TFullSystemHits table = FullSystemHits(lotto, 8, 7);
    ExpectCases(table, {
                           {3, {0, 0, 0, 20}, 20 * 24},
                           {4, {0, 0, 12, 32}, 12 * 150 + 32 * 24},
                           {5, {0, 6, 30, 20}, 6 * 4000 + 30 * 150 + 20 * 24},
                           {6, {2, 24, 30, 0}, 2 * 2000000 + 24 * 4000 + 30 * 150},
                       });
}

TEST_F(SysHitTableTest, CountsBeyondThirtyTwoBitsAreExactAndThoseBeyondSixtyFourGiveNoCases)
{
    // 12 of 30 numbers as 6-number bets: each 6 of the 30 lies in C(24, 6) = 134 596 combinations, so with
    // d drawn C(d, h) x C(30 - d, 6 - h) x 134 596 bets hit h.
    const TGameInfo &lotto = Games.GameById(LottoId)->Info;
    ExpectCases(FullSystemHits(lotto, 30, 12),
                {
                    {3, {0, 0, 0, 393693300}, 9448639200},
                    {4, {0, 0, 43743700, 1399798400}, 40156716600},
                    {5, {0, 3364900, 201894000, 3095708000}, 118040692000},
                    {6, {134596, 19381824, 557227440, 5448446080}, 561066117920},
                });
    // Multi Multi's C(80, 10) combinations: a case for each 5 to 20 of them drawn.
    EXPECT_EQ(FullSystemHits(Games.GameById(3)->Info, 80, 10).Cases.size(), 16u);
    // C(99, 30) combinations leave 64 bits.
    TGameInfo wide = lotto;
    wide.MaxNumber = 99;
    EXPECT_FALSE(FullSystemCountsExact(wide, 99, 30));
    EXPECT_TRUE(FullSystemHits(wide, 99, 30).Cases.empty());
}
