#pragma once
// What the class-table and pattern pages read of a per-draw table statistic. The texts and sorts of a
// table are the statistic's own (TStatTables, by table number); a source adds what each statistic keeps
// in its own way: the classes (a column of the detail table each) with their labels, the summary rows
// with their expected values, the running means, the length of the longest pattern.

#include "stats/UStatTables.h"

#include <QString>

#include <vector>

class TSortMan;

class TClassTableSource {
public:
    TClassTableSource(TStatTables &AStat, int ATable, const TDets &ADetails, const TGDets &AGroups,
                      const TTDets &ASummary)
        : Stat(AStat), Table(ATable), Details(ADetails), Groups(AGroups), Summary(ASummary)
    {
    }
    virtual ~TClassTableSource() = default;

    TStatTables &Stat;
    const int Table;          // the detail table's number in Stat
    const TDets &Details;     // a row per draw, a column per class
    const TGDets &Groups;     // a grouping list per class
    const TTDets &Summary;    // a row per class

    virtual int ClassCount() const = 0;
    // The class in the column headers ("K2", "01..10", "Parzyste").
    virtual QString ClassLabel(int Class) const = 0;
    // The class in the summary rows.
    virtual QString SummaryLabel(int Class) const { return ClassLabel(Class); }
    // The class in the chart lists and the chart titles.
    virtual QString ChartLabel(int Class) const { return SummaryLabel(Class); }
    // Whether the class's values are hundredths that the details show as units with two decimals: the
    // summary shows them so too.
    virtual bool InHundredths(int /*Class*/) const { return false; }
    // The running means of the class, in the order the draws were loaded (oldest first); only with a
    // layout that draws them.
    virtual std::vector<double> RunningMeans(int Class) const = 0;

    // The longest grouping list.
    int GroupRows() const;
};

class TPatternTableSource {
public:
    TPatternTableSource(TStatTables &AStat, int ATable, const TCGDets &AGroups)
        : Stat(AStat), Table(ATable), Groups(AGroups)
    {
    }
    virtual ~TPatternTableSource() = default;

    TStatTables &Stat;
    const int Table;       // the pattern table's number in Stat
    const TCGDets &Groups; // its pattern groups

    // Positions of the longest pattern found.
    virtual int LongestPattern() const = 0;
    // The chart's pattern labels are turned: a pattern may have more than three positions.
    virtual bool TurnedLabels() const { return Stat.K / 2 > 3; }

    int GroupRows() const { return Groups.empty() ? 0 : Groups.front().Count; }
};

// After a computation, the stored sorts of a table's details (SortMan entry DetailsEntry) and of its
// grouping (GroupsEntry) applied again where they differ from the order the statistic leaves them in:
// the details by draw in NativeDrawDir, the groups by value ascending.
void ReapplyTableSorts(TStatTables &Stat, int Table, const TSortMan &SortMan, int DetailsEntry, int GroupsEntry,
                       int NativeDrawDir);
