#include "stats/UStatBestComb.h"

#include "core/UComb.h"
#include "engine/UGameMan.h"
#include "tests/fixtures/ProgramFolder.h"
#include "tests/fixtures/StatDrawHistories.h"
#include "tests/stats/FreqTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <tuple>
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
        ASSERT_NE(Games.GameById(3), nullptr);
    }
    const TGameInfo &Lotto() const { return Games.GameById(1)->Info; }
    // 20 of 80, up to 10 numbers a bet.
    const TGameInfo &MultiMulti() const { return Games.GameById(3)->Info; }

    testsupport::ProgramFolder Folder;
    TGames Games{Folder.path() / "Games", Folder.path() / "Draws"};
};

struct TBest {
    Comb Numbers;
    TDynIntArr Hist;
    Currency Prize;
    long double Score = 0;
    double Fitness = 0; // genetic search
};

struct TRun {
    bool UseGA = false;
    int32_t Generations = 0;
    int32_t CombLen = 6;
    Comb Candidates;
    Comb Fixed;
    bool Weighted = false;
    int32_t HitFrom = 3;
    int32_t HitTo = 6;
    bool TiesReplace = false;
};

struct TOutcome {
    std::vector<TBest> Bests; // every reported best, in order
    uint8_t State = ssParams;
    int Finished = 0;
    bool Refused = false; // no worker was started
    Comb Final;           // BestComb after a genetic search
    double FinalFitness = 0;
    std::vector<TDynByteArr> Seeds;
};

// Runs the search to its end.
TOutcome Search(const TGameInfo &Game, const TStatDraws &Draws, const TRun &P)
{
    TOutcome out;
    TStatBestComb stat(
        &Game, nullptr,
        [&](TStatBestComb &S) {
            out.Bests.push_back(
                {S.UseGA ? S.BestComb : S.Comb, S.Hist, S.PrizeValue, S.Score, S.BestFitness});
        },
        [&] { ++out.Finished; });
    stat.Gen.SetSeed(0.25);
    stat.LoadStatDraws(Draws, -1);
    stat.SetParams(P.UseGA, P.Generations, P.CombLen, P.Candidates.data(), int32_t(P.Candidates.size()),
                   P.Fixed.data(), int32_t(P.Fixed.size()), P.Weighted, P.HitFrom, P.HitTo, P.TiesReplace);
    stat.Start();
    out.Refused = stat.Thread == nullptr;
    if (stat.Thread)
        stat.Thread->WaitFor();
    out.State = stat.State;
    out.Final = stat.BestComb;
    out.FinalFitness = stat.Gen.BestFitness;
    out.Seeds = stat.Seeds;
    EXPECT_EQ(out.Finished, 1);
    // Each best beats the one before it (or ties it, in an exhaustive search).
    for (size_t i = 1; i < out.Bests.size(); ++i)
        EXPECT_TRUE(P.UseGA ? out.Bests[i].Fitness > out.Bests[i - 1].Fitness
                            : out.Bests[i].Score >= out.Bests[i - 1].Score);
    return out;
}

Comb Numbers(int From, int To)
{
    Comb numbers;
    for (int i = From; i <= To; ++i)
        numbers.push_back(uint8_t(i));
    return numbers;
}

