#include "engine/USysRnd.h"

#include "core/Knutt.h"
#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <tuple>
#include <vector>

namespace {

using Row = std::vector<uint8_t>;

class SysRnd : public ::testing::Test {
protected:
    SysRnd() { Game.Info.MaxNumber = 100; }

    // Half B of every record, in record order; both halves must agree.
    static std::vector<Row> records(const TSystem &System)
    {
        std::vector<Row> rows;
        for (int rec = 0; rec < System.Combs.GetCount(); ++rec) {
            const uint8_t *b = System.Combs.CombPtr(rec, true);
            EXPECT_TRUE(CombsEqual(System.Combs.CombPtr(rec, false), b, System.K));
            EXPECT_EQ(*System.Combs.FlagsPtr(rec), 0);
            rows.emplace_back(b, b + System.K);
        }
        return rows;
    }

    static std::vector<Row> shown(const TSystem &System)
    {
        std::vector<Row> rows;
        for (int i = 0; i < System.ViewCount(); ++i)
            rows.emplace_back(System.GetComb(i, true), System.GetComb(i, true) + System.K);
        return rows;
    }

    TGameData Game;
};

TEST_F(SysRnd, CountEqualToTheBinomialGivesEveryCombinationOnce)
{
    SeedRandom(0.3);
    TSysRnd system(&Game);
    system.SetParams(7, 3, 35);
    ASSERT_TRUE(system.Generate());
    std::vector<Row> all;
    TDynByteArr c(3);
    for (int i = 0; i < 35; ++i) {
        NextComb(c, 7, 3, i == 0);
        all.emplace_back(c.begin(), c.end());
    }
    EXPECT_EQ(shown(system), all);
    const std::vector<Row> drawn = records(system);
    EXPECT_NE(drawn, all); // stored in the random order drawn
    EXPECT_TRUE(std::is_permutation(drawn.begin(), drawn.end(), all.begin()));

    TSysRnd copy(&Game);
    copy.Assign(system);
    EXPECT_EQ(copy.Count, 35);
    EXPECT_EQ(shown(copy), all);
    EXPECT_EQ(copy.GetDescription(false), "System skrócony - losowy 3/7/35");
}

// A place repeating an earlier one is drawn again; a row repeating an earlier row is drawn again whole.
TEST_F(SysRnd, RowsAreStoredInTheOrderDrawn)
{
    SeedRandom(0.61);
    TSysRnd system(&Game);
    system.SetParams(6, 3, 19);
    ASSERT_TRUE(system.Generate());

    SeedRandom(0.61);
    std::vector<Row> expected;
    std::set<Row> seen;
    while (expected.size() < 19) {
        Row row;
        for (int j = 0; j < 3; ++j) {
            uint8_t v;
            do
                v = uint8_t(RandomInRange(1, 6));
            while (std::find(row.begin(), row.end(), v) != row.end());
            row.push_back(v);
        }
        std::sort(row.begin(), row.end());
        if (seen.insert(row).second)
            expected.push_back(row);
    }
    EXPECT_EQ(records(system), expected);
    EXPECT_EQ(shown(system), std::vector<Row>(seen.begin(), seen.end()));
}

TEST_F(SysRnd, RandomSmallCasesHoldCountDistinctAscendingRowsInSortedOrder)
{
    std::mt19937 cases(2024);
    SeedRandom(0.77);
    TSysRnd system(&Game);
    for (int round = 0; round < 3000; ++round) {
        const int n = std::uniform_int_distribution<int>(1, 14)(cases);
        const int k = std::uniform_int_distribution<int>(1, n)(cases);
        const int count = std::uniform_int_distribution<int>(0, int(std::min<int64_t>(Newton[n][k], 300)))(cases);
        system.SetParams(n, k, count);
        ASSERT_TRUE(system.Generate()) << n << " " << k << " " << count;
        ASSERT_EQ(system.GetCount(), count);
        const std::vector<Row> rows = shown(system);
        ASSERT_EQ(rows.size(), size_t(count));
        for (const Row &row : rows)
            ASSERT_TRUE(IsAscending(row.data(), k) && row.front() >= 1 && row.back() <= n);
        ASSERT_TRUE(std::adjacent_find(rows.begin(), rows.end(), std::greater_equal<>()) == rows.end());
        const std::vector<Row> drawn = records(system);
        ASSERT_TRUE(std::is_permutation(drawn.begin(), drawn.end(), rows.begin(), rows.end()));
    }
}

TEST_F(SysRnd, ImpossibleParametersAndAStopLeaveNoRows)
{
    TSysRnd system(&Game);
    for (const auto &[n, k, count] : {std::tuple{5, 6, 1}, {5, 2, 11}, {5, 2, -1}, {70, 35, 5}}) {
        system.SetParams(n, k, count);
        EXPECT_FALSE(system.Generate()) << n << " " << k << " " << count;
        EXPECT_EQ(system.GetCount(), 0);
    }

    TMyThread2 thread;
    thread.Terminate();
    system.SetParams(20, 5, 300);
    EXPECT_FALSE(system.Generate(&thread));
    EXPECT_EQ(system.GetCount(), 0);

    // Asked to stop while drawing: the rows drawn by then go too, and the system can be drawn again.
    TMyThread2 running;
    system.Progress.OnProgress = [&running](int32_t, int32_t) { running.Terminate(); };
    system.SetParams(49, 6, 100000);
    EXPECT_FALSE(system.Generate(&running));
    EXPECT_EQ(system.GetCount(), 0);
    EXPECT_EQ(system.ViewCount(), 0);
    system.SetParams(10, 5, 252);
    system.Progress.OnProgress = nullptr;
    EXPECT_TRUE(system.Generate());
    EXPECT_EQ(system.GetCount(), 252);
}

TEST_F(SysRnd, SystemFileBodyLoadsAndSavesBackByteForByte)
{
    Game.Info.MaxNumber = 49;
    // No filter; K 3, N 6, Count 3; the key; rows as positions, numbers and flags, by the numbers; ShowAll.
    const platform::Bytes body{0, 0,  3,  6,  3, 0,  0,  0, 2, 5,  11, 17, 23, 30, 1,  2, 3, 2,
                               5, 11, 0,  1,  4, 6,  2,  17, 30, 2, 2,  3,  5,  5,  11, 23, 0, 1};
    const std::unique_ptr<TSystem> system = CreateSystem(skRnd, &Game);
    ASSERT_TRUE(system);
    platform::ByteReader in(body);
    ASSERT_TRUE(system->LoadFromStream(in));
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(system->GetDescription(true), "Skrócony - losowy 3/6/3");
    EXPECT_EQ(shown(*system), (std::vector<Row>{{2, 5, 11}, {2, 17, 30}, {5, 11, 23}}));
    EXPECT_EQ(system->GetCombFlags(1), cfByHand);
    platform::ByteWriter out;
    system->SaveToStream(out);
    EXPECT_EQ(out.bytes(), body);

    // C(6, 3) = 20 rows at most; a count that is negative as a signed value is refused too.
    for (const uint8_t count : {20, 21, 0xFF}) {
        const platform::Bytes block{0, 0, 3, 6, count, 0, 0, count == 0xFF ? count : uint8_t(0)};
        platform::ByteReader params(block);
        EXPECT_EQ(TSysRnd(&Game).LoadParams(params), count == 20) << int(count);
    }
}

} // namespace
