#include "engine/USysFull.h"

#include "core/ProgramParams.h"
#include "core/UComb.h"

#include <string>

TSysFull::TSysFull(const TGameData *Game) : TSystem(Game)
{
    Kind = skFull;
}

void TSysFull::SetParams(int NewN, int NewK)
{
    TSystem::SetParams(NewN, NewK);
    TooMany = Newton[size_t(N)][size_t(K)] > Limits.MaxComb;
    Comb.assign(size_t(K), 0);
    Mapped.assign(size_t(K), 0);
    Results.SetK(K);
}

bool TSysFull::Generate()
{
    ClearCombs();
    if (K < 1 || !RankFits(N, K) || Newton[size_t(N)][size_t(K)] > Limits.MaxComb)
        return false;
    resetKey();
    Count = Newton[size_t(N)][size_t(K)];
    Combs.SetCapacity(int(Count));
    Progress.Init(10000, Count, 0);
    for (int64_t i = 0; i < Count; ++i) {
        NextComb(Comb, uint8_t(N), uint8_t(K), i == 0);
        Combs.Add(TCombRow{0, Comb.data(), Comb.data()}, true);
        Progress.Advance(1);
    }
    RefreshView(true);
    return true;
}

int64_t TSysFull::GetCount() const
{
    return TooMany ? Newton[size_t(N)][size_t(K)] : TSystem::GetCount();
}

void TSysFull::SaveParams(platform::ByteWriter &Stream) const
{
    TSystem::SaveParams(Stream);
    Stream.put<uint8_t>(uint8_t(K));
    Stream.put<uint8_t>(uint8_t(N));
    Stream.put<int64_t>(Combs.GetLive());
}

bool TSysFull::LoadParams(platform::ByteReader &Stream)
{
    uint8_t k = 0, n = 0;
    int64_t count = 0;
    if (!TSystem::LoadParams(Stream) || !Stream.get(k) || !Stream.get(n) || !Stream.get(count))
        return false;
    // C(N, K) must stand in the table, which every count of the system reads.
    if (k > n || size_t(n) >= Newton.size() || count < 0)
        return false;
    Count = count;
    SetParams(n, k);
    return true;
}

void TSysFull::Assign(const TSystem &Source)
{
    if (&Source == this)
        return;
    SetParams(Source.N, Source.K);
    TooMany = Source.TooMany;
    TSystem::Assign(Source);
    if (const auto *source = dynamic_cast<const TSysFull *>(&Source); source && TooMany)
        Results.Assign(source->Results);
}

std::string TSysFull::GetName(bool Short) const
{
    return Short ? "Pełny - prosty" : "System pełny - prosty";
}

// A system in too-many mode stands for all its combinations, whatever its rows.
std::string TSysFull::GetDescription(bool Short) const
{
    return GetName(Short) + " " + std::to_string(K) + "/" + std::to_string(N) + "/" +
           std::to_string(TooMany ? GetCount() : Count);
}

void TSysFull::Clear()
{
    Results.Clear();
    TSystem::Clear();
}
