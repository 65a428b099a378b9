#include "engine/USysShort.h"

#include "core/RuntimeRandom.h"
#include "core/UComb.h"
#include "core/USort.h"

#include <algorithm>
#include <cstdint>
#include <string>

TSysShort::TSysShort(const TGameData *Game) : TSystem(Game)
{
    Kind = skShort;
    // The generator sets the position itself.
    Progress.Enabled = false;
}

void TSysShort::SetParams(int NewN, int NewK, int32_t NewCount)
{
    TSystem::SetParams(NewN, NewK);
    Count = NewCount;
    Quotas.resize(size_t(N));
    for (int i = 0; i < N; ++i)
        Quotas[size_t(i)] = TQuotaPair{i + 1, 0};
    Usage.assign(size_t(N), 0);
}

void TSysShort::SetQuotas(const std::vector<TQuotaPair> &NewQuotas)
{
    Quotas = NewQuotas;
    Usage.assign(size_t(N), 0);
    resetKey();
}

bool TSysShort::Generate(bool EqualQuotas)
{
    ClearCombs();
    ChosenSet.Reset(0);
    Chosen.clear();
    Trial.clear();
    Memo.clear();
    // The walk ranks every candidate, so C(N, K) must fit.
    if (K < 1 || !RankFits(N, K) || Count < 0 || Count > Newton[size_t(N)][size_t(K)] || Count > INT32_MAX)
        return false;
    if (!EqualQuotas && !quotasCoverNumbers())
        return false;
    ChosenSet.Reset(Newton[size_t(N)][size_t(K)]);
    Comb.assign(size_t(K), 0);
    Positions.assign(size_t(K), 0);
    PositionsPool = 0;
    Usage.assign(size_t(N), 0);
    if (EqualQuotas) {
        Quotas.resize(size_t(N));
        for (int i = 0; i < N; ++i)
            Quotas[size_t(i)] = TQuotaPair{i + 1, 0};
        if (RandomTies)
            shuffle();
        const int64_t slots = Count * K;
        const int64_t quota = slots / N;
        const int64_t extra = slots - quota * N;
        for (int i = 0; i < N; ++i)
            Quotas[size_t(i)].Quota = int32_t(quota + (i < extra ? 1 : 0));
    }
    Progress.Init(10000, Count, 0);

    if (Count == Newton[size_t(N)][size_t(K)]) {
        NextComb(Comb, uint8_t(N), uint8_t(K), true);
        for (int64_t added = 1; added <= Count; ++added) {
            if (added > 1)
                NextComb(Comb, uint8_t(N), uint8_t(K), false);
            addRow(Comb.data());
            setProgressPosition(added);
        }
        ApplyKey(true, true);
        RefreshView(true);
        return true;
    }

    Pool = N;
    const auto [least, most] =
        std::minmax_element(Quotas.begin(), Quotas.end(),
                            [](const TQuotaPair &A, const TQuotaPair &B) { return A.Quota < B.Quota; });
    Balance = most->Quota - least->Quota;
    bool built = true;
    for (int64_t i = 0; i < Count && built; ++i) {
        sortQuotas();
        if (i == Count - FinalCount) {
            if (finishSearch(1, false) == 0) {
                for (const int64_t rank : Trial) {
                    Chosen.push_back(rank);
                    ChosenSet.Insert(rank);
                }
                Trial.clear();
            } else {
                built = finishSearch(1, true) == 0;
            }
            break;
        }
        if (RandomTies)
            shuffle();
        built = step();
        setProgressPosition(i + 1);
    }
    if (!built) {
        ChosenSet.Reset(0);
        Chosen.clear();
        return false;
    }

    // Stored in lexicographic order, which is the order of the ranks: the index needs no sorting.
    std::sort(Chosen.begin(), Chosen.end());
    Combs.SetCapacity(int(Chosen.size()));
    for (const int64_t rank : Chosen) {
        IndexToComb(uint8_t(N), uint8_t(K), Comb.data(), rank);
        addRow(Comb.data());
    }
    ChosenSet.Reset(0);
    Chosen.clear();
    setProgressPosition(Count);
    RefreshView(true);
    return true;
}

bool TSysShort::quotasCoverNumbers() const
{
    if (Quotas.size() != size_t(N))
        return false;
    std::vector<bool> seen(size_t(N), false);
    for (const TQuotaPair &pair : Quotas) {
        if (pair.Number < 1 || pair.Number > N || seen[size_t(pair.Number) - 1])
            return false;
        seen[size_t(pair.Number) - 1] = true;
    }
    return true;
}

