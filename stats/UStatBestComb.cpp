#include "stats/UStatBestComb.h"

#include "core/UComb.h"
#include "core/USort.h"
#include "stats/PoolHitSweep.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

Currency TicketCost(const TGameInfo &G, int K)
{
    if (K < G.MinK)
        return Currency();
    return BetCost(G, std::min(K, int(G.MaxK)), 1);
}

TStatBestComb::TStatBestComb(const TGameInfo *Game, TProgressProc OnProgress, TNewBestProc OnNewBest,
                             TFinishedProc OnFinished)
    : TStat(Game, nullptr, OnProgress), OnNewBest(std::move(OnNewBest)),
      Gen(
          false, std::move(OnProgress), [this](TChromosome &Genes, int I) { GetSeed(Genes, I); }, nullptr)
{
    this->OnFinished = std::move(OnFinished);
    CandFlags.assign(static_cast<size_t>(N), false);
}

TStatBestComb::~TStatBestComb()
{
    Thread.reset(); // the worker reads this object's members
}

void TStatBestComb::SetParams(bool AUseGA, int32_t AGenerations, int32_t ACombLen, const uint8_t *ACandidates,
                              int32_t CandCount, const uint8_t *AFixed, int32_t AFixedCount, bool AWeighted,
                              int32_t AHitFrom, int32_t AHitTo, bool ATiesReplace)
{
    if (ACombLen < 1 || ACombLen > N || AFixedCount > ACombLen || AFixedCount > CandCount)
        throw std::invalid_argument("TStatBestComb::SetParams: combination length outside 1..N");
    TDynByteArr candidates(ACandidates, ACandidates + CandCount), fixed(AFixed, AFixed + AFixedCount);
    SortBytes(candidates.data(), CandCount);
    SortBytes(fixed.data(), AFixedCount);
    if (!std::includes(candidates.begin(), candidates.end(), fixed.begin(), fixed.end()))
        throw std::invalid_argument("TStatBestComb::SetParams: a fixed number is no candidate");
    THitsInfo hitsInfo;
    hitsInfo.Init(*Game, N, std::min(ACombLen, int32_t(Game->MaxK)), false);
    if (AWeighted && (AHitFrom < hitsInfo.LowHits || AHitFrom > AHitTo || AHitTo > hitsInfo.HighHits))
        throw std::invalid_argument("TStatBestComb::SetParams: hit levels outside the winning levels");
    DropWorker();
    State = ssParams;
    UseGA = AUseGA;
    Generations = AGenerations;
    CombLen = ACombLen;
    FixedCount = AFixedCount;
    GeneCount = CombLen - FixedCount;
    Fixed = std::move(fixed);
    Candidates = std::move(candidates);
    PoolCount = CombDifference(CandCount, FixedCount, Candidates.data(), Fixed.data(), Pool);
    Weighted = AWeighted;
    HitFrom = AHitFrom;
    HitTo = AHitTo;
    TiesReplace = ATiesReplace;

    CandFlags.assign(static_cast<size_t>(N), false);
    NeedsMapping = FixedCount > 0 || UseGA;
    for (int32_t i = 0; i < PoolCount; ++i) {
        CandFlags[Pool[static_cast<size_t>(i)] - 1u] = true;
        NeedsMapping = NeedsMapping || Pool[static_cast<size_t>(i)] != i + 1;
    }

    TopHits = std::min(CombLen, int32_t(Game->MaxK));
    HitsInfo = std::move(hitsInfo);
    Comb.assign(static_cast<size_t>(CombLen), 0);
    BestComb.assign(static_cast<size_t>(CombLen), 0);
    Hist.assign(static_cast<size_t>(HitsInfo.LevelCount), 0);
    Expanded.assign(Hist.size(), 0);
    TotalStake = TicketCost(*Game, CombLen) * DrawCount;
    Weights.resize(Hist.size());
    for (size_t i = 0; i < Weights.size(); ++i)
        Weights[i] = std::pow(static_cast<long double>(DrawCount) + 1,
                              static_cast<long double>(Weights.size() - 1 - i));
    Normaliser = Weighted ? DrawCount * Weights[static_cast<size_t>(HitsInfo.HighHits - HitTo)] : 0;
}

void TStatBestComb::Start()
{
    DropWorker();
    State = ssParams;
    // No draws to score on, or a pool too small for the combination: refused.
    const bool gaUnscorable = UseGA && (GeneCount == 0 || (!Weighted && TotalStake == Currency()));
    if (DrawCount == 0 || GeneCount > PoolCount || gaUnscorable) {
        State = ssNoMemory;
        Finished();
        return;
    }
    SortDraws(-1);
    BuildHitMaps();
    if (!UseGA) {
        StartWorker([this](TMyThread &AThread) { SearchAll(AThread); });
        return;
    }
    PrepareSeeds();
    BestFitness = 0;
    Gen.Init(GeneCount, PoolCount, Generations, 200, 10, SeedCount, 1.0, 0.001, 1.0);
    Gen.SetFitness([this](const TIndividual &Candidate) { return Fitness(Candidate); });
    StartWorker([this](TMyThread &AThread) {
        Gen.Run(&AThread);
        State = Gen.State;
    });
}