// 5 of 20, bets of 5 at 2.50; 6 and 7 numbers played as all their 5-number bets; 3 to 5 hits pay 10, 100
// and 1000 times a win stake of 2.00.
TGameInfo SystemGame()
{
    TGameInfo g;
    g.Id = 7;
    g.ShortName = "Gra";
    g.MaxNumber = 20;
    g.Drawn = 5;
    g.MinK = 5;
    g.MaxK = 7;
    g.BetSize = 5;
    g.MaxSize = 7;
    g.HasSystems = true;
    g.MultiFrom = 6;
    g.BasicStake = Currency::fromDouble(2.5);
    g.WinStake = Currency::fromDouble(2);
    g.MinHits = {1, 1, 2, 3, 3, 3, 3};
    g.Prizes.assign(7, std::vector<Currency>(7));
    for (size_t k = 5; k <= 7; ++k)
        for (int h = 3; h <= 5; ++h)
            g.Prizes[k - 1][size_t(h - 1)] = Currency::fromDouble(std::pow(10.0, h - 2));
    BuildLevelCounts(g);
    EXPECT_TRUE(BuildHitsTable(g));
    EXPECT_EQ(GameInfoFault(g), "");
    return g;
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

// Every CombLen-combination of Fixed and the rest of Candidates, in the search's order.
std::vector<Comb> AllCombs(const Comb &Candidates, const Comb &Fixed, int CombLen = 6)
{
    Comb pool;
    std::set_difference(Candidates.begin(), Candidates.end(), Fixed.begin(), Fixed.end(),
                        std::back_inserter(pool));
    std::vector<Comb> combs;
    freqtest::ForEachSubset(pool, CombLen - int(Fixed.size()), [&](const Comb &Chosen) {
        Comb comb = Chosen;
        comb.insert(comb.end(), Fixed.begin(), Fixed.end());
        std::sort(comb.begin(), comb.end());
        combs.push_back(comb);
    });
    return combs;
}

// What a 6-number bet with Counts (as HitCounts answers them) wins by the prize table.
Currency Win(const TGameInfo &Lotto, const std::vector<int> &Counts)
{
    Currency win;
    for (int h = 3; h <= 6; ++h)
        win += Lotto.Prizes[5][size_t(h - 1)] * Counts[size_t(6 - h)] * Lotto.WinStake;
    return win;
}

// What a brute force makes of Numbers over Draws: the draws at each winning level of the search (index 0
// the highest), each draw's hits counted one by one and cut at the game's largest size; the prize, of a
// system the sum of its simple bets' prizes; the weighted band's counts, highest level first.
struct TPlainScore {
    std::vector<int> Hist;
    Currency Prize;
    std::vector<int> Band;
};

TPlainScore PlainScore(const TGameInfo &Game, const TStatDraws &Draws, const Comb &Numbers, int HitFrom,
                       int HitTo)
{
    const int k = int(Numbers.size()), top = std::min(k, int(Game.MaxK));
    THitsInfo levels;
    levels.Init(Game, Game.MaxNumber, top, false);
    TPlainScore score{std::vector<int>(size_t(levels.LevelCount)), {}, {}};
    const auto prize = [&](int Size, int Hits) {
        return Game.Prizes[size_t(Size) - 1][size_t(Hits) - 1] * Game.WinStake;
    };
    for (const TStatDraw &draw : Draws) {
        const int hits =
            std::min(CountHits(k, int(draw.Numbers.size()), Numbers.data(), draw.Numbers.data()), top);
        if (hits < levels.LowHits || hits > levels.HighHits)
            continue;
        ++score.Hist[size_t(levels.HighHits - hits)];
        if (!IsMultiBet(Game, k))
            score.Prize += prize(top, hits);
    }
    if (IsMultiBet(Game, k))
        freqtest::ForEachSubset(Numbers, Game.BetSize, [&](const Comb &Bet) {
            for (const TStatDraw &draw : Draws) {
                const int hits =
                    CountHits(Game.BetSize, int(draw.Numbers.size()), Bet.data(), draw.Numbers.data());
                if (hits >= Game.MinHits[Game.BetSize - 1u])
                    score.Prize += prize(Game.BetSize, hits);
            }
        });
    for (int level = HitTo; level >= HitFrom; --level)
        score.Band.push_back(score.Hist[size_t(levels.HighHits - level)]);
    return score;
}

// The brute-force prize per stake of Numbers over the Lotto history.
double PerStake(const TGameInfo &Lotto, const Comb &Numbers)
{
    return double(Win(Lotto, HitCounts(Numbers)).count()) /
           double((Lotto.BasicStake * int(LottoDraws().size())).count());
}

} // namespace

