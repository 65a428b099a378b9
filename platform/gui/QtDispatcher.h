#pragma once
// The GUI's dispatcher: tasks are queued to the Qt event loop of the application object.

#include "platform/Dispatcher.h"

namespace platform {

class QtDispatcher final : public Dispatcher {
public:
    // Queues the task to the application's thread; without an application object the task is dropped.
    // A task's exception ends at the event loop's edge: it is logged as a warning, never rethrown.
    void post(std::function<void()> task) override;
    bool isDispatcherThread() const override;
};

} // namespace platform
