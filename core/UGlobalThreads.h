#pragma once
// The worker-thread base of every long computation. A thread object is created suspended; its owner sets
// OnTerminate (and, for TMyThread2, Proc), then calls Resume. Terminate asks the worker to stop; the
// worker polls GetTerminated. When the worker ends, OnTerminate runs on the installed dispatcher's (GUI)
// thread; an exception thrown by the worker is caught and left, with its text, for it. Owners create,
// stop and destroy thread objects on the dispatcher's thread; destroying a running one terminates and
// joins it, and its end handler is then dropped.

#include "platform/Dispatcher.h"

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <thread>

// The what() of a caught exception; a fixed text for one not derived from std::exception; empty for no
// exception (or when the text cannot be had).
std::string ExceptionText(const std::exception_ptr &Error) noexcept;

class TMyThread {
public:
    using TThreadEvent = std::function<void(TMyThread &Sender)>;

    TMyThread();
    TMyThread(const TMyThread &) = delete;
    TMyThread &operator=(const TMyThread &) = delete;
    virtual ~TMyThread();

    // Starts the worker; a second call does nothing. std::logic_error when OnTerminate is set but no
    // dispatcher is installed.
    void Resume();
    void Terminate();
    bool GetTerminated() const;
    // Blocks until the worker has ended. On the dispatcher's thread it then runs the end handler, unless it
    // has already run, so the handler never runs twice.
    void WaitFor();

    TThreadEvent OnTerminate;
    // What the worker threw (empty when it ended normally) and ExceptionText of it; read them in
    // OnTerminate or after WaitFor.
    std::exception_ptr FatalException;
    std::string FailureText;

protected:
    virtual void Execute() = 0;
    // Terminates and joins the worker without running the end handler. A class that overrides Execute
    // calls it first in its destructor, before its own members go.
    void TerminateAndJoin();

private:
    // Shared with the queued end handler, which runs only while the thread object still exists.
    struct EndState {
        std::atomic<bool> Handled{false};
    };

    void Run();
    void RunEndHandler();

    std::atomic<bool> Terminated{false};
    std::thread Worker;
    bool Started = false;
    std::shared_ptr<platform::Dispatcher> EndDispatcher;
    std::shared_ptr<EndState> End;
};

// The worker that runs one method of its owner.
class TMyThread2 : public TMyThread {
public:
    using TThreadProc = std::function<void(TMyThread &Thread)>;

    ~TMyThread2() override;

    TThreadProc Proc;

protected:
    void Execute() override;
};
