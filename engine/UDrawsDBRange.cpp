#include "engine/UDrawsDB.h"

#include <algorithm>
#include <cmath>

namespace {

// The calendar's first and last days bound every resolved period.
TDateTime FirstCalendarDay()
{
    return EncodeDate(1, 1, 1);
}

TDateTime LastCalendarDay()
{
    return EncodeDate(9999, 12, 31);
}

TDateTime ClampToCalendar(TDateTime Date)
{
    return std::clamp(Date, FirstCalendarDay(), LastCalendarDay());
}

// IncMonth over any count of months: a shift past either end of the calendar stops there.
TDateTime ShiftMonths(TDateTime Date, int64_t Months)
{
    int year, month, day;
    DecodeDate(Date, year, month, day);
    const int64_t target = year * int64_t{12} + (month - 1) + Months;
    if (target < 12)
        return FirstCalendarDay();
    if (target >= 10000 * int64_t{12})
        return LastCalendarDay();
    return IncMonth(Date, static_cast<int>(Months));
}

// The calendar test of one draw against a resolved range.
bool DrawInRange(const TDrawsRange &Range, const TDraw &Draw)
{
    if (Range.Mode != drAll && (Draw.Date < Range.From || Draw.Date > Range.To))
        return false;
    int year, month, day;
    DecodeDate(Draw.Date, year, month, day);
    if (month < 1 || day < 1) // not a calendar date
        return false;
    return Range.WeekDays[static_cast<size_t>(DayOfTheWeek(Draw.Date) - 1)] &&
           Range.MonthDays[static_cast<size_t>(day - 1)] && Range.Months[static_cast<size_t>(month - 1)] &&
           Range.Quarters[static_cast<size_t>((month - 1) / 3)];
}

} // namespace

bool TDrawsManager::SetRange(TDrawsRange &R)
{
    std::vector<int32_t> indexes;
    const bool resolved = ResolveRange(R, indexes);
    for (int i = 0; i < Draws.Count(); ++i)
        Draws.GetItem(i)->Mark = 0;
    if (!resolved)
        return false;
    Range = R;
    for (const int32_t i : indexes)
        Draws.GetItem(i)->Mark = 1;
    return !indexes.empty();
}

bool TDrawsManager::ResolveRange(TDrawsRange &R, std::vector<int32_t> &Indexes) const
{
    R.Count = 0;
    Indexes.clear();
    const int count = Draws.Count();
    if (count == 0)
        return false;
    const auto dateOf = [this](int I) { return Draws.GetItem(I)->Date; };
    const TDateTime firstDate = dateOf(0);
    const TDateTime lastDate = dateOf(count - 1);
    // A period without a draw on or before its end, or without one on or after its start, holds none.
    const auto periodMissesDraws = [this](TDateTime From, TDateTime To) {
        return IndexOnOrBefore(To) < 0 || IndexOnOrAfter(From) < 0;
    };

    switch (R.Mode) {
    default:
    case drAll:
        R.From = firstDate;
        R.To = lastDate;
        break;
    case drLast:
        R.From = lastDate;
        R.To = lastDate;
        break;
    case drDates:
        R.From = R.UseStart ? R.StartDate : firstDate;
        R.To = R.UseEnd ? R.EndDate : lastDate;
        if (periodMissesDraws(R.StartDate, R.EndDate)) {
            return false;
        }
        break;
    case drPeriods: {
        const TDateTime anchor = R.UseAnchor ? R.AnchorDate : R.Backward ? lastDate : firstDate;
        if (R.Backward)
            R.To = anchor;
        else
            R.From = anchor;
        const int64_t c = R.PeriodCount;
        switch (R.PeriodUnit) {
        case puDay:
        case puWeek: {
            const double days = R.PeriodUnit == puWeek ? 7.0 * c : double(c);
            if (R.Backward)
                R.From = ClampToCalendar(R.To - days + 1);
            else
                R.To = ClampToCalendar(R.From + days - 1);
            break;
        }
        case puMonth:
        case puYear: {
            const int64_t months = R.PeriodUnit == puYear ? 12 * c : c;
            if (R.Backward)
                R.From = ShiftMonths(R.To + 1, -months);
            else // a period that starts on the 1st ends on the last day of a month, whatever the month before
                R.To = std::max(ShiftMonths(R.From, months) - 1, ShiftMonths(R.From - 1, months));
            break;
        }
        case puDraw: {
            if (R.Backward) {
                const int p = IndexOnOrBefore(R.To);
                if (p < 0)
                    return false;
                R.From = dateOf(static_cast<int>(std::clamp<int64_t>(p - c + 1, 0, p)));
            } else {
                const int p = IndexOnOrAfter(R.From);
                if (p < 0)
                    return false;
                R.To = dateOf(static_cast<int>(std::clamp<int64_t>(p + c - 1, p, count - 1)));
            }
            break;
        }
        default: // not a unit: the anchor's day
            R.From = R.To = anchor;
            break;
        }
        if (R.PeriodUnit != puDraw && periodMissesDraws(R.From, R.To)) {
            return false;
        }
        break;
    }
    case drIndexes: {
        const int first = std::max(R.FirstIndex, 1);
        if (count < first) {
            return false;
        }
        R.From = dateOf(first - 1);
        R.To = dateOf(std::clamp(R.LastIndex, first, count) - 1);
        break;
    }
    }

    for (int i = 0; i < count; ++i)
        if (DrawInRange(R, *Draws.GetItem(i)))
            Indexes.push_back(i);
    R.Count = static_cast<decltype(R.Count)>(Indexes.size());
    return true;
}

void TDrawsManager::ApplyRange(const TDrawsRange &)
{
    FlagMarked(dfInRange);
}

bool TDrawsManager::InRange(const TDraw &Draw) const
{
    return DrawInRange(Range, Draw);
}

void TDrawsManager::DescribeFlaggedRange(TDrawsRange &R) const
{
    R.Count = 0;
    for (int i = 0; i < Draws.Count(); ++i) {
        const TDraw &draw = *Draws.GetItem(i);
        if (!(draw.Flags & dfInRange))
            continue;
        if (R.Count++ == 0)
            R.From = draw.Date;
        R.To = draw.Date;
    }
}
