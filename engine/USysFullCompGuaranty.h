#pragma once
// The hit and win table of a composite full system: for every way the drawn numbers can fall into its
// two groups, how many of its combinations hit each level and what they win; counted from binomials
// alone.

#include "core/Currency.h"
#include "core/DynArrays.h"
#include "core/UGlobalProgress.h"
#include "engine/UGame.h"
#include "engine/UHitsInFull.h"

#include <cstdint>
#include <vector>

struct TGameData;

// One way the drawn numbers fall: HitsA in the first group, HitsB in the second.
struct TFCSRow {
    uint8_t HitsA = 0;
    uint8_t HitsB = 0;
    // Entry i: the combinations (with a multi-bet size, the simple bets) with HighHits - i hits, one per
    // row of HitInfo.
    TDynIntArr Hits;
    Currency Win; // with FullBet only
};

class TFCSGuaranty {
public:
    // The groups a (taking x) and b (taking y) of a composite system of the game: x <= a, y <= b and
    // a + b within the binomial table.
    TFCSGuaranty(const TGameData *Game, const TProgressProc &OnProgress, uint8_t A, uint8_t X, uint8_t B,
                 uint8_t Y);

    // Fills Rows, reporting one progress step per row. False, with no rows, when the counts of the
    // system's combinations (or simple bets) leave 32 bits, or x + y is a multi-bet size above the
    // game's tables.
    bool Calculate();

    const TGameData *Game;
    uint8_t A, X, B, Y;
    bool FullBet;      // x + y is at least the game's smallest bet
    THitsInfo HitInfo; // rows from 1 unless FullBet
    std::vector<TFCSRow> Rows;

private:
    // Rows of the hit cases that can hit a row level of HitInfo, with zero vectors.
    void makeRows();
    // The row's vector from the exact counts of both groups; false when a count is not exact.
    bool countHits(TFCSRow &Row);

    THitsInFull FirstHits;
    THitsInFull SecondHits;
    TProgress Progress;
};
