#include "engine/USysRnd.h"

#include "core/Knutt.h"
#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"
#include "tests/support/ByteOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

namespace {

using Rows = std::vector<std::vector<uint8_t>>;

// Half B of the records in record order (Stored) or of the shown rows.
Rows rows(const TSystem &S, bool Stored)
{
    Rows r;
    for (int i = 0; i < (Stored ? S.Combs.GetCount() : S.ViewCount()); ++i) {
        const uint8_t *b = Stored ? S.Combs.CombPtr(i, true) : S.GetComb(i, true);
        EXPECT_TRUE(!Stored || (CombsEqual(S.Combs.CombPtr(i, false), b, S.K) && *S.Combs.FlagsPtr(i) == 0));
        r.emplace_back(b, b + S.K);
    }
    return r;
}

// Count = C(6, 3): every combination, stored in the order drawn (a place repeating an earlier place is
// drawn again, a repeated row again whole), shown in order.
TEST(SysRnd, EveryCombinationOnceInTheOrderDrawn)
{
    TGameData game;
    TSysRnd system(&game);
    system.SetParams(6, 3, 20);
    SeedRandom(0.61);
    ASSERT_TRUE(system.Generate());
    SeedRandom(0.61);
    Rows drawn;
    std::set<std::vector<uint8_t>, testsupport::ByteOrder> seen;
    while (drawn.size() < 20) {
        std::vector<uint8_t> row;
        while (row.size() < 3)
            if (const uint8_t v = uint8_t(RandomInRange(1, 6));
                std::find(row.begin(), row.end(), v) == row.end())
                row.push_back(v);
        std::sort(row.begin(), row.end());
        if (seen.insert(row).second)
            drawn.push_back(row);
    }
    EXPECT_EQ(rows(system, true), drawn);
    EXPECT_EQ(rows(system, false), Rows(seen.begin(), seen.end()));
    EXPECT_EQ(system.GetDescription(false), "System skrócony - losowy 3/6/20");
}

TEST(SysRnd, RandomCasesHoldCountDistinctAscendingRowsShownInOrder)
{
    TGameData game;
    TSysRnd system(&game);
    std::mt19937 cases(2024);
    for (int round = 0; round < 3000; ++round) {
        const int n = std::uniform_int_distribution(1, 14)(cases),
                  k = std::uniform_int_distribution(1, n)(cases);
        const int count = std::uniform_int_distribution(0, int(std::min<int64_t>(Newton[n][k], 300)))(cases);
        system.SetParams(n, k, count);
        ASSERT_TRUE(system.Generate());
        const Rows shown = rows(system, false), stored = rows(system, true);
        ASSERT_EQ(shown.size(), size_t(count));
        ASSERT_TRUE(std::all_of(shown.begin(), shown.end(), [n, k](const auto &r) {
            return IsAscending(r.data(), k) && r[0] >= 1 && r[size_t(k) - 1] <= n;
        }));
        ASSERT_TRUE(std::adjacent_find(shown.begin(), shown.end(), std::greater_equal<>()) == shown.end());
        ASSERT_TRUE(std::is_permutation(stored.begin(), stored.end(), shown.begin(), shown.end()));
    }
}

TEST(SysRnd, ImpossibleParametersAndAStopLeaveNoRows)
{
    TGameData game;
    TSysRnd system(&game);
    TMyThread2 thread;
    // The stop comes with the first progress report, while drawing the last case.
    system.Progress.OnProgress = [&thread](int32_t, int32_t) { thread.Terminate(); };
    for (const auto &[n, k, count] :
         {std::tuple{5, 6, 1}, {5, 2, 11}, {5, 2, -1}, {70, 35, 5}, {49, 6, 100000}}) {
        system.SetParams(n, k, count);
        EXPECT_FALSE(system.Generate(&thread)) << n << " " << k << " " << count;
        EXPECT_EQ(system.GetCount() + system.ViewCount(), 0);
    }
}

TEST(SysRnd, SystemFileBodyLoadsAndSavesBackByteForByte)
{
    TGameData game;
    game.Info.MaxNumber = 49;
    // clang-format off
    const platform::Bytes body{
        0, 0, 3, 6, 3, 0, 0, 0, // no filter; K 3, N 6, Count 3
        2, 5, 11, 17, 23, 30,   // the key
        1, 2, 3, 2, 5, 11, 0,   // positions, numbers, flags; by numbers
        1, 4, 6, 2, 17, 30, 2,
        2, 3, 5, 5, 11, 23, 0,
        1};                     // ShowAll
    // clang-format on
    const std::unique_ptr<TSystem> system = CreateSystem(skRnd, &game);
    platform::ByteReader in(body);
    ASSERT_TRUE(system && system->LoadFromStream(in) && in.remaining() == 0);
    EXPECT_EQ(rows(*system, false), (Rows{{2, 5, 11}, {2, 17, 30}, {5, 11, 23}}));
    platform::ByteWriter out;
    system->SaveToStream(out);
    EXPECT_EQ(out.bytes(), body);
    // C(6, 3) = 20 rows at most; a count negative as a signed value is refused too.
    for (const uint8_t count : {20, 21, 0xFF}) {
        const platform::Bytes block{0, 0, 3, 6, count, 0, 0, count == 0xFF ? count : uint8_t(0)};
        platform::ByteReader params(block);
        EXPECT_EQ(TSysRnd(&game).LoadParams(params), count == 20) << int(count);
    }
}

} // namespace
