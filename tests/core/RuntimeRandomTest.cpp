#include "core/RuntimeRandom.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

namespace {

std::vector<int32_t> draws(int count, int32_t range)
{
    std::vector<int32_t> values;
    for (int i = 0; i < count; ++i)
        values.push_back(RuntimeRandom(range));
    return values;
}

} // namespace

// Seeds 0 -> 1 -> 134775814 -> 3698175007 -> 870078620 -> 1172187917; value = seed * range div 2^32.
TEST(RuntimeRandom, FollowsTheLinearCongruentialSequence)
{
    SetRuntimeRandSeed(0);
    EXPECT_EQ(draws(5, 100), (std::vector<int32_t>{0, 3, 86, 20, 27}));
    SetRuntimeRandSeed(12345);
    EXPECT_EQ(draws(4, 49), (std::vector<int32_t>{18, 14, 3, 27}));
}

TEST(RuntimeRandom, StaysBelowTheRange)
{
    SetRuntimeRandSeed(7);
    EXPECT_EQ(draws(50, 0), std::vector<int32_t>(50, 0));
    EXPECT_EQ(draws(50, 1), std::vector<int32_t>(50, 0));
    std::set<int32_t> seen;
    for (int32_t v : draws(20000, 49)) {
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 49);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 49u);
    for (int32_t v : draws(1000, 2147483647))
        ASSERT_GE(v, 0);
}

TEST(RuntimeRandom, SeedsArePerThread)
{
    SetRuntimeRandSeed(0);
    RuntimeRandom(100);
    std::vector<int32_t> other, unseededA, unseededB;
    std::thread t([&] {
        SetRuntimeRandSeed(0);
        other = draws(5, 100);
    });
    t.join();
    EXPECT_EQ(other, (std::vector<int32_t>{0, 3, 86, 20, 27}));
    EXPECT_EQ(draws(4, 100), (std::vector<int32_t>{3, 86, 20, 27}));

    std::thread ta([&] { unseededA = draws(20, 1000000); });
    std::thread tb([&] { unseededB = draws(20, 1000000); });
    ta.join();
    tb.join();
    EXPECT_NE(unseededA, unseededB);

    RuntimeRandomize();
    const auto first = draws(10, 1000000);
    RuntimeRandomize();
    EXPECT_NE(draws(10, 1000000), first);
}
