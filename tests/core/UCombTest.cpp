#include "core/UComb.h"
#include "core/Knutt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Every K-combination of 1..N in lexicographic order, by plain recursion.
std::vector<Bytes> allCombinations(int N, int K)
{
    std::vector<Bytes> result;
    Bytes current;
    std::function<void(int)> extend = [&](int from) {
        if (static_cast<int>(current.size()) == K) {
            result.push_back(current);
            return;
        }
        for (int v = from; v <= N; ++v) {
            current.push_back(static_cast<uint8_t>(v));
            extend(v + 1);
            current.pop_back();
        }
    };
    extend(1);
    return result;
}

Bytes randomSortedComb(std::mt19937 &rng, int maxNumber, int maxLen)
{
    std::uniform_int_distribution<int> len(0, maxLen), number(1, maxNumber);
    std::set<uint8_t> numbers;
    const int k = len(rng);
    while (static_cast<int>(numbers.size()) < k)
        numbers.insert(static_cast<uint8_t>(number(rng)));
    return Bytes(numbers.begin(), numbers.end());
}

} // namespace

TEST(UCombTables, NewtonHoldsBinomialsAndSaturatesBeyond64Bits)
{
    ASSERT_EQ(Newton.size(), 101u);
    for (size_t n = 0; n <= 100; ++n)
        ASSERT_EQ(Newton[n].size(), n + 1);
    EXPECT_EQ(Newton[0][0], 1);
    EXPECT_EQ(Newton[100][0], 1);
    EXPECT_EQ(Newton[100][100], 1);
    EXPECT_EQ(Newton[100][2], 4950);
    EXPECT_EQ(Newton[49][6], 13983816);
    EXPECT_EQ(Newton[66][33], 7219428434016265740LL);
    EXPECT_EQ(Newton[100][10], 17310309456440LL);
    EXPECT_EQ(Newton[67][33], std::numeric_limits<int64_t>::max());
    EXPECT_EQ(Newton[100][50], std::numeric_limits<int64_t>::max());
    EXPECT_EQ(Newton[67][1], 67);
    // Ranks are exact only below the saturated entries.
    EXPECT_TRUE(RankFits(66, 33));
    EXPECT_TRUE(RankFits(100, 10));
    EXPECT_FALSE(RankFits(67, 33));
    EXPECT_FALSE(RankFits(100, 50));
    EXPECT_FALSE(RankFits(5, 6));
    EXPECT_FALSE(RankFits(101, 1));
}

TEST(UCombTables, NewtonExtKeepsTheLargeEntries)
{
    ASSERT_EQ(NewtonExt.size(), 101u);
    EXPECT_EQ(NewtonExt[66][33], 7219428434016265740.0L);
    EXPECT_EQ(NewtonExt[67][33], 14226520737620288370.0L);
    const long double c100_50 = 100891344545564193334812497256.0L;
    EXPECT_LT(std::abs(NewtonExt[100][50] - c100_50) / c100_50, 1e-17L);
}

TEST(UCombTables, EvenAndPrimeTables)
{
    ASSERT_EQ(EvenTable.size(), 101u);
    EXPECT_TRUE(EvenTable[0]);
    EXPECT_FALSE(EvenTable[1]);
    EXPECT_TRUE(EvenTable[48]);
    EXPECT_FALSE(EvenTable[49]);
    EXPECT_TRUE(EvenTable[100]);

    const std::set<int> primes = {2,  3,  5,  7,  11, 13, 17, 19, 23, 29, 31, 37, 41,
                                  43, 47, 53, 59, 61, 67, 71, 73, 79, 83, 89, 97};
    ASSERT_EQ(PrimeTable.size(), 100u);
    for (int number = 1; number <= 100; ++number)
        EXPECT_EQ(PrimeTable[number - 1], primes.count(number) == 1) << number;

    TDynBoolArr small;
    MakePrimeTable(small, 10);
    EXPECT_EQ(small, (TDynBoolArr{false, true, true, false, true, false, true, false, false, false}));
}

TEST(UCombRank, SixOfFortyNineEnds)
{
    const Bytes first = {1, 2, 3, 4, 5, 6}, last = {44, 45, 46, 47, 48, 49};
    EXPECT_EQ(CombToIndex(49, 6, first.data()), 1);
    EXPECT_EQ(CombToIndex(49, 6, last.data()), 13983816);
    Bytes c(6);
    IndexToComb(49, 6, c.data(), 1);
    EXPECT_EQ(c, first);
    IndexToComb(49, 6, c.data(), 13983816);
    EXPECT_EQ(c, last);
}

