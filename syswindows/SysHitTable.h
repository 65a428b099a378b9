#pragma once
// What a full system of N numbers with K per combination wins, for each hit case: how many of the
// system's numbers are drawn. The parameter dialogs show it, scaled down for abbreviated systems.

#include "core/Currency.h"
#include "core/DynArrays.h"
#include "engine/UGame.h"

#include <vector>

struct THitCase {
    int Drawn = 0;     // the system's numbers among the drawn ones
    TDynIntArr Prizes; // winning bets per prize level, highest level first (Info.RowLabels)
    Currency Win;
};

struct TFullSystemHits {
    THitsInfo Info;               // levels from the lowest winning one
    std::vector<THitCase> Cases;  // Drawn ascending: Info.ColLabels
};

// A bet of K numbers that the game plays as several simple bets counts as those bets. The counts are
// 32-bit and the wins 64-bit money: a system whose bets or wins pass those ranges gets no cases.
TFullSystemHits FullSystemHits(const TGameInfo &Game, int N, int K);
