#pragma once
// The base of the system windows, one per system kind: it owns the window's system and shows its rows,
// parameters, key and filter; it handles the commands that are the same for every kind (save, copy,
// delete rows) and switches the main window's commands by the window's state. The kind windows add
// their parameters, and build their systems on the window's worker through StartGeneration.

#include "core/DynArrays.h"
#include "shell/TaskRunner.h"
#include "shell/UGeneralForm.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CommandEvent;
class TEReport;
class TMyThread;
class TProgress;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TStringAlignGrid;
class TSetGuaranty;
class TSystem;
class TfrmSelectComb;
class TfrmSelectKey;
struct TCellFormat;
struct TGameData;
struct TSysWindowLayout;

class TGenSysForm : public TGenForm {
    Q_OBJECT

public:
    explicit TGenSysForm(QWidget *Owner = nullptr);
    ~TGenSysForm() override;

    // The kind window's controls (BindLayout).
    TStringAlignGrid *sgSystem = nullptr;
    TStringAlignGrid *sgKey = nullptr;
    TStringAlignGrid *sgStat = nullptr;
    TStringAlignGrid *sgFilters = nullptr;
    QRadioButton *rbViewAll = nullptr;
    QRadioButton *rbViewFlt = nullptr;
    QPushButton *btnFltDel = nullptr;
    QLineEdit *eFilter = nullptr;

    std::unique_ptr<TSystem> System;
    // 1: no system yet (and again once the window closes); 0: a generated or given system.
    uint8_t State = 1;
    // The window's copy of the numbers the system uses and of the numbers per combination.
    uint8_t N = 0;
    uint8_t K = 0;
    int SysKind = 0;
    TGameData *Game = nullptr;
    // False while the window checks a view button itself.
    bool ViewClicksEnabled = true;
    // The window's open key dialog; the window is disabled while it is open.
    QPointer<TfrmSelectKey> KeyDialog;

    // ---- virtual operations, in the order the kinds override them (DoProgress comes from TGenForm) ----
    // The filter editor over the system; on OK its filter set marks or reduces the system, or a copy of
    // it in a new window.
    virtual void ShowFilter();
    // Applies a new key from the key dialog and shows the system through it.
    virtual void SystemChanged(const TDynByteArr &NewKey);
    // The info grid of the kinds' rows (BuildKindLayout) once the parameters are set (State not 1): K, N,
    // C(N, K) and the stake; while the window holds its rows (State 0) also their count, the share of all
    // combinations they cover and their cost.
    virtual void ShowInfo();
    // The window tag, "> " and the system's name, or its description once it has parameters (State not 1).
    virtual void UpdateCaption();
    // The kind window keeps its own typed reference to the system.
    virtual void BindSystem(TSystem *NewSystem) = 0;
    // N, K and the kind's parameters from the system.
    virtual void ReadParams() = 0;
    // The report's header text: the system's description and the info grid's rows as "name: value"
    // lines, each ended by "#", every line after the first three indented by Width blanks.
    virtual void GetParamsText(int Width, std::string &S) const;
    // Switches the main window's commands by the window's state.
    virtual void UpdateMenu();
    // An empty system of the window's kind for Game; the window stays without a system (State 1).
    virtual void SetGame(TGameData *NewGame);
    // Takes over a given system and shows it.
    virtual void OpenSystem(TGameData *NewGame, std::unique_ptr<TSystem> NewSystem);
    // OpenSystem, then a dependent guarantee window showing a guarantee read with the system; the set
    // refers to that system.
    virtual void OpenWithGuarantee(TGameData *NewGame, std::unique_ptr<TSystem> NewSystem,
                                   std::unique_ptr<TSetGuaranty> Guarantee);
    // A copy of another system window's game and system.
    virtual void CopyFrom(const TGenSysForm &Window);

    // Visible combinations; 0 without a system.
    int ViewCount() const;

    // What the report writes, taken on the GUI thread before its worker starts: the header text, a copy
    // of the system and the widths of the system grid's two columns.
    struct TSystemReport {
        std::string Header;
        std::shared_ptr<TSystem> System;
        std::array<int, 2> Widths{};
    };
    TSystemReport TakeReport() const;
    // The report job over what was taken: the system through its key on one sheet and, when the key is
    // not 1..N, by positions on a second.
    static void WriteReport(const TSystemReport &Taken, const TMyThread &Thread, TEReport &Report,
                            TProgress &Progress);

    // Shows the system anew after it was replaced or changed (rows, filter, view), the check windows
    // reset on it (ResetCheckWindows).
    void RefreshAll();
    void ShowRows();
    void ShowKey();
    void ShowFilters();
    void ShowViewMode();
    void EnableRowCommands();
    // A dependent guarantee window is still computing.
    bool GuaranteeRunning() const;
    // A worker is building a new system, or a built one waits for the modal windows to close; the
    // window keeps showing the old one meanwhile (and offers only the read and stop commands).
    bool Generating() const;
    // Rows may be added, changed or deleted: the window holds its rows, no new system is on its way, no
    // guarantee of them is computing and the key dialog is closed. Every road of the row commands (menu,
    // tool bar, keys, the grid's double click) asks it.
    bool RowsEditable() const;
    // The row-number column fits the last row number.
    void FitRowNumbers();
    // The columns fit the row numbers and K numbers, and the window its grid.
    void FitWidth();
    void SetViewAll(bool ShowAll);
    // The commands a window leaves on when another one becomes active.
    void DisableCommands();
    // A kind window's own commands after the base's (UpdateMenu): the parameters and Commands, unless
    // the key dialog is open, a worker builds or a dependent guarantee window computes.
    void EnableKindCommands(int Commands);
    // The guarantee command: the guarantee window on the system, computing every variant at once for a
    // system that holds every combination in order, else those chosen in the parameter dialog (in its
    // DialogMode).
    void ShowGuarantee(int DialogMode);
    void NewSystem();
    // Closes the dependent windows that hold this window's system (statistics and guarantee windows),
    // stopping their work: every road that replaces, frees or rebuilds the system calls it first. A check
    // window looks the system up through this window each time and stays (ResetCheckWindows).
    void CloseSystemDependents();

