#include "engine/RankSet.h"

#include <cstddef>

void TRankSet::Reset(int64_t Total)
{
    // Emptied with their memory: a set of many ranks is not kept between runs.
    std::unordered_set<int64_t>().swap(Hashed);
    std::vector<bool>().swap(Bits);
    if (Total <= MaxBits)
        Bits.resize(size_t(Total));
}

bool TRankSet::Contains(int64_t Rank) const
{
    return Bits.empty() ? Hashed.count(Rank) != 0 : Bits[size_t(Rank) - 1];
}

void TRankSet::Insert(int64_t Rank)
{
    if (Bits.empty())
        Hashed.insert(Rank);
    else
        Bits[size_t(Rank) - 1] = true;
}

void TRankSet::Erase(int64_t Rank)
{
    if (Bits.empty())
        Hashed.erase(Rank);
    else
        Bits[size_t(Rank) - 1] = false;
}
