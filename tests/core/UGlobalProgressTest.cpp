#include "core/UGlobalProgress.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

struct Recorder {
    std::vector<std::pair<int32_t, int32_t>> Reports;
    void attach(TProgress &Progress)
    {
        Progress.OnProgress = [this](int32_t Position, int32_t Step) {
            Reports.emplace_back(Position, Step);
        };
    }
};

} // namespace

TEST(TProgress, StepFollowsTheSizeOfTheJob)
{
    TProgress progress;
    progress.Init(10000, 5000, 0);
    EXPECT_EQ(progress.Step, 100);
    EXPECT_DOUBLE_EQ(progress.Ratio, 2.0);
    progress.Init(10000, 10000, 0);
    EXPECT_EQ(progress.Step, 100);
    progress.Init(10000, 10001, 0);
    EXPECT_EQ(progress.Step, 10);
    progress.Init(10000, 1000000, 0);
    EXPECT_EQ(progress.Step, 10);
    progress.Init(10000, 1000001, 0);
    EXPECT_EQ(progress.Step, 1);
}

TEST(TProgress, ReportsOnlyWhenThePositionMovedByAStep)
{
    TProgress progress;
    Recorder recorder;
    recorder.attach(progress);
    progress.Init(10000, 5000, 0);
    for (int i = 0; i < 49; ++i)
        progress.Advance(1);
    EXPECT_TRUE(recorder.Reports.empty());
    progress.Advance(1);
    ASSERT_EQ(recorder.Reports.size(), 1u);
    EXPECT_EQ(recorder.Reports[0], std::make_pair(100, 100));
    EXPECT_DOUBLE_EQ(progress.LastPos, 100.0);
}

TEST(TProgress, WholeJobReportsAHundredTimesUpToMaxPos)
{
    TProgress progress;
    Recorder recorder;
    recorder.attach(progress);
    progress.Init(10000, 5000, 0);
    for (int i = 0; i < 5000; ++i)
        progress.Advance(1);
    ASSERT_EQ(recorder.Reports.size(), 100u);
    for (std::size_t i = 0; i < recorder.Reports.size(); ++i)
        EXPECT_EQ(recorder.Reports[i].first, 100 * static_cast<int32_t>(i + 1));
}

TEST(TProgress, EveryWholeJobEndsAtMaxPos)
{
    for (int total = 1; total <= 2000; ++total) {
        TProgress progress;
        Recorder recorder;
        recorder.attach(progress);
        progress.Init(10000, total, 0);
        for (int i = 0; i < total; ++i)
            progress.Advance(1);
        ASSERT_FALSE(recorder.Reports.empty()) << total;
        EXPECT_EQ(recorder.Reports.back().first, 10000) << total;
    }
}

TEST(TProgress, EveryAdvancePastTheEndReportsMaxPos)
{
    TProgress progress;
    Recorder recorder;
    progress.Init(10000, 20, 0);
    progress.Advance(20);
    recorder.attach(progress);
    progress.Advance(1);
    progress.Advance(0);
    progress.Advance(5);
    ASSERT_EQ(recorder.Reports.size(), 3u);
    for (const auto &report : recorder.Reports)
        EXPECT_EQ(report, std::make_pair(10000, 100));
}

TEST(TProgress, MinPosShiftsTheReportedPosition)
{
    TProgress progress;
    Recorder recorder;
    recorder.attach(progress);
    progress.Init(10000, 100, 5000); // 50 positions per step
    progress.Advance(1);
    EXPECT_TRUE(recorder.Reports.empty());
    progress.Advance(1);
    ASSERT_EQ(recorder.Reports.size(), 1u);
    EXPECT_EQ(recorder.Reports[0].first, 5100);
}

TEST(TProgress, EmptyJobNeverDividesByZero)
{
    TProgress progress;
    Recorder recorder;
    recorder.attach(progress);
    progress.Init(10000, 0, 0);
    EXPECT_EQ(progress.Ratio, 0.0);
    progress.Advance(1);
    progress.Advance(1000);
    EXPECT_TRUE(recorder.Reports.empty());
    progress.Init(10000, -5, 0);
    EXPECT_EQ(progress.Ratio, 0.0);
}

TEST(TProgress, DisabledCountingReportsThePositionSetByTheCaller)
{
    TProgress progress;
    Recorder recorder;
    recorder.attach(progress);
    progress.Init(10000, 5000, 0);
    progress.Enabled = false;
    progress.Advance(70);
    EXPECT_TRUE(recorder.Reports.empty());
    progress.Done = 75;
    progress.Advance(0);
    ASSERT_EQ(recorder.Reports.size(), 1u);
    EXPECT_EQ(recorder.Reports[0].first, 150);
}

TEST(TProgress, JobsBeyondTwoBillionStepsKeepCounting)
{
    TProgress progress;
    Recorder recorder;
    recorder.attach(progress);
    progress.Init(10000, 6000000000, 0);
    progress.Advance(2000000000);
    progress.Advance(2000000000);
    ASSERT_EQ(recorder.Reports.size(), 2u);
    EXPECT_EQ(recorder.Reports[0].first, 3333);
    EXPECT_EQ(recorder.Reports[1].first, 6666);
    EXPECT_EQ(recorder.Reports[1].second, 1);
}
