#include "engine/USysGuar.h"

#include "core/MemoryEstimate.h"
#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "core/USort.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int GuarGenerations = 25;
constexpr int GuarPopSize = 50;

} // namespace

int64_t GuarMinCombs(int N, int K, int G, int H)
{
    const long double bound = std::floor(NewtonExt[size_t(N - H + G)][size_t(G)] / NewtonExt[size_t(K)][size_t(G)]);
    return bound < 1 ? 1 : bound >= 9.2e18L ? INT64_MAX : int64_t(bound);
}

TSysGuar::TSysGuar(const TGameData *Game) : TSystem(Game), Gen(true, nullptr, nullptr, &Progress)
{
    Kind = skGuar;
}

TSysGuar::~TSysGuar()
{
    // The worker reads the search tables declared after Thread: it goes first.
    Thread.reset();
}

bool TSysGuar::SetParams(int NewN, int NewK, int NewG, int NewH)
{
    if (NewG < 1 || NewG > std::min(NewH, NewK) || NewH > NewN || NewK > NewN || size_t(NewN) >= Newton.size())
        return false;
    TSystem::SetParams(NewN, NewK);
    State = 1;
    G = NewG;
    H = NewH;
    return true;
}

void TSysGuar::Start()
{
    StopWorker();
    if (Runner) {
        Runner->Run([this](TMyThread &Worker) { buildCaught(Worker); }, [this] { finished(); });
        return;
    }
    Thread = std::make_unique<TMyThread2>();
    Thread->Proc = [this](TMyThread &Worker) { buildCaught(Worker); };
    Thread->OnTerminate = [this](TMyThread &) { finished(); };
    Thread->Resume();
}

void TSysGuar::StopWorker()
{
    if (Runner)
        Runner->Stop();
    Thread.reset();
}

void TSysGuar::buildCaught(const TMyThread &Worker)
{
    try {
        Build(Worker);
    } catch (...) {
        stop(ExceptionText(std::current_exception()));
    }
}

void TSysGuar::finished()
{
    if (OnFinished)
        OnFinished(*this);
}

bool TSysGuar::stop(const std::string &Reason)
{
    freeWork();
    ClearCombs();
    Count = 0;
    State = 3;
    FailureText = Reason;
    return false;
}

void TSysGuar::Build(const TMyThread &Worker)
{
    FailureText.clear();
    ClearCombs();
    if (!prepare()) {
        if (buildFallback()) {
            Combs.SortByA(-1);
            RefreshView(true);
            State = 0;
        }
        return;
    }
    if (!allocate())
        return;
    Gen.SetFitness([this](const TIndividual &Candidate) { return fitness(Candidate); });
    const int64_t seeds = Newton[size_t(NPrime)][size_t(G)];
    const int64_t seedSteps = TGen::TotalSteps(GuarGenerations, GuarPopSize, 0, 1);
    Progress.Init(10000, seedSteps * seeds, 0);
    for (int64_t i = 1; i <= seeds; ++i) {
        if (Uncovered[size_t(i - 1)]) {
            if (OnPoll)
                OnPoll(Worker);
            IndexToComb(uint8_t(NPrime), uint8_t(G), Seed.data(), i);
            fillFree();
            genCover(Worker);
        }
        if (Gen.State == 3 || Worker.GetTerminated()) {
            stop("");
            return;
        }
        // A search advances the progress by at most a seed's steps, and most seeds are covered before
        // their turn: every seed passed counts whole, so the progress follows the seeds.
        Progress.Done = i * seedSteps;
        Progress.Advance(0);
    }
    completeRows();
    addRows();
    freeWork();
    Combs.SortByA(-1);
    RefreshView(true);
    State = 0;
}

bool TSysGuar::prepare()
{
    NPrime = N - H + G;
    NFree = N - H;
    KPrime = K - G;
    if (NFree == 0 || KPrime == 0)
        return false;
    KPrime = std::min(KPrime, NFree);
    return true;
}

bool TSysGuar::allocate()
{
    const int places = KPrime + G;
    const std::string reason = "Za mało pamięci na tablicę pokrycia " + std::to_string(NPrime) + " liczb po " +
                               std::to_string(G) + ".";
    if (!RankFits(NPrime, G) || !RankFits(places, G))
        return stop(reason);
    const long double subsets = NewtonExt[size_t(places)][size_t(G)];
    if (!TableFits(NewtonExt[size_t(NPrime)][size_t(G)], 1, MemoryShareWhole) ||
        !TableFits(subsets, size_t(G) + sizeof(int64_t), MemoryShareArray) || subsets > INT32_MAX ||
        !TryAllocate(Uncovered, uint64_t(Newton[size_t(NPrime)][size_t(G)])))
        return stop(reason);
    std::fill(Uncovered.begin(), Uncovered.end(), 1);
    SubsetCount = int(Newton[size_t(places)][size_t(G)]);
    Subsets.assign(size_t(SubsetCount) * size_t(G), 0);
    TDynByteArr comb(size_t(G), 0);
    for (int row = 0; row < SubsetCount; ++row) {
        NextComb(comb, uint8_t(places), uint8_t(G), row == 0);
        std::copy(comb.begin(), comb.end(), Subsets.begin() + ptrdiff_t(row) * G);
    }
    Indexes.assign(size_t(SubsetCount), 0);
    Free.assign(size_t(NFree), 0);
    Seed.assign(size_t(G), 0);
    Current.assign(size_t(places), 0);
    Pick.assign(size_t(G), 0);
    Built.clear();
    BuiltCount = 0;
    return true;
}

