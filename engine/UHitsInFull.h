#pragma once
// How many combinations of a full system (every K-combination of N numbers) hit exactly j of the M drawn
// numbers that fall among its N numbers, for every level j, from binomial coefficients alone.

#include "core/DynArrays.h"

#include <cstdint>

class THitsInFull {
public:
    // Products and sums run in 128 bits, so every count is exact while the binomials it uses and the
    // count itself fit in 63 bits; any other count reads Saturated (as does every lower level computed
    // from it).
    static constexpr int64_t Saturated = INT64_MAX;

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
    TDynInt64Arr Counts; // K + 1 entries

private:
    void CalcLevel(int J);
};