TEST(UCombRank, HandCountedIndicesOfThreeOfFive)
{
    // 123 124 125 134 135 145 234 235 245 345
    const Bytes c145 = {1, 4, 5}, c234 = {2, 3, 4}, c345 = {3, 4, 5}, c124 = {1, 2, 4};
    EXPECT_EQ(CombToIndex(5, 3, c124.data()), 2);
    EXPECT_EQ(CombToIndex(5, 3, c145.data()), 6);
    EXPECT_EQ(CombToIndex(5, 3, c234.data()), 7);
    EXPECT_EQ(CombToIndex(5, 3, c345.data()), 10);
    EXPECT_EQ(CombToIndex(5, 0, nullptr), 1);
}

TEST(UCombRank, NextCombVisitsEveryTwentyFiveCombinationInIndexOrder)
{
    const std::vector<Bytes> expected = allCombinations(20, 5);
    ASSERT_EQ(static_cast<int64_t>(expected.size()), Newton[20][5]);
    TDynByteArr c;
    NextComb(c, 20, 5, true);
    for (size_t i = 0; i < expected.size(); ++i) {
        if (i > 0)
            NextComb(c, 20, 5, false);
        ASSERT_EQ(c, expected[i]) << "step " << i;
        ASSERT_EQ(CombToIndex(20, 5, c.data()), static_cast<int64_t>(i + 1));
        Bytes back(5);
        IndexToComb(20, 5, back.data(), static_cast<int64_t>(i + 1));
        ASSERT_EQ(back, c);
    }
}

TEST(UCombRank, EverySizeOfSmallSetsRoundTrips)
{
    for (int n : {1, 2, 7, 12}) {
        for (int k = 0; k <= n; ++k) {
            const std::vector<Bytes> all = allCombinations(n, k);
            ASSERT_EQ(static_cast<int64_t>(all.size()), Newton[size_t(n)][size_t(k)]);
            for (size_t i = 0; i < all.size(); ++i) {
                ASSERT_EQ(CombToIndex(uint8_t(n), uint8_t(k), all[i].data()), static_cast<int64_t>(i + 1))
                    << n << " " << k;
                Bytes back(static_cast<size_t>(k));
                IndexToComb(uint8_t(n), uint8_t(k), back.data(), static_cast<int64_t>(i + 1));
                ASSERT_EQ(back, all[i]) << n << " " << k;
            }
        }
    }
}

TEST(UCombRank, SingleNumbersAndFullSets)
{
    TDynByteArr c;
    NextComb(c, 7, 1, true);
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(c[0], i);
        EXPECT_EQ(CombToIndex(7, 1, c.data()), i);
        uint8_t back = 0;
        IndexToComb(7, 1, &back, i);
        EXPECT_EQ(back, i);
        NextComb(c, 7, 1, false);
    }
    NextComb(c, 5, 5, true);
    EXPECT_EQ(c, (Bytes{1, 2, 3, 4, 5}));
    EXPECT_EQ(CombToIndex(5, 5, c.data()), 1);
}

TEST(UCombRank, RoundTripsNearTheTopOfSixtyFourBits)
{
    // C(100, 10) fits easily; C(66, 33) is the largest count of a row below 67.
    Bytes last(10);
    for (int i = 0; i < 10; ++i)
        last[static_cast<size_t>(i)] = static_cast<uint8_t>(91 + i);
    EXPECT_EQ(CombToIndex(100, 10, last.data()), 17310309456440LL);
    Bytes back(10);
    IndexToComb(100, 10, back.data(), 17310309456440LL);
    EXPECT_EQ(back, last);

    std::mt19937_64 rng(7);
    for (int round = 0; round < 200; ++round) {
        const int64_t index = static_cast<int64_t>(rng() % 7219428434016265740ULL) + 1;
        Bytes c(33);
        IndexToComb(66, 33, c.data(), index);
        ASSERT_TRUE(std::is_sorted(c.begin(), c.end()));
        ASSERT_EQ(std::adjacent_find(c.begin(), c.end()), c.end());
        ASSERT_GE(c.front(), 1);
        ASSERT_LE(c.back(), 66);
        ASSERT_EQ(CombToIndex(66, 33, c.data()), index);
    }
}

