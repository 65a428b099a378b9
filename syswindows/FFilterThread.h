#pragma once
// The filter editor's filtering run: the result filter set marks the source's combinations (a system's
// rows or a draw history's draws) in a worker, which keeps how many passed.

#include "core/UGlobalProgress.h"
#include "syswindows/FilterSource.h"

#include <cstdint>

class TGroupFilter;
class TMyThread;

struct TFilterThread {
    TGroupFilter *ResultFilter = nullptr;
    TFilterSource Source;
    TProgressProc OnProgress;
    // The passing combinations (draws) of the run; 64-bit, as many as a system may hold.
    int64_t Result = 0;

    // The worker's job: the source's MarkByFilter, stopping when Thread is terminated.
    void Execute(TMyThread &Thread);
};
