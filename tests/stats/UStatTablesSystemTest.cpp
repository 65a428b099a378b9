// The table statistics over a system's rows: a system of 10 numbers whose key spans the game, and an
// empty system.
#include "engine/USysFull.h"
#include "engine/USysUser.h"
#include "stats/UExpVal.h"
#include "stats/UStatDiff.h"
#include "stats/UStatDigits.h"
#include "stats/UStatIntervals.h"
#include "stats/UStatMisc.h"
#include "stats/UStatSuccNums.h"
#include "tests/stats/TableStatTestSupport.h"

#include <gtest/gtest.h>

#include <climits>

using namespace tabletest;

namespace {

class StatTablesSystemTest : public testing::Test {
protected:
    void SetUp() override
    {
        System.SetParams(10, 6);
        ASSERT_TRUE(System.Generate());
        System.SetKey({1, 2, 3, 4, 5, 45, 46, 47, 48, 49});
        for (int i = 0; i < System.ViewCount(); ++i)
            Rows.emplace_back(System.GetComb(i, true), System.GetComb(i, true) + 6);
        ASSERT_EQ(Rows.size(), 210u);
        Empty.SetParams(6, 0);
    }

    // Loads Stat over the system (the rows as draws when AsDraws) and calculates.
    template <typename TStat> void Load(TStat &Stat, bool AsDraws)
    {
        if (AsDraws)
            Stat.LoadStatDraws(MakeDraws(Rows), -1);
        else
            Stat.LoadSystem();
    }

    TSysFull System{&LottoGame()};
    TSysUser Empty{&LottoGame()};
    std::vector<TDynByteArr> Rows;
};

bool SameCells(const TDets &A, const TDets &B)
{
    return std::equal(A.begin(), A.end(), B.begin(), B.end(), [](const TDetRow &X, const TDetRow &Y) {
        return std::equal(X.begin(), X.end(), Y.begin(), Y.end(), [](const TDetItem &P, const TDetItem &Q) {
            return P.Draw == Q.Draw && P.Value == Q.Value;
        });
    });
}

bool SameSummaries(const TTDets &A, const TTDets &B)
{
    return std::equal(A.begin(), A.end(), B.begin(), B.end(), [](const TSummaryItem &X, const TSummaryItem &Y) {
        return X.Min == Y.Min && X.Max == Y.Max && X.Sum == Y.Sum && X.Mean == Y.Mean && X.StdDev == Y.StdDev &&
               X.Percent == Y.Percent;
    });
}

// What an empty table gives: no rows, Cols empty groups and summary rows of nothing.
testing::AssertionResult EmptyTable(const TDets &Dets, const TGDets &Groups, const TTDets &Summary, size_t Cols)
{
    if (!Dets.empty() || Groups.size() != Cols || Summary.size() != Cols)
        return testing::AssertionFailure() << Dets.size() << " rows " << Groups.size() << " groups";
    for (size_t c = 0; c < Cols; ++c)
        if (Groups[c].Count != 0 || Summary[c].Min != INT32_MAX || Summary[c].Max != -1 || Summary[c].Sum != 0 ||
            Summary[c].Mean != 0 || Summary[c].StdDev != 0 || Summary[c].Percent != 0)
            return testing::AssertionFailure() << "column " << c;
    return testing::AssertionSuccess();
}

bool EmptyPatterns(const TCDets &Patterns, const TCGDets &Groups)
{
    return Patterns.Empty() && Groups.size() == 1 && Groups[0].Count == 0 && Groups[0].Items.empty();
}

} // namespace

