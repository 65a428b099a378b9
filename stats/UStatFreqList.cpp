#include "stats/UStatFreqList.h"

#include <algorithm>
#include <iterator>

TFreqResultList::TFreqResultList(bool ALimitRows, int32_t AMaxRows)
    : LimitRows(ALimitRows), MaxRows(static_cast<size_t>(std::max(AMaxRows, 0)))
{
}

void TFreqResultList::AddFirst(int64_t Code, uint32_t Freq, uint32_t Last)
{
    if (!Position.contains(Code) && Admits(Freq, Code))
        Add(Code, Freq, Last);
}

void TFreqResultList::Merge(int64_t Code, uint32_t Freq, uint32_t Last)
{
    const auto found = Position.find(Code);
    if (found == Position.end()) {
        if (Admits(Freq, Code))
            Add(Code, Freq, Last);
        return;
    }
    TFreqItem &item = Items[found->second];
    if (Freq > item.Freq) {
        if (LimitRows) {
            FreqIndex.erase({item.Freq, Code});
            FreqIndex.insert({Freq, Code});
        }
        item.Freq = Freq;
    }
    if (Last < item.Last)
        item.Last = Last;
}

std::vector<TFreqItem> TFreqResultList::Take()
{
    std::vector<TFreqItem> rows;
    rows.swap(Items);
    Position = {};
    FreqIndex.clear();
    return rows;
}

bool TFreqResultList::Admits(uint32_t Freq, int64_t Code) const
{
    if (!LimitRows || FreqIndex.size() < MaxRows)
        return true;
    if (FreqIndex.empty())
        return false; // a limit of no rows
    const TFreqKey &last = *std::prev(FreqIndex.end());
    return FreqOrderBefore(Freq, Code, last.Freq, last.Code);
}

void TFreqResultList::Add(int64_t Code, uint32_t Freq, uint32_t Last)
{
    Position.emplace(Code, Items.size());
    Items.push_back({Code, Freq, 0, Last});
    if (!LimitRows)
        return;
    FreqIndex.insert({Freq, Code});
    if (FreqIndex.size() > MaxRows) {
        const auto last = std::prev(FreqIndex.end());
        const int64_t dropped = last->Code;
        FreqIndex.erase(last);
        Remove(dropped);
    }
}

void TFreqResultList::Remove(int64_t Code)
{
    const auto found = Position.find(Code);
    const size_t index = found->second;
    Position.erase(found);
    if (index + 1 != Items.size()) {
        Items[index] = Items.back();
        const int64_t moved = Items[index].Code;
        Position[moved] = index;
    }
    Items.pop_back();
}
