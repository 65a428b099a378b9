#pragma once
// "Sprawdzenie systemu": the system of a system window checked against every draw of a draws range
// (grouped by day, week, month or year), against the game's last draw, or against numbers the player
// enters; hits per level, wins, costs and profit in a grid, two charts and a costs panel. A dependent
// window of its system window, always checking that window's current system (what it counted goes when
// that system changes); the check runs on the window's worker over copies of the rows and draws, with the
// main status bar's progress and Stop.

#include "core/DynArrays.h"
#include "core/UGlobalSort.h"
#include "shell/DrawsRangeBinding.h"
#include "shell/TaskRunner.h"
#include "shell/UGeneralForm.h"
#include "syswindows/CheckTable.h"
#include "syswindows/SystemCheck.h"

#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;
class TCheckCharts;
class TGenSysForm;
class TResultGrid;
class TRichView;
class TStringAlignGrid;
class TSystem;
class TXPMenu;
struct TCellFormat;
struct TGameData;

class TfrmCheckSystem : public TGenForm {
    Q_OBJECT

public:
    explicit TfrmCheckSystem(QWidget *Owner = nullptr);
    ~TfrmCheckSystem() override;

    // Sets the window up on the system of OwnerWindow, a window of Game. Called once, after creation.
    void Init(TGameData *AGame, TGenSysForm *AOwnerWindow);

    TGameData *Game = nullptr;
    QPointer<TGenSysForm> OwnerWindow;
    // The window's own copy of the game's default range, changed only through its range dialog.
    TDrawsRangeBinding Range;
    // Levels, the checked draws' rows, the shown rows and the totals of the last check.
    TSystemCheck Results;
    int DrawCount = 0;
    TDynByteArr OwnNumbers; // ascending
    uint8_t CheckType = ctRange;
    uint8_t GroupType = cgDay;
    bool ShowAllHits = false;
    bool NoResults = true;
    TStatDraws StatDraws;
    TSortMan SortMan{1};
    // The parameters of a check, kept for the report once it has finished.
    struct TReportParams {
        TDrawsRange Range; // resolved, with its draw count
        uint8_t CheckType = ctRange;
        TDynByteArr Numbers;
    } ReportParams;
    // What the worker runs to count a check: TCheckJob::Execute unless replaced (before a check starts;
    // tests hold the worker through it).
    std::function<void(TCheckJob &Job, const TMyThread &Thread)> Checker = [](TCheckJob &Job, const TMyThread &Thread) {
        Job.Execute(Thread);
    };

    QGroupBox *gbParams;
    QWidget *pnlRange;
    TRichView *txtDateDesc;
    QWidget *pnlLastDraw;
    QLineEdit *eLastDate;
    QLineEdit *eNumbers;
    QPushButton *btnNums;
    QGroupBox *gbCosts;
    QLineEdit *txtSystemCost;
    QLineEdit *txtTotalCost;
    QLineEdit *txtWin;
    QLineEdit *txtProfit;
    QLineEdit *txtAvgProfit;
    QPushButton *btnWinsTable;
    QTabWidget *PageControl1;
    QWidget *tsParams;
    QWidget *tsTable;
    QWidget *tsChart;
    QRadioButton *rbRange;
    QRadioButton *rbLastDraw;
    QRadioButton *rbNumbers;
    QCheckBox *chkShowChart;
    TStringAlignGrid *Grid;
    QRadioButton *rbDay;
    QRadioButton *rbWeek;
    QRadioButton *rbMonth;
    QRadioButton *rbYear;
    QCheckBox *chkShowAllHits;
    QPushButton *btnDetails;
    TCheckCharts *pcChart;
    QMenu *Popup1;
    TXPMenu *XPMenu1; // the flat look of the pop-up menus
    QAction *pDrawsRange;
    QAction *pCheck;
    QAction *pNums;
    QAction *pWinsTable;
    QAction *pDetails;
    QAction *pReport;

    // The system checked: the owner window's current one; nullptr once the owner has none.
    TSystem *System() const;
    // Results are shown.
    bool HasResults() const { return !NoResults; }
    // A check is queued behind the events that were waiting when it was asked for.
    bool CheckPending() const { return FCheckQueued; }
    // A check's counting runs on the worker.
    bool Checking() const { return Runner.Running(); }
    // The check of the checked type, started on the worker at once (the queued start of WM_TASK_START
    // ends here); refused, with the reason said, for a system of more rows than a check takes.
    void pCheckClick();
    // The owner's system was replaced or its rows, key, filter or view changed: a check still counting
    // stops, the results and costs go as after a change of draws, and the caption and the system's cost
    // follow the system as it is now.
    void OwnerSystemChanged();
    // The text of a data cell as the grid shows it; Row counts from the grid's first row below the header.
    QString CellText(int Col, int Row) const;

protected:
    bool HandleCommand(CommandEvent &Command) override;
    void FormActivate() override;
    void closeEvent(QCloseEvent *event) override;

private:
    // FCheckSystemLayout.cpp
    void CreateControls();
    QWidget *CreateParamsPage();
    QWidget *CreateTablePage();
    QWidget *CreateChartPage();
    void CreatePopup();
    void ConnectControls();

    // The charts hidden, and built again when they are asked for (range checks only).
    void RebuildCharts();

    void UpdateMenu();
    // The caption names the system checked as it stands now.
    void ShowCaption();
    void ShowLastDate();
    void ReadParams();
    void WriteParams();
    void rbTypeCheckClick();
    // The combination entry dialog on the own numbers.
    void EnterOwnNumbers();
    void ShowOwnNumbers();
    // A check queued behind what waits in the event loop, with cmdStart off meanwhile.
    void StartCheck();
    // The draws of the checked type with their rows' index and date; none, after saying so, when there
    // are no draws to check.
    std::vector<TCheckDraw> CheckedDraws();
    std::vector<TCheckDraw> RangeDraws();
    std::vector<TCheckDraw> LastDraw();
    void CheckEnded(const TTaskEnd &End);
    // Stops a check still counting and drops what it counted.
    void StopCheck();
    // The status bar's progress and text cleared after a check.
    void ClearStatus();
    void ResetResults();
    void ClearResults();
    void ShowResults();
    void RegroupClick();
    void ApplyStoredSort();
    bool GridSortColumn(int SortKey, int Direction);
    // The hit columns shown: every level or the winning ones, the first column unless own numbers.
    TCheckColumns Columns() const;
    // The columns at their widths by the rule, widened to the widest figures of the results shown.
    void SetupColumns();
    void HitsOptionClick();
    void GridCellFormat(int Col, int Row, TCellFormat &Format) const;
    // The first column's text of a shown row.
    QString RowLabel(const TCheckRow &Row) const;
    // The details window on the drawn numbers of the current row.
    void ShowDetails();
    // The numbers the current row was checked against; none for a row without them.
    TDynByteArr CheckedNumbers() const;
    void ShowCosts();
    void ClearCosts();
    void UpdateDetailsButton(int GridRow);
    void FormDestroy();

    // FCheckSystemReport.cpp
    void Report();
    std::string ReportHeader() const;

    std::unique_ptr<TResultGrid> ResultGrid;
    bool FCheckQueued = false;
    bool FDestroyed = false;
    // The check counting on the worker and the parameters it was started with.
    std::shared_ptr<TCheckJob> FJob;
    TReportParams FJobParams;
    TTaskRunner Runner; // declared last: stopped before the rest goes
};
