#include "syswindows/FSysFullComp.h"

#include "controls/StringAlignGrid.h"
#include "core/UGlobalThreads.h"
#include "engine/USysFullComp.h"
#include "engine/USysFullCompGuaranty.h"
#include "platform/gui/HelpContext.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalProgress.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "syswindows/FGuarSysFull.h"
#include "syswindows/FParSysFullComp.h"
#include "syswindows/FSysGeneralLayout.h"

#include <QRadioButton>

#include <memory>
#include <utility>

namespace {

// Rows of the info grid above the system's own.
enum TPartRow : int {
    prFirst = 1,
    prSecond,
    prSystem,
};

// A part's K and N.
QString PartText(int K, int N)
{
    return QStringLiteral("%1/%2").arg(K).arg(N);
}

// A sum with its two terms: "5(3+2)".
QString SumText(int First, int Second)
{
    return QStringLiteral("%1(%2+%3)").arg(First + Second).arg(First).arg(Second);
}

} // namespace

TfrmSysFullComp::TfrmSysFullComp(QWidget *Owner) : TGenSysForm(Owner)
{
    platform::setHelpContext(this, 306);
    BuildKindLayout(skFullComp,
                    {QStringLiteral("Podsystem 1"), QStringLiteral("Podsystem 2"), QStringLiteral("System"),
                     QStringLiteral("   Liczba skreśleń"), QStringLiteral("   Ilość liczb"),
                     QStringLiteral("   Liczba kombinacji"), QStringLiteral("   Wszystkich kombinacji"),
                     QStringLiteral("   Skrócenie"), QStringLiteral("   Koszt 1 kombinacji"),
                     QStringLiteral("  Koszt systemu")});
    sgStat->FontCell(0, prSystem).Style = fsBold;
}

void TfrmSysFullComp::BindSystem(TSystem *NewSystem)
{
    SysFullComp = dynamic_cast<TSysFullComp *>(NewSystem);
}

void TfrmSysFullComp::ReadParams()
{
    N1 = SysFullComp->GroupA;
    K1 = SysFullComp->PickA;
    N2 = SysFullComp->GroupB;
    K2 = SysFullComp->PickB;
    N = uint8_t(System->N);
    K = uint8_t(System->K);
}

void TfrmSysFullComp::UpdateMenu()
{
    TGenSysForm::UpdateMenu();
    EnableKindCommands(0);
}

void TfrmSysFullComp::ShowInfo()
{
    if (State == 1)
        return;
    ShowInfoRows(prSystem);
    sgStat->setCells(1, prFirst, PartText(K1, N1));
    sgStat->setCells(1, prSecond, PartText(K2, N2));
    sgStat->setCells(1, prSystem + 1, SumText(K1, K2));
    sgStat->setCells(1, prSystem + 2, SumText(N1, N2));
    FitInfoValues();
}

bool TfrmSysFullComp::HandleCommand(CommandEvent &Command)
{
    const QEvent::Type code = Command.type();
    if (code == WM_SYS_PARAMS)
        SetParams();
    else if (code == WM_SYS_GUARANTEE)
        ShowCompositeGuarantee();
    else
        return TGenSysForm::HandleCommand(Command);
    return true;
}

void TfrmSysFullComp::SetParams()
{
    if (!SysFullComp || Generating())
        return;
    TfrmParSysFullComp dialog(this);
    dialog.Init(Game, System->Kind, State == 1, N1, K1, N2, K2);
    if (platform::execModal(dialog) != 1)
        return;
    auto next = std::make_unique<TSysFullComp>(Game);
    next->SetParams(dialog.N, dialog.K, dialog.K2, dialog.N2);
    StartGeneration(std::move(next), [](TSystem &NewSystem, const TMyThread &) {
        return static_cast<TSysFullComp &>(NewSystem).Generate();
    });
}

void TfrmSysFullComp::ShowCompositeGuarantee()
{
    if (State != 0 || ViewCount() == 0 || Generating())
        return;
    if (!SysFullComp->IsIntact()) {
        ShowGuarantee(0);
        return;
    }
    rbViewAll->setEnabled(false);
    rbViewFlt->setEnabled(false);
    SetStatusText(QStringLiteral("Obliczanie gwarancji..."));
    TFCSGuaranty guarantee(Game, ProgressHandler(), N1, K1, N2, K2);
    if (!guarantee.Calculate())
        guarantee.Rows.clear();
    ProgressClear();
    SetStatusText(QString());
    auto *window = new TfrmGuarSysFull;
    window->ParentWindow = this;
    AddChildWindow(window, 0);
    AddChildForm(window);
    window->Init(*Game, WindowNo, System->GetDescription(true), guarantee);
}
