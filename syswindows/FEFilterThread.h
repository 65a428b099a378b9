#pragma once
// The filter editor's exploration run: a system's rows or a draw history's draws, optionally only those
// the editor's filter set passes, fed to the chosen value distributions in a worker.

#include "core/UGlobalProgress.h"
#include "engine/EFilterList.h"
#include "syswindows/FilterSource.h"

class TGroupFilter;
class TMyThread;

struct TEFilterThread {
    TEFilters EFilters;
    TGroupFilter *GroupFilter = nullptr; // none: every combination
    TFilterSource Source;
    TProgressProc OnProgress;

    // The worker's job: the source's CollectEFilters, stopping when Thread is terminated.
    void Execute(TMyThread &Thread);
};
