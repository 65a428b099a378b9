#pragma once
// One pass of filter value distributions over what a system or a draw history feeds them: each is
// reset, given every combination that the optional group filter passes, finished after a complete
// pass, and always freed of its counters.

#include "engine/UEFilters.h"
#include "engine/UFilters.h"

#include <cstdint>

// Every 1001 items answers Terminated(); in between, False.
class TStopPoll {
public:
    template <typename TTerminated>
    bool Due(TTerminated Terminated)
    {
        if (++Since < 1001)
            return false;
        Since = 0;
        return Terminated();
    }

private:
    int Since = 0;
};

// Enumerate(Add) calls Add(C) for each combination in its order and answers False when it stopped.
// A group filter is prepared and finished here; what throws goes on to the caller, the counters freed.
template <typename TEnumerate>
void CollectEFiltersOver(const TEFilters &EFilters, TGroupFilter *GroupFilter, TEnumerate Enumerate)
{
    struct TFreeCounters {
        const TEFilters &EFilters;
        ~TFreeCounters()
        {
            for (TEFilter *filter : EFilters)
                filter->FreeCounters();
        }
    };
    for (TEFilter *filter : EFilters)
        filter->Reset();
    const TFreeCounters freeCounters{EFilters};
    const auto add = [&EFilters, GroupFilter](const uint8_t *C) {
        if (GroupFilter && !GroupFilter->Test(C))
            return;
        for (TEFilter *filter : EFilters)
            filter->AddComb(C);
    };
    bool complete = false;
    if (GroupFilter)
        RunPrepared(*GroupFilter, [&] { complete = Enumerate(add); });
    else
        complete = Enumerate(add);
    if (complete)
        for (TEFilter *filter : EFilters)
            filter->Finish();
}
