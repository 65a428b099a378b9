#pragma once
// "Różnice": the differences between the neighbouring numbers of every draw of the window's range (or
// row of a system) in four tables: how many differences of each size, the difference at each position,
// the pattern of the repeated differences, the number at each position. Each table has its details and
// grouping, the three class tables a summary; each keeps its own sorts, selected column and charts.

#include "statwindows/FStatGeneral.h"

#include <array>
#include <memory>

class QTabWidget;
class TClassTablePage;
class TClassTableSource;
class TPatternTablePage;
class TPatternTableSource;
class TStatDiffs;

class TfrmStatDiffs : public TGenStatForm {
    Q_OBJECT

public:
    static constexpr int DiffsStatIndex = 10;

    explicit TfrmStatDiffs(QWidget *Owner = nullptr);
    ~TfrmStatDiffs() override;

    TStatDiffs *StatDiffs = nullptr; // the window's statistic (Stat)
    QTabWidget *PageControl1;        // a page per table, each with its inner pages
    TClassTablePage *Diffs;          // table 1: the differences by size
    TClassTablePage *DiffPositions;  // table 2: the difference at each position
    TPatternTablePage *Repeats;      // table 3: the repeated differences
    TClassTablePage *Positions;      // table 4: the number at each position

protected:
    void SetupControls() override;
    std::unique_ptr<TStat> CreateStat() override;
    void ClearResults() override;
    bool StartStat() override;
    bool ShowResults() override;
    void Report() override;

private:
    std::array<std::unique_ptr<TClassTableSource>, 3> FClassSources;
    std::unique_ptr<TPatternTableSource> FRepeatSource;
};
