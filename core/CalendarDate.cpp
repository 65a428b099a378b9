#include "core/CalendarDate.h"

bool IsCalendarDate(TDateTime Date)
{
    const TDateTime first = EncodeDate(1, 1, 1);
    const TDateTime last = EncodeDate(9999, 12, 31);
    return Date >= first && Date <= last; // false for NaN too
}
