#pragma once
// What the filter kinds do alike with their parameter blocks {mode; min; max}: the normalisation of a
// new condition and the block's text in a description.

#include "engine/UFilters.h"

#include <cstdint>
#include <string>

// 0: max := min; 2: max := Upper; 3: min := Lower; 4: min := Lower, max := Upper; 5: min := max := Upper
// (the "all" count); a range is left as it is. Kinds clamp away the modes they do not keep first.
void NormaliseBlock(TRangeBlock &Block, int32_t Lower, int32_t Upper);

// The words a block's text uses for the modes that are not plain numbers; nullptr adds nothing.
struct TModeWords {
    const char *AtLeast; // followed by min
    const char *AtMost;  // followed by max
    const char *Any;
    const char *All;
};

// 0: min; 1: "od " min " do " max; 2: AtLeast min; 3: AtMost max; 4: Any; 5: All; other modes add nothing.
std::string RangeText(const TRangeBlock &Block, const TModeWords &Words);
