#include "core/USort.h"
#include "core/UGlobalSort.h"
#include "tests/support/SortShapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// The table both sorts work on: keys with their original positions, so that a lost or doubled entry
// shows. Compare follows the convention: the answer is multiplied by Param, -1 puts smaller keys first.
struct TTable {
    std::vector<std::pair<int, int>> Rows;
    long Compares = 0;
    // Past it a comparison throws testsupport::ETooManyComparisons.
    long Limit = std::numeric_limits<long>::max();
    // When set, it answers the comparisons of the rows' original positions instead of their keys.
    testsupport::TSortAdversary *Adversary = nullptr;

    explicit TTable(const std::vector<int> &keys)
    {
        for (size_t i = 0; i < keys.size(); ++i)
            Rows.emplace_back(keys[i], static_cast<int>(i));
    }
    int compare(int I, int J, int Param)
    {
        if (++Compares > Limit)
            throw testsupport::ETooManyComparisons{};
        if (Adversary)
            return -Adversary->Compare(Rows[size_t(I)].second, Rows[size_t(J)].second) * Param;
        const int a = Rows[size_t(I)].first, b = Rows[size_t(J)].first;
        return a == b ? 0 : (a < b ? 1 : -1) * Param;
    }
    void swap(int I, int J) { std::swap(Rows[size_t(I)], Rows[size_t(J)]); }

    // Sorted by key in the direction, and a permutation of the original rows.
    bool isSortedPermutationOf(const std::vector<int> &keys, int Param) const
    {
        std::vector<int> expected = keys, actual;
        if (Param == -1)
            std::sort(expected.begin(), expected.end());
        else
            std::sort(expected.begin(), expected.end(), std::greater<>());
        std::vector<int> positions;
        for (const auto &row : Rows) {
            actual.push_back(row.first);
            positions.push_back(row.second);
        }
        std::sort(positions.begin(), positions.end());
        for (size_t i = 0; i < positions.size(); ++i)
            if (positions[i] != static_cast<int>(i) || keys[size_t(Rows[i].second)] != Rows[i].first)
                return false;
        return actual == expected;
    }
};

void runTSort(TTable &table, int Param)
{
    TSort sort;
    sort.SetCallbacks(
        Param, [&](int I, int J) { table.swap(I, J); },
        [&](int I, int J, int P) { return table.compare(I, J, P); });
    sort.Sort(0, static_cast<int>(table.Rows.size()) - 1);
}

void runQuickSort(TTable &table, int Param)
{
    QuickSort(
        0, static_cast<int>(table.Rows.size()) - 1, Param, [&](int I, int J) { table.swap(I, J); },
        [&](int I, int J, int P) { return table.compare(I, J, P); });
}

std::vector<std::vector<int>> inputShapes()
{
    std::mt19937 rng(17);
    std::vector<std::vector<int>> shapes;
    std::vector<int> random(5000), few(5000), sorted(3000), reversed(3000), organ;
    for (auto &v : random)
        v = static_cast<int>(rng() % 100000);
    for (auto &v : few)
        v = static_cast<int>(rng() % 4);
    for (int i = 0; i < 3000; ++i) {
        sorted[size_t(i)] = i;
        reversed[size_t(i)] = 3000 - i;
    }
    for (int i = 0; i < 1000; ++i)
        organ.push_back(i < 500 ? i : 1000 - i);
    shapes = {random, few, sorted, reversed, organ, std::vector<int>(2000, 7), {}, {1}, {2, 1}, {1, 2}};
    return shapes;
}

// Runs Sort over every shape of 20,000 keys in both directions and against the adversary: each ends
// sorted within the bound.
template <typename TRun> void expectWithinNLogN(TRun Sort)
{
    constexpr int n = 20000;
    for (const testsupport::TSortShape &shape : testsupport::SortShapes(n))
        for (int param : {-1, 1}) {
            TTable table(shape.Keys);
            table.Limit = testsupport::SortCompareBound(n);
            ASSERT_NO_THROW(Sort(table, param)) << shape.Name << " param " << param;
            ASSERT_TRUE(table.isSortedPermutationOf(shape.Keys, param)) << shape.Name << " param " << param;
        }
    TTable table{std::vector<int>(size_t(n))};
    testsupport::TSortAdversary adversary(n);
    table.Adversary = &adversary;
    ASSERT_NO_THROW(Sort(table, -1)) << "against the adversary";
    for (int i = 1; i < n; ++i)
        ASSERT_LE(adversary.Key(table.Rows[size_t(i) - 1].second), adversary.Key(table.Rows[size_t(i)].second));
}

