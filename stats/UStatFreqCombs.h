#pragma once
// Counts of combinations as the frequency statistic weighs them, and the limits of its codes.

#include "core/UComb.h"

#include <cstdint>
#include <limits>

// The largest Int64, exactly, as an extended float.
inline constexpr long double Int64Limit = 9223372036854775807.0L;

// C(n, k) from the extended table; 0 when k lies outside 0..n.
inline long double Binomial(int n, int k)
{
    if (k < 0 || n < 0 || k > n)
        return 0;
    return NewtonExt[static_cast<size_t>(n)][static_cast<size_t>(k)];
}

// C(n, k) as a count of loop steps; 0 when k lies outside 0..n. Callers keep it within 63 bits.
inline int64_t SubsetCount(int n, int k)
{
    if (k < 0 || n < 0 || k > n)
        return 0;
    return Newton[static_cast<size_t>(n)][static_cast<size_t>(k)];
}

// True when the positional codes of k numbers of 1..N, in base N + 1, need more than 63 bits.
inline bool PositionalCodeOverflows(int N, int k)
{
    return Int64Power(static_cast<uint8_t>(N + 1), static_cast<uint8_t>(k)) ==
           std::numeric_limits<int64_t>::max();
}
