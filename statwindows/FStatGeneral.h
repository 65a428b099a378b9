#pragma once
// The base of the statistics windows: over the draws of a game (opened from the main window) or over the
// combinations of a system (a dependent window of its system window). It keeps the window's draws range,
// the statistic and the result state, switches the main window's commands by that state, computes
// (on the window's worker, or on the GUI thread for the statistics without one), stops, records the
// sorts of its grids, and writes the window's parameters when it goes. Each window adds its parameters,
// grids, charts and report.
//
// State machine. Worker windows: State 1 no results, 2 computing, 0 results shown. Other windows:
// NoResults from creation and while computing, cleared once results are shown.

#include "core/UGlobalProgress.h"
#include "core/UGlobalSort.h"
#include "output/FExcelReport.h"
#include "output/FGlobalReport.h"
#include "shell/DrawsRangeBinding.h"
#include "shell/ResultGrid.h"
#include "shell/TaskRunner.h"
#include "shell/UGeneralForm.h"
#include "stats/UStatGeneral.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCloseEvent;
class QHBoxLayout;
class QLabel;
class TClassTablePage;
class TPatternTablePage;
class TProgressPanel;
class TRichView;
class TStringAlignGrid;
class TSystem;
struct TClassTableLayout;
struct TGameData;

class TGenStatForm : public TGenForm {
    Q_OBJECT

public:
    // CaptionText follows the window tag ("> Częstotliwości"); Worker: the statistic computes in its
    // worker thread; SortEntries: the sortable grids, numbered from 1 in SortMan.
    TGenStatForm(int StatIndex, QString CaptionText, bool Worker, int SortEntries, QWidget *Owner = nullptr);
    ~TGenStatForm() override;

    // Sets the window up over Game's draws (AFromDraws) or over ASystem of the system window
    // AParentWindow. Windows opened from the main window with no Init of their own are set up on the
    // current game when first shown.
    void Init(bool AFromDraws, TGameData *AGame, TGenForm *AParentWindow, TSystem *ASystem);

    const int StatIndex;
    const QString CaptionText;
    const bool HasWorker;

    bool FromDraws = true;
    TGameData *Game = nullptr;
    TSystem *System = nullptr;
    // The window's own draws range (Range.Range) and its line in txtDateDesc.
    TDrawsRangeBinding Range;
    std::unique_ptr<TStat> Stat;
    uint8_t State = 1;
    bool NoResults = true;
    TSortMan SortMan;
    // The report items the user ticked last (windows with several tables).
    std::vector<bool> ReportItems;

    // Built by the base, placed by the window: the range (or system) line and the progress panel.
    TRichView *txtDateDesc;
    TProgressPanel *Panel1;
    // The range line to place: Caption (none when null) and txtDateDesc, which takes the width.
    QHBoxLayout *NewRangeLine(QLabel *Caption);

    bool HasResults() const { return HasWorker ? State == 0 : !NoResults; }
    // Switches the main window's commands to the window's state, while it is the active child window.
    void UpdateMenu();
    // WM_TASK_START: clears the results and computes anew.
    void Compute();
    // WM_TASK_STOP: a running worker is stopped and waited for, and the results dropped.
    void StopComputing();
    // The window's worker is running.
    bool WorkerRunning() const { return FRunner.Running(); }

protected:
    // ---- what each window adds, in the order the base calls them ----
    // Init: the sort manager's grids, the grids and the controls' ranges.
    virtual void SetupControls() {}
    // Init: the statistic, created with StatProgressHandler, StatStatusHandler and StatFinishedHandler.
    virtual std::unique_ptr<TStat> CreateStat() = 0;
    // Init: the stored parameters into the controls. Destroy: the controls into the stored record.
    virtual void ReadParams() {}
    virtual void WriteParams() {}
    // Compute: every table back to its header.
    virtual void ClearResults() = 0;
    // Whether the window's own parameters allow a computation: Start is off and a Start command does
    // nothing while they do not.
    virtual bool CanStart() const { return true; }
    // Compute, once the range holds draws: the window's own checks of its parameters; false stops
    // without computing (the window has told the user why).
    virtual bool CheckCompute() { return true; }
    // Compute, worker windows: the window's own part of entering State 2.
    virtual void PrepareCompute() {}
    // Compute: the direction the working draws are sorted by date (1 newest first).
    virtual int LoadDirection() const { return -1; }
    // Compute, worker windows: hands the parameters to the statistic and starts it; false when the
    // statistic refused to start (its state tells why).
    virtual bool StartStat() { return false; }
    // Compute, other windows: the statistic's calculation on the GUI thread.
    virtual void Calculate() {}
    // After a computation the statistic completed: fills the tables and answers whether there is
    // anything to show. A window without a worker has results (NoResults false) meanwhile; a worker
    // window's table pages read the results meanwhile.
    virtual bool ShowResults() = 0;
    // Whether the window's report command is on (outside State 2): by default while results are shown.
    virtual bool Reportable() const { return HasResults(); }
    // WM_SYS_REPORT while Reportable.
    virtual void Report() {}
    // Stop: what a stopped computation leaves on screen; by default every table is cleared (a stopped
    // sort leaves rows half in order).
    virtual void ResultsStopped() { ClearResults(); }
    // WM_DRAWS_RANGE: the user confirmed a new range, now shown.
    virtual void RangeEdited() {}

