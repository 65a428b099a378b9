#include "engine/USysGuar.h"

#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"
#include "platform/Dispatcher.h"
#include "platform/MemoryStatus.h"
#include "tests/support/ByteOrder.h"
#include "tests/support/HangGuard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <algorithm>
#include <numeric>
#include <set>
#include <thread>
#include <stdexcept>
#include <vector>

namespace {

using Rows = std::vector<std::vector<uint8_t>>;

Rows shownRows(const TSystem &S)
{
    Rows r;
    for (int i = 0; i < S.ViewCount(); ++i)
        r.emplace_back(S.GetComb(i, true), S.GetComb(i, true) + S.K);
    return r;
}

// The rows are distinct ascending K-combinations of 1..N, and every H-subset of 1..N meets one of them
// in at least G numbers.
void expectCovering(const TSysGuar &S)
{
    const Rows rows = shownRows(S);
    const std::set<std::vector<uint8_t>, testsupport::ByteOrder> distinct(rows.begin(), rows.end());
    EXPECT_EQ(distinct.size(), rows.size());
    for (const auto &row : rows)
        EXPECT_TRUE(IsAscending(row.data(), S.K) && row.front() >= 1 && row.back() <= S.N);
    TDynByteArr drawn(size_t(S.H), 0);
    for (int64_t i = 0; i < Newton[size_t(S.N)][size_t(S.H)]; ++i) {
        NextComb(drawn, uint8_t(S.N), uint8_t(S.H), i == 0);
        bool met = false;
        for (size_t r = 0; r < rows.size() && !met; ++r)
            met = CountHits(S.K, S.H, rows[r].data(), drawn.data()) >= S.G;
        ASSERT_TRUE(met) << S.GetDescription(false);
    }
}

class SysGuarThreaded : public testing::Test {
protected:
    void SetUp() override { previous = platform::installDispatcher(queue); }
    void TearDown() override
    {
        platform::setAvailableMemoryProbe(nullptr);
        platform::installDispatcher(previous);
    }
    // Starts the build and waits for its finish notice.
    void buildAndWait(TSysGuar &S)
    {
        bool notified = false;
        S.OnFinished = [&](TSysGuar &) { notified = true; };
        S.Start();
        while (!notified)
            ASSERT_GT(queue->waitAndDrain(testsupport::HangGuard), 0u);
    }

