#include "core/MemoryEstimate.h"

#include "platform/MemoryStatus.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

class MemoryEstimateTest : public testing::Test {
protected:
    void SetUp() override
    {
        platform::setAvailableMemoryProbe([] { return uint64_t{1000}; });
    }
    void TearDown() override { platform::setAvailableMemoryProbe({}); }
};

TEST_F(MemoryEstimateTest, ATableFitsUpToItsShareOfFreeMemory)
{
    EXPECT_TRUE(TableFits(99, 6, MemoryShareArray));   // 594 of 600
    EXPECT_FALSE(TableFits(101, 6, MemoryShareArray)); // 606
    EXPECT_TRUE(TableFits(149, 6, MemoryShareWhole));  // 894 of 900
    EXPECT_FALSE(TableFits(151, 6, MemoryShareWhole)); // 906
    EXPECT_TRUE(TableFits(0, 6, MemoryShareArray));
}

TEST_F(MemoryEstimateTest, CountsBeyondEveryIntegerDoNotWrap)
{
    // C(100, 50) rows of 16 bytes: a 64-bit product would wrap to a small number.
    EXPECT_FALSE(TableFits(1.0089134454556419e29L, 16, MemoryShareWhole));
    EXPECT_FALSE(TableFits(static_cast<long double>(std::numeric_limits<uint64_t>::max()) / 8 + 1, 16,
                           MemoryShareArray));
}

TEST_F(MemoryEstimateTest, CapacityIsTheWholeRecordsThatFit)
{
    EXPECT_EQ(TableCapacity(13, MemoryShareWhole), 69u); // 900 / 13
    EXPECT_EQ(TableCapacity(18, MemoryShareArray), 33u); // 600 / 18
}

TEST_F(MemoryEstimateTest, AnImpossibleTableIsRefusedAndLeftEmpty)
{
    std::vector<int64_t> table{1, 2, 3};
    EXPECT_FALSE(TryAllocate(table, std::numeric_limits<uint64_t>::max()));
    EXPECT_TRUE(table.empty());
    ASSERT_TRUE(TryAllocate(table, 4));
    EXPECT_EQ(table, (std::vector<int64_t>{0, 0, 0, 0}));
}

} // namespace
