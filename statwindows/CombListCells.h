#pragma once
// The first columns of a list of combinations with their counts: "Lp.", the combination and its count.

#include "core/DynArrays.h"

#include <QString>

class TStatFreq;

// Text := the cell of Col (0..2) in Row; Comb is the caller's buffer for the row's combination, of CombLen
// numbers. False, and Text untouched, for any other column.
bool CombListCellText(const TStatFreq &Stat, int Col, int Row, TDynByteArr &Comb, size_t CombLen, QString &Text);
