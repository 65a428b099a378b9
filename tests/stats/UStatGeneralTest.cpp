#include "stats/UStatGeneral.h"

#include "core/DateTime.h"
#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "platform/Dispatcher.h"
#include "tests/support/HangGuard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <limits>
#include <memory>
#include <thread>

namespace {

constexpr int32_t NoValue = -1;

TGameInfo MakeGame(uint8_t MaxNumber, uint8_t Drawn)
{
    TGameInfo game;
    game.MaxNumber = MaxNumber;
    game.Drawn = Drawn;
    return game;
}

// A table statistic over hand-made tables: working draws numbered 101, 102, ... so that a draw's No
// differs from its index.
class TTableStat : public TStatDetails {
public:
    explicit TTableStat(const TGameInfo &Game, int32_t Draws = 0) : TStatDetails(&Game, nullptr, nullptr)
    {
        SetDrawCount(Draws);
    }

    void SetDrawCount(int32_t Count)
    {
        this->Draws.assign(static_cast<size_t>(Count), TStatDraw{});
        for (int32_t i = 0; i < Count; ++i)
            this->Draws[static_cast<size_t>(i)].No = 101 + i;
        DrawCount = Count;
    }

    // Rows of Values, cell (r, c) of draw r.
    TDets MakeDets(const std::vector<std::vector<int32_t>> &Values) const
    {
        TDets dets(Values.size());
        for (size_t r = 0; r < Values.size(); ++r)
            for (const int32_t value : Values[r])
                dets[r].push_back({static_cast<int32_t>(r), value});
        return dets;
    }
};

std::vector<int32_t> ColumnValues(const TDets &Dets, size_t Col)
{
    std::vector<int32_t> values;
    for (const TDetRow &row : Dets)
        values.push_back(row[Col].Value);
    return values;
}

std::vector<int32_t> ColumnDraws(const TDets &Dets, size_t Col)
{
    std::vector<int32_t> draws;
    for (const TDetRow &row : Dets)
        draws.push_back(row[Col].Draw);
    return draws;
}

std::vector<std::pair<int32_t, int32_t>> GroupPairs(const TGItem &Item)
{
    std::vector<std::pair<int32_t, int32_t>> pairs;
    for (const TGSItem &entry : Item.Items)
        pairs.emplace_back(entry.Value, entry.Draws);
    return pairs;
}

using Pairs = std::vector<std::pair<int32_t, int32_t>>;

// Column 0: 2 4 4 6; column 1: values in rows 1 and 3 only; column 2: no value at all.
const std::vector<std::vector<int32_t>> SampleValues{{2, NoValue, NoValue}, {4, 3, NoValue}, {4, NoValue, NoValue},
                                                     {6, 5, NoValue}};

TEST(StatDetailsGroupingTest, GroupCountsEachColumnsValuesAscending)
{
    const TGameInfo game = MakeGame(49, 6);
    TTableStat stat(game, 4);
    const TDets dets = stat.MakeDets(SampleValues);
    TGDets groups;
    stat.Group(dets, groups, 3);

    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].Count, 3);
    EXPECT_EQ(GroupPairs(groups[0]), (Pairs{{2, 1}, {4, 2}, {6, 1}}));
    EXPECT_EQ(groups[1].Count, 2);
    EXPECT_EQ(GroupPairs(groups[1]), (Pairs{{3, 1}, {5, 1}}));
    EXPECT_EQ(groups[2].Count, 0);
    EXPECT_TRUE(groups[2].Items.empty());
    EXPECT_EQ(stat.WidestCount, 3);
}

TEST(StatDetailsGroupingTest, GroupBySortMatchesGroupAndLeavesColumnsSorted)
{
    const TGameInfo game = MakeGame(49, 6);
    TTableStat stat(game, 4);
    TDets dets = stat.MakeDets(SampleValues);
    TGDets byCounting;
    stat.Group(dets, byCounting, 3);
    TGDets bySorting;
    stat.GroupBySort(dets, bySorting, 3);

    for (size_t c = 0; c < 3; ++c) {
        EXPECT_EQ(bySorting[c].Count, byCounting[c].Count) << c;
        EXPECT_EQ(GroupPairs(bySorting[c]), GroupPairs(byCounting[c])) << c;
    }
    EXPECT_EQ(stat.WidestCount, 3);
    EXPECT_EQ(ColumnValues(dets, 0), (std::vector<int32_t>{2, 4, 4, 6}));
    // Cells without a value come first; equal values put the later draw (larger No) first.
    EXPECT_EQ(ColumnValues(dets, 1), (std::vector<int32_t>{NoValue, NoValue, 3, 5}));
    EXPECT_EQ(ColumnDraws(dets, 1), (std::vector<int32_t>{2, 0, 1, 3}));
    EXPECT_EQ(ColumnDraws(dets, 0), (std::vector<int32_t>{0, 2, 1, 3}));
}

