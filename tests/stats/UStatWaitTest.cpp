#include "stats/UStatWait.h"

#include "tests/stats/FreqTestSupport.h"
#include "tests/support/HangGuard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

using namespace freqtest;

namespace {

class StatWaitTest : public testing::Test {
protected:
    TMemoryProbe Memory{8 * GiB};
};

std::unique_ptr<TStatWait> StatOver(const TGameInfo &Game, const TStatDraws &Draws)
{
    auto stat = std::make_unique<TStatWait>(&Game, nullptr, nullptr);
    stat->LoadStatDraws(Draws, -1);
    return stat;
}

void Compute(TStatWait &Stat, uint8_t Mode, int CombLen, float Percent, int Window)
{
    Stat.SetParams(Mode, CombLen, Percent, Window);
    Stat.Start();
    Stat.Thread->WaitFor();
}

std::vector<int32_t> Values(const TStatWait &Stat)
{
    std::vector<int32_t> values;
    for (const TDetRow &row : Stat.Details)
        values.push_back(row[0].Value);
    return values;
}

std::vector<std::string> Texts(const TStatWait &Stat, void (TStatWait::*Text)(int32_t, std::string &) const)
{
    std::vector<std::string> texts(Stat.Details.size());
    for (size_t r = 0; r < texts.size(); ++r)
        (Stat.*Text)(static_cast<int32_t>(r), texts[r]);
    return texts;
}

std::vector<std::pair<int32_t, int32_t>> GroupPairs(const TStatWait &Stat)
{
    std::vector<std::pair<int32_t, int32_t>> pairs;
    for (const TGSItem &item : Stat.Groups.at(0).Items)
        pairs.emplace_back(item.Value, item.Draws);
    return pairs;
}

// The distinct k-subsets of runs of draws, counted the plain way: every subset of a draw as its code in
// base N + 1, marked with the number of the count in progress.
class TNaiveCover {
public:
    TNaiveCover(const TStatDraws &Draws, int N, int K)
    {
        int limit = 1;
        for (int i = 0; i < K; ++i)
            limit *= N + 1;
        Marks.assign(static_cast<size_t>(limit), 0);
        for (const TStatDraw &draw : Draws) {
            Codes.emplace_back();
            ForEachSubset(draw.Numbers, K, [&](const TDynByteArr &Subset) {
                int code = 0;
                for (uint8_t n : Subset)
                    code = code * (N + 1) + n;
                Codes.back().push_back(code);
            });
        }
    }

    // Distinct subsets of draws From..To - 1.
    int Distinct(int From, int To)
    {
        ++Stamp;
        int distinct = 0;
        for (int d = From; d < To; ++d)
            for (int code : Codes[static_cast<size_t>(d)])
                if (Marks[static_cast<size_t>(code)] != Stamp) {
                    Marks[static_cast<size_t>(code)] = Stamp;
                    ++distinct;
                }
        return distinct;
    }

private:
    std::vector<std::vector<int>> Codes;
    std::vector<int> Marks;
    int Stamp = 0;
};

// Groups, summary and running means of a finished statistic against its own rows, counted plainly.
void ExpectSummariesOfRows(const TStatWait &Stat)
{
    const std::vector<int32_t> values = Values(Stat);
    std::map<int32_t, int32_t> groups;
    int64_t sum = 0;
    int counted = 0;
    for (size_t r = 0; r < values.size(); ++r) {
        EXPECT_EQ(Stat.Details[r][0].Draw, static_cast<int32_t>(r)); // oldest draw first
        if (values[r] == -1) {
            EXPECT_EQ(Stat.RunningMean[r], -1.0f) << "row " << r;
            continue;
        }
        ++groups[values[r]];
        sum += values[r];
        ++counted;
        EXPECT_NEAR(Stat.RunningMean[r], static_cast<double>(sum) / counted, 1e-3) << "row " << r;
    }
    EXPECT_EQ(GroupPairs(Stat), (std::vector<std::pair<int32_t, int32_t>>(groups.begin(), groups.end())));
    EXPECT_EQ(Stat.SummaryRows.at(0).Sum, sum);
    if (counted > 0) {
        EXPECT_EQ(Stat.SummaryRows[0].Min, groups.begin()->first);
        EXPECT_EQ(Stat.SummaryRows[0].Max, groups.rbegin()->first);
    }
}

} // namespace

