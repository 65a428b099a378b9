#pragma once
// Optimal combinations: the combination of CombLen numbers that would have scored best over the working
// draws, either by the prize it would have won or by a weighted count of its hits in which one hit at a
// higher level outweighs any number of hits at the levels below. Fixed numbers are part of every
// combination; the rest is chosen from the pool of candidates that are not fixed. The exhaustive search
// sweeps the pool's combinations in index order in a worker and reports every new best at once.

#include "core/Currency.h"
#include "core/DynArrays.h"
#include "engine/UGame.h"
#include "engine/UGen.h"
#include "stats/UStatGeneral.h"

#include <cstdint>
#include <functional>
#include <vector>

// The stake of one combination of K numbers: a simple bet's price times the bets it stands for (K above
// the game's largest size costs as that size); 0 for K below the smallest size the game plays.
Currency TicketCost(const TGameInfo &G, int K);

class TStatBestComb : public TStat {
public:
    using TNewBestProc = std::function<void(TStatBestComb &Sender)>;

    TStatBestComb(const TGameInfo *Game, TProgressProc OnProgress, TNewBestProc OnNewBest,
                  TFinishedProc OnFinished);
    ~TStatBestComb() override;

    // Call after loading the draws. A running worker is stopped without its end handler; State :=
    // ssParams. std::invalid_argument unless the fixed numbers are candidates, 1 <= ACombLen <= N,
    // FixedCount <= ACombLen and, with weighted scoring, AHitFrom..AHitTo lies within the winning levels.
    void SetParams(bool AUseGA, int32_t AGenerations, int32_t ACombLen, const uint8_t *ACandidates,
                   int32_t CandCount, const uint8_t *AFixed, int32_t AFixedCount, bool AWeighted,
                   int32_t AHitFrom, int32_t AHitTo, bool ATiesReplace);
    // Runs the search in a worker; OnFinished follows on the GUI thread with State ssComputed or
    // ssStopped. Refused with State ssNoMemory and no worker (OnFinished called at once) when there are
    // no working draws or the pool holds fewer than GeneCount numbers; a genetic search also when prize
    // scoring has a stake of 0 or GeneCount is 0 (the fitness would divide by 0). Call on the GUI thread.
    void Start();
    void Stop();
    void Finished() override;

    // Hist, Score and (prize scoring) PrizeValue of Comb.
    void Evaluate();

    // The genetic fitness of Candidate (positions in Pool): its score per Normaliser (weighted) or its
    // prize per unit of stake; a new best is reported as in the exhaustive search.
    double Fitness(const TIndividual &Candidate);
    // One seed per working draw: the first GeneCount distinct pool numbers of the draws from it onwards,
    // ascending; the seeds end at the first draw whose remaining draws cannot complete one.
    void PrepareSeeds();
    // Seed I as positions in Pool.
    void GetSeed(TChromosome &Genes, int I) const;

    TNewBestProc OnNewBest;
    TGen Gen;
    bool UseGA = false;
    int32_t Generations = 0;
    long double Normaliser = 0;
    int32_t SeedCount = 0;
    std::vector<TDynByteArr> Seeds;
    TDynByteArr BestComb;
    double BestFitness = 0; // of BestComb
    int32_t TopHits = 0;
    THitsInfo HitsInfo;
    TDynBoolArr CandFlags;
    bool NeedsMapping = false;
    Currency TotalStake;
    // Weighted scoring: per level (index 0 the highest), (DrawCount + 1) to the power of the levels below.
    std::vector<long double> Weights;
    long double Score = 0;
    int32_t CombLen = 0;
    int32_t GeneCount = 0;
    int32_t PoolCount = 0;
    TDynByteArr Pool; // the candidates that are not fixed, ascending
    TDynByteArr Candidates;
    int32_t FixedCount = 0;
    TDynByteArr Fixed;
    bool Weighted = false;
    int32_t HitFrom = 0;
    int32_t HitTo = 0;
    bool TiesReplace = false;
    // The combination evaluated (the new best while OnNewBest runs; the exhaustive search fills it for
    // its bests only), its draws per hit level (index 0 the highest) and its prize.
    TDynByteArr Comb;
    TDynIntArr Hist;
    Currency PrizeValue;

private:
    void SearchAll(TMyThread &AThread);
    // Score and (prize scoring) PrizeValue of Hist.
    void ScoreHist();
    // PrizeValue := what Hist wins; a combination the game plays as several bets wins what they win.
    void ComputePrize();
    // Comb := the fixed numbers and the pool numbers at the GeneCount positions (1-based) of Positions,
    // ascending.
    void MapComb(const uint8_t *Positions);
    std::vector<int64_t> Expanded;
};
