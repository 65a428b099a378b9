#include "core/UGlobalThreads.h"

#include <stdexcept>

std::string ExceptionText(const std::exception_ptr &Error) noexcept
{
    if (!Error)
        return {};
    try {
        try {
            std::rethrow_exception(Error);
        } catch (const std::exception &e) {
            return e.what();
        } catch (...) {
            return "unknown exception";
        }
    } catch (...) {
        return {}; // no memory left for the text
    }
}

TMyThread::TMyThread() : End(std::make_shared<EndState>()) {}

TMyThread::~TMyThread()
{
    TerminateAndJoin();
}

void TMyThread::Resume()
{
    if (Started)
        return;
    EndDispatcher = platform::dispatcher();
    if (OnTerminate && !EndDispatcher)
        throw std::logic_error("A thread's end handler needs an installed dispatcher");
    Started = true;
    Worker = std::thread([this] { Run(); });
}

void TMyThread::Terminate()
{
    Terminated.store(true);
}

bool TMyThread::GetTerminated() const
{
    return Terminated.load();
}

void TMyThread::WaitFor()
{
    if (Worker.joinable() && Worker.get_id() != std::this_thread::get_id())
        Worker.join();
    if (Started && !Worker.joinable() && EndDispatcher && EndDispatcher->isDispatcherThread())
        RunEndHandler();
}

void TMyThread::TerminateAndJoin()
{
    Terminate();
    if (Worker.joinable() && Worker.get_id() != std::this_thread::get_id())
        Worker.join();
}

void TMyThread::Run()
{
    try {
        Execute();
    } catch (...) {
        FatalException = std::current_exception();
        FailureText = ExceptionText(FatalException);
    }
    if (!EndDispatcher)
        return;
    try {
        // The worker touches nothing of the object after posting: the owner may free it at once.
        EndDispatcher->post([self = this, state = std::weak_ptr<EndState>(End)] {
            if (const auto alive = state.lock())
                self->RunEndHandler();
        });
    } catch (...) {
        // Nothing may leave the worker; a handler that cannot be queued still runs from WaitFor.
    }
}

void TMyThread::RunEndHandler()
{
    if (End->Handled.exchange(true))
        return;
    // A copy, so that the handler may free this thread object.
    const TThreadEvent handler = OnTerminate;
    if (handler)
        handler(*this);
}

TMyThread2::~TMyThread2()
{
    TerminateAndJoin();
}

void TMyThread2::Execute()
{
    if (Proc)
        Proc(*this);
}