TEST_F(StatBestCombTest, ExhaustiveSearchFindsTheBruteForceBest)
{
    const Comb candidates{3, 7, 11, 15, 19, 23, 27, 31, 35, 39, 43, 47};
    for (const Comb &fixed : {Comb{}, Comb{7, 31}}) {
        const std::vector<Comb> combs = AllCombs(candidates, fixed);
        std::vector<std::vector<int>> counts, band; // the weighted band 3..5 compares hits at 5, 4, then 3
        std::vector<Currency> wins;
        for (const Comb &comb : combs) {
            counts.push_back(HitCounts(comb));
            band.push_back({counts.back()[1], counts.back()[2], counts.back()[3]});
            wins.push_back(Win(Lotto(), counts.back()));
        }
        for (bool ties : {false, true}) {
            const auto pick = [&](const auto &Values) {
                const auto best = *std::max_element(Values.begin(), Values.end());
                return size_t(ties ? Values.rend() - 1 - std::find(Values.rbegin(), Values.rend(), best)
                                   : std::find(Values.begin(), Values.end(), best) - Values.begin());
            };
            for (bool weighted : {false, true}) {
                const std::vector<TBest> bests =
                    Search(Lotto(), LottoDraws(), {false, 0, 6, candidates, fixed, weighted, 3, 5, ties})
                        .Bests;
                ASSERT_FALSE(bests.empty());
                const size_t at = weighted ? pick(band) : pick(wins);
                EXPECT_EQ(bests.back().Numbers, combs[at]) << weighted << ties << fixed.size();
                EXPECT_EQ(bests.back().Prize, wins[at]);
                EXPECT_EQ(std::vector<int>(bests.back().Hist.begin(), bests.back().Hist.end()), counts[at]);
            }
        }
    }
}

TEST_F(StatBestCombTest, ExhaustiveSearchReportsTheBruteForceBestsInOrder)
{
    const Comb spread{3, 7, 11, 15, 19, 23, 27, 31, 35, 39, 43, 47}, last = LottoDraws().back().Numbers;
    const TGameInfo system = SystemGame();
    const TStatDraws fewLotto = testsupport::RandomDraws(40, 49, 6, 5),
                     fiveOfTwenty = testsupport::RandomDraws(30, 20, 5, 3),
                     twentyOfTwentyFour = testsupport::RandomDraws(50, 24, 20, 7);
    const struct {
        const TGameInfo &Game;
        const TStatDraws &Draws;
        int32_t CombLen;
        Comb Candidates, Fixed;
        int32_t HitFrom, HitTo;
    } cases[] = {
        {Lotto(), LottoDraws(), 6, spread, {}, 3, 5},
        {Lotto(), LottoDraws(), 6, spread, {7, 31}, 4, 6},
        {Lotto(), LottoDraws(), 6, last, last, 3, 6},         // nothing left to choose
        {Lotto(), fewLotto, 6, Numbers(1, 12), {}, 4, 6},     // mostly ties at nothing
        {system, fiveOfTwenty, 7, Numbers(1, 11), {4}, 3, 5}, // a system of 7
        {system, fiveOfTwenty, 5, Numbers(3, 14), {}, 4, 5},
        {MultiMulti(), twentyOfTwentyFour, 12, Numbers(1, 16), {2}, 8, 10}, // 11 and 12 hits count as 10
    };
    for (const auto &c : cases) {
        const std::vector<Comb> combs = AllCombs(c.Candidates, c.Fixed, c.CombLen);
        std::vector<TPlainScore> scores;
        for (const Comb &comb : combs)
            scores.push_back(PlainScore(c.Game, c.Draws, comb, c.HitFrom, c.HitTo));
        for (bool weighted : {false, true})
            for (bool ties : {false, true}) {
                std::vector<TBest> expected;
                TPlainScore best{{}, {}, std::vector<int>(size_t(c.HitTo - c.HitFrom + 1))};
                for (size_t i = 0; i < combs.size(); ++i) {
                    const auto order =
                        weighted ? scores[i].Band <=> best.Band : scores[i].Prize <=> best.Prize;
                    if (order > 0 || (order == 0 && ties)) {
                        best = scores[i];
                        expected.push_back(
                            {combs[i], TDynIntArr(best.Hist.begin(), best.Hist.end()), best.Prize});
                    }
                }
                const std::vector<TBest> found =
                    Search(c.Game, c.Draws,
                           {false, 0, c.CombLen, c.Candidates, c.Fixed, weighted, c.HitFrom, c.HitTo, ties})
                        .Bests;
                const auto described = [](const std::vector<TBest> &Bests) {
                    std::vector<std::tuple<Comb, TDynIntArr, Currency>> rows;
                    for (const TBest &best : Bests)
                        rows.emplace_back(best.Numbers, best.Hist, best.Prize);
                    return rows;
                };
                EXPECT_EQ(described(found), described(expected))
                    << &c - cases << " weighted " << weighted << " ties " << ties;
            }
    }
}

