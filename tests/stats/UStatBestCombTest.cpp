#include "stats/UStatBestComb.h"

#include "core/UComb.h"
#include "engine/UGameMan.h"
#include "tests/fixtures/ProgramFolder.h"
#include "tests/fixtures/StatDrawHistories.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <vector>

using testsupport::LottoHistory;

namespace {

using Comb = std::vector<uint8_t>;

class StatBestCombTest : public testing::Test {
protected:
    void SetUp() override
    {
        Folder.addShippedGames();
        Games.LoadAll();
        ASSERT_NE(Games.GameById(1), nullptr);
    }
    const TGameInfo &Lotto() const { return Games.GameById(1)->Info; }

    testsupport::ProgramFolder Folder;
    TGames Games{Folder.path() / "Games", Folder.path() / "Draws"};
};

struct TBest {
    Comb Numbers;
    TDynIntArr Hist;
    Currency Prize;
    long double Score = 0;
};

// Runs the search to its end and answers every reported best, in order.
std::vector<TBest> Search(const TGameInfo &Game, const TStatDraws *Draws, const Comb &Candidates,
                          const Comb &Fixed, bool Weighted, int HitFrom, int HitTo, bool TiesReplace,
                          uint8_t Expected = ssComputed)
{
    std::vector<TBest> bests;
    int finished = 0;
    TStatBestComb stat(
        &Game, nullptr,
        [&](TStatBestComb &Sender) {
            bests.push_back({Sender.Comb, Sender.Hist, Sender.PrizeValue, Sender.Score});
        },
        [&] { ++finished; });
    if (Draws)
        stat.LoadStatDraws(*Draws, -1);
    else
        stat.LoadDraws(TDrawsRange{}, LottoHistory(), -1);
    stat.SetParams(false, 0, 6, Candidates.data(), int32_t(Candidates.size()), Fixed.data(), int32_t(Fixed.size()),
                   Weighted, HitFrom, HitTo, TiesReplace);
    stat.Start();
    if (stat.Thread)
        stat.Thread->WaitFor();
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(stat.State, Expected);
    return bests;
}

const TStatDraws &LottoDraws()
{
    static const TStatDraws draws = [] {
        TStat stat(&testsupport::LottoGame().Info, nullptr, nullptr);
        stat.LoadDraws(TDrawsRange{}, LottoHistory(), -1);
        return stat.Draws;
    }();
    return draws;
}

// Draws (index 6 - h for h = 3..6) that Numbers hits h times, over the Lotto history.
std::vector<int> HitCounts(const Comb &Numbers)
{
    std::vector<int> counts(4, 0);
    for (const TStatDraw &draw : LottoDraws()) {
        const int hits = CountHits(6, int(draw.Numbers.size()), Numbers.data(), draw.Numbers.data());
        if (hits >= 3)
            ++counts[size_t(6 - hits)];
    }
    return counts;
}

// Every 6-combination of Fixed and the rest of Candidates, in the search's order.
std::vector<Comb> AllCombs(const Comb &Candidates, const Comb &Fixed)
{
    Comb pool;
    std::set_difference(Candidates.begin(), Candidates.end(), Fixed.begin(), Fixed.end(),
                        std::back_inserter(pool));
    std::vector<Comb> combs;
    Comb chosen;
    std::function<void(size_t)> choose = [&](size_t From) {
        if (chosen.size() + Fixed.size() == 6) {
            Comb comb = chosen;
            comb.insert(comb.end(), Fixed.begin(), Fixed.end());
            std::sort(comb.begin(), comb.end());
            combs.push_back(comb);
            return;
        }
        for (size_t i = From; i < pool.size(); ++i) {
            chosen.push_back(pool[i]);
            choose(i + 1);
            chosen.pop_back();
        }
    };
    choose(0);
    return combs;
}

} // namespace

TEST_F(StatBestCombTest, ExhaustiveSearchFindsTheBruteForceBest)
{
    const Comb candidates{3, 7, 11, 15, 19, 23, 27, 31, 35, 39, 43, 47};
    const auto &prizes = Lotto().Prizes[5];
    for (const Comb &fixed : {Comb{}, Comb{7, 31}}) {
        const std::vector<Comb> combs = AllCombs(candidates, fixed);
        std::vector<std::vector<int>> counts;
        std::vector<Currency> wins;
        for (const Comb &comb : combs) {
            counts.push_back(HitCounts(comb));
            Currency win;
            for (int h = 3; h <= 6; ++h)
                win += prizes[size_t(h - 1)] * counts.back()[size_t(6 - h)] * Lotto().WinStake;
            wins.push_back(win);
        }
        // The weighted band 3..5 compares hits at 5, then 4, then 3.
        std::vector<std::vector<int>> band;
        for (const auto &c : counts)
            band.push_back({c[1], c[2], c[3]});
        for (bool ties : {false, true}) {
            const auto pick = [&](const auto &Values) {
                const auto best = *std::max_element(Values.begin(), Values.end());
                const auto at = ties ? Values.rend() - 1 - std::find(Values.rbegin(), Values.rend(), best)
                                     : std::find(Values.begin(), Values.end(), best) - Values.begin();
                return size_t(at);
            };
            for (bool weighted : {false, true}) {
                const std::vector<TBest> bests =
                    Search(Lotto(), nullptr, candidates, fixed, weighted, 3, 5, ties);
                ASSERT_FALSE(bests.empty());
                for (size_t i = 1; i < bests.size(); ++i)
                    EXPECT_GE(bests[i].Score, bests[i - 1].Score);
                const size_t at = weighted ? pick(band) : pick(wins);
                EXPECT_EQ(bests.back().Numbers, combs[at]) << weighted << ties << fixed.size();
                EXPECT_EQ(bests.back().Prize, wins[at]);
                EXPECT_EQ(std::vector<int>(bests.back().Hist.begin(), bests.back().Hist.end()), counts[at]);
            }
        }
    }
}

