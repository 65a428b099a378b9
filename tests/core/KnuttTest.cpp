#include "core/Knutt.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <set>
#include <thread>
#include <vector>

namespace {

std::vector<double> draws(int count)
{
    std::vector<double> values;
    for (int i = 0; i < count; ++i)
        values.push_back(RandomFloat());
    return values;
}

std::vector<double> seededDraws(double seed, int count)
{
    SeedRandom(seed);
    return draws(count);
}

// x - y brought back into [0, 1) as the generator's subtraction does.
double mod1(double x, double y)
{
    const double d = x - y;
    return d < 0 ? std::min(d + 1.0, std::nextafter(1.0, 0.0)) : d;
}

} // namespace

// Values worked out from the generator's definition by a separate script.
TEST(Knutt, KnownValuesAfterSeeding)
{
    const std::vector<double> half = seededDraws(0.5, 1000);
    EXPECT_EQ(half[0], 0x1.201d71df2d59ep-2);
    EXPECT_EQ(half[1], 0x1.5865b58484996p-1);
    EXPECT_EQ(half[54], 0x1.5f29f2fe42260p-1);
    EXPECT_EQ(half[55], 0x1.8ae71a286bad4p-3);
    EXPECT_EQ(half[56], 0x1.baaab8e038d94p-1);
    EXPECT_EQ(half[999], 0x1.3da444a1675d0p-1);

    const std::vector<double> small = seededDraws(0.0123456789, 1000);
    EXPECT_EQ(small[0], 0x1.dcaf983bb08d0p-5);
    EXPECT_EQ(small[55], 0x1.bef5fdbe3e5bcp-1);
    EXPECT_EQ(small[999], 0x1.427fe32625f88p-2);
}

TEST(Knutt, SameSeedSameSequence)
{
    const auto first = seededDraws(0.25, 500);
    const auto again = seededDraws(0.25, 500);
    EXPECT_EQ(first, again);
    const auto other = seededDraws(0.2500001, 500);
    EXPECT_NE(first, other);
    for (double v : first) {
        ASSERT_GE(v, 0.0);
        ASSERT_LT(v, 1.0);
    }
}

// Each refill replaces A[i] by A[i] - A[i+31] for i <= 24 and by A[i] - (new A[i-24]) above, so every
// value from the 56th on follows from values already handed out.
TEST(Knutt, RefillsFollowTheSubtractiveRecurrence)
{
    const auto x = seededDraws(0.61803398875, 55 * 6);
    for (size_t n = 55; n < x.size(); ++n) {
        const size_t i = n % 55 + 1; // position in the table, 1..55
        const double expected = i <= 24 ? mod1(x[n - 55], x[n - 55 + 31]) : mod1(x[n - 55], x[n - 24]);
        ASSERT_EQ(x[n], expected) << "value " << n + 1;
    }
}

TEST(Knutt, FiftySixthDrawIsTheRefilledFirstEntry)
{
    const auto x = seededDraws(0.5, 56);
    EXPECT_EQ(x[55], mod1(x[0], x[31]));

    // An explicit refill in the middle of a table: the next draw continues in the new table.
    SeedRandom(0.5);
    draws(3);
    RefillRandomTable();
    EXPECT_EQ(RandomFloat(), mod1(x[3], x[34]));
}

TEST(Knutt, RandomChanceDrawsExceptForCertainty)
{
    const auto x = seededDraws(0.5, 3);
    SeedRandom(0.5);
    EXPECT_TRUE(RandomChance(1.0));      // no draw
    EXPECT_FALSE(RandomChance(0.0));     // draws x[0], which is not 0
    EXPECT_EQ(RandomChance(x[1]), true); // r <= P with r = x[1]
    EXPECT_EQ(RandomFloat(), x[2]);

    SeedRandom(0.5);
    EXPECT_FALSE(RandomChance(std::nextafter(x[0], 0.0)));
}

TEST(Knutt, RangesNeverPassTheUpperEnd)
{
    EXPECT_EQ(ScaleRandom(0.0, 1, 49), 1);
    EXPECT_EQ(ScaleRandom(0.5, 1, 49), 25);
    EXPECT_EQ(ScaleRandom(1.0, 1, 49), 49);
    EXPECT_EQ(ScaleRandom(std::nextafter(1.0, 0.0), 1, 49), 49);
    // Here the product itself rounds up to Hi + 1.
    ASSERT_EQ(std::nextafter(1.0, 0.0) * 49 + 1000000.0, 1000049.0);
    EXPECT_EQ(ScaleRandom(std::nextafter(1.0, 0.0), 1000000, 1000048), 1000048);
    EXPECT_EQ(ScaleRandom(0.999, 5, 5), 5);

    SeedRandom(0.77);
    std::set<int> seen;
    for (int i = 0; i < 100000; ++i) {
        const int v = RandomInRange(1, 49);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 49);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 49u);
}

TEST(Knutt, ClockSeedingsDiffer)
{
    RandomizeFromClock();
    const auto first = draws(20);
    RandomizeFromClock(); // within the same millisecond, most likely
    const auto second = draws(20);
    EXPECT_NE(first, second);
}

TEST(Knutt, EachThreadHasItsOwnGenerator)
{
    const auto expected = seededDraws(0.5, 200);

    // A thread that never seeded draws usable values; two such threads draw different sequences.
    std::vector<double> a, b;
    std::atomic<int> ready{0};
    auto unseeded = [&](std::vector<double> &out) {
        ++ready;
        while (ready < 2) {
        }
        out = draws(100);
    };
    std::thread ta(unseeded, std::ref(a)), tb(unseeded, std::ref(b));
    ta.join();
    tb.join();
    EXPECT_NE(a, b);
    for (const auto *values : {&a, &b}) {
        EXPECT_EQ(std::set<double>(values->begin(), values->end()).size(), 100u);
        for (double v : *values) {
            EXPECT_GE(v, 0.0);
            EXPECT_LT(v, 1.0);
        }
    }

    // Seeding and drawing in another thread leaves this thread's sequence untouched.
    SeedRandom(0.5);
    std::vector<double> mine = draws(100);
    std::vector<double> other;
    std::thread tc([&] { other = seededDraws(0.5, 150); });
    tc.join();
    const auto rest = draws(100);
    mine.insert(mine.end(), rest.begin(), rest.end());
    EXPECT_EQ(mine, expected);
    EXPECT_EQ(other, std::vector<double>(expected.begin(), expected.begin() + 150));
}