// Values beyond the counters: Group sorts a copy, so the table keeps its order.
TEST(StatDetailsGroupingTest, GroupTakesValuesBeyondItsCountersBySorting)
{
    const TGameInfo game = MakeGame(49, 6);
    TTableStat stat(game, 5);
    const TDets dets =
        stat.MakeDets({{70000, 3}, {-5, 10240}, {NoValue, 3}, {70000, NoValue}, {123456, 10239}});
    TGDets groups;
    stat.Group(dets, groups, 2);
    EXPECT_EQ(GroupPairs(groups[0]), (Pairs{{-5, 1}, {70000, 2}, {123456, 1}}));
    EXPECT_EQ(GroupPairs(groups[1]), (Pairs{{3, 2}, {10239, 1}, {10240, 1}}));
    EXPECT_EQ(groups[1].Count, 3);
    EXPECT_EQ(stat.WidestCount, 3);
    EXPECT_EQ(ColumnValues(dets, 0), (std::vector<int32_t>{70000, -5, NoValue, 70000, 123456}));

    stat.Group(stat.MakeDets({{0}, {10239}}), groups, 1);
    EXPECT_EQ(GroupPairs(groups[0]), (Pairs{{0, 1}, {10239, 1}}));
    stat.Group(stat.MakeDets({{10240}, {0}}), groups, 1);
    EXPECT_EQ(GroupPairs(groups[0]), (Pairs{{0, 1}, {10240, 1}}));
}

TEST(StatDetailsGroupingTest, OneValueInEveryRowIsOneGroupOfAllDraws)
{
    const TGameInfo game = MakeGame(49, 6);
    TTableStat stat(game, 6);
    TDets dets = stat.MakeDets({{7}, {7}, {7}, {7}, {7}, {7}});
    TGDets groups;
    stat.GroupBySort(dets, groups, 1);
    EXPECT_EQ(GroupPairs(groups[0]), (Pairs{{7, 6}}));
    stat.Group(dets, groups, 1);
    EXPECT_EQ(GroupPairs(groups[0]), (Pairs{{7, 6}}));
}

TEST(StatDetailsGroupingTest, WithoutDrawsEveryGroupingIsEmpty)
{
    const TGameInfo game = MakeGame(49, 6);
    TTableStat stat(game, 0);
    TDets dets;
    TGDets groups;
    stat.Group(dets, groups, 2);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].Count + groups[1].Count, 0);
    stat.GroupBySort(dets, groups, 2);
    EXPECT_EQ(groups[0].Count + groups[1].Count, 0);
    EXPECT_EQ(stat.WidestCount, 0);

    TCDets configs;
    TCGDets configGroups;
    stat.PatternWidth = 2;
    stat.GroupConfigs(configs, configGroups, 1);
    ASSERT_EQ(configGroups.size(), 1u);
    EXPECT_EQ(configGroups[0].Count, 0);
    EXPECT_TRUE(configGroups[0].Items.empty());
}

