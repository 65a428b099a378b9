#include "core/UGlobalSort.h"

#include "platform/SortBound.h"

namespace {

// QuickSort of L..R at Level; a range at a level that calls for it is heap-sorted.
void quickSortRange(int L, int R, TSortLevel Level, int DepthLimit, int Param, const TIndexSwap &Swap,
                    const TIndexCompare &Compare)
{
    // The smaller side recurses and the larger one loops, which bounds the depth of the recursion.
    while (L < R) {
        if (Level.HeapSorts(R - L + 1, DepthLimit)) {
            HeapSortRange(
                L, R, [&](int I, int J) { return Compare(I, J, Param) < 0; }, Swap,
                [](int) { return false; });
            return;
        }
        int M = static_cast<int>((static_cast<unsigned>(L) + static_cast<unsigned>(R)) >> 1);
        int i = L, j = R;
        do {
            while (Compare(i, M, Param) < 0)
                ++i;
            while (Compare(j, M, Param) > 0)
                --j;
            if (i <= j) {
                Swap(i, j);
                if (M == i)
                    M = j;
                else if (M == j)
                    M = i;
                ++i;
                --j;
            }
        } while (i <= j);
        const bool leftSmaller = j - L < R - i;
        Level = Level.Below(R - L + 1, leftSmaller ? j - L + 1 : R - i + 1);
        if (leftSmaller) {
            if (j > L)
                quickSortRange(L, j, Level, DepthLimit, Param, Swap, Compare);
            L = i;
        } else {
            if (i < R)
                quickSortRange(i, R, Level, DepthLimit, Param, Swap, Compare);
            R = j;
        }
    }
}

} // namespace

void QuickSort(int L, int R, int Param, const TIndexSwap &Swap, const TIndexCompare &Compare)
{
    if (L < R)
        quickSortRange(L, R, {}, SortDepthLimit(R - L + 1), Param, Swap, Compare);
}

TSortMan::TSortMan(int Count) : Items(static_cast<size_t>(Count)) {}

void TSortMan::SetSort(int Index, int Column, int Direction)
{
    Items[Index - 1] = {Column, Direction};
}

int TSortMan::GetSortColumn(int Index) const
{
    return Items[Index - 1].Column;
}

int TSortMan::GetSortDir(int Index, int Column) const
{
    const TSortEntry &entry = Items[Index - 1];
    return entry.Column == Column ? entry.Direction : 2;
}