TEST_F(StatBestCombTest, TiesReplaceReportsTheLastOfEqualBests)
{
    // Only the combinations holding 6, 7 and 8 hit (3 times, worth 24.00); the candidates 1..8 need no
    // mapping.
    const TStatDraws draws = freqtest::MakeDraws({{6, 7, 8, 20, 21, 22}});
    for (bool weighted : {false, true}) {
        const std::vector<TBest> first =
            Search(Lotto(), draws, {false, 0, 6, Numbers(1, 8), {}, weighted, 3, 6, false}).Bests;
        ASSERT_EQ(first.size(), 1u);
        EXPECT_EQ(first[0].Numbers, (Comb{1, 2, 3, 6, 7, 8}));
        EXPECT_EQ(first[0].Prize, Currency::fromDouble(24));

        // With TiesReplace a combination that never won is the first best; then each of the ten that hit.
        const std::vector<TBest> all =
            Search(Lotto(), draws, {false, 0, 6, Numbers(1, 8), {}, weighted, 3, 6, true}).Bests;
        ASSERT_FALSE(all.empty());
        EXPECT_EQ(all.front().Numbers, (Comb{1, 2, 3, 4, 5, 6}));
        EXPECT_EQ(all.front().Score, 0);
        EXPECT_EQ(all.back().Numbers, (Comb{3, 4, 5, 6, 7, 8}));
        EXPECT_EQ(
            std::count_if(all.begin(), all.end(), [&](const TBest &B) { return B.Score == first[0].Score; }),
            10);
    }
}

TEST_F(StatBestCombTest, ASystemCostsAndWinsAsItsBets)
{
    const TGameInfo game = SystemGame();
    EXPECT_EQ(TicketCost(game, 4), Currency()); // not played
    EXPECT_EQ(TicketCost(game, 5), Currency::fromDouble(2.5));
    EXPECT_EQ(TicketCost(game, 6), Currency::fromDouble(15));   // 6 bets
    EXPECT_EQ(TicketCost(game, 7), Currency::fromDouble(52.5)); // 21 bets
    EXPECT_EQ(TicketCost(game, 9), Currency::fromDouble(52.5)); // costs as 7

    // 1..7 hits 5, 4, 3 and 2 of the draws. Its 5-number bets: 1 x 5, 10 x 4 and 10 x 3 hits; 3 x 4 and
    // 12 x 3; 6 x 3; none. (1000 + 13 x 100 + 28 x 10) x 2.00 = 5160.00.
    const TStatDraws draws =
        freqtest::MakeDraws({{1, 2, 3, 4, 5}, {1, 2, 3, 4, 20}, {1, 2, 3, 19, 20}, {1, 2, 18, 19, 20}});
    for (bool weighted : {false, true}) {
        const std::vector<TBest> bests =
            Search(game, draws, {false, 0, 7, Numbers(1, 7), {}, weighted, 3, 5, false}).Bests;
        ASSERT_EQ(bests.size(), 1u);
        EXPECT_EQ(bests[0].Prize, Currency::fromDouble(5160));
        EXPECT_EQ(std::vector<int>(bests[0].Hist.begin(), bests[0].Hist.end()), (std::vector<int>{1, 1, 1}));
        // Weights 25, 5 and 1 for 4 draws.
        EXPECT_EQ(bests[0].Score, weighted ? 31 : 5160);
    }
    // Genetic: 5160.00 won for 4 x 52.50 staked.
    const TOutcome ga = Search(game, draws, {true, 5, 7, Numbers(1, 7), {}, false, 3, 5, false});
    EXPECT_EQ(ga.State, ssComputed);
    EXPECT_EQ(ga.Final, Numbers(1, 7));
    EXPECT_DOUBLE_EQ(ga.FinalFitness, 5160 / 210.0);

    // The shipped Lotto: a draw hitting all 6 of 7 numbers is one bet with 6 hits and six with 5.
    const std::vector<TBest> lotto = Search(Lotto(), freqtest::MakeDraws({{1, 2, 3, 4, 5, 6}}),
                                            {false, 0, 7, Numbers(1, 7), {}, false, 3, 6, false})
                                         .Bests;
    ASSERT_EQ(lotto.size(), 1u);
    const auto &prizes = Lotto().Prizes[5];
    EXPECT_EQ(lotto[0].Prize, (prizes[5] + prizes[4] * 6) * Lotto().WinStake);
    EXPECT_EQ(lotto[0].Hist[0], 1); // the draw counted once
}

