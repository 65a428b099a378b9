#include "stats/UStatFreq.h"

#include "engine/UStatDrawsMan.h"

#include <algorithm>
#include <numeric>
#include <vector>

void TStatConseq::SetParams(bool ASuccessors, const TDynByteArr &AComb, int32_t AJump, bool AInterval,
                            int32_t ACombLen, int32_t AMinFreq, bool ALimitRows, int32_t AMaxRows)
{
    ClearConstraints(Constraints);
    const TConstraints none = Constraints;
    TStatFreq::SetParams(ACombLen, AMinFreq, none, false, AMaxRows, ALimitRows);
    Successors = ASuccessors;
    Comb = AComb;
    std::sort(Comb.begin(), Comb.end());
    Jump = std::max(AJump, 0);
    Interval = AInterval;
}

bool TStatConseq::SelectDraws()
{
    const size_t count = Draws.size();
    // In time order for successors, against it for predecessors: the marked draws lie Jump places on.
    std::vector<size_t> order(count);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [this](size_t A, size_t B) {
        return Successors ? Draws[A].Date < Draws[B].Date : Draws[A].Date > Draws[B].Date;
    });
    std::vector<bool> marked(count, false);
    const auto jump = static_cast<size_t>(Jump);
    for (size_t pos = 0; pos < count; ++pos) {
        const TStatDraw &draw = Draws[order[pos]];
        const int held = std::min(static_cast<int>(draw.Numbers.size()), K);
        if (!IsSubset(Comb.data(), draw.Numbers.data(), static_cast<int>(Comb.size()), held))
            continue;
        if (Interval) {
            for (size_t step = 1; step <= jump && pos + step < count; ++step)
                marked[order[pos + step]] = true;
        } else if (pos + jump < count) {
            marked[order[pos + jump]] = true;
        }
    }
    const auto markCount = std::count(marked.begin(), marked.end(), true);
    if (markCount == 0)
        return false;

    TStatDraws selected;
    selected.reserve(static_cast<size_t>(markCount));
    for (size_t i = 0; i < count; ++i) {
        Draws[i].Mark = marked[i] ? 1 : 0;
        if (marked[i])
            selected.push_back(Draws[i]);
    }
    AllDraws = std::move(Draws);
    AllCount = static_cast<int32_t>(count);
    StatDrawsMan.SortByDate(AllDraws, 1);
    Draws = std::move(selected);
    DrawCount = static_cast<int32_t>(Draws.size());
    return true;
}
