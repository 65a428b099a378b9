#include "engine/UGen.h"

#include "core/UGlobalThreads.h"
#include "tests/support/ByteOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

using Genes = std::vector<uint8_t>;
// Individuals as a whole, in any order.
using GenePool = std::multiset<Genes, testsupport::ByteOrder>;
using GeneSet = std::set<Genes, testsupport::ByteOrder>;

Genes sorted(const Genes &G)
{
    Genes s = G;
    std::sort(s.begin(), s.end());
    return s;
}

// Every scored candidate's genes, sorted, after checking that its flags match them.
struct Recorder {
    std::vector<Genes> Scored;
    double operator()(const TIndividual &I)
    {
        std::vector<uint8_t> flags(I.Flags.size(), 0);
        for (uint8_t g : I.Genes)
            flags[size_t(g - 1)] = 1;
        EXPECT_EQ(flags, I.Flags);
        Scored.push_back(sorted(I.Genes));
        return 0;
    }
};

TEST(Gen, FindsAHiddenSetAndRepeatsUnderOneSeed)
{
    const Genes hidden{3, 8, 11, 17, 24, 29};
    const auto share = [&](const TIndividual &I) {
        int hits = 0;
        for (uint8_t n : hidden)
            hits += I.Flags[size_t(n - 1)];
        return double(hits) / double(hidden.size());
    };
    std::vector<std::vector<Genes>> runs;
    for (int copy = 0; copy < 2; ++copy) {
        TGen gen(false, nullptr, nullptr, nullptr);
        gen.SetSeed(0.37);
        gen.Init(6, 30, 400, 50, 1, 0, 1.0, 0.05, 1.0);
        std::vector<Genes> scored;
        gen.SetFitness([&](const TIndividual &I) {
            scored.push_back(sorted(I.Genes));
            return share(I);
        });
        gen.Run(nullptr);
        EXPECT_EQ(gen.State, 0);
        EXPECT_EQ(gen.BestFitness, 1.0);
        EXPECT_EQ(sorted(gen.BestGenes), hidden);
        EXPECT_EQ(share(TIndividual{gen.BestFlags, {}, 0}), 1.0);
        EXPECT_GT(gen.BestGeneration, 1);
        runs.push_back(scored);
        // A second run goes on drawing instead of replaying the first.
        gen.Init(6, 30, 3, 50, 1, 0, 1.0, 0.05, 1.0);
        scored.clear();
        gen.Run(nullptr);
        runs.push_back(scored);
    }
    EXPECT_EQ(runs[0], runs[2]);
    EXPECT_EQ(runs[1], runs[3]);
    EXPECT_NE(std::vector<Genes>(runs[1].begin(), runs[1].begin() + 40),
              std::vector<Genes>(runs[0].begin(), runs[0].begin() + 40));
}

// Only the random candidates of the initial population are scored; the first already meets the stop value.
// Without crossover the first generation copies the parents: at zero fitness each once, so for NA 10,
// NB 3 and a pool of 4 the spread candidates 1..10 (and on from 1).
TEST(Gen, InitialPopulation)
{
    TGen gen(false, nullptr, nullptr, nullptr);
    gen.Init(3, 9, 10, 10, 1, 0, 1.0, 0.001, 1.0);
    std::vector<Genes> scored;
    gen.SetFitness([&](const TIndividual &I) {
        scored.push_back(I.Genes);
        return 1.0;
    });
    gen.Run(nullptr);
    ASSERT_EQ(scored.size(), 1u);
    EXPECT_EQ(gen.State, 0);
    EXPECT_EQ(gen.BestGenes, scored[0]);
    EXPECT_TRUE(std::is_sorted(scored[0].begin(), scored[0].end()));
    gen.Init(3, 10, 1, 4, 1, 0, 0.0, 0.0, 1.0);
    Recorder rec;
    gen.SetFitness(std::ref(rec));
    gen.Run(nullptr);
    EXPECT_EQ(GenePool(rec.Scored.begin(), rec.Scored.end()),
              (GenePool{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {1, 2, 10}}));
}

// NA 60, NB 1, a pool of 50: the spread candidates fill the pool (1..50, none scored) and parents never
// differ in two numbers, so every child of every generation is a copy of one of them.
TEST(Gen, SpreadCandidatesAreCappedAndCloseParentsAreCopied)
{
    TGen gen(false, nullptr, nullptr, nullptr);
    gen.SetSeed(0.2);
    gen.Init(1, 60, 7, 50, 1, 0, 1.0, 1.0, 1.0);
    Recorder rec;
    gen.SetFitness(std::ref(rec));
    gen.Run(nullptr);
    EXPECT_EQ(gen.State, 0);
    ASSERT_EQ(rec.Scored.size(), 7u * 50u);
    // Zero fitness fills Mating with each individual once, so every generation is 1..50 again.
    GenePool gen1(rec.Scored.begin(), rec.Scored.begin() + 50);
    GenePool spread;
    for (uint8_t n = 1; n <= 50; ++n)
        spread.insert(Genes{n});
    EXPECT_EQ(gen1, spread);
    EXPECT_EQ(GenePool(rec.Scored.end() - 50, rec.Scored.end()), spread);
}

// Two parents, the spread candidates 1..6 and 7..12: at Pc 1.0 every pair comes from a cut r, one child
// holding 1..r and 7+r..12, the other the rest.
TEST(Gen, CrossoverCutsEveryPairAtPcOne)
{
    std::set<GeneSet, testsupport::ByteOrder> pairs;
    for (int seed = 1; seed <= 20; ++seed) {
        TGen gen(false, nullptr, nullptr, nullptr);
        gen.SetSeed(seed / 21.0);
        gen.Init(6, 12, 1, 2, 1, 0, 1.0, 0.0, 1.0);
        Recorder rec;
        gen.SetFitness(std::ref(rec));
        gen.Run(nullptr);
        pairs.insert(GeneSet(rec.Scored.begin(), rec.Scored.end()));
    }
    std::set<GeneSet, testsupport::ByteOrder> cuts;
    for (int r = 0; r < 6; ++r) {
        Genes a, b;
        for (uint8_t n = 1; n <= 12; ++n)
            ((n <= r || n >= 7 + r) ? a : b).push_back(n);
        cuts.insert({a, b});
    }
    EXPECT_TRUE(std::includes(cuts.begin(), cuts.end(), pairs.begin(), pairs.end()));
    EXPECT_GE(pairs.size(), 4u);
}

// A stop asked from the fitness callback ends the run at that candidate, State 3, with the best kept.
TEST(Gen, StoppedRunKeepsItsBest)
{
    for (int stopAt : {20, 150}) {
        TMyThread2 thread;
        TGen gen(false, nullptr, nullptr, nullptr);
        gen.SetSeed(0.5);
        gen.Init(4, 20, 100, 50, 1, 0, 1.0, 0.01, 1.0);
        int calls = 0;
        double best = 0;
        Genes bestGenes;
        gen.SetFitness([&](const TIndividual &I) {
            const double f = (I.Genes[0] + I.Genes[1] + I.Genes[2] + I.Genes[3]) / 100.0;
            if (f > best) {
                best = f;
                bestGenes = I.Genes;
            }
            if (++calls == stopAt)
                thread.Terminate();
            return f;
        });
        gen.Run(&thread);
        EXPECT_EQ(gen.State, 3);
        // 45 random candidates, then pairs.
        EXPECT_EQ(calls, stopAt + (stopAt > 45 ? (stopAt - 45) % 2 : 0));
        EXPECT_EQ(gen.BestFitness, best);
        EXPECT_EQ(gen.BestGenes, bestGenes);
    }
}

} // namespace
