#include "core/HugeInts.h"
#include "tests/support/ReferenceMath.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace {

using testsupport::decimal128;

// The value sign-extended to 256 bits.
THugeInt Huge(__int128 V)
{
    THugeInt a{};
    const auto bits = (unsigned __int128)V;
    for (size_t i = 0; i < a.size(); ++i)
        a[i] = i < 16 ? uint8_t(bits >> (8 * i)) : (V < 0 ? 0xFF : 0);
    return a;
}

THugeInt AllBytes(uint8_t Byte)
{
    THugeInt a;
    a.fill(Byte);
    return a;
}

// A random value of up to 125 bits and either sign, so that sums stay within 128 bits.
__int128 RandomValue(std::mt19937_64 &Random)
{
    const int bits = int(Random() % 126);
    unsigned __int128 v = ((unsigned __int128)Random() << 64) | Random();
    v = bits == 0 ? 0 : v >> (128 - bits);
    return Random() % 2 ? -__int128(v) : __int128(v);
}

} // namespace

TEST(HugeIntsTest, ArithmeticAndTextAgreeWithBuiltInWideIntegers)
{
    std::mt19937_64 random(52);
    for (int i = 0; i < 5000; ++i) {
        const __int128 a = RandomValue(random);
        const __int128 b = RandomValue(random);
        SCOPED_TRACE(decimal128(a) + " " + decimal128(b));

        THugeInt sum;
        HugeAdd(Huge(a), Huge(b), sum);
        EXPECT_EQ(sum, Huge(a + b));
        // Sign-extended operands carry out of the top byte when both are negative, or when their signs
        // differ and the sum is not negative.
        EXPECT_EQ(HugeOverflow, (a < 0 && b < 0) || ((a < 0) != (b < 0) && a + b >= 0));

        THugeInt negated = Huge(a);
        HugeNeg(negated);
        EXPECT_EQ(negated, Huge(-a));
        THugeInt next = Huge(a);
        HugeInc(next);
        EXPECT_EQ(next, Huge(a + 1));
        EXPECT_EQ(HugeOverflow, a == -1);

        EXPECT_EQ(HugeToStr(Huge(a)), decimal128(a));
        EXPECT_EQ(HugeIsNegative(Huge(a)), a < 0);
        EXPECT_EQ(HugeIsZero(Huge(a)), a == 0);
    }
}

TEST(HugeIntsTest, ExtremeValuesSmallIntegersAndByteShifts)
{
    EXPECT_EQ(HugeToStr(AllBytes(0xFF)), "-1");
    THugeInt largest = AllBytes(0xFF);
    largest[31] = 0x7F;
    const std::string maximum = "57896044618658097711785492504343953926634992332820282019728792003956564819967";
    ASSERT_EQ(maximum.size(), 77u);
    EXPECT_EQ(HugeToStr(largest), maximum);
    // The most negative value is its own negation: its magnitude is still shown.
    THugeInt smallest{};
    smallest[31] = 0x80;
    EXPECT_EQ(HugeToStr(smallest), "-57896044618658097711785492504343953926634992332820282019728792003956564819968");

    THugeInt wrapped = AllBytes(0xFF);
    HugeInc(wrapped);
    EXPECT_TRUE(HugeIsZero(wrapped));
    EXPECT_TRUE(HugeOverflow);

    for (const int32_t v : {std::numeric_limits<int32_t>::min(), -1, 0, 7, std::numeric_limits<int32_t>::max()}) {
        THugeInt a = AllBytes(0x55);
        IntToHuge(v, a);
        EXPECT_EQ(a, Huge(v)) << v;
        EXPECT_EQ(HugeToStr(a), std::to_string(v));
    }

    const __int128 value = 0x123456789ABCDEF;
    for (const int count : {-1, 0, 3, 8}) {
        THugeInt a = Huge(value);
        HugeShlBytes(a, count);
        EXPECT_EQ(a, Huge(count <= 0 ? value : value << (8 * count))) << count;
    }
    THugeInt top = Huge(0xAB);
    HugeShlBytes(top, 31);
    EXPECT_EQ(top[31], 0xAB);
    EXPECT_EQ(HugeTopByte(top), 31);
    HugeShlBytes(top, 32);
    EXPECT_TRUE(HugeIsZero(top));
    EXPECT_EQ(HugeTopByte(top), 0);

    int rem = 0;
    THugeInt quotient = Huge(12345);
    HugeDivMod100(quotient, rem);
    EXPECT_EQ(quotient, Huge(123));
    EXPECT_EQ(rem, 45);
    EXPECT_EQ(TwoDigits(7), "07");
}
