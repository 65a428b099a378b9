#pragma once
// The base of every lottery system: its rows in a combination store, the key that maps the positions
// 1..N to the player's numbers, the filter set with the marks it left, the rows shown, and the system
// file. The kinds add their parameters, names and generators.
//
// Half A of a row holds positions in the key (ascending); half B the numbers: Key[position - 1] for each
// position, sorted. A number that is not in the key stays in half A as itself. The store's index (and so
// the view) is kept in ascending order of half B, which binary searches and the logical operations
// between systems rely on.

#include "core/Currency.h"
#include "core/DynArrays.h"
#include "core/NumberMask.h"
#include "core/UCombList.h"
#include "core/UGeneralList.h"
#include "core/UGlobalProgress.h"
#include "engine/EFilterList.h"
#include "engine/UAllGuars.h"
#include "platform/ByteStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TGameData;
class TGroupFilter;
class TMyThread;

// System kind codes, as stored in system files; 8 and 9 are not assigned.
enum TSystemKind : int32_t {
    skShort = 0,    // classic abbreviated
    skVar = 1,      // variable
    skFull = 2,     // full
    skFullComp = 3, // composite full
    skRnd = 4,      // random
    skUser = 5,     // entered by the user
    skStage = 6,    // staking
    skGuar = 7,     // guaranteed
    skShort2 = 10,  // second classic abbreviated kind
};

// The system's bits of a row's flags; 04h is the store's deleted bit (TCombList::DeletedFlag).
enum TCombFlag : uint8_t {
    cfPassed = 0x01, // passes the system's filter set
    cfByHand = 0x02, // added by hand: always shown
    cfMarked = 0x08, // passed the last MarkByFilter
};

class TSystem {
public:
    explicit TSystem(const TGameData *Game);
    TSystem(const TSystem &) = delete;
    TSystem &operator=(const TSystem &) = delete;
    virtual ~TSystem();

    // The virtual operations, in the order of their slots.

    // HasFilter and FilterApplied; the kinds append their own parameter bytes.
    virtual void SaveParams(platform::ByteWriter &Stream) const;
    // False when the data end early or hold parameters the kind cannot take.
    virtual bool LoadParams(platform::ByteReader &Stream);
    // Live rows of the store.
    virtual int64_t GetCount() const;
    // Parameters, key, rows, a copy of the filter set, ShowAll and the progress handler; then the view.
    virtual void Assign(const TSystem &Source);
    // The body of a system file. Reading trusts no size or count beyond the bytes present; false when
    // the data are short or not a system of this kind (the object keeps what was read so far).
    virtual bool LoadFromStream(platform::ByteReader &Stream);
    virtual void SaveToStream(platform::ByteWriter &Stream) const;
    virtual std::string GetName(bool Short) const = 0;
    // The name for the same Short, a blank and the kind's parameter text.
    virtual std::string GetDescription(bool Short) const = 0;
    // Empties the store and the view; the filter marks become invalid.
    virtual void Clear();
    // Marks with cfMarked the live rows whose numbers FilterSet passes (record order), polling Thread's
    // terminated flag every 1001 records (the rows tested by then keep their new marks); answers how
    // many passed. When FilterSet throws, no mark changes and the exception goes on to the caller (the
    // worker's FailureText). Runs in a worker thread, which runs the set's Prepare and Finish: the set's
    // draws are taken (TakeDraws) before the worker starts.
    virtual int64_t MarkByFilter(TGroupFilter &FilterSet, const TMyThread &Thread,
                                 const TProgressProc &OnProgress);
    // Feeds half B of every live row (record order) that GroupFilter (when given) passes to each of
    // EFilters: Reset before, Finish after a complete pass, FreeCounters always. Polls Thread's
    // terminated flag every 1001 records; a stop skips Finish. Runs in a worker thread like MarkByFilter.
    virtual void CollectEFilters(const TEFilters &EFilters, TGroupFilter *GroupFilter, const TMyThread &Thread,
                                 const TProgressProc &OnProgress);
    // Adopts a copy of FilterSet and turns the last marks into filter marks.
    virtual void SetFilter(const TGroupFilter &FilterSet);
    // Forgets what the last marking kept aside; the base keeps nothing.
    virtual void DropMarks();
    // Deletes the rows that the last marking rejects (FindType set: keep those marked), drops the filter
    // set and rebuilds the view.
    virtual void DeleteByFilter(const TGroupFilter &FilterSet);
    // The shown rows are all C(N, K) combinations of positions in lexicographic order.
    virtual bool IsFullInOrder() const;
    // The number categories of the guarantee calculation: one category of weight 1.0 holding 1..N.
    virtual TAGParams GetNumberGroups() const;

