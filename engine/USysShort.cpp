#include "engine/USysShort.h"

#include "core/RuntimeRandom.h"
#include "core/ScopedSet.h"
#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "core/USort.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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

namespace {

// How many rows are stored between two polls of the worker.
constexpr int64_t RowsPerPoll = 4096;
// A sort of Ranks, polled between its runs and merges; false, with Ranks unsorted, when Stopped answers
// true.
template <typename TStopped>
bool sortPolled(std::vector<int64_t> &Ranks, TStopped Stopped)
{
    constexpr size_t run = size_t(1) << 20;
    const auto at = [&Ranks](size_t Index) { return Ranks.begin() + ptrdiff_t(std::min(Index, Ranks.size())); };
    for (size_t from = 0; from < Ranks.size(); from += run) {
        if (Stopped())
            return false;
        std::sort(at(from), at(from + run));
    }
    for (size_t width = run; width < Ranks.size(); width *= 2)
        for (size_t from = 0; from + width < Ranks.size(); from += 2 * width) {
            if (Stopped())
                return false;
            std::inplace_merge(at(from), at(from + width), at(from + 2 * width));
        }
    return true;
}

} // namespace

bool TSysShort::Generate(bool EqualQuotas, const TMyThread *Thread)
{
    // Polled only while this run lasts.
    const TScopedSet<const TMyThread *> worker(Worker, Thread);
    ClearCombs();
    releaseWalk();
    // The walk ranks every candidate, so C(N, K) must fit.
    if (K < 1 || N > MaxNumbers || !RankFits(N, K) || Count < 0 || Count > Newton[size_t(N)][size_t(K)] ||
        Count > INT32_MAX)
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
            if (stopRequested()) {
                ClearCombs();
                return false;
            }
            if (added > 1)
                NextComb(Comb, uint8_t(N), uint8_t(K), false);
            addRow(Comb.data());
            setProgressPosition(added);
        }
        // Under the key 1..N the rows already hold their numbers in order: applying it would only sort
        // every row once more, unpolled.
        TDynByteArr plainKey(size_t(N), 0);
        FillNumbers(plainKey);
        if (Key != plainKey)
            ApplyKey(true, true);
        RefreshView(true);
        return true;
    }

    // One memo entry at most per step.
    Memo.Reset(Count);
    Chosen.reserve(size_t(Count));
    Suffixes.assign(size_t(N) + 1, 0);
    Pool = N;
    const auto [least, most] =
        std::minmax_element(Quotas.begin(), Quotas.end(),
                            [](const TQuotaPair &A, const TQuotaPair &B) { return A.Quota < B.Quota; });
    Balance = most->Quota - least->Quota;
    bool built = true;
    for (int64_t i = 0; i < Count && built; ++i) {
        if (stopRequested()) {
            built = false;
            break;
        }
        sortQuotas();
        if (i == Count - FinalCount) {
            built = finishSystem() == TSearchEnd::Found;
            break;
        }
        if (RandomTies)
            shuffle();
        built = step();
        setProgressPosition(i + 1);
    }
    if (!built || !addChosenRows()) {
        releaseWalk();
        return false;
    }
    setProgressPosition(Count);
    RefreshView(true);
    return true;
}

bool TSysShort::stopRequested() const
{
    return Worker && Worker->GetTerminated();
}

