#include "core/DateTime.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>

TEST(DateTime, EncodesDayCountsFrom30December1899)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(1957, 1, 1), 20821.0);
    EXPECT_EQ(EncodeDate(1992, 1, 1), 33604.0);
    EXPECT_EQ(EncodeDate(2000, 2, 29), 36585.0);
    EXPECT_EQ(EncodeDate(2024, 6, 16), 45459.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
}

TEST(DateTime, ImpossibleDatesEncodeToZeroAndFail)
{
    struct Case {
        int Year, Month, Day;
    };
    for (const Case c :
         {Case{2023, 2, 29}, Case{1900, 2, 29}, Case{2024, 4, 31}, Case{2024, 13, 1}, Case{2024, 0, 1},
          Case{2024, 1, 0}, Case{2024, 1, 32}, Case{0, 1, 1}, Case{10000, 1, 1}}) {
        TDateTime date = 123;
        EXPECT_FALSE(TryEncodeDate(c.Year, c.Month, c.Day, date)) << c.Year << '-' << c.Month << '-' << c.Day;
        EXPECT_EQ(date, 123);
        EXPECT_EQ(EncodeDate(c.Year, c.Month, c.Day), 0.0);
    }
    TDateTime leap = 0;
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29, leap));
    EXPECT_TRUE(TryEncodeDate(2024, 2, 29, leap));
}

TEST(DateTime, DecodeIgnoresTheTimeOfDayAndRoundTripsEveryDay)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(33604.99, y, m, d);
    EXPECT_EQ(std::to_string(y) + '-' + std::to_string(m) + '-' + std::to_string(d), "1992-1-1");
    DecodeDate(-1.25, y, m, d); // 29 December 1899, 6:00
    EXPECT_EQ(std::to_string(y) + '-' + std::to_string(m) + '-' + std::to_string(d), "1899-12-29");
    DecodeDate(1e12, y, m, d);
    EXPECT_EQ(y + m + d, 0);

    for (int serial = EncodeDate(1950, 1, 1); serial <= EncodeDate(2100, 12, 31); ++serial) {
        DecodeDate(serial + 0.5, y, m, d);
        ASSERT_EQ(EncodeDate(y, m, d), serial);
    }
}

TEST(DateTime, DaysOfTheWeekStartOnMonday)
{
    EXPECT_EQ(DayOfTheWeek(0), 6);     // Saturday
    EXPECT_EQ(DayOfTheWeek(-1), 5);    // Friday
    EXPECT_EQ(DayOfTheWeek(33604), 3); // 1992-01-01, Wednesday
    EXPECT_EQ(DayOfTheWeek(33604.75), 3);
    EXPECT_EQ(DayOfTheWeek(45453), 1);   // 2024-06-10, Monday
    EXPECT_EQ(DayOfTheWeek(45459), 7);   // 2024-06-16, Sunday
    EXPECT_EQ(DayOfTheWeek(-693593), 1); // 0001-01-01, Monday
}

TEST(DateTime, IncMonthClampsTheDayAndKeepsTheTime)
{
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31)), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2023, 1, 31)), EncodeDate(2023, 2, 28));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 31), -1), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2023, 12, 15), 1), EncodeDate(2024, 1, 15));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 15), -13), EncodeDate(2022, 12, 15));
    EXPECT_EQ(IncMonth(EncodeDate(2022, 11, 30), 15), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(33604.25, 1), 33635.25);
    EXPECT_EQ(IncMonth(-1.25, 1), EncodeDate(1900, 1, 29) + 0.25);
    EXPECT_EQ(IncMonth(-1.25, -1), EncodeDate(1899, 11, 29) - 0.25);
    EXPECT_EQ(IncMonth(EncodeDate(9999, 12, 1), 1), 0.0);
}

TEST(DateTime, NowIsTheLocalClock)
{
    const char *saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    setenv("TZ", "UTC", 1);
    tzset();
    using namespace std::chrono;
    const double before = duration<double>(system_clock::now().time_since_epoch()).count() / 86400.0 + 25569;
    const TDateTime now = Now();
    const double after = duration<double>(system_clock::now().time_since_epoch()).count() / 86400.0 + 25569;
    if (saved)
        setenv("TZ", previous.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    const double slack = 0.002 / 86400.0; // milliseconds are truncated
    EXPECT_GE(now, before - slack);
    EXPECT_LE(now, after + slack);
}
