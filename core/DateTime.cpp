#include "core/DateTime.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace {

// Days from 1970-01-01 to 1899-12-30.
constexpr int64_t UnixEpochSerial = 25569;
// The day counts of 0001-01-01 and 9999-12-31.
constexpr int64_t FirstSerial = -693593;
constexpr int64_t LastSerial = 2958465;

bool IsLeapYear(int Year)
{
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysInAMonth(int Year, int Month)
{
    static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return Month == 2 && IsLeapYear(Year) ? 29 : Days[Month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int m, int d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int &Year, int &Month, int &Day)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    Year = static_cast<int>(yoe + era * 400 + (Month <= 2));
}

// The day a date falls on: the integral part, as the time of day of a date before 1899-12-30 is
// counted away from zero. False for a value outside the years 1..9999 (or not a number).
bool DayNumber(TDateTime Date, int64_t &Day)
{
    if (!(Date > FirstSerial - 1 && Date < LastSerial + 1))
        return false;
    Day = static_cast<int64_t>(std::trunc(Date));
    return true;
}

} // namespace

bool TryEncodeDate(int Year, int Month, int Day, TDateTime &Date)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month))
        return false;
    Date = static_cast<TDateTime>(DaysFromCivil(Year, Month, Day) + UnixEpochSerial);
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day)
{
    TDateTime Date = 0;
    TryEncodeDate(Year, Month, Day, Date);
    return Date;
}

void DecodeDate(TDateTime Date, int &Year, int &Month, int &Day)
{
    int64_t serial = 0;
    if (!DayNumber(Date, serial)) {
        Year = Month = Day = 0;
        return;
    }
    CivilFromDays(serial - UnixEpochSerial, Year, Month, Day);
}

int DayOfTheWeek(TDateTime Date)
{
    int64_t serial = 0;
    DayNumber(Date, serial);
    // Day 0 was a Saturday.
    const int64_t shifted = (serial + 5) % 7;
    return static_cast<int>(shifted < 0 ? shifted + 7 : shifted) + 1;
}

TDateTime IncMonth(TDateTime Date, int Months)
{
    int Year, Month, Day;
    DecodeDate(Date, Year, Month, Day);
    if (Year == 0)
        return 0;
    const int64_t monthIndex = Year * int64_t{12} + (Month - 1) + Months;
    if (monthIndex < 12 || monthIndex >= 10000 * 12)
        return 0;
    Year = static_cast<int>(monthIndex / 12);
    Month = static_cast<int>(monthIndex % 12) + 1;
    const TDateTime Result = EncodeDate(Year, Month, std::min(Day, DaysInAMonth(Year, Month)));
    const double timeOfDay = std::fabs(Date - std::trunc(Date));
    return Result >= 0 ? Result + timeOfDay : Result - timeOfDay;
}

TDateTime Now()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    const double timeOfDay =
        (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + millis / 1000.0) / 86400.0;
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) + timeOfDay;
}
