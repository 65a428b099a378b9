#pragma once
// What a system guarantees: for each chosen hit configuration every drawn set (or a sample of them) is
// evaluated in a worker, and the outcomes (how many rows reach each prize tier, how likely, what they
// win) are shown per configuration with their extremes, means and spreads. A dependent window of its
// system window; it also shows a set read from a guarantee file.
//
// State: 2 computing, 1 stopped (or failed), 0 results shown.

#include "core/UGlobalSort.h"
#include "shell/TaskRunner.h"
#include "shell/UGeneralForm.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QMenu;
class QTabWidget;
class TALProgressBar;
class TAllGuars;
struct TGuarVector;
class TMyThread;
class TResultGrid;
class TSetGuaranty;
class TStringAlignGrid;
class TSystem;
class TXPMenu;
struct TCellFormat;
struct TGameData;

// The worker's job: the set's guarantees one after another; OnStep hears on the worker how many are
// done after each.
struct TSGThread {
    TSetGuaranty *Set = nullptr;
    std::function<void(int Done)> OnStep;

    void Execute(const TMyThread &Thread) const;
};

class TfrmGuarSysShort : public TGenForm {
    Q_OBJECT

public:
    explicit TfrmGuarSysShort(QWidget *Owner = nullptr);
    ~TfrmGuarSysShort() override;

    // The set of the variants selected in AVariants, over a copy of ASystem of AGame, at APrecision
    // (1.0 exact). The caller then sets ParentWindow and WindowNo, calls Start and registers the window
    // as its dependent of kind cwGuarantee in state 2.
    void Init(TGameData *AGame, const TSystem &ASystem, double APrecision, std::unique_ptr<TAllGuars> AVariants);
    // Runs the computation in the worker.
    void Start();
    // Shows a computed set at once (one read from a guarantee file; it holds its own copy of its
    // system). The caller sets WindowNo (and ParentWindow for a dependent) first.
    void InitFromSet(TGameData *AGame, std::unique_ptr<TSetGuaranty> ASet);

    // A running computation is stopped: its results are never shown.
    void StopComputing();

    void ParentClosing() override;
    // The window's progress bars, from the worker's reports.
    void DoProgress(int Pos, int ProgressStep) override;

    TGameData *Game = nullptr;
    double Precision = 1.0;
    std::unique_ptr<TSetGuaranty> Set;
    int Count = 0;
    // The progress of the guarantees done, on the overall bar: 10000 per guarantee.
    int Step = 0;
    uint8_t State = 1;

    // One row of the details grid below its header.
    enum TRowKind : uint8_t { rkFirst = 1, rkOutcome = 2, rkSeparator = 3 };
    struct TRowMapEntry {
        uint16_t Guaranty = 0;
        uint8_t Kind = rkSeparator;
        uint32_t Outcome = 0;
    };
    std::vector<TRowMapEntry> RowMap;
    // The tables the last report took.
    bool ReportDetails = true;
    bool ReportSummary = false;

    // The progress panel.
    QWidget *Panel1;
    QLabel *lblGuartType;
    TALProgressBar *ProgressBar1;
    QLabel *lblProg1;
    QLabel *Label1;
    TALProgressBar *ProgressBar2;
    QLabel *lblProg2;
    // The results panel.
    QWidget *Panel4;
    QLabel *lblPrec;
    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    TStringAlignGrid *sgDetails;
    TStringAlignGrid *sgTotal;
    QMenu *pGuars;
    TXPMenu *XPMenu1; // the flat look of the pop-up menus

protected:
    bool HandleCommand(CommandEvent &Command) override;
    void FormActivate() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateControls();
    void FormShow() override;
    // The window tag and the system's description.
    void ShowCaption();
    void UpdateMenu();
    // After the worker: the results, or the failure.
    void GuarEnded(const TTaskEnd &End);
    void StepDone(int Done);
    void ShowResults();
    void SetupGrids();
    void BuildRowMap();
    void FillSummary();
    // The window as wide as the details grid's columns.
    void FitWidth();
    // The outcome a details row shows; nullptr for a separator or a guarantee without outcomes.
    const TGuarVector *DetailOutcome(int Row) const;
    // The details rows that hold the widest texts: each tier's most hits, the smallest probability and the
    // largest win (digits are of one width in the grids' fonts, and no figure is negative).
    std::vector<int> WidestDetailRows() const;
    void sgDetailsGetCellFormat(int Col, int Row, TCellFormat &Format) const;
    bool sgDetailsSortColumn(int SortKey, int Direction);
    void Save();
    // The spreadsheet report of the tables the user chooses (the details alone for a full system).
    void Report();

    int SavedHeight = 0;
    int Tiers = 0; // prize tiers: the grids' columns 1..Tiers
    TSortMan SortMan{1};
    std::unique_ptr<TResultGrid> Details;
    std::unique_ptr<TResultGrid> Total;
    TTaskRunner Runner; // declared last: stopped before the set it computes goes
};
