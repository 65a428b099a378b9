#include "engine/UGuaranty.h"

#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"
#include "engine/UGuarantyCount.h"
#include "engine/USysFull.h"
#include "engine/USysShort.h"
#include "engine/USysVar.h"
#include "platform/AtomicFile.h"
#include "tests/engine/GameTestSupport.h"
#include "tests/engine/SystemTestSupport.h"
#include "tests/support/HangGuard.h"
#include "tests/support/ReferenceMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <numeric>
#include <random>
#include <stdexcept>
#include <tuple>

namespace {

namespace fs = std::filesystem;

// 5 of 30 drawn; bets of 3 to 6 numbers, those of 6 played as their 5-number bets; 2 to 5 hits win.
TGameData GuarGame()
{
    TGameData game;
    TGameInfo &g = game.Info;
    g.Id = 9;
    g.ShortName = "Gwar";
    g.MaxNumber = 30;
    g.Drawn = 5;
    g.MinK = 3;
    g.MaxK = 6;
    g.BetSize = 5;
    g.MultiFrom = 6;
    g.MaxSize = 7;
    g.HasSystems = true;
    g.BasicStake = Amount(2);
    g.WinStake = Amount(1);
    g.MinHits = {1, 1, 2, 2, 3, 3, 3};
    g.Prizes.assign(6,
                    {Amount(0), Amount(1, 5000), Amount(10), Amount(200, 2500), Amount(5000), Amount(70000)});
    BuildLevelCounts(g);
    BuildHitsTable(g);
    return game;
}

TBlock Group(std::vector<uint8_t> Numbers, int Hits)
{
    TBlock group;
    group.Size = uint8_t(Numbers.size());
    group.Hits = uint8_t(Hits);
    group.Numbers = std::move(Numbers);
    return group;
}

std::vector<uint8_t> Range(int From, int To)
{
    std::vector<uint8_t> numbers;
    for (int i = From; i <= To; ++i)
        numbers.push_back(uint8_t(i));
    return numbers;
}

using DrawnSets = std::vector<std::vector<uint8_t>>; // positions

// Every set of positions that takes exactly each group's hits and nothing outside the groups.
DrawnSets AllDrawnSets(int N, const TBlocks &Groups)
{
    int size = 0;
    for (const TBlock &group : Groups)
        size += group.Hits;
    DrawnSets sets;
    TDynByteArr c;
    for (int64_t i = 0; i < Newton[size_t(N)][size_t(size)]; ++i) {
        NextComb(c, uint8_t(N), uint8_t(size), i == 0);
        bool fits = true;
        int inGroups = 0;
        for (const TBlock &group : Groups) {
            const int hits = CountHits(size, group.Size, c.data(), group.Numbers.data());
            fits = fits && hits == group.Hits;
            inGroups += hits;
        }
        if (fits && inGroups == size)
            sets.push_back(c);
    }
    return sets;
}

using Table = std::map<std::vector<int32_t>, uint32_t, std::greater<>>;

// The vectors of the drawn sets, counted on the rows' numbers (half B) against the drawn positions
// through the key; a multi-bet row counts each of its simple bets.
Table BruteForce(const TSystem &System, const TGameInfo &G, const DrawnSets &Sets)
{
    THitsInfo info;
    info.Init(G, System.N, System.K, !System.FullBet);
    const bool multiBet = System.FullBet && IsMultiBet(G, System.K);
    const int bet = multiBet ? G.BetSize : System.K;
    Table table;
    for (const auto &set : Sets) {
        TDynByteArr drawn;
        for (const uint8_t position : set)
            drawn.push_back(System.Key[position - 1u]);
        std::sort(drawn.begin(), drawn.end());
        std::vector<int32_t> vector(size_t(info.RowCount), 0);
        for (int row = 0; row < System.ViewCount(); ++row) {
            TDynByteArr places, numbers(static_cast<size_t>(bet));
            for (int64_t s = 0; s < Newton[size_t(System.K)][size_t(bet)]; ++s) {
                NextComb(places, uint8_t(System.K), uint8_t(bet), s == 0);
                for (int j = 0; j < bet; ++j)
                    numbers[size_t(j)] = System.GetComb(row, true)[places[size_t(j)] - 1];
                const int hits = CountHits(bet, int(drawn.size()), numbers.data(), drawn.data());
                if (hits >= info.FirstLevel && hits <= info.HighHits)
                    ++vector[size_t(info.HighHits - hits)];
            }
        }
        ++table[vector];
    }
    return table;
}

// Every prize of the vector's levels.
Currency PrizesOf(const TGameInfo &G, int TopHits, const std::vector<int32_t> &Vector)
{
    Currency win;
    for (size_t i = 0; i < Vector.size(); ++i)
        win += G.Prizes[0][size_t(TopHits) - i - 1] * Vector[i] * G.WinStake;
    return win;
}

// The probability-weighted mean of Value over the distinct vectors, and its spread (each vector once).
std::pair<double, double> MeanAndSpread(const TGuarVectors &Vectors,
                                        const std::function<double(const TGuarVector &)> &Value)
{
    double mean = 0, squares = 0;
    for (const TGuarVector &v : Vectors)
        mean += Value(v) * v.Probability;
    for (const TGuarVector &v : Vectors)
        squares += std::pow(Value(v) - mean, 2);
    return {mean, std::sqrt(squares / double(Vectors.size()))};
}

void ExpectStatistics(const TGuaranty &Guaranty)
{
    const auto &vectors = Guaranty.Vectors;
    const auto [low, high] =
        std::minmax_element(vectors.begin(), vectors.end(),
                            [](const TGuarVector &A, const TGuarVector &B) { return A.Hits < B.Hits; });
    EXPECT_EQ(Guaranty.MinVector.Hits, low->Hits);
    EXPECT_EQ(Guaranty.MinVector.Win, low->Win);
    EXPECT_EQ(Guaranty.MaxVector.Hits, high->Hits);
    EXPECT_EQ(Guaranty.MaxVector.Probability, high->Probability);
    const auto [meanWin, stdWin] =
        MeanAndSpread(vectors, [](const TGuarVector &V) { return V.Win.toDouble(); });
    EXPECT_NEAR(Guaranty.MeanWin.toDouble(), meanWin,
                0.0001 * double(vectors.size())); // rounded per addition
    EXPECT_NEAR(Guaranty.StdWin.toDouble(), stdWin, 0.001);
    for (size_t j = 0; j < size_t(Guaranty.RowCount()); ++j) {
        const auto [mean, spread] =
            MeanAndSpread(vectors, [j](const TGuarVector &V) { return double(V.Hits[j]); });
        EXPECT_NEAR(Guaranty.MeanHits[j], mean, 1e-4 * (1 + mean));
        EXPECT_NEAR(Guaranty.StdHits[j], spread, 1e-3);
    }
}

void ExpectSameResult(const TGuaranty &A, const TGuaranty &B)
{
    ASSERT_EQ(A.Vectors.size(), B.Vectors.size());
    for (size_t i = 0; i < A.Vectors.size(); ++i) {
        EXPECT_EQ(A.Vectors[i].Hits, B.Vectors[i].Hits);
        EXPECT_EQ(A.Vectors[i].Frequency, B.Vectors[i].Frequency);
        EXPECT_EQ(A.Vectors[i].Probability, B.Vectors[i].Probability);
        EXPECT_EQ(A.Vectors[i].Win, B.Vectors[i].Win);
    }
    EXPECT_EQ(A.Total, B.Total);
    EXPECT_EQ(A.MeanWin, B.MeanWin);
    EXPECT_EQ(A.StdWin, B.StdWin);
    EXPECT_EQ(A.StdHits, B.StdHits);
}

class Guaranty : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(GameInfoFault(Game.Info), ""); }

    std::unique_ptr<TSysShort> classic(int N, int K, int Count)
    {
        auto system = std::make_unique<TSysShort>(&Game);
        system->RandomTies = false;
        system->SetParams(N, K, Count);
        EXPECT_TRUE(system->Generate(true));
        return system;
    }

    std::unique_ptr<TGuaranty> exact(const TSystem &System, const TBlocks &Groups, unsigned Threads = 4)
    {
        auto guaranty = std::make_unique<TGuaranty>(&Game, TProgressProc(), Groups, System);
        guaranty->ThreadCount = Threads;
        guaranty->CalcExact();
        return guaranty;
    }

    // The guarantee holds the brute-force table of Sets, with the probabilities and the wins.
    void expectTable(const TGuaranty &Guaranty, const TSystem &System, const DrawnSets &Sets)
    {
        const Table expected = BruteForce(System, Game.Info, Sets);
        ASSERT_EQ(Guaranty.Vectors.size(), expected.size());
        EXPECT_EQ(Guaranty.Total, int64_t(Sets.size()));
        EXPECT_EQ(Guaranty.AboveCount, expected.size());
        auto v = Guaranty.Vectors.begin();
        for (const auto &[hits, frequency] : expected) {
            EXPECT_EQ(v->Hits, hits);
            EXPECT_EQ(v->Frequency, frequency);
            EXPECT_EQ(v->Probability, double(float(double(frequency) / double(Sets.size()))));
            EXPECT_EQ(v->Win,
                      System.FullBet ? PrizesOf(Game.Info, Guaranty.HitInfo.HighHits, hits) : Currency());
            ++v;
        }
        ExpectStatistics(Guaranty);
    }

    TGameData Game = GuarGame();
};

