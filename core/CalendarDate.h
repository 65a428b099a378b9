#pragma once
// The days the program can show: 1 January 0001 to 31 December 9999. A date read from storage outside
// them is repaired before anything shows it.

#include "core/DateTime.h"

// Whether Date lies within those days; false for a value that is not a number.
bool IsCalendarDate(TDateTime Date);
