#pragma once
// Index quicksort over a caller's table, and the record of which grid column each grid of a window
// is sorted by.

#include "core/USort.h"

#include <vector>

// Recursive quicksort of the entries L..R through the caller's callbacks; the pivot entry is followed
// when a swap moves it. Bounded to n log n comparisons (platform/SortBound.h).
void QuickSort(int L, int R, int Param, const TIndexSwap &Swap, const TIndexCompare &Compare);

// Sort column and direction per sortable grid of a window; grids are numbered from 1.
class TSortMan {
public:
    explicit TSortMan(int Count);

    // Direction 1 or -1, as the grid's column-sort event delivers it.
    void SetSort(int Index, int Column, int Direction);
    int GetSortColumn(int Index) const;
    // The stored direction when grid Index is sorted by Column, else 2 (not sorted by that column).
    int GetSortDir(int Index, int Column) const;

private:
    struct TSortEntry {
        int Column = 0;
        int Direction = 0;
    };
    std::vector<TSortEntry> Items;
};
