#include "statwindows/FStatGeneral.h"

#include "controls/RichView.h"
#include "engine/UGameMan.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalProgress.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalSystems.h"
#include "shell/FGlobalViewers.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMain.h"
#include "shell/FMainCommands.h"
#include "shell/ProgressPanel.h"
#include "shell/WindowWorkerRunner.h"
#include "statwindows/ClassTablePage.h"
#include "statwindows/PatternTablePage.h"
#include "syswindows/FSysGeneral.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QScopedValueRollback>

#include <utility>

namespace {

const QString ComputingText = QStringLiteral("Generowanie statystyki...");
const QString NoMemoryText =
    QStringLiteral("Generacja statystyki została przerwana z powodu niewystarczającej ilości pamięci.");

} // namespace

TGenStatForm::TGenStatForm(int StatIndex, QString CaptionText, bool Worker, int SortEntries, QWidget *Owner)
    : TGenForm(Owner), StatIndex(StatIndex), CaptionText(std::move(CaptionText)), HasWorker(Worker),
      SortMan(SortEntries), FStatRunner(std::make_unique<TWindowWorkerRunner>(FRunner))
{
    FRunner.OnProgress = [this](int Pos, int Step) { Panel1->ShowPos(Pos, Step); };
    FRunner.OnStatus = [this](const QString &Text) { Panel1->SetText(Text); };
    txtDateDesc = new TRichView(this);
    SetupSummaryViewer(txtDateDesc);
    Panel1 = new TProgressPanel(this);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint &Pos) {
        if (frmMain)
            frmMain->pStat1->popup(mapToGlobal(Pos));
    });
}

TGenStatForm::~TGenStatForm() = default;

void TGenStatForm::Init(bool AFromDraws, TGameData *AGame, TGenForm *AParentWindow, TSystem *ASystem)
{
    ChildKind = cwStat;
    FromDraws = AFromDraws;
    Game = AGame;
    ParentWindow = AParentWindow;
    System = ASystem;
    WindowNo = FromDraws || !AParentWindow ? NextWindowNumber() : AParentWindow->WindowNo;
    setWindowTitle(WindowTag(*Game, WindowNo) + CaptionText);
    SetupControls();
    if (FromDraws)
        Range.Attach(Game, txtDateDesc);
    else
        ShowSystemDescription(*System, txtDateDesc);
    Stat = CreateStat();
    if (HasWorker)
        Stat->Runner = FStatRunner.get();
    ReadParams();
    UpdateMenu();
}

QHBoxLayout *TGenStatForm::NewRangeLine(QLabel *Caption)
{
    auto *line = new QHBoxLayout;
    if (Caption)
        line->addWidget(Caption);
    line->addWidget(txtDateDesc, 1);
    return line;
}

void TGenStatForm::UpdateMenu()
{
    // The commands are the active window's: a window computing behind it leaves them alone.
    if (!IsActiveChild())
        return;
    EnableCommands(cmdAll, false);
    const bool computing = HasWorker && State == 2;
    EnableCommands(cmdRead | (computing ? cmdStop : cmdStart) | (!computing && Reportable() ? cmdReport : 0), true);
    if ((FromDraws && Range.Empty()) || !CanStart())
        EnableCommands(cmdStart, false);
}

void TGenStatForm::Compute()
{
    if (!Stat || (HasWorker && State == 2) || !CanStart())
        return;
    if (HasWorker)
        State = 1;
    else
        NoResults = true;
    ClearResults();
    if ((FromDraws && Range.Empty()) || !CheckCompute()) {
        UpdateMenu();
        return;
    }
    if (!HasWorker) {
        SetStatusText(ComputingText);
        LoadData();
        Calculate();
        // The tables are built from the results as they are shown.
        NoResults = false;
        NoResults = !ShowResults();
        ProgressClear();
        SetStatusText(QString());
        UpdateMenu();
        return;
    }
    PrepareCompute();
    State = 2;
    Panel1->Begin(ComputingText, 1);
    UpdateMenu();
    try {
        LoadData();
        if (!StartStat())
            StatFinished();
    } catch (...) {
        EndComputing();
        throw;
    }
}

void TGenStatForm::LoadData()
{
    if (FromDraws)
        Stat->LoadDraws(Range.Range, *Game->DrawsMan, LoadDirection());
    else
        Stat->LoadSystem();
}

void TGenStatForm::StatFinished()
{
    // A stopped run has been dealt with already.
    if (State != 2)
        return;
    EndComputing();
    if (Stat->State == ssComputed && ShowWorkerResults())
        State = 0;
    UpdateMenu();
    if (Stat->State == ssNoMemory)
        MsgBox(NoMemoryText, QString(), MsgFlagsNotice);
    else if (Stat->State == ssFailed)
        MsgBox(QString::fromStdString(Stat->FailureText), QString(), MsgFlagsNotice);
}