TEST(StatDetailsGroupingTest, PatternsGroupByTheirFirstPatternWidthBytes)
{
    const TGameInfo game = MakeGame(49, 6);
    TTableStat stat(game, 5);
    stat.PatternWidth = 2;
    // Draw r has Len 10 + r; the third byte lies beyond the width and does not count.
    const std::vector<TDynByteArr> patterns{{1, 2, 9}, {0, 3, 0}, {1, 2, 0}, {0, 3, 7}, {2, 0, 0}};
    TCDets configs;
    configs.Assign(static_cast<int32_t>(patterns.size()), 1, 3);
    for (int32_t r = 0; r < configs.RowCount(); ++r) {
        configs.SetItem(r, 0, r, 10 + r);
        std::copy_n(patterns[static_cast<size_t>(r)].begin(), 3, configs.Pattern(r, 0));
    }

    TCGDets groups;
    stat.GroupConfigs(configs, groups, 1);
    ASSERT_EQ(groups[0].Count, 3);
    ASSERT_EQ(groups[0].Items.size(), 3u);
    const auto &items = groups[0].Items;
    EXPECT_EQ(items[0].Pattern, (TDynByteArr{0, 3}));
    EXPECT_EQ(items[0].Draws, 2);
    // Equal patterns stand later draw first, so a run ends with its earliest draw: draw 1.
    EXPECT_EQ(items[0].Len, 11);
    EXPECT_EQ(items[1].Pattern, (TDynByteArr{1, 2}));
    EXPECT_EQ(items[1].Draws, 2);
    EXPECT_EQ(items[1].Len, 10);
    EXPECT_EQ(items[2].Pattern, (TDynByteArr{2, 0}));
    EXPECT_EQ(items[2].Draws, 1);
    EXPECT_EQ(items[2].Len, 14);
    EXPECT_EQ(stat.WidestCount, 3);
    EXPECT_EQ(configs.Item(0, 0).Draw, 3);
    EXPECT_EQ(configs.Item(1, 0).Draw, 1);
    // Each item's bytes travel with it, the ignored third byte too.
    EXPECT_EQ(TDynByteArr(configs.Pattern(0, 0), configs.Pattern(0, 0) + 3), (TDynByteArr{0, 3, 7}));
    EXPECT_EQ(configs.Item(4, 0).Len, 14);
}