TEST_F(Guaranty, ExactCountsMatchEveryDrawnSet)
{
    // A classic system of 10 numbers; the same under another key; below the smallest bet (every level
    // from 1, no wins); a multi-bet size (its simple bets).
    const auto plain = classic(10, 4, 12), keyed = classic(10, 4, 12), small = classic(10, 2, 9),
               multiBet = classic(9, 6, 5);
    keyed->SetKey({12, 3, 25, 7, 30, 1, 18, 9, 22, 15});
    ASSERT_TRUE(multiBet->FullBet && IsMultiBet(Game.Info, 6));
    // A variable system: number 1 fixed, number 2 weighing 2.0.
    TSysVar variable(&Game);
    variable.SetParams(10, 4, 10, 3);
    ASSERT_TRUE(variable.SetFixed(0, true) && variable.SetWeight(1, 2.0) && variable.Generate());
    const TBlocks halves{Group(Range(1, 5), 2), Group(Range(6, 10), 2)};
    // A fixed pair, one of five, none of three.
    const TBlocks fixedPair{Group({3, 8}, 2), Group({7, 9, 10}, 0), Group({1, 2, 4, 5, 6}, 1)};
    const TBlocks weighted{Group({1}, 1), Group({2, 3, 4}, 1), Group(Range(5, 10), 2)};
    const std::pair<const TSystem *, TBlocks> cases[] = {
        {plain.get(), halves}, {plain.get(), fixedPair},
        {keyed.get(), halves}, {small.get(), {Group(Range(1, 6), 3), Group(Range(7, 10), 1)}},
        {&variable, weighted}, {multiBet.get(), {Group(Range(1, 5), 3), Group(Range(6, 9), 2)}}};
    for (const auto &[system, groups] : cases) {
        const DrawnSets sets = AllDrawnSets(system->N, groups);
        const auto guaranty = exact(*system, groups);
        EXPECT_EQ(guaranty->DrawnSize, sets[0].size());
        expectTable(*guaranty, *system, sets);
    }
    EXPECT_EQ(exact(*plain, fixedPair)->FixedSize, 2);
}

