#include "stats/UPredReduct.h"

#include "tests/stats/FreqTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using freqtest::MakeDraws;
using freqtest::MakeGame;


namespace {

const TGameInfo Game = MakeGame(10, 3, 3);

// The candidates left, ascending.
std::vector<int> Candidates(const TPredReduct &Pred)
{
    std::vector<int> left;
    for (size_t i = 0; i < Pred.CandFlags.size(); ++i)
        if (Pred.CandFlags[i])
            left.push_back(static_cast<int>(i + 1));
    EXPECT_EQ(Pred.Remaining, static_cast<int32_t>(left.size()));
    return left;
}

std::vector<int> Reduce(const std::vector<std::vector<uint8_t>> &History, const std::vector<uint8_t> &Key,
                        int HitLevel)
{
    int finished = 0;
    TPredReduct pred(&Game, nullptr, [&] { ++finished; });
    pred.LoadStatDraws(MakeDraws(History), -1);
    pred.SetParams(static_cast<int32_t>(Key.size()), Key.data(), 3, HitLevel);
    pred.Start();
    pred.Thread->WaitFor();
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(pred.State, ssComputed);
    return Candidates(pred);
}

} // namespace

TEST(PredReductTest, ReducesTheKeyPassByPass)
{
    // Level 1: the empty subset shares 0 numbers with every draw, so each strikes all its key numbers.
    EXPECT_EQ(Reduce({{1, 2, 9}, {3, 7, 8}}, {1, 2, 3, 4, 5}, 1), (std::vector<int>{4, 5}));
    // Pass 1 with {1} strikes 2; only pass 2, with {1, 3}, strikes 4 through {3, 4, 10}.
    EXPECT_EQ(Reduce({{1, 2, 9}, {3, 4, 10}}, {1, 2, 3, 4, 5, 6}, 2), (std::vector<int>{1, 3, 5, 6}));
    // With 2 first, {1, 2, 9} strikes 1 instead of 1 striking 2.
    EXPECT_EQ(Reduce({{1, 2, 9}, {3, 4, 10}}, {2, 1, 3, 4, 5, 6}, 2), (std::vector<int>{2, 3, 5, 6}));
    // No draw shares two numbers with any subset: the whole key survives.
    EXPECT_EQ(Reduce({{5, 6, 7}, {8, 9, 10}, {1, 5, 9}}, {1, 2, 3, 4}, 3), (std::vector<int>{1, 2, 3, 4}));
}

TEST(PredReductTest, AStopKeepsWhatWasStruck)
{
    int finished = 0;
    TPredReduct pred(&Game, nullptr, [&] { ++finished; });
    pred.Progress.OnProgress = [&](int32_t, int32_t) { pred.Thread->Terminate(); };
    pred.LoadStatDraws(MakeDraws({{1, 2, 9}, {3, 7, 8}, {4, 5, 10}}), -1);
    const std::vector<uint8_t> key{1, 2, 3, 4, 5, 6};
    pred.SetParams(6, key.data(), 3, 1);
    pred.Start();
    pred.Thread->WaitFor();
    // Asked to stop after the first draw, the worker ends after the second.
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(pred.State, ssStopped);
    EXPECT_EQ(Candidates(pred), (std::vector<int>{4, 5, 6}));
    // SetParams restores the whole key.
    pred.SetParams(6, key.data(), 3, 1);
    EXPECT_EQ(Candidates(pred), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(PredReductTest, RefusesBadKeys)
{
    TPredReduct pred(&Game, nullptr, nullptr);
    const std::vector<uint8_t> repeated{1, 2, 2}, outside{1, 11};
    EXPECT_THROW(pred.SetParams(3, repeated.data(), 3, 2), std::invalid_argument);
    EXPECT_THROW(pred.SetParams(2, outside.data(), 3, 2), std::invalid_argument);
    EXPECT_THROW(pred.SetParams(2, repeated.data(), 3, 4), std::invalid_argument);
}
