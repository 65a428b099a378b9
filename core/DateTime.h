#pragma once
// Dates as day counts since 30 December 1899 in a double; the fraction is the time of day. Draws use
// whole days. Days of the week run from Monday = 1 to Sunday = 7.

#include <cstdint>

using TDateTime = double;

// False, leaving Date unchanged, for a date that does not exist or lies outside the years 1..9999.
bool TryEncodeDate(int Year, int Month, int Day, TDateTime &Date);
// The date's day count, or 0 for a date that does not exist.
TDateTime EncodeDate(int Year, int Month, int Day);
// The calendar date of the day that Date falls on; the time of day is ignored. A value outside the years
// 1..9999 decodes to zeros.
void DecodeDate(TDateTime Date, int &Year, int &Month, int &Day);
// 1 = Monday .. 7 = Sunday; the time of day is ignored.
int DayOfTheWeek(TDateTime Date);
// The same day Months months later (earlier when negative), clamped to the length of the target month;
// the time of day is kept. 0 when the result would leave the years 1..9999.
TDateTime IncMonth(TDateTime Date, int Months = 1);
// The local date and time.
TDateTime Now();
