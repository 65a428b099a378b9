#include "core/UGlobalUtils.h"

#include "platform/MemoryStatus.h"

#include <gtest/gtest.h>

namespace {

// "zł" after a no-break space, U+00A0 = C2 A0, ł = C5 82.
const std::string zl = "\xC2\xA0z\xC5\x82";

} // namespace

TEST(MoneyToStr, ExactBytesOfThePolishMoneyFormat)
{
    EXPECT_EQ(MoneyToStr(Currency::fromCount(12345000)), "1\xC2\xA0"
                                                         "234,50" +
                                                             zl);
    EXPECT_EQ(MoneyToStr(Currency::fromCount(-12345000)), "-1\xC2\xA0"
                                                          "234,50" +
                                                              zl);
    EXPECT_EQ(MoneyToStr(Currency()), "0,00" + zl);
    EXPECT_EQ(MoneyToStr(Currency::fromCount(500)), "0,05" + zl);
    EXPECT_EQ(MoneyToStr(Currency::fromCount(9999990000)), "999\xC2\xA0"
                                                           "999,00" +
                                                               zl);
}

TEST(MoneyToStr, RoundsToHundredthsHalvesAwayFromZero)
{
    EXPECT_EQ(MoneyToStr(Currency::fromCount(12350)), "1,24" + zl);
    EXPECT_EQ(MoneyToStr(Currency::fromCount(12250)), "1,23" + zl);
    EXPECT_EQ(MoneyToStr(Currency::fromCount(12349)), "1,23" + zl);
    EXPECT_EQ(MoneyToStr(Currency::fromCount(-12350)), "-1,24" + zl);
    EXPECT_EQ(MoneyToStr(Currency::fromCount(9950)), "1,00" + zl);
    EXPECT_EQ(MoneyToStr(Currency::fromCount(-49)), "0,00" + zl);
}

TEST(TryMoneyToCurr, ReadsBackTheShownFormatAndPlainAmounts)
{
    const std::string nb = "\xC2\xA0";
    const auto read = [](const std::string &Text) {
        Currency value = Currency::fromCount(-7);
        return TryMoneyToCurr(Text, value) ? value.count() : -7;
    };
    EXPECT_EQ(read("2" + nb + "000" + nb + "000,00" + zl), 20000000000);
    EXPECT_EQ(read("-1" + nb + "234,50" + zl), -12345000);
    EXPECT_EQ(read("24,00" + zl), 240000);
    EXPECT_EQ(read(" 1234,5 "), 12345000);
    EXPECT_EQ(read("150"), 1500000);
    for (int64_t count : {int64_t(0), int64_t(500), int64_t(12345000), int64_t(-99999990000), int64_t(123456789000000)})
        EXPECT_EQ(read(MoneyToStr(Currency::fromCount(count))), count) << count;
    // Misplaced groups, a bare sign or currency, and other text are refused.
    for (const std::string &bad : std::vector<std::string>{"12" + nb + "34,00" + zl, "1234" + nb + "567,00" + zl, nb + "100,00" + zl,
                                  "1" + nb + "2345" + zl, "-" + nb + "100" + zl, zl, "1,00 z", "1.000,00", "abc",
                                  "1" + nb, ""})
        EXPECT_EQ(read(bad), -7) << bad;
}

TEST(MoneyToStr, ExtremesOfTheRange)
{
    EXPECT_EQ(MoneyToStr(Currency::maxValue()), "922\xC2\xA0"
                                                "337\xC2\xA0"
                                                "203\xC2\xA0"
                                                "685\xC2\xA0"
                                                "477,58" +
                                                    zl);
    EXPECT_EQ(MoneyToStr(Currency::minValue()), "-922\xC2\xA0"
                                                "337\xC2\xA0"
                                                "203\xC2\xA0"
                                                "685\xC2\xA0"
                                                "477,58" +
                                                    zl);
}

TEST(CalendarStarts, WeekMonthAndYear)
{
    const TDateTime sunday = EncodeDate(2024, 6, 16) + 0.5;
    EXPECT_EQ(FirstDayOfWeek(sunday), EncodeDate(2024, 6, 10) + 0.5);
    EXPECT_EQ(FirstDayOfWeek(EncodeDate(2024, 6, 10)), EncodeDate(2024, 6, 10));
    EXPECT_EQ(FirstDayOfWeek(EncodeDate(2024, 1, 3)), EncodeDate(2024, 1, 1));
    EXPECT_EQ(FirstDayOfWeek(EncodeDate(2023, 1, 1)), EncodeDate(2022, 12, 26));
    EXPECT_EQ(FirstDayOfMonth(sunday), EncodeDate(2024, 6, 1));
    EXPECT_EQ(FirstDayOfMonth(EncodeDate(2024, 2, 29)), EncodeDate(2024, 2, 1));
    EXPECT_EQ(FirstDayOfYear(sunday), EncodeDate(2024, 1, 1));
    EXPECT_EQ(FirstDayOfYear(EncodeDate(1957, 12, 31)), EncodeDate(1957, 1, 1));
}

TEST(SplitStr, OnePartPerSeparatorAndTheLastPartWithoutOne)
{
    EXPECT_EQ(SplitStr("a;b;c", ';'), (TStrArray{"a", "b", "c"}));
    EXPECT_EQ(SplitStr("a;;b;", ';'), (TStrArray{"a", "", "b"}));
    EXPECT_EQ(SplitStr("Gra : X#Narzędzie#", '#'), (TStrArray{"Gra : X", "Narzędzie"}));
    EXPECT_EQ(SplitStr(";", ';'), (TStrArray{""}));
    EXPECT_EQ(SplitStr("abc", ';'), (TStrArray{"abc"}));
    EXPECT_TRUE(SplitStr("", ';').empty());
}

TEST(Counting, CharactersAndTrueEntries)
{
    EXPECT_EQ(CountChar("a#b##c", '#'), 3);
    EXPECT_EQ(CountChar("", '#'), 0);
    EXPECT_EQ(CountTrue(TDynBoolArr{true, false, true, true}), 3);
    EXPECT_EQ(CountTrue(TDynBoolArr{}), 0);
}

TEST(GetAvailPhysMem, ReportsMoreThanFourGigabytesUnwrapped)
{
    platform::setAvailableMemoryProbe([] { return (uint64_t(5) << 32) + 7; });
    EXPECT_EQ(GetAvailPhysMem(), (uint64_t(5) << 32) + 7);
    platform::setAvailableMemoryProbe({});
}
