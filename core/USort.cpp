#include "core/USort.h"

#include <utility>

void SwapInt(int32_t &A, int32_t &B)
{
    std::swap(A, B);
}

void SwapByte(uint8_t &A, uint8_t &B)
{
    std::swap(A, B);
}

namespace {

// One backward pass brings the minimum to A[0]; it then stops every insertion without a bound test.
template <typename T> void sentinelInsertionSort(T *A, int N)
{
    if (N < 2)
        return;
    for (int i = N - 1; i > 0; --i)
        if (A[i - 1] > A[i])
            std::swap(A[i - 1], A[i]);
    for (int i = 2; i < N; ++i) {
        const T v = A[i];
        int j = i;
        while (A[j - 1] > v) {
            A[j] = A[j - 1];
            --j;
        }
        A[j] = v;
    }
}

int middle(int L, int R)
{
    return static_cast<int>((static_cast<unsigned>(L) + static_cast<unsigned>(R)) >> 1);
}

} // namespace

void SortBytes(uint8_t *A, int N)
{
    sentinelInsertionSort(A, N);
}

void SortInts(int32_t *A, int N)
{
    sentinelInsertionSort(A, N);
}

TSortStack::TSortStack(int Capacity) : Items(static_cast<size_t>(Capacity)) {}

void TSortStack::Push(int L, int R, TSortLevel Level)
{
    Items[static_cast<size_t>(Count++)] = {L, R, Level};
}

void TSortStack::Pop(int &L, int &R, TSortLevel &Level)
{
    const TRange &range = Items[static_cast<size_t>(--Count)];
    L = range.L;
    R = range.R;
    Level = range.Level;
}

// The smaller part is always taken next, so at most about log2(n) ranges wait: 50 is plenty.
TSort::TSort() : Stack(50) {}

void TSort::SetCallbacks(int Param, TIndexSwap SwapFn, TIndexCompare CompareFn)
{
    SortParam = Param;
    Swap = std::move(SwapFn);
    Compare = std::move(CompareFn);
}

void TSort::Sort(int L, int R)
{
    Sort(L, R, [] { return false; });
}

bool TSort::Sort(int L, int R, const std::function<bool()> &Stopped)
{
    if (R <= L)
        return true;
    const int depthLimit = SortDepthLimit(R - L + 1);
    const int P = SortParam;
    TSortPoll poll(Stopped);
    Stack.Clear();
    Stack.Push(L, R, {});
    while (!Stack.IsEmpty()) {
        TSortLevel level;
        Stack.Pop(L, R, level);
        if (poll.Stopped(R - L + 1))
            return false;
        if (!level.HeapSorts(R - L + 1, depthLimit)) {
            partition(L, R, level);
            continue;
        }
        if (!HeapSortRange(
                L, R, [this, P](int I, int J) { return Compare(I, J, P) < 0; }, Swap,
                [&poll](int Steps) { return poll.Stopped(Steps); }))
            return false;
    }
    return true;
}

void TSort::partition(int L, int R, TSortLevel Level)
{
    const int P = SortParam;
    const int M = middle(L, R);
    // Median of three, then the median is parked at R as the pivot.
    if (Compare(L, M, P) > 0)
        Swap(L, M);
    if (Compare(L, R, P) > 0)
        Swap(L, R);
    if (Compare(M, R, P) > 0)
        Swap(M, R);
    Swap(M, R);

    // Bentley-McIlroy: keys equal to the pivot collect at both ends (L..p and q..R-1).
    int i = L - 1, j = R, p = L - 1, q = R;
    for (;;) {
        ++i;
        --j;
        while (Compare(i, R, P) < 0)
            ++i;
        while (Compare(j, R, P) > 0 && j > L)
            --j;
        if (j <= i)
            break;
        Swap(i, j);
        if (Compare(i, R, P) == 0)
            Swap(++p, i);
        if (Compare(j, R, P) == 0)
            Swap(--q, j);
    }
    Swap(i, R);
    j = i - 1;
    i = i + 1;
    for (int k = L; k <= p; ++k)
        Swap(k, j--);
    for (int k = R - 1; k >= q; --k)
        Swap(k, i++);

    // Larger part first, so the smaller one is popped next.
    const bool leftLarger = j - L > R - i;
    const TSortLevel below = Level.Below(R - L + 1, leftLarger ? R - i + 1 : j - L + 1);
    if (leftLarger) {
        if (j > L)
            Stack.Push(L, j, below);
        if (R > i)
            Stack.Push(i, R, below);
    } else {
        if (R > i)
            Stack.Push(i, R, below);
        if (j > L)
            Stack.Push(L, j, below);
    }
}
