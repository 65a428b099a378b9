#include "shell/WindowWorkerRunner.h"

#include "shell/TaskRunner.h"

#include <utility>

TWindowWorkerRunner::TWindowWorkerRunner(TTaskRunner &Runner) : FRunner(Runner)
{
    FRunner.OnFinished = [this](const TTaskEnd &) {
        // Taken first: the end may start the next run.
        const std::function<void()> ended = std::move(FEnded);
        if (ended)
            ended();
    };
}

void TWindowWorkerRunner::Run(TWorkerProc Work, std::function<void()> Ended)
{
    FRunner.Stop();
    FEnded = std::move(Ended);
    FRunner.Start(std::move(Work));
}

void TWindowWorkerRunner::Stop()
{
    FRunner.Stop();
    FEnded = nullptr;
}
