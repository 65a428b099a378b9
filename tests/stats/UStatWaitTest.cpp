#include "stats/UStatWait.h"

#include "tests/stats/FreqTestSupport.h"
#include "tests/support/HangGuard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

using namespace freqtest;

namespace {

class StatWaitTest : public testing::Test {
protected:
    TMemoryProbe Memory{8 * GiB};
};

// Computes, checks the running means, groups and sum against the rows counted plainly, and answers the
// rows' values.
std::vector<int32_t> Compute(TStatWait &Stat, uint8_t Mode, int CombLen, float Percent, int Window)
{
    Stat.SetParams(Mode, CombLen, Percent, Window);
    Stat.Start();
    Stat.Thread->WaitFor();
    EXPECT_EQ(Stat.State, ssComputed);
    std::vector<int32_t> values;
    int64_t sum = 0, counted = 0;
    for (const TDetRow &row : Stat.Details) {
        values.push_back(row[0].Value);
        sum += std::max(row[0].Value, 0);
        counted += row[0].Value != -1;
        EXPECT_NEAR(Stat.RunningMean[values.size() - 1],
                    row[0].Value == -1 ? -1 : sum / double(values.size()), 1e-3);
    }
    for (const TGSItem &item : Stat.Groups.at(0).Items)
        counted -= item.Draws == std::count(values.begin(), values.end(), item.Value) ? item.Draws : 0;
    EXPECT_EQ(counted, 0);
    EXPECT_EQ(Stat.SummaryRows.at(0).Sum, sum);
    return values;
}

std::string Text(const TStatWait &Stat, void (TStatWait::*Get)(int32_t, std::string &) const, int32_t Row)
{
    std::string text = "x";
    (Stat.*Get)(Row, text);
    return text;
}

// The distinct k-subsets (codes in base 50) of draws From..To - 1, counted by marking.
int Distinct(const std::vector<std::vector<int>> &Codes, int From, int To)
{
    static std::vector<int> marks(50 * 50 * 50);
    static int stamp = 0;
    int distinct = 0;
    for (++stamp; From < To; ++From)
        for (int code : Codes[static_cast<size_t>(From)])
            distinct += std::exchange(marks[static_cast<size_t>(code)], stamp) != stamp;
    return distinct;
}

} // namespace

// Five numbers, two drawn: every draw holds one of the ten pairs.
TEST_F(StatWaitTest, HandMadeHistoriesGiveTheRowsWorkedByHand)
{
    const TGameInfo game = MakeGame(5, 2, 2);
    TStatWait stat(&game, nullptr, nullptr);
    stat.LoadStatDraws(MakeDraws({{1, 2}, {1, 2}, {3, 4}, {1, 3}, {2, 5}, {4, 5}, {1, 2}}), -1);
    // A quarter of the pairs is three of them; Expected: 10 (1 - 0.9^d) first reaches 2.25 at d = 3.
    EXPECT_EQ(Compute(stat, 1, 2, 0.25f, 1), (std::vector<int32_t>{4, 3, 3, 3, 3, -1, -1}));
    EXPECT_EQ(stat.SummaryRows[0].Expected, 3);
    EXPECT_EQ(Text(stat, &TStatWait::GetDetailText, 0) + Text(stat, &TStatWait::GetDetailText, 6), "4 - ");
    // Windows of three draws; Expected 10 (1 - 0.9^3).
    EXPECT_EQ(Compute(stat, 0, 2, 0, 3), (std::vector<int32_t>{2, 3, 3, 3, 3, -1, -1}));
    EXPECT_FLOAT_EQ(static_cast<float>(stat.SummaryRows[0].Expected), 2.71f);
    EXPECT_EQ(Text(stat, &TStatWait::GetDetailPercentText, 0) +
                  Text(stat, &TStatWait::GetGroupPercentText, 1) +
                  Text(stat, &TStatWait::GetGroupCountText, 1) + Text(stat, &TStatWait::GetGroupCountText, 2),
              "20,00%30,00%4 ");
    // A share of 0 needs no draw (and nothing is removed that was not added); 0 shows as nothing.
    EXPECT_EQ(Compute(stat, 1, 2, 0, 1), std::vector<int32_t>(7, 0));
    EXPECT_EQ(Text(stat, &TStatWait::GetDetailText, 3), "");
    // A window below one draw is one draw; one longer than the history leaves no value and no group.
    EXPECT_EQ(Compute(stat, 0, 2, 0, 0), std::vector<int32_t>(7, 1));
    EXPECT_EQ(Compute(stat, 0, 2, 0, 8), std::vector<int32_t>(7, -1));
    EXPECT_EQ(stat.Groups.at(0).Count, 0);
    EXPECT_THROW(stat.SetParams(1, 3, 0.5f, 1), std::invalid_argument);

    // 10,300 draws of one pair, then the nine others: start s waits 10,309 - s draws for all ten pairs.
    std::vector<TDynByteArr> numbers(10300, TDynByteArr{1, 2});
    std::vector<int32_t> waits(10309, -1);
    for (uint8_t a = 1; a <= 5; ++a)
        for (uint8_t b = a + 1; b <= 5; ++b)
            if (a + b > 3)
                numbers.push_back({a, b});
    for (int s = 0; s < 10300; ++s)
        waits[size_t(s)] = 10309 - s;
    stat.LoadStatDraws(MakeDraws(numbers), -1);
    EXPECT_EQ(Compute(stat, 1, 2, 1.0f, 1), waits);
    EXPECT_EQ(stat.Groups[0].Items.back().Value, 10309);
}

