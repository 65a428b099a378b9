#pragma once
// How many combinations of a full system (every K-combination of N numbers) hit exactly j of the M drawn
// numbers that fall among its N numbers, for every level j, from binomial coefficients alone.

#include "core/DynArrays.h"

#include <cstdint>

class THitsInFull {
public:
    // Run Init, CountAtLeast and MakeExact in that order.
    void Init(uint8_t N, uint8_t K, uint8_t M);
    // Counts[j] := the combinations with at least j hits, from Top down to 0 (where it becomes exact).
    void CountAtLeast();
    // Counts[j] := the combinations with exactly j hits.
    void MakeExact();

    uint8_t N = 0;
    uint8_t K = 0;
    uint8_t M = 0;
    uint8_t Top = 0; // min(M, K)
    TDynIntArr Counts; // K + 1 entries

private:
    void CalcLevel(int J);
};