TEST_F(Guaranty, FullSystemInClosedForm)
{
    for (const int k : {4, 6}) {
        TSysFull system(&Game);
        system.SetParams(8, k);
        ASSERT_TRUE(system.Generate());
        const TBlocks groups{Group(Range(1, 8), 4)};
        const auto counted = exact(system, groups);
        TGuaranty full(&Game, {}, groups, system);
        ASSERT_TRUE(full.IsFull);
        full.CalcFull();
        ASSERT_EQ(counted->Vectors.size(), 1u);
        ASSERT_EQ(full.Vectors.size(), 1u);
        EXPECT_EQ(full.Vectors[0].Hits, counted->Vectors[0].Hits);
        EXPECT_EQ(full.Vectors[0].Win, counted->Vectors[0].Win);
        EXPECT_EQ(full.Vectors[0].Probability, 1.0);
        EXPECT_EQ(full.Vectors[0].Frequency, 1u);
        EXPECT_EQ(full.Total, 1);
        EXPECT_EQ(full.AboveCount, 1u);
        EXPECT_EQ(full.MeanWin, counted->Vectors[0].Win);
    }
    // Too many to keep (C(22, 5) rows): 5 of its numbers drawn hit 5 once, 4 in 5 x 17, 3 in 10 x 136.
    TSysFull tooMany(&Game);
    tooMany.SetParams(22, 5);
    ASSERT_TRUE(tooMany.TooMany);
    TGuaranty full(&Game, {}, {Group(Range(1, 22), 5)}, tooMany);
    ASSERT_TRUE(full.IsFull);
    full.CalcFull();
    EXPECT_EQ(full.Vectors[0].Hits, (TDynIntArr{1, 85, 1360}));
}

