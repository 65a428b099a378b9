#pragma once
// Miscellaneous properties: eleven simple values of every working draw (or system row): how many numbers
// are even, odd and prime, the sums of the numbers and of their digits, the numbers shared with the
// previous working draw, the smallest and largest number and their spread. A detail table of them
// (table 1), their groups, a summary row per property beside its expected value, running means for
// charts, and the even/odd patterns (table 2). Computed on the caller's thread.

#include "stats/UStatTables.h"

#include <array>
#include <cstdint>
#include <vector>

// The properties' names, in the order of the detail table's columns.
extern const std::array<const char *, 11> MiscCaptions;

class TStatMisc : public TStatTables {
public:
    static constexpr int32_t PropertyCount = 11;

    // Over past draws the Expected values come from the game's N and K at once.
    TStatMisc(const TGameInfo *Game, TSystem *Source, TProgressProc OnProgress);

    // Every table from the working draws, loaded oldest first; afterwards the latest draw stands first.
    void Calculate();

    TDets Details; // DrawCount x 11
    TGDets Groups;
    int32_t WidestGroup = 0;
    TTDets SummaryRows; // 11 rows
    TCDets Patterns;    // (evens, odds), Len 2
    TCGDets PatternGroups;
    int32_t WidestPatternGroup = 0;
    std::vector<std::vector<double>> RunningMeans; // 11 lists of DrawCount means

private:
    void FillExpected(int32_t PoolN, int32_t PoolK);
    void CalcProperties(int32_t Row);
};
