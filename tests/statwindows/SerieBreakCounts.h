#pragma once
// Series and breaks counted by plain loops, for the windows' tests.

#include "engine/UDrawsDB.h"

#include <algorithm>
#include <map>
#include <vector>

namespace serietest {

// For each draw of the history, oldest first: whether it holds every number of Comb.
inline std::vector<bool> CombHeld(const TDrawsManager &History, const std::vector<uint8_t> &Comb)
{
    std::vector<bool> held;
    for (int i = 0; i < History.Count(); ++i) {
        const auto &numbers = History.GetDraw(i).Numbers;
        held.push_back(std::all_of(Comb.begin(), Comb.end(), [&](uint8_t n) {
            return std::find(numbers.begin(), numbers.end(), n) != numbers.end();
        }));
    }
    return held;
}

// Length -> how many: runs of consecutive draws holding it (Series), or the numbers of draws between two
// neighbouring draws holding it (breaks, from length 0).
inline std::map<int, int> RunLengths(const std::vector<bool> &Held, bool Series)
{
    std::map<int, int> runs;
    int run = 0;
    int previous = -1;
    for (int i = 0; i < int(Held.size()); ++i) {
        if (Series) {
            if (Held[size_t(i)]) {
                ++run;
            } else if (run > 0) {
                ++runs[run];
                run = 0;
            }
        } else if (Held[size_t(i)]) {
            if (previous >= 0)
                ++runs[i - previous - 1];
            previous = i;
        }
    }
    if (Series && run > 0)
        ++runs[run];
    return runs;
}

} // namespace serietest
