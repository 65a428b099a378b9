#pragma once
// Number ranges: for every working draw (or system row), how many of its numbers fall into each of the
// user's ranges (1..10, 11..20, ...). A range may overlap another; a number counts only in the first
// range holding it. The counts per range (one column each), their groups, summary rows with the expected
// count over past draws, and running means. Computed on the caller's thread; the detail table stays in
// draw order.

#include "core/DynArrays.h"
#include "stats/UStatTables.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One range as the window keeps it: inclusive bounds and bytes of the window's own.
struct TInterval {
    uint8_t From = 1;
    uint8_t To = 1;
    std::array<uint8_t, 12> WindowData{}; // copied, never read here
};
static_assert(sizeof(TInterval) == 14);
using TIntervals = std::vector<TInterval>;

class TStatIntervals : public TSingleTableStat {
public:
    TStatIntervals(const TGameInfo *Game, TSystem *Source, TProgressProc OnProgress);

    // The ranges for the next Calculate, with their labels "01..10" and the first range of each number.
    void SetIntervals(const TIntervals &AIntervals);
    void Calculate();

    // The detail table has a column per range.
    TIntervals Intervals;
    int32_t IntervalCount = 0;
    std::vector<std::string> IntervalLabels;
    TDynIntArr IntervalOf; // N entries: the first range holding number - 1, or -1
    TDets Details;         // DrawCount x IntervalCount
    TGDets Groups;
    TTDets SummaryRows;
    std::vector<std::vector<float>> RunningMeans;

private:
    void MapNumbers();
};
