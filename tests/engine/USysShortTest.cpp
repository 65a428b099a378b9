#include "engine/USysShort.h"

#include "core/RuntimeRandom.h"
#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <tuple>
#include <vector>

namespace {

using Rows = std::vector<std::vector<int>>;

class SysShort : public ::testing::Test {
protected:
    SysShort() { Game.Info.MaxNumber = 100; }

    // Half B of every shown row, in view order.
    static Rows shown(const TSystem &System)
    {
        Rows rows;
        for (int i = 0; i < System.ViewCount(); ++i)
            rows.emplace_back(System.GetComb(i, true), System.GetComb(i, true) + System.K);
        return rows;
    }

    Rows generate(int N, int K, int Count, bool RandomTies)
    {
        TSysShort system(&Game);
        system.RandomTies = RandomTies;
        system.SetParams(N, K, Count);
        EXPECT_TRUE(system.Generate(true));
        return shown(system);
    }

    // How many rows hold each number 1..N.
    static std::vector<int> usage(const Rows &R, int N)
    {
        std::vector<int> used(size_t(N), 0);
        for (const auto &row : R)
            for (const int number : row)
                ++used[size_t(number) - 1];
        return used;
    }

    TGameData Game;
};

// Traced by hand through the quota walk and the finishing search.
TEST_F(SysShort, SmallSystemsWithoutRandomTiesFollowTheQuotaWalk)
{
    // Quotas 2, 1, 1, 1, 1: the last pair completes them exactly.
    EXPECT_EQ(generate(5, 2, 3, false), (Rows{{1, 2}, {1, 3}, {4, 5}}));
    // Two left from the start: straight to the finishing search.
    EXPECT_EQ(generate(4, 2, 2, false), (Rows{{1, 2}, {3, 4}}));
    EXPECT_EQ(generate(3, 2, 2, false), (Rows{{1, 2}, {1, 3}}));
    // Quotas 3, 3, 2, 2; the finishing search resumes the all-equal profile at position 3.
    const Rows five = generate(4, 2, 5, false);
    EXPECT_EQ(five, (Rows{{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}}));
    EXPECT_EQ(usage(five, 4), (std::vector<int>{3, 3, 2, 2}));
    // Quotas 2 for all ten numbers: chosen as 12345, 6..10, then 12346 and 5 7 8 9 10; stored in order.
    const Rows ten = generate(10, 5, 4, false);
    EXPECT_EQ(ten, (Rows{{1, 2, 3, 4, 5}, {1, 2, 3, 4, 6}, {5, 7, 8, 9, 10}, {6, 7, 8, 9, 10}}));
    EXPECT_EQ(usage(ten, 10), std::vector<int>(10, 2));
    // One greedy step, no finishing search.
    EXPECT_EQ(generate(7, 3, 1, false), (Rows{{1, 2, 3}}));
}

TEST_F(SysShort, EveryCombinationWhenCountIsTheBinomial)
{
    for (const bool ties : {false, true}) {
        const Rows all = generate(7, 3, 35, ties);
        ASSERT_EQ(all.size(), 35u);
        TDynByteArr c;
        NextComb(c, 7, 3, true);
        for (size_t i = 0; i < all.size(); ++i) {
            if (i > 0)
                NextComb(c, 7, 3, false);
            EXPECT_EQ(all[i], std::vector<int>(c.begin(), c.end()));
        }
    }
}

// Thousands of small systems: exactly Count distinct combinations of 1..N, in lexicographic order,
// with both halves equal and the key 1..N.
TEST_F(SysShort, RandomSmallSystemsHoldCountDistinctRowsInOrder)
{
    SetRuntimeRandSeed(20240611);
    int cases = 0;
    for (int round = 0; round < 12; ++round) {
        for (int n = 1; n <= 9; ++n) {
            for (int k = 1; k <= n; ++k) {
                const int total = int(Newton[size_t(n)][size_t(k)]);
                const int count = 1 + RuntimeRandom(total);
                TSysShort system(&Game);
                system.RandomTies = round % 3 != 0;
                system.SetParams(n, k, count);
                ASSERT_TRUE(system.Generate(true)) << n << " " << k << " " << count;
                ASSERT_EQ(system.GetCount(), count) << n << " " << k << " " << count;
                ASSERT_EQ(system.ViewCount(), count);
                int64_t previous = 0;
                for (int i = 0; i < count; ++i) {
                    const uint8_t *numbers = system.GetComb(i, true);
                    ASSERT_TRUE(CombsEqual(numbers, system.GetComb(i, false), k));
                    ASSERT_TRUE(
                        std::all_of(numbers, numbers + k, [n](uint8_t v) { return v >= 1 && v <= n; }));
                    ASSERT_TRUE(std::adjacent_find(numbers, numbers + k, std::greater_equal<>()) ==
                                numbers + k);
                    const int64_t rank = CombToIndex(uint8_t(n), uint8_t(k), numbers);
                    ASSERT_GT(rank, previous) << n << " " << k << " " << count;
                    previous = rank;
                }
                EXPECT_TRUE(system.IsDefaultKey());
                ++cases;
            }
        }
    }
    EXPECT_EQ(cases, 12 * 45);
}

// Larger systems, also where C(N, K) is too large to keep one bit per combination.
TEST_F(SysShort, LargerSystemsHoldDistinctRowsInOrder)
{
    SetRuntimeRandSeed(5);
    for (const auto &[n, k, count] : {std::tuple{40, 20, 60}, {49, 6, 3000}, {30, 10, 500}, {90, 5, 1000}}) {
        for (const bool ties : {false, true}) {
            const Rows rows = generate(n, k, count, ties);
            ASSERT_EQ(rows.size(), size_t(count));
            EXPECT_TRUE(std::adjacent_find(rows.begin(), rows.end(), std::greater_equal<>()) == rows.end());
            EXPECT_TRUE(std::all_of(rows.begin(), rows.end(), [n](const std::vector<int> &Row) {
                return Row.front() >= 1 && Row.back() <= n;
            }));
            // The quotas differ by at most one between numbers; the search keeps the usage close to them.
            const std::vector<int> used = usage(rows, n);
            const auto [least, most] = std::minmax_element(used.begin(), used.end());
            EXPECT_LE(*most - *least, 2) << n << " " << k << " " << count;
        }
    }
}

// The finishing search used to stop at the last number without wrapping round, leaving such systems two
// rows short in about one run of five.
TEST_F(SysShort, NearlyFullSystemsWithRandomTiesAreNeverShort)
{
    SetRuntimeRandSeed(7);
    for (int run = 0; run < 400; ++run) {
        for (const auto &[n, k, count] :
             {std::tuple{6, 3, 18}, {6, 3, 19}, {7, 3, 33}, {5, 2, 9}, {8, 4, 68}}) {
            TSysShort system(&Game);
            system.SetParams(n, k, count);
            ASSERT_TRUE(system.Generate(true));
            ASSERT_EQ(system.GetCount(), count) << n << " " << k << " " << count << " run " << run;
            ASSERT_EQ(system.CountDistinct(), count);
        }
    }
}

TEST_F(SysShort, ExtraQuotaGoesToTheFirstNumbersOrToRandomOnes)
{
    // 3 x 2 = 6 places over 5 numbers: one number is used twice.
    EXPECT_EQ(usage(generate(5, 2, 3, false), 5), (std::vector<int>{2, 1, 1, 1, 1}));
    SetRuntimeRandSeed(99);
    std::set<int> twice;
    for (int run = 0; run < 60; ++run) {
        const std::vector<int> used = usage(generate(5, 2, 3, true), 5);
        EXPECT_EQ(std::count(used.begin(), used.end(), 2), 1);
        EXPECT_EQ(std::count(used.begin(), used.end(), 1), 4);
        twice.insert(int(std::max_element(used.begin(), used.end()) - used.begin()) + 1);
    }
    EXPECT_GE(twice.size(), 4u);
}

TEST_F(SysShort, GivenQuotasDriveTheWalk)
{
    TSysShort system(&Game);
    system.RandomTies = false;
    system.SetParams(6, 3, 4);
    system.SetQuotas({{1, 4}, {2, 2}, {3, 2}, {4, 2}, {5, 1}, {6, 1}});
    ASSERT_TRUE(system.Generate(false));
    EXPECT_EQ(shown(system), (Rows{{1, 2, 3}, {1, 2, 4}, {1, 3, 4}, {1, 5, 6}}));
}

TEST_F(SysShort, ImpossibleParametersAreRefused)
{
    TSysShort system(&Game);
    system.SetParams(5, 6, 1);
    EXPECT_FALSE(system.Generate(true));
    system.SetParams(5, 2, 11);
    EXPECT_FALSE(system.Generate(true));
    system.SetParams(5, 2, -1);
    EXPECT_FALSE(system.Generate(true));
    system.SetParams(5, 2, 3);
    system.SetQuotas({{1, 3}, {2, 3}});
    EXPECT_FALSE(system.Generate(false));
    system.SetQuotas({{1, 2}, {2, 1}, {2, 1}, {4, 1}, {5, 1}});
    EXPECT_FALSE(system.Generate(false));
    system.SetQuotas({{1, 2}, {2, 1}, {3, 1}, {4, 1}, {6, 1}});
    EXPECT_FALSE(system.Generate(false));
    EXPECT_EQ(system.GetCount(), 0);
    EXPECT_EQ(system.ViewCount(), 0);
    system.SetParams(5, 2, 0);
    EXPECT_TRUE(system.Generate(true));
    EXPECT_EQ(system.GetCount(), 0);
    // C(70, 35) and C(99, 40) leave 63 bits: the ranks of the walk would not be exact.
    system.SetParams(70, 35, 300);
    EXPECT_FALSE(system.Generate(true));
    system.SetParams(99, 40, 2);
    EXPECT_FALSE(system.Generate(true));
    EXPECT_EQ(system.GetCount(), 0);
    system.SetParams(66, 33, 30);
    EXPECT_TRUE(system.Generate(true));
    EXPECT_EQ(system.GetCount(), 30);
}

TEST_F(SysShort, AStoppedGenerationLeavesNoRows)
{
    TMyThread2 stopped;
    stopped.Terminate();
    for (const int count : {300, 15504}) { // the greedy walk; every combination of 5 of 20
        TSysShort system(&Game);
        system.SetParams(20, 5, count);
        EXPECT_FALSE(system.Generate(true, &stopped));
        EXPECT_EQ(system.GetCount(), 0);
    }
}

TEST_F(SysShort, ProgressRunsToTheEnd)
{
    TSysShort system(&Game);
    std::vector<int> positions;
    system.Progress.OnProgress = [&positions](int32_t Position, int32_t) { positions.push_back(Position); };
    system.SetParams(20, 5, 300);
    ASSERT_TRUE(system.Generate(true));
    ASSERT_FALSE(positions.empty());
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_EQ(positions.back(), 10000);
}

TEST_F(SysShort, NamesParameterBlockAndCopies)
{
    TSysShort system(&Game);
    system.SetParams(20, 6, 40);
    EXPECT_EQ(system.GetDescription(true), "Skrócony - klasyczny 6/20/40");
    EXPECT_EQ(system.GetDescription(false), "System skrócony - klasyczny 6/20/40");
    ASSERT_TRUE(system.Generate(true));
    system.RandomTies = false;

    platform::ByteWriter block;
    system.SaveParams(block);
    EXPECT_EQ(block.bytes(), (platform::Bytes{0, 0, 6, 20, 40, 0, 0, 0, 0}));

    TSysShort2 twin(&Game);
    EXPECT_EQ(twin.Kind, 10);
    EXPECT_EQ(twin.GetName(true), "Skrócony - klasyczny");
    twin.RandomTies = true;
    twin.Assign(system);
    EXPECT_FALSE(twin.RandomTies);
    EXPECT_EQ(twin.N, 20);
    EXPECT_EQ(twin.K, 6);
    EXPECT_EQ(shown(twin), shown(system));

    platform::ByteReader in(block.bytes());
    TSysShort read(&Game);
    ASSERT_TRUE(read.LoadParams(in));
    EXPECT_EQ(read.N, 20);
    EXPECT_EQ(read.K, 6);
    EXPECT_EQ(read.Count, 40);
    EXPECT_FALSE(read.RandomTies);
}

} // namespace