    // A sort of the shown results on the window's worker (a header click): no rows are drawn meanwhile
    // and Stop is on; Sort runs on the worker and Sorted follows on the GUI thread. Worker windows only.
    void SortInWorker(std::function<void(const TMyThread &Thread)> Sort, std::function<void()> Sorted);

    // A result grid of the window over Grid (entry SortIndex of SortMan), in the result colours, drawn by
    // Cell while Shown answers true (by default while the window has results), sorted by Sort on a
    // header click (no sort when empty).
    std::unique_ptr<TResultGrid> BindResultGrid(TStringAlignGrid *Grid, int SortIndex,
                                                TResultGrid::TCellProc Cell, TResultGrid::TSortProc Sort = {},
                                                std::function<bool()> Shown = {});

    // Table pages of the window over SortMan, drawn while the window has results (and while a worker
    // window shows them); a worker window's class tables sort on its worker. FreeStat drops their sources
    // before the statistic they read goes.
    TClassTablePage *NewClassPage(TClassTableLayout Layout);
    TPatternTablePage *NewPatternPage(int DetailsEntry, int GroupsEntry);

    // ---- the two report forms ----
    // One table of a window with several: its name in the item dialog, its sheet and its grid, and the
    // caption cell above it. Ticked tables of one sheet name in a row share that sheet.
    struct TReportItem {
        QString Name;
        std::string SheetName;
        const TStringAlignGrid *Grid = nullptr;
        bool Enabled = true;
        std::string Caption{};
    };
    // Single-table windows: the row dialog over Grid, then the rows chosen on the sheet SheetName three
    // rows below Header, and the Further tables on sheets of their own.
    void ReportRows(const TStringAlignGrid &Grid, const std::string &SheetName, const std::string &Header,
                    std::vector<TReportTable> Further);
    // Several-table windows: the item dialog (the ticked flags into ReportItems), then each ticked table on
    // a sheet of its own (or below the table before it on their shared sheet): the first from FirstGridRow
    // below Header, the later sheets from row 2.
    void ReportTables(const std::vector<TReportItem> &Items, const std::string &Header, int FirstGridRow);
    // The header's common lines, each ended by "#": game, "Statystyka : " + StatName, " ", "Parametry",
    // then over draws RangeTitle and the range lines of the range the results were computed over (the
    // statistic's copy), over a system the system's description.
    std::string ReportHeader(const std::string &StatName, const std::string &RangeTitle) const;

    // Handlers for the statistic, callable from its worker: the progress panel (worker windows) or the
    // main status bar, the panel's text, and the end of the computation. A worker statistic runs on the
    // window's worker (TStat::Runner, set by Init).
    TProgressProc StatProgressHandler();
    TStat::TStatusProc StatStatusHandler();
    TStat::TFinishedProc StatFinishedHandler();
    // For the window's own reports from the statistic's worker: queues a task to run on the GUI thread
    // while the run is still the current one.
    TTaskRunner::TReportProc StatReportHandler() const;

    // Stops the worker, leaves the commands as on deactivation and writes the parameters; once. Closing
    // calls it.
    void FormDestroy();
    // The window's destructor calls it: FormDestroy, then nothing more is drawn from the statistic (no
    // results, the table pages' sources dropped) and the statistic goes.
    void FreeStat();

    bool HandleCommand(CommandEvent &Command) override;
    void FormActivate() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void LoadData();
    void StatFinished();
    // ShowResults after a worker's computation; the table pages read the results meanwhile.
    bool ShowWorkerResults();
    bool PagesReadResults() const { return HasResults() || FShowingResults; }
    void EndComputing();
    void FormShow() override;

    bool FDestroyed = false;
    bool FShowingResults = false;
    // Drop the table pages' sources.
    std::vector<std::function<void()>> FSourceReleases;
    // Declared after Stat: the worker is stopped and joined before the statistic it reads goes.
    TTaskRunner FRunner;
    std::unique_ptr<TWorkerRunner> FStatRunner;
};
