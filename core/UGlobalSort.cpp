#include "core/UGlobalSort.h"

#include "platform/SortBound.h"

namespace {

// QuickSort of L..R lying Depth partition levels deep; past DepthLimit a range is heap-sorted.
void quickSortRange(int L, int R, int Depth, int DepthLimit, int Param, const TIndexSwap &Swap,
                    const TIndexCompare &Compare)
{
    // The smaller side recurses and the larger one loops, which bounds the depth of the recursion.
    for (; L < R; ++Depth) {
        if (Depth > DepthLimit && R - L >= ShortRange) {
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
        if (j - L < R - i) {
            if (j > L)
                quickSortRange(L, j, Depth + 1, DepthLimit, Param, Swap, Compare);
            L = i;
        } else {
            if (i < R)
                quickSortRange(i, R, Depth + 1, DepthLimit, Param, Swap, Compare);
            R = j;
        }
    }
}

} // namespace

void QuickSort(int L, int R, int Param, const TIndexSwap &Swap, const TIndexCompare &Compare)
{
    if (L < R)
        quickSortRange(L, R, 0, SortDepthLimit(R - L + 1), Param, Swap, Compare);
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
