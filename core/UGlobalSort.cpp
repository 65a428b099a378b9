#include "core/UGlobalSort.h"

void QuickSort(int L, int R, int Param, const TIndexSwap &Swap, const TIndexCompare &Compare)
{
    // The smaller side recurses and the larger one loops, which bounds the depth of the recursion.
    while (L < R) {
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
                QuickSort(L, j, Param, Swap, Compare);
            L = i;
        } else {
            if (i < R)
                QuickSort(i, R, Param, Swap, Compare);
            R = j;
        }
    }
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
