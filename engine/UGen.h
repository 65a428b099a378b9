#pragma once
// A genetic search for the best set of NB distinct numbers out of 1..NA: linear fitness scaling,
// remainder stochastic selection, crossover on the numbers the parents do not share, and mutation.
// The caller scores a candidate; the best candidate found is kept. Run works in the caller's worker.

#include "core/DynArrays.h"
#include "core/UGlobalProgress.h"
#include "core/USort.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TMyThread;

using TChromosome = TDynByteArr;

struct TIndividual {
    TDynByteArr Flags; // 1 at number - 1 for each number of the candidate
    TChromosome Genes; // the NB numbers
    double Fitness = 0;
};

using TPopulation = std::vector<TIndividual>;
// The score of a candidate, larger is better.
using TGenFitness = std::function<double(const TIndividual &Candidate)>;
// Writes the NB numbers of seed candidate Index (0-based).
using TGenSeed = std::function<void(TChromosome &Genes, int Index)>;

class TGen {
public:
    // Takes a seed from the clock; the first Run seeds its thread's generator with it. With SharedProgress
    // the caller's Progress is advanced, else an own one that reports through OnProgress.
    TGen(bool SharedProgress, TProgressProc OnProgress, TGenSeed OnSeed, TProgress *Progress);

    // State 1, the best cleared, the populations sized. An odd PopSize is taken as the next even one.
    void Init(int NewNB, int NewNA, int NewGenerations, int NewPopSize, int NewInitFactor, int NewSeedCount,
              double NewPc, double NewPm, double NewStopValue);
    void SetFitness(TGenFitness NewFitness) { Fitness = std::move(NewFitness); }
    // The next Run seeds its thread's generator with Seed in (0, 1).
    void SetSeed(double Seed);
    static int64_t TotalSteps(int Generations, int PopSize, int SeedCount, int InitFactor);
    // The search, polling Thread (may be null) to stop: State 0 when it ran to its end or met the stop
    // value, 3 when stopped; the best found is kept either way.
    void Run(const TMyThread *Thread);

    uint8_t State = 0;
    TDynByteArr BestFlags;
    TChromosome BestGenes;
    double BestFitness = 0;
    int BestGeneration = 1;

private:
    bool stopped() const;
    // False when the run ends here (stop value met or stopped).
    bool initialPopulation();
    void randomIndividual(TIndividual &I);
    // True when the candidate's score meets the stop value.
    bool scoreCandidate(TIndividual &I);
    void makeBest(const TIndividual &I);
    void scale();
    void select();
    int pickParent();
    // False when the run ends here.
    bool nextGeneration();
    void crossover(const TIndividual &P, const TIndividual &Q, TIndividual &X, TIndividual &Y);
    void mutate(TIndividual &X, TIndividual &Y, int From);
    void fillFree(const TIndividual &I, TDynByteArr &Free, int &FreeCount) const;

    TDynByteArr Common, POnly, QOnly, FreeX, FreeY;
    TGenSeed OnSeed;
    const TMyThread *Thread = nullptr;
    TPopulation Pool, Pop, Next;
    TDynIntArr Mating;
    std::vector<double> Remainders;
    int MatingCount = 0;
    int NA = 0, NB = 0, PopSize = 0, SeedCount = 0, InitFactor = 1, Generation = 0, Generations = 0;
    double Pc = 1, Pm = 0, StopValue = 1;
    double PendingSeed = 0; // 0 once the generator of a run was seeded with it
    TGenFitness Fitness;
    TSort Sort;
    std::unique_ptr<TProgress> OwnProgress;
    TProgress *Progress;
};
