#pragma once
// What keeps the program's quicksorts at n log n comparisons on every input, and how they ask for a stop.
// Each quicksort counts the partition levels above a range; a range of more than ShortRange entries
// that lies deeper than SortDepthLimit levels is heap-sorted instead. An input in random order never
// gets that deep, so there each sort orders its entries exactly as the plain quicksort does.

#include <bit>
#include <cstdint>

// Ranges of at most this many entries are always partitioned: whatever their order they cost little.
inline constexpr int ShortRange = 16;

// The partition levels a quicksort of Count entries may go through: three times log2(Count), beyond the
// depth a quicksort reaches on an input in random order.
inline int SortDepthLimit(int Count)
{
    return 3 * std::bit_width(static_cast<unsigned>(Count));
}

// Asks Stopped once every PollSteps steps (entries scanned) of a sort, so that a stop is heard within a
// few thousand comparisons and the comparisons themselves are not slowed.
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