// The full Lotto system 30/12 with 6 of its numbers drawn: each 6-number bet lies in C(24, 6) of its
// rows, so C(6, 3) x C(24, 3) x C(24, 6) bets hit 3, more than the guarantee's 32-bit vector holds. Its
// win is refused rather than paid on 2,147,483,647 of them.
TEST(GuarantyOfLotto, FullSystemWhoseBetsPass32BitsIsRefused)
{
    TGameData lotto;
    lotto.Info = SystemsLotto();
    using testsupport::binomial128;
    ASSERT_GT(binomial128(6, 3) * binomial128(24, 3) * binomial128(24, 6), __int128(INT32_MAX));
    TSysFull system(&lotto);
    system.SetParams(30, 12);
    TGuaranty full(&lotto, {}, {Group(Range(1, 30), 6)}, system);
    ASSERT_TRUE(full.IsFull && system.FullBet);
    EXPECT_THROW(full.CalcFull(), std::overflow_error);
}

TEST_F(Guaranty, ThreadsGiveTheSerialResultAndStopPromptly)
{
    const auto system = classic(22, 4, 30);
    const TBlocks groups{Group(Range(1, 11), 3), Group(Range(12, 22), 3)}; // 165 x 165 drawn sets
    ExpectSameResult(*exact(*system, groups, 7), *exact(*system, groups, 1));

    for (const unsigned threads : {1u, 4u}) {
        TMyThread2 worker;
        TGuaranty guaranty(&Game, {}, groups, *system);
        std::vector<int32_t> positions;
        guaranty.Progress.OnProgress = [&](int32_t Position, int32_t) {
            positions.push_back(Position);
            if (Position >= 5000)
                worker.Terminate();
        };
        guaranty.Thread = &worker;
        guaranty.ThreadCount = threads;
        guaranty.CalcExact();
        // Each thread stops within a progress chunk of sets after the report that asked it to.
        EXPECT_GE(guaranty.Progress.Done, guaranty.Total / 2);
        EXPECT_LT(guaranty.Progress.Done, guaranty.Total / 2 + 1024 * (threads + 1));
        EXPECT_LT(positions.back(), 10000);
        EXPECT_EQ(guaranty.AboveCount, 0u); // no probabilities after a stop
    }
}

