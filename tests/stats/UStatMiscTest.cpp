#include "stats/UStatMisc.h"

#include "stats/UExpVal.h"
#include "tests/stats/TableStatTestSupport.h"
#include "tests/support/ReferenceMath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

using namespace tabletest;

namespace {

TValues MiscValues(const TStatDraws &Draws)
{
    TValues values;
    for (size_t i = 0; i < Draws.size(); ++i) {
        const TDynByteArr &x = Draws[i].Numbers;
        int evens = 0, primes = 0, sum = 0, tens = 0, units = 0, common = 0;
        for (const uint8_t n : x) {
            evens += n % 2 == 0;
            primes += testsupport::isPrime(n);
            sum += n;
            tens += n / 10;
            units += n % 10;
        }
        if (i > 0)
            for (const uint8_t n : x)
                common += std::count(Draws[i - 1].Numbers.begin(), Draws[i - 1].Numbers.end(), n) > 0;
        values.push_back({evens, static_cast<int>(x.size()) - evens, primes, sum, tens + units, tens, units, common,
                          x.front(), x.back(), x.back() - x.front()});
    }
    return values;
}

} // namespace

TEST(StatMiscTest, TheLottoHistoryAgreesWithAPlainRecount)
{
    TStatMisc stat(&LottoGame().Info, nullptr, nullptr);
    stat.LoadDraws(TDrawsRange{}, LottoHistory(), -1);
    ASSERT_EQ(stat.DrawCount, 3545);
    stat.Calculate();
    const TValues values = MiscValues(stat.Draws);
    EXPECT_TRUE(SameTable(stat.Details, stat.Groups, stat.SummaryRows, values, 11));
    EXPECT_TRUE(SameMeans(stat.RunningMeans, values, 11));
    std::vector<TDynByteArr> evenOdd;
    for (const auto &row : values)
        evenOdd.push_back({static_cast<uint8_t>(row[0]), static_cast<uint8_t>(row[1])});
    EXPECT_TRUE(SamePatterns(stat.Patterns, stat.PatternGroups, evenOdd, std::vector<int32_t>(3545, 2)));
    const double expected[] = {ExpEvens(49, 6), 6 - ExpEvens(49, 6), ExpPrimes(49, 6), 150,
                               100.0 / 49 * 6 + 225.0 / 49 * 6, 100.0 / 49 * 6, 225.0 / 49 * 6, 36.0 / 49,
                               50.0 / 7, 300.0 / 7, 250.0 / 7};
    for (size_t c = 0; c < 11; ++c)
        EXPECT_NEAR(stat.SummaryRows[c].Expected, expected[c], 1e-9) << c;
}

TEST(StatMiscTest, HandMadeDrawsGiveTheValuesAndTextsWorkedByHand)
{
    TStatMisc stat(&LottoGame().Info, nullptr, nullptr);
    stat.LoadStatDraws(MakeDraws({{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}, {10, 20, 31, 42, 45, 49},
                                  {2, 4, 7, 9, 11, 13}}),
                       -1);
    stat.Calculate();
    // Latest draw first: the first three draws are rows 3, 2 and 1.
    std::vector<std::vector<int32_t>> rows(3);
    for (size_t r = 0; r < 3; ++r)
        for (const TDetItem &cell : stat.Details[3 - r])
            rows[r].push_back(cell.Value);
    EXPECT_EQ(rows, (std::vector<std::vector<int32_t>>{{3, 3, 3, 21, 21, 0, 21, 0, 1, 6, 5},
                                                       {3, 3, 3, 21, 21, 0, 21, 6, 1, 6, 5},
                                                       {3, 3, 1, 197, 35, 18, 17, 0, 10, 49, 39}}));
    EXPECT_EQ(Text(stat, &TStatTables::GetDetailText, 2, 0, 0), "02P - 04N");
    EXPECT_EQ(Text(stat, &TStatTables::GetDetailText, 1, 5, 3) + Text(stat, &TStatTables::GetDetailText, 1, 3, 3),
              "21 ");
    // Column 5 has the groups 0 (three draws) and 18.
    EXPECT_EQ(Text(stat, &TStatTables::GetGroupValueText, 1, 5, 0) + Text(stat, &TStatTables::GetGroupCountText, 1, 5, 0) +
                  Text(stat, &TStatTables::GetGroupValueText, 1, 5, 2),
              "0 2 18 ");
    EXPECT_EQ(Text(stat, &TStatTables::GetGroupValueText, 2, 0, 0) + Text(stat, &TStatTables::GetGroupCountText, 2, 0, 0),
              "02P - 04N1 ");
    EXPECT_EQ(Text(stat, &TStatTables::GetDrawText, 1, 0, 0), " 2  4  7  9 11 13 ");
    std::string label;
    stat.GetDrawLabel(2, 0, 1, false, label);
    EXPECT_EQ(label, "3");
    stat.GetDrawLabel(1, 0, 3, true, label);
    EXPECT_EQ(label, "06.07.2009");

    stat.SortGroupsByCount(2, 1);
    EXPECT_EQ(Text(stat, &TStatTables::GetGroupValueText, 2, 0, 0), "03P - 03N");
    stat.SortDetailsByValue(1, -1);
    EXPECT_EQ(stat.Details[0][9].Value, 6);
    EXPECT_EQ(stat.Details[0][9].Draw, 1);
}
