#pragma once
// Sorting tools: in-place sorts of the few numbers of one combination, and TSort, an iterative
// three-way quicksort that works on the caller's own table through index callbacks, bounded to
// n log n comparisons (platform/SortBound.h).

#include "platform/SortBound.h"

#include <cstdint>
#include <functional>
#include <vector>

// Compare(I, J, Param): negative, 0 or positive for entry I before, equal to or after entry J;
// Param (1 or -1) is the direction by which the answer is multiplied.
using TIndexCompare = std::function<int(int I, int J, int Param)>;
using TIndexSwap = std::function<void(int I, int J)>;

// The answer of a compare callback for key A of entry I and key B of entry J: Param 1 puts the larger
// key first, -1 the smaller.
template <typename T> int CompareKeys(T A, T B, int32_t Param)
{
    if (A == B)
        return 0;
    return (A < B ? 1 : -1) * Param;
}

void SwapInt(int32_t &A, int32_t &B);
void SwapByte(uint8_t &A, uint8_t &B);

// Ascending, in place; meant for short arrays such as the numbers of one combination.
void SortBytes(uint8_t *A, int N);
void SortInts(int32_t *A, int N);

// A stack of fixed capacity (in ranges) of the ranges L..R waiting to be sorted, each with its level.
class TSortStack {
public:
    explicit TSortStack(int Capacity);

    void Clear() { Count = 0; }
    bool IsEmpty() const { return Count == 0; }
    void Push(int L, int R, TSortLevel Level);
    void Pop(int &L, int &R, TSortLevel &Level);

private:
    struct TRange {
        int L = 0;
        int R = 0;
        TSortLevel Level;
    };
    std::vector<TRange> Items;
    int Count = 0;
};

class TSort {
public:
    TSort();

    void SetCallbacks(int Param, TIndexSwap SwapFn, TIndexCompare CompareFn);
    // Sorts the entries L..R of the caller's table.
    void Sort(int L, int R);
    // The same, asking Stopped every few thousand entries scanned: false, the order left unfinished, when
    // it answers true.
    bool Sort(int L, int R, const std::function<bool()> &Stopped);

    int SortParam = 0;
    TIndexCompare Compare;
    TIndexSwap Swap;

private:
    // Partitions L..R, at Level, around the median of three and pushes its parts.
    void partition(int L, int R, TSortLevel Level);

    TSortStack Stack;
};