TEST(UCombCounters, NextCounterCountsEveryStateAndWraps)
{
    const TDynByteArr max = {1, 2};
    TDynByteArr d;
    NextCounter(d, 2, max, true);
    std::vector<Bytes> seen = {d};
    for (int i = 0; i < 5; ++i) {
        NextCounter(d, 2, max, false);
        seen.push_back(d);
    }
    EXPECT_EQ(seen, (std::vector<Bytes>{{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}}));
    NextCounter(d, 2, max, false);
    EXPECT_EQ(d, (Bytes{0, 0}));

    const TDynByteArr wide = {255};
    TDynByteArr w;
    NextCounter(w, 1, wide, true);
    for (int i = 0; i < 255; ++i)
        NextCounter(w, 1, wide, false);
    EXPECT_EQ(w[0], 255);
    NextCounter(w, 1, wide, false);
    EXPECT_EQ(w[0], 0);
}

TEST(UCombCounters, NextCounterIntStartsDigitsAtOne)
{
    const TDynIntArr max = {2, 1, 3};
    TDynIntArr d;
    NextCounterInt(d, max, 3, true);
    std::set<TDynIntArr> seen = {d};
    EXPECT_EQ(d, (TDynIntArr{1, 1, 1}));
    NextCounterInt(d, max, 3, false);
    EXPECT_EQ(d, (TDynIntArr{1, 1, 2}));
    for (int i = 0; i < 4; ++i) {
        seen.insert(d);
        NextCounterInt(d, max, 3, false);
    }
    seen.insert(d);
    EXPECT_EQ(d, (TDynIntArr{2, 1, 3}));
    EXPECT_EQ(seen.size(), 6u);
    NextCounterInt(d, max, 3, false);
    EXPECT_EQ(d, (TDynIntArr{1, 1, 1}));
}

TEST(UCombSets, HitsIntersectionSubsetAndDifferenceAgreeWithBruteForce)
{
    std::mt19937 rng(20240601);
    for (int round = 0; round < 5000; ++round) {
        const int range = round % 3 == 0 ? 12 : 49;
        const Bytes a = randomSortedComb(rng, range, 10), b = randomSortedComb(rng, range, 10);
        const int ka = static_cast<int>(a.size()), kb = static_cast<int>(b.size());

        Bytes common;
        std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(common));
        Bytes onlyA;
        std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(onlyA));

        ASSERT_EQ(CountHits(ka, kb, a.data(), b.data()), static_cast<int>(common.size()));
        Bytes res(10, 0xEE);
        ASSERT_EQ(CombIntersect(ka, kb, a.data(), b.data(), res.data()), static_cast<int>(common.size()));
        ASSERT_TRUE(std::equal(common.begin(), common.end(), res.begin()));
        ASSERT_EQ(IsSubset(a.data(), b.data(), ka, kb), common.size() == a.size());
        TDynByteArr diff = {9, 9, 9};
        ASSERT_EQ(CombDifference(ka, kb, a.data(), b.data(), diff), static_cast<int>(onlyA.size()));
        ASSERT_EQ(diff, onlyA);
    }
}

TEST(UCombSets, EdgeCasesOfTheSetTests)
{
    const Bytes low = {1, 2, 3}, high = {4, 5, 6}, both = {3, 4};
    EXPECT_EQ(CountHits(3, 3, low.data(), high.data()), 0);
    EXPECT_EQ(CountHits(3, 3, high.data(), low.data()), 0);
    EXPECT_EQ(CountHits(3, 2, low.data(), both.data()), 1);
    EXPECT_EQ(CountHits(0, 3, nullptr, low.data()), 0);

    EXPECT_TRUE(IsSubset(low.data(), low.data(), 3, 3));
    EXPECT_TRUE(IsSubset(nullptr, low.data(), 0, 3));
    EXPECT_FALSE(IsSubset(low.data(), both.data(), 3, 2));

    TDynByteArr diff;
    EXPECT_EQ(CombDifference(3, 0, low.data(), nullptr, diff), 3);
    EXPECT_EQ(diff, low);
    EXPECT_EQ(CombDifference(3, 3, low.data(), low.data(), diff), 0);
    EXPECT_TRUE(diff.empty());
}

