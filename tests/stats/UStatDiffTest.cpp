#include "stats/UStatDiff.h"

#include "tests/stats/TableStatTestSupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace tabletest;

TEST(StatDiffsTest, TheLottoHistoryAgreesWithAPlainRecountOfTheFourTables)
{
    TStatDiffs stat(&LottoGame().Info, nullptr, nullptr);
    stat.LoadDraws(TDrawsRange{}, LottoHistory(), -1);
    stat.Start();
    stat.Thread->WaitFor();
    ASSERT_EQ(stat.State, ssComputed);
    std::set<int32_t> present;
    for (const TStatDraw &draw : stat.Draws)
        for (size_t j = 1; j < 6; ++j)
            present.insert(draw.Numbers[j] - draw.Numbers[j - 1]);
    TValues classes, positions, numbers;
    std::vector<TDynByteArr> repeats;
    for (const TStatDraw &draw : stat.Draws) {
        std::map<int32_t, int32_t> counts;
        auto &gaps = positions.emplace_back();
        for (size_t j = 1; j < 6; ++j) {
            gaps.push_back(draw.Numbers[j] - draw.Numbers[j - 1]);
            ++counts[gaps.back()];
        }
        auto &row = classes.emplace_back();
        for (const int32_t d : present)
            row.push_back(counts[d]);
        repeats.push_back(RepeatsPattern(counts, 3));
        numbers.emplace_back(draw.Numbers.begin(), draw.Numbers.end());
    }
    EXPECT_EQ(stat.ClassCount, static_cast<int32_t>(present.size()));
    EXPECT_EQ(stat.DiffCaptions.front() + stat.DiffCaptions.back(), "01" + std::to_string(*present.rbegin()));
    EXPECT_TRUE(SameTable(stat.DiffCounts, stat.DiffCountGroups, stat.DiffCountSummary, classes, present.size()));
    EXPECT_TRUE(SameTable(stat.DiffPositions, stat.DiffPositionGroups, stat.DiffPositionSummary, positions, 5));
    EXPECT_TRUE(SameMeans(stat.DiffPositionMeans, positions, 5));
    EXPECT_TRUE(SamePatterns(stat.DiffRepeats, stat.DiffRepeatGroups, repeats));
    EXPECT_TRUE(SameTable(stat.NumberPositions, stat.NumberPositionGroups, stat.NumberPositionSummary, numbers, 6));
    EXPECT_TRUE(SameMeans(stat.NumberPositionMeans, numbers, 6));
    for (size_t j = 0; j < 6; ++j) {
        EXPECT_NEAR(stat.NumberPositionSummary[j].Expected, (j + 1) * 50.0 / 7, 1e-9);
        EXPECT_NEAR(j < 5 ? stat.DiffPositionSummary[j].Expected : 50.0 / 7, 50.0 / 7, 1e-9);
    }
}

TEST(StatDiffsTest, RepeatedDifferencesMakeThePatternsWorkedByHand)
{
    TStatDiffs stat(&LottoGame().Info, nullptr, nullptr);
    stat.LoadStatDraws(MakeDraws({{1, 2, 4, 7, 11, 16}, {1, 3, 5, 7, 20, 22}, {1, 3, 5, 10, 15, 20}}), -1);
    stat.Start();
    stat.Thread->WaitFor();
    const auto pattern = [&](int32_t Row) { return Text(stat, &TStatTables::GetDetailText, 3, 0, Row); };
    EXPECT_EQ(pattern(0) + "|" + pattern(1) + "|" + pattern(2), "2 - 3|4|0");
    EXPECT_EQ(stat.DiffCaptions, (std::vector<std::string>{"01", "02", "03", "04", "05", "13"}));
    // Latest first: the second draw is row 1; four differences of 2 and one of 13.
    EXPECT_EQ(Text(stat, &TStatTables::GetDetailText, 1, 1, 1) + Text(stat, &TStatTables::GetDetailText, 1, 5, 1) +
                  Text(stat, &TStatTables::GetDetailText, 1, 0, 1),
              "4 1 ");
    EXPECT_EQ(Text(stat, &TStatTables::GetDetailText, 2, 4, 2), "5 ");
    EXPECT_EQ(stat.MaxRepeats, 2);
    // One draw each: ties by the smaller pattern first.
    stat.SortGroupsByCount(3, 1);
    EXPECT_EQ(Text(stat, &TStatTables::GetGroupValueText, 3, 0, 0) + Text(stat, &TStatTables::GetGroupValueText, 3, 0, 2) +
                  Text(stat, &TStatTables::GetGroupCountText, 3, 0, 2),
              "02 - 31 ");
}

// Over many rows the sorts of the groupings run long: they poll, and a stop there ends the run, its
// tables freed.
TEST(StatDiffsTest, AStopWhileTheTablesAreSortedEndsTheRun)
{
    TStatDiffs stat(&LottoGame().Info, nullptr, nullptr);
    stat.LoadStatDraws(testsupport::RandomDraws(20000, 49, 6, 11), -1);
    int sortingPolls = 0;
    stat.OnPoll = [&](TStatStep Step, const TMyThread &) {
        if (Step == TStatStep::Sorting && ++sortingPolls == 1)
            stat.Thread->Terminate();
    };
    stat.Start();
    stat.Thread->WaitFor();
    EXPECT_EQ(sortingPolls, 1);
    EXPECT_EQ(stat.State, ssStopped);
    EXPECT_TRUE(stat.DiffCounts.empty());

    // Not stopped, the same rows are counted whole.
    stat.OnPoll = nullptr;
    stat.Start();
    stat.Thread->WaitFor();
    EXPECT_EQ(stat.State, ssComputed);
    EXPECT_EQ(stat.DiffCounts.size(), 20000u);
}
