#pragma once
// Checking one combination of a game against draws: per draw the level of its hits and the win of a band
// of levels, the rows grouped by day, week, month or year with their totals and means, and per number of
// the combination the draws in which it was among the hits, by level. A combination of a size the game
// plays as several simple bets wins as all of them, whatever its length.

#include "core/Currency.h"
#include "core/DynArrays.h"
#include "core/UGlobalProgress.h"
#include "engine/UGame.h"
#include "engine/UStatDrawsMan.h"
#include "syswindows/SystemCheck.h"

#include <cstdint>
#include <optional>
#include <vector>

class TCombCheck {
public:
    // Comb (ascending numbers of 1..MaxNumber) of Game, with the levels of its size from the top down to
    // 1; no results.
    void Reset(const TGameInfo &AGame, const TDynByteArr &AComb);
    // One row per draw of ADraws (kept in their order) paid at the levels From..To of 1..RowCount, and one
    // row per number of the combination; advances Progress by one per draw. Group then shows them.
    void Check(TStatDraws ADraws, int From, int To, TProgress &Progress);
    // Shown := the draws' rows grouped, each with the band's sum; the totals and means over them.
    void Group(TCheckGroup AGroup);

    // The win of a vector of draws by level at the band's levels; a multi-bet's as all its simple bets'.
    std::optional<Currency> BandWin(const TDynInt64Arr &Hits) const;
    // The counts of the band's levels, summed.
    int64_t BandSum(const TDynInt64Arr &Hits) const;

    const TGameInfo *Game = nullptr;
    TDynByteArr Comb;
    THitsInfo HitsInfo;
    int HitFrom = 0;
    int HitTo = 0;
    TStatDraws Draws;
    std::vector<TCheckRow> DrawResults; // Index: the draw's position in Draws
    std::vector<TCheckRow> NumberRows;  // Index: the number
    std::vector<TCheckRow> Shown;
    TCheckRow Totals; // over Shown; Sum: the band's total count
    std::vector<double> Means;
    int64_t MeanSum = 0;
    std::optional<Currency> MeanWin;

private:
    TCheckRow NumberRow(uint8_t Number, const TDynInt64Arr &Hits) const;
};