TEST(StatDetailsSummaryTest, SummaryOfAHandMadeTable)
{
    const TGameInfo game = MakeGame(49, 6);
    TTableStat stat(game, 4);
    const TDets dets = stat.MakeDets(SampleValues);
    TTDets summary;
    stat.Summarize(dets, summary, 3);

    ASSERT_EQ(summary.size(), 3u);
    EXPECT_EQ(summary[0].Min, 2);
    EXPECT_EQ(summary[0].Max, 6);
    EXPECT_EQ(summary[0].Sum, 16);
    EXPECT_DOUBLE_EQ(summary[0].Mean, 4.0);
    EXPECT_DOUBLE_EQ(summary[0].StdDev, std::sqrt(2.0)); // (4 + 0 + 0 + 4) / 4
    EXPECT_DOUBLE_EQ(summary[0].Percent, 16.0 / 24.0);
    EXPECT_EQ(summary[1].Min, 3);
    EXPECT_EQ(summary[1].Max, 5);
    EXPECT_EQ(summary[1].Sum, 8);
    EXPECT_DOUBLE_EQ(summary[1].Mean, 4.0);
    EXPECT_DOUBLE_EQ(summary[1].StdDev, 1.0);
    EXPECT_DOUBLE_EQ(summary[1].Percent, 8.0 / 24.0);
    EXPECT_EQ(summary[2].Min, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(summary[2].Max, -1);
    EXPECT_EQ(summary[2].Sum, 0);
    EXPECT_EQ(summary[2].Mean, 0.0);
    EXPECT_EQ(summary[2].StdDev, 0.0);
    EXPECT_EQ(summary[2].Percent, 0.0);
}

TEST(StatDetailsSummaryTest, KeyAndExpectedSurviveAndStaleFiguresDoNot)
{
    const TGameInfo game = MakeGame(49, 6);
    TTableStat stat(game, 4);
    TTDets summary(2);
    summary[0].Key = 7;
    summary[0].Expected = 2.5;
    summary[1].Mean = 99;
    summary[1].StdDev = 99;
    summary[1].Percent = 99;
    stat.Summarize(stat.MakeDets({{1, NoValue}, {3, NoValue}, {NoValue, NoValue}, {5, NoValue}}), summary, 2);
    EXPECT_EQ(summary[0].Key, 7);
    EXPECT_EQ(summary[0].Expected, 2.5);
    EXPECT_DOUBLE_EQ(summary[0].Mean, 3.0);
    EXPECT_EQ(summary[1].Mean, 0.0);
    EXPECT_EQ(summary[1].StdDev, 0.0);
    EXPECT_EQ(summary[1].Percent, 0.0);
}

TEST(StatDetailsSummaryTest, NoRowsGiveOneEmptyRowPerColumn)
{
    const TGameInfo game = MakeGame(49, 6);
    TTableStat stat(game, 0);
    TTDets summary;
    stat.Summarize(TDets{}, summary, 3);
    ASSERT_EQ(summary.size(), 3u);
    for (const TSummaryItem &row : summary) {
        EXPECT_EQ(row.Min, std::numeric_limits<int32_t>::max());
        EXPECT_EQ(row.Max, -1);
        EXPECT_EQ(row.Sum, 0);
        EXPECT_EQ(row.Mean, 0.0);
        EXPECT_EQ(row.StdDev, 0.0);
        EXPECT_EQ(row.Percent, 0.0);
    }
}

TEST(StatDetailsSummaryTest, AllZeroValuesGiveNoShare)
{
    const TGameInfo game = MakeGame(49, 6);
    TTableStat stat(game, 3);
    TTDets summary;
    stat.Summarize(stat.MakeDets({{0, 0}, {0, 0}, {0, NoValue}}), summary, 2);
    EXPECT_EQ(summary[0].Min, 0);
    EXPECT_EQ(summary[0].Max, 0);
    EXPECT_EQ(summary[0].Percent, 0.0);
    EXPECT_FALSE(std::isnan(summary[1].Percent));
    EXPECT_EQ(summary[1].Percent, 0.0);
}

TEST(StatDetailsSummaryTest, RunningMeansFollowTheRows)
{
    const TGameInfo game = MakeGame(49, 6);
    TTableStat stat(game, 4);
    const TDets dets = stat.MakeDets({{3, 1}, {5, 2}, {1, 3}, {7, 4}});
    std::vector<double> means;
    TStatDetails::RunningMeans(dets, 0, means);
    EXPECT_EQ(means, (std::vector<double>{3.0, 4.0, 3.0, 4.0}));
    std::vector<float> singles;
    TStatDetails::RunningMeans(dets, 1, singles);
    EXPECT_EQ(singles, (std::vector<float>{1.0f, 1.5f, 2.0f, 2.5f}));
    TStatDetails::RunningMeans(TDets{}, 0, means);
    EXPECT_TRUE(means.empty());
}

TEST(StatDetailsSortTest, SortingOneColumnLeavesTheOthers)
{
    const TGameInfo game = MakeGame(49, 6);
    TTableStat stat(game, 4);
    TDets dets = stat.MakeDets({{5, 1, 9}, {8, 2, 8}, {1, 3, 7}, {6, 4, 6}});
    stat.SortDetColumn(dets, 0, &TStatDetails::CompareDetValue, 1);
    EXPECT_EQ(ColumnValues(dets, 0), (std::vector<int32_t>{8, 6, 5, 1}));
    EXPECT_EQ(ColumnDraws(dets, 0), (std::vector<int32_t>{1, 3, 0, 2}));
    EXPECT_EQ(ColumnValues(dets, 1), (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(ColumnValues(dets, 2), (std::vector<int32_t>{9, 8, 7, 6}));

    stat.SortDetColumn(dets, 0, &TStatDetails::CompareDetDraw, 1);
    EXPECT_EQ(ColumnDraws(dets, 0), (std::vector<int32_t>{3, 2, 1, 0}));
    stat.SortDetColumn(dets, 0, &TStatDetails::CompareDetDraw, -1);
    EXPECT_EQ(ColumnValues(dets, 0), (std::vector<int32_t>{5, 8, 1, 6}));
}

TEST(StatDetailsSortTest, GroupsByCountBreakTiesBySmallerValue)
{
    const TGameInfo game = MakeGame(49, 6);
    TTableStat stat(game, 4);
    TDets dets = stat.MakeDets({{6}, {4}, {2}, {4}});
    TGDets groups;
    stat.Group(dets, groups, 1);
    stat.SortGroupColumn(groups, 0, &TStatDetails::CompareGroupCount, 1);
    EXPECT_EQ(GroupPairs(groups[0]), (Pairs{{4, 2}, {2, 1}, {6, 1}}));
    stat.SortGroupColumn(groups, 0, &TStatDetails::CompareGroupCount, -1);
    EXPECT_EQ(GroupPairs(groups[0]), (Pairs{{2, 1}, {6, 1}, {4, 2}}));
    stat.SortGroupColumn(groups, 0, &TStatDetails::CompareGroupValue, 1);
    EXPECT_EQ(GroupPairs(groups[0]), (Pairs{{6, 1}, {4, 2}, {2, 1}}));
}

TEST(StatDetailsSortTest, SummaryRowsSortByTheChosenColumn)
{
    const TGameInfo game = MakeGame(49, 6);
    TTableStat stat(game, 0);
    TTDets summary(3);
    summary[0] = {1, 0, 9, 2.5, 0, 0, 100, 0};
    summary[1] = {2, 0, 3, 7.25, 0, 0, 5, 0};
    summary[2] = {3, 0, 6, 0.5, 0, 0, 40, 0};
    stat.SortSummary(summary, 3, 1);
    EXPECT_EQ((std::vector<int32_t>{summary[0].Key, summary[1].Key, summary[2].Key}), (std::vector<int32_t>{2, 1, 3}));
    stat.SortSummary(summary, 6, -1);
    EXPECT_EQ((std::vector<int32_t>{summary[0].Key, summary[1].Key, summary[2].Key}), (std::vector<int32_t>{2, 3, 1}));
    stat.SortSummary(summary, 2, 1);
    EXPECT_EQ((std::vector<int32_t>{summary[0].Key, summary[1].Key, summary[2].Key}), (std::vector<int32_t>{1, 3, 2}));
}

// ---------------------------------------------------------------------------------------------------
// Loading

TDateTime Day(int D)
{
    return EncodeDate(2020, 1, D);
}

TEST(StatLoadTest, LoadDrawsTakesTheRangeWithoutTouchingTheHistorysMarks)
{
    TGameData game;
    game.Info.MaxNumber = 49;
    game.Info.Drawn = 6;
    TDrawsManager history(&game, -1);
    for (int d = 1; d <= 5; ++d)
        history.AddDraw({uint8_t(d), uint8_t(d + 1), uint8_t(d + 2), uint8_t(d + 3), uint8_t(d + 4), 40}, Day(d));
    history.Renumber();
    TDrawsRange all;
    DefaultDrawsRange(all);
    all.Mode = drAll;
    ASSERT_TRUE(history.SetRange(all));

    TStat stat(&game.Info, nullptr, nullptr);
    EXPECT_EQ(stat.N, 49);
    EXPECT_EQ(stat.K, 6);
    TDrawsRange range = all;
    range.Mode = drIndexes;
    range.FirstIndex = 2;
    range.LastIndex = 4;
    stat.LoadDraws(range, history, 1);

    ASSERT_EQ(stat.DrawCount, 3);
    EXPECT_EQ(stat.Draws[0].No, 4);
    EXPECT_EQ(stat.Draws[2].No, 2);
    EXPECT_EQ(stat.Draws[0].Numbers, (TDynByteArr{4, 5, 6, 7, 8, 40}));
    EXPECT_EQ(stat.Range.Count, 3u);
    EXPECT_EQ(stat.Range.From, Day(2));
    EXPECT_EQ(stat.Range.To, Day(4));
    for (int i = 0; i < history.Count(); ++i)
        EXPECT_EQ(history.GetDraw(i).Mark, 1) << i;

    stat.SortDraws(-1);
    EXPECT_EQ(stat.Draws[0].No, 2);
    stat.BuildHitMaps();
    ASSERT_EQ(stat.Draws[0].Hits.size(), 49u);
    EXPECT_TRUE(stat.Draws[0].Hits[39]);
    EXPECT_FALSE(stat.Draws[0].Hits[0]);
}

TEST(StatLoadTest, LoadStatDrawsCopiesDeeplyAndSorts)
{
    const TGameInfo game = MakeGame(49, 6);
    TStatDraws source(3);
    for (int i = 0; i < 3; ++i) {
        source[static_cast<size_t>(i)].No = i + 1;
        source[static_cast<size_t>(i)].Date = Day(i + 1);
        source[static_cast<size_t>(i)].Numbers = {uint8_t(i + 1)};
    }
    TStat stat(&game, nullptr, nullptr);
    stat.LoadStatDraws(source, 1);
    ASSERT_EQ(stat.DrawCount, 3);
    EXPECT_EQ(stat.Draws[0].No, 3);
    source[2].Numbers[0] = 99;
    EXPECT_EQ(stat.Draws[0].Numbers, (TDynByteArr{3}));
}

// ---------------------------------------------------------------------------------------------------
// The worker protocol

// Counts upward in a worker, polling for a stop every 1001 steps; Limit 0 counts until stopped.
class TCountingStat : public TStat {
public:
    TCountingStat(const TGameInfo &Game, int64_t Limit) : TStat(&Game, nullptr, nullptr), Limit(Limit) {}
    ~TCountingStat() override { Thread.reset(); }

    void Start()
    {
        State = ssParams;
        StartWorker([this](TMyThread &AThread) { Execute(AThread); });
    }
    void Stop() { StopWorker(); }

    void Finished() override
    {
        ++FinishedCalls;
        FinishedOnCaller = std::this_thread::get_id() == Caller;
        if (OnFinished)
            OnFinished();
    }

    std::vector<int64_t> Results;
    std::atomic<int64_t> Steps{0};
    int FinishedCalls = 0;
    bool FinishedOnCaller = false;
    bool AllocateTooMuch = false;
    const std::thread::id Caller = std::this_thread::get_id();

private:
    void Execute(TMyThread &AThread)
    {
        if (AllocateTooMuch)
            throw std::bad_alloc();
        for (int64_t i = 0; Limit == 0 || i < Limit; ++i) {
            Results.push_back(i);
            Steps = i + 1;
            if (i % 1001 == 0 && CheckStopped(AThread)) {
                std::vector<int64_t>().swap(Results);
                return;
            }
        }
        State = ssComputed;
    }

    int64_t Limit;
};

platform::QueueDispatcher &Queue()
{
    return static_cast<platform::QueueDispatcher &>(*platform::dispatcher());
}

// Drains the dispatcher until Done holds (or the guard against a hang runs out).
template <typename TDone> bool DrainUntil(TDone Done)
{
    const auto deadline = std::chrono::steady_clock::now() + testsupport::HangGuard;
    while (!Done() && std::chrono::steady_clock::now() < deadline)
        Queue().waitAndDrain(testsupport::HangGuard);
    return Done();
}

TEST(StatWorkerTest, AFinishedComputationReportsOnTheGuiThread)
{
    const TGameInfo game = MakeGame(49, 6);
    TCountingStat stat(game, 5000);
    int finished = 0;
    stat.OnFinished = [&finished] { ++finished; };
    stat.Start();
    ASSERT_TRUE(DrainUntil([&finished] { return finished > 0; }));
    EXPECT_EQ(stat.State, ssComputed);
    EXPECT_EQ(stat.Results.size(), 5000u);
    EXPECT_EQ(stat.FinishedCalls, 1);
    EXPECT_TRUE(stat.FinishedOnCaller);
}

TEST(StatWorkerTest, StoppingHalfWayFreesTheResultsAndEndsStopped)
{
    const TGameInfo game = MakeGame(49, 6);
    TCountingStat stat(game, 0);
    int finished = 0;
    stat.OnFinished = [&finished] { ++finished; };
    stat.Start();
    const auto deadline = std::chrono::steady_clock::now() + testsupport::HangGuard;
    while (stat.Steps < 5000 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    ASSERT_GE(stat.Steps, 5000);

    stat.Stop();
    EXPECT_EQ(stat.State, ssStopped);
    EXPECT_TRUE(stat.Results.empty());
    EXPECT_EQ(stat.Results.capacity(), 0u);
    EXPECT_EQ(stat.Thread, nullptr);
    EXPECT_EQ(finished, 1);
    Queue().drain();
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(stat.FinishedCalls, 1);
}

TEST(StatWorkerTest, AnAllocationFailureEndsWithoutMemoryState)
{
    const TGameInfo game = MakeGame(49, 6);
    TCountingStat stat(game, 10);
    stat.AllocateTooMuch = true;
    int finished = 0;
    stat.OnFinished = [&finished] { ++finished; };
    stat.Start();
    ASSERT_TRUE(DrainUntil([&finished] { return finished > 0; }));
    EXPECT_EQ(stat.State, ssNoMemory);
    EXPECT_FALSE(stat.Thread->FatalException);
}

TEST(StatWorkerTest, DestroyingARunningStatisticStopsItsWorker)
{
    const TGameInfo game = MakeGame(49, 6);
    int finished = 0;
    {
        TCountingStat stat(game, 0);
        stat.OnFinished = [&finished] { ++finished; };
        stat.Start();
        while (stat.Steps == 0)
            std::this_thread::yield();
    }
    Queue().drain();
    EXPECT_EQ(finished, 0);
}

TEST(StatWorkerTest, StartingAgainReplacesTheFinishedThread)
{
    const TGameInfo game = MakeGame(49, 6);
    TCountingStat stat(game, 100);
    int finished = 0;
    stat.OnFinished = [&finished] { ++finished; };
    stat.Start();
    ASSERT_TRUE(DrainUntil([&finished] { return finished == 1; }));
    stat.Results.clear();
    stat.Start();
    ASSERT_TRUE(DrainUntil([&finished] { return finished == 2; }));
    EXPECT_EQ(stat.Results.size(), 100u);
    EXPECT_EQ(stat.State, ssComputed);
}

} // namespace
