#include "platform/MemoryStatus.h"

#include <gtest/gtest.h>

TEST(MemoryStatus, ReadsMemAvailableAndHonoursTheProbe)
{
    const uint64_t real = platform::availablePhysicalMemory();
    EXPECT_GT(real, 1024u * 1024u);  // any machine that runs the tests has a megabyte free
    platform::setAvailableMemoryProbe([] { return uint64_t(6) << 32; });  // above 4 GiB: no wrap
    EXPECT_EQ(platform::availablePhysicalMemory(), uint64_t(6) << 32);
    platform::setAvailableMemoryProbe({});
    EXPECT_GT(platform::availablePhysicalMemory(), 1024u * 1024u);
}