TEST_F(StatTablesSystemTest, RangesAndDifferencesOfTheRowsAreThoseOfTheSameDraws)
{
    TStatIntervals ranges[2]{{&LottoGame().Info, &System, nullptr}, {&LottoGame().Info, nullptr, nullptr}};
    TStatDiffs diffs[2]{{&LottoGame().Info, &System, nullptr}, {&LottoGame().Info, nullptr, nullptr}};
    for (int asDraws = 0; asDraws < 2; ++asDraws) {
        // The ranges are set before the system gives the statistic its numbers.
        ranges[asDraws].SetIntervals({{1, 5, {}}, {3, 46, {}}, {47, 60, {}}});
        Load(ranges[asDraws], asDraws);
        ranges[asDraws].Calculate();
        Load(diffs[asDraws], asDraws);
        diffs[asDraws].Start();
        diffs[asDraws].Thread->WaitFor();
    }
    EXPECT_TRUE(SameCells(ranges[0].Details, ranges[1].Details));
    EXPECT_TRUE(SameSummaries(ranges[0].SummaryRows, ranges[1].SummaryRows));
    EXPECT_EQ(ranges[0].SummaryRows[2].Sum, 210 * 6 * 3 / 10);
    EXPECT_EQ(ranges[0].SummaryRows[1].Expected, 0);
    EXPECT_EQ(ranges[0].RunningMeans, ranges[1].RunningMeans);
    const auto &[sys, draws] = diffs;
    EXPECT_EQ(sys.DiffCaptions, draws.DiffCaptions);
    EXPECT_EQ(sys.DiffCaptions.back(), "44");
    for (auto [a, b] : {std::pair{&sys.DiffCounts, &draws.DiffCounts}, {&sys.DiffPositions, &draws.DiffPositions},
                        {&sys.NumberPositions, &draws.NumberPositions}})
        EXPECT_TRUE(SameCells(*a, *b));
    EXPECT_TRUE(SameSummaries(sys.DiffCountSummary, draws.DiffCountSummary));
    for (int32_t r = 0; r < 210; ++r)
        EXPECT_TRUE(std::equal(sys.DiffRepeats.Pattern(r, 0), sys.DiffRepeats.Pattern(r, 0) + 3,
                               draws.DiffRepeats.Pattern(r, 0)));
    // Expected values of the system's 10 numbers.
    EXPECT_NEAR(sys.NumberPositionSummary[5].Expected, 6 * 11.0 / 7, 1e-9);
    EXPECT_NEAR(sys.DiffPositionSummary[0].Expected, 11.0 / 7, 1e-9);
    EXPECT_NEAR(draws.DiffPositionSummary[0].Expected, 50.0 / 7, 1e-9);

    TStatMisc misc(&LottoGame().Info, &System, nullptr);
    misc.LoadSystem();
    misc.Calculate();
    EXPECT_NEAR(misc.SummaryRows[0].Expected, ExpEvens(10, 6), 1e-12);
    EXPECT_NEAR(misc.SummaryRows[3].Expected, 33, 1e-12);
    EXPECT_NEAR(misc.SummaryRows[10].Expected, 6 * 11.0 / 7 - 11.0 / 7, 1e-9);
    EXPECT_EQ(misc.SummaryRows[8].Max + misc.SummaryRows[9].Min, 5 + 45);
}

TEST_F(StatTablesSystemTest, AnEmptySystemGivesEmptyTables)
{
    const TGameInfo *game = &LottoGame().Info;
    TStatMisc misc(game, &Empty, nullptr);
    TStatSucc succ(game, &Empty, nullptr);
    TStatIntervals ranges(game, &Empty, nullptr);
    TStatDiffs diffs(game, &Empty, nullptr);
    TStatDigits digits(game, &Empty, nullptr);
    ranges.SetIntervals({{1, 10, {}}});
    for (TStatTables *stat : std::initializer_list<TStatTables *>{&misc, &succ, &ranges, &diffs, &digits})
        stat->LoadSystem();
    misc.Calculate();
    succ.Calculate();
    ranges.Calculate();
    diffs.Start();
    diffs.Thread->WaitFor();
    digits.Calculate();

    EXPECT_TRUE(EmptyTable(misc.Details, misc.Groups, misc.SummaryRows, 11));
    EXPECT_TRUE(EmptyPatterns(misc.Patterns, misc.PatternGroups));
    EXPECT_TRUE(SameMeans(misc.RunningMeans, {}, 11));
    EXPECT_TRUE(EmptyTable(succ.Details, succ.Groups, succ.SummaryRows, 0));
    EXPECT_TRUE(EmptyPatterns(succ.Patterns, succ.PatternGroups));
    EXPECT_TRUE(EmptyTable(ranges.Details, ranges.Groups, ranges.SummaryRows, 1));
    EXPECT_TRUE(SameMeans(ranges.RunningMeans, {}, 1));
    EXPECT_TRUE(EmptyTable(diffs.DiffCounts, diffs.DiffCountGroups, diffs.DiffCountSummary, 0));
    EXPECT_TRUE(EmptyTable(diffs.DiffPositions, diffs.DiffPositionGroups, diffs.DiffPositionSummary, 5));
    EXPECT_TRUE(EmptyTable(diffs.NumberPositions, diffs.NumberPositionGroups, diffs.NumberPositionSummary, 6));
    EXPECT_TRUE(EmptyPatterns(diffs.DiffRepeats, diffs.DiffRepeatGroups));
    EXPECT_TRUE(SameMeans(diffs.NumberPositionMeans, {}, 6));
    EXPECT_TRUE(EmptyTable(digits.Details, digits.Groups, digits.SummaryRows, 0));
    EXPECT_TRUE(EmptyPatterns(digits.Patterns, digits.PatternGroups));
}
