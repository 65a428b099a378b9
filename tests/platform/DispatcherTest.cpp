#include "platform/Dispatcher.h"

#include "tests/support/HangGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>

using namespace std::chrono_literals;

TEST(QueueDispatcher, RunsTasksOnlyWhenDrainedInPostingOrder)
{
    platform::QueueDispatcher queue;
    std::string trace;
    std::thread worker([&] {
        queue.post([&] { trace += 'a'; });
        queue.post([&] { trace += 'b'; });
    });
    worker.join();
    EXPECT_EQ(trace, "");
    EXPECT_EQ(queue.pending(), 2u);
    EXPECT_EQ(queue.drain(), 2u);
    EXPECT_EQ(trace, "ab");
    EXPECT_EQ(queue.drain(), 0u);
}

TEST(QueueDispatcher, TasksQueuedWhileDrainingRunInTheSameDrain)
{
    platform::QueueDispatcher queue;
    std::string trace;
    queue.post([&] {
        trace += '1';
        queue.post([&] { trace += '3'; });
    });
    queue.post([&] { trace += '2'; });
    EXPECT_EQ(queue.drain(), 3u);
    EXPECT_EQ(trace, "123");
}

TEST(QueueDispatcher, KnowsItsOwnThreadAndRefusesToBeDrainedElsewhere)
{
    platform::QueueDispatcher queue;
    EXPECT_TRUE(queue.isDispatcherThread());
    bool elsewhere = true;
    bool refused = false;
    std::thread other([&] {
        elsewhere = queue.isDispatcherThread();
        try {
            queue.drain();
        } catch (const std::logic_error &) {
            refused = true;
        }
    });
    other.join();
    EXPECT_FALSE(elsewhere);
    EXPECT_TRUE(refused);
}

TEST(QueueDispatcher, WaitAndDrainWaitsForALateTaskAndGivesUpAfterTheTimeout)
{
    platform::QueueDispatcher queue;
    EXPECT_EQ(queue.waitAndDrain(20ms), 0u);

    bool ran = false;
    std::thread late([&] {
        // The pause only makes the task likely to come while the queue waits; the outcome is the same
        // either way.
        std::this_thread::sleep_for(30ms);
        queue.post([&] { ran = true; });
    });
    EXPECT_EQ(queue.waitAndDrain(testsupport::HangGuard), 1u);
    late.join();
    EXPECT_TRUE(ran);
}

TEST(Dispatcher, InstallAnswersTheReplacedOne)
{
    const auto first = std::make_shared<platform::QueueDispatcher>();
    const auto second = std::make_shared<platform::QueueDispatcher>();
    const auto before = platform::installDispatcher(first);
    EXPECT_EQ(platform::dispatcher(), first);
    EXPECT_EQ(platform::installDispatcher(second), first);
    EXPECT_EQ(platform::dispatcher(), second);
    EXPECT_EQ(platform::installDispatcher(before), second);
    EXPECT_EQ(platform::dispatcher(), before);
}