bool TSysGuar::buildFallback()
{
    const long double rows = NewtonExt[size_t(NPrime)][size_t(G)];
    if (rows > INT32_MAX || !TableFits(rows, 2 * size_t(K) + 1, MemoryShareWhole))
        return stop("Za mało pamięci na " + std::to_string(int64_t(rows)) + " zakładów.");
    // With H = N and K > G there is one row, 1..K, which holds all G numbers of 1..N'.
    const int count = int(rows);
    const int range = std::max(NPrime, K);
    TDynByteArr comb(size_t(K), 0);
    Combs.SetCapacity(count);
    for (int row = 0; row < count; ++row) {
        NextComb(comb, uint8_t(range), uint8_t(K), row == 0);
        Combs.Add(TCombRow{0, comb.data(), comb.data()}, true);
    }
    Count = count;
    return true;
}

void TSysGuar::fillFree()
{
    int filled = 0;
    for (uint8_t number = 1; filled < NFree; ++number)
        if (std::find(Seed.begin(), Seed.end(), number) == Seed.end())
            Free[size_t(filled++)] = number;
}

void TSysGuar::genCover(const TMyThread &Worker)
{
    Gen.Init(KPrime, NFree, GuarGenerations, GuarPopSize, 1, 0, 1.0, 0.001, 1.0);
    Gen.Run(&Worker);
    if (Gen.State == 3)
        return;
    rankCurrent(Gen.BestFlags);
    for (int64_t index : Indexes)
        Uncovered[size_t(index - 1)] = 0;
    Built.resize(Built.size() + size_t(K), 0);
    std::copy(Current.begin(), Current.end(), Built.end() - K);
    ++BuiltCount;
}

int64_t TSysGuar::rankCurrent(const TDynByteArr &Flags)
{
    int placed = 0;
    for (int i = 0; i < NFree; ++i)
        if (Flags[size_t(i)])
            Current[size_t(placed++)] = Free[size_t(i)];
    std::copy(Seed.begin(), Seed.end(), Current.begin() + placed);
    SortBytes(Current.data(), KPrime + G);
    int64_t uncovered = 0;
    const uint8_t *row = Subsets.data();
    for (int s = 0; s < SubsetCount; ++s, row += G) {
        for (int j = 0; j < G; ++j)
            Pick[size_t(j)] = Current[size_t(row[j] - 1)];
        const int64_t index = CombToIndex(uint8_t(NPrime), uint8_t(G), Pick.data());
        Indexes[size_t(s)] = index;
        uncovered += Uncovered[size_t(index - 1)];
    }
    return uncovered;
}

double TSysGuar::fitness(const TIndividual &Candidate)
{
    return double(rankCurrent(Candidate.Flags)) / SubsetCount;
}

void TSysGuar::completeRows()
{
    const int extra = K - KPrime - G;
    if (extra == 0)
        return;
    const int range = N - NPrime;
    const int64_t subsets = Newton[size_t(range)][size_t(extra)];
    TDynByteArr comb(size_t(extra), 0);
    for (int row = 0; row < BuiltCount; ++row) {
        NextComb(comb, uint8_t(range), uint8_t(extra), row % subsets == 0);
        uint8_t *tail = Built.data() + ptrdiff_t(row) * K + KPrime + G;
        for (int j = 0; j < extra; ++j)
            tail[j] = uint8_t(comb[size_t(j)] + NPrime);
    }
}

void TSysGuar::addRows()
{
    Combs.SetCapacity(BuiltCount);
    for (int row = 0; row < BuiltCount; ++row) {
        const uint8_t *comb = Built.data() + ptrdiff_t(row) * K;
        Combs.Add(TCombRow{0, comb, comb}, true);
    }
    Count = BuiltCount;
}

void TSysGuar::freeWork()
{
    for (TDynByteArr *work : {&Uncovered, &Subsets, &Free, &Seed, &Current, &Pick, &Built})
        TDynByteArr().swap(*work);
    std::vector<int64_t>().swap(Indexes);
    BuiltCount = 0;
}

void TSysGuar::SaveParams(platform::ByteWriter &Stream) const
{
    TSystem::SaveParams(Stream);
    Stream.put<uint8_t>(uint8_t(K));
    Stream.put<uint8_t>(uint8_t(N));
    Stream.put<uint8_t>(uint8_t(G));
    Stream.put<uint8_t>(uint8_t(H));
    Stream.put<int32_t>(int32_t(GetCount()));
}

bool TSysGuar::LoadParams(platform::ByteReader &Stream)
{
    uint8_t k = 0, n = 0, g = 0, h = 0;
    int32_t count = 0;
    if (!TSystem::LoadParams(Stream) || !Stream.get(k) || !Stream.get(n) || !Stream.get(g) || !Stream.get(h) ||
        !Stream.get(count) || count < 0 || !SetParams(n, k, g, h))
        return false;
    Count = count;
    return true;
}

void TSysGuar::Assign(const TSystem &Source)
{
    if (&Source == this)
        return;
    if (const auto *guar = dynamic_cast<const TSysGuar *>(&Source))
        SetParams(guar->N, guar->K, guar->G, guar->H);
    TSystem::Assign(Source);
}

std::string TSysGuar::GetName(bool Short) const
{
    return Short ? "Gwarancyjny" : "System gwarancyjny";
}

std::string TSysGuar::GetDescription(bool Short) const
{
    return GetName(Short) + " " + std::to_string(K) + "/" + std::to_string(N) + "/" + std::to_string(G) + "/" +
           std::to_string(H);
}
