#pragma once
// Checking a system against drawn numbers: for each set of drawn numbers how many of the system's shown
// combinations hit each level and what they win; the rows of all the draws checked, their totals, the
// rows grouped by day, week, month or year, and their sorting.

#include "core/Currency.h"
#include "core/DateTime.h"
#include "core/DynArrays.h"
#include "core/NumberMask.h"
#include "core/UGlobalProgress.h"
#include "engine/UGame.h"
#include "engine/UStatDrawsMan.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class TMyThread;
class TSystem;

enum TCheckType : uint8_t { ctRange = 0, ctLastDraw = 1, ctNumbers = 2 };
enum TCheckGroup : uint8_t { cgDay = 0, cgWeek = 1, cgMonth = 2, cgYear = 3 };
// Sort codes of the result columns: ckDate sorts by the first column (a date, or the Index of rows
// ordered by it).
enum TCheckSortKey { ckDate = 1, ckHits = 2, ckWin = 3, ckSum = 4 };

struct TCheckRow {
    int32_t Index = -1;  // the draw's position among the checked draws; the last draw's in the history;
                         // a combination's or number's own number in tables ordered by it
    TDateTime Date = 0;  // the draw's date, or the first day of its group
    TDynInt64Arr Hits;   // RowCount levels, the top level first
    std::optional<Currency> Win = Currency(); // nothing once it leaves the range of money
    int64_t Sum = 0;     // the hits of the levels a table shows, summed (where it shows the sum)
};

// The hit element of a combination with Hits hits: element i holds top - i hits; more hits than the top
// count at the top.
inline size_t HitElement(int Hits, int Top)
{
    return size_t(Top - (Hits < Top ? Hits : Top));
}

// How rows are sorted: by Key in Direction (1: larger first). ckHits compares the hit elements from
// FirstHit on, HitCount of them, from the highest level. Equal keys keep the later date first, or, when
// ByIndex, the smaller Index first.
struct TCheckOrder {
    int Key = ckDate;
    int Direction = 1;
    size_t FirstHit = 0;
    size_t HitCount = SIZE_MAX;
    bool ByIndex = false;
};
void SortCheckRows(std::vector<TCheckRow> &Rows, const TCheckOrder &Order);

// The first day of Date's week (its Monday), month or year; Date itself for day grouping.
TDateTime GroupKey(TDateTime Date, TCheckGroup Group);
// Rows as Group shows them: a copy of each (day), or one row per run of rows sharing the group's key, dated
// on the key, with their hits and wins summed.
std::vector<TCheckRow> GroupCheckRows(const std::vector<TCheckRow> &Rows, TCheckGroup Group);

class TSystemCheck {
public:
    // Levels of a system of N numbers with K per combination, from the top down to 1; no rows, zero totals.
    void Reset(const TGameInfo &Game, int N, int K);

    // Appends a checked row and adds it to the totals.
    void AddResult(TCheckRow Row);

    // Shown := the results grouped (GroupCheckRows).
    void Group(TCheckGroup Group);
    // Orders Shown by Key in Direction (1: larger first); equal hits or wins keep the later date first.
    void Sort(int Key, int Direction);

    const TGameInfo *Game = nullptr;
    int K = 0;
    THitsInfo HitsInfo;
    int Top = 0; // the top level: HitsInfo.HighHits
    std::vector<TCheckRow> DrawResults;
    std::vector<TCheckRow> Shown;
    TCheckRow Totals;
};

// One set of drawn numbers to check, and what its row carries.
struct TCheckDraw {
    TNumberMask Numbers;
    int32_t Index = -1;
    TDateTime Date = 0;
};

// Draws in their order, each row indexed by its position among them.
std::vector<TCheckDraw> CheckDrawsOf(const TStatDraws &Draws);

// The counting of one check, made on the GUI thread and run on a worker: it holds copies of everything it
// reads (the game, the levels, the system's shown rows and the draws), so nothing it reads changes under it.
// The GUI thread copies only the rows' numbers; their masks are built where the counting runs.
class TCheckJob {
public:
    // The shown rows of System against Draws, at the levels Levels was reset to.
    TCheckJob(const TSystemCheck &Levels, const TSystem &System, std::vector<TCheckDraw> Draws);

    // Each draw's row into Rows, in order, advancing Progress by the system's rows per draw. Once Thread is
    // asked to stop, ends before the next draw.
    void Execute(const TMyThread &Thread);
    // The hits and win of the rows against Drawn. A combination with more hits than the top level counts
    // at it.
    TCheckRow Check(const TNumberMask &Drawn);

    TProgress Progress; // set up by the caller; reports from the worker
    std::vector<TCheckRow> Rows;

private:
    // The rows' masks from their copied numbers, once.
    void BuildRowMasks();

    TGameInfo FGame;
    int FK;
    int FTop;
    int FRowCount;
    int FLevelCount;
    TDynByteArr FSystemNumbers; // the shown rows' numbers, FK after FK, until their masks are built
    std::vector<TNumberMask> FSystemRows;
    bool FWide = false; // some row holds a number above 64
    std::vector<TCheckDraw> FDraws;
    TDynIntArr FLevels; // per lane and hit count, the rows of the current draw
};