TEST(UCombSets, ParityAgreesWithBruteForce)
{
    const Bytes even = {2, 10, 48}, odd = {1, 7, 49}, mixed = {2, 3};
    EXPECT_EQ(CombParity(even.data(), 3), 1);
    EXPECT_EQ(CombParity(odd.data(), 3), 2);
    EXPECT_EQ(CombParity(mixed.data(), 2), 0);
    EXPECT_EQ(CombParity(nullptr, 0), 1);

    std::mt19937 rng(99);
    for (int round = 0; round < 2000; ++round) {
        const Bytes c = randomSortedComb(rng, round % 2 ? 6 : 100, 4);
        const int k = static_cast<int>(c.size());
        const bool allEven = std::all_of(c.begin(), c.end(), [](uint8_t v) { return v % 2 == 0; });
        const bool allOdd = std::all_of(c.begin(), c.end(), [](uint8_t v) { return v % 2 == 1; });
        const int expected = allEven ? 1 : allOdd ? 2 : 0;
        ASSERT_EQ(CombParity(c.data(), k), expected);
    }
}

TEST(UCombSets, SmallHelpers)
{
    const Bytes c = {3, 5, 5, 9};
    EXPECT_TRUE(IsAscending(c.data(), 4));
    const Bytes down = {3, 9, 5};
    EXPECT_FALSE(IsAscending(down.data(), 3));
    EXPECT_TRUE(IsAscending(down.data(), 1));
    EXPECT_EQ(CombSum(c.data(), 4), 22);
    EXPECT_EQ(CombSum(c.data(), 0), 0);

    TDynBoolArr inSet(10, false);
    inSet[2] = inSet[4] = true; // numbers 3 and 5
    EXPECT_EQ(CountInSet(4, c.data(), inSet), 3);
    EXPECT_TRUE(AllInSet(c.data(), inSet, 3));
    EXPECT_FALSE(AllInSet(c.data(), inSet, 4));

    EXPECT_TRUE(ByteInArray(9, c));
    EXPECT_FALSE(ByteInArray(4, c));
    EXPECT_FALSE(ByteInArray(0, {}));

    TDynByteArr numbers(5, 77);
    FillNumbers(numbers);
    EXPECT_EQ(numbers, (Bytes{1, 2, 3, 4, 5}));
    ZeroByteArr(numbers);
    EXPECT_EQ(numbers, Bytes(5, 0));
}

