#pragma once
// Where an engine object's long work runs when its owner gives a worker (a window's worker). Run starts
// Work off the calling (GUI) thread and calls Ended on that thread once Work has returned, unless Stop came
// first; Stop terminates the worker, waits for it and drops its end. Nothing without a run.

#include <functional>

class TMyThread;

class TWorkerRunner {
public:
    using TWorkerProc = std::function<void(TMyThread &Thread)>;

    virtual ~TWorkerRunner() = default;
    virtual void Run(TWorkerProc Work, std::function<void()> Ended) = 0;
    virtual void Stop() = 0;
};
