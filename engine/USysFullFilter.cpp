// The full system's filtering in too-many mode: the combinations are enumerated, never stored, and
// only what the filter set keeps is set aside.
#include "core/ProgramParams.h"
#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "engine/EFilterFeed.h"
#include "engine/UFilters.h"
#include "engine/USysFull.h"

int64_t TSysFull::MarkByFilter(TGroupFilter &FilterSet, const TMyThread &Thread,
                               const TProgressProc &OnProgress)
{
    if (!TooMany)
        return TSystem::MarkByFilter(FilterSet, Thread, OnProgress);
    const int64_t most = Limits.MaxComb;
    const int64_t total = Newton[size_t(N)][size_t(K)];
    TProgress progress;
    progress.OnProgress = OnProgress;
    progress.Init(10000, total, 0);
    Results.Clear();
    int64_t passed = 0, kept = 0;
    bool stopped = false;
    try {
        RunPrepared(FilterSet, [&] {
            int sinceCheck = 0;
            for (int64_t i = 0; i < total; ++i) {
                NextComb(Comb, uint8_t(N), uint8_t(K), i == 0);
                for (int j = 0; j < K; ++j)
                    Mapped[size_t(j)] = Key[size_t(Comb[size_t(j)]) - 1];
                const bool passes = FilterSet.Test(Mapped.data());
                if (passes)
                    ++passed;
                // A deleting set keeps what fails it.
                if (passes == FilterSet.FindType) {
                    ++kept;
                    if (Results.GetCount() <= most)
                        Results.Add(
                            TCombRow{passes ? uint8_t(cfMarked) : uint8_t(0), Comb.data(), Mapped.data()},
                            true);
                }
                if (++sinceCheck >= 1001) {
                    sinceCheck = 0;
                    if (Thread.GetTerminated()) {
                        stopped = true;
                        break;
                    }
                }
                progress.Advance(1);
            }
        });
    } catch (...) {
        Results.Clear();
        throw;
    }
    // Too many to keep, or a stop: nothing.
    if (stopped || kept > most)
        Results.Clear();
    return passed;
}

void TSysFull::CollectEFilters(const TEFilters &EFilters, TGroupFilter *GroupFilter, const TMyThread &Thread,
                               const TProgressProc &OnProgress)
{
    if (!TooMany) {
        TSystem::CollectEFilters(EFilters, GroupFilter, Thread, OnProgress);
        return;
    }
    const int64_t total = Newton[size_t(N)][size_t(K)];
    TProgress progress;
    progress.OnProgress = OnProgress;
    progress.Init(10000, total, 0);
    CollectEFiltersOver(EFilters, GroupFilter, [&](const auto &Add) {
        TStopPoll poll;
        for (int64_t i = 0; i < total; ++i) {
            NextComb(Comb, uint8_t(N), uint8_t(K), i == 0);
            for (int j = 0; j < K; ++j)
                Mapped[size_t(j)] = Key[size_t(Comb[size_t(j)]) - 1];
            Add(Mapped.data());
            if (poll.Due([&Thread] { return Thread.GetTerminated(); }))
                return false;
            progress.Advance(1);
        }
        return true;
    });
}

void TSysFull::SetFilter(const TGroupFilter &FilterSet)
{
    if (TooMany)
        takeResults();
    TSystem::SetFilter(FilterSet);
}

void TSysFull::DropMarks()
{
    Results.Clear();
}

void TSysFull::DeleteByFilter(const TGroupFilter &FilterSet)
{
    if (!TooMany) {
        TSystem::DeleteByFilter(FilterSet);
        return;
    }
    takeResults();
    FreeFilter();
    TooMany = false;
}

void TSysFull::takeResults()
{
    Combs.Assign(Results);
    if (!IsAscending(Key.data(), N))
        ApplyKey(true, true);
    Results.Clear();
    Count = Combs.GetLive();
    RefreshView(ShowAll);
}