bool TSysShort::addChosenRows()
{
    // Stored in lexicographic order, which is the order of the ranks: the index needs no sorting. The
    // walk's tables go before the rows come.
    std::vector<int64_t> ranks = std::move(Chosen);
    releaseWalk();
    if (!sortPolled(ranks, [this] { return stopRequested(); }))
        return false;
    Combs.SetCapacity(int(ranks.size()));
    for (size_t row = 0; row < ranks.size(); ++row) {
        if (row % RowsPerPoll == 0 && stopRequested()) {
            ClearCombs();
            return false;
        }
        IndexToComb(uint8_t(N), uint8_t(K), Comb.data(), ranks[row]);
        addRow(Comb.data());
    }
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
    // The numbers in ascending order, then by quota, descending: a counting sort over the few quota
    // values a run meets, a comparison sort when they spread wider than the numbers.
    std::array<int32_t, MaxNumbers> byNumber{};
    for (const TQuotaPair &pair : Quotas)
        byNumber[size_t(pair.Number) - 1] = pair.Quota;
    const auto [least, most] = std::minmax_element(byNumber.begin(), byNumber.begin() + N);
    if (int64_t(*most) - *least >= N) {
        std::sort(Quotas.begin(), Quotas.end(), [](const TQuotaPair &A, const TQuotaPair &B) {
            return A.Quota != B.Quota ? A.Quota > B.Quota : A.Number < B.Number;
        });
        return;
    }
    const int32_t top = *most;
    std::array<int, MaxNumbers + 1> starts{};
    for (int i = 0; i < N; ++i)
        ++starts[size_t(top - byNumber[size_t(i)]) + 1];
    for (int v = 1; v <= N; ++v)
        starts[size_t(v)] += starts[size_t(v) - 1];
    for (int i = 0; i < N; ++i)
        Quotas[size_t(starts[size_t(top - byNumber[size_t(i)])]++)] = TQuotaPair{i + 1, byNumber[size_t(i)]};
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

TProfileKey TSysShort::normalisedProfile() const
{
    const auto smallest =
        std::min_element(Quotas.begin(), Quotas.end(),
                         [](const TQuotaPair &A, const TQuotaPair &B) { return A.Quota < B.Quota; });
    const int32_t least = std::max(0, smallest->Quota);
    // Sums of mixed (number, value) pairs: independent of the order of Quotas.
    uint64_t a = 0, b = 0;
    for (const TQuotaPair &pair : Quotas) {
        const int32_t q = pair.Quota;
        const int32_t value = q < 0 ? q - 1 : q == 0 ? -1 : q - least;
        const uint64_t item = uint64_t(uint32_t(pair.Number)) << 32 | uint32_t(value);
        a += MixBits(item);
        b += MixBits(item ^ 0x9E3779B97F4A7C15ull);
    }
    return TProfileKey{a, uint32_t(b >> 32)};
}

TProfileKey TSysShort::startWalk()
{
    const TProfileKey profile = normalisedProfile();
    if (TQuotaMemo memo; Memo.Find(profile, memo)) {
        Position = memo.Position + 1;
        Pool = memo.Pool;
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

void TSysShort::placePositions()
{
    if (PositionsPool == Pool && PositionsRank == Position)
        return;
    // The walk mostly steps to the next position set, which is the successor of the one at hand.
    if (PositionsPool == Pool && PositionsRank + 1 == Position)
        NextComb(Positions, uint8_t(Pool), uint8_t(K), false);
    else
        IndexToComb(uint8_t(Pool), uint8_t(K), Positions.data(), Position);
    PositionsPool = Pool;
    PositionsRank = Position;
}

int64_t TSysShort::candidate()
{
    placePositions();
    for (int j = 0; j < K; ++j)
        Comb[size_t(j)] = uint8_t(Quotas[size_t(Positions[size_t(j)]) - 1].Number);
    SortBytes(Comb.data(), K);
    return CombToIndex(uint8_t(N), uint8_t(K), Comb.data());
}

TNumberSet TSysShort::chosenCompletions(TNumberSet Prefix)
{
    if (const TNumberSet *cached = Completions.Find(Prefix))
        return *cached;
    TNumberSet completions = 0;
    TDynByteArr c(size_t(K), 0);
    for (int x = 1; x <= N; ++x) {
        if (Prefix >> (x - 1) & 1)
            continue;
        int j = 0;
        for (int number = 1; number <= N; ++number)
            if (number == x || (Prefix >> (number - 1) & 1))
                c[size_t(j++)] = uint8_t(number);
        if (ChosenSet.Contains(CombToIndex(uint8_t(N), uint8_t(K), c.data())))
            completions |= TNumberSet(1) << (x - 1);
    }
    Completions.Insert(Prefix, completions);
    return completions;
}

void TSysShort::noteChosen(bool IsChosen)
{
    TNumberSet all = 0;
    for (int j = 0; j < K; ++j)
        all |= TNumberSet(1) << (Comb[size_t(j)] - 1);
    for (int j = 0; j < K; ++j) {
        const TNumberSet bit = TNumberSet(1) << (Comb[size_t(j)] - 1);
        if (TNumberSet *cached = Completions.Find(all & ~bit))
            *cached = IsChosen ? *cached | bit : *cached & ~bit;
        // A prefix that loses a completion is no longer exhausted.
        for (int i = 0; i < K && !IsChosen; ++i) {
            const TNumberSet other = TNumberSet(1) << (Comb[size_t(i)] - 1);
            if (i == j)
                continue;
            if (TNumberSet *exhausted = Exhausted.Find(all & ~bit & ~other))
                *exhausted &= ~other;
        }
    }
}

TNumberSet &TSysShort::exhaustedAfter(TNumberSet Prefix)
{
    if (TNumberSet *known = Exhausted.Find(Prefix))
        return *known;
    Exhausted.Insert(Prefix, 0);
    return *Exhausted.Find(Prefix);
}

bool TSysShort::skipChosenLastPositions()
{
    const size_t last = size_t(K) - 1;
    const auto numberAt = [this](size_t Index) {
        return TNumberSet(1) << (Quotas[size_t(Positions[Index]) - 1].Number - 1);
    };
    placePositions();
    TNumberSet *exhausted = nullptr; // after the numbers at the first K - 2 positions
    TNumberSet shorter = 0;
    for (;;) {
        TNumberSet prefix = 0;
        for (size_t j = 0; j + 1 < last; ++j)
            prefix |= numberAt(j);
        if (last > 0 && (!exhausted || prefix != shorter)) {
            shorter = prefix;
            exhausted = &exhaustedAfter(shorter);
        }
        const TNumberSet lastOfPrefix = last > 0 ? numberAt(last - 1) : 0;
        prefix |= lastOfPrefix;
        const int first = Positions[last];
        if (!exhausted || !(*exhausted & lastOfPrefix)) {
            const TNumberSet completions = chosenCompletions(prefix);
            const TNumberSet open = Suffixes[size_t(first) - 1] & ~Suffixes[size_t(Pool)] & ~completions;
            if (open != 0) {
                int free = first;
                while (!(open >> (Quotas[size_t(free) - 1].Number - 1) & 1))
                    ++free;
                Position += free - first;
                Positions[last] = uint8_t(free);
                PositionsRank = Position;
                return true;
            }
            if (exhausted && (completions | prefix) == Suffixes[0])
                *exhausted |= lastOfPrefix;
        }
        // On to the first position set of the next prefix.
        Position += Pool - first + 1;
        Positions[last] = uint8_t(Pool);
        PositionsRank = Position - 1;
        if (Position > Limit)
            return false;
        placePositions();
    }
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
        noteChosen(true);
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
        noteChosen(false);
    } else {
        Trial.erase(std::find(Trial.begin(), Trial.end(), Rank));
    }
}

// A recurring profile resumes its walk just after the position where it last found its combination.
// Before the finishing search nothing is taken for trial, so the walk may pass whole runs of chosen
// candidates at once.
bool TSysShort::step()
{
    const TProfileKey profile = startWalk();
    Suffixes[size_t(N)] = 0;
    for (int p = N; p >= 1; --p)
        Suffixes[size_t(p) - 1] = Suffixes[size_t(p)] | TNumberSet(1) << (Quotas[size_t(p) - 1].Number - 1);
    bool wrapped = false;
    int64_t rank = 0;
    for (;;) {
        if (!keepWalkInRange(wrapped))
            return false;
        rank = candidate();
        if (!isTaken(rank))
            break;
        if (skipChosenLastPositions()) {
            rank = candidate();
            break;
        }
    }
    Memo.Store(profile, TQuotaMemo{Position, Pool});
    take(rank, true);
    return true;
}

TSysShort::TSearchEnd TSysShort::finishSystem()
{
    const TSearchEnd balanced = finishSearch(1, false);
    if (balanced != TSearchEnd::Found)
        return balanced == TSearchEnd::Failed ? finishSearch(1, true) : balanced;
    for (const int64_t rank : Trial) {
        Chosen.push_back(rank);
        ChosenSet.Insert(rank);
    }
    Trial.clear();
    return TSearchEnd::Found;
}

// Without Accept the last level takes its first free candidate only when it leaves the numbers' usage
// with the spread of the starting quotas; a level whose candidates all fail fails in turn. The search may
// walk every candidate of every level: it polls the worker at each.
TSysShort::TSearchEnd TSysShort::finishSearch(int Depth, bool Accept)
{
    startWalk();
    sortQuotas();
    bool wrapped = false;
    for (;;) {
        if (OnFinishPoll)
            OnFinishPoll();
        if (stopRequested())
            return TSearchEnd::Stopped;
        if (!keepWalkInRange(wrapped))
            return TSearchEnd::Failed;
        const int64_t rank = candidate();
        if (isTaken(rank)) {
            ++Position;
            continue;
        }
        take(rank, Accept);
        if (Depth == FinalCount) {
            if (!Accept && usageSpread() != Balance) {
                undo(rank, Accept);
                return TSearchEnd::Failed;
            }
            return TSearchEnd::Found;
        }
        const int64_t keptPosition = Position;
        const int keptPool = Pool;
        if (const TSearchEnd deeper = finishSearch(Depth + 1, Accept); deeper != TSearchEnd::Failed)
            return deeper;
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

void TSysShort::releaseWalk()
{
    ChosenSet.Reset(0);
    std::vector<int64_t>().swap(Chosen);
    Trial.clear();
    Memo.Reset(0);
    Completions.Clear();
    Exhausted.Clear();
    std::vector<TNumberSet>().swap(Suffixes);
}

void TSysShort::Clear()
{
    ClearCombs();
    releaseWalk();
    Comb.clear();
    Positions.clear();
    Quotas.clear();
    Usage.clear();
    TSystem::Clear();
}

TSysShort2::TSysShort2(const TGameData *Game) : TSysShort(Game)
{
    Kind = skShort2;
}