// The threads' tables are merged after every drawn set is counted: a stop then, on the worker as the
// window runs it, ends the merge within a thousand vectors or so, long before the thousands it holds.
TEST_F(Guaranty, StopWhileTheThreadsTablesMergeEndsTheMerge)
{
    const auto system = classic(30, 5, 1000);
    const TBlocks everyDraw{Group(Range(1, 30), 5)};
    const auto whole = exact(*system, everyDraw, 1);
    ASSERT_GT(whole->Vectors.size(), 1500u);
    TGuaranty guaranty(&Game, {}, everyDraw, *system);
    guaranty.ThreadCount = 2;
    TMyThread2 worker;
    std::promise<void> ended;
    // Every drawn set counted: only the merge is left.
    guaranty.Progress.OnProgress = [&](int32_t Position, int32_t) {
        if (Position == 10000)
            worker.Terminate();
    };
    guaranty.Thread = &worker;
    worker.Proc = [&](TMyThread &) {
        guaranty.CalcExact();
        ended.set_value();
    };
    worker.Resume();
    ASSERT_EQ(ended.get_future().wait_for(testsupport::HangGuard), std::future_status::ready);
    worker.WaitFor();
    ASSERT_TRUE(worker.GetTerminated());
    EXPECT_EQ(guaranty.Progress.Done, whole->Total);
    int64_t merged = 0;
    for (const TGuarVector &v : guaranty.Vectors)
        merged += v.Frequency;
    EXPECT_LT(merged, whole->Total) << "the merge ran to its end";
    EXPECT_LT(guaranty.Vectors.size(), 1100u);
    EXPECT_EQ(guaranty.AboveCount, 0u);
}

// The one-pass merge of two descending tables gives what adding From's vectors one by one gives.
TEST(GuarantyMerge, MergingSortedTablesEqualsAddingEachVector)
{
    std::mt19937 random(7);
    const auto table = [&](size_t Count, int Len, int Range) {
        TGuarVectors vectors;
        std::vector<int32_t> hits(static_cast<size_t>(Len));
        for (size_t i = 0; i < Count; ++i) {
            for (int32_t &h : hits)
                h = int32_t(random() % unsigned(Range));
            AddGuarVector(vectors, hits.data(), Len, 1 + random() % 5);
        }
        return vectors;
    };
    const std::tuple<size_t, size_t, int, int> cases[] = {
        {0, 0, 3, 4}, {0, 50, 3, 4}, {50, 0, 3, 4}, {300, 300, 3, 4}, {4000, 2500, 4, 9}, {3000, 3000, 1, 5000}};
    for (const auto &[intoCount, fromCount, len, range] : cases) {
        TGuarVectors into = table(intoCount, len, range), from = table(fromCount, len, range);
        TGuarVectors expected = into;
        for (const TGuarVector &v : from)
            AddGuarVector(expected, v.Hits.data(), len, v.Frequency);
        ASSERT_TRUE(MergeGuarVectors(into, from, [] { return false; }));
        ASSERT_EQ(into.size(), expected.size());
        for (size_t i = 0; i < into.size(); ++i) {
            EXPECT_EQ(into[i].Hits, expected[i].Hits);
            EXPECT_EQ(into[i].Frequency, expected[i].Frequency);
        }
    }
}