void TStatBestComb::Stop()
{
    StopWorker();
}

void TStatBestComb::Finished()
{
    if (OnFinished)
        OnFinished();
}

void TStatBestComb::Evaluate()
{
    std::fill(Hist.begin(), Hist.end(), 0);
    for (const TStatDraw &draw : Draws) {
        const int hits = std::min(CountInSet(CombLen, Comb.data(), draw.Hits), TopHits);
        if (hits >= HitsInfo.LowHits && hits <= HitsInfo.HighHits)
            ++Hist[static_cast<size_t>(HitsInfo.HighHits - hits)];
    }
    ScoreHist();
}

void TStatBestComb::ScoreHist()
{
    if (Weighted) {
        Score = 0;
        for (int32_t level = HitFrom; level <= HitTo; ++level) {
            const auto i = static_cast<size_t>(HitsInfo.HighHits - level);
            Score += Hist[i] * Weights[i];
        }
    } else {
        ComputePrize();
        Score = static_cast<long double>(PrizeValue.count()) / Currency::Scale;
    }
}

void TStatBestComb::ComputePrize()
{
    std::copy(Hist.begin(), Hist.end(), Expanded.begin());
    const int levels = static_cast<int>(Expanded.size());
    if (IsMultiBet(*Game, CombLen))
        ExpandHits(*Game, TopHits, HitsInfo.HighHits, Expanded.data(), levels);
    PrizeValue = WinAmount(*Game, TopHits, HitsInfo.HighHits, Expanded.data(), levels);
}

void TStatBestComb::MapComb(const uint8_t *Positions)
{
    if (!NeedsMapping) {
        std::copy(Positions, Positions + GeneCount, Comb.begin());
        return;
    }
    for (int32_t i = 0; i < GeneCount; ++i)
        Comb[static_cast<size_t>(i)] = Pool[Positions[i] - 1u];
    std::copy(Fixed.begin(), Fixed.end(), Comb.begin() + GeneCount);
    std::sort(Comb.begin(), Comb.end()); // a genetic candidate's positions need not be ascending
}

void TStatBestComb::SearchAll(TMyThread &AThread)
{
    const int64_t total = Newton[static_cast<size_t>(PoolCount)][static_cast<size_t>(GeneCount)];
    Progress.Init(10000.0, total, 0);
    TPoolHitSweep sweep(Draws, Pool, Fixed, GeneCount, TopHits, HitsInfo.LowHits, HitsInfo.HighHits);
    long double best = 0;
    const bool whole = sweep.Run([&](const uint8_t *Positions, const int32_t *Levels) {
        std::copy(Levels, Levels + Hist.size(), Hist.begin());
        ScoreHist();
        if (Score > best || (Score == best && TiesReplace)) {
            best = Score;
            MapComb(Positions);
            if (Weighted)
                ComputePrize();
            if (OnNewBest)
                OnNewBest(*this);
        }
        if (CheckStopped(AThread))
            return false;
        Progress.Advance(1);
        return true;
    });
    if (whole)
        State = ssComputed;
}

double TStatBestComb::Fitness(const TIndividual &Candidate)
{
    MapComb(Candidate.Genes.data());
    Evaluate();
    const long double fitness = Weighted ? Score / Normaliser
                                         : static_cast<long double>(PrizeValue.count()) /
                                               static_cast<long double>(TotalStake.count());
    const auto result = static_cast<double>(fitness);
    // Against the best reported, not the optimiser's: it scores a pair of children before keeping the
    // better, so the worse child may also beat its best.
    if (result > BestFitness || (result == BestFitness && TiesReplace && Comb != BestComb)) {
        BestFitness = result;
        BestComb = Comb;
        if (Weighted)
            ComputePrize();
        if (OnNewBest)
            OnNewBest(*this);
    }
    return result;
}

void TStatBestComb::PrepareSeeds()
{
    Seeds.clear();
    TDynBoolArr taken(static_cast<size_t>(N), false);
    for (int32_t i = 0; i < DrawCount; ++i) {
        std::fill(taken.begin(), taken.end(), false);
        TDynByteArr seed;
        for (int32_t d = i; d < DrawCount && int32_t(seed.size()) < GeneCount; ++d)
            for (uint8_t number : Draws[static_cast<size_t>(d)].Numbers)
                if (int32_t(seed.size()) < GeneCount && CandFlags[number - 1u] && !taken[number - 1u]) {
                    taken[number - 1u] = true;
                    seed.push_back(number);
                }
        if (int32_t(seed.size()) < GeneCount)
            break;
        std::sort(seed.begin(), seed.end());
        Seeds.push_back(std::move(seed));
    }
    SeedCount = static_cast<int32_t>(Seeds.size());
}

void TStatBestComb::GetSeed(TChromosome &Genes, int I) const
{
    const TDynByteArr &seed = Seeds[static_cast<size_t>(I)];
    for (size_t j = 0; j < seed.size(); ++j)
        Genes[j] =
            static_cast<uint8_t>(std::lower_bound(Pool.begin(), Pool.end(), seed[j]) - Pool.begin() + 1);
}
