#pragma once
// What keeps the program's quicksorts at n log n comparisons on every input, and how they ask for a stop.
// Each quicksort knows the level of every range it partitions (TSortLevel); a range of more than
// ShortRange entries that lies deeper than SortDepthLimit levels, or below a run of poor partitions, is
// heap-sorted instead. An input in random order practically never gets there, so on it each sort orders
// its entries exactly as the plain quicksort does.

#include <bit>
#include <cstdint>

// Ranges of at most this many entries are always partitioned: whatever their order they cost little.
inline constexpr int ShortRange = 16;
// A partition of more than this many entries is poor when its smaller part holds under an eighth of
// them; after PoorRunLimit poor ones in a row the range left is heap-sorted, long before the depth limit
// (an input in random order makes such a run with a chance below 10^-7 for each range).
inline constexpr int LongRange = 1024;
inline constexpr int PoorRunLimit = 12;

// The partition levels a quicksort of Count entries may go through: three times log2(Count), beyond the
// depth a quicksort reaches on an input in random order.
inline int SortDepthLimit(int Count)
{
    return 3 * std::bit_width(static_cast<unsigned>(Count));
}

// Where a range lies in a quicksort: the partition levels above it and how many of the last of them in
// a row were poor.
struct TSortLevel {
    int Depth = 0;
    int PoorRun = 0;

    // The level of the parts a partition of Count entries cut, the smaller holding Smaller of them.
    TSortLevel Below(int Count, int Smaller) const
    {
        const bool poor = Count > LongRange && Smaller < Count / 8;
        return {Depth + 1, poor ? PoorRun + 1 : 0};
    }
    // Whether a range of Count entries at this level is heap-sorted rather than partitioned.
    bool HeapSorts(int Count, int DepthLimit) const
    {
        return Count > ShortRange && (Depth > DepthLimit || PoorRun >= PoorRunLimit);
    }
};

// Asks Stopped once every PollSteps steps (entries scanned) of a sort, before each partition or sift that
// follows them: a stop is heard within one partition (some tens of milliseconds for a million entries)
// and the comparisons themselves are not slowed.
template <typename TStoppedFn> class TSortPoll {
public:
    static constexpr uint32_t PollSteps = 4096;

    explicit TSortPoll(const TStoppedFn &Stopped) : FStopped(Stopped) {}

    // Counts Steps more; true when Stopped, asked now, answers true.
    bool Stopped(int Steps)
    {
        FSteps += static_cast<uint32_t>(Steps);
        if (FSteps < PollSteps)
            return false;
        FSteps = 0;
        return FStopped();
    }

private:
    const TStoppedFn &FStopped;
    uint32_t FSteps = 0;
};

// Heap sort of the entries L..R of a caller's table: Before(I, J) is true when entry I goes before entry
// J, Swap(I, J) exchanges two entries. Stopped(Steps) is told the steps taken and asked whether to stop:
// false, the range left unsorted, when it answers true.
template <typename TBefore, typename TSwap, typename TStopped>
bool HeapSortRange(int L, int R, const TBefore &Before, const TSwap &Swap, TStopped &&Stopped)
{
    const int count = R - L + 1;
    // Down from Root within the first Size entries, the entry that goes last rising to the top; the
    // answer is the levels passed.
    const auto siftDown = [&](int Root, int Size) {
        int levels = 1;
        for (;; ++levels) {
            int child = 2 * Root + 1;
            if (child >= Size)
                break;
            if (child + 1 < Size && Before(L + child, L + child + 1))
                ++child;
            if (!Before(L + Root, L + child))
                break;
            Swap(L + Root, L + child);
            Root = child;
        }
        return levels;
    };
    for (int root = count / 2 - 1; root >= 0; --root)
        if (Stopped(siftDown(root, count)))
            return false;
    for (int last = count - 1; last > 0; --last) {
        Swap(L, L + last);
        if (Stopped(siftDown(0, last)))
            return false;
    }
    return true;
}
