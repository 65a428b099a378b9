#pragma once
// A set of numbers of 1..128 as two 64-bit words: the fast containment and intersection tests of the
// counting loops over draws.

#include <bit>
#include <cstdint>

// Put before a function whose loop counts bits: on x86-64 g++ makes a clone that uses the processor's
// popcount instruction where it has one, chosen at run time.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define POPCOUNT_CLONES __attribute__((target_clones("popcnt", "default")))
#else
#define POPCOUNT_CLONES
#endif

struct TNumberMask {
    uint64_t Lo = 0; // numbers 1..64
    uint64_t Hi = 0; // numbers 65..128

    void Add(uint8_t Number)
    {
        const unsigned bit = Number - 1u;
        (bit < 64 ? Lo : Hi) |= uint64_t{1} << (bit % 64);
    }
    int Count() const { return std::popcount(Lo) + std::popcount(Hi); }
    // True when every number of Sub is in this set.
    bool Holds(const TNumberMask &Sub) const { return (Lo & Sub.Lo) == Sub.Lo && (Hi & Sub.Hi) == Sub.Hi; }
    // Writes the numbers, ascending, into Numbers (room for Count()) and answers their count.
    int Numbers(uint8_t *Numbers) const
    {
        int count = 0;
        for (uint64_t word = Lo; word != 0; word &= word - 1)
            Numbers[count++] = static_cast<uint8_t>(std::countr_zero(word) + 1);
        for (uint64_t word = Hi; word != 0; word &= word - 1)
            Numbers[count++] = static_cast<uint8_t>(std::countr_zero(word) + 65);
        return count;
    }

    friend TNumberMask operator&(const TNumberMask &A, const TNumberMask &B)
    {
        return {A.Lo & B.Lo, A.Hi & B.Hi};
    }
    friend TNumberMask operator|(const TNumberMask &A, const TNumberMask &B)
    {
        return {A.Lo | B.Lo, A.Hi | B.Hi};
    }
    friend bool operator==(const TNumberMask &A, const TNumberMask &B) = default;
    // Any strict order, for sorting sets so that equal ones meet.
    friend bool operator<(const TNumberMask &A, const TNumberMask &B)
    {
        return A.Hi != B.Hi ? A.Hi < B.Hi : A.Lo < B.Lo;
    }
};

inline TNumberMask MaskOf(const uint8_t *Numbers, int Count)
{
    TNumberMask mask;
    for (int i = 0; i < Count; ++i)
        mask.Add(Numbers[i]);
    return mask;
}
