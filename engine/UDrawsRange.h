#pragma once
// The draws-range record: which past draws of a game a statistic, a filter over drawn numbers, a check
// or the draws editor uses; its 116-byte stored form, its registry keys and its short descriptions.

#include "core/DateTime.h"
#include "platform/ByteStream.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

struct TGameData;

enum TDrawsRangeMode : uint8_t {
    drAll = 0,
    drLast = 1,
    drDates = 2,
    drPeriods = 3,
    drIndexes = 4,
};

enum TPeriodUnit : uint8_t {
    puDay = 0,
    puWeek = 1,
    puMonth = 2,
    puYear = 3,
    puDraw = 4,
};

// Stored as 116 bytes, little-endian, Booleans one byte each, in the order of the fields below.
struct TDrawsRange {
    static constexpr size_t RecordSize = 116;

    uint8_t Mode = drAll;
    bool UseStart = true;       // drDates: StartDate bounds the range
    bool UseEnd = true;         // drDates: EndDate bounds the range
    TDateTime StartDate = 0;
    TDateTime EndDate = 0;
    bool Backward = true;       // drPeriods: the periods end at the anchor (else they start at it)
    bool UseAnchor = false;     // drPeriods: AnchorDate, else the last (backward) or first (forward) draw
    TDateTime AnchorDate = 0;
    uint8_t PeriodUnit = puDraw;
    uint32_t PeriodCount = 30;
    int32_t FirstIndex = 1;     // drIndexes: 1-based ordinals
    int32_t LastIndex = 30;
    std::array<bool, 7> WeekDays = allowAll<7>();    // Monday first
    std::array<bool, 31> MonthDays = allowAll<31>();
    std::array<bool, 12> Months = allowAll<12>();
    std::array<bool, 4> Quarters = allowAll<4>();
    // Results of TDrawsManager::SetRange.
    TDateTime From = 0;
    TDateTime To = 0;
    uint32_t Count = 0;

    bool operator==(const TDrawsRange &) const = default;

private:
    template <size_t N>
    static constexpr std::array<bool, N> allowAll()
    {
        std::array<bool, N> items{};
        items.fill(true);
        return items;
    }
};

// Registry keys of the two ranges every game keeps (followed by "\" and the game id).
inline constexpr const char *DefRangeKey = "Filters\\FltDateDef";
inline constexpr const char *DrawsRangeKey = "Filters\\FltDateDraws";

// The record's defaults: every draw, dates from the same day of the previous month to today.
void DefaultDrawsRange(TDrawsRange &R);

// Brings a record read from a file or the registry into its bounds: an unknown mode or period unit
// becomes 0, a date outside 1 January 0001 .. 31 December 9999 (or not a number) becomes today,
// PeriodCount, FirstIndex and LastIndex become at least 1, and FirstIndex > LastIndex are swapped.
void RepairDrawsRange(TDrawsRange &R);

// The 116 bytes. ReadDrawsRange fills the fields the data reaches (the others keep their values) and
// does not repair: the caller runs RepairDrawsRange on whatever it read.
void WriteDrawsRange(platform::ByteWriter &Stream, const TDrawsRange &R);
void ReadDrawsRange(platform::ByteReader &Stream, TDrawsRange &R);

// Value "Params" of Key + "\" + the game id; the defaults when absent; repaired.
void LoadDrawsRange(const TGameData &Game, const std::string &Key, TDrawsRange &R);
void SaveDrawsRange(uint8_t GameId, const TDrawsRange &R, const std::string &Key);

// Part 0 days of the week (short day names, Monday first, joined by " "), 1 days of the month,
// 2 months, 3 quarters (numbers joined by ","). Empty when the part allows every item or none.
std::string DrawsRangePartText(const TDrawsRange &Range, int Part);

// The days text of the one-line summary, which shows no days: S is left as the caller passed it.
void DrawsRangeShortDays(const TDrawsRange &Range, std::string &S);

// "Dni tygodnia: Pn N; Miesiące: 1,2; ..." for the restricted parts; "brak" when none is restricted.
std::string DrawsRangeDaysText(const TDrawsRange &R);

// "Brak losowań" without draws, else the count, the period and the (empty) days on one line.
std::string DrawsRangeSummary(const TDrawsRange &R, bool Short);
