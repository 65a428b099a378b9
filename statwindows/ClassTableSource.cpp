#include "statwindows/ClassTableSource.h"

#include "core/UGlobalSort.h"

#include <algorithm>

namespace {

// SortMan's column keys of a table: 1 the draw (group value), 2 the value (group count).
constexpr int ByDraw = 1;
constexpr int ByValue = 2;
constexpr int NotSorted = 2;

} // namespace

int TClassTableSource::GroupRows() const
{
    int rows = 0;
    for (const TGItem &group : Groups)
        rows = std::max(rows, group.Count);
    return rows;
}

void ReapplyTableSorts(TStatTables &Stat, int Table, const TSortMan &SortMan, int DetailsEntry, int GroupsEntry,
                       int NativeDrawDir)
{
    const int byDraw = SortMan.GetSortDir(DetailsEntry, ByDraw);
    if (byDraw == NotSorted) {
        const int byValue = SortMan.GetSortDir(DetailsEntry, ByValue);
        if (byValue != NotSorted)
            Stat.SortDetailsByValue(Table, byValue);
    } else if (byDraw != NativeDrawDir) {
        Stat.SortDetailsByDraw(Table, byDraw);
    }
    const int byGroupValue = SortMan.GetSortDir(GroupsEntry, ByDraw);
    if (byGroupValue == NotSorted) {
        const int byCount = SortMan.GetSortDir(GroupsEntry, ByValue);
        if (byCount != NotSorted)
            Stat.SortGroupsByCount(Table, byCount);
    } else if (byGroupValue == 1) {
        Stat.SortGroupsByValue(Table, 1);
    }
}
