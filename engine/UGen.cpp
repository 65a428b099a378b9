#include "engine/UGen.h"

#include "core/Knutt.h"
#include "core/UGlobalThreads.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

TIndividual makeIndividual(int NA, int NB)
{
    return TIndividual{TDynByteArr(size_t(NA), 0), TChromosome(size_t(NB), 0), 0};
}

void flagsFromGenes(TIndividual &I)
{
    std::fill(I.Flags.begin(), I.Flags.end(), 0);
    for (uint8_t g : I.Genes)
        I.Flags[size_t(g - 1)] = 1;
}

} // namespace

TGen::TGen(bool SharedProgress, TProgressProc OnProgress, TGenSeed NewOnSeed, TProgress *SharedTo)
    : OnSeed(std::move(NewOnSeed)), Progress(SharedTo)
{
    RandomizeFromClock();
    SetSeed(RandomFloat());
    if (!SharedProgress) {
        OwnProgress = std::make_unique<TProgress>();
        OwnProgress->OnProgress = std::move(OnProgress);
        Progress = OwnProgress.get();
    }
    Sort.SetCallbacks(
        1, [this](int I, int J) { std::swap(Pool[size_t(I)], Pool[size_t(J)]); },
        [this](int I, int J, int Param) { return CompareKeys(Pool[size_t(I)].Fitness, Pool[size_t(J)].Fitness, Param); });
}

void TGen::SetSeed(double Seed)
{
    PendingSeed = Seed > 0 && Seed < 1 ? Seed : 0.5;
}

void TGen::Init(int NewNB, int NewNA, int NewGenerations, int NewPopSize, int NewInitFactor, int NewSeedCount,
                double NewPc, double NewPm, double NewStopValue)
{
    State = 1;
    NB = NewNB;
    NA = NewNA;
    Generations = NewGenerations;
    PopSize = NewPopSize + (NewPopSize & 1);
    InitFactor = std::max(1, NewInitFactor);
    SeedCount = NewSeedCount;
    Pc = NewPc;
    Pm = NewPm;
    StopValue = NewStopValue;
    Pool.clear();
    Pop.assign(size_t(PopSize), makeIndividual(NA, NB));
    Next.assign(size_t(PopSize), makeIndividual(NA, NB));
    BestFlags.assign(size_t(NA), 0);
    BestGenes.assign(size_t(NB), 0);
    Mating.assign(size_t(PopSize), 0);
    Remainders.assign(size_t(PopSize), 0);
    for (TDynByteArr *list : {&Common, &POnly, &QOnly, &FreeX, &FreeY})
        list->assign(size_t(NA), 0);
    BestFitness = 0;
    BestGeneration = 1;
}

int64_t TGen::TotalSteps(int Generations, int PopSize, int SeedCount, int InitFactor)
{
    return int64_t(Generations) * PopSize + int64_t(PopSize) * InitFactor + SeedCount;
}

bool TGen::stopped() const
{
    return Thread && Thread->GetTerminated();
}

void TGen::Run(const TMyThread *NewThread)
{
    Thread = NewThread;
    State = 0;
    if (PendingSeed > 0) {
        SeedRandom(PendingSeed);
        PendingSeed = 0;
    }
    if (OwnProgress)
        Progress->Init(10000, TotalSteps(Generations, PopSize, SeedCount, InitFactor), 0);
    if (!initialPopulation())
        return;
    scale();
    for (Generation = 1; Generation <= Generations;) {
        if (!nextGeneration())
            return;
        std::swap(Pop, Next);
        scale();
        ++Generation;
    }
}

