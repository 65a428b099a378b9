#include "engine/UHitsInFull.h"

#include "core/UComb.h"

#include <gtest/gtest.h>

namespace {

// Every K-combination of 1..N, with the drawn numbers being 1..M: how many have each number of hits.
TDynInt64Arr EnumerateHits(int N, int K, int M)
{
    TDynInt64Arr counts(size_t(K) + 1, 0);
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

TDynInt64Arr ExactCounts(int N, int K, int M)
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
    EXPECT_EQ(hits.Counts, (TDynInt64Arr{21, 231, 126, 21, 0, 0}));
    hits.MakeExact();
    EXPECT_EQ(hits.Counts, (TDynInt64Arr{21, 105, 105, 21, 0, 0}));
}

TEST(THitsInFull, NothingDrawnLeavesEveryCombinationWithoutAHit)
{
    EXPECT_EQ(ExactCounts(9, 4, 0), (TDynInt64Arr{126, 0, 0, 0, 0}));
}

TEST(THitsInFull, AllDrawnAmongMoreThanKGivesCMKAtTheTop)
{
    EXPECT_EQ(ExactCounts(12, 4, 7)[4], 35); // C(7, 4)
    EXPECT_EQ(ExactCounts(8, 6, 6)[6], 1);
}

TEST(THitsInFull, EmptyCombination)
{
    EXPECT_EQ(ExactCounts(7, 0, 3), (TDynInt64Arr{1}));
}

TEST(THitsInFull, AgreesWithEnumerationOfSmallSystems)
{
    for (int n = 1; n <= 12; ++n)
        for (int k = 1; k <= n; ++k)
            for (int m = 0; m <= n; ++m)
                ASSERT_EQ(ExactCounts(n, k, m), EnumerateHits(n, k, m)) << "N " << n << " K " << k << " M " << m;
    EXPECT_EQ(ExactCounts(22, 8, 7), EnumerateHits(22, 8, 7));
}

// 30 of 60 with 30 drawn: C(30, 15) x C(45, 15) leaves 64 bits, yet every exact count C(30, j)^2 fits.
TEST(THitsInFull, ProductsBeyondSixtyFourBitsGiveExactCounts)
{
    const TDynInt64Arr counts = ExactCounts(60, 30, 30);
    int64_t total = 0;
    for (int j = 0; j <= 30; ++j) {
        EXPECT_EQ(counts[size_t(j)], Newton[30][size_t(j)] * Newton[30][size_t(j)]) << j;
        total += counts[size_t(j)];
    }
    EXPECT_EQ(total, Newton[60][30]);
}

// 95 of 100 with 70 drawn: C(70, j) leaves 63 bits for j = 26..44, so those levels and the ones below
// saturate; the levels above stay exact: C(70, j) x C(30, 95 - j), which is 0 below 65 hits.
TEST(THitsInFull, SaturatedBinomialsSaturateTheLevelsThatUseThem)
{
    const TDynInt64Arr counts = ExactCounts(100, 95, 70);
    for (int j = 0; j <= 95; ++j) {
        const int64_t exact = j > 70 || 95 - j > 30 ? 0 : Newton[70][size_t(j)] * Newton[30][size_t(95 - j)];
        EXPECT_EQ(counts[size_t(j)], j <= 44 ? THitsInFull::Saturated : exact) << j;
    }
}

} // namespace
