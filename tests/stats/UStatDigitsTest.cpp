#include "stats/UStatDigits.h"

#include "stats/UExpVal.h"
#include "tests/stats/TableStatTestSupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace tabletest;

TEST(StatDigitsTest, TheLottoHistoryAgreesWithAPlainRecountOfBothDigits)
{
    TStatDigits stat(&LottoGame().Info, nullptr, nullptr);
    stat.LoadDraws(TDrawsRange{}, LottoHistory(), -1);
    for (const uint8_t kind : {0, 1}) {
        SCOPED_TRACE(kind);
        stat.SetDigitKind(kind);
        stat.Calculate();
        const auto digit = [kind](uint8_t X) { return kind == 1 ? X / 10 : X % 10; };
        std::set<int32_t> present;
        for (const TStatDraw &draw : stat.Draws)
            for (const uint8_t x : draw.Numbers)
                present.insert(digit(x));
        TValues values;
        std::vector<TDynByteArr> patterns;
        for (const TStatDraw &draw : stat.Draws) {
            std::map<int32_t, int32_t> counts;
            for (const uint8_t x : draw.Numbers)
                ++counts[digit(x)];
            auto &row = values.emplace_back();
            for (const int32_t d : present)
                row.push_back(counts[d]);
            patterns.push_back(RepeatsPattern(counts, 3));
        }
        EXPECT_EQ(stat.PresentDigits, TDynIntArr(present.begin(), present.end()));
        EXPECT_TRUE(SameTable(stat.Details, stat.Groups, stat.SummaryRows, values, present.size()));
        EXPECT_TRUE(SameMeans(stat.RunningMeans, values, present.size()));
        EXPECT_TRUE(SamePatterns(stat.Patterns, stat.PatternGroups, patterns));
        for (size_t j = 0; j < present.size(); ++j)
            EXPECT_DOUBLE_EQ(stat.SummaryRows[j].Expected, ExpDigitCount(49, 6, stat.PresentDigits[j], kind == 1));
    }
    EXPECT_EQ(stat.PresentCount, 5);
    EXPECT_NEAR(stat.SummaryRows[4].Expected, 1.224490, 1e-6);
}

TEST(StatDigitsTest, RepeatedDigitsMakeThePatternsWorkedByHand)
{
    TStatDigits stat(&LottoGame().Info, nullptr, nullptr);
    stat.LoadStatDraws(MakeDraws({{1, 5, 11, 15, 21, 30}, {1, 2, 3, 4, 5, 6}, {1, 12, 23, 34, 45, 46}}), -1);
    stat.Calculate();
    // Last digits: 0 1 2 3 4 5 6 occur; the first draw has one 0, three 1s, two 5s.
    EXPECT_EQ(stat.PresentDigits, (TDynIntArr{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(stat.Details[2][0].Value + 10 * stat.Details[2][1].Value + 100 * stat.Details[2][5].Value, 231);
    EXPECT_EQ(Text(stat, &TStatTables::GetDetailText, 2, 0, 2) + "|" + Text(stat, &TStatTables::GetDetailText, 2, 0, 1),
              "2 - 3 |0 ");
    EXPECT_NEAR(stat.SummaryRows[0].Expected, 0.489796, 1e-6);

    stat.SetDigitKind(1);
    stat.Calculate();
    EXPECT_EQ(stat.PresentDigits, (TDynIntArr{0, 1, 2, 3, 4}));
    EXPECT_EQ(Text(stat, &TStatTables::GetDetailText, 2, 0, 1), "6 ");
    EXPECT_EQ(Text(stat, &TStatTables::GetGroupValueText, 2, 0, 2) + Text(stat, &TStatTables::GetGroupCountText, 2, 0, 2),
              "2 - 2 1 "); // first digits 0 0 1 1 2 3
}
