#pragma once
// Temporary stand-in for the combination properties window: it only records its last opening.

#include "core/DynArrays.h"
#include "engine/UDrawsRange.h"
#include "engine/UStatDrawsMan.h"

struct TGameData;

// Opens the properties of Comb over Draws, the draws of Range.
void ShowCombProperties(TGameData &Game, const TDynByteArr &Comb, const TDrawsRange &Range, const TStatDraws &Draws);

// What the last ShowCombProperties was given.
struct TCombPropCall {
    TGameData *Game = nullptr;
    TDynByteArr Comb;
    TDrawsRange Range;
    TStatDraws Draws;
    int Calls = 0;
};
TCombPropCall &LastCombPropCall();
