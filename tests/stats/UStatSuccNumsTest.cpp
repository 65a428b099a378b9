#include "stats/UStatSuccNums.h"

#include "tests/stats/TableStatTestSupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace tabletest;

namespace {

// The lengths of the runs of consecutive numbers, in order.
std::vector<uint8_t> Runs(const TDynByteArr &X)
{
    std::vector<uint8_t> runs;
    size_t start = 0;
    for (size_t i = 1; i <= X.size(); ++i)
        if (i == X.size() || X[i] != X[i - 1] + 1) {
            if (i - start > 1)
                runs.push_back(static_cast<uint8_t>(i - start));
            start = i;
        }
    return runs;
}

// Runs of each occurring length per draw, and each draw's pattern.
void Recount(const TStatDraws &Draws, std::vector<int32_t> &Lengths, TValues &Values,
             std::vector<TDynByteArr> &Patterns)
{
    std::set<int32_t> lengths;
    for (const TStatDraw &draw : Draws)
        for (const uint8_t run : Runs(draw.Numbers))
            lengths.insert(run);
    Lengths.assign(lengths.begin(), lengths.end());
    for (const TStatDraw &draw : Draws) {
        const std::vector<uint8_t> runs = Runs(draw.Numbers);
        auto &row = Values.emplace_back();
        for (const int32_t len : Lengths)
            row.push_back(static_cast<int32_t>(std::count(runs.begin(), runs.end(), len)));
        Patterns.push_back(RightAligned(runs, draw.Numbers.size() / 2));
    }
}

} // namespace

TEST(StatSuccTest, TheLottoHistoryAgreesWithAPlainRecount)
{
    TStatSucc stat(&LottoGame().Info, nullptr, nullptr);
    stat.LoadDraws(TDrawsRange{}, LottoHistory(), -1);
    stat.Calculate();
    std::vector<int32_t> lengths;
    TValues values;
    std::vector<TDynByteArr> patterns;
    Recount(stat.Draws, lengths, values, patterns);
    EXPECT_EQ(stat.Lengths, lengths);
    EXPECT_EQ(stat.LongestRun, lengths.back());
    EXPECT_TRUE(SameTable(stat.Details, stat.Groups, stat.SummaryRows, values, lengths.size()));
    EXPECT_TRUE(SameMeans(stat.RunningMeans, values, lengths.size()));
    EXPECT_TRUE(SamePatterns(stat.Patterns, stat.PatternGroups, patterns));
}

TEST(StatSuccTest, OnlyOccurringRunLengthsBecomeColumns)
{
    TStatSucc stat(&LottoGame().Info, nullptr, nullptr);
    // Runs of 3 and 2; one of 6; none; runs of 2 and 2 reaching 49.
    stat.LoadStatDraws(MakeDraws({{1, 2, 3, 5, 6, 9}, {1, 2, 3, 4, 5, 6}, {1, 3, 5, 7, 9, 11}, {10, 11, 20, 30, 48, 49}}), -1);
    stat.Calculate();
    EXPECT_EQ(stat.Lengths, (TDynIntArr{2, 3, 6}));
    EXPECT_EQ(stat.MaxRuns, 2);
    const auto pattern = [&](int32_t Row) { return Text(stat, &TStatTables::GetDetailText, 2, 0, Row); };
    EXPECT_EQ(pattern(0) + "|" + pattern(1) + "|" + pattern(2) + "|" + pattern(3), "2 - 2|0|6|2 - 3");
    EXPECT_EQ(Text(stat, &TStatTables::GetDetailText, 1, 0, 0), "2 ");
    EXPECT_EQ(Text(stat, &TStatTables::GetDetailText, 1, 1, 0), "");
    EXPECT_EQ(Text(stat, &TStatTables::GetGroupValueText, 2, 0, 0), "0");

    // No run anywhere: no columns, every pattern "0".
    stat.LoadStatDraws(MakeDraws({{1, 3, 5, 7, 9, 11}, {2, 4, 6, 8, 10, 12}}), -1);
    stat.Calculate();
    EXPECT_EQ(stat.LengthCount, 0);
    EXPECT_TRUE(SameTable(stat.Details, stat.Groups, stat.SummaryRows, TValues(2), 0));
    EXPECT_TRUE(SamePatterns(stat.Patterns, stat.PatternGroups, std::vector<TDynByteArr>(2, TDynByteArr(3, 0))));
}
