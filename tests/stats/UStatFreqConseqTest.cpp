#include "stats/UStatFreq.h"

#include "tests/stats/FreqTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace freqtest;

namespace {

// Six draws, oldest first; 7 is drawn in the second, fourth and sixth, 2 and 3 together in the first
// and fourth.
const std::vector<TDynByteArr> History = {{1, 2, 3, 4},  {5, 6, 7, 8}, {1, 2, 5, 9},
                                          {2, 3, 7, 10}, {1, 4, 6, 8}, {3, 5, 7, 9}};

class StatConseqTest : public testing::Test {
protected:
    StatConseqTest()
    {
        // Loaded newest first, as the window loads them.
        Stat.LoadStatDraws(MakeDraws(History), 1);
    }

    // The ordinals of the working draws (draw i of History has No i + 1).
    std::vector<int32_t> WorkingNos() const
    {
        std::vector<int32_t> nos;
        for (const TStatDraw &draw : Stat.Draws)
            nos.push_back(draw.No);
        return nos;
    }

    TMemoryProbe Memory{GiB};
    TGameInfo Game = MakeGame(10, 4, 4);
    TStatConseq Stat{&Game, nullptr, nullptr, nullptr, nullptr};
};

} // namespace

TEST_F(StatConseqTest, SuccessorsOfEachOccurrence)
{
    Stat.SetParams(true, {7}, 1, false, 1, 1, false, 0);
    ASSERT_TRUE(Stat.SelectDraws());
    EXPECT_EQ(WorkingNos(), (std::vector<int32_t>{5, 3})); // after draws 2 and 4; nothing follows draw 6
    EXPECT_EQ(Stat.DrawCount, 2);

    ASSERT_EQ(Stat.AllCount, 6);
    std::vector<int32_t> allNos, marks;
    for (const TStatDraw &draw : Stat.AllDraws) {
        allNos.push_back(draw.No);
        marks.push_back(draw.Mark);
    }
    EXPECT_EQ(allNos, (std::vector<int32_t>{6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(marks, (std::vector<int32_t>{0, 1, 0, 1, 0, 0}));

    // The count runs over the two selected draws: 1 twice, the others once.
    ASSERT_TRUE(Stat.Start());
    Stat.Thread->WaitFor();
    EXPECT_TRUE(SameTable(
        Stat, {{{1}, 2, 0}, {{2}, 1, 1}, {{4}, 1, 0}, {{5}, 1, 1}, {{6}, 1, 0}, {{8}, 1, 0}, {{9}, 1, 1}}));
}

TEST_F(StatConseqTest, TheDrawAGivenDistanceOn)
{
    Stat.SetParams(true, {7}, 2, false, 1, 1, false, 0);
    ASSERT_TRUE(Stat.SelectDraws());
    EXPECT_EQ(WorkingNos(), (std::vector<int32_t>{6, 4}));
}

TEST_F(StatConseqTest, OverlappingIntervalsMarkEachDrawOnce)
{
    Stat.SetParams(true, {7}, 3, true, 2, 1, false, 0);
    ASSERT_TRUE(Stat.SelectDraws());
    // Draw 2 marks 3, 4, 5; draw 4 marks 5 and 6 again.
    EXPECT_EQ(WorkingNos(), (std::vector<int32_t>{6, 5, 4, 3}));
    for (const TStatDraw &draw : Stat.AllDraws)
        EXPECT_EQ(draw.Mark, draw.No >= 3 ? 1 : 0);
}

TEST_F(StatConseqTest, Predecessors)
{
    Stat.SetParams(false, {7}, 1, false, 1, 1, false, 0);
    ASSERT_TRUE(Stat.SelectDraws());
    EXPECT_EQ(WorkingNos(), (std::vector<int32_t>{5, 3, 1}));

    Stat.LoadStatDraws(MakeDraws(History), 1);
    Stat.SetParams(false, {3, 2}, 1, false, 1, 1, false, 0); // numbers in any order
    ASSERT_TRUE(Stat.SelectDraws());
    EXPECT_EQ(WorkingNos(), (std::vector<int32_t>{3})); // nothing precedes the first draw
}

TEST_F(StatConseqTest, NoOccurrenceLeavesTheDrawsAsTheyWere)
{
    Stat.SetParams(true, {9, 10}, 1, false, 1, 1, false, 0);
    EXPECT_FALSE(Stat.SelectDraws());
    EXPECT_EQ(WorkingNos(), (std::vector<int32_t>{6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(Stat.AllCount, 0);

    // Beyond the last draw: no mark either.
    Stat.SetParams(true, {7}, 6, false, 1, 1, false, 0);
    EXPECT_FALSE(Stat.SelectDraws());
    EXPECT_EQ(Stat.DrawCount, 6);
}

TEST(StatFreqOne, CountsEveryNumberOfTheLottoHistory)
{
    TStatFreqOne stat(&LottoGame().Info);
    stat.LoadDraws(TDrawsRange{}, LottoHistory(), 1);
    stat.Calculate();
    ASSERT_EQ(stat.Count, 49);
    ASSERT_EQ(stat.Rows.size(), 49u);
    std::vector<TExpectedRow> byNumber(49);
    for (const TExpectedRow &row : BruteForceCount(stat.Draws, 1, 0))
        byNumber[row.Comb[0] - 1u] = row;
    uint64_t total = 0;
    for (size_t i = 0; i < 49; ++i) {
        EXPECT_EQ(stat.Rows[i].Code, static_cast<int64_t>(i + 1));
        EXPECT_EQ(stat.Rows[i].Freq, byNumber[i].Freq) << i + 1;
        EXPECT_EQ(stat.Rows[i].Last, byNumber[i].Last) << i + 1;
        total += stat.Rows[i].Freq;
    }
    EXPECT_EQ(total, 3545u * 6);
}

TEST(StatFreqOne, NumberNeverDrawnHasNoDraw)
{
    const TGameInfo game = MakeGame(5, 2, 2);
    TStatFreqOne stat(&game);
    stat.LoadStatDraws(MakeDraws({{1, 2}, {2, 4}}), -1);
    stat.Calculate();
    ASSERT_EQ(stat.Rows.size(), 5u);
    const uint32_t freqs[] = {1, 2, 0, 1, 0};
    const uint32_t lasts[] = {0, 0, FreqNoDraw, 1, FreqNoDraw};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(stat.Rows[i].Freq, freqs[i]);
        EXPECT_EQ(stat.Rows[i].Last, lasts[i]);
    }
}
