#pragma once
// The result rows of the frequency statistic, and the list store of the methods that meet each
// combination more than once while they count: one row per combination, found by its code, and with a
// row limit only the rows first in frequency order.

#include "core/NumberMask.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <unordered_map>
#include <vector>

// Last (and a pair record's first draw) when there is no such draw.
inline constexpr uint32_t FreqNoDraw = UINT32_MAX;

// One result row; its size is what the memory estimates weigh.
struct TFreqItem {
    int64_t Code = 0;           // lexicographic index or positional code, by the statistic's UseIndex
    uint32_t Freq = 0;          // draws holding the combination (0 in the never-drawn list)
    uint8_t Parity = 0;         // CombParity, filled when the count is complete
    uint32_t Last = FreqNoDraw; // lowest index of a working draw holding the combination
};

// A set of numbers common to two working draws, from the first of them, seen in Freq draws: the first,
// the second, and one more for each further draw sharing exactly this set with the first.
struct TFreqPairRecord {
    TNumberMask Common;
    uint32_t Freq = 2;
    uint32_t First = FreqNoDraw;
};

// The frequency order: Freq descending, then Code ascending.
inline bool FreqOrderBefore(uint32_t FreqA, int64_t CodeA, uint32_t FreqB, int64_t CodeB)
{
    return FreqA != FreqB ? FreqA > FreqB : CodeA < CodeB;
}
inline bool FreqOrderBefore(const TFreqItem &A, const TFreqItem &B)
{
    return FreqOrderBefore(A.Freq, A.Code, B.Freq, B.Code);
}

class TFreqResultList {
public:
    // With ALimitRows the list keeps only the AMaxRows rows first in frequency order.
    TFreqResultList(bool ALimitRows, int32_t AMaxRows);

    // A combination counted from its first draw: added unless its code is listed already.
    void AddFirst(int64_t Code, uint32_t Freq, uint32_t Last);
    // A combination counted from some draw on: a listed row keeps the larger count and the lower draw.
    void Merge(int64_t Code, uint32_t Freq, uint32_t Last);
    int32_t Count() const { return static_cast<int32_t>(Items.size()); }
    // The rows, in no particular order; the list is left empty.
    std::vector<TFreqItem> Take();

private:
    struct TFreqKey {
        uint32_t Freq;
        int64_t Code;
    };
    struct TFreqKeyOrder {
        bool operator()(const TFreqKey &A, const TFreqKey &B) const
        {
            return FreqOrderBefore(A.Freq, A.Code, B.Freq, B.Code);
        }
    };

    // True when a row (Freq, Code) would be among the rows kept.
    bool Admits(uint32_t Freq, int64_t Code) const;
    void Add(int64_t Code, uint32_t Freq, uint32_t Last);
    void Remove(int64_t Code);

    bool LimitRows;
    size_t MaxRows;
    std::vector<TFreqItem> Items;
    std::unordered_map<int64_t, size_t> Position; // Code -> index in Items
    std::set<TFreqKey, TFreqKeyOrder> FreqIndex;  // with LimitRows: the keys of Items in frequency order
};
