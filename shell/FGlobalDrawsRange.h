#pragma once
// A resolved draws range as the windows show it: the one-line summary in a rich-text viewer, and the
// period as the report headers write it.

#include "engine/UDrawsRange.h"

#include <string>

class TRichView;

// The resolved first and last dates in the short date format, joined by " - ".
std::string DrawsRangePeriodText(const TDrawsRange &Range);

// The three range lines of a report header, each ended by "#": "  Liczba losowań : " and the count,
// "  Okres czasu    : " and the period, "  Ograniczenia   : " and the restrictions.
std::string ReportRangeLines(const TDrawsRange &Range);

// "Brak losowań" for a range without draws; otherwise the count (style 7), the period (style 6) and
// each restricted part of the calendar (style 6) with their labels (style 0), short or long. Formats
// the viewer.
void ShowDrawsRange(const TDrawsRange &Range, TRichView *View, bool Short);
