#include "core/UCRC.h"

#include "tests/support/ReferenceMath.h"

#include <gtest/gtest.h>

#include <random>
#include <string_view>
#include <vector>

namespace {

std::vector<uint8_t> bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

} // namespace

TEST(UCRC, CheckValues)
{
    EXPECT_EQ(calcCRC(bytesOf("abc")), 0xB7051F63u);
    EXPECT_EQ(calcCRC({}), 0xFFFFFFFFu);
    // One zero byte: table entry FFh of the MSB-first table (B1F740B4h) xor FFFFFF00h.
    EXPECT_EQ(calcCRC(std::vector<uint8_t>{0x00}), 0x4E08BFB4u);
    // A lone byte enters after the table step, so it only xors into the low byte.
    EXPECT_EQ(calcCRC(std::vector<uint8_t>{0x4B}) ^ calcCRC(std::vector<uint8_t>{0x00}), 0x4Bu);
    // Continued piece by piece.
    EXPECT_EQ(updateCRC(updateCRC(CRCInit, bytesOf("a")), bytesOf("bc")), 0xB7051F63u);
}

TEST(UCRC, DiffersFromTheCommonCrc32)
{
    EXPECT_NE(calcCRC(bytesOf("123456789")), 0xCBF43926u);
    EXPECT_NE(calcCRC(bytesOf("123456789")), 0xFC891918u); // the MSB-first variant with a final xor
}

TEST(UCRC, MatchesABitwiseReference)
{
    std::vector<uint8_t> every(256);
    for (size_t i = 0; i < every.size(); ++i)
        every[i] = static_cast<uint8_t>(i);
    EXPECT_EQ(calcCRC(every), testsupport::bitwiseCRC(every));

    std::mt19937 random(7);
    for (size_t length : {1u, 2u, 3u, 5u, 31u, 32000u, 32001u, 100000u}) {
        std::vector<uint8_t> bytes(length);
        for (auto &b : bytes)
            b = static_cast<uint8_t>(random());
        EXPECT_EQ(calcCRC(bytes), testsupport::bitwiseCRC(bytes)) << length;
    }
}
