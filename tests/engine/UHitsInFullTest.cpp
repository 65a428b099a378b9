#include "engine/UHitsInFull.h"

#include "core/UComb.h"

#include <gtest/gtest.h>

namespace {

// Every K-combination of 1..N, with the drawn numbers being 1..M: how many have each number of hits.
TDynIntArr EnumerateHits(int N, int K, int M)
{
    TDynIntArr counts(size_t(K) + 1, 0);
    TDynByteArr comb(static_cast<size_t>(K));
    const int64_t total = Newton[size_t(N)][size_t(K)];
    for (int64_t i = 0; i < total; ++i) {
        NextComb(comb, uint8_t(N), uint8_t(K), i == 0);
        int hits = 0;
        for (const uint8_t number : comb)
            hits += number <= M;
        ++counts[size_t(hits)];
    }
    return counts;
}

TDynIntArr ExactCounts(int N, int K, int M)
{
    THitsInFull hits;
    hits.Init(uint8_t(N), uint8_t(K), uint8_t(M));
    hits.CountAtLeast();
    hits.MakeExact();
    return hits.Counts;
}

TEST(THitsInFull, TenNumbersFivePerCombinationThreeDrawn)
{
    THitsInFull hits;
    hits.Init(10, 5, 3);
    EXPECT_EQ(hits.Top, 3);
    hits.CountAtLeast();
    // At least 1, 2 and 3 hits: 252 - 21 without a hit, 3 x C(8, 3) - 2 x 21, 21.
    EXPECT_EQ(hits.Counts, (TDynIntArr{21, 231, 126, 21, 0, 0}));
    hits.MakeExact();
    EXPECT_EQ(hits.Counts, (TDynIntArr{21, 105, 105, 21, 0, 0}));
}

TEST(THitsInFull, NothingDrawnLeavesEveryCombinationWithoutAHit)
{
    EXPECT_EQ(ExactCounts(9, 4, 0), (TDynIntArr{126, 0, 0, 0, 0}));
}

TEST(THitsInFull, AllDrawnAmongMoreThanKGivesCMKAtTheTop)
{
    EXPECT_EQ(ExactCounts(12, 4, 7)[4], 35); // C(7, 4)
    EXPECT_EQ(ExactCounts(8, 6, 6)[6], 1);
}

TEST(THitsInFull, EmptyCombination)
{
    EXPECT_EQ(ExactCounts(7, 0, 3), (TDynIntArr{1}));
}

TEST(THitsInFull, AgreesWithEnumerationOfSmallSystems)
{
    for (int n = 1; n <= 12; ++n)
        for (int k = 1; k <= n; ++k)
            for (int m = 0; m <= n; ++m)
                ASSERT_EQ(ExactCounts(n, k, m), EnumerateHits(n, k, m)) << "N " << n << " K " << k << " M " << m;
}

} // namespace
