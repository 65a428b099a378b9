#pragma once
// Digits: for every working draw (or system row), how many of its numbers end with (or begin with) each
// digit carried by some number of the working draws (one column per such digit, table 1), their groups,
// summary rows with the expected counts over past draws, running means, and a pattern of the repeated
// digits (table 2): how many numbers share each digit that occurs more than once. Computed on the
// caller's thread.

#include "core/DynArrays.h"
#include "stats/UStatTables.h"

#include <cstdint>
#include <vector>

class TStatDigits : public TStatTables {
public:
    TStatDigits(const TGameInfo *Game, TSystem *Source, TProgressProc OnProgress);

    // 0 the last digit (number mod 10), 1 the first (number div 10, 0 for 1..9); before Calculate.
    void SetDigitKind(uint8_t Kind);
    int32_t DigitOf(uint8_t Number) const { return DigitKind == 1 ? Number / 10 : Number % 10; }
    // Adds the digits of the K Numbers to DigitCounts.
    void CountDigits(const uint8_t *Numbers);
    // Every table from the working draws; afterwards the latest draw stands first.
    void Calculate();

    TDynIntArr DigitCounts; // 10 counters
    uint8_t DigitKind = 0;
    TDynIntArr PresentDigits; // the digits some number carries, ascending: column j is PresentDigits[j]
    int32_t PresentCount = 0;
    TDets Details; // DrawCount x PresentCount
    TGDets Groups;
    int32_t WidestGroup = 0;
    TTDets SummaryRows;
    TCDets Patterns; // the counts of the repeated digits ascending, right-aligned
    TCGDets PatternGroups;
    int32_t WidestPatternGroup = 0;
    int32_t MaxRepeated = 0;
    std::vector<std::vector<double>> RunningMeans;

private:
    void CountDraw(int32_t Draw);
    void CalcPatterns();
};
