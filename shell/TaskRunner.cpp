#include "shell/TaskRunner.h"

#include "core/UGlobalThreads.h"
#include "platform/Dispatcher.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <utility>

// What the queued reports hold on to: the runner (null once it is gone) and which run is current. Run
// and Running change only on the GUI thread; a worker reads Run, which stays put while it lives.
struct TTaskRunner::TChannel {
    TTaskRunner *Owner = nullptr;
    uint32_t Run = 0;
    bool Running = false;
    // LatestProgressHandler's last report (position in the high half, step in the low) and whether one
    // is queued.
    std::atomic<uint64_t> Latest{0};
    std::atomic<bool> LatestQueued{false};

    // Queues Task for the GUI thread, to run only while run Tag is still the current one.
    static void Post(const std::shared_ptr<TChannel> &Channel, uint32_t Tag, std::function<void(TTaskRunner &)> Task)
    {
        const std::shared_ptr<platform::Dispatcher> gui = platform::dispatcher();
        if (!gui)
            return;
        gui->post([Channel, Tag, Task = std::move(Task)] {
            if (Channel->Owner && Channel->Running && Channel->Run == Tag)
                Task(*Channel->Owner);
        });
    }
};

namespace {

// Every runner alive and the window being built, on the GUI thread.
std::vector<const TTaskRunner *> LiveRunners;
QPointer<QObject> BuildingWindow;

} // namespace

TTaskRunner::TTaskRunner() : FChannel(std::make_shared<TChannel>()), FWindow(BuildingWindow)
{
    FChannel->Owner = this;
    LiveRunners.push_back(this);
}

TTaskRunner::~TTaskRunner()
{
    Stop();
    FChannel->Owner = nullptr;
    std::erase(LiveRunners, this);
}

void TTaskRunner::SetBuildingWindow(QObject *Window)
{
    BuildingWindow = Window;
}

std::vector<const TTaskRunner *> TTaskRunner::RunningRunners()
{
    std::vector<const TTaskRunner *> running;
    std::copy_if(LiveRunners.begin(), LiveRunners.end(), std::back_inserter(running),
                 [](const TTaskRunner *Runner) { return Runner->Running(); });
    return running;
}

TProgressProc TTaskRunner::ProgressHandler() const
{
    return [channel = FChannel](int32_t Pos, int32_t Step) {
        TChannel::Post(channel, channel->Run, [Pos, Step](TTaskRunner &Runner) {
            if (Runner.OnProgress)
                Runner.OnProgress(Pos, Step);
        });
    };
}

TProgressProc TTaskRunner::LatestProgressHandler() const
{
    return [channel = FChannel](int32_t Pos, int32_t Step) {
        channel->Latest = uint64_t(uint32_t(Pos)) << 32 | uint32_t(Step);
        if (channel->LatestQueued.exchange(true))
            return;
        // Cleared before the report is read: a newer one stored meanwhile queues its own.
        const auto shown = [channel] {
            channel->LatestQueued = false;
            return channel->Latest.load();
        };
        TChannel::Post(channel, channel->Run, [shown](TTaskRunner &Runner) {
            const uint64_t latest = shown();
            if (Runner.OnProgress)
                Runner.OnProgress(int32_t(uint32_t(latest >> 32)), int32_t(uint32_t(latest)));
        });
    };
}

TTaskRunner::TReportProc TTaskRunner::ReportHandler() const
{
    return [channel = FChannel](std::function<void()> Task) {
        TChannel::Post(channel, channel->Run, [Task = std::move(Task)](TTaskRunner &) { Task(); });
    };
}

TTaskRunner::TStatusProc TTaskRunner::StatusHandler() const
{
    return [channel = FChannel](const std::string &Text) {
        TChannel::Post(channel, channel->Run, [Text = QString::fromStdString(Text)](TTaskRunner &Runner) {
            if (Runner.OnStatus)
                Runner.OnStatus(Text);
        });
    };
}

void TTaskRunner::Start(TJobProc Job)
{
    Stop();
    if (!platform::dispatcher())
        throw std::logic_error("TTaskRunner: no dispatcher to report to");
    ++FChannel->Run;
    FChannel->Running = true;
    // A report of a stopped run may have been dropped while queued.
    FChannel->LatestQueued = false;
    FThread = std::make_unique<TMyThread2>();
    FThread->Proc = std::move(Job);
    FThread->OnTerminate = [this](TMyThread &Thread) { Ended(Thread); };
    FThread->Resume();
}

void TTaskRunner::Ended(const TMyThread &Thread)
{
    TTaskEnd end{Thread.GetTerminated(), Thread.FatalException != nullptr, Thread.FailureText};
    // Reported from the queue, never from inside the thread's own end handler, so that OnFinished may
    // start, stop or free this runner.
    TChannel::Post(FChannel, FChannel->Run, [end = std::move(end)](TTaskRunner &Runner) {
        Runner.FChannel->Running = false;
        if (Runner.OnFinished)
            Runner.OnFinished(end);
    });
}

void TTaskRunner::Stop()
{
    FChannel->Running = false;
    if (!FThread)
        return;
    FThread->Terminate();
    FThread->WaitFor();
    FThread.reset();
}

bool TTaskRunner::Running() const
{
    return FChannel->Running;
}