    // N and K; FullBet; the key 1..N; the store set to K (emptied) and the view emptied.
    void SetParams(int NewN, int NewK);

    // Half B (Numbers) or half A of the I-th shown row.
    const uint8_t *GetComb(int I, bool Numbers) const;
    void CopyComb(int I, bool Numbers, TDynByteArr &C) const;
    // Half B (Numbers) or half A of every shown row, as masks, in view order.
    std::vector<TNumberMask> ViewMasks(bool Numbers) const;
    // The numbers (half B) of every shown row, K after K, in view order.
    TDynByteArr ViewNumbers() const;
    uint8_t GetCombFlags(int I) const;
    int ViewCount() const { return View.Count(); }
    Currency GetCost() const;

    // Each of the K numbers becomes its position in the key (numbers not in the key stay), then sorted.
    void NumbersToPositions(uint8_t *C) const;
    // Adds a row made by hand from K numbers and shows it; answers its view index.
    int AddComb(const uint8_t *C);
    // Deletes the I-th shown row and adds C in its place; answers the new row's view index.
    int ReplaceComb(int I, const uint8_t *C);
    // Deletes the shown rows From..To.
    void DeleteCombs(int From, int To);

    // N numbers; a full system keeps its key ascending. Invalidates the filter marks.
    void SetKey(const TDynByteArr &NewKey);
    bool IsDefaultKey() const;
    bool SameKey(const TDynByteArr &OtherKey) const;
    // Half B of every live row from half A through the key (sorted when SortNumbers or when the row holds a
    // number outside the key); the index re-sorted by half B when Resort or when such rows exist.
    void ApplyKey(bool SortNumbers, bool Resort);
    // The store's index by half B (ByNumbers) or half A, ascending.
    void SortCombs(bool ByNumbers);
    // Rebuilds the view from the store's index: every live row when ShowAll, else the rows that Shows.
    // Counts its distinct rows on the way, for CountDistinct.
    void RefreshView(bool NewShowAll);
    bool Shows(uint8_t Flags) const;
    void FreeFilter();
    void ClearCombs();
    // Shown rows that differ from the shown row before them (0 without rows): as the last RefreshView
    // counted them, or counted anew once the view or its rows changed otherwise.
    int64_t CountDistinct() const;

    // The system file in the data folder: header, information block, comment, body, checksum. False when
    // the file cannot be written or read, or holds no valid system of this kind.
    bool SaveToFile(const std::string &FileName, const std::string &Title, const std::string &Comment) const;
    bool LoadFromFile(const std::string &FileName);

    const TGameData *Game;
    int32_t Kind = 0;
    int N = 0;
    int K = 0;
    int64_t Count = 0; // the combinations the kind's parameters call for; the file holds this many rows
    TCombList Combs;
    TDynByteArr Key;
    bool KeyAscending = true;
    std::unique_ptr<TGroupFilter> Filter; // present exactly when HasFilter
    bool HasFilter = false;
    bool FilterApplied = false; // the cfPassed marks are valid and the view honours them
    bool ShowAll = true;
    bool TooMany = false; // the kind keeps no rows because there would be too many
    bool FullBet = false; // K is at least the game's smallest bet
    TProgress Progress;

protected:
    // Key := 1, 2, ..., N.
    void resetKey();

private:
    // The highest number a key or a row may hold: the game's.
    int highestNumber() const;
    bool readKey(platform::ByteReader &Stream);
    bool readRows(platform::ByteReader &Stream);
    bool readFilterSet(platform::ByteReader &Stream);

    TGeneralListOf<int32_t> View; // record numbers of the rows shown, in display order
    int64_t ViewDistinct = -1;    // CountDistinct as RefreshView counted it; -1 after any other change
};

// The first Len bytes agree (true for Len 0).
bool CombsEqual(const uint8_t *A, const uint8_t *B, int Len);
// -1, 0 or 1 by the first differing byte (A's byte smaller: -1).
int CompareCombs(const uint8_t *A, const uint8_t *B, int Len);

// The system of a kind, empty, for a game; nullptr for a kind that is not assigned or not built.
std::unique_ptr<TSystem> CreateSystem(int32_t Kind, const TGameData *Game);
// A new system of Source's kind and game holding what Source holds (Assign), reporting no progress.
std::unique_ptr<TSystem> CopySystem(const TSystem &Source);
