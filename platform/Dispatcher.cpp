#include "platform/Dispatcher.h"

#include <stdexcept>
#include <utility>

namespace platform {
namespace {

std::mutex g_installedMutex;
std::shared_ptr<Dispatcher> g_installed;

} // namespace

QueueDispatcher::QueueDispatcher() : owner_(std::this_thread::get_id()) {}

void QueueDispatcher::post(std::function<void()> task)
{
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    queued_.notify_all();
}

bool QueueDispatcher::isDispatcherThread() const
{
    return std::this_thread::get_id() == owner_;
}

std::size_t QueueDispatcher::drain()
{
    if (!isDispatcherThread())
        throw std::logic_error("QueueDispatcher drained outside its own thread");
    std::size_t ran = 0;
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard lock(mutex_);
            if (tasks_.empty())
                return ran;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        if (task)
            task();
        ++ran;
    }
}

std::size_t QueueDispatcher::waitAndDrain(std::chrono::milliseconds timeout)
{
    {
        std::unique_lock lock(mutex_);
        queued_.wait_for(lock, timeout, [this] { return !tasks_.empty(); });
    }
    return drain();
}

std::size_t QueueDispatcher::pending() const
{
    std::lock_guard lock(mutex_);
    return tasks_.size();
}

std::shared_ptr<Dispatcher> installDispatcher(std::shared_ptr<Dispatcher> dispatcher)
{
    std::lock_guard lock(g_installedMutex);
    return std::exchange(g_installed, std::move(dispatcher));
}

std::shared_ptr<Dispatcher> dispatcher()
{
    std::lock_guard lock(g_installedMutex);
    return g_installed;
}

} // namespace platform