TEST_F(StatWaitTest, TheLottoHistoryAgreesWithAPlainRecountOfEveryWindow)
{
    TStatWait stat(&LottoGame().Info, nullptr, nullptr);
    stat.LoadDraws(TDrawsRange{}, LottoHistory(), -1);
    const int draws = stat.DrawCount;
    for (int k = 2; k <= 3; ++k) {
        std::vector<std::vector<int>> codes;
        for (const TStatDraw &draw : stat.Draws)
            ForEachSubset(draw.Numbers, k, [&, code = &codes.emplace_back()](const TDynByteArr &S) {
                code->push_back(S[0] * 2500 + S[1] * 50 + (k == 3 ? S[2] : 0));
            });
        const double all = k == 2 ? 1176 : 18424;
        for (float percent : {0.1f, 0.5f, 1.0f}) {
            SCOPED_TRACE("k = " + std::to_string(k) + ", waiting for " + std::to_string(percent));
            const std::vector<int32_t> values = Compute(stat, 1, k, percent, 1);
            const auto reaches = [&](int From, int To) { return Distinct(codes, From, To) / all >= percent; };
            // Every wait is the shortest that reaches the share; after the first start that never
            // reaches it, no later one (holding fewer draws) does.
            int s = 0;
            for (int wait; s < draws && (wait = values[size_t(s)]) != -1; ++s)
                ASSERT_TRUE(s + wait <= draws && reaches(s, s + wait) && !reaches(s, s + wait - 1)) << s;
            EXPECT_TRUE(s == draws || !reaches(s, draws));
            EXPECT_EQ(std::vector<int32_t>(values.begin() + s, values.end()),
                      std::vector<int32_t>(draws - s, -1));
        }
        for (int window : {1, 10, 100}) {
            SCOPED_TRACE("k = " + std::to_string(k) + ", window " + std::to_string(window));
            const std::vector<int32_t> values = Compute(stat, 0, k, 0, window);
            for (int s = 0; s < draws; ++s)
                ASSERT_EQ(values[size_t(s)], s + window <= draws ? Distinct(codes, s, s + window) : -1) << s;
        }
    }
}

TEST_F(StatWaitTest, MaxCombLenWeighsTheCountersUpToTheNumbersDrawn)
{
    TStatWait stat(&LottoGame().Info, nullptr, nullptr);
    EXPECT_EQ(stat.MaxCombLen(), 6); // bets of twelve numbers, draws of six
    Memory.Set(100'000);             // 2 x C(49, 3) bytes fit in 90 % of it, 2 x C(49, 4) do not
    EXPECT_EQ(stat.MaxCombLen(), 3);
    Memory.Set(1'000);
    EXPECT_EQ(stat.MaxCombLen(), 1);
}

// Stopped from this (the GUI) thread while the worker reports progress.
TEST_F(StatWaitTest, AStopMidWayLeavesNoResults)
{
    for (uint8_t mode : {0, 1}) {
        std::atomic<bool> reported{false};
        int finished = 0;
        TStatWait stat(
            &LottoGame().Info,
            [&](int32_t, int32_t) {
                for (reported = true; !stat.Thread->GetTerminated();)
                    std::this_thread::yield();
            },
            [&] { ++finished; });
        stat.LoadDraws(TDrawsRange{}, LottoHistory(), -1);
        stat.SetParams(mode, 2, 1.0f, 100);
        stat.Start();
        for (const auto guard = std::chrono::steady_clock::now() + testsupport::HangGuard;
             !reported && std::chrono::steady_clock::now() < guard;)
            std::this_thread::yield();
        stat.Stop();
        EXPECT_TRUE(reported);
        EXPECT_EQ(finished, 1);
        EXPECT_EQ(stat.State, ssStopped);
        EXPECT_TRUE(stat.Details.empty() && stat.Groups.empty() && stat.SummaryRows.empty() &&
                    stat.RunningMean.empty() && stat.Counters.empty());
    }
}
