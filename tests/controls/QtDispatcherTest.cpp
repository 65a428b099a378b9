#include "platform/gui/QtDispatcher.h"

#include "core/UGlobalThreads.h"
#include "tests/support/HangGuard.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

class QtDispatcherTest : public testing::Test {
protected:
    void SetUp() override { previous = platform::installDispatcher(dispatcher); }
    void TearDown() override { platform::installDispatcher(previous); }

    std::shared_ptr<platform::QtDispatcher> dispatcher = std::make_shared<platform::QtDispatcher>();
    std::shared_ptr<platform::Dispatcher> previous;
};

bool onGuiThread()
{
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

} // namespace

TEST_F(QtDispatcherTest, TasksFromAWorkerRunOnTheGuiThreadInOrder)
{
    EXPECT_TRUE(dispatcher->isDispatcherThread());
    std::atomic<bool> workerIsDispatcher{true};
    std::string trace;
    bool allOnGui = true;
    std::thread worker([&] {
        workerIsDispatcher = dispatcher->isDispatcherThread();
        for (const char c : std::string("abc"))
            dispatcher->post([&, c] {
                trace += c;
                allOnGui = allOnGui && onGuiThread();
            });
    });
    worker.join();
    EXPECT_FALSE(workerIsDispatcher);
    EXPECT_EQ(trace, ""); // nothing runs before the event loop does
    EXPECT_TRUE(QTest::qWaitFor([&] { return trace.size() == 3; }, testsupport::HangGuardMs));
    EXPECT_EQ(trace, "abc");
    EXPECT_TRUE(allOnGui);
}

TEST_F(QtDispatcherTest, AFailingTaskDoesNotStopTheOnesAfterIt)
{
    bool later = false;
    dispatcher->post([] { throw std::runtime_error("zadanie"); });
    dispatcher->post([&] { later = true; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return later; }, testsupport::HangGuardMs));
}

TEST_F(QtDispatcherTest, WorkerEndHandlerRunsOnTheGuiThread)
{
    TMyThread2 thread;
    std::atomic<bool> workerOnGui{true};
    bool ended = false;
    bool endedOnGui = false;
    thread.Proc = [&](TMyThread &) { workerOnGui = onGuiThread(); };
    thread.OnTerminate = [&](TMyThread &) {
        ended = true;
        endedOnGui = onGuiThread();
    };
    thread.Resume();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ended; }, testsupport::HangGuardMs));
    EXPECT_FALSE(workerOnGui);
    EXPECT_TRUE(endedOnGui);
}
