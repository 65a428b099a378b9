// A window's worker: reports reach the GUI thread in order, only from the current run, and a stop
// ends the run without a late end.
#include "core/UGlobalThreads.h"
#include "shell/TaskRunner.h"
#include "tests/support/ProcessUntil.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using testsupport::ProcessUntil;

void Drain()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

struct Recorder {
    std::vector<std::string> Events;
    std::vector<TTaskEnd> Ends;

    void Attach(TTaskRunner &Runner)
    {
        Runner.OnProgress = [this](int Pos, int Step) {
            Events.push_back("progress " + std::to_string(Pos) + "/" + std::to_string(Step));
        };
        Runner.OnStatus = [this](const QString &Text) { Events.push_back("status " + Text.toStdString()); };
        Runner.OnFinished = [this](const TTaskEnd &End) {
            Events.push_back("end");
            Ends.push_back(End);
        };
    }
};

} // namespace

TEST(TaskRunner, ReportsAndTheEndReachTheGuiThreadInOrder)
{
    TTaskRunner runner;
    Recorder recorder;
    recorder.Attach(runner);
    const TProgressProc progress = runner.ProgressHandler();
    const TTaskRunner::TStatusProc status = runner.StatusHandler();
    runner.Start([progress, status](TMyThread &) {
        status("Liczenie");
        progress(100, 100);
        progress(200, 100);
    });
    EXPECT_TRUE(runner.Running());
    ASSERT_TRUE(ProcessUntil([&] { return !recorder.Ends.empty(); }));
    EXPECT_EQ(recorder.Events, (std::vector<std::string>{"status Liczenie", "progress 100/100", "progress 200/100", "end"}));
    EXPECT_FALSE(recorder.Ends[0].Terminated);
    EXPECT_FALSE(recorder.Ends[0].Failed);
    EXPECT_FALSE(runner.Running());

    // A job that throws ends with its reason; the next run may start from the end handler itself.
    bool chained = false;
    runner.OnFinished = [&](const TTaskEnd &End) {
        recorder.Ends.push_back(End);
        if (!chained) {
            chained = true;
            runner.Start([](TMyThread &) {});
        }
    };
    runner.Start([](TMyThread &) { throw std::runtime_error("Brak pamięci"); });
    ASSERT_TRUE(ProcessUntil([&] { return recorder.Ends.size() == 3; }));
    EXPECT_TRUE(recorder.Ends[1].Failed);
    EXPECT_EQ(recorder.Ends[1].FailureText, "Brak pamięci");
    EXPECT_FALSE(recorder.Ends[2].Failed);
}

TEST(TaskRunner, AStoppedRunReportsNothingMore)
{
    Recorder recorder;
    std::atomic<bool> reported{false};
    std::atomic<bool> sawStop{false};
    {
        TTaskRunner runner;
        recorder.Attach(runner);
        const TProgressProc progress = runner.ProgressHandler();
        runner.Start([&, progress](TMyThread &Thread) {
            progress(5000, 100); // queued, but the run stops before the GUI thread sees it
            reported = true;
            while (!Thread.GetTerminated())
                std::this_thread::yield();
            sawStop = true;
            progress(6000, 100);
        });
        while (!reported) // no events processed meanwhile
            std::this_thread::yield();
        runner.Stop(); // on the GUI thread, before the queued report ran
        EXPECT_TRUE(sawStop);
        EXPECT_FALSE(runner.Running());
        Drain();
        EXPECT_TRUE(recorder.Events.empty());

        // Destroying a runner stops its worker.
        runner.Start([&](TMyThread &Thread) {
            while (!Thread.GetTerminated())
                std::this_thread::yield();
        });
    }
    Drain();
    EXPECT_TRUE(recorder.Events.empty());
}

TEST(TaskRunner, TheLatestProgressWaitsAloneAndIsNeverLost)
{
    TTaskRunner runner;
    Recorder recorder;
    recorder.Attach(runner);
    const TProgressProc latest = runner.LatestProgressHandler();
    const TTaskRunner::TReportProc report = runner.ReportHandler();
    std::atomic<bool> reported{false};
    std::atomic<bool> shown{false};
    std::vector<std::string> &events = recorder.Events;
    runner.Start([&, latest, report](TMyThread &) {
        // A flood while the GUI thread is busy: one report waits for it, holding the last position.
        for (int pos = 1; pos <= 1000; ++pos)
            latest(pos, 1);
        report([&] { events.push_back("own report"); });
        reported = true;
        while (!shown)
            std::this_thread::yield();
        // Once shown, the next report queues again.
        latest(2000, 10);
    });
    while (!reported)
        std::this_thread::yield();
    QCoreApplication::processEvents();
    EXPECT_EQ(events, (std::vector<std::string>{"progress 1000/1", "own report"}));
    shown = true;
    ASSERT_TRUE(ProcessUntil([&] { return !recorder.Ends.empty(); }));
    EXPECT_EQ(events, (std::vector<std::string>{"progress 1000/1", "own report", "progress 2000/10", "end"}));

    // A report of a stopped run is dropped while it waits; the next run's reports still get through.
    events.clear();
    recorder.Ends.clear();
    reported = false;
    runner.Start([&, latest, report](TMyThread &Thread) {
        latest(300, 100);
        report([&] { events.push_back("late report"); });
        reported = true;
        while (!Thread.GetTerminated())
            std::this_thread::yield();
    });
    while (!reported)
        std::this_thread::yield();
    runner.Stop();
    runner.Start([latest](TMyThread &) { latest(400, 100); });
    ASSERT_TRUE(ProcessUntil([&] { return !recorder.Ends.empty(); }));
    EXPECT_EQ(events, (std::vector<std::string>{"progress 400/100", "end"}));
}