TEST_F(Guaranty, SampledCountVisitsTheStridedRanks)
{
    const auto system = classic(10, 4, 12);
    // 35 drawn sets, half of them rounded to even: 18.
    TGuaranty odd(&Game, {}, {Group(Range(1, 7), 3)}, *system);
    odd.CalcSampled(0.5);
    EXPECT_EQ(odd.Total, 18);
    uint32_t visited = 0;
    for (const TGuarVector &v : odd.Vectors)
        visited += v.Frequency;
    EXPECT_EQ(visited, 18u);

    // The first group (15 subsets) is the larger: it takes ranks 1, 3, ..., 15, then starts again at 1
    // while the second group moves on; 30 of the 60 sets.
    const TBlocks groups{Group(Range(1, 6), 2), Group(Range(7, 10), 1)};
    TGuaranty sampled(&Game, {}, groups, *system);
    sampled.CalcSampled(0.5);
    EXPECT_EQ(sampled.SampledGroup, 0);
    DrawnSets sets;
    for (int second = 1; second <= 4; ++second)
        for (int first = 1; first <= 15 && sets.size() < 30; first += 2) {
            uint8_t pair[2];
            IndexToComb(6, 2, pair, first);
            sets.push_back({pair[0], pair[1], uint8_t(6 + second)});
        }
    expectTable(sampled, *system, sets);
}

TEST_F(Guaranty, RowsSortByModeWithTheLikelyOnesFirst)
{
    const auto system = classic(10, 4, 12);
    TSetGuaranty set(&Game, 0.05, *system);
    set.Add(std::make_unique<TGuaranty>(&Game, TProgressProc(), TBlocks{Group(Range(1, 10), 3)}, *system));
    TGuaranty &guaranty = set.GetItem(0);
    guaranty.CalcExact();
    const size_t above = guaranty.AboveCount;
    ASSERT_TRUE(above > 1 && above < guaranty.Vectors.size());
    EXPECT_EQ(set.DetailRowCount(0.05), int(above));
    EXPECT_EQ(set.DetailRowCount(2.0), 1);
    const TGuarVectors below(guaranty.Vectors.begin() + long(above), guaranty.Vectors.end());
    // By win ascending, ties by vector descending; the unlikely vectors after, in their order.
    set.SortRows(2, -1);
    const auto &v = guaranty.Vectors;
    for (size_t i = 1; i < above; ++i)
        EXPECT_TRUE(v[i - 1].Win < v[i].Win || (v[i - 1].Win == v[i].Win && v[i - 1].Hits > v[i].Hits));
    for (size_t i = above; i < v.size(); ++i)
        EXPECT_EQ(v[i].Hits, below[i - above].Hits);
}

// The body of a full system of 7 numbers taking 6 (multi-bet), key 1..7, no filter.
platform::Bytes FullSevenBody()
{
    platform::Bytes body{0, 0, 6, 7, 7, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7};
    TDynByteArr c;
    for (int i = 0; i < 7; ++i) {
        NextComb(c, 7, 6, i == 0);
        body.insert(body.end(), c.begin(), c.end());
        body.insert(body.end(), c.begin(), c.end());
        body.push_back(0);
    }
    body.push_back(1);
    return body;
}

using Records = std::vector<std::vector<uint32_t>>;

// A guarantee block; its vector count is that of Records plus CountChange.
void PutBlock(platform::ByteWriter &B, const std::string &Caption, uint8_t DrawnSize, int64_t Total,
              const Records &Vectors, int CountChange = 0)
{
    B.putBytes(std::span(reinterpret_cast<const uint8_t *>(Caption.data()), Caption.size()));
    B.putFill(255 - Caption.size());
    B.put(DrawnSize);
    B.put(uint32_t(int(Vectors.size()) + CountChange));
    B.put(Total);
    for (const auto &record : Vectors)
        for (const uint32_t value : record)
            B.put(value);
}

