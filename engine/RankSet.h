#pragma once
// A set of combination ranks among 1..Total: one bit per combination while Total is small enough, else
// hashed.

#include <cstdint>
#include <unordered_set>
#include <vector>

class TRankSet {
public:
    // Empties the set for ranks 1..Total.
    void Reset(int64_t Total);
    bool Contains(int64_t Rank) const;
    void Insert(int64_t Rank);
    void Erase(int64_t Rank);

private:
    static constexpr int64_t MaxBits = int64_t(1) << 27;
    std::vector<bool> Bits;
    std::unordered_set<int64_t> Hashed;
};