    std::shared_ptr<platform::QueueDispatcher> queue = std::make_shared<platform::QueueDispatcher>();
    std::shared_ptr<platform::Dispatcher> previous;
    TGameData game;
};

TEST(SysGuar, EverySmallBuildCovers)
{
    TGameData game;
    TMyThread2 worker;
    int builds = 0;
    for (int n = 2; n <= 9; ++n)
        for (int k = 1; k <= std::min(n, 6); ++k)
            for (int g = 1; g <= k; ++g)
                for (int h = g; h <= n; ++h) {
                    TSysGuar system(&game);
                    ASSERT_TRUE(system.SetParams(n, k, g, h));
                    system.Build(worker);
                    ASSERT_EQ(system.State, 0);
                    EXPECT_EQ(system.Count, system.ViewCount());
                    EXPECT_GE(system.Count, GuarMinCombs(n, k, g, h));
                    expectCovering(system);
                    ++builds;
                }
    EXPECT_GT(builds, 300);
}

// No free numbers (H = N) or no free places (K = G): the first C(N - H + G, G) K-combinations.
TEST(SysGuar, FallbackRows)
{
    TGameData game;
    TMyThread2 worker;
    TSysGuar system(&game);
    ASSERT_TRUE(system.SetParams(8, 5, 2, 8));
    system.Build(worker);
    EXPECT_EQ(shownRows(system), (Rows{{1, 2, 3, 4, 5}}));
    ASSERT_TRUE(system.SetParams(7, 3, 3, 5));
    system.Build(worker);
    Rows all;
    TDynByteArr c(3, 0);
    for (int i = 0; i < 10; ++i) {
        NextComb(c, 5, 3, i == 0);
        all.push_back(c);
    }
    EXPECT_EQ(shownRows(system), all);
    EXPECT_EQ(system.State, 0);
}

// Most seeds are covered before their turn and take no search: the bar follows the seeds passed. It
// only rises, in small steps, shows most of the work done when the last search begins and reaches its
// end.
TEST(SysGuar, ProgressFollowsTheSeedsToTheEnd)
{
    TGameData game;
    TMyThread2 worker;
    TSysGuar system(&game);
    ASSERT_TRUE(system.SetParams(25, 6, 3, 5));
    std::vector<int> positions{0};
    int atLastSearch = 0;
    system.Progress.OnProgress = [&positions](int32_t Position, int32_t) { positions.push_back(Position); };
    system.OnPoll = [&](const TMyThread &) { atLastSearch = positions.back(); };
    system.Build(worker);
    ASSERT_EQ(system.State, 0);
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_EQ(positions.back(), 10000);
    EXPECT_GT(atLastSearch, 5000);
    std::adjacent_difference(positions.begin(), positions.end(), positions.begin());
    EXPECT_LE(*std::max_element(positions.begin() + 1, positions.end()), 500);
}

// A stop asked from a progress report, and an exception thrown from one: State 3 and no rows.
TEST_F(SysGuarThreaded, StoppedOrFailedBuildLeavesAnEmptySystem)
{
    for (const bool fail : {false, true}) {
        TSysGuar system(&game);
        ASSERT_TRUE(system.SetParams(20, 6, 3, 6));
        int reports = 0;
        system.Progress.OnProgress = [&](int32_t, int32_t) {
            if (++reports == 3 && fail)
                throw std::runtime_error("przerwano");
            if (reports == 3)
                system.Thread->Terminate();
        };
        buildAndWait(system);
        EXPECT_EQ(reports, 3);
        EXPECT_EQ(system.State, 3);
        EXPECT_EQ(system.FailureText, fail ? "przerwano" : "");
        EXPECT_EQ(system.Combs.GetCount(), 0);
        EXPECT_EQ(system.ViewCount(), 0);
    }
}

// C(70, 10) bytes for 20 of 80 with 10 guaranteed: refused up front, not a crash.
TEST_F(SysGuarThreaded, CoveringTableBeyondMemoryEndsWithAReason)
{
    platform::setAvailableMemoryProbe([] { return uint64_t(8) << 30; });
    TSysGuar system(&game);
    ASSERT_TRUE(system.SetParams(80, 20, 10, 20));
    buildAndWait(system);
    EXPECT_EQ(system.State, 3);
    EXPECT_EQ(system.FailureText, "Za mało pamięci na tablicę pokrycia 70 liczb po 10.");
    EXPECT_EQ(system.Combs.GetCount(), 0);
    // A table that fits under the same probe builds.
    ASSERT_TRUE(system.SetParams(12, 6, 3, 5));
    buildAndWait(system);
    EXPECT_EQ(system.State, 0);
    EXPECT_TRUE(system.FailureText.empty());
    expectCovering(system);
}

// A system freed while its worker is inside the search: the worker is stopped and joined before the
// search tables go.
TEST_F(SysGuarThreaded, FreedMidBuildJoinsItsWorkerFirst)
{
    auto system = std::make_unique<TSysGuar>(&game);
    ASSERT_TRUE(system->SetParams(20, 6, 3, 6));
    std::atomic<bool> held{false};
    std::atomic<bool> left{false};
    TSysGuar *searched = system.get();
    system->Progress.OnProgress = [&, first = true](int32_t, int32_t) mutable {
        if (!first)
            return;
        first = false;
        const TMyThread *thread = searched->Thread.get();
        held = true;
        while (!thread->GetTerminated())
            std::this_thread::yield();
        left = true;
    };
    bool notified = false;
    system->OnFinished = [&](TSysGuar &) { notified = true; };
    system->Start();
    const auto guard = std::chrono::steady_clock::now() + testsupport::HangGuard;
    while (!held && std::chrono::steady_clock::now() < guard)
        std::this_thread::yield();
    ASSERT_TRUE(held);
    system.reset();
    EXPECT_TRUE(left);
    queue->drain();
    EXPECT_FALSE(notified);
}

TEST(SysGuar, ParameterBlockDescriptionAndRefusals)
{
    TGameData game;
    TSysGuar system(&game);
    ASSERT_TRUE(system.SetParams(12, 6, 3, 4));
    EXPECT_EQ(system.GetDescription(false), "System gwarancyjny 6/12/3/4");
    EXPECT_EQ(system.GetDescription(true), "Gwarancyjny 6/12/3/4");
    // The one-row fallback of k 5, n 8, g 2, h 8.
    TMyThread2 worker;
    ASSERT_TRUE(system.SetParams(8, 5, 2, 8));
    system.Build(worker);
    platform::ByteWriter out;
    system.SaveParams(out);
    const platform::Bytes block{0, 0, 5, 8, 2, 8, 1, 0, 0, 0};
    EXPECT_EQ(out.bytes(), block);
    TSysGuar loaded(&game);
    platform::ByteReader in(block);
    ASSERT_TRUE(loaded.LoadParams(in));
    EXPECT_EQ(loaded.GetDescription(false), "System gwarancyjny 5/8/2/8");
    EXPECT_EQ(loaded.Count, 1);
    ASSERT_TRUE(loaded.SetParams(12, 6, 3, 4));
    // k, n, g, h: g 0, g above h, g above k, h above n, k above n; then a negative count.
    const std::vector<platform::Bytes> refused{{6, 12, 0, 4}, {6, 12, 5, 4}, {3, 12, 4, 5}, {6, 12, 3, 13},
                                               {13, 12, 3, 4}, {6, 12, 3, 4}};
    for (const platform::Bytes &params : refused) {
        platform::Bytes bad{0, 0};
        bad.insert(bad.end(), params.begin(), params.end());
        bad.insert(bad.end(), {0, 0, 0, uint8_t(&params == &refused.back() ? 0x80 : 0)});
        platform::ByteReader reader(bad);
        EXPECT_FALSE(loaded.LoadParams(reader));
        EXPECT_EQ(loaded.GetDescription(false), "System gwarancyjny 6/12/3/4");
    }
}

} // namespace
