#pragma once
// The draw history of one game: every past draw sorted by date, a selection of them in a chosen order,
// the marks a draws range, a filter set or a set of numbers leave on them, and the draws text file.

#include "core/DateTime.h"
#include "core/DynArrays.h"
#include "core/UComb.h"
#include "core/UGeneralList.h"
#include "core/UGlobalProgress.h"
#include "engine/EFilterList.h"
#include "engine/UDrawsRange.h"
#include "platform/ByteStream.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>
#include <string>
#include <string_view>

struct TGameData;
class TGroupFilter;
class TMyThread;

// Bits of TDraw::Flags.
enum TDrawFlag : uint8_t {
    dfInRange = 0x01,   // in the current draws range
    dfFilter = 0x02,    // passes the kept filter set
    dfNumberSet = 0x04, // holds every number of the kept number set
};

struct TDraw {
    int32_t No = 0;         // 1-based position in the date-sorted history
    TDateTime Date = 0;     // whole days
    uint8_t WeekDay = 0;    // 1 = Monday .. 7 = Sunday
    TDynByteArr Numbers;    // ascending, as many as the game draws
    uint8_t Flags = 0;      // TDrawFlag bits
    int32_t Mark = 0;       // 1 in range (SetRange) or passing (MarkByFilter), else 0
};

// The layout of a line of a draws file. Fields (columns) are the FieldSep-separated sections of a line,
// counted from 1. Each separator is matched as one character, its first.
struct TDrawsFormat {
    static constexpr size_t RecordSize = 27;

    uint8_t DateField = 2;         // the section holding the date
    uint8_t NumbersField = 3;      // the first section holding the numbers
    bool UseMinDate = false;
    TDateTime MinDate = 0;         // with UseMinDate, earlier draws are rejected
    std::string DateOrder = "RMD"; // the order of the date parts: 'D' day, 'M' month, 'R' year
    std::string DateSep = "-";
    std::string NumberSep = ";";
    std::string FieldSep = ";";

    bool operator==(const TDrawsFormat &) const = default;
};

// The 27 bytes: DateField, NumbersField, UseMinDate (u8 each), MinDate (f64), then DateOrder, DateSep,
// NumberSep and FieldSep as short strings of 3 characters. Reading fills the fields the data reaches.
void WriteDrawsFormat(platform::ByteWriter &Stream, const TDrawsFormat &Fmt);
void ReadDrawsFormat(platform::ByteReader &Stream, TDrawsFormat &Fmt);

// Selection modes.
enum TSelectMode : uint8_t {
    smEvery = 0,   // every draw
    smAll = 1,     // the draws in range
    smNumbers = 2, // in range, holding the number set
    smFilter = 3,  // in range, kept (find type) or left (delete type) by the filter set
};

class TDrawsManager {
public:
    // SelectSortParam: direction of the selection's date order, -1 ascending.
    TDrawsManager(const TGameData *Game, int32_t SelectSortParam);
    TDrawsManager(const TDrawsManager &) = delete;
    TDrawsManager &operator=(const TDrawsManager &) = delete;
    ~TDrawsManager();

    void SetFormat(const TDrawsFormat &Fmt);
    void SetDefaultFormat();
    const TDrawsFormat &GetFormat() const { return Format; }

    // Replaces the history with the accepted lines of the file (malformed lines are skipped; of lines
    // with one date the first wins) and counts the lines skipped in SkippedLines. Throws
    // std::runtime_error when the file cannot be read.
    void LoadFromFile(const std::string &FileName);
    // One line per draw in date order: ordinal, date, numbers, each followed by FieldSep; lines end in
    // CR LF. Throws std::runtime_error when the file cannot be written.
    void SaveToFile(const std::string &FileName) const;

    // Switches the filter set and number set off; without Append the history is replaced by Source's
    // draws, with Append only Source's draws after this history's last date are added.
    void CopyDraws(const TDrawsManager &Source, bool Append);
    void CopyFilters(const TDrawsManager &Source);
    // Source's game, draws, filter set and number set (switched on).
    void Assign(const TDrawsManager &Source);

    // -1 when a draw with the date exists; -2 when the new draw does not enter the selection; else its
    // index in the selection.
    int32_t AddDraw(const TDynByteArr &Numbers, TDateTime Date);
    // -1 (nothing changes) when another draw has Date; else the selected draw is replaced, as AddDraw.
    int32_t ChangeDraw(int32_t SelIndex, const TDynByteArr &Numbers, TDateTime Date);
    void DeleteDraw(int32_t SelIndex);

