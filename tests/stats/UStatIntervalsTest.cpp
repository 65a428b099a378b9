#include "stats/UStatIntervals.h"

#include "tests/stats/TableStatTestSupport.h"

#include <gtest/gtest.h>

using namespace tabletest;

namespace {

TIntervals Ranges(const std::vector<std::pair<uint8_t, uint8_t>> &Bounds)
{
    TIntervals ranges;
    for (const auto &[from, to] : Bounds)
        ranges.push_back({from, to, {}});
    return ranges;
}

} // namespace

// Overlapping ranges, one reaching past 49 and one holding nothing of 1..49.
TEST(StatIntervalsTest, TheLottoHistoryAgreesWithAPlainRecountOfTheFirstRangeOfEachNumber)
{
    TStatIntervals stat(&LottoGame().Info, nullptr, nullptr);
    stat.LoadDraws(TDrawsRange{}, LottoHistory(), -1);
    const TIntervals ranges = Ranges({{1, 10}, {5, 15}, {40, 55}, {20, 30}, {25, 45}, {60, 70}});
    stat.SetIntervals(ranges);
    stat.Calculate();
    TValues values;
    for (const TStatDraw &draw : stat.Draws) {
        auto &row = values.emplace_back(ranges.size(), 0);
        for (const uint8_t x : draw.Numbers) {
            const auto first = std::find_if(ranges.begin(), ranges.end(),
                                            [x](const TInterval &R) { return R.From <= x && x <= R.To; });
            if (first != ranges.end())
                ++row[static_cast<size_t>(first - ranges.begin())];
        }
    }
    EXPECT_TRUE(SameTable(stat.Details, stat.Groups, stat.SummaryRows, values, ranges.size(), false));
    EXPECT_TRUE(SameMeans(stat.RunningMeans, values, ranges.size()));
    EXPECT_EQ(stat.IntervalLabels, (std::vector<std::string>{"01..10", "05..15", "40..55", "20..30", "25..45", "60..70"}));
    // The expected counts of the drawable part of each range, overlaps aside.
    const double expected[] = {10, 11, 10, 11, 21, 0};
    for (size_t j = 0; j < ranges.size(); ++j)
        EXPECT_NEAR(stat.SummaryRows[j].Expected, expected[j] * 6 / 49, 1e-12) << j;
    EXPECT_NEAR(stat.SummaryRows[1].Expected, 1.3469, 1e-4);

    stat.SortDetailsByValue(1);
    EXPECT_EQ(stat.Details[0][0].Value, stat.SummaryRows[0].Max);
    std::string text;
    stat.GetGroupValueText(5, 0, text);
    EXPECT_EQ(text, "0 ");
    stat.GetGroupCountText(5, 1, text);
    EXPECT_EQ(text, "");

    stat.SetIntervals({});
    stat.Calculate();
    EXPECT_TRUE(stat.Details[0].empty() && stat.Groups.empty() && stat.SummaryRows.empty());
}