TEST_F(StatBestCombTest, RefusesWhatCannotBeScored)
{
    const TGameInfo game = SystemGame();
    TGameInfo free = game;
    free.BasicStake = Currency();
    const TStatDraws none, draws = testsupport::RandomDraws(20, 20, 5, 2);
    const struct {
        const TGameInfo &Game;
        const TStatDraws &Draws;
        TRun Run;
        bool Refused;
    } cases[] = {
        // No working draws.
        {game, none, {false, 0, 5, Numbers(1, 8), {}, false, 3, 5, false}, true},
        {game, none, {true, 5, 5, Numbers(1, 8), {}, true, 3, 5, false}, true},
        // A pool smaller than the numbers to choose.
        {game, draws, {false, 0, 5, Numbers(1, 4), {}, false, 3, 5, false}, true},
        {game, draws, {true, 5, 6, Numbers(1, 5), {1}, true, 3, 5, false}, true},
        // Genetic prize scoring with nothing staked: 4 numbers the game does not play, or a stake of 0.00.
        {game, draws, {true, 5, 4, Numbers(1, 8), {}, false, 3, 4, false}, true},
        {free, draws, {true, 5, 5, Numbers(1, 8), {}, false, 3, 5, false}, true},
        // Weighted or exhaustive, nothing is divided by the stake.
        {game, draws, {true, 5, 4, Numbers(1, 8), {}, true, 3, 4, false}, false},
        {game, draws, {false, 0, 4, Numbers(1, 8), {}, false, 3, 4, false}, false},
        {free, draws, {false, 0, 5, Numbers(1, 8), {}, false, 3, 5, false}, false},
        // Genetic with nothing left to choose.
        {game, draws, {true, 5, 5, Numbers(1, 5), Numbers(1, 5), false, 3, 5, false}, true},
    };
    for (const auto &c : cases) {
        const TOutcome out = Search(c.Game, c.Draws, c.Run);
        EXPECT_EQ(out.Refused, c.Refused) << &c - cases;
        EXPECT_EQ(out.State, c.Refused ? ssNoMemory : ssComputed) << &c - cases;
        EXPECT_TRUE(!c.Refused || out.Bests.empty()) << &c - cases;
    }

    // A weighted band outside the combination's winning levels.
    TStatBestComb stat(&game, nullptr, nullptr, nullptr);
    const Comb eight = Numbers(1, 8);
    for (const auto &[from, to] : {std::pair{2, 5}, {3, 6}, {5, 4}})
        EXPECT_THROW(stat.SetParams(false, 0, 5, eight.data(), 8, nullptr, 0, true, from, to, false),
                     std::invalid_argument);
}

TEST_F(StatBestCombTest, AStopKeepsTheLastBest)
{
    const Comb candidates{3, 7, 11, 15, 19, 23, 27, 31, 35, 39, 43, 47};
    for (bool useGA : {false, true}) {
        TBest last;
        int finished = 0;
        TStatBestComb stat(
            &Lotto(), nullptr,
            [&](TStatBestComb &S) {
                last = {S.UseGA ? S.BestComb : S.Comb, S.Hist, S.PrizeValue, S.Score};
                S.Thread->Terminate();
            },
            [&] { ++finished; });
        stat.LoadStatDraws(LottoDraws(), -1);
        stat.SetParams(useGA, 30, 6, candidates.data(), 12, nullptr, 0, true, 3, 6, true);
        stat.Start();
        stat.Thread->WaitFor();
        EXPECT_EQ(finished, 1);
        EXPECT_EQ(stat.State, ssStopped);
        // The first combination is the first best of an exhaustive search with TiesReplace.
        EXPECT_EQ(last.Numbers, useGA ? stat.BestComb : (Comb{3, 7, 11, 15, 19, 23}));
        EXPECT_EQ(std::vector<int>(last.Hist.begin(), last.Hist.end()), HitCounts(last.Numbers));
    }
}

