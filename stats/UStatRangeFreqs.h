#pragma once
// Frequency ranges: the numbers of every working draw classified by how often they had been drawn in the
// Window draws of the game's whole history just before it. Numbers drawn more often than an upper bound
// form zone 1 (frequent), less often than a lower bound zone 3 (rare), the rest zone 2. Per draw, how
// many of its numbers came from each zone, the zone sizes and each zone's share drawn, with their groups
// and summary rows. Over past draws only, on the caller's thread.

#include "core/DynArrays.h"
#include "stats/UStatTables.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TFreqEntry {
    uint8_t Number = 0;
    int32_t Freq = 0;
};

class TStatRangeFreqs : public TSingleTableStat {
public:
    TStatRangeFreqs(const TGameInfo *Game, TProgressProc OnProgress);

    // The history the look-back windows read, their length and the bounds: about the mean count of a
    // number in Window draws, Lower below and Upper above it, in draws or (Percent) in percent of it.
    void SetParams(const TDrawsManager &AManager, int32_t AWindow, bool Percent, float Lower, float Upper);
    // After LoadDraws (oldest first) and SetParams; afterwards the latest draw stands first. The
    // manager's range marks are not touched.
    void Calculate();
    // Freqs and ZoneLen for the look-back window of working draw DrawIndex.
    void CalcNumberFreqs(int32_t DrawIndex);
    void SortFreqsByNumber(int32_t Dir);
    // Ties by the smaller number first.
    void SortFreqsByFreq(int32_t Dir);
    int CompareFreqNumbers(int32_t I, int32_t J, int32_t Param) const;
    int CompareFreqs(int32_t I, int32_t J, int32_t Param) const;
    void SwapFreqs(int32_t I, int32_t J);
    // For the draw of detail cell (Row, Col): its number at position Pos (from 0), or that number's zone
    // code (0 zone 1, 1 zone 2, 2 zone 3).
    uint8_t GetNumberOrZone(int32_t Col, int32_t Row, int32_t Pos, bool IsNumber) const;

    // The detail table has columns 0..8; coefficients show as fractions, "0,50".
    const TDrawsManager *Manager = nullptr;
    TStatDraws AllDraws; // every draw of the game, oldest first: entry No - 1 is draw No
    int32_t Window = 0;
    int32_t LowerBound = 0;
    int32_t UpperBound = 0;
    int32_t ZoneCount = 3;
    std::array<int32_t, 3> ZoneLen{};
    std::vector<TFreqEntry> Freqs; // N entries; after counting, entry v - 1 is number v
    // Columns 0..2 the draw's numbers in zones 1..3, 3..5 the zone sizes, 6..8 the share of each zone
    // drawn, in hundredths (0 for an empty zone).
    TDets Details;
    TGDets Groups;
    TTDets SummaryRows;
    TDynByteArr ZoneCodes; // K per working draw, in position order

private:
    // The window's counts of every number := those of AllDraws entries From..To (none when From > To),
    // moved from the last window when that one overlaps or adjoins it.
    void CountFreqs(int32_t From, int32_t To);
    // The look-back window of working draw DrawIndex counted; Freqs and ZoneLen from it.
    void CountWindowOf(int32_t DrawIndex);
    uint8_t ZoneOf(int32_t Freq) const;
    void ClassifyDraw(int32_t DrawIndex);

    std::vector<int32_t> WindowCounts; // by number - 1
    int32_t WindowFirst = 0;
    int32_t WindowLast = -1;
};
