#pragma once
// The filter editor's tab "Badanie filtrów": how the combinations of its source (a system, or a draw
// history) spread over the values or patterns of up to ten filter quantities, optionally only those
// the editor's filters pass, and, for a system, how they would have hit and won in a range of draws.
// One grid and one bar chart per exploration; a header click sorts every grid of the run. The run has
// a worker of its own; the last completed run's results stay until another run completes.

#include "core/DynArrays.h"
#include "engine/UEFilters.h"
#include "core/UGlobalSort.h"
#include "platform/ByteStream.h"
#include "shell/DrawsRangeBinding.h"
#include "shell/TaskRunner.h"
#include "syswindows/FilterSource.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QChartView;
class QGroupBox;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollArea;
class QTabWidget;
class TGroupFilter;
class TResultGrid;
class TRichView;
class TRunButtonPress;
class TStringAlignGrid;
struct TCellFormat;
struct TEFilterThread;
struct TGameData;

inline constexpr int ExplorationCount = 10;

// What the explorations count: the filter editor's source, its pool and its count of combinations.
struct TExplorationSource {
    TGameData *Game = nullptr;
    TFilterSource Filtered;
    uint8_t N = 0;
    uint8_t K = 0;
    TDynByteArr Numbers;
    int64_t Total = 0;
};

class TFilterExploration : public QWidget {
    Q_OBJECT

public:
    explicit TFilterExploration(QWidget *Parent);
    ~TFilterExploration() override;

    void Init(const TExplorationSource &ASource);
    // The controls from the record's exploration bytes (those from byte 5 of the editor's record).
    void ApplyRecord(const platform::Bytes &Bytes);
    // The tab's fields into those bytes.
    void StoreRecord(platform::Bytes &Bytes) const;

    // The editor's filter set, built for a run; nullptr when none is chosen.
    std::function<TGroupFilter *()> BuildGroupFilter;
    // Whether the editor's filtering run is going on.
    std::function<bool()> FilteringRuns;
    // A run started or ended: the editor's buttons follow.
    std::function<void()> OnRunChanged;
    // The run's progress, for the editor's bar.
    std::function<void(int Pos, int Step)> OnProgress;

    bool Running() const;
    // Terminates a run still going and waits for it; the last completed results stay.
    void Stop();
    // EF_btnDoExplore by the rule: an item checked, no filtering run.
    void UpdateButtons();

    // The explorations of the last completed run, in item order, and their item indexes.
    int ResultCount() const { return int(Shown.Explorations.size()); }
    const TEFilter &Result(int Index) const { return *Shown.Explorations[size_t(Index)].EFilter; }
    int ResultItem(int Index) const { return Shown.Explorations[size_t(Index)].Item; }
    TStringAlignGrid *Grid(int Item) const { return Items[size_t(Item)].Grid; }
    QChartView *Chart(int Item) const { return Items[size_t(Item)].Chart; }
    QGroupBox *Box(int Item) const { return Items[size_t(Item)].Box; }

    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    QListWidget *EF_lbFilters;
    QPushButton *EF_SelAll;
    QPushButton *EF_DeSelAll;
    QCheckBox *EF_cbFilterFunc;
    QGroupBox *EF_gbFltDate;
    TRichView *EF_eFltDate;
    QPushButton *EF_btnFltDate;
    QCheckBox *EF_cbCheckWins;
    QPushButton *EF_btnDoExplore;
    QPushButton *EF_btnReport;
    QScrollArea *EFScrollBox1;
    QMenu *EFPopup;

private:
    struct TItem {
        QGroupBox *Box = nullptr;
        TStringAlignGrid *Grid = nullptr;
        std::unique_ptr<TResultGrid> View;
        QChartView *Chart = nullptr;
        QAction *PopupItem = nullptr;
    };
    struct TExploration {
        std::unique_ptr<TEFilter> EFilter;
        int Item = 0;
    };
    // What a completed run leaves for the grids, the sorts and the report.
    struct TRunResults {
        std::vector<TExploration> Explorations;
        bool CheckWins = false;
        TDrawsRange Range;
    };

    // Construction (FFilterExplore.cpp).
    void CreateControls();
    QWidget *CreateParams();
    void CreateItem(int Item, QWidget *Content);
    void SetAllChecked(bool Checked);
    void EF_cbCheckWinsClick();
    void EF_btnFltDateClick();
    void EF_btnDoExploreClick();
    void StartRun();
    void RunEnded(const TTaskEnd &End);
    void EndRunControls();

    // The results (FFilterExploreResults.cpp).
    void LayoutResults();
    void SetGridColumns(int Index);
    void FillChart(int Index);
    void CellFormat(const TEFilter &EFilter, int Col, int Row, TCellFormat &Format) const;
    bool SortAll(int SortKey, int Direction);
    void EF_btnReportClick();
    std::string ReportHeader() const;

    TExplorationSource Source;
    // Source's, for short.
    TGameData *Game = nullptr;

    std::array<TItem, ExplorationCount> Items;
    TSortMan SortMan{ExplorationCount};
    TDrawsRangeBinding FltRange;
    TRunResults Shown;
    // The run going on.
    TRunResults Pending;
    TTaskRunner Runner;
    std::unique_ptr<TEFilterThread> Thread;
    TRunButtonPress *DoExplorePress = nullptr;
};