// Five numbers, two drawn, pairs: every draw holds one of the ten pairs.
TEST_F(StatWaitTest, AHandMadeHistoryGivesTheRowsWorkedByHand)
{
    const TGameInfo game = MakeGame(5, 2, 2);
    auto stat = StatOver(game, MakeDraws({{1, 2}, {1, 2}, {3, 4}, {1, 3}, {2, 5}, {4, 5}, {1, 2}}));

    // A quarter of the pairs is three of them.
    Compute(*stat, 1, 2, 0.25f, 1);
    ASSERT_EQ(stat->State, ssComputed);
    EXPECT_EQ(Values(*stat), (std::vector<int32_t>{4, 3, 3, 3, 3, -1, -1}));
    EXPECT_EQ(stat->RunningMean, (std::vector<float>{4, 3.5f, 10 / 3.0f, 3.25f, 3.2f, -1, -1}));
    EXPECT_EQ(GroupPairs(*stat), (std::vector<std::pair<int32_t, int32_t>>{{3, 4}, {4, 1}}));
    EXPECT_DOUBLE_EQ(stat->SummaryRows[0].Mean, 3.2);
    EXPECT_EQ(stat->SummaryRows[0].Expected, 3); // 10 (1 - 0.9^d) first reaches 2.25 at d = 3
    EXPECT_EQ(Texts(*stat, &TStatWait::GetDetailText),
              (std::vector<std::string>{"4 ", "3 ", "3 ", "3 ", "3 ", "- ", "- "}));
    // Ascending values put the draws without one first, ties by the later draw.
    stat->SortDetailsByValue(-1);
    std::string label, numbers;
    stat->GetDrawLabel(0, false, label);
    stat->GetDrawText(6, numbers);
    EXPECT_EQ(label, "7");
    EXPECT_EQ(numbers, " 1  2 ");

    // Windows of three draws.
    Compute(*stat, 0, 2, 0, 3);
    EXPECT_EQ(Values(*stat), (std::vector<int32_t>{2, 3, 3, 3, 3, -1, -1}));
    EXPECT_FLOAT_EQ(static_cast<float>(stat->SummaryRows[0].Expected), 2.71f);
    EXPECT_EQ(Texts(*stat, &TStatWait::GetDetailPercentText),
              (std::vector<std::string>{"20,00%", "30,00%", "30,00%", "30,00%", "30,00%", "- ", "- "}));
    std::string value, count, percent, beyond = "x";
    stat->GetGroupValueText(0, value);
    stat->GetGroupCountText(1, count);
    stat->GetGroupPercentText(0, percent);
    stat->GetGroupCountText(2, beyond);
    EXPECT_EQ(value + count + percent + beyond, "2 4 20,00%");

    // A share of 0 is reached before any draw: every row is 0, and nothing is removed that was not added.
    Compute(*stat, 1, 2, 0, 1);
    EXPECT_EQ(Values(*stat), std::vector<int32_t>(7, 0));
    EXPECT_EQ(Texts(*stat, &TStatWait::GetDetailText), std::vector<std::string>(7, ""));
    EXPECT_EQ(GroupPairs(*stat), (std::vector<std::pair<int32_t, int32_t>>{{0, 7}}));
    EXPECT_EQ(stat->RunningMean, std::vector<float>(7, 0));

    // A window below one draw is one draw; a window longer than the history leaves no value.
    Compute(*stat, 0, 2, 0, 0);
    EXPECT_EQ(Values(*stat), std::vector<int32_t>(7, 1));
    Compute(*stat, 0, 2, 0, 8);
    EXPECT_EQ(stat->State, ssComputed);
    EXPECT_EQ(Values(*stat), std::vector<int32_t>(7, -1));
    EXPECT_EQ(stat->Groups.at(0).Count, 0);
    EXPECT_THROW(stat->SetParams(1, 3, 0.5f, 1), std::invalid_argument);
}

TEST_F(StatWaitTest, TheLottoHistoryAgreesWithAPlainRecountOfEveryWindow)
{
    auto stat = std::make_unique<TStatWait>(&LottoGame().Info, nullptr, nullptr);
    stat->LoadDraws(TDrawsRange{}, LottoHistory(), -1);
    const int draws = stat->DrawCount;
    ASSERT_EQ(draws, 3545);
    for (int k = 2; k <= 3; ++k) {
        TNaiveCover cover(stat->Draws, 49, k);
        const double all = k == 2 ? 1176 : 18424;
        for (float percent : {0.1f, 0.5f, 1.0f}) {
            SCOPED_TRACE("k = " + std::to_string(k) + ", waiting for " + std::to_string(percent));
            Compute(*stat, 1, k, percent, 1);
            ASSERT_EQ(stat->State, ssComputed);
            const std::vector<int32_t> values = Values(*stat);
            const auto reaches = [&](int From, int To) { return cover.Distinct(From, To) / all >= percent; };
            int s = 0;
            for (; s < draws && values[static_cast<size_t>(s)] != -1; ++s) {
                const int wait = values[static_cast<size_t>(s)];
                ASSERT_TRUE(wait >= 1 && s + wait <= draws && reaches(s, s + wait) && !reaches(s, s + wait - 1))
                    << "row " << s << ": " << wait;
            }
            // The first start that never reaches the share; its later ones hold fewer draws.
            EXPECT_TRUE(s == draws || !reaches(s, draws));
            for (; s < draws; ++s)
                ASSERT_EQ(values[static_cast<size_t>(s)], -1) << "row " << s;
            ExpectSummariesOfRows(*stat);
        }
        for (int window : {1, 10, 100}) {
            SCOPED_TRACE("k = " + std::to_string(k) + ", window " + std::to_string(window));
            Compute(*stat, 0, k, 0, window);
            ASSERT_EQ(stat->State, ssComputed);
            const std::vector<int32_t> values = Values(*stat);
            for (int s = 0; s < draws; ++s)
                ASSERT_EQ(values[static_cast<size_t>(s)], s + window <= draws ? cover.Distinct(s, s + window) : -1)
                    << "row " << s;
            ExpectSummariesOfRows(*stat);
        }
    }
    // Expected values of pairs.
    Compute(*stat, 1, 2, 0.5f, 1);
    EXPECT_EQ(stat->SummaryRows[0].Expected, 54);
    Compute(*stat, 1, 2, 1.0f, 1);
    EXPECT_EQ(stat->SummaryRows[0].Expected, 551);
    Compute(*stat, 0, 2, 0, 10);
    EXPECT_NEAR(stat->SummaryRows[0].Expected, 141.6767, 1e-3);
}