void TSysShort::setProgressPosition(int64_t Steps)
{
    Progress.Done = Steps;
    Progress.Advance(0);
}

void TSysShort::addRow(const uint8_t *C)
{
    Combs.Add(TCombRow{0, C, C}, true);
}

void TSysShort::sortQuotas()
{
    std::sort(Quotas.begin(), Quotas.end(), [](const TQuotaPair &A, const TQuotaPair &B) {
        return A.Quota != B.Quota ? A.Quota > B.Quota : A.Number < B.Number;
    });
}

void TSysShort::shuffle()
{
    size_t start = 0, run = 0;
    for (size_t i = 0; i < Quotas.size(); ++i) {
        if (i == 0 || Quotas[i].Quota != Quotas[i - 1].Quota) {
            start = i;
            run = 1;
            while (start + run < Quotas.size() && Quotas[start + run].Quota == Quotas[i].Quota)
                ++run;
        }
        if (run > 1)
            std::swap(Quotas[i], Quotas[start + size_t(RuntimeRandom(int32_t(run)))]);
    }
}

TSysShort::TProfile TSysShort::normalisedProfile() const
{
    TProfile profile(static_cast<size_t>(N));
    for (const TQuotaPair &pair : Quotas)
        profile[size_t(pair.Number) - 1] = pair.Quota;
    const int32_t least = std::max(0, *std::min_element(profile.begin(), profile.end()));
    for (int32_t &quota : profile)
        quota = quota < 0 ? quota - 1 : quota == 0 ? -1 : quota - least;
    return profile;
}

TSysShort::TProfile TSysShort::startWalk()
{
    TProfile profile = normalisedProfile();
    const auto memo = Memo.find(profile);
    if (memo != Memo.end()) {
        Position = memo->second.Position + 1;
        Pool = memo->second.Pool;
    } else {
        Position = 1;
        Pool =
            int(std::count_if(Quotas.begin(), Quotas.end(), [](const TQuotaPair &P) { return P.Quota > 0; }));
    }
    Pool = std::max(Pool, K);
    Limit = Newton[size_t(Pool)][size_t(K)];
    return profile;
}

bool TSysShort::keepWalkInRange(bool &Wrapped)
{
    if (Position <= Limit)
        return true;
    if (Pool < N) {
        ++Pool;
        Limit = Newton[size_t(Pool)][size_t(K)];
    } else if (Wrapped) {
        return false;
    } else {
        Wrapped = true;
    }
    Position = 1;
    return true;
}

int64_t TSysShort::candidate()
{
    // The walk mostly steps to the next position set, which is the successor of the one at hand.
    if (PositionsPool == Pool && PositionsRank + 1 == Position)
        NextComb(Positions, uint8_t(Pool), uint8_t(K), false);
    else
        IndexToComb(uint8_t(Pool), uint8_t(K), Positions.data(), Position);
    PositionsPool = Pool;
    PositionsRank = Position;
    for (int j = 0; j < K; ++j)
        Comb[size_t(j)] = uint8_t(Quotas[size_t(Positions[size_t(j)]) - 1].Number);
    SortBytes(Comb.data(), K);
    return CombToIndex(uint8_t(N), uint8_t(K), Comb.data());
}

bool TSysShort::isTaken(int64_t Rank) const
{
    return ChosenSet.Contains(Rank) || std::find(Trial.begin(), Trial.end(), Rank) != Trial.end();
}

void TSysShort::take(int64_t Rank, bool Accept)
{
    for (int j = 0; j < K; ++j) {
        TQuotaPair &pair = Quotas[size_t(Positions[size_t(j)]) - 1];
        --pair.Quota;
        ++Usage[size_t(pair.Number) - 1];
    }
    if (Accept) {
        Chosen.push_back(Rank);
        ChosenSet.Insert(Rank);
    } else {
        Trial.push_back(Rank);
    }
}

void TSysShort::undo(int64_t Rank, bool Accept)
{
    // In number order pair i is number i + 1; the next sort restores the quota order.
    std::sort(Quotas.begin(), Quotas.end(),
              [](const TQuotaPair &A, const TQuotaPair &B) { return A.Number < B.Number; });
    IndexToComb(uint8_t(N), uint8_t(K), Comb.data(), Rank);
    for (int j = 0; j < K; ++j) {
        const size_t number = Comb[size_t(j)];
        ++Quotas[number - 1].Quota;
        --Usage[number - 1];
    }
    if (Accept) {
        Chosen.erase(std::find(Chosen.begin(), Chosen.end(), Rank));
        ChosenSet.Erase(Rank);
    } else {
        Trial.erase(std::find(Trial.begin(), Trial.end(), Rank));
    }
}

