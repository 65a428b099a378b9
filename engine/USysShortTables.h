#pragma once
// The look-up tables of the classic system's generator: the memo of the quota profiles a run has met,
// and maps from a set of numbers to a set of numbers. Both use open addressing in one flat array.

#include <cstddef>
#include <cstdint>
#include <vector>

// Numbers 1..128, bit number - 1.
using TNumberSet = unsigned __int128;

// The splitmix64 finaliser.
uint64_t MixBits(uint64_t X);

// Where the walk of a quota profile found its last combination.
struct TQuotaMemo {
    int64_t Position = 0;
    int Pool = 0;
};

// A normalised quota profile, told apart from the others by a 96-bit digest.
struct TProfileKey {
    uint64_t A = 0;
    uint32_t B = 0;
};

// The memo of every profile a run meets, sized once for the run.
class TQuotaMemoTable {
public:
    // Room for MaxEntries profiles; 0 frees the table.
    void Reset(int64_t MaxEntries);
    bool Find(const TProfileKey &Key, TQuotaMemo &Memo) const;
    void Store(const TProfileKey &Key, const TQuotaMemo &Memo);

private:
    struct TEntry {
        int64_t Position;
        uint64_t A;
        uint32_t B;
        uint8_t Pool;
        bool Used;
    };
    size_t slotOf(const TProfileKey &Key) const;
    std::vector<TEntry> Entries;
};

// A map from sets of numbers to sets of numbers that grows as keys are added. The empty set marks a free
// slot in the array, so its own value is kept apart.
class TNumberSetTable {
public:
    void Clear();
    // Null when Key is not in the table; valid until the next Insert.
    TNumberSet *Find(TNumberSet Key);
    void Insert(TNumberSet Key, TNumberSet Value);

private:
    struct TEntry {
        TNumberSet Key;
        TNumberSet Value;
    };
    size_t slotOf(TNumberSet Key) const;
    std::vector<TEntry> Entries;
    size_t Used = 0;
    bool HasEmpty = false;
    TNumberSet EmptyValue = 0;
};
