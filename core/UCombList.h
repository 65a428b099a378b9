#pragma once
// The store of a system's rows: fixed-size records in one growable byte array, each holding a
// combination twice (half A and half B) and a flag byte, with a sorted index of record numbers.
// Rows are deleted by flagging them and packed away in bulk.

#include "core/DynArrays.h"
#include "core/UGeneralList.h"

#include <cstddef>
#include <cstdint>
#include <functional>

// The row handed to TCombList::Add: K bytes of each half and the flags.
struct TCombRow {
    uint8_t Flags = 0;
    const uint8_t *A = nullptr;
    const uint8_t *B = nullptr;
};

class TCombList {
public:
    // The one flag bit the store sets and tests; the other bits belong to the system.
    static constexpr uint8_t DeletedFlag = 0x04;

    TCombList();
    TCombList(const TCombList &) = delete;
    TCombList &operator=(const TCombList &) = delete;
    virtual ~TCombList();

    // Packing happens only when live / total falls below this ratio.
    double PackRatio = 0.5;

    // Empties the store and sets the numbers per combination.
    void SetK(int NewK);
    // Copies the row into a new record and enters its number into the index: at its place by half B,
    // or at the end when Append. Answers the entry's index position.
    int Add(const TCombRow &Row, bool Append);
    // Flags a live record deleted (a record already deleted stays as it is).
    void MarkDeleted(int Rec);
    bool IsDeleted(int Rec) const { return (*FlagsPtr(Rec) & DeletedFlag) != 0; }
    // Binary search for C among half A (Half false) or half B (Half true) of the records in index order:
    // True and the position when found, else False and the insertion position.
    bool FindComb(const uint8_t *C, int &Pos, bool Half) const;

    uint8_t *CombPtr(int Rec, bool Half) { return recordPtr(Rec) + (Half ? K : 0); }
    const uint8_t *CombPtr(int Rec, bool Half) const { return recordPtr(Rec) + (Half ? K : 0); }
    uint8_t *FlagsPtr(int Rec) { return recordPtr(Rec) + FlagsOffset; }
    const uint8_t *FlagsPtr(int Rec) const { return recordPtr(Rec) + FlagsOffset; }

    // Re-sort the index by half A / half B; Dir -1 is ascending.
    void SortByA(int Dir);
    void SortByB(int Dir);
    // SortByB asking Stopped every few thousand records scanned: false, the index left unsorted, when it
    // answers true.
    bool SortByB(int Dir, const std::function<bool()> &Stopped);
    // Removes the deleted records when live / total is below PackRatio; the index then lists the
    // records in record order, or by half B ascending when Resort. True when it packed.
    bool Pack(bool Resort);
    // Copies the source's numbers per combination, records and index order.
    void Assign(const TCombList &Source);
    void SetCapacity(int NewCap);

    virtual void Grow();
    virtual void Clear();

    int GetK() const { return K; }
    int GetCount() const { return Count; }
    int GetLive() const { return Live; }
    int GetCapacity() const { return Capacity; }
    int GetRecSize() const { return RecSize; }
    // Record numbers in index order.
    const TGeneralListOf<int32_t> &GetIndex() const { return Index; }

private:
    size_t offsetOf(int Rec) const { return static_cast<size_t>(Rec) * static_cast<size_t>(RecSize); }
    uint8_t *recordPtr(int Rec) { return Data.data() + offsetOf(Rec); }
    const uint8_t *recordPtr(int Rec) const { return Data.data() + offsetOf(Rec); }
    bool sortByHalf(int Offset, int Dir, const std::function<bool()> &Stopped);

    TDynByteArr Data;
    int Capacity = 0;
    int RecSize = 1;
    int FlagsOffset = 0;
    TGeneralListOf<int32_t> Index;
    int Live = 0;
    int Count = 0;
    int K = 0;
};
