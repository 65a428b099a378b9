// Marking a system's rows by a filter set, adopting the set, and deleting the rows it rejects.
#include "core/UGlobalThreads.h"
#include "engine/EFilterFeed.h"
#include "engine/UFilters.h"
#include "engine/USysGeneral.h"

#include <vector>

int64_t TSystem::MarkByFilter(TGroupFilter &FilterSet, const TMyThread &Thread,
                              const TProgressProc &OnProgress)
{
    TProgress progress;
    progress.OnProgress = OnProgress;
    progress.Init(10000, Combs.GetCount(), 0);
    // The verdicts are kept apart until the testing ends, so a set that throws changes no mark.
    std::vector<bool> passes(static_cast<size_t>(Combs.GetCount()));
    int handled = 0;
    int64_t passed = 0;
    RunPrepared(FilterSet, [&] {
        int sinceCheck = 0;
        while (handled < Combs.GetCount()) {
            const int rec = handled++;
            if (!Combs.IsDeleted(rec) && FilterSet.Test(Combs.CombPtr(rec, true))) {
                passes[static_cast<size_t>(rec)] = true;
                ++passed;
            }
            if (++sinceCheck >= 1001) {
                sinceCheck = 0;
                if (Thread.GetTerminated())
                    break;
            }
            progress.Advance(1);
        }
    });
    for (int rec = 0; rec < handled; ++rec) {
        if (Combs.IsDeleted(rec))
            continue;
        uint8_t &flags = *Combs.FlagsPtr(rec);
        flags = passes[static_cast<size_t>(rec)] ? uint8_t(flags | cfMarked) : uint8_t(flags & ~cfMarked);
    }
    return passed;
}

void TSystem::CollectEFilters(const TEFilters &EFilters, TGroupFilter *GroupFilter, const TMyThread &Thread,
                              const TProgressProc &OnProgress)
{
    TProgress progress;
    progress.OnProgress = OnProgress;
    progress.Init(10000, Combs.GetCount(), 0);
    CollectEFiltersOver(EFilters, GroupFilter, [&](const auto &Add) {
        TStopPoll poll;
        for (int rec = 0; rec < Combs.GetCount(); ++rec) {
            if (!Combs.IsDeleted(rec))
                Add(Combs.CombPtr(rec, true));
            if (poll.Due([&Thread] { return Thread.GetTerminated(); }))
                return false;
            progress.Advance(1);
        }
        return true;
    });
}

void TSystem::SetFilter(const TGroupFilter &FilterSet)
{
    auto set = std::make_unique<TGroupFilter>(Game, N, K, Key);
    set->Assign(FilterSet);
    Filter = std::move(set);
    HasFilter = true;
    FilterApplied = true;
    for (int rec = 0; rec < Combs.GetCount(); ++rec) {
        if (Combs.IsDeleted(rec))
            continue;
        uint8_t &flags = *Combs.FlagsPtr(rec);
        flags = uint8_t((flags & ~cfPassed) | ((flags & cfMarked) ? cfPassed : 0));
    }
}

void TSystem::DropMarks() {}

void TSystem::DeleteByFilter(const TGroupFilter &FilterSet)
{
    // FilterSet may be the system's own, which FreeFilter destroys.
    const bool keepMarked = FilterSet.FindType;
    for (int rec = 0; rec < Combs.GetCount(); ++rec) {
        if (Combs.IsDeleted(rec))
            continue;
        const bool marked = (*Combs.FlagsPtr(rec) & cfMarked) != 0;
        if (marked != keepMarked)
            Combs.MarkDeleted(rec);
    }
    // Re-sorted whatever the key: the index must stay in the order of the numbers.
    Combs.Pack(true);
    // The parameters (and so the description) count the rows left.
    Count = GetCount();
    FreeFilter();
    RefreshView(ShowAll);
}

bool TSystem::Shows(uint8_t Flags) const
{
    if (!FilterApplied || !Filter || (Flags & cfByHand))
        return true;
    const bool passed = (Flags & cfPassed) != 0;
    return Filter->FindType ? passed : !passed;
}

void TSystem::FreeFilter()
{
    Filter.reset();
    HasFilter = false;
    FilterApplied = false;
}
