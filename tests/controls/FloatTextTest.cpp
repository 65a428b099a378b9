#include "controls/FloatText.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const QChar comma(u',');

TEST(FloatTextTest, FixedFormatRoundsHalvesUpToDecimalsAndSignificantDigits)
{
    EXPECT_EQ(formatFloatFixed(25.0, 5, 2, comma), u"25,00");
    EXPECT_EQ(formatFloatFixed(0.2, 3, 0, comma), u"0");
    EXPECT_EQ(formatFloatFixed(99.5, 3, 0, comma), u"100");
    EXPECT_EQ(formatFloatFixed(0.125, 10, 2, comma), u"0,13");
    // 2.675 is stored just below 2.675, so it rounds down.
    EXPECT_EQ(formatFloatFixed(2.675, 10, 2, comma), u"2,67");
    EXPECT_EQ(formatFloatFixed(-1.5, 10, 0, comma), u"-2");
    EXPECT_EQ(formatFloatFixed(0.006, 10, 2, comma), u"0,01");
    EXPECT_EQ(formatFloatFixed(0.004, 10, 2, comma), u"0,00");
    EXPECT_EQ(formatFloatFixed(-0.001, 10, 2, comma), u"0,00");
    EXPECT_EQ(formatFloatFixed(0.0, 10, 3, comma), u"0,000");
    EXPECT_EQ(formatFloatFixed(49.0, 10, 0, comma), u"49");
    EXPECT_EQ(formatFloatFixed(3.14159, 10, 2, QChar(u'.')), u"3.14");
}

TEST(FloatTextTest, FixedFormatKeepsOnlyThePrecisionsSignificantDigits)
{
    // Ten significant digits: the decimals past them come out as zeros.
    EXPECT_EQ(formatFloatFixed(1234567.891, 10, 5, comma), u"1234567,89100");
    EXPECT_EQ(formatFloatFixed(12.3456, 3, 2, comma), u"12,30");
    // More integer digits than the precision: exponent form.
    EXPECT_EQ(formatFloatFixed(12345678901.0, 10, 0, comma), u"1,23456789E10");
    EXPECT_EQ(formatFloatFixed(1e300, 10, 2, comma), u"1E300");
    EXPECT_EQ(formatFloatFixed(std::numeric_limits<double>::infinity(), 10, 0, comma), u"INF");
}

TEST(FloatTextTest, ParsesLocaleNumbersOnly)
{
    EXPECT_EQ(parseFloatText(QStringLiteral("12,5"), comma), 12.5);
    EXPECT_EQ(parseFloatText(QStringLiteral("  -3 "), comma), -3.0);
    EXPECT_EQ(parseFloatText(QStringLiteral("+4"), comma), 4.0);
    EXPECT_EQ(parseFloatText(QStringLiteral(",5"), comma), 0.5);
    EXPECT_EQ(parseFloatText(QStringLiteral("1,"), comma), 1.0);
    EXPECT_EQ(parseFloatText(QStringLiteral("1,5E3"), comma), 1500.0);
    EXPECT_EQ(parseFloatText(QStringLiteral("2e-1"), comma), 0.2);
    EXPECT_EQ(parseFloatText(QStringLiteral("1.5"), QChar(u'.')), 1.5);

    for (const char16_t *bad : {u"", u"-", u"+", u",", u"1.5", u"1,2,3", u"1e", u"1 000", u"inf", u"nan",
                                u"0x10", u"12a", u"1e999", u"--1"})
        EXPECT_FALSE(parseFloatText(QString::fromUtf16(bad), comma).has_value()) << QString::fromUtf16(bad).toStdString();
}

TEST(FloatTextTest, ParsesWholeNumbersWithinSixtyFourBits)
{
    EXPECT_EQ(parseInt64Text(QStringLiteral("7")), 7);
    EXPECT_EQ(parseInt64Text(QStringLiteral("  -12")), -12);
    EXPECT_EQ(parseInt64Text(QStringLiteral("+5")), 5);
    EXPECT_EQ(parseInt64Text(QStringLiteral("9223372036854775807")), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(parseInt64Text(QStringLiteral("-9223372036854775808")), std::numeric_limits<int64_t>::min());
    for (const char16_t *bad : {u"", u"+", u"-", u"7 ", u"7,0", u"7,5", u"1e3", u"9223372036854775808", u"x1"})
        EXPECT_FALSE(parseInt64Text(QString::fromUtf16(bad)).has_value()) << QString::fromUtf16(bad).toStdString();
}

} // namespace