TEST_F(StatBestCombTest, GeneticBestsArePrizesPerStake)
{
    // A pool without a past draw stays below break-even and runs all its generations.
    const Comb pool{2, 5, 9, 14, 20, 26, 31, 37, 41, 48};
    ASSERT_TRUE(std::none_of(LottoDraws().begin(), LottoDraws().end(), [&](const TStatDraw &Draw) {
        return std::includes(pool.begin(), pool.end(), Draw.Numbers.begin(), Draw.Numbers.end());
    }));
    const TOutcome out = Search(Lotto(), LottoDraws(), {true, 30, 6, pool, {}, false, 3, 6, false});
    EXPECT_EQ(out.State, ssComputed);
    ASSERT_FALSE(out.Bests.empty());
    for (const TBest &best : out.Bests) {
        EXPECT_EQ(best.Prize, Win(Lotto(), HitCounts(best.Numbers)));
        EXPECT_NEAR(best.Fitness, PerStake(Lotto(), best.Numbers), 1e-12);
    }
    EXPECT_EQ(out.Final, out.Bests.back().Numbers);
    EXPECT_EQ(out.FinalFitness, out.Bests.back().Fitness);
    EXPECT_LT(out.FinalFitness, 1.0);
    ASSERT_GT(out.Seeds.size(), 0u);
    for (const TDynByteArr &seed : out.Seeds)
        EXPECT_GE(out.FinalFitness, PerStake(Lotto(), seed));

    // A pool holding the last draw and four more numbers reaches break-even, which ends the search.
    Comb rich = LottoDraws().back().Numbers;
    for (uint8_t n = 1; rich.size() < 10; ++n)
        if (std::find(rich.begin(), rich.end(), n) == rich.end())
            rich.push_back(n);
    std::sort(rich.begin(), rich.end());
    int32_t progress = 0;
    TStatBestComb stat(
        &Lotto(), [&](int32_t Position, int32_t) { progress = std::max(progress, Position); }, nullptr,
        nullptr);
    stat.Gen.SetSeed(0.25);
    stat.LoadStatDraws(LottoDraws(), -1);
    stat.SetParams(true, 30, 6, rich.data(), 10, nullptr, 0, false, 3, 6, false);
    stat.Start();
    stat.Thread->WaitFor();
    EXPECT_EQ(stat.State, ssComputed);
    EXPECT_GE(stat.Gen.BestFitness, 1.0);
    EXPECT_NEAR(PerStake(Lotto(), stat.BestComb), stat.Gen.BestFitness, 1e-12);
    // Within the initial population: at the latest the seed of the last draw is that draw.
    EXPECT_LE(progress,
              10000.0 * (2000 + stat.SeedCount) / double(TGen::TotalSteps(30, 200, stat.SeedCount, 10)));
}

TEST_F(StatBestCombTest, SeedsGatherTheNextPoolNumbersOfTheDraws)
{
    // Pool 2 4 6 11 13 15 17 (9 fixed); four numbers to choose. Loaded newest first, the search walks the
    // draws oldest first. The last draw alone cannot complete a seed, so the seeds end before it.
    const TStatDraws draws = freqtest::MakeDraws({{1, 2, 3, 4, 5, 9},
                                                  {4, 6, 13, 15, 21, 22},
                                                  {11, 30, 31, 32, 33, 34},
                                                  {2, 13, 15, 40, 41, 42},
                                                  {17, 44, 45, 46, 47, 48}});
    TStatBestComb stat(&Lotto(), nullptr, nullptr, nullptr);
    stat.Gen.SetSeed(0.25);
    stat.LoadStatDraws(draws, 1);
    const Comb candidates{2, 4, 6, 9, 11, 13, 15, 17}, fixed{9};
    stat.SetParams(true, 5, 5, candidates.data(), 8, fixed.data(), 1, true, 3, 5, false);
    stat.Start();
    stat.Thread->WaitFor();
    EXPECT_EQ(stat.State, ssComputed);
    EXPECT_EQ(stat.SeedCount, 4);
    EXPECT_EQ(stat.Seeds,
              (std::vector<TDynByteArr>{{2, 4, 6, 13}, {4, 6, 13, 15}, {2, 11, 13, 15}, {2, 13, 15, 17}}));
    const std::vector<TDynByteArr> positions{{1, 2, 3, 5}, {2, 3, 5, 6}, {1, 4, 5, 6}, {1, 5, 6, 7}};
    for (int i = 0; i < stat.SeedCount; ++i) {
        TChromosome genes(4);
        stat.GetSeed(genes, i);
        EXPECT_EQ(genes, positions[size_t(i)]) << i;
    }
}
