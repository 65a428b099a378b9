#pragma once
// Hands work to the GUI thread. The GUI installs one dispatcher at start-up; a program or test without an
// event loop installs a QueueDispatcher and drains it itself.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace platform {

class Dispatcher {
public:
    virtual ~Dispatcher() = default;
    // Queues the task to run later on the dispatcher's thread, in the order of posting; callable from any
    // thread, never blocks on the dispatcher's thread.
    virtual void post(std::function<void()> task) = 0;
    // True when the caller runs on the dispatcher's thread.
    virtual bool isDispatcherThread() const = 0;
};

// A dispatcher whose thread is the one that created it and which runs its tasks only when that thread
// drains it.
class QueueDispatcher final : public Dispatcher {
public:
    QueueDispatcher();

    void post(std::function<void()> task) override;
    bool isDispatcherThread() const override;

    // Runs the queued tasks, and those they queue in turn, until the queue is empty; answers how many ran.
    // Only the dispatcher's thread may drain (std::logic_error otherwise).
    std::size_t drain();
    // Waits up to the timeout for a task to be queued, then drains; answers how many ran.
    std::size_t waitAndDrain(std::chrono::milliseconds timeout);
    std::size_t pending() const;

private:
    const std::thread::id owner_;
    mutable std::mutex mutex_;
    std::condition_variable queued_;
    std::deque<std::function<void()>> tasks_;
};

// Installs the process's dispatcher (an empty pointer uninstalls it) and answers the one it replaces.
std::shared_ptr<Dispatcher> installDispatcher(std::shared_ptr<Dispatcher> dispatcher);
// The installed dispatcher, or an empty pointer when none is.
std::shared_ptr<Dispatcher> dispatcher();

} // namespace platform