bool TGen::initialPopulation()
{
    const int randomEnd = PopSize * InitFactor;
    Pool.assign(size_t(randomEnd + SeedCount), makeIndividual(NA, NB));
    // Spread candidates: 1..NA in turn, NB each; at most the random share of the pool.
    const int spread = std::min((NA + NB - 1) / NB, randomEnd);
    int number = 0;
    for (int i = 0; i < spread; ++i) {
        for (uint8_t &g : Pool[size_t(i)].Genes) {
            g = uint8_t(number + 1);
            number = (number + 1) % NA;
        }
        flagsFromGenes(Pool[size_t(i)]);
    }
    const auto endsRun = [this](TIndividual &I) {
        if (scoreCandidate(I))
            return true;
        if (stopped()) {
            State = 3;
            return true;
        }
        Progress->Advance(1);
        return false;
    };
    for (int i = spread; i < randomEnd; ++i) {
        randomIndividual(Pool[size_t(i)]);
        if (endsRun(Pool[size_t(i)]))
            return false;
    }
    for (int i = 0; i < SeedCount; ++i) {
        TIndividual &seed = Pool[size_t(randomEnd + i)];
        OnSeed(seed.Genes, i);
        flagsFromGenes(seed);
        if (endsRun(seed))
            return false;
    }
    Sort.Sort(0, int(Pool.size()) - 1);
    for (int i = 0; i < PopSize; ++i)
        Pop[size_t(i)] = std::move(Pool[size_t(i)]);
    Pool.clear();
    return true;
}

void TGen::randomIndividual(TIndividual &I)
{
    std::fill(I.Flags.begin(), I.Flags.end(), 0);
    for (int set = 0; set < NB;) {
        uint8_t &flag = I.Flags[size_t(RandomInRange(0, NA - 1))];
        set += flag == 0;
        flag = 1;
    }
    for (int n = 0, g = 0; n < NA; ++n)
        if (I.Flags[size_t(n)])
            I.Genes[size_t(g++)] = uint8_t(n + 1);
}

bool TGen::scoreCandidate(TIndividual &I)
{
    I.Fitness = Fitness(I);
    if (I.Fitness > BestFitness)
        makeBest(I);
    return BestFitness >= StopValue;
}

void TGen::makeBest(const TIndividual &I)
{
    BestFlags = I.Flags;
    BestGenes = I.Genes;
    BestFitness = I.Fitness;
}

void TGen::scale()
{
    double sum = 0, mn = Pop[0].Fitness, mx = Pop[0].Fitness;
    for (const TIndividual &I : Pop) {
        sum += I.Fitness;
        mn = std::min(mn, I.Fitness);
        mx = std::max(mx, I.Fitness);
    }
    const double avg = sum / PopSize;
    double a = 1, b = 0;
    if (2 * avg - mx >= mn) {
        const double delta = avg - mn;
        if (delta == 0)
            return;
        a = avg / delta;
        b = -mn * avg / delta;
    } else {
        const double delta = mx - avg;
        if (delta == 0)
            return;
        a = avg / delta;
        b = (mx - 2 * avg) * avg / delta;
    }
    for (TIndividual &I : Pop)
        I.Fitness = a * I.Fitness + b;
}

void TGen::select()
{
    MatingCount = PopSize;
    double sum = 0;
    for (const TIndividual &I : Pop)
        sum += I.Fitness;
    const double avg = sum / PopSize;
    int placed = 0;
    if (avg <= 0) {
        // Expected counts are undefined: every individual once.
        for (int i = 0; i < PopSize; ++i)
            Mating[size_t(i)] = i;
        return;
    }
    for (int i = 0; i < PopSize; ++i) {
        const double expected = Pop[size_t(i)].Fitness / avg;
        const double whole = std::trunc(expected);
        Remainders[size_t(i)] = expected - whole;
        for (int c = 0; c < int(whole) && placed < PopSize; ++c)
            Mating[size_t(placed++)] = i;
    }
    while (placed < PopSize) {
        bool anyLeft = false;
        for (int i = 0; i < PopSize && placed < PopSize; ++i) {
            double &r = Remainders[size_t(i)];
            if (r <= 0)
                continue;
            anyLeft = true;
            if (RandomChance(r)) {
                Mating[size_t(placed++)] = i;
                r -= 1;
            }
        }
        // Rounding left no fractions for the last places.
        for (int i = 0; !anyLeft && placed < PopSize; ++i)
            Mating[size_t(placed++)] = i;
    }
}

