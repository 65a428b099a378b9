#pragma once
// The number categories from which the guarantee variants of a system are built (each category is a
// group of the system's numbers, positions 1..N, that share one role), and the groups of a hit
// configuration that a chosen variant hands to the guarantee calculation.

#include "core/DynArrays.h"

#include <cstdint>
#include <vector>

// Weight: -2.0 any number (categories merged), -1.0 any variable number, 0.0 fixed numbers, 1.0 ordinary
// numbers, above 1.0 numbers of that multiplicity.
struct TAGParam {
    double Weight = 0.0;
    uint8_t Count = 0;   // numbers in the category
    TDynByteArr Numbers; // Count numbers, ascending
};

using TAGParams = std::vector<TAGParam>;

// One group of a hit configuration: Hits of the drawn numbers fall among its Size numbers. Counter and
// Subset walk the group's h-subsets in lexicographic order while a guarantee is computed.
struct TBlock {
    uint8_t Size = 0;    // s: numbers in the group
    uint8_t Hits = 0;    // h: drawn numbers among them
    TDynByteArr Numbers; // s numbers
    TDynByteArr Subset;  // h positions 1..s: the current h-subset
    uint8_t Fixed = 0;   // 1 when s = h: the whole group is drawn
    int64_t Counter = 0; // 1-based lexicographic rank of the current subset
    int64_t Total = 0;   // C(s, h)
};

using TBlocks = std::vector<TBlock>;
