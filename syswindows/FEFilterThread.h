#pragma once
// The filter editor's exploration run: a system's rows or a draw history's draws, optionally only those
// the editor's filter set passes, fed to the chosen value distributions in a worker.

#include "core/UGlobalProgress.h"
#include "engine/EFilterList.h"

#include <cstdint>

class TDrawsManager;
class TGroupFilter;
class TMyThread;
class TSystem;

struct TEFilterThread {
    TEFilters EFilters;
    TGroupFilter *GroupFilter = nullptr; // none: every combination
    uint8_t Mode = 1;                    // 1 a system, 0 a draw history
    TSystem *System = nullptr;
    TDrawsManager *DrawsMan = nullptr;
    TProgressProc OnProgress;

    // The worker's job: the source's CollectEFilters, stopping when Thread is terminated.
    void Execute(TMyThread &Thread);
};
