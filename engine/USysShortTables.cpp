#include "engine/USysShortTables.h"

#include <algorithm>

uint64_t MixBits(uint64_t X)
{
    X = (X ^ (X >> 30)) * 0xBF58476D1CE4E5B9ull;
    X = (X ^ (X >> 27)) * 0x94D049BB133111EBull;
    return X ^ (X >> 31);
}

void TQuotaMemoTable::Reset(int64_t MaxEntries)
{
    std::vector<TEntry>().swap(Entries);
    // At most four entries in five slots used, so that probes stay short.
    if (MaxEntries > 0)
        Entries.assign(size_t(MaxEntries) + size_t(MaxEntries) / 4 + 1, TEntry{0, 0, 0, 0, false});
}

size_t TQuotaMemoTable::slotOf(const TProfileKey &Key) const
{
    return size_t((unsigned __int128)Key.A * Entries.size() >> 64);
}

bool TQuotaMemoTable::Find(const TProfileKey &Key, TQuotaMemo &Memo) const
{
    for (size_t slot = slotOf(Key);; slot = slot + 1 == Entries.size() ? 0 : slot + 1) {
        const TEntry &entry = Entries[slot];
        if (!entry.Used)
            return false;
        if (entry.A == Key.A && entry.B == Key.B) {
            Memo = TQuotaMemo{entry.Position, entry.Pool};
            return true;
        }
    }
}

void TQuotaMemoTable::Store(const TProfileKey &Key, const TQuotaMemo &Memo)
{
    size_t slot = slotOf(Key);
    while (Entries[slot].Used && (Entries[slot].A != Key.A || Entries[slot].B != Key.B))
        slot = slot + 1 == Entries.size() ? 0 : slot + 1;
    Entries[slot] = TEntry{Memo.Position, Key.A, Key.B, uint8_t(Memo.Pool), true};
}

void TNumberSetTable::Clear()
{
    std::vector<TEntry>().swap(Entries);
    Used = 0;
    HasEmpty = false;
    EmptyValue = 0;
}

size_t TNumberSetTable::slotOf(TNumberSet Key) const
{
    const uint64_t hash = MixBits(uint64_t(Key) ^ MixBits(uint64_t(Key >> 64)));
    return size_t(hash & (Entries.size() - 1));
}

TNumberSet *TNumberSetTable::Find(TNumberSet Key)
{
    if (Key == 0)
        return HasEmpty ? &EmptyValue : nullptr;
    if (Entries.empty())
        return nullptr;
    for (size_t slot = slotOf(Key);; slot = (slot + 1) & (Entries.size() - 1)) {
        TEntry &entry = Entries[slot];
        if (entry.Key == Key)
            return &entry.Value;
        if (entry.Key == 0)
            return nullptr;
    }
}

void TNumberSetTable::Insert(TNumberSet Key, TNumberSet Value)
{
    if (Key == 0) {
        HasEmpty = true;
        EmptyValue = Value;
        return;
    }
    // Half the slots at most in use; the size stays a power of two.
    if (2 * (Used + 1) > Entries.size()) {
        std::vector<TEntry> old(std::max<size_t>(64, 2 * Entries.size()), TEntry{0, 0});
        old.swap(Entries);
        Used = 0;
        for (const TEntry &entry : old)
            if (entry.Key != 0)
                Insert(entry.Key, entry.Value);
    }
    size_t slot = slotOf(Key);
    while (Entries[slot].Key != 0 && Entries[slot].Key != Key)
        slot = (slot + 1) & (Entries.size() - 1);
    Used += Entries[slot].Key == 0 ? 1 : 0;
    Entries[slot] = TEntry{Key, Value};
}