// A recurring profile resumes its walk just after the position where it last found its combination.
bool TSysShort::step()
{
    TProfile profile = startWalk();
    bool wrapped = false;
    int64_t rank = 0;
    for (;;) {
        if (!keepWalkInRange(wrapped))
            return false;
        rank = candidate();
        if (!isTaken(rank))
            break;
        ++Position;
    }
    Memo[std::move(profile)] = TQuotaMemo{Position, Pool};
    take(rank, true);
    return true;
}

// Without Accept the last level takes its first free candidate only when it leaves the numbers' usage
// with the spread of the starting quotas; a level whose candidates all fail fails in turn.
int TSysShort::finishSearch(int Depth, bool Accept)
{
    startWalk();
    sortQuotas();
    bool wrapped = false;
    for (;;) {
        if (!keepWalkInRange(wrapped))
            return 1;
        const int64_t rank = candidate();
        if (isTaken(rank)) {
            ++Position;
            continue;
        }
        take(rank, Accept);
        if (Depth == FinalCount) {
            if (!Accept && usageSpread() != Balance) {
                undo(rank, Accept);
                return 1;
            }
            return 0;
        }
        const int64_t keptPosition = Position;
        const int keptPool = Pool;
        if (finishSearch(Depth + 1, Accept) == 0)
            return 0;
        undo(rank, Accept);
        sortQuotas();
        Pool = keptPool;
        Limit = Newton[size_t(Pool)][size_t(K)];
        Position = keptPosition + 1;
    }
}

int TSysShort::usageSpread() const
{
    const auto [least, most] = std::minmax_element(Usage.begin(), Usage.end());
    return *most - *least;
}

void TSysShort::SaveParams(platform::ByteWriter &Stream) const
{
    TSystem::SaveParams(Stream);
    Stream.put<uint8_t>(uint8_t(K));
    Stream.put<uint8_t>(uint8_t(N));
    Stream.put<uint32_t>(uint32_t(GetCount()));
    Stream.put<uint8_t>(RandomTies ? 1 : 0);
}

bool TSysShort::LoadParams(platform::ByteReader &Stream)
{
    uint8_t k = 0, n = 0, randomTies = 0;
    uint32_t count = 0;
    if (!TSystem::LoadParams(Stream) || !Stream.get(k) || !Stream.get(n) || !Stream.get(count) ||
        !Stream.get(randomTies))
        return false;
    SetParams(n, k, int32_t(count));
    RandomTies = randomTies != 0;
    return true;
}

void TSysShort::Assign(const TSystem &Source)
{
    if (&Source == this)
        return;
    SetParams(Source.N, Source.K, int32_t(Source.GetCount()));
    if (const auto *source = dynamic_cast<const TSysShort *>(&Source))
        RandomTies = source->RandomTies;
    TSystem::Assign(Source);
}

std::string TSysShort::GetName(bool Short) const
{
    return Short ? "Skrócony - klasyczny" : "System skrócony - klasyczny";
}

std::string TSysShort::GetDescription(bool Short) const
{
    return GetName(Short) + " " + std::to_string(K) + "/" + std::to_string(N) + "/" + std::to_string(Count);
}

void TSysShort::Clear()
{
    ClearCombs();
    ChosenSet.Reset(0);
    Chosen.clear();
    Trial.clear();
    Memo.clear();
    Comb.clear();
    Positions.clear();
    Quotas.clear();
    Usage.clear();
    TSystem::Clear();
}

void TSysShort::TRankSet::Reset(int64_t Total)
{
    Hashed.clear();
    Bits.clear();
    if (Total <= MaxBits)
        Bits.resize(size_t(Total));
    Bits.shrink_to_fit();
}

bool TSysShort::TRankSet::Contains(int64_t Rank) const
{
    return Bits.empty() ? Hashed.count(Rank) != 0 : Bits[size_t(Rank) - 1];
}

void TSysShort::TRankSet::Insert(int64_t Rank)
{
    if (Bits.empty())
        Hashed.insert(Rank);
    else
        Bits[size_t(Rank) - 1] = true;
}

void TSysShort::TRankSet::Erase(int64_t Rank)
{
    if (Bits.empty())
        Hashed.erase(Rank);
    else
        Bits[size_t(Rank) - 1] = false;
}

TSysShort2::TSysShort2(const TGameData *Game) : TSysShort(Game)
{
    Kind = skShort2;
}
