#include "stats/UStatFreqList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// (Code, Freq, Last) of each row, in the list's frequency order.
std::vector<std::tuple<int64_t, uint32_t, uint32_t>> RowsOf(TFreqResultList &List)
{
    std::vector<TFreqItem> taken = List.Take();
    std::sort(taken.begin(), taken.end(), [](const TFreqItem &A, const TFreqItem &B) { return FreqOrderBefore(A, B); });
    std::vector<std::tuple<int64_t, uint32_t, uint32_t>> rows;
    for (const TFreqItem &row : taken)
        rows.emplace_back(row.Code, row.Freq, row.Last);
    return rows;
}

using Rows = std::vector<std::tuple<int64_t, uint32_t, uint32_t>>;

} // namespace

TEST(FreqResultList, KeepsTheFirstCountOfACode)
{
    TFreqResultList list(false, 0);
    list.AddFirst(9, 4, 2);
    list.AddFirst(3, 2, 5);
    list.AddFirst(9, 7, 0); // a later draw's count of a listed code
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(RowsOf(list), (Rows{{9, 4, 2}, {3, 2, 5}}));
    EXPECT_EQ(list.Count(), 0);
}

TEST(FreqResultList, MergeKeepsTheLargerCountAndTheLowerDraw)
{
    TFreqResultList list(false, 0);
    list.Merge(4, 2, 7);
    list.Merge(4, 5, 9);
    list.Merge(4, 3, 1);
    list.Merge(6, 3, 3);
    EXPECT_EQ(RowsOf(list), (Rows{{4, 5, 1}, {6, 3, 3}}));
}

TEST(FreqResultList, RowLimitKeepsTheFirstRowsInFrequencyOrder)
{
    TFreqResultList list(true, 2);
    list.AddFirst(5, 3, 0);
    list.AddFirst(7, 3, 1);
    list.AddFirst(1, 3, 2); // equal counts: the smaller codes stay
    list.AddFirst(8, 2, 3); // below the last row kept
    EXPECT_EQ(list.Count(), 2);
    list.Merge(7, 5, 4); // 7 comes back with a higher count and drops 5
    EXPECT_EQ(RowsOf(list), (Rows{{7, 5, 4}, {1, 3, 2}}));

    // A row raised in place moves up the order, so a later row drops the other one.
    TFreqResultList raised(true, 2);
    raised.Merge(10, 3, 0);
    raised.Merge(20, 2, 0);
    raised.Merge(20, 6, 0);
    raised.Merge(30, 4, 0);
    EXPECT_EQ(RowsOf(raised), (Rows{{20, 6, 0}, {30, 4, 0}}));

    TFreqResultList none(true, 0);
    none.AddFirst(1, 100, 0);
    none.Merge(2, 100, 0);
    EXPECT_EQ(none.Count(), 0);
}