bool TGenStatForm::ShowWorkerResults()
{
    const QScopedValueRollback<bool> showing(FShowingResults, true);
    return ShowResults();
}

void TGenStatForm::EndComputing()
{
    Panel1->End();
    State = 1;
    UpdateMenu();
}

void TGenStatForm::StopComputing()
{
    if (!HasWorker || State != 2)
        return;
    EndComputing();
    if (Stat)
        Stat->StopWorker();
    ResultsStopped();
}

std::unique_ptr<TResultGrid> TGenStatForm::BindResultGrid(TStringAlignGrid *Grid, int SortIndex,
                                                          TResultGrid::TCellProc Cell,
                                                          TResultGrid::TSortProc Sort,
                                                          std::function<bool()> Shown)
{
    if (!Shown)
        Shown = [this] { return HasResults(); };
    return ::BindResultGrid(Grid, SortMan, SortIndex, std::move(Shown), std::move(Cell), std::move(Sort));
}

void TGenStatForm::SortInWorker(std::function<void(const TMyThread &Thread)> Sort, std::function<void()> Sorted)
{
    if (!HasWorker || State != 0)
        return;
    State = 2;
    Panel1->Begin(ComputingText, 1);
    UpdateMenu();
    FStatRunner->Run(
        [Sort = std::move(Sort)](TMyThread &Thread) {
            try {
                Sort(Thread);
            } catch (const EStatStopped &) {
                // The stop is the window's to show.
            }
        },
        [this, Sorted = std::move(Sorted)] {
            Guarded([this, &Sorted] {
                if (State != 2)
                    return;
                EndComputing();
                State = 0;
                Sorted();
                UpdateMenu();
            });
        });
}

TProgressProc TGenStatForm::StatProgressHandler()
{
    // The statistics without a worker report on the GUI thread, to the main status bar.
    if (!HasWorker)
        return [](int32_t Pos, int32_t Step) { ProgressShow(Pos, Step); };
    return FRunner.LatestProgressHandler();
}

TStat::TStatusProc TGenStatForm::StatStatusHandler()
{
    return FRunner.StatusHandler();
}

TTaskRunner::TReportProc TGenStatForm::StatReportHandler() const
{
    return FRunner.ReportHandler();
}

TStat::TFinishedProc TGenStatForm::StatFinishedHandler()
{
    return [this] { Guarded([this] { StatFinished(); }); };
}

bool TGenStatForm::HandleCommand(CommandEvent &Command)
{
    const QEvent::Type code = Command.type();
    if (code == WM_TASK_START) {
        Compute();
    } else if (code == WM_TASK_STOP) {
        StopComputing();
    } else if (code == WM_DRAWS_RANGE) {
        if (!FromDraws)
            return false;
        if (Range.Edit(this))
            RangeEdited();
    } else if (const std::optional<int> gameId = ChangedDrawsGame(Command)) {
        if (FromDraws && Range.DrawsChanged(*gameId))
            UpdateMenu();
    } else if (code == WM_SYS_REPORT) {
        if (!(HasWorker && State == 2) && Reportable())
            Report();
    } else {
        return false;
    }
    return true;
}

void TGenStatForm::FormActivate()
{
    UpdateMenu();
}

void TGenStatForm::FormShow()
{
    if (!Game && Games.CurrentGame())
        Init(true, Games.CurrentGame(), nullptr, nullptr);
    CenterChildForm(this);
}

void TGenStatForm::FormDestroy()
{
    if (FDestroyed)
        return;
    FDestroyed = true;
    StopComputing();
    if (IsActiveChild())
        FormDeactivate();
    if (Game)
        WriteParams();
}

void TGenStatForm::FreeStat()
{
    FormDestroy();
    NoResults = true;
    for (const std::function<void()> &release : FSourceReleases)
        release();
    Stat.reset();
}

TClassTablePage *TGenStatForm::NewClassPage(TClassTableLayout Layout)
{
    auto *page = new TClassTablePage(
        this, SortMan, std::move(Layout), [this] { return PagesReadResults(); },
        [this](TClassTablePage::TSortWork Sort, std::function<void()> Sorted) {
            if (!HasWorker) {
                Sort(nullptr);
                Sorted();
                return;
            }
            SortInWorker([Sort = std::move(Sort)](const TMyThread &Thread) { Sort(&Thread); }, std::move(Sorted));
        });
    FSourceReleases.emplace_back([page] { page->SetSource(nullptr); });
    return page;
}

TPatternTablePage *TGenStatForm::NewPatternPage(int DetailsEntry, int GroupsEntry)
{
    auto *page =
        new TPatternTablePage(this, SortMan, DetailsEntry, GroupsEntry, [this] { return PagesReadResults(); });
    FSourceReleases.emplace_back([page] { page->SetSource(nullptr); });
    return page;
}

void TGenStatForm::closeEvent(QCloseEvent *event)
{
    Guarded([this] { FormDestroy(); });
    event->accept();
}
