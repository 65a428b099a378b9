#include "core/UGlobalProgress.h"

#include <cmath>

void TProgress::Init(double MaxPos, int64_t Total, double MinPos)
{
    this->MinPos = static_cast<int32_t>(std::trunc(MinPos));
    this->MaxPos = static_cast<int32_t>(std::trunc(MaxPos));
    Step = Total > 1000000 ? 1 : Total > 10000 ? 10 : 100;
    Ratio = Total > 0 ? (MaxPos - MinPos) / static_cast<double>(Total) : 0;
    this->Total = Total;
    Pos = 0;
    LastPos = 0;
    Done = 0;
}

void TProgress::Advance(int32_t Delta)
{
    if (Enabled)
        Done += Delta;
    Pos = static_cast<double>(Done) * Ratio;
    // A whole job reaches MaxPos, whatever the rounding of Ratio (10000 / 139 x 139 falls short).
    if (std::trunc(Pos) >= MaxPos || (Total > 0 && Done >= Total)) {
        if (OnProgress)
            OnProgress(MaxPos, Step);
        return;
    }
    if (Pos - LastPos >= Step) {
        if (OnProgress)
            OnProgress(static_cast<int32_t>(std::trunc(Pos)) + MinPos, Step);
        LastPos = Pos;
    }
}
