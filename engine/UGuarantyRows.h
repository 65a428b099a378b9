#pragma once
// The rows of a system as a guarantee counts them: their positions as bit masks, and the axes of the hit
// vectors.

#include "core/NumberMask.h"

#include <vector>

struct TGuarRows {
    std::vector<TNumberMask> Masks;
    int K = 0;          // numbers per row
    int FirstLevel = 0; // the lowest hits counted
    int HighHits = 0;   // the hits of entry 0
    int RowCount = 0;
};
