#include "core/ProgramLocale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// U+00A0 in UTF-8.
const std::string nbsp = "\xC2\xA0";

} // namespace

TEST(ProgramLocale, ShortDayNamesAreUtf8MondayFirst)
{
    ASSERT_EQ(ProgramLocale::ShortDayNames.size(), 7u);
    EXPECT_EQ(ProgramLocale::ShortDayNames[0], "Pn");
    EXPECT_EQ(ProgramLocale::ShortDayNames[2], "\xC5\x9Ar"); // Śr
    EXPECT_EQ(ProgramLocale::ShortDayNames[6], "N");
    EXPECT_EQ(ProgramLocale::CurrencyString, "z\xC5\x82");
}

TEST(ProgramLocale, GroupsThousandsWithNoBreakSpaces)
{
    EXPECT_EQ(groupThousands(""), "");
    EXPECT_EQ(groupThousands("123"), "123");
    EXPECT_EQ(groupThousands("1234"), "1" + nbsp + "234");
    EXPECT_EQ(groupThousands("1234567"), "1" + nbsp + "234" + nbsp + "567");
    EXPECT_EQ(groupThousands("123456"), "123" + nbsp + "456");
}

TEST(ProgramLocale, CurrencyFormatPutsSignAndCurrency)
{
    EXPECT_EQ(applyCurrencyFormat("1,50", false), "1,50\xC2\xA0z\xC5\x82");
    EXPECT_EQ(applyCurrencyFormat("1,50", true), "-1,50\xC2\xA0z\xC5\x82");
}

TEST(ProgramLocale, FormatFloatFixedDecimals)
{
    EXPECT_EQ(FormatFloat("0.00", 1234.5), "1234,50");
    EXPECT_EQ(FormatFloat("0.00", 0), "0,00");
    EXPECT_EQ(FormatFloat("0.00", 0.125), "0,13"); // an exact half rounds away from zero
    EXPECT_EQ(FormatFloat("0.00", -0.125), "-0,13");
    EXPECT_EQ(FormatFloat("0.00", 2.675), "2,67"); // the double lies below the half
    EXPECT_EQ(FormatFloat("0.00", 9.999), "10,00");
    EXPECT_EQ(FormatFloat("0.00", -0.001), "0,00"); // no minus on a zero result
    EXPECT_EQ(FormatFloat("0.00000", 0.00001), "0,00001");
    EXPECT_EQ(FormatFloat("0.0", 0.96), "1,0");
    EXPECT_EQ(FormatFloat("0", 2.5), "3");
    EXPECT_EQ(FormatFloat(".00", 12.5), "12,50");
}

TEST(ProgramLocale, FormatFloatPaddingAndOptionalDigits)
{
    EXPECT_EQ(FormatFloat("00", 5), "05");
    EXPECT_EQ(FormatFloat("00", 123), "123");
    EXPECT_EQ(FormatFloat("0.##", 1.5), "1,5");
    EXPECT_EQ(FormatFloat("0.##", 2), "2");
    EXPECT_EQ(FormatFloat("#.##", 0.25), ",25");
    EXPECT_EQ(FormatFloat("#", 0), "");
}

TEST(ProgramLocale, FormatFloatGroupsThousands)
{
    EXPECT_EQ(FormatFloat("#,##", 0), "");
    EXPECT_EQ(FormatFloat("#,##", 1234), "1" + nbsp + "234");
    EXPECT_EQ(FormatFloat("#,##", 999.5), "1" + nbsp + "000");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891), "1" + nbsp + "234" + nbsp + "567,89");
    EXPECT_EQ(FormatFloat("#,##0.00", 0.5), "0,50");
    EXPECT_EQ(FormatFloat("#,##0", 123456789012.0), "123" + nbsp + "456" + nbsp + "789" + nbsp + "012");
}

TEST(ProgramLocale, FormatFloatSections)
{
    EXPECT_EQ(FormatFloat("#,##;;0", 0), "0");
    EXPECT_EQ(FormatFloat("#,##;;0", 1234), "1" + nbsp + "234");
    EXPECT_EQ(FormatFloat("#,##;;0", -1234), "-1" + nbsp + "234");
    EXPECT_EQ(FormatFloat("0.00;(0.00)", -1.5), "(1,50)");
    EXPECT_EQ(FormatFloat("0.00;(0.00);'zero'", 0), "zero");
    EXPECT_EQ(FormatFloat("0;-0;0;ignored", 7), "7");
}

TEST(ProgramLocale, FormatFloatLiterals)
{
    EXPECT_EQ(FormatFloat("F00", 3), "F03");
    EXPECT_EQ(FormatFloat("0.00' %'", 12.345), "12,35 %");
    EXPECT_EQ(FormatFloat("\"#\"0", 4), "#4");
    EXPECT_EQ(FormatFloat("00-00", 1234), "12-34");
    EXPECT_EQ(FormatFloat("0.00", std::nan("")), "NAN");
    EXPECT_EQ(FormatFloat("0.00", -INFINITY), "-INF");
}

TEST(ProgramLocale, ShortDate)
{
    EXPECT_EQ(DateToStr(33604), "01.01.1992");
    EXPECT_EQ(DateToStr(EncodeDate(2024, 12, 9) + 0.75), "09.12.2024");
    EXPECT_EQ(DateToStr(EncodeDate(987, 6, 5)), "05.06.0987");
}
