#pragma once
// A list kept sorted by a caller-supplied compare callback, with binary search, an optional delete
// callback and, for lists of records, optional ownership of the records.
//
// TGeneralList<T> holds record pointers T* (owned and freed with delete while OwnsItems is set);
// TGeneralListOf<TItem> is the same list over plain values, such as record numbers.

#include "platform/SortBound.h"

#include <cstdint>
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

template <typename TItem> class TGeneralListOf {
public:
    // Keys reach the compare callback read-only: a record carrying the searched key in the same place
    // as the items carry theirs, or a plain value.
    using TKey = std::conditional_t<std::is_pointer_v<TItem>, const std::remove_pointer_t<TItem> *, TItem>;
    // Negative, 0 or positive for Key before, equal to or after Item; multiplied by Param.
    using TCompare = std::function<int(TKey Key, TKey Item, int Param)>;
    using TOnDelete = std::function<void(TItem Item)>;

    TGeneralListOf() = default;
    TGeneralListOf(const TGeneralListOf &) = delete;
    TGeneralListOf &operator=(const TGeneralListOf &) = delete;
    // Frees through this class's Clear: a subclass that overrides Clear calls it in its own destructor.
    virtual ~TGeneralListOf() { TGeneralListOf::Clear(); }

    TCompare Compare;
    TOnDelete OnDelete; // called before an item leaves the list
    bool Sorted = true;
    int SortParam = -1;
    bool OwnsItems = std::is_pointer_v<TItem>; // only records can be owned

    int Count() const { return static_cast<int>(FItems.size()); }
    int Capacity() const { return static_cast<int>(FItems.capacity()); }
    TItem GetItem(int Index) const { return at(Index); }

    // Binary search with Compare and SortParam; when absent Index is the insertion point.
    bool Find(TKey Key, int &Index) const
    {
        return FindBy([this, Key](TKey Item) { return Compare(Key, Item, SortParam); }, Index);
    }

    // Binary search with CompareTo(Item): negative, 0 or positive for the sought key before, equal to or
    // after Item; when absent Index is the insertion point.
    template <typename TCompareTo> bool FindBy(const TCompareTo &CompareTo, int &Index) const
    {
        int lo = 0, hi = Count() - 1;
        while (lo <= hi) {
            const int mid = middle(lo, hi);
            const int c = CompareTo(at(mid));
            if (c > 0) {
                lo = mid + 1;
            } else if (c < 0) {
                hi = mid - 1;
            } else {
                Index = mid;
                return true;
            }
        }
        Index = lo;
        return false;
    }

    bool Exists(TKey Key) const
    {
        int ignored;
        return Find(Key, ignored);
    }

    // Sorted and not Append: inserted at its sorted place (equal items are not refused); otherwise at At,
    // or at the end when At is -1. Answers the item's index.
    int AddItem(TItem Item, bool Append, int At = -1)
    {
        int pos;
        if (Sorted && !Append)
            Find(Item, pos);
        else
            pos = At == -1 ? Count() : At;
        if (FItems.size() == FItems.capacity())
            Grow();
        FItems.insert(FItems.begin() + pos, Item);
        return pos;
    }

    void DeleteItem(int Index)
    {
        release(at(Index));
        FItems.erase(FItems.begin() + Index);
    }

    void RemoveKey(TKey Key)
    {
        int index;
        if (Find(Key, index))
            DeleteItem(index);
    }

    // Sorts by the given compare (a TCompare or any callable of the same form) and parameter; the list's
    // own Compare and SortParam stay as they are.
    template <typename TCompareFn> void SortBy(int Param, const TCompareFn &CompareFn)
    {
        SortBy(Param, CompareFn, [] { return false; });
    }
    // The same, asking Stopped every few thousand items scanned: false, the order left unfinished, when it
    // answers true.
    template <typename TCompareFn, typename TStoppedFn>
    bool SortBy(int Param, const TCompareFn &CompareFn, const TStoppedFn &Stopped)
    {
        if (FItems.size() <= 1)
            return true;
        TSortRun<TCompareFn, TStoppedFn> run{CompareFn, Param, SortDepthLimit(Count()), TSortPoll(Stopped)};
        return sortRange(0, Count() - 1, {}, run);
    }

    virtual void Clear()
    {
        for (TItem item : FItems)
            release(item);
        FItems.clear();
        FItems.shrink_to_fit();
    }

protected:
    // Capacity grows by a quarter when above 64, by 16 when above 8, else by 4.
    virtual void Grow()
    {
        const size_t capacity = FItems.capacity();
        const size_t delta = capacity > 64 ? capacity / 4 : capacity > 8 ? 16 : 4;
        FItems.reserve(capacity + delta);
    }

private:
    static int middle(int L, int R)
    {
        return static_cast<int>((static_cast<unsigned>(L) + static_cast<unsigned>(R)) >> 1);
    }
    TItem &at(int Index) { return FItems[static_cast<size_t>(Index)]; }
    const TItem &at(int Index) const { return FItems[static_cast<size_t>(Index)]; }

    void release(TItem Item)
    {
        if (OnDelete)
            OnDelete(Item);
        if constexpr (std::is_pointer_v<TItem>) {
            if (OwnsItems)
                delete Item;
        }
    }

    template <typename TCompareFn, typename TStoppedFn> struct TSortRun {
        const TCompareFn &Compare;
        int Param;
        int DepthLimit;
        TSortPoll<TStoppedFn> Poll;

        int compare(const TItem &A, const TItem &B) { return Compare(A, B, Param); }
    };

    // Quicksort around the middle element's value; the smaller side recurses, the larger one loops. A
    // range at a level that calls for it is heap-sorted. False when the run was stopped.
    template <typename TRun> bool sortRange(int L, int R, TSortLevel Level, TRun &Run)
    {
        while (L < R) {
            if (Run.Poll.Stopped(R - L + 1))
                return false;
            if (Level.HeapSorts(R - L + 1, Run.DepthLimit))
                return HeapSortRange(
                    L, R, [this, &Run](int I, int J) { return Run.compare(at(I), at(J)) < 0; },
                    [this](int I, int J) { std::swap(at(I), at(J)); },
                    [&Run](int Steps) { return Run.Poll.Stopped(Steps); });
            int i = L, j = R;
            const TItem pivot = at(middle(L, R));
            do {
                while (Run.compare(at(i), pivot) < 0)
                    ++i;
                while (Run.compare(at(j), pivot) > 0)
                    --j;
                if (i <= j) {
                    std::swap(at(i), at(j));
                    ++i;
                    --j;
                }
            } while (i <= j);
            const bool leftSmaller = j - L < R - i;
            Level = Level.Below(R - L + 1, leftSmaller ? j - L + 1 : R - i + 1);
            if (leftSmaller) {
                if (L < j && !sortRange(L, j, Level, Run))
                    return false;
                L = i;
            } else {
                if (i < R && !sortRange(i, R, Level, Run))
                    return false;
                R = j;
            }
        }
        return true;
    }

    std::vector<TItem> FItems;
};

template <typename T> using TGeneralList = TGeneralListOf<T *>;
