#pragma once
// An engine object's runs on its window's worker: each run goes to the window's TTaskRunner, so the
// program sees the window at work, and its end comes back on the GUI thread.

#include "core/WorkerRunner.h"

class TTaskRunner;

class TWindowWorkerRunner : public TWorkerRunner {
public:
    // Takes Runner's OnFinished for the runs' ends.
    explicit TWindowWorkerRunner(TTaskRunner &Runner);

    void Run(TWorkerProc Work, std::function<void()> Ended) override;
    void Stop() override;

private:
    TTaskRunner &FRunner;
    std::function<void()> FEnded;
};
