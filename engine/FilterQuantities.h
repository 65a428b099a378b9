#pragma once
// The quantities of a combination (K numbers, ascending) that both the filters and the value
// distributions read: evenness, sums of numbers and digits, the spread, runs of consecutive numbers,
// numbers per digit value and repeated differences of neighbouring numbers.

#include "core/UComb.h"

#include <array>
#include <cstdint>
#include <vector>

inline bool IsEvenNumber(uint8_t Number)
{
    return Number < EvenTable.size() && EvenTable[Number];
}

inline int32_t FirstDigit(uint8_t Number)
{
    return Number / 10;
}

inline int32_t LastDigit(uint8_t Number)
{
    return Number % 10;
}

inline int32_t BothDigits(uint8_t Number)
{
    return Number / 10 + Number % 10;
}

inline int32_t CountEven(const uint8_t *Comb, uint32_t K)
{
    int32_t even = 0;
    for (uint32_t i = 0; i < K; ++i)
        even += IsEvenNumber(Comb[i]) ? 1 : 0;
    return even;
}

// Σ Value(Ci); the plain sum when Value is the identity.
template <typename TValue>
int32_t SumOf(const uint8_t *Comb, uint32_t K, TValue Value)
{
    int32_t sum = 0;
    for (uint32_t i = 0; i < K; ++i)
        sum += Value(Comb[i]);
    return sum;
}

inline int32_t CombSum(const uint8_t *Comb, uint32_t K)
{
    return SumOf(Comb, K, [](uint8_t Number) { return int32_t(Number); });
}

// The highest number less the lowest; 0 for fewer than two numbers.
inline int32_t CombSpread(const uint8_t *Comb, uint32_t K)
{
    return K > 1 ? Comb[K - 1] - Comb[0] : 0;
}

// Calls OnRun(length) for each maximal run of two or more consecutive numbers, in order.
template <typename TOnRun>
void ForEachRun(const uint8_t *Comb, uint32_t K, TOnRun OnRun)
{
    uint32_t run = 1;
    for (uint32_t i = 1; i < K; ++i) {
        if (Comb[i] - Comb[i - 1] == 1) {
            ++run;
            if (i == K - 1)
                OnRun(run);
        } else {
            if (run > 1)
                OnRun(run);
            run = 1;
        }
    }
}

// Counts[d] := the numbers whose first (or last) digit is d. Numbers are below 100.
inline void CountDigits(const uint8_t *Comb, uint32_t K, bool First, std::array<int32_t, 10> &Counts)
{
    Counts.fill(0);
    if (First) {
        for (uint32_t i = 0; i < K; ++i)
            ++Counts[size_t(Comb[i] / 10)];
    } else {
        for (uint32_t i = 0; i < K; ++i)
            ++Counts[size_t(Comb[i] % 10)];
    }
}

// The differences of neighbouring numbers that occur two or more times, in the order each first
// repeats, with how many times each occurs. Form and Clear work in place, allocating nothing.
class TDiffGroups {
public:
    TDiffGroups() { Groups.reserve(256); }

    void Form(const uint8_t *Comb, uint32_t K)
    {
        Groups.clear();
        for (uint32_t i = 1; i < K; ++i) {
            const uint8_t diff = static_cast<uint8_t>(Comb[i] - Comb[i - 1]);
            TEntry &entry = Diffs[diff];
            if (++entry.Count > 1 && !entry.Listed) {
                entry.Listed = 1;
                Groups.push_back(diff);
            }
        }
    }
    // Forgets what Form counted for the same combination.
    void Clear(const uint8_t *Comb, uint32_t K)
    {
        for (uint32_t i = 1; i < K; ++i)
            Diffs[static_cast<uint8_t>(Comb[i] - Comb[i - 1])] = TEntry();
    }
    int32_t CountOf(uint8_t Diff) const { return Diffs[Diff].Count; }

    std::vector<uint8_t> Groups; // the differences that repeat

private:
    struct TEntry {
        uint8_t Count = 0;
        uint8_t Listed = 0;
    };
    // Indexed by the difference; a difference of two bytes always fits.
    std::array<TEntry, 256> Diffs{};
};