int TGen::pickParent()
{
    const int at = RandomInRange(0, MatingCount - 1);
    const int parent = Mating[size_t(at)];
    Mating[size_t(at)] = Mating[size_t(--MatingCount)];
    return parent;
}

bool TGen::nextGeneration()
{
    select();
    for (int j = 0; j < PopSize; j += 2) {
        const TIndividual &p = Pop[size_t(pickParent())];
        const TIndividual &q = Pop[size_t(pickParent())];
        TIndividual &x = Next[size_t(j)];
        TIndividual &y = Next[size_t(j + 1)];
        if (RandomChance(Pc)) {
            crossover(p, q, x, y);
        } else {
            x.Genes = p.Genes;
            x.Flags = p.Flags;
            y.Genes = q.Genes;
            y.Flags = q.Flags;
        }
        x.Fitness = Fitness(x);
        y.Fitness = Fitness(y);
        const TIndividual &better = y.Fitness > x.Fitness ? y : x;
        if (better.Fitness > BestFitness) {
            makeBest(better);
            BestGeneration = Generation;
            if (BestFitness >= StopValue)
                return false;
        }
        if (stopped()) {
            State = 3;
            return false;
        }
        Progress->Advance(2);
    }
    return true;
}

void TGen::crossover(const TIndividual &P, const TIndividual &Q, TIndividual &X, TIndividual &Y)
{
    int common = 0, d = 0, dq = 0;
    for (int n = 0; n < NA; ++n) {
        const bool inP = P.Flags[size_t(n)], inQ = Q.Flags[size_t(n)];
        if (inP && inQ)
            Common[size_t(common++)] = uint8_t(n + 1);
        else if (inP)
            POnly[size_t(d++)] = uint8_t(n + 1);
        else if (inQ)
            QOnly[size_t(dq++)] = uint8_t(n + 1);
    }
    if (d < 2) {
        X.Genes = P.Genes;
        X.Flags = P.Flags;
        Y.Genes = Q.Genes;
        Y.Flags = Q.Flags;
        return;
    }
    const int r = RandomInRange(0, d - 1);
    std::copy_n(Common.begin(), common, X.Genes.begin());
    std::copy_n(Common.begin(), common, Y.Genes.begin());
    std::copy_n(POnly.begin(), r, X.Genes.begin() + common);
    std::copy_n(QOnly.begin(), r, Y.Genes.begin() + common);
    std::copy(QOnly.begin() + r, QOnly.begin() + d, X.Genes.begin() + common + r);
    std::copy(POnly.begin() + r, POnly.begin() + d, Y.Genes.begin() + common + r);
    flagsFromGenes(X);
    flagsFromGenes(Y);
    mutate(X, Y, d + r);
}

void TGen::fillFree(const TIndividual &I, TDynByteArr &Free, int &FreeCount) const
{
    FreeCount = 0;
    for (int n = 0; n < NA; ++n)
        if (!I.Flags[size_t(n)])
            Free[size_t(FreeCount++)] = uint8_t(n + 1);
}

void TGen::mutate(TIndividual &X, TIndividual &Y, int From)
{
    if (From >= NB)
        return;
    int freeX = 0, freeY = 0;
    fillFree(X, FreeX, freeX);
    fillFree(Y, FreeY, freeY);
    const auto mutateAt = [this](TIndividual &I, int Pos, TDynByteArr &Free, int &FreeCount) {
        if (FreeCount == 0 || !RandomChance(Pm))
            return;
        const int at = RandomInRange(0, FreeCount - 1);
        uint8_t &gene = I.Genes[size_t(Pos)];
        I.Flags[size_t(gene - 1)] = 0;
        gene = Free[size_t(at)];
        I.Flags[size_t(gene - 1)] = 1;
        Free[size_t(at)] = Free[size_t(--FreeCount)];
    };
    for (int i = From; i < NB; ++i) {
        mutateAt(X, i, FreeX, freeX);
        mutateAt(Y, i, FreeY, freeY);
    }
}
