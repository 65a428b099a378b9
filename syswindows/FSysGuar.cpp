#include "syswindows/FSysGuar.h"

#include "controls/StringAlignGrid.h"
#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"
#include "engine/USysGuar.h"
#include "platform/gui/HelpContext.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "shell/ProgressPanel.h"
#include "syswindows/FParSysGuar.h"
#include "syswindows/FSysGeneralLayout.h"
#include "syswindows/SysFormats.h"

#include <QCloseEvent>
#include <QLayout>
#include <QPushButton>

namespace {

// Rows of the info grid.
enum TGuarRow : int {
    grK = 1,
    grN,
    grG,
    grH,
    grEstimate,
    grCount,
    grAll,
    grReduction,
    grStake,
    grCost,
};

} // namespace

TfrmSysGuar::TfrmSysGuar(QWidget *Owner) : TGenSysForm(Owner)
{
    platform::setHelpContext(this, 308);
    BuildKindLayout(skGuar, {QStringLiteral("Liczba skreśleń"), QStringLiteral("Ilość liczb"), QStringLiteral("Gwarancja"),
                             QStringLiteral("Liczb trafień"), QStringLiteral("Szac. liczba kombinacji"),
                             QStringLiteral("Liczba kombinacji"), QStringLiteral("Wszystkich kombinacji"),
                             QStringLiteral("Szac. skrócenie"), QStringLiteral("Koszt 1 kombinacji"),
                             QStringLiteral("Koszt systemu")});
    Panel1 = new TProgressPanel(this);
    layout()->addWidget(Panel1);
}

void TfrmSysGuar::BindSystem(TSystem *NewSystem)
{
    SysGuar = dynamic_cast<TSysGuar *>(NewSystem);
    if (!SysGuar)
        return;
    SysGuar->Runner = &FSearchRunner;
    SysGuar->OnFinished = [this](TSysGuar &) { Guarded([this] { SearchFinished(); }); };
}

void TfrmSysGuar::ReadParams()
{
    N = uint8_t(SysGuar->N);
    K = uint8_t(SysGuar->K);
    G = uint8_t(SysGuar->G);
    H = uint8_t(SysGuar->H);
    CanStart = true;
}

void TfrmSysGuar::ShowInfo()
{
    sgStat->ClearCells(grK, 1, grCost, 1);
    if (State != 0)
        return;
    const int64_t all = Newton[N][K];
    const int64_t estimate = GuarMinCombs(N, K, G, H);
    sgStat->setCells(1, grK, QString::number(K));
    sgStat->setCells(1, grN, QString::number(N));
    sgStat->setCells(1, grG, QString::number(G));
    sgStat->setCells(1, grH, QString::number(H));
    sgStat->setCells(1, grEstimate, CountText(estimate));
    sgStat->setCells(1, grCount, CountText(ViewCount()));
    sgStat->setCells(1, grAll, CountText(all));
    sgStat->setCells(1, grReduction, ReductionText(double(estimate) / double(all)));
    sgStat->setCells(1, grStake, MoneyText(Game->Info.BasicStake));
    sgStat->setCells(1, grCost, CostText(SystemCost(Game->Info, K, ViewCount())));
    FitInfoValues();
}

void TfrmSysGuar::UpdateMenu()
{
    if (State == Searching) {
        EnableCommands(cmdAll, false);
        EnableCommands(cmdRead | cmdStop, true);
        return;
    }
    TGenSysForm::UpdateMenu();
    if (KeyDialogOpen() || Generating() || GuaranteeRunning())
        return;
    EnableCommands(cmdParams, true);
    if (CanStart)
        EnableCommands(cmdStart, true);
}

void TfrmSysGuar::DoProgress(int Pos, int Step)
{
    if (State == Searching)
        Panel1->ShowPos(Pos, Step);
}

bool TfrmSysGuar::HandleCommand(CommandEvent &Command)
{
    const QEvent::Type code = Command.type();
    if (State == Searching) {
        // The worker writes the system: nothing but Stop reaches it meanwhile.
        if (code == WM_TASK_STOP)
            StopSearch();
        return true;
    }
    if (code == WM_SYS_PARAMS)
        SetParams();
    else if (code == WM_TASK_START)
        StartSearch();
    else if (code == WM_SYS_GUARANTEE)
        ShowGuarantee(0);
    else
        return TGenSysForm::HandleCommand(Command);
    return true;
}

void TfrmSysGuar::SetParams()
{
    if (!SysGuar || Generating() || KeyDialogOpen())
        return;
    TfrmParSysGuar dialog(this);
    dialog.Init(Game, System->Kind, State == 1, N, K, G, H);
    if (platform::execModal(dialog) != 1)
        return;
    CanStart = true;
    N = uint8_t(dialog.N);
    K = uint8_t(dialog.K);
    G = uint8_t(dialog.G);
    H = uint8_t(dialog.H);
    StartSearch();
}

void TfrmSysGuar::StartSearch()
{
    if (!SysGuar || !CanStart || Generating() || KeyDialogOpen())
        return;
    // The check, statistics and guarantee windows read the system the search rewrites.
    CloseChildWindows(cwNone);
    if (!SysGuar->SetParams(N, K, G, H))
        return;
    State = Searching;
    btnFltDel->setEnabled(false);
    RefreshAll();
    Panel1->Begin(QStringLiteral("Generowanie systemu..."), 0);
    try {
        SysGuar->Start();
    } catch (...) {
        EndSearch(1);
        throw;
    }
}

void TfrmSysGuar::StopSearch()
{
    if (State != Searching)
        return;
    SysGuar->StopWorker();
    EndSearch(1);
}

void TfrmSysGuar::SearchFinished()
{
    const bool found = SysGuar->State == 0;
    if (found)
        FitWidth();
    EndSearch(found ? 0 : 1);
    ReturnCommandsToActive();
    if (!found)
        MsgBox(QString::fromStdString(SysGuar->FailureText.empty() ? "Nie udało się wygenerować systemu."
                                                                   : SysGuar->FailureText),
               QString(), MsgFlagsNotice);
}

void TfrmSysGuar::EndSearch(uint8_t NewState)
{
    Panel1->End();
    State = NewState;
    RefreshAll();
}

void TfrmSysGuar::closeEvent(QCloseEvent *event)
{
    StopSearch();
    TGenSysForm::closeEvent(event);
}
