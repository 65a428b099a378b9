#pragma once
// What a full system of N numbers with K per combination wins, for each hit case: how many of the
// system's numbers are drawn. The parameter dialogs show it, scaled down for abbreviated systems.

#include "core/Currency.h"
#include "core/DynArrays.h"
#include "engine/UGame.h"

#include <vector>

class TStringAlignGrid;
struct TFCSRow;

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
// count; empty for none; whole numbers when Whole, else with two decimals), and the win "Wygrana". Each
// column is wide enough for its values at Scale 1, the largest the table can show for this N and K.
void ShowHitTable(TStringAlignGrid *Grid, const TFullSystemHits &Hits, double Scale, bool Whole);

// The design widths of a composite system's hit table: prize level i (from 1) LevelWidth + LevelStep x i,
// the win WinWidth.
struct THitColumnWidths {
    int LevelWidth = 0;
    int LevelStep = 0;
    int WinWidth = 0;
};

// Fills the hit table of a composite full system (two fixed caption columns and a fixed header row):
// "Traf. 1" and "Traf. 2", the hits in each part ("-" for none), a column per prize level of Info with
// the combinations of that prize (empty for none), and the win "Wygrana"; a row per hit case, from the
// last of Rows to the first. Without rows the table is empty.
void ShowCompositeHitTable(TStringAlignGrid *Grid, const THitsInfo &Info, const std::vector<TFCSRow> &Rows,
                           THitColumnWidths Widths);