    void ChildClosed(TGenForm *Child) override;
    void ChildChanged(TGenForm *Child) override;

    // What the worker runs to build a new system; true when the system is complete.
    using TBuildProc = std::function<bool(TSystem &NewSystem, const TMyThread &Thread)>;
    // When set (before a generation starts), runs on the worker in place of the kind's build, which it is
    // given: tests make a build fail or wait through it.
    std::function<bool(TSystem &NewSystem, const TMyThread &Thread, const TBuildProc &KindBuild)> GenerationHook;

protected:
    // The states in which the system may be given another key (besides: no worker, no guarantee
    // computing); a kind with a state of its own that takes a key widens it.
    virtual bool StateTakesKey() const;
    // A key dialog of this window is open: the window offers no commands of its own meanwhile.
    bool KeyDialogOpen() const;
    // Builds NewSystem by Build on the window's worker, its progress on the main status bar: a complete
    // one replaces the shown system (OpenSystem); a failed one says so and the old one stays.
    void StartGeneration(std::unique_ptr<TSystem> NewSystem, TBuildProc Build);
    // Stops the worker and waits for it; the old system stays.
    void StopGeneration();

    // Takes over the common controls and their handlers.
    void BindLayout(const TSysWindowLayout &Layout);
    // A kind window's set-up: the tabs with the info rows that ShowInfo fills, bound; the kind, no system
    // yet (State 1) and the window's number.
    TSysWindowLayout BuildKindLayout(int Kind);
    // The same with the kind's own info rows (StatRows), the last of them the system's cost.
    TSysWindowLayout BuildKindLayout(int Kind, const QStringList &StatRows);
    // The seven info rows that ShowInfo fills, from row Offset + 1 on.
    void ShowInfoRows(int Offset);
    // The info grid's value column as wide as its values.
    void FitInfoValues();
    // A run that ended behind another child window gives that window its commands back.
    void ReturnCommandsToActive();
    // The window's system from now on, once the windows that hold the old one have closed.
    void TakeSystem(std::unique_ptr<TSystem> NewSystem);
    // Removes the filter and shows every row.
    virtual void btnFltDelClick();
    // The commands every kind handles alike (save, delete rows, copy); a kind window handles its own
    // first and passes the rest on.
    bool HandleCommand(CommandEvent &Command) override;
    // The window's commands, and the focus to its grid (see FocusGrid).
    void FormActivate() override;
    void FormDeactivate() override;

    // Centres the window and colours the grids it has.
    void FormShow() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void SaveSystem();
    void ReportSystem();
    // A combination entered by hand, added or in place of the current row; the new row becomes current.
    void AddComb();
    void EditComb();
    void PrepareCombDialog(TfrmSelectComb &Dialog) const;
    void ShowNewRow(int Index);
    void DeleteCombs();
    void CopySystem();
    void RecordInHistory();
    // FSysGeneralKey.cpp: the key dialog over the system's key, and its two notices (OK, closed).
    void OpenKeyDialog();
    void KeyDialogDone(bool Accepted);
    // The key dialog has gone: the window is usable again and comes forward.
    void EndKeyDialog();
    // While the key dialog is open: the window disabled, the dialog brought forward instead.
    void ShowKeyDialog();
    // A statistics window over this system, for the statistics a system offers.
    void OpenSystemStats(int StatIndex);
    // A check window on this system, a dependent of this window.
    void OpenCheckWindow();
    // The system was replaced or its rows, key, filter or view changed: the check windows drop what they
    // counted on it and name it as it is now.
    void ResetCheckWindows();
    void ConnectProgress();
    // The combination grid, where the window has one, takes the focus when the window is activated:
    // always the first time, later unless the focus is already in the window (the user clicked into it).
    void FocusGrid();
    void sgSystemGetCellFormat(int ACol, int ARow, TCellFormat &Format);
    // FSysGeneralGeneration.cpp
    void GenerationEnded(const TTaskEnd &End);
    // The system built by run Run replaces the shown one, unless the run was stopped meanwhile.
    void TakeGenerated(uint32_t Run);
    // The generation's end on the main status bar and in the commands.
    void EndGeneration();

    bool FActivated = false;
    // The system being built and whether its worker completed it.
    std::unique_ptr<TSystem> FNextSystem;
    bool FNextBuilt = false;
    uint32_t FGenerationRun = 0;
    TTaskRunner FGeneration; // declared last: stopped before the system it builds goes
};
