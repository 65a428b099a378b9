#pragma once
// The working array of draws that statistics, the drawn-numbers filter and the checking tools read: one
// record per draw of a chosen range (or per combination of a system), and the manager that fills, copies,
// clears and sorts such arrays. The arrays belong to their callers; the manager keeps no state, so any
// thread may use it on its own arrays.

#include "core/DateTime.h"
#include "core/DynArrays.h"
#include "engine/UDrawsRange.h"

#include <cstdint>
#include <vector>

struct TGameInfo;
class TDrawsManager;
class TSystem;

struct TStatDraw {
    int32_t No = 0;       // the draw's ordinal in the history (a combination's 1-based index)
    TDateTime Date = 0;   // the draw's date (a combination's 0-based index)
    TDynByteArr Numbers;  // ascending
    TDynBoolArr Hits;     // empty until BuildHitMaps; then True at number - 1 for each number
    int32_t Mark = 0;     // the statistic's working value
};

using TStatDraws = std::vector<TStatDraw>;

class TStatDrawsMan {
public:
    // Arr := one record per draw of Manager whose Mark is 1, in date order, with the game's
    // numbers-drawn count of numbers; answers the count.
    int32_t LoadSelected(TStatDraws &Arr, const TDrawsManager &Manager) const;
    // Resolves Range against Manager's history (Range's From, To and Count are filled as SetRange fills
    // them) and loads the draws it selects, as LoadSelected would after SetRange, but without touching
    // Manager's marks. Answers the count.
    int32_t LoadRange(TStatDraws &Arr, const TDrawsManager &Manager, TDrawsRange &Range) const;
    // Arr := one record per shown row of System: No := index + 1, Date := index, Numbers := the row's
    // numbers. Answers the count.
    int32_t LoadSystem(TStatDraws &Arr, const TSystem &System) const;
    // Dest := deep copies of Count records of Source from First on (Count 0: to the end); the part of
    // the span beyond Source is left out. Answers the count copied.
    int32_t CopyDraws(const TStatDraws &Source, TStatDraws &Dest, int32_t First, int32_t Count) const;
    // Hits := MaxNumber entries, True at number - 1 for each of the record's first
    // min(its length, numbers drawn) numbers; numbers outside 1..MaxNumber are left out.
    void BuildHitMaps(const TGameInfo &Game, TStatDraws &Arr) const;
    // Hits := MaxNumber entries for each of the first Len numbers of every record.
    void BuildHitMaps(TStatDraws &Arr, int32_t MaxNumber, int32_t Len) const;
    void Clear(TStatDraws &Arr) const;
    // Dir -1 ascending, 1 descending; equal keys keep no particular order.
    void SortByDate(TStatDraws &Arr, int32_t Dir) const;
    void SortByMark(TStatDraws &Arr, int32_t Dir) const;
};

extern TStatDrawsMan StatDrawsMan;
