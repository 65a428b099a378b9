#pragma once
// What a full system of N numbers with K per combination wins, for each hit case: how many of the
// system's numbers are drawn. The parameter dialogs show it, scaled down for abbreviated systems.

#include "core/Currency.h"
#include "core/DynArrays.h"
#include "engine/UGame.h"

#include <vector>

class TStringAlignGrid;

struct THitCase {
    int Drawn = 0;     // the system's numbers among the drawn ones
    TDynInt64Arr Prizes; // winning bets per prize level, highest level first (Info.RowLabels)
    Currency Win;
};

struct TFullSystemHits {
    THitsInfo Info;               // levels from the lowest winning one
    std::vector<THitCase> Cases;  // Drawn ascending: Info.ColLabels
};

// A bet of K numbers that the game plays as several simple bets counts as those bets. A system whose
// counts are not exact in 64 bits (FullSystemCountsExact), or whose wins leave the range of money, gets
// no cases.
TFullSystemHits FullSystemHits(const TGameInfo &Game, int N, int K);

// Fills a hit table (a fixed header row and a fixed caption column): a row per hit case from the
// highest, a column per prize level with the winning bets divided by Scale (C(N, K) / the system's
// count; empty for none), and the win "Wygrana". Each column is wide enough for its values at Scale 1,
// the largest the table can show for this N and K.
void ShowHitTable(TStringAlignGrid *Grid, const TFullSystemHits &Hits, double Scale);
