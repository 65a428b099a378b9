#include "engine/USysRnd.h"

#include "core/Knutt.h"
#include "core/UComb.h"
#include "core/UGlobalThreads.h"

#include <algorithm>
#include <cstdint>
#include <string>

TSysRnd::TSysRnd(const TGameData *Game) : TSystem(Game)
{
    Kind = skRnd;
}

void TSysRnd::SetParams(int NewN, int NewK, int32_t NewCount)
{
    TSystem::SetParams(NewN, NewK);
    Count = NewCount;
}

bool TSysRnd::Generate(const TMyThread *Thread)
{
    const auto stopped = [Thread] { return Thread && Thread->GetTerminated(); };
    ClearCombs();
    if (K < 1 || K > N || !RankFits(N, K) || Count < 0 || Count > Newton[size_t(N)][size_t(K)] ||
        Count > INT32_MAX)
        return false;
    Drawn.Reset(Newton[size_t(N)][size_t(K)]);
    Comb.assign(size_t(K), 0);
    Combs.SetCapacity(int(Count));
    Progress.Init(10000, Count, 0);
    // Polled by draws rather than rows: near C(N, K) one row takes many draws.
    bool halted = false;
    for (int64_t draws = 0; Combs.GetCount() < Count && !halted; ++draws) {
        halted = draws % PollInterval == 0 && stopped();
        if (!halted && drawRow())
            Progress.Advance(1);
    }
    Drawn.Reset(0);
    if (halted || !Combs.SortByB(-1, stopped) || stopped()) {
        ClearCombs();
        return false;
    }
    RefreshView(true);
    return true;
}

bool TSysRnd::drawRow()
{
    uint8_t *const comb = Comb.data();
    for (int j = 0; j < K; ++j) {
        do
            comb[j] = uint8_t(RandomInRange(1, N));
        while (std::find(comb, comb + j, comb[j]) != comb + j);
    }
    std::sort(comb, comb + K);
    const int64_t rank = CombToIndex(uint8_t(N), uint8_t(K), comb);
    if (Drawn.Contains(rank))
        return false;
    Drawn.Insert(rank);
    Combs.Add(TCombRow{0, comb, comb}, true);
    return true;
}

void TSysRnd::SaveParams(platform::ByteWriter &Stream) const
{
    TSystem::SaveParams(Stream);
    Stream.put<uint8_t>(uint8_t(K));
    Stream.put<uint8_t>(uint8_t(N));
    Stream.put<uint32_t>(uint32_t(GetCount()));
}

bool TSysRnd::LoadParams(platform::ByteReader &Stream)
{
    uint8_t k = 0, n = 0;
    int32_t count = 0;
    if (!TSystem::LoadParams(Stream) || !Stream.get(k) || !Stream.get(n) || !Stream.get(count))
        return false;
    // K and N themselves are the base's to judge; C(N, K) exists only for K <= N within the table.
    if (count < 0 || (k <= n && size_t(n) < Newton.size() && count > Newton[n][k]))
        return false;
    SetParams(n, k, count);
    return true;
}

void TSysRnd::Assign(const TSystem &Source)
{
    if (&Source == this)
        return;
    SetParams(Source.N, Source.K, int32_t(Source.GetCount()));
    TSystem::Assign(Source);
}

std::string TSysRnd::GetName(bool Short) const
{
    return Short ? "Skrócony - losowy" : "System skrócony - losowy";
}

std::string TSysRnd::GetDescription(bool Short) const
{
    return GetName(Short) + " " + std::to_string(K) + "/" + std::to_string(N) + "/" + std::to_string(Count);
}