// TSort as plain quicksort, without the heap sort of deep ranges: the order every sort of keys in random
// order must keep.
void plainTSort(TTable &Table, int L, int R, int P)
{
    std::vector<std::pair<int, int>> ranges = {{L, R}};
    const auto compare = [&](int I, int J) { return Table.compare(I, J, P); };
    const auto swap = [&](int I, int J) { Table.swap(I, J); };
    while (!ranges.empty()) {
        std::tie(L, R) = ranges.back();
        ranges.pop_back();
        const int M = (L + R) / 2;
        if (compare(L, M) > 0)
            swap(L, M);
        if (compare(L, R) > 0)
            swap(L, R);
        if (compare(M, R) > 0)
            swap(M, R);
        swap(M, R);
        int i = L - 1, j = R, p = L - 1, q = R;
        for (;;) {
            ++i;
            --j;
            while (compare(i, R) < 0)
                ++i;
            while (compare(j, R) > 0 && j > L)
                --j;
            if (j <= i)
                break;
            swap(i, j);
            if (compare(i, R) == 0)
                swap(++p, i);
            if (compare(j, R) == 0)
                swap(--q, j);
        }
        swap(i, R);
        j = i - 1;
        i = i + 1;
        for (int k = L; k <= p; ++k)
            swap(k, j--);
        for (int k = R - 1; k >= q; --k)
            swap(k, i++);
        // The smaller part is taken next.
        if (j - L > R - i) {
            if (j > L)
                ranges.emplace_back(L, j);
            if (R > i)
                ranges.emplace_back(i, R);
        } else {
            if (R > i)
                ranges.emplace_back(i, R);
            if (j > L)
                ranges.emplace_back(L, j);
        }
    }
}

// Every sequence of length 1..7 over {0, 1, 2}.
std::vector<std::vector<int>> allSmallSequences()
{
    std::vector<std::vector<int>> result;
    for (int len = 1; len <= 7; ++len) {
        int total = 1;
        for (int i = 0; i < len; ++i)
            total *= 3;
        for (int code = 0; code < total; ++code) {
            std::vector<int> seq;
            for (int i = 0, c = code; i < len; ++i, c /= 3)
                seq.push_back(c % 3);
            result.push_back(seq);
        }
    }
    return result;
}

} // namespace

TEST(USort, SortBytesAndSortInts)
{
    uint8_t none = 9;
    SortBytes(&none, 0);
    SortBytes(&none, 1);
    EXPECT_EQ(none, 9);
    uint8_t two[] = {8, 3};
    SortBytes(two, 2);
    EXPECT_EQ(two[0], 3);
    EXPECT_EQ(two[1], 8);
    SortBytes(two, 2);
    EXPECT_EQ(two[0], 3);

    std::mt19937 rng(1);
    for (int round = 0; round < 3000; ++round) {
        const size_t n = rng() % 40;
        std::vector<uint8_t> bytes(n);
        std::vector<int32_t> ints(n);
        for (size_t i = 0; i < n; ++i) {
            bytes[i] = static_cast<uint8_t>(rng() % (round % 2 ? 5 : 256));
            ints[i] = static_cast<int32_t>(rng() % 2000001) - 1000000;
        }
        if (round % 7 == 0)
            std::sort(bytes.begin(), bytes.end(), std::greater<>());
        auto expectedBytes = bytes;
        auto expectedInts = ints;
        std::sort(expectedBytes.begin(), expectedBytes.end());
        std::sort(expectedInts.begin(), expectedInts.end());
        SortBytes(bytes.data(), static_cast<int>(n));
        SortInts(ints.data(), static_cast<int>(n));
        ASSERT_EQ(bytes, expectedBytes);
        ASSERT_EQ(ints, expectedInts);
    }

    int32_t a = -5, b = 7;
    SwapInt(a, b);
    EXPECT_EQ(a, 7);
    EXPECT_EQ(b, -5);
    uint8_t x = 1, y = 200;
    SwapByte(x, y);
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 1);
}