// A guarantee file of game 9 for the full system of seven numbers, six per row (each played as six
// 5-number bets): precision 0.5, the blocks "4 z 7" and "3 z 7", the checksum fitted. Records: the hits
// at 5, 4 and 3, then the frequency.
platform::Bytes SevenGuarantyFile(const Records &First, int64_t FirstTotal = 4, int FirstCountChange = 0)
{
    platform::ByteWriter body(FullSevenBody());
    body.putBytes(std::vector<uint8_t>{6, 2, 0, 0, 0}); // K, two guarantees
    body.put(0.5);
    PutBlock(body, "4 z 7", 4, FirstTotal, First, FirstCountChange);
    PutBlock(body, "3 z 7", 3, 10, {{0, 0, 4, 10}});
    platform::Bytes file = systest::systemFile(9, skFull, body.bytes());
    file[4] = 1; // a guarantee file
    file.erase(file.end() - 4, file.end());
    systest::put32(file, StreamCRC(file, false));
    return file;
}

const Records SoundFirstBlock{{0, 2, 9, 3}, {1, 5, 0, 1}};

TEST_F(Guaranty, FileBuiltByHandLoadsWithoutExpandingAgain)
{
    platform::Bytes file = SevenGuarantyFile(SoundFirstBlock);
    const fs::path path = testsupport::makeTempDir("guaranty-") / "L1.dat";
    ASSERT_TRUE(platform::writeFileAtomically(path, file));

    TGuarantyFile loaded;
    ASSERT_TRUE(LoadGuarantyFile(path, &Game, 0, loaded));
    EXPECT_EQ(loaded.Info.Title, "Mój");
    EXPECT_EQ(loaded.Info.Comment, "abc");
    EXPECT_EQ(loaded.System->ViewCount(), 7);
    const TSetGuaranty &set = *loaded.Set;
    ASSERT_EQ(set.Count(), 2);
    EXPECT_EQ(set.Precision, 0.5);
    EXPECT_EQ(set.MaxRows, 3);
    const TGuaranty &first = set.GetItem(0);
    EXPECT_EQ(first.Caption, "4 z 7");
    EXPECT_EQ(first.DrawnSize, 4);
    EXPECT_EQ(first.Total, 4);
    ASSERT_EQ(first.Vectors.size(), 2u);
    EXPECT_EQ(first.Vectors[0].Hits, (TDynIntArr{1, 5, 0}));
    EXPECT_EQ(first.Vectors[0].Probability, 0.25);
    EXPECT_EQ(first.Vectors[0].Win, Amount(6001, 2500)); // 5000 + 5 x 200.25
    EXPECT_EQ(first.Vectors[1].Hits, (TDynIntArr{0, 2, 9}));
    EXPECT_EQ(first.Vectors[1].Win, Amount(490, 5000)); // 2 x 200.25 + 9 x 10
    EXPECT_EQ(first.MeanWin, Amount(1868, 1875));
    EXPECT_EQ(first.MaxVector.Hits, (TDynIntArr{1, 5, 0}));
    EXPECT_EQ(set.GetItem(1).Vectors[0].Win, Amount(40));
    EXPECT_EQ(set.GetItem(1).Vectors[0].Probability, 1.0);

    // Any changed byte fails the checksum; a set of another game is not read.
    file[300] ^= 1;
    ASSERT_TRUE(platform::writeFileAtomically(path, file));
    EXPECT_FALSE(LoadGuarantyFile(path, &Game, 0, loaded));
    file[300] ^= 1;
    ASSERT_TRUE(platform::writeFileAtomically(path, file));
    TGameData other = GuarGame();
    other.Info.Id = 10;
    EXPECT_FALSE(LoadGuarantyFile(path, &other, 0, loaded));
}

