#pragma once
// The number categories from which the guarantee variants of a system are built: each category is a
// group of the system's numbers (positions 1..N) that share one role.

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
