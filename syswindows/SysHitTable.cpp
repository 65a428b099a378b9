#include "syswindows/SysHitTable.h"

#include "core/UComb.h"

#include <cstdint>
#include <stdexcept>

namespace {

// The simple bets of a full system N/K fit the 32-bit counts, and so does every count of its table.
bool CountsFit(const TGameInfo &Game, int N, int K)
{
    const int64_t combinations = Newton[size_t(N)][size_t(K)];
    const int64_t betsEach = IsMultiBet(Game, K) ? Newton[size_t(K)][size_t(Game.MultiFrom) - 1] : 1;
    return combinations <= INT32_MAX / betsEach;
}

} // namespace

TFullSystemHits FullSystemHits(const TGameInfo &Game, int N, int K)
{
    TFullSystemHits table;
    THitsInfo &info = table.Info;
    info.Init(Game, N, K, false);
    if (!CountsFit(Game, N, K))
        return table;
    const bool multiBet = IsMultiBet(Game, K);
    try {
        for (int c = 0; c < info.ColCount; ++c) {
            THitCase hitCase;
            hitCase.Drawn = info.LowHits + c;
            hitCase.Prizes.assign(size_t(info.LevelCount), 0);
            HitsInFullVector(N, K, hitCase.Drawn, hitCase.Prizes.data(), info.LevelCount, info.LowHits);
            if (multiBet)
                ExpandHits(Game, K, info.HighHits, hitCase.Prizes.data(), info.LevelCount);
            hitCase.Win = WinAmount(Game, K, info.HighHits, hitCase.Prizes.data(), info.LevelCount);
            table.Cases.push_back(std::move(hitCase));
        }
    } catch (const std::overflow_error &) {
        table.Cases.clear();
    }
    return table;
}