TEST_F(StatBestCombTest, ASevenNumberCombinationCostsAndWinsAsItsBets)
{
    EXPECT_EQ(TicketCost(Lotto(), 6), BetCost(Lotto(), 6, 1));
    EXPECT_EQ(TicketCost(Lotto(), 7), BetCost(Lotto(), 6, 7));
    EXPECT_EQ(TicketCost(Lotto(), 13), BetCost(Lotto(), 6, 924));
    EXPECT_EQ(TicketCost(Lotto(), Lotto().MinK - 1), Currency());

    // One draw hitting all 6 of the 7 numbers: one bet with 6 hits and six with 5.
    TStatDraws draws = testsupport::RandomDraws(1, 49, 6, 1);
    draws[0].Numbers = {1, 2, 3, 4, 5, 6};
    std::vector<TBest> bests;
    TStatBestComb stat(
        &Lotto(), nullptr,
        [&](TStatBestComb &S) { bests.push_back({S.Comb, S.Hist, S.PrizeValue, S.Score}); }, nullptr);
    stat.LoadStatDraws(draws, -1);
    const Comb seven{1, 2, 3, 4, 5, 6, 7};
    stat.SetParams(false, 0, 7, seven.data(), 7, nullptr, 0, false, 3, 6, false);
    stat.Start();
    stat.Thread->WaitFor();
    ASSERT_EQ(bests.size(), 1u);
    const auto &prizes = Lotto().Prizes[5];
    EXPECT_EQ(bests[0].Prize, (prizes[5] + prizes[4] * 6) * Lotto().WinStake);
    EXPECT_EQ(bests[0].Hist[0], 1); // the draw counted once
}

TEST_F(StatBestCombTest, RefusesWithoutDrawsOrATooSmallPool)
{
    const TStatDraws none;
    const TStatDraws one = testsupport::RandomDraws(1, 49, 6, 2);
    const Comb five{1, 2, 3, 4, 5};
    EXPECT_TRUE(Search(Lotto(), &none, {1, 2, 3, 4, 5, 6}, {}, false, 3, 6, false, ssNoMemory).empty());
    EXPECT_TRUE(Search(Lotto(), &one, five, {}, false, 3, 6, false, ssNoMemory).empty());
}

TEST_F(StatBestCombTest, AStopKeepsTheLastBest)
{
    TBest last;
    int finished = 0;
    TStatBestComb stat(
        &Lotto(), nullptr,
        [&](TStatBestComb &Sender) {
            last = {Sender.Comb, Sender.Hist, Sender.PrizeValue, Sender.Score};
            Sender.Thread->Terminate();
        },
        [&] { ++finished; });
    stat.LoadDraws(TDrawsRange{}, LottoHistory(), -1);
    const Comb candidates{3, 7, 11, 15, 19, 23, 27, 31, 35, 39, 43, 47};
    stat.SetParams(false, 0, 6, candidates.data(), 12, nullptr, 0, true, 3, 6, true);
    stat.Start();
    stat.Thread->WaitFor();
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(stat.State, ssStopped);
    // The first combination is the first best with TiesReplace.
    EXPECT_EQ(last.Numbers, (Comb{3, 7, 11, 15, 19, 23}));
    EXPECT_EQ(std::vector<int>(last.Hist.begin(), last.Hist.end()), HitCounts(last.Numbers));
}

TEST_F(StatBestCombTest, GeneticBestsArePrizesPerStake)
{
    const Comb pool{2, 5, 9, 14, 20, 26, 31, 37, 41, 48};
    const auto &prizes = Lotto().Prizes[5];
    const auto perStake = [&](const Comb &Numbers) {
        const std::vector<int> counts = HitCounts(Numbers);
        Currency win;
        for (int h = 3; h <= 6; ++h)
            win += prizes[size_t(h - 1)] * counts[size_t(6 - h)] * Lotto().WinStake;
        return double(win.count()) / double((Lotto().BasicStake * int(LottoDraws().size())).count());
    };
    std::vector<std::pair<Comb, double>> bests;
    TStatBestComb stat(
        &Lotto(), nullptr, [&](TStatBestComb &S) { bests.push_back({S.BestComb, 0}); }, nullptr);
    stat.Gen.SetSeed(0.25);
    stat.LoadDraws(TDrawsRange{}, LottoHistory(), -1);
    stat.SetParams(true, 30, 6, pool.data(), 10, nullptr, 0, false, 3, 6, false);
    stat.Start();
    stat.Thread->WaitFor();
    EXPECT_EQ(stat.State, ssComputed);
    ASSERT_FALSE(bests.empty());
    for (size_t i = 0; i < bests.size(); ++i) {
        bests[i].second = perStake(bests[i].first);
        if (i > 0) {
            EXPECT_GT(bests[i].second, bests[i - 1].second);
        }
    }
    EXPECT_NEAR(stat.Gen.BestFitness, bests.back().second, 1e-12);
    ASSERT_GT(stat.SeedCount, 0);
    if (stat.Gen.BestFitness < 1.0) {
        for (const TDynByteArr &seed : stat.Seeds)
            EXPECT_GE(stat.Gen.BestFitness, perStake(seed) - 1e-12);
    }

    // Nothing left to choose: refused.
    const Comb six{1, 2, 3, 4, 5, 6};
    stat.SetParams(true, 30, 6, six.data(), 6, six.data(), 6, false, 3, 6, false);
    stat.Start();
    EXPECT_EQ(stat.State, ssNoMemory);
    EXPECT_EQ(stat.Thread, nullptr);
}