// Checksum-valid files whose blocks cannot hold what they say, or whose wins leave the range of money, are
// refused, never thrown out of. Five bets of 5 hits here win 5 * 10^13 each: 18 of them fit, 19 do not.
TEST_F(Guaranty, FilesWhoseBlocksDoNotAddUpAreRefused)
{
    TGameData rich = GuarGame();
    for (auto &row : rich.Info.Prizes)
        row[4] = Amount(50000000000000);
    const fs::path path = testsupport::makeTempDir("guaranty-") / "L1.dat";
    const auto loads = [&](const platform::Bytes &File) {
        EXPECT_TRUE(platform::writeFileAtomically(path, File));
        TGuarantyFile loaded;
        return LoadGuarantyFile(path, &rich, 0, loaded);
    };
    const uint32_t top = INT32_MAX;
    const std::vector<std::tuple<const char *, platform::Bytes, bool>> files{
        {"sound", SevenGuarantyFile(SoundFirstBlock), true},
        {"the first count raised by one", SevenGuarantyFile(SoundFirstBlock, 4, 1), false},
        {"the first count lowered by one", SevenGuarantyFile(SoundFirstBlock, 4, -1), false},
        {"C(7, 6) x 6 bets counted", SevenGuarantyFile({{0, 2, 40, 3}, {1, 5, 0, 1}}), true},
        {"one bet more than C(7, 6) x 6", SevenGuarantyFile({{0, 2, 41, 3}, {1, 5, 0, 1}}), false},
        {"a top level of 2^31 - 1", SevenGuarantyFile({{0, 2, 9, 3}, {top, 0, 0, 1}}), false},
        {"an entry of 2^31", SevenGuarantyFile({{0, 2, 9, 3}, {0, top + 1, 0, 1}}), false},
        {"18 wins of 5 x 10^13", SevenGuarantyFile({{0, 2, 9, 3}, {18, 0, 0, 1}}), true},
        {"19 wins of 5 x 10^13", SevenGuarantyFile({{0, 2, 9, 3}, {19, 0, 0, 1}}), false},
        {"frequencies of 4 against a Total of 1", SevenGuarantyFile(SoundFirstBlock, 1), false},
        {"frequencies of 4 against a Total of 5", SevenGuarantyFile(SoundFirstBlock, 5), false},
        {"a vector stored twice", SevenGuarantyFile({{1, 5, 0, 3}, {1, 5, 0, 1}}), false},
    };
    for (const auto &[what, file, loaded] : files)
        EXPECT_EQ(loads(file), loaded) << what;
}

TEST_F(Guaranty, SavedSetLoadsBackWithTheSameWins)
{
    const auto system = classic(9, 6, 5);
    TSetGuaranty set(&Game, 0.1, *system);
    for (const TBlocks &groups :
         {TBlocks{Group(Range(1, 5), 3), Group(Range(6, 9), 2)}, TBlocks{Group(Range(1, 9), 4)}}) {
        auto guaranty = std::make_unique<TGuaranty>(&Game, TProgressProc(), groups, *system);
        guaranty->Caption = std::string(300, 'a');
        set.Add(std::move(guaranty));
    }
    TMyThread2 worker;
    std::vector<int> done;
    CalcSetGuaranty(set, worker, [&](int Done, int Count) { done.push_back(Done * 10 + Count); });
    EXPECT_EQ(done, (std::vector<int>{12, 22}));
    const fs::path dir = testsupport::makeTempDir("guaranty-");
    ASSERT_TRUE(set.SaveToFile(dir / "L1.dat", "Tytuł", "komentarz"));

    TGuarantyFile loaded;
    ASSERT_TRUE(LoadGuarantyFile(dir / "L1.dat", &Game, 0.1, loaded));
    EXPECT_EQ(loaded.System->Kind, skShort);
    EXPECT_EQ(systest::shown(*loaded.System), systest::shown(*system));
    ASSERT_EQ(loaded.Set->Count(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(loaded.Set->GetItem(i).Caption, std::string(254, 'a'));
        ExpectSameResult(loaded.Set->GetItem(i), set.GetItem(i));
    }

    // A folder in the way of the file, or a missing folder: false, and nothing left behind.
    fs::create_directories(dir / "L2.dat" / "inner");
    EXPECT_FALSE(set.SaveToFile(dir / "L2.dat", "", ""));
    EXPECT_FALSE(set.SaveToFile(dir / "missing" / "L3.dat", "", ""));
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"L1.dat", "L2.dat"}));
}

} // namespace
