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
#include "syswindows/FSysGeneral.h"

#include <QCloseEvent>
#include <QMenu>
#include <QPointer>

#include <utility>

namespace {

const QString ComputingText = QStringLiteral("Generowanie statystyki...");
const QString NoMemoryText =
    QStringLiteral("Generacja statystyki została przerwana z powodu niewystarczającej ilości pamięci.");

} // namespace

TGenStatForm::TGenStatForm(int StatIndex, QString CaptionText, bool Worker, int SortEntries, QWidget *Owner)
    : TGenForm(Owner), StatIndex(StatIndex), CaptionText(std::move(CaptionText)), HasWorker(Worker),
      SortMan(SortEntries)
{
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
    ReadParams();
    UpdateMenu();
}

void TGenStatForm::UpdateMenu()
{
    // The commands are the active window's: a window computing behind it leaves them alone.
    if (!IsActiveChild())
        return;
    EnableCommands(cmdAll, false);
    if (HasWorker) {
        static constexpr int StateCommands[] = {cmdRead | cmdReport | cmdStart, cmdRead | cmdStart, cmdRead | cmdStop};
        EnableCommands(StateCommands[State], true);
    } else {
        EnableCommands(cmdRead | cmdStart | (NoResults ? 0 : cmdReport), true);
    }
    if (FromDraws && Range.Empty())
        EnableCommands(cmdStart, false);
}

void TGenStatForm::Compute()
{
    if (!Stat || (HasWorker && State == 2))
        return;
    if (HasWorker)
        State = 1;
    else
        NoResults = true;
    ClearResults();
    if (FromDraws && Range.Empty()) {
        UpdateMenu();
        return;
    }
    ++FRun;
    if (HasWorker) {
        PrepareCompute();
        State = 2;
        Panel1->Begin(ComputingText, 1);
        UpdateMenu();
    }
    // What was waiting in the event loop goes first; a Stop or a close meanwhile cancels the run.
    const uint32_t run = FRun;
    QMetaObject::invokeMethod(
        this,
        [this, run] {
            if (run == FRun && !FDestroyed && (!HasWorker || State == 2))
                Guarded([this] { ComputeLoaded(); });
        },
        Qt::QueuedConnection);
}

void TGenStatForm::LoadData()
{
    if (FromDraws)
        Stat->LoadDraws(Range.Range, *Game->DrawsMan, LoadDirection());
    else
        Stat->LoadSystem();
}

void TGenStatForm::ComputeLoaded()
{
    if (!HasWorker) {
        SetStatusText(ComputingText);
        LoadData();
        Calculate();
        NoResults = !ShowResults();
        ProgressClear();
        SetStatusText(QString());
        UpdateMenu();
        return;
    }
    try {
        LoadData();
        if (!StartStat())
            StatFinished();
    } catch (...) {
        EndComputing();
        throw;
    }
}

void TGenStatForm::StatFinished()
{
    // A stopped run has been dealt with already.
    if (State != 2)
        return;
    EndComputing();
    if (Stat->State == ssComputed && ShowResults())
        State = 0;
    UpdateMenu();
    if (Stat->State == ssNoMemory)
        MsgBox(NoMemoryText, QString(), MsgFlagsNotice);
    else if (Stat->State == ssFailed)
        MsgBox(QString::fromStdString(Stat->FailureText), QString(), MsgFlagsNotice);
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
}

TProgressProc TGenStatForm::StatProgressHandler()
{
    return [this, window = QPointer<TGenStatForm>(this)](int32_t Pos, int32_t Step) {
        const uint32_t run = FRun;
        RunOnGuiThread([window, run, Pos, Step] {
            if (!window || window->FRun != run)
                return;
            if (!window->HasWorker)
                ProgressShow(Pos, Step);
            else if (window->State == 2)
                window->Panel1->ShowPos(Pos, Step);
        });
    };
}

TStat::TStatusProc TGenStatForm::StatStatusHandler()
{
    return [this, window = QPointer<TGenStatForm>(this)](const std::string &Text) {
        const uint32_t run = FRun;
        RunOnGuiThread([window, run, Text = QString::fromStdString(Text)] {
            if (window && window->FRun == run && window->State == 2)
                window->Panel1->SetText(Text);
        });
    };
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
        Range.Edit(this);
    } else if (code == WM_DRAWS_CHANGED) {
        if (FromDraws && Range.DrawsChanged(Command.LParam))
            UpdateMenu();
    } else if (code == WM_SYS_REPORT) {
        if (HasResults())
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

void TGenStatForm::closeEvent(QCloseEvent *event)
{
    Guarded([this] { FormDestroy(); });
    event->accept();
}