    // Sets dfNumberSet on the draws holding the Len numbers of Set, keeps the set; answers their count.
    int32_t MarkByNumbers(const TDynByteArr &Set, int32_t Len);
    // On: Flags := (Flags and Keep) or Bits; off: Flags := (Flags and not Bits) or (Flags and Keep).
    void SetFlags(uint8_t Bits, bool On, uint8_t Keep);
    // Mark := 1 on the draws that pass Filter, else 0; answers how many of those are in range. Stops
    // early when Thread is terminated (the draws tested by then keep their new marks). When Filter
    // throws, no mark changes and the exception goes on to the caller. May run in a worker thread, which
    // runs the set's Prepare and Finish: the set's draws are taken (TakeDraws) before the worker starts.
    int32_t MarkByFilter(TGroupFilter &Filter, TMyThread *Thread, const TProgressProc &OnProgress);
    // Feeds the numbers of every draw in range (dfInRange), in date order, that GroupFilter (when given)
    // passes to each of EFilters: Reset before, Finish after a complete pass, FreeCounters always.
    // Polls Thread (when given) every 1001 draws; a stop skips Finish. May run in a worker thread.
    void CollectEFilters(const TEFilters &EFilters, TGroupFilter *GroupFilter, TMyThread *Thread,
                         const TProgressProc &OnProgress) const;
    // Keeps a copy of Filter and sets dfFilter on the draws marked 1.
    void SetFilter(const TGroupFilter &Filter);
    void ClearFilter();
    // Deletes the draws in range that the kept filter set removes (by dfFilter), drops the set and
    // rebuilds the selection.
    void DeleteByFilter();

    // Index of the draw dated D / the last dated before D / the first dated after D; -1 when none.
    int32_t IndexOfDate(TDateTime D) const;
    int32_t IndexBeforeDate(TDateTime D) const;
    int32_t IndexAfterDate(TDateTime D) const;

    // Re-sort the selection (Dir -1 ascending, 1 descending).
    void SortByDate(int32_t Dir);
    void SortByWeekDay(int32_t Dir); // equal days: later dates first
    void SortByNumbers(int32_t Dir);

    void BuildSelection(uint8_t Mode);
    void Renumber();

    int32_t GetSelNo(int32_t I) const;
    TDateTime GetSelDate(int32_t I) const;
    const TDynByteArr &GetSelNumbers(int32_t I) const;
    const TDraw &GetSelDraw(int32_t I) const;
    const TDraw &GetDraw(int32_t I) const;
    // Every draw when Mask is 0, else the draws sharing a bit with Mask.
    int32_t CountFlagged(uint8_t Mask) const;
    // The draws of this history whose dates Other does not hold: what replacing this history with
    // Other's draws would remove from it.
    int32_t CountMissingFrom(const TDrawsManager &Other) const;
    int32_t SelCount() const { return Selection.Count(); }
    int32_t Count() const { return Draws.Count(); }

    // Resolves R against the history into R.From, R.To and R.Count and marks the draws in it; False
    // (every Mark 0, R.Count 0) when no draw is in it.
    bool SetRange(TDrawsRange &R);
    // Resolves R as SetRange does, without writing anything of the history: Indexes gets the history
    // positions of the draws in it. False when its period holds no draw at all.
    bool ResolveRange(TDrawsRange &R, std::vector<int32_t> &Indexes) const;
    // Sets dfInRange on exactly the draws marked 1.
    void ApplyRange(const TDrawsRange &R);
    // Describes in R the draws flagged dfInRange: R.Count their number, R.From and R.To their first and
    // last dates (kept when there is none).
    void DescribeFlaggedRange(TDrawsRange &R) const;
    // The calendar test against the last range applied.
    bool InRange(const TDraw &Draw) const;

    const TGameData *GetGame() const { return Game; }
    const TDrawsRange &GetRange() const { return Range; }
    const TGroupFilter *GetGroupFilter() const { return GroupFilter.get(); }
    const TDynByteArr &GetNumberSet() const { return NumberSet; }
    uint8_t GetSelectMode() const { return SelectMode; }

    bool HasFilter = false;
    bool FilterOn = false;
    bool HasNumberSet = false;
    bool NumberSetOn = false;
    // Loading refuses a line with more numbers than the game draws instead of keeping the first ones.
    bool RefuseExtraNumbers = false;
    // The lines of the last LoadFromFile that were not blank and gave no draw.
    int32_t SkippedLines = 0;

private:
    using TDrawCompare = TGeneralList<TDraw>::TCompare;

    bool ParseLine(std::string_view Line);
    TDateTime ParseDate(std::string_view Field) const;
    bool CheckParsed();
    std::unique_ptr<TDraw> NewDraw(const TDynByteArr &Numbers, TDateTime Date, uint8_t Flags) const;
    bool InSelection(const TDraw &Draw) const;
    // The last draw dated on or before D / the first dated on or after D; -1 when none.
    int32_t IndexOnOrBefore(TDateTime D) const;
    int32_t IndexOnOrAfter(TDateTime D) const;
    void SetSelectionOrder(TDrawCompare Compare, int32_t Param);
    void RemoveDraw(int32_t SelIndex);
    // Sets Flag on exactly the draws marked 1.
    void FlagMarked(uint8_t Flag);
    uint8_t MaxNumber() const;
    uint8_t Drawn() const;

    TDateTime ParsedDate = 0; // the last parsed line's date
    TDynByteArr NumBuf;       // and numbers
    TTextToComb Parser;       // reads the numbers while loading
    TDrawsFormat Format;
    const TGameData *Game;
    TGeneralList<TDraw> Draws;     // by date ascending, owning
    TGeneralList<TDraw> Selection; // the same records in the selection's order
    TDrawsRange Range;
    std::unique_ptr<TGroupFilter> GroupFilter;
    TDynByteArr NumberSet;
    uint8_t SelectMode = smEvery;
};
