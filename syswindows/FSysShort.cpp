#include "syswindows/FSysShort.h"

#include "controls/StringAlignGrid.h"
#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"
#include "engine/USysShort.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "syswindows/FParSysShort.h"
#include "syswindows/FSysGeneralLayout.h"
#include "syswindows/SysFormats.h"

#include <memory>
#include <utility>

namespace {

// Rows of the info grid.
enum TInfoRow : int {
    irK = 1,
    irN,
    irCount,
    irAll,
    irReduction,
    irStake,
    irCost,
};

} // namespace

TfrmSysShort::TfrmSysShort(QWidget *Owner) : TGenSysForm(Owner)
{
    const TSysWindowLayout layout = BuildSysWindowLayout(
        this, {QStringLiteral("Liczba skreśleń"), QStringLiteral("Ilość liczb"), QStringLiteral("Liczba kombinacji"),
               QStringLiteral("Wszystkich kombinacji"), QStringLiteral("Skrócenie"), QStringLiteral("Koszt 1 kombinacji"),
               QStringLiteral("Koszt systemu")});
    PageControl1 = layout.PageControl1;
    TabSheet1 = layout.TabSheet1;
    TabSheet2 = layout.TabSheet2;
    GroupBox1 = layout.GroupBox1;
    BindLayout(layout);
    sgStat->FontCell(0, irCost).Color = clNavy;
    sgStat->FontCell(1, irCost).Color = clNavy;
    SysKind = skShort;
    State = 1;
    WindowNo = NextWindowNumber();
    resize(ScaledSize(520, 420));
}

TfrmSysShort::~TfrmSysShort() = default;

void TfrmSysShort::BindSystem(TSystem *NewSystem)
{
    SysShort = dynamic_cast<TSysShort *>(NewSystem);
}

void TfrmSysShort::ReadParams()
{
    N = uint8_t(System->N);
    K = uint8_t(System->K);
    Count = int32_t(System->GetCount());
}

void TfrmSysShort::UpdateCaption()
{
    const QString tag = WindowTag(*Game, WindowNo) + QStringLiteral("> ");
    setWindowTitle(tag + QString::fromStdString(State == 1 ? System->GetName(true) : System->GetDescription(true)));
}

void TfrmSysShort::ShowInfo()
{
    if (State != 0)
        return;
    sgStat->ClearCells(irK, 1, irCost, 1);
    const int64_t all = Newton[N][K];
    sgStat->setCells(1, irK, QString::number(K));
    sgStat->setCells(1, irN, QString::number(N));
    sgStat->setCells(1, irCount, CountText(ViewCount()));
    sgStat->setCells(1, irAll, CountText(all));
    if (const int64_t distinct = System->CountDistinct(); distinct > 0) {
        sgStat->setCells(1, irReduction, ReductionText(double(distinct) / double(all)));
        sgStat->setCells(1, irCost, CostText(SystemCost(Game->Info, K, ViewCount())));
    }
    sgStat->setCells(1, irStake, MoneyText(Game->Info.BasicStake));
    SetColWidth(sgStat, 1, SysStatValueWidth, ColTexts(sgStat, 1));
    FitGridWidth(sgStat);
}

void TfrmSysShort::UpdateMenu()
{
    TGenSysForm::UpdateMenu();
    if (KeyDialogOpen() || Generating() || GuaranteeRunning())
        return;
    EnableCommands(cmdParams, true);
    if (State != 1 && SysShort->RandomTies)
        EnableCommands(cmdStart, true);
}

bool TfrmSysShort::HandleCommand(CommandEvent &Command)
{
    const QEvent::Type code = Command.type();
    if (code == WM_SYS_PARAMS)
        SetParams();
    else if (code == WM_TASK_START)
        GenerateAgain();
    else if (code == WM_SYS_GUARANTEE)
        ShowGuarantee(0);
    else
        return TGenSysForm::HandleCommand(Command);
    return true;
}

void TfrmSysShort::SetParams()
{
    if (!SysShort || Generating())
        return;
    TfrmParSysShort dialog(this);
    dialog.Init(Game, N, State == 1, SysShort->RandomTies, System->Kind, Count, K);
    if (platform::execModal(dialog) != 1)
        return;
    Generate(dialog.N, dialog.K, dialog.Count, dialog.Random);
}

void TfrmSysShort::GenerateAgain()
{
    if (State != 0 || Generating())
        return;
    Generate(N, K, Count, SysShort->RandomTies);
}

void TfrmSysShort::Generate(int NewN, int NewK, int32_t NewCount, bool Random)
{
    std::unique_ptr<TSystem> created = CreateSystem(System->Kind, Game);
    auto *next = dynamic_cast<TSysShort *>(created.get());
    if (!next)
        return;
    next->SetParams(NewN, NewK, NewCount);
    next->RandomTies = Random;
    std::function<bool(TSysShort &, const TMyThread &)> generate = Generator;
    if (!generate)
        generate = [](TSysShort &NewSystem, const TMyThread &Thread) { return NewSystem.Generate(true, &Thread); };
    StartGeneration(std::move(created), [generate](TSystem &NewSystem, const TMyThread &Thread) {
        return generate(static_cast<TSysShort &>(NewSystem), Thread);
    });
}
