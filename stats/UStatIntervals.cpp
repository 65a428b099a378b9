#include "stats/UStatIntervals.h"

#include "core/ProgramLocale.h"
#include "stats/UExpVal.h"

#include <algorithm>
#include <utility>

TStatIntervals::TStatIntervals(const TGameInfo *Game, TSystem *Source, TProgressProc OnProgress)
    : TSingleTableStat(Game, Source, std::move(OnProgress))
{
    AddDetailTable(Details, Groups);
}

void TStatIntervals::SetIntervals(const TIntervals &AIntervals)
{
    Intervals = AIntervals;
    IntervalCount = static_cast<int32_t>(Intervals.size());
    IntervalLabels.clear();
    for (const TInterval &range : Intervals)
        IntervalLabels.push_back(FormatFloat("00", range.From) + ".." + FormatFloat("00", range.To));
    MapNumbers();
}

void TStatIntervals::MapNumbers()
{
    IntervalOf.assign(static_cast<size_t>(std::max(N, 0)), -1);
    for (int32_t v = 1; v <= N; ++v)
        for (int32_t j = 0; j < IntervalCount; ++j) {
            const TInterval &range = Intervals[static_cast<size_t>(j)];
            if (range.From <= v && v <= range.To) {
                IntervalOf[static_cast<size_t>(v) - 1] = j;
                break;
            }
        }
}

void TStatIntervals::Calculate()
{
    Progress.Init(10000.0, DrawCount, 0);
    // The ranges may have been set before a system was loaded and gave the statistic its N.
    if (static_cast<int32_t>(IntervalOf.size()) != N)
        MapNumbers();
    TTDets().swap(SummaryRows);
    NewDetails(Details, IntervalCount);
    for (int32_t i = 0; i < DrawCount; ++i) {
        TDetRow &row = Details[static_cast<size_t>(i)];
        for (const uint8_t v : Draws[static_cast<size_t>(i)].Numbers) {
            const int32_t range = v >= 1 && v <= N ? IntervalOf[v - 1u] : -1;
            if (range != -1)
                ++row[static_cast<size_t>(range)].Value;
        }
        Progress.Advance(1);
    }
    Group(Details, Groups, IntervalCount);
    Summarize(Details, SummaryRows, IntervalCount);
    if (FromDraws)
        for (int32_t j = 0; j < IntervalCount; ++j) {
            // Only the part of a range within 1..N can be drawn.
            const int32_t from = std::max<int32_t>(Intervals[static_cast<size_t>(j)].From, 1);
            const int32_t to = std::min<int32_t>(Intervals[static_cast<size_t>(j)].To, N);
            SummaryRows[static_cast<size_t>(j)].Expected = from <= to ? ExpInterval(N, K, from, to) : 0;
        }
    ColumnMeans(Details, IntervalCount, RunningMeans);
}

