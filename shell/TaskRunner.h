#pragma once
// One window's worker over TMyThread2: it runs the window's job off the GUI thread and brings its
// progress, status texts and end back to the GUI thread. Only the current run reaches the window: what
// a stopped run reports later, its end included, is dropped. Destroying the runner stops its worker.
// A runner made while a child window is being built belongs to that window, so that the program can
// tell which windows have work going.

#include "core/UGlobalProgress.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TMyThread;
class TMyThread2;

// How a run ended.
struct TTaskEnd {
    bool Terminated = false; // the worker was asked to stop
    bool Failed = false;     // the job threw
    std::string FailureText; // what it threw, when that has a text
};

class TTaskRunner {
public:
    using TJobProc = std::function<void(TMyThread &Thread)>;
    using TStatusProc = std::function<void(const std::string &Text)>;
    using TReportProc = std::function<void(std::function<void()> Task)>;

    TTaskRunner();
    ~TTaskRunner();
    TTaskRunner(const TTaskRunner &) = delete;
    TTaskRunner &operator=(const TTaskRunner &) = delete;

    // On the GUI thread: the current run's progress, status texts, and its end.
    std::function<void(int Pos, int Step)> OnProgress;
    std::function<void(const QString &Text)> OnStatus;
    std::function<void(const TTaskEnd &End)> OnFinished;

    // Handlers for the job's engine objects, callable from the worker: they queue each report to the
    // GUI thread and never block.
    TProgressProc ProgressHandler() const;
    TStatusProc StatusHandler() const;
    // The same for a job that reports its progress very often: a report still waiting for the GUI
    // thread is replaced by a newer one, so the GUI thread shows the latest position and never falls
    // behind the worker.
    TProgressProc LatestProgressHandler() const;
    // For the job's own reports: queues Task to run on the GUI thread while the run is still current.
    TReportProc ReportHandler() const;

    // Stops a run still going, then runs Job in a new worker. OnFinished follows on the GUI thread once
    // the job has returned or thrown, unless the run is stopped first. Call on the GUI thread.
    void Start(TJobProc Job);
    // Asks the worker to stop, waits for it and frees it; its end is not reported. Nothing without a run.
    void Stop();
    bool Running() const;

    // The window the runner works for; null for a runner made outside a window's building, or once
    // the window is gone.
    QObject *Window() const { return FWindow; }
    // Runners made from now on belong to Window (TGenForm's constructor sets it, AddChildForm ends it
    // with null). GUI thread only.
    static void SetBuildingWindow(QObject *Window);
    // The runners of the process with a run going. GUI thread only.
    static std::vector<const TTaskRunner *> RunningRunners();

private:
    struct TChannel;

    void Ended(const TMyThread &Thread);

    std::shared_ptr<TChannel> FChannel;
    std::unique_ptr<TMyThread2> FThread;
    QPointer<QObject> FWindow;
};
