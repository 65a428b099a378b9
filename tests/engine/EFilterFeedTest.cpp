// The feeders of the filter value distributions: a stored system's live rows, a too-many full system's
// enumeration and the draws in range, each run in a worker as the filter editor runs them.
#include "core/ProgramParams.h"
#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "engine/FilterKinds.h"
#include "engine/UDrawsDB.h"
#include "engine/UEFilters.h"
#include "engine/UFltValue.h"
#include "engine/UGameMan.h"
#include "engine/USysFull.h"
#include "tests/engine/DrawsTestSupport.h"
#include "tests/engine/FailingSumFilter.h"
#include "tests/engine/FullSystemFixture.h"
#include "tests/engine/SystemTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <numeric>

namespace {

// Sum -> count of the rows of a finished TEFltSum.
std::map<int32_t, int64_t> SumRows(const TEFilter &Filter)
{
    std::map<int32_t, int64_t> rows;
    for (const TEFilterRow &row : Filter.Rows)
        rows[row.Value] = row.Count;
    return rows;
}

// Work(Thread) in a worker; Stopped terminates the worker before it starts.
template <typename TWork>
std::string RunInWorker(TWork Work, bool Stopped = false)
{
    TMyThread2 worker;
    worker.Proc = [&Work](TMyThread &Thread) { Work(Thread); };
    if (Stopped)
        worker.Terminate();
    worker.Resume();
    worker.WaitFor();
    return worker.FailureText;
}

using EFilterFeed = FullSystemFixture;

TEST_F(EFilterFeed, AStoredSystemFeedsItsLiveRows)
{
    auto system = full(1000);
    system->DeleteCombs(0, 4);
    system->AddComb(TDynByteArr{18, 19, 20}.data()); // outside the key: a sum beyond the pool's largest
    std::map<int32_t, int64_t> expected;
    for (const auto &row : systest::shown(*system))
        ++expected[std::accumulate(row.begin(), row.end(), 0)];
    ASSERT_EQ(expected[57], 1);
    auto sums = CreateEFilter(efltSum, &Game, 9, system->Key, system->GetCount(), 3);
    auto runs = CreateEFilter(efltSucc, &Game, 9, system->Key, system->GetCount(), 3);
    std::vector<int32_t> positions;
    RunInWorker([&](TMyThread &Thread) {
        system->CollectEFilters({sums.get(), runs.get()}, nullptr, Thread,
                                [&positions](int32_t Position, int32_t) { positions.push_back(Position); });
    });
    EXPECT_EQ(SumRows(*sums), expected);
    int64_t fed = 0;
    for (const TEFilterRow &row : runs->Rows)
        fed += row.Count;
    EXPECT_EQ(fed, 84 - 5 + 1);
    ASSERT_FALSE(positions.empty());
    EXPECT_EQ(positions.back(), 10000);
}

TEST_F(EFilterFeed, ATooManyFullSystemEnumeratesThroughItsKeyPastTheGroupFilter)
{
    auto system = full(10);
    ASSERT_TRUE(system->TooMany);
    const auto set = sumSet(*system, 20, 30);
    std::map<int32_t, int64_t> expected;
    TDynByteArr c;
    for (int i = 0; i < 84; ++i) {
        NextComb(c, 9, 3, i == 0);
        const int sum = system->Key[c[0] - 1u] + system->Key[c[1] - 1u] + system->Key[c[2] - 1u];
        if (sum >= 20 && sum <= 30)
            ++expected[sum];
    }
    auto sums = CreateEFilter(efltSum, &Game, 9, system->Key, system->GetCount(), 3);
    RunInWorker([&](TMyThread &Thread) { system->CollectEFilters({sums.get()}, set.get(), Thread, {}); });
    EXPECT_EQ(SumRows(*sums), expected);
    EXPECT_EQ(sums->Total, 84);
}

TEST_F(EFilterFeed, AStopSkipsFinishAndFailuresReachTheWorker)
{
    Limits.MaxComb = 10;
    TSysFull system(&Game);
    system.SetParams(20, 3); // 1140 combinations: the stop is seen at the 1001st
    auto sums = CreateEFilter(efltSum, &Game, 20, {}, system.GetCount(), 3);
    RunInWorker([&](TMyThread &Thread) { system.CollectEFilters({sums.get()}, nullptr, Thread, {}); }, true);
    EXPECT_EQ(sums->RowCount, 0);
    EXPECT_TRUE(sums->Rows.empty());


    // A failing group filter: the error reaches the worker, the set is finished, nothing is finished.
    TFailingSumKind kind;
    const std::string failure = RunInWorker([&](TMyThread &Thread) {
        system.CollectEFilters({sums.get()}, TFailingSum::FailingAt(&Game, 20, 3, 30, 30).get(), Thread, {});
    });
    EXPECT_EQ(failure, TFailingSum::FailureText);
    EXPECT_EQ(TFailingSum::Finished, 1);
    EXPECT_EQ(sums->RowCount, 0);
}

TEST_F(EFilterFeed, TheDrawsInRangeFeedTheirNumbers)
{
    TDrawsManager draws(&Game, -1);
    const std::vector<TDynByteArr> numbers{{1, 2, 3}, {4, 9, 17}, {5, 6, 7}, {2, 10, 20}, {1, 19, 20}};
    for (size_t i = 0; i < numbers.size(); ++i)
        draws.AddDraw(numbers[i], 45000 + double(i));
    TDrawsRange range = IndexRange(2, 4);
    draws.SetRange(range);
    draws.ApplyRange(range);
    std::map<int32_t, int64_t> expected;
    for (int i = 0; i < draws.Count(); ++i)
        if (draws.GetDraw(i).Flags & dfInRange)
            ++expected[std::accumulate(draws.GetDraw(i).Numbers.begin(), draws.GetDraw(i).Numbers.end(), 0)];
    ASSERT_EQ(expected.size(), 3u);
    auto sums = CreateEFilter(efltSum, &Game, 20, {}, draws.CountFlagged(dfInRange), 3);
    draws.CollectEFilters({sums.get()}, nullptr, nullptr, {});
    EXPECT_EQ(SumRows(*sums), expected);
    EXPECT_FLOAT_EQ(sums->Rows[0].Share, 1.0f / 3.0f);
}

} // namespace
