#pragma once
// Filter value distributions: how the combinations of a system, or the past draws of a game, spread
// over the values (a sum, a count of even numbers) or patterns (the sizes of groups of consecutive
// numbers...) of one filter quantity, and, when compared with the draws of a range, how often each
// value's combinations hit them at each winning level and what they would have won.

#include "core/Currency.h"
#include "core/DynArrays.h"
#include "core/NumberMask.h"
#include "engine/EFilterList.h"
#include "engine/UDrawsRange.h"
#include "engine/UGame.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TGameData;
class TDrawsManager;
class TGroupFilter;

// Exploration codes.
enum TEFilterKind : uint32_t {
    efltSucc = 1,
    efltPar = 2,
    efltSum = 3,
    efltSDigit1 = 4,
    efltSDigit2 = 5,
    efltSDigit12 = 6,
    efltDist = 7,
    efltGDigit1 = 8,
    efltGDigit2 = 9,
    efltDiffConf = 10,
};

// One value or pattern and what its combinations did. Hit level i stands for TopHits - i hits.
struct TEFilterRow {
    int32_t Value = 0;   // value kinds
    int32_t Groups = 0;  // pattern kinds: entries of Pattern that are 2 or more
    TDynByteArr Pattern; // pattern kinds: sorted ascending, zeros first; the even kind: e, K - e
    int64_t Count = 0;
    float Share = 0;
    // Comparing only, one entry per hit level: (combination, draw) pairs at the level, their share of
    // the level's pairs over all rows, and that share over Share.
    std::vector<int64_t> Hits;
    std::vector<float> HitShares;
    std::vector<float> HitRatios;
    Currency Win; // of the hits, expanded into simple bets when the game plays K numbers as several
    float WinShare = 0;
    float WinRatio = 0;
};

// The base of the ten kinds. Use: create, optionally SetDrawsRange, Reset, AddComb for each
// combination, Finish, FreeCounters; the rows are then read and re-sorted at will. One object serves
// one pass. AddComb allocates nothing.
class TEFilter {
public:
    TEFilter(uint32_t Kind, const TGameData *Game, int64_t N, const TDynByteArr &Numbers, int64_t Total, int64_t K,
             bool PatternRows);
    TEFilter(const TEFilter &) = delete;
    TEFilter &operator=(const TEFilter &) = delete;
    virtual ~TEFilter();

    // Switches comparison on with the draws of Range (resolved into it; the manager's marks are left
    // alone). Called before Reset.
    void SetDrawsRange(TDrawsRange &Range, const TDrawsManager &Manager);

    // Frees the rows; the kinds size their counters.
    virtual void Reset();
    // C: K numbers, ascending.
    virtual void AddComb(const uint8_t *C) = 0;
    // The counters go; the rows stay.
    virtual void FreeCounters() = 0;
    // Builds the rows, then, when comparing, their shares and wins.
    virtual void Finish();
    virtual std::string GetRowText(const TEFilterRow &Row) const;

    // Dir 1 descending, -1 ascending. SortByValue and SortByCount leave ties in no particular order;
    // the others break ties by value or pattern ascending.
    void SortByValue(int Dir);
    void SortByCount(int Dir);
    void SortByHits(int Level, int Dir);
    void SortByWin(int Dir);
    void SortByHitsRatio(int Level, int Dir);
    void SortByWinRatio(int Dir);

    int32_t LevelCount() const { return HitsInfo.LevelCount; }

    int32_t HitsLevel = 0;
    int32_t RatioLevel = 0;
    const TGameData *Game;
    int64_t N;
    int64_t K;
    int64_t Total; // the denominator of every share
    TDynByteArr Numbers;
    bool Comparing = false;
    int32_t DrawCount = 0;
    std::vector<TEFilterRow> Rows;
    int32_t RowCount = 0;
    const uint32_t Kind;
    THitsInfo HitsInfo;
    Currency TotalWin;
    const bool PatternRows;
    int32_t MaxGroups = 0;

protected:
    // CurHits := the hits of C per level (comparing only).
    void CountHits(const uint8_t *C);
    // A new row of the value or the pattern with Count and, when comparing, Hits.
    TEFilterRow &AddRow(int64_t Count, const int64_t *Hits);

    std::vector<int64_t> CurHits; // the hits of the current combination per level

private:
    void FinishWins();
    // Compare(I, J) < 0 puts row I first.
    template <typename TCompare>
    void SortRows(TCompare Compare);
    // -1, 0 or 1 by value, or by pattern byte by byte.
    int CompareKeys(const TEFilterRow &A, const TEFilterRow &B) const;
    template <typename TKey>
    void SortByKey(TKey Key, int Dir, bool TieByValue);

    std::vector<TNumberMask> DrawMasks;
    std::vector<int32_t> HitHistogram; // draws per count of hits, 0..K
    std::vector<int64_t> Expanded;     // a row's hits expanded into simple bets
};

// The object of an exploration code with Numbers as the pool (1..N when empty); nullptr for any
// other code.
std::unique_ptr<TEFilter> CreateEFilter(uint32_t Kind, const TGameData *Game, int64_t N, const TDynByteArr &Numbers,
                                        int64_t Total, int64_t K);
