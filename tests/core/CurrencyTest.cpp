#include "core/Currency.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

int64_t countOf(Currency Value)
{
    return Value.count();
}

Currency units(int64_t Count)
{
    return Currency::fromCount(Count);
}

} // namespace

TEST(Currency, FromDoubleRoundsExactHalvesToEven)
{
    // 1/32 and 3/32 are exact binary fractions: 312.5 and 937.5 units.
    EXPECT_EQ(countOf(Currency::fromDouble(0.03125)), 312);
    EXPECT_EQ(countOf(Currency::fromDouble(0.09375)), 938);
    EXPECT_EQ(countOf(Currency::fromDouble(-0.03125)), -312);
    EXPECT_EQ(countOf(Currency::fromDouble(-0.09375)), -938);
    // The double nearest 0.00005 lies just above half a unit.
    EXPECT_EQ(countOf(Currency::fromDouble(0.00005)), 1);
    EXPECT_EQ(countOf(Currency::fromDouble(1.23456)), 12346);
    EXPECT_EQ(countOf(Currency::fromDouble(0.1)), 1000);
    EXPECT_EQ(countOf(Currency::fromDouble(-2.5)), -25000);
}

TEST(Currency, FromDoubleRefusesWhatDoesNotFit)
{
    EXPECT_THROW(Currency::fromDouble(1e15), std::overflow_error);
    EXPECT_THROW(Currency::fromDouble(std::numeric_limits<double>::quiet_NaN()), std::overflow_error);
    EXPECT_THROW(Currency::fromDouble(-std::numeric_limits<double>::infinity()), std::overflow_error);
    EXPECT_EQ(countOf(Currency::fromDouble(1e-300)), 0);
}

TEST(Currency, ProductWithARealRoundsHalvesToEven)
{
    EXPECT_EQ(countOf(units(5) * 0.5), 2); // 2.5
    EXPECT_EQ(countOf(units(7) * 0.5), 4); // 3.5
    EXPECT_EQ(countOf(units(-5) * 0.5), -2);
    EXPECT_EQ(countOf(0.5 * units(-7)), -4);
    EXPECT_EQ(countOf(units(30000) * 1.5), 45000); // 3.00 x 1.5 = 4.50
    // 25 x 0.1 is a shade above 2.5 because 0.1 is: rounding a double product would give 2.
    EXPECT_EQ(countOf(units(25) * 0.1), 3);
    EXPECT_EQ(countOf(Currency::maxValue() * 1.0), INT64_MAX);
    EXPECT_THROW(Currency::maxValue() * 1.5, std::overflow_error);
}

TEST(Currency, ProductOfAmountsRoundsHalvesToEven)
{
    EXPECT_EQ(countOf(units(30000) * units(15000)), 45000); // 3.00 x 1.50
    EXPECT_EQ(countOf(units(5) * units(5000)), 2);          // 0.0005 x 0.5 = 0.00025
    EXPECT_EQ(countOf(units(15) * units(5000)), 8);         // 0.00075
    EXPECT_EQ(countOf(units(-15) * units(5000)), -8);
    EXPECT_EQ(countOf(Currency::maxValue() * units(10000)), INT64_MAX);
    EXPECT_THROW(Currency::maxValue() * units(20000), std::overflow_error);
}

TEST(Currency, WholeFactorsAndDivisors)
{
    EXPECT_EQ(countOf(units(12345) * 3), 37035);
    EXPECT_EQ(countOf(uint32_t(4) * units(-2500)), -10000);
    EXPECT_THROW(Currency::maxValue() * 2, std::overflow_error);

    EXPECT_EQ(countOf(units(5) / 2), 2);
    EXPECT_EQ(countOf(units(7) / 2), 4);
    EXPECT_EQ(countOf(units(-5) / 2), -2);
    EXPECT_EQ(countOf(units(-7) / 2), -4);
    EXPECT_EQ(countOf(units(5) / -2), -2);
    EXPECT_EQ(countOf(units(10) / 4), 2);
    EXPECT_EQ(countOf(units(14) / 4), 4);
    EXPECT_EQ(countOf(units(1) / 3), 0);
    EXPECT_EQ(countOf(units(2) / 3), 1);
    EXPECT_THROW(units(1) / 0, std::domain_error);
}

TEST(Currency, SumsDifferencesAndOrder)
{
    Currency total;
    total += units(15000);
    total += units(2500);
    total -= units(500);
    EXPECT_EQ(countOf(total), 17000);
    EXPECT_EQ(countOf(-total), -17000);
    EXPECT_LT(units(-1), units(0));
    EXPECT_EQ(units(3), units(3));
    EXPECT_NE(units(3), units(4));
    EXPECT_THROW(Currency::maxValue() + units(1), std::overflow_error);
    EXPECT_THROW(Currency::minValue() - units(1), std::overflow_error);
    EXPECT_THROW(-Currency::minValue(), std::overflow_error);
    EXPECT_DOUBLE_EQ(units(12345).toDouble(), 1.2345);
}

TEST(Currency, TextUsesTheDecimalCommaAndOnlyNeededDecimals)
{
    EXPECT_EQ(CurrToStr(units(12345000)), "1234,5");
    EXPECT_EQ(CurrToStr(units(120000)), "12");
    EXPECT_EQ(CurrToStr(units(0)), "0");
    EXPECT_EQ(CurrToStr(units(-1)), "-0,0001");
    EXPECT_EQ(CurrToStr(Currency::minValue()), "-922337203685477,5808");
}

TEST(Currency, ParsingRoundsExtraDecimalsHalfToEven)
{
    Currency value;
    ASSERT_TRUE(TryStrToCurr("1234,5", value));
    EXPECT_EQ(countOf(value), 12345000);
    ASSERT_TRUE(TryStrToCurr(" -12 ", value));
    EXPECT_EQ(countOf(value), -120000);
    ASSERT_TRUE(TryStrToCurr(",75", value));
    EXPECT_EQ(countOf(value), 7500);
    ASSERT_TRUE(TryStrToCurr("0,00025", value));
    EXPECT_EQ(countOf(value), 2);
    ASSERT_TRUE(TryStrToCurr("0,00035", value));
    EXPECT_EQ(countOf(value), 4);
    ASSERT_TRUE(TryStrToCurr("-0,00015", value));
    EXPECT_EQ(countOf(value), -2);
    ASSERT_TRUE(TryStrToCurr("0,000250001", value));
    EXPECT_EQ(countOf(value), 3);
    ASSERT_TRUE(TryStrToCurr("922337203685477,5807", value));
    EXPECT_EQ(value, Currency::maxValue());
}

TEST(Currency, ParsingRefusesBadTextAndLeavesTheValue)
{
    Currency value = units(777);
    for (const char *bad : {"", " ", "-", ",", "1.5", "1,2,3", "12a", "1 000", "922337203685477,5808",
                            "99999999999999999999999"})
        EXPECT_FALSE(TryStrToCurr(bad, value)) << bad;
    EXPECT_EQ(countOf(value), 777);
}

TEST(Currency, TextRoundTrip)
{
    for (const int64_t count :
         {int64_t(0), int64_t(1), int64_t(-10), int64_t(123456789), INT64_MAX, INT64_MIN}) {
        Currency back;
        ASSERT_TRUE(TryStrToCurr(CurrToStr(units(count)), back)) << count;
        EXPECT_EQ(countOf(back), count);
    }
}
