#include "platform/ByteStream.h"

#include <gtest/gtest.h>

using platform::ByteReader;
using platform::Bytes;
using platform::ByteWriter;

TEST(ByteWriter, WritesLittleEndianValues)
{
    ByteWriter w;
    w.put<uint8_t>(0xAB);
    w.put<int16_t>(-2);
    w.put<uint32_t>(0x12345678);
    w.put<int64_t>(-10000);
    w.put<double>(1.0);
    const Bytes expected = {0xAB, 0xFE, 0xFF, 0x78, 0x56, 0x34, 0x12,
                            0xF0, 0xD8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F};
    EXPECT_EQ(w.bytes(), expected);
}

TEST(ByteWriter, ShortStringIsLengthPlusPaddedCp1250)
{
    ByteWriter w;
    w.putShortString("\xC5\x81\xC3\xB3" "d\xC5\xBA", 6);  // "Łódź"
    EXPECT_EQ(w.bytes(), (Bytes{4, 0xA3, 0xF3, 'd', 0x9F, 0, 0}));
    ByteWriter cut;
    cut.putShortString("abcdef", 3);
    EXPECT_EQ(cut.bytes(), (Bytes{3, 'a', 'b', 'c'}));
}

TEST(ByteWriter, ZeroTerminatedFieldKeepsRoomForTheZero)
{
    ByteWriter w;
    w.putZeroTerminated("abcdef", 4);
    EXPECT_EQ(w.bytes(), (Bytes{'a', 'b', 'c', 0}));
    ByteWriter shorter;
    shorter.putZeroTerminated("a", 3);
    EXPECT_EQ(shorter.bytes(), (Bytes{'a', 0, 0}));
}

TEST(ByteWriter, PatchOverwritesInPlace)
{
    ByteWriter w;
    w.put<uint32_t>(0);
    w.put<uint8_t>(9);
    w.patch<uint32_t>(0, 0x01020304);
    EXPECT_EQ(w.bytes(), (Bytes{4, 3, 2, 1, 9}));
}

TEST(ByteReader, ReadsWhatTheWriterWrote)
{
    ByteWriter w;
    w.put<int32_t>(-123456);
    w.put<double>(-0.25);
    w.putShortString("\xC4\x85", 5);
    w.putZeroTerminated("xyz", 8);
    ByteReader r(w.bytes());
    int32_t i = 0;
    double d = 0;
    std::string s, z;
    ASSERT_TRUE(r.get(i));
    ASSERT_TRUE(r.get(d));
    ASSERT_TRUE(r.getShortString(s, 5));
    ASSERT_TRUE(r.getZeroTerminated(z, 8));
    EXPECT_EQ(i, -123456);
    EXPECT_EQ(d, -0.25);
    EXPECT_EQ(s, "\xC4\x85");
    EXPECT_EQ(z, "xyz");
    EXPECT_TRUE(r.atEnd());
    EXPECT_TRUE(r.ok());
}

TEST(ByteReader, ReadPastTheEndLeavesTargetAndPositionUnchanged)
{
    const Bytes data = {1, 2, 3};
    ByteReader r(data);
    uint16_t small = 0;
    ASSERT_TRUE(r.get(small));
    EXPECT_EQ(small, 0x0201);
    uint32_t big = 77;
    EXPECT_FALSE(r.get(big));
    EXPECT_EQ(big, 77u);
    EXPECT_EQ(r.position(), 2u);
    EXPECT_FALSE(r.ok());
    std::string s = "keep";
    EXPECT_FALSE(r.getShortString(s, 4));
    EXPECT_EQ(s, "keep");
    uint8_t last = 0;
    EXPECT_FALSE(r.get(last));  // the byte left belongs to the field that was cut
    EXPECT_EQ(last, 0);
}

TEST(ByteReader, ShortStringLengthAboveCapacityIsClamped)
{
    const Bytes data = {200, 'a', 'b', 0x9C};
    ByteReader r(data);
    std::string s;
    ASSERT_TRUE(r.getShortString(s, 3));
    EXPECT_EQ(s, "ab\xC5\x9B");
    EXPECT_TRUE(r.atEnd());
}

TEST(ByteReader, ZeroTerminatedFieldWithoutZeroTakesWholeField)
{
    const Bytes data = {'a', 'b', 'c', 'd'};
    ByteReader r(data);
    std::string z;
    ASSERT_TRUE(r.getZeroTerminated(z, 4));
    EXPECT_EQ(z, "abcd");
}