TEST(USort, TSortSortsEveryShapeBothWays)
{
    for (const auto &keys : inputShapes()) {
        for (int param : {-1, 1}) {
            TTable table(keys);
            runTSort(table, param);
            ASSERT_TRUE(table.isSortedPermutationOf(keys, param)) << keys.size() << " param " << param;
        }
    }
    for (const auto &keys : allSmallSequences()) {
        TTable table(keys);
        runTSort(table, -1);
        ASSERT_TRUE(table.isSortedPermutationOf(keys, -1));
    }
}

TEST(USort, TSortOnEqualKeysFinishesInOnePartition)
{
    const std::vector<int> keys(10000, 3);
    TTable table(keys);
    runTSort(table, -1);
    EXPECT_TRUE(table.isSortedPermutationOf(keys, -1));
    // One partition step compares each entry a few times; a second level would need about n more.
    EXPECT_LT(table.Compares, 3L * 10000 + 10);
}

TEST(USort, TSortStaysWithinNLogNComparisonsOnEveryShape)
{
    expectWithinNLogN(runTSort);
}

// Ties keep the places a plain quicksort gives them (the grouping sorts of few distinct values, the
// classic generator's pool of equal fitness).
TEST(USort, TSortOfKeysInRandomOrderKeepsThePlainQuicksortsOrderOfTies)
{
    std::mt19937 rng(29);
    for (int n : {40, 1000, 30000})
        for (int distinct : {2, 10, 1000, 1 << 30})
            for (int param : {-1, 1}) {
                std::vector<int> keys(static_cast<size_t>(n));
                for (int &key : keys)
                    key = static_cast<int>(rng() % static_cast<unsigned>(distinct));
                TTable bounded(keys), plain(keys);
                runTSort(bounded, param);
                plainTSort(plain, 0, n - 1, param);
                ASSERT_EQ(bounded.Rows, plain.Rows) << n << " keys of " << distinct << ", param " << param;
            }
}

TEST(USort, TSortSubrangeLeavesTheRestAlone)
{
    const std::vector<int> keys = {9, 5, 4, 3, 2, 1, 0};
    TTable table(keys);
    TSort sort;
    sort.SetCallbacks(
        -1, [&](int I, int J) { table.swap(I, J); },
        [&](int I, int J, int P) { return table.compare(I, J, P); });
    sort.Sort(1, 5);
    std::vector<int> actual;
    for (const auto &row : table.Rows)
        actual.push_back(row.first);
    EXPECT_EQ(actual, (std::vector<int>{9, 1, 2, 3, 4, 5, 0}));
    sort.Sort(3, 3);
    sort.Sort(4, 2);
}

TEST(UGlobalSort, QuickSortSortsEveryShapeBothWays)
{
    for (const auto &keys : inputShapes()) {
        for (int param : {-1, 1}) {
            TTable table(keys);
            runQuickSort(table, param);
            ASSERT_TRUE(table.isSortedPermutationOf(keys, param)) << keys.size() << " param " << param;
        }
    }
    for (const auto &keys : allSmallSequences()) {
        for (int param : {-1, 1}) {
            TTable table(keys);
            runQuickSort(table, param);
            ASSERT_TRUE(table.isSortedPermutationOf(keys, param));
        }
    }
}

TEST(UGlobalSort, QuickSortStaysWithinNLogNComparisonsOnEveryShape)
{
    expectWithinNLogN(runQuickSort);
}

TEST(UGlobalSort, SortManRemembersColumnAndDirection)
{
    TSortMan man(3);
    EXPECT_EQ(man.GetSortColumn(1), 0);
    EXPECT_EQ(man.GetSortDir(1, 0), 0);
    EXPECT_EQ(man.GetSortDir(1, 2), 2);

    man.SetSort(2, 3, -1);
    EXPECT_EQ(man.GetSortColumn(2), 3);
    EXPECT_EQ(man.GetSortDir(2, 3), -1);
    EXPECT_EQ(man.GetSortDir(2, 4), 2);
    EXPECT_EQ(man.GetSortColumn(1), 0);

    man.SetSort(3, 1, 1);
    man.SetSort(2, 5, 1);
    EXPECT_EQ(man.GetSortDir(2, 3), 2);
    EXPECT_EQ(man.GetSortDir(2, 5), 1);
    EXPECT_EQ(man.GetSortDir(3, 1), 1);
}
