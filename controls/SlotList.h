#pragma once
// Sparse positional storage for the grids: a list of slots indexed by column or row that holds only as
// many slots as the highest one set, where a default-constructed slot means "nothing here". A table of
// cells is a list per column of lists per row (TCellTable), so row operations visit every column.

#include <QString>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// An owned object that copies deeply; empty means "not set".
template <typename T>
class TOwned {
public:
    TOwned() = default;
    explicit TOwned(T value) : FPtr(std::make_unique<T>(std::move(value))) {}
    TOwned(const TOwned &other) : FPtr(other.FPtr ? std::make_unique<T>(*other.FPtr) : nullptr) {}
    TOwned(TOwned &&) noexcept = default;
    TOwned &operator=(const TOwned &other)
    {
        if (this != &other)
            FPtr = other.FPtr ? std::make_unique<T>(*other.FPtr) : nullptr;
        return *this;
    }
    TOwned &operator=(TOwned &&) noexcept = default;

    explicit operator bool() const { return FPtr != nullptr; }
    const T *get() const { return FPtr.get(); }
    T *get() { return FPtr.get(); }
    const T &operator*() const { return *FPtr; }
    T &operator*() { return *FPtr; }
    const T *operator->() const { return FPtr.get(); }
    T *operator->() { return FPtr.get(); }
    // The object, created default when missing.
    T &ensure()
    {
        if (!FPtr)
            FPtr = std::make_unique<T>();
        return *FPtr;
    }
    void reset() { FPtr.reset(); }

private:
    std::unique_ptr<T> FPtr;
};

template <typename T>
class TSlotList;

// Where the item at index lands when the item at from is taken out and put back at to.
inline int movedIndex(int index, int from, int to)
{
    if (index == from)
        return to;
    if (from < to && index > from && index <= to)
        return index - 1;
    if (from > to && index >= to && index < from)
        return index + 1;
    return index;
}

// Where the item at index lands when the items at a and b change places.
inline int exchangedIndex(int index, int a, int b)
{
    return index == a ? b : index == b ? a : index;
}

inline bool slotIsEmpty(const QString &value) { return value.isEmpty(); }
inline bool slotIsEmpty(intptr_t value) { return value == 0; }
template <typename T>
bool slotIsEmpty(const TOwned<T> &value) { return !value; }
template <typename T>
bool slotIsEmpty(const TSlotList<T> &value) { return value.Count() == 0; }

template <typename T>
class TSlotList {
public:
    // Slots held: one past the highest index ever reached (and not trimmed).
    int Count() const { return int(FItems.size()); }
    bool has(int index) const { return index >= 0 && index < Count() && !slotIsEmpty(FItems[size_t(index)]); }

    // The slot at index, or an empty one when the list does not reach it.
    const T &at(int index) const
    {
        static const T empty{};
        return index >= 0 && index < Count() ? FItems[size_t(index)] : empty;
    }
    // The slot at index for writing; the list is filled up with empty slots to reach it.
    T &ref(int index)
    {
        reach(index);
        return FItems[size_t(index)];
    }
    // Stores value; an empty value beyond the end adds nothing.
    void set(int index, T value)
    {
        if (index < 0 || (index >= Count() && slotIsEmpty(value)))
            return;
        ref(index) = std::move(value);
    }

    // An empty slot at index, when the list reaches it; later slots move up by one.
    void insertSlot(int index)
    {
        if (index >= 0 && index < Count())
            FItems.insert(FItems.begin() + index, T{});
    }
    // The slot at from is taken out and put back at to; the slots between close up.
    void move(int from, int to)
    {
        if (from == to || from < 0 || to < 0 || (from >= Count() && to >= Count()))
            return;
        reach(std::max(from, to));
        T item = std::move(FItems[size_t(from)]);
        FItems.erase(FItems.begin() + from);
        FItems.insert(FItems.begin() + to, std::move(item));
    }
    void exchange(int a, int b)
    {
        if (a == b || a < 0 || b < 0 || (a >= Count() && b >= Count()))
            return;
        reach(std::max(a, b));
        std::swap(FItems[size_t(a)], FItems[size_t(b)]);
    }
    // Drops every slot from count on.
    void truncate(int count)
    {
        if (count >= 0 && count < Count())
            FItems.resize(size_t(count));
    }
    void clear() { FItems.clear(); }

    // Calls f(index, slot) for every slot that is set, in index order.
    template <typename F>
    void forEach(F &&f) const
    {
        for (size_t i = 0; i < FItems.size(); ++i)
            if (!slotIsEmpty(FItems[i]))
                f(int(i), FItems[i]);
    }

private:
    void reach(int index)
    {
        if (index >= Count())
            FItems.resize(size_t(index) + 1);
    }

    std::vector<T> FItems;
};

// Cells by column, then row.
template <typename T>
class TCellTable {
public:
    const T &at(int ACol, int ARow) const { return FCols.at(ACol).at(ARow); }
    T &ref(int ACol, int ARow) { return FCols.ref(ACol).ref(ARow); }
    void set(int ACol, int ARow, T value)
    {
        if (ACol < 0 || ARow < 0 || (slotIsEmpty(value) && !FCols.at(ACol).has(ARow)))
            return;
        FCols.ref(ACol).set(ARow, std::move(value));
    }
    bool has(int ACol, int ARow) const { return FCols.at(ACol).has(ARow); }
    const TSlotList<T> &column(int ACol) const { return FCols.at(ACol); }
    int ColumnCount() const { return FCols.Count(); }

    void insertColumn(int ACol) { FCols.insertSlot(ACol); }
    void insertRow(int ARow)
    {
        for (int c = 0; c < FCols.Count(); ++c)
            FCols.ref(c).insertSlot(ARow);
    }
    void moveColumn(int from, int to) { FCols.move(from, to); }
    void moveRow(int from, int to)
    {
        for (int c = 0; c < FCols.Count(); ++c)
            FCols.ref(c).move(from, to);
    }
    void exchangeColumns(int a, int b) { FCols.exchange(a, b); }
    void exchangeRows(int a, int b)
    {
        for (int c = 0; c < FCols.Count(); ++c)
            FCols.ref(c).exchange(a, b);
    }
    // The same on rows when Rows is set, else on columns.
    void insertLine(bool Rows, int at) { Rows ? insertRow(at) : insertColumn(at); }
    void moveLine(bool Rows, int from, int to) { Rows ? moveRow(from, to) : moveColumn(from, to); }
    void exchangeLines(bool Rows, int a, int b) { Rows ? exchangeRows(a, b) : exchangeColumns(a, b); }
    // Forgets every cell outside colCount x rowCount.
    void truncate(int colCount, int rowCount)
    {
        FCols.truncate(colCount);
        for (int c = 0; c < FCols.Count(); ++c)
            FCols.ref(c).truncate(rowCount);
    }
    void clear() { FCols.clear(); }

    // Calls f(col, row, slot) for every cell that is set, columns outer, rows inner.
    template <typename F>
    void forEach(F &&f) const
    {
        FCols.forEach([&](int col, const TSlotList<T> &rows) {
            rows.forEach([&](int row, const T &value) { f(col, row, value); });
        });
    }

private:
    TSlotList<TSlotList<T>> FCols;
};
