#include "core/UGlobalThreads.h"

#include "tests/support/HangGuard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <stdexcept>
#include <thread>

using namespace std::chrono_literals;
using testsupport::HangGuard;

namespace {

class ThreadTest : public testing::Test {
protected:
    void SetUp() override { previous = platform::installDispatcher(queue); }
    void TearDown() override { platform::installDispatcher(previous); }

    // A worker that spins until it is told to stop.
    std::unique_ptr<TMyThread2> makeSpinner()
    {
        auto thread = std::make_unique<TMyThread2>();
        thread->Proc = [this](TMyThread &Thread) {
            started.set_value();
            while (!Thread.GetTerminated())
                std::this_thread::sleep_for(1ms);
            leftLoop = true;
        };
        thread->OnTerminate = [this](TMyThread &) {
            ++handled;
            handlerThread = std::this_thread::get_id();
        };
        return thread;
    }

    void waitUntilStarted()
    {
        ASSERT_EQ(started.get_future().wait_for(HangGuard), std::future_status::ready);
    }

    std::shared_ptr<platform::QueueDispatcher> queue = std::make_shared<platform::QueueDispatcher>();
    std::shared_ptr<platform::Dispatcher> previous;
    std::promise<void> started;
    std::atomic<bool> leftLoop{false};
    int handled = 0;
    std::thread::id handlerThread;
};

} // namespace

TEST_F(ThreadTest, TerminatedWorkerEndsAndReportsThroughTheDispatcher)
{
    auto thread = makeSpinner();
    thread->Resume();
    waitUntilStarted();
    EXPECT_FALSE(thread->GetTerminated());
    thread->Terminate();
    EXPECT_TRUE(thread->GetTerminated());

    EXPECT_EQ(queue->waitAndDrain(HangGuard), 1u);
    EXPECT_TRUE(leftLoop);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(handlerThread, std::this_thread::get_id());
    EXPECT_FALSE(thread->FatalException);

    thread->WaitFor(); // joins; the handler has already run
    EXPECT_EQ(handled, 1);
}

TEST_F(ThreadTest, ExceptionOfTheWorkerReachesTheEndHandlerWithItsText)
{
    TMyThread2 thread;
    thread.Proc = [](TMyThread &) { throw std::runtime_error("brak pamięci"); };
    std::string message;
    std::string text;
    thread.OnTerminate = [&](TMyThread &Sender) {
        ASSERT_TRUE(Sender.FatalException);
        text = Sender.FailureText;
        try {
            std::rethrow_exception(Sender.FatalException);
        } catch (const std::runtime_error &e) {
            message = e.what();
        }
    };
    thread.Resume();
    EXPECT_EQ(queue->waitAndDrain(HangGuard), 1u);
    EXPECT_EQ(message, "brak pamięci");
    EXPECT_EQ(text, "brak pamięci");
}

TEST_F(ThreadTest, WaitForOnTheDispatcherThreadRunsTheHandlerExactlyOnce)
{
    auto thread = makeSpinner();
    thread->Resume();
    thread->Terminate();
    thread->WaitFor();
    EXPECT_EQ(handled, 1);
    EXPECT_TRUE(leftLoop);
    queue->drain(); // the queued copy of the handler must not run it again
    EXPECT_EQ(handled, 1);
    thread->WaitFor();
    EXPECT_EQ(handled, 1);
}

TEST_F(ThreadTest, WaitForOnAnotherThreadLeavesTheHandlerToTheDispatcher)
{
    auto thread = makeSpinner();
    thread->Resume();
    thread->Terminate();
    std::thread other([&] { thread->WaitFor(); });
    other.join();
    EXPECT_TRUE(leftLoop);
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(queue->drain(), 1u);
    EXPECT_EQ(handled, 1);
}

TEST_F(ThreadTest, DestroyingARunningThreadStopsItAndDropsItsHandler)
{
    auto thread = makeSpinner();
    thread->Resume();
    waitUntilStarted();
    thread.reset();
    EXPECT_TRUE(leftLoop); // joined before the object went
    queue->drain();
    EXPECT_EQ(handled, 0);
}

TEST_F(ThreadTest, OwnerReplacingItsThreadGetsOnlyTheNewThreadsEnd)
{
    std::unique_ptr<TMyThread2> thread;
    int endsOfFirst = 0;
    int endsOfSecond = 0;
    const auto start = [&](int &ends) {
        thread.reset();
        thread = std::make_unique<TMyThread2>();
        thread->OnTerminate = [&ends](TMyThread &) { ++ends; };
        thread->Proc = [](TMyThread &) {};
        thread->Resume();
    };
    start(endsOfFirst);
    // Joined elsewhere, the worker has queued its end, which has not run.
    std::thread([&] { thread->WaitFor(); }).join();
    ASSERT_EQ(queue->pending(), 1u);

    start(endsOfSecond);
    thread->WaitFor();
    queue->drain();
    EXPECT_EQ(endsOfFirst, 0);
    EXPECT_EQ(endsOfSecond, 1);
}

TEST_F(ThreadTest, HandlerMayFreeItsOwnThreadObject)
{
    auto thread = std::make_unique<TMyThread2>();
    bool ran = false;
    thread->Proc = [](TMyThread &) {};
    thread->OnTerminate = [&](TMyThread &) {
        thread.reset();
        ran = true;
    };
    thread->Resume();
    EXPECT_EQ(queue->waitAndDrain(HangGuard), 1u);
    EXPECT_TRUE(ran);
    EXPECT_EQ(thread, nullptr);
}

TEST_F(ThreadTest, DerivedWorkerHandsItsResultToTheHandler)
{
    class TSumThread : public TMyThread {
    public:
        ~TSumThread() override { TerminateAndJoin(); }
        int64_t Result = 0;

    protected:
        void Execute() override
        {
            for (int i = 1; i <= 1000 && !GetTerminated(); ++i)
                Result += i;
        }
    };
    TSumThread thread;
    int64_t seen = 0;
    thread.OnTerminate = [&](TMyThread &Sender) { seen = static_cast<TSumThread &>(Sender).Result; };
    thread.Resume();
    thread.WaitFor();
    EXPECT_EQ(seen, 500500);
}

TEST_F(ThreadTest, HandlerWithoutDispatcherIsRefusedAtStart)
{
    platform::installDispatcher(nullptr);
    TMyThread2 withHandler;
    withHandler.OnTerminate = [](TMyThread &) {};
    EXPECT_THROW(withHandler.Resume(), std::logic_error);

    bool worked = false;
    TMyThread2 withoutHandler;
    withoutHandler.Proc = [&](TMyThread &) { worked = true; };
    withoutHandler.Resume();
    withoutHandler.WaitFor();
    EXPECT_TRUE(worked);
}