// 10,300 draws of one pair, then the nine others: start s waits 10,309 - s draws for every pair, up to
// values the counting grouping does not hold.
TEST_F(StatWaitTest, WaitsBeyondTheCountingGroupingAreGrouped)
{
    const TGameInfo game = MakeGame(5, 2, 2);
    std::vector<TDynByteArr> numbers(10300, TDynByteArr{1, 2});
    for (uint8_t a = 1; a <= 5; ++a)
        for (uint8_t b = a + 1; b <= 5; ++b)
            if (a != 1 || b != 2)
                numbers.push_back({a, b});
    auto stat = StatOver(game, MakeDraws(numbers));
    Compute(*stat, 1, 2, 1.0f, 1);
    ASSERT_EQ(stat->State, ssComputed);
    const std::vector<int32_t> values = Values(*stat);
    for (int s = 0; s < 10309; ++s)
        ASSERT_EQ(values[static_cast<size_t>(s)], s < 10300 ? 10309 - s : -1) << "row " << s;
    ASSERT_EQ(stat->Groups.at(0).Count, 10300);
    EXPECT_EQ(stat->Groups[0].Items.front().Value, 10);
    EXPECT_EQ(stat->Groups[0].Items.back().Value, 10309);
    EXPECT_EQ(stat->Groups[0].Items.back().Draws, 1);
    EXPECT_EQ(stat->SummaryRows[0].Max, 10309);
    EXPECT_FLOAT_EQ(stat->RunningMean[10299], 5159.5f);
}

TEST_F(StatWaitTest, MaxCombLenWeighsTheCountersUpToTheNumbersDrawn)
{
    auto stat = StatOver(LottoGame().Info, MakeDraws({{1, 2, 3, 4, 5, 6}}));
    // Bets of twelve numbers, but no draw holds more than six.
    EXPECT_EQ(stat->MaxCombLen(), 6);
    // 2 x C(49, 3) = 36,848 bytes fit in 90 % of 100,000, 2 x C(49, 4) = 423,752 do not.
    Memory.Set(100'000);
    EXPECT_EQ(stat->MaxCombLen(), 3);
    Memory.Set(1'000);
    EXPECT_EQ(stat->MaxCombLen(), 1);
    const TGameInfo single = MakeGame(49, 6, 1);
    EXPECT_EQ(StatOver(single, {})->MaxCombLen(), 1);
}

// Stopped from the GUI thread while the worker reports progress: no results, and OnFinished once.
TEST_F(StatWaitTest, AStopMidWayLeavesNoResults)
{
    for (uint8_t mode : {0, 1}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        TStatWait *running = nullptr;
        std::atomic<bool> reported{false};
        int finished = 0;
        auto stat = std::make_unique<TStatWait>(
            &LottoGame().Info,
            [&](int32_t, int32_t) {
                reported = true;
                while (!running->Thread->GetTerminated())
                    std::this_thread::yield();
            },
            [&] { ++finished; });
        running = stat.get();
        stat->LoadDraws(TDrawsRange{}, LottoHistory(), -1);
        stat->SetParams(mode, 2, 1.0f, 100);
        stat->Start();
        const auto guard = std::chrono::steady_clock::now() + testsupport::HangGuard;
        while (!reported && std::chrono::steady_clock::now() < guard)
            std::this_thread::yield();
        ASSERT_TRUE(reported);
        stat->Stop();
        EXPECT_EQ(finished, 1);
        EXPECT_EQ(stat->State, ssStopped);
        EXPECT_FALSE(stat->Thread);
        EXPECT_TRUE(stat->Details.empty());
        EXPECT_TRUE(stat->Groups.empty());
        EXPECT_TRUE(stat->SummaryRows.empty());
        EXPECT_TRUE(stat->RunningMean.empty());
        EXPECT_TRUE(stat->Counters.empty());
    }
}