TEST(UCombCodes, Int64PowerAndSaturation)
{
    EXPECT_EQ(Int64Power(10, 0), 1);
    EXPECT_EQ(Int64Power(0, 0), 1);
    EXPECT_EQ(Int64Power(2, 62), 4611686018427387904LL);
    EXPECT_EQ(Int64Power(101, 9), 1093685272684360901LL);
    EXPECT_EQ(Int64Power(7, 22), 3909821048582988049LL);
    EXPECT_EQ(Int64Power(2, 63), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(Int64Power(7, 23), std::numeric_limits<int64_t>::max());
}

TEST(UCombCodes, CombValueEncodesPositionallyAndDecodesBack)
{
    TCombValue value;
    value.Init(50, 6);
    const Bytes c = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(value.Encode(c.data(), 6), 325385256);
    Bytes back(6);
    value.Decode(325385256, 6, back.data());
    EXPECT_EQ(back, c);

    // Pairs keep their order, reversed ones included.
    TCombValue pair;
    pair.Init(50, 2);
    const Bytes ab = {7, 31}, ba = {31, 7};
    EXPECT_EQ(pair.Encode(ab.data(), 2), 7 * 50 + 31);
    EXPECT_EQ(pair.Encode(ba.data(), 2), 31 * 50 + 7);

    std::mt19937 rng(3);
    TCombValue big;
    big.Init(101, 9);
    for (int round = 0; round < 1000; ++round) {
        Bytes r(9);
        for (auto &v : r)
            v = static_cast<uint8_t>(rng() % 101);
        Bytes decoded(9);
        big.Decode(big.Encode(r.data(), 9), 9, decoded.data());
        ASSERT_EQ(decoded, r);
    }
}

TEST(UCombRandom, RandomCombDrawsDistinctNumbersInRange)
{
    SeedRandom(0.3);
    for (int round = 0; round < 500; ++round) {
        Bytes c(6);
        RandomComb(c.data(), 6, 49, round % 2 == 0);
        std::set<uint8_t> distinct(c.begin(), c.end());
        ASSERT_EQ(distinct.size(), 6u);
        ASSERT_GE(*distinct.begin(), 1);
        ASSERT_LE(*distinct.rbegin(), 49);
        if (round % 2 == 0) {
            ASSERT_TRUE(std::is_sorted(c.begin(), c.end()));
        }
    }
    // K = N is a shuffle of 1..N.
    Bytes perm(20);
    RandomComb(perm.data(), 20, 20, false);
    Bytes sorted = perm;
    std::sort(sorted.begin(), sorted.end());
    TDynByteArr expected(20);
    FillNumbers(expected);
    EXPECT_EQ(sorted, expected);

    SeedRandom(0.7);
    Bytes first(6), second(6);
    RandomComb(first.data(), 6, 49, false);
    SeedRandom(0.7);
    RandomComb(second.data(), 6, 49, false);
    EXPECT_EQ(first, second);
}

TEST(UCombText, ParserKeepsNumbersInRangeWithoutRepeats)
{
    TTextToComb parser;
    parser.Init(49, 6);
    ASSERT_TRUE(parser.Parse("05-12, 7;7 99", true, true));
    EXPECT_EQ(parser.Count, 3);
    EXPECT_EQ(parser.Comb, (Bytes{5, 7, 12}));

    ASSERT_TRUE(parser.Parse("05-12, 7;7 99", false, false));
    EXPECT_EQ(parser.Count, 4);
    EXPECT_EQ(parser.Comb, (Bytes{5, 12, 7, 7}));
}

TEST(UCombText, ParserKeepsTheFirstKInTextOrder)
{
    TTextToComb parser;
    parser.Init(49, 6);
    ASSERT_TRUE(parser.Parse("9 8 7 6 5 4 3", true, true));
    EXPECT_EQ(parser.Count, 6);
    EXPECT_EQ(parser.Comb, (Bytes{4, 5, 6, 7, 8, 9}));

    // A bonus number after the six main numbers is dropped.
    ASSERT_TRUE(parser.Parse("12.03.2024 1 2 3 4 5 6 + 7", false, true));
    EXPECT_EQ(parser.Comb, (Bytes{12, 3, 1, 2, 4, 5}));
}

TEST(UCombText, ParserOnBadText)
{
    TTextToComb parser;
    parser.Init(49, 6);
    ASSERT_TRUE(parser.Parse("1 2", true, true));

    for (const char *text : {"", "abc; -- ,", "0 00 50 100 255 256", "99999999999999999999999"}) {
        EXPECT_FALSE(parser.Parse(text, true, true)) << text;
        EXPECT_EQ(parser.Count, 0) << text;
        EXPECT_EQ(parser.Comb, (Bytes{1, 2})) << "unchanged after " << text;
    }

    // A run too long to convert is skipped; leading zeros and signs do not matter; letters separate.
    ASSERT_TRUE(parser.Parse("99999999999999999999 -007 x3y żółw 15", false, true));
    EXPECT_EQ(parser.Comb, (Bytes{7, 3, 15}));
    ASSERT_TRUE(parser.Parse("00000000000000000000000000049", false, true));
    EXPECT_EQ(parser.Comb, (Bytes{49}));

    TTextToComb wide;
    wide.Init(80, 80);
    std::string many;
    for (int i = 1; i <= 100; ++i)
        many += std::to_string(i) + ",";
    ASSERT_TRUE(wide.Parse(many, false, true));
    EXPECT_EQ(wide.Count, 80);
    EXPECT_EQ(wide.Comb.back(), 80);
}

TEST(UCombText, CombToStrFormatsAndCuts)
{
    const Bytes c = {3, 12};
    std::string s = "old";
    CombToStr(c.data(), 2, "%2d ", s, 1);
    EXPECT_EQ(s, " 3 12");
    CombToStr(c.data(), 2, "%2d ", s, 0);
    EXPECT_EQ(s, " 3 12 ");
    CombToStr(c.data(), 2, "%2d ", s);
    EXPECT_EQ(s, " 3 12 ");
    CombToStr(c.data(), 2, "  %d", s, 0);
    EXPECT_EQ(s, "  3  12");
    CombToStr(c.data(), 2, "%2d ", s, 2);
    EXPECT_EQ(s, " 3 1");
    CombToStr(c.data(), 2, "[%-3d|%.3d]%%", s, 0);
    EXPECT_EQ(s, "[3  |003]%[12 |012]%");

    const Bytes one = {7};
    CombToStr(one.data(), 1, "%d", s, 1);
    EXPECT_EQ(s, "");
    CombToStr(one.data(), 1, "%d", s, 2);
    EXPECT_EQ(s, "7");
    CombToStr(nullptr, 0, "%2d ", s, 2);
    EXPECT_EQ(s, "");
    const Bytes hundred = {100};
    CombToStr(hundred.data(), 1, "%2d ", s, 0);
    EXPECT_EQ(s, "100 ");
}
