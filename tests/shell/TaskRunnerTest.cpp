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
