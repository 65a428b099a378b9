#include "core/UCombList.h"

#include <cstring>

namespace {

// Param when the first half is smaller, -Param when it is larger, 0 when the K bytes agree.
int compareHalves(const uint8_t *First, const uint8_t *Second, int K, int Param)
{
    const int c = K > 0 ? std::memcmp(First, Second, static_cast<size_t>(K)) : 0;
    return c < 0 ? Param : c > 0 ? -Param : 0;
}

} // namespace

TCombList::TCombList()
{
    Index.Compare = [this](int32_t Key, int32_t Item, int Param) {
        return compareHalves(CombPtr(Key, true), CombPtr(Item, true), K, Param);
    };
}

TCombList::~TCombList() = default;

void TCombList::SetK(int NewK)
{
    Clear();
    K = NewK;
    FlagsOffset = 2 * NewK;
    RecSize = 2 * NewK + 1;
}

int TCombList::Add(const TCombRow &Row, bool Append)
{
    if (Count == Capacity)
        Grow();
    uint8_t *record = recordPtr(Count);
    if (K > 0) {
        std::memcpy(record, Row.A, static_cast<size_t>(K));
        std::memcpy(record + K, Row.B, static_cast<size_t>(K));
    }
    // A new record is live whatever flags the row brings.
    record[FlagsOffset] = Row.Flags & static_cast<uint8_t>(~DeletedFlag);
    ++Live;
    ++Count;
    return Index.AddItem(Count - 1, Append);
}

void TCombList::MarkDeleted(int Rec)
{
    uint8_t &flags = *FlagsPtr(Rec);
    if (flags & DeletedFlag)
        return;
    flags |= DeletedFlag;
    --Live;
}

bool TCombList::FindComb(const uint8_t *C, int &Pos, bool Half) const
{
    return Index.FindBy(
        [this, C, Half](int32_t Item) { return compareHalves(C, CombPtr(Item, Half), K, Index.SortParam); }, Pos);
}

bool TCombList::sortByHalf(int Offset, int Dir, const std::function<bool()> &Stopped)
{
    return Index.SortBy(
        Dir,
        [this, Offset](int32_t Key, int32_t Item, int Param) {
            return compareHalves(recordPtr(Key) + Offset, recordPtr(Item) + Offset, K, Param);
        },
        Stopped);
}

void TCombList::SortByA(int Dir)
{
    sortByHalf(0, Dir, [] { return false; });
}

void TCombList::SortByB(int Dir)
{
    sortByHalf(K, Dir, [] { return false; });
}

bool TCombList::SortByB(int Dir, const std::function<bool()> &Stopped)
{
    return sortByHalf(K, Dir, Stopped);
}

bool TCombList::Pack(bool Resort)
{
    if (Count == 0 || static_cast<double>(Live) / static_cast<double>(Count) >= PackRatio)
        return false;
    // Live runs move down over the deleted records in one block each.
    int dest = 0;
    while (dest < Count && !IsDeleted(dest))
        ++dest;
    int source = dest;
    for (;;) {
        while (source < Count && IsDeleted(source))
            ++source;
        if (source == Count)
            break;
        int runEnd = source;
        while (runEnd < Count && !IsDeleted(runEnd))
            ++runEnd;
        std::memmove(recordPtr(dest), recordPtr(source), offsetOf(runEnd - source));
        dest += runEnd - source;
        source = runEnd;
    }
    // dest is the number of records kept, whatever the flags were set through.
    Live = dest;
    SetCapacity(Live);
    Count = Live;
    Index.Clear();
    for (int rec = 0; rec < Live; ++rec)
        Index.AddItem(rec, true);
    if (Resort)
        SortByB(-1);
    return true;
}

void TCombList::Assign(const TCombList &Source)
{
    if (&Source == this)
        return;
    Clear();
    K = Source.K;
    FlagsOffset = Source.FlagsOffset;
    RecSize = Source.RecSize;
    SetCapacity(Source.Count);
    if (Source.Count > 0)
        std::memcpy(Data.data(), Source.Data.data(), Source.offsetOf(Source.Count));
    Live = Source.Live;
    Count = Source.Count;
    for (int pos = 0; pos < Source.Index.Count(); ++pos)
        Index.AddItem(Source.Index.GetItem(pos), true);
}

void TCombList::SetCapacity(int NewCap)
{
    if (NewCap == Capacity)
        return;
    const size_t bytes = offsetOf(NewCap);
    if (bytes > Data.size()) {
        Data.reserve(bytes); // exactly the asked size, so that growth stays at a quarter
        Data.resize(bytes);
    } else {
        Data.resize(bytes);
        Data.shrink_to_fit();
    }
    Capacity = NewCap;
}

void TCombList::Grow()
{
    const int delta = Capacity > 64 ? Capacity / 4 : Capacity > 8 ? 16 : 4;
    SetCapacity(Capacity + delta);
}

void TCombList::Clear()
{
    SetCapacity(0);
    Index.Clear();
    Live = 0;
    Count = 0;
}
