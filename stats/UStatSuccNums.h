#pragma once
// Consecutive numbers: the runs (two or more numbers following each other, as 7 8 9) inside every working
// draw (or system row). Per draw, how many runs of each length occurring anywhere (one column per such
// length, table 1), their groups, summary and running means, and the draw's run lengths as a pattern
// (table 2). Computed on the caller's thread; no expected values.

#include "core/DynArrays.h"
#include "stats/UStatTables.h"

#include <cstdint>
#include <vector>

class TStatSucc : public TStatTables {
public:
    TStatSucc(const TGameInfo *Game, TSystem *Source, TProgressProc OnProgress);

    // Every table from the working draws; afterwards the latest draw stands first.
    void Calculate();

    // Adds 1 to Counts[L] for each run of length L of the ascending Numbers (Counts holds K + 1
    // entries); answers the longest run, 0 without one.
    static int32_t CountRuns(const uint8_t *Numbers, TDynIntArr &Counts, int32_t K);
    // PatternBuf := the run lengths of Numbers in order of occurrence, zeros after; answers their number.
    int32_t RunPattern(const uint8_t *Numbers);

    TDynIntArr RunCounts; // K + 1 counters by run length
    TDynIntArr Lengths;   // the run lengths occurring in some draw, ascending: column j is Lengths[j]
    int32_t LengthCount = 0;
    int32_t LongestRun = 1;
    TDets Details; // DrawCount x LengthCount: runs of each length
    TGDets Groups;
    int32_t WidestGroup = 0;
    TTDets SummaryRows;
    TCDets Patterns; // the run lengths ascending, right-aligned; Len = the runs
    TCGDets PatternGroups;
    int32_t WidestPatternGroup = 0;
    int32_t MaxRuns = 0;
    TDynByteArr PatternBuf; // PatternWidth bytes
    std::vector<std::vector<double>> RunningMeans;
};
