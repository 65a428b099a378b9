#include "syswindows/FSysFull.h"

#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "engine/USysFull.h"
#include "platform/gui/HelpContext.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "syswindows/FParSysFull.h"
#include "syswindows/FSysGeneralLayout.h"

#include <QPushButton>
#include <QRadioButton>

#include <memory>
#include <utility>

TfrmSysFull::TfrmSysFull(QWidget *Owner) : TGenSysForm(Owner)
{
    platform::setHelpContext(this, 305);
    BuildKindLayout(skFull);
}

void TfrmSysFull::BindSystem(TSystem *NewSystem)
{
    SysFull = dynamic_cast<TSysFull *>(NewSystem);
}

void TfrmSysFull::ReadParams()
{
    N = uint8_t(System->N);
    K = uint8_t(System->K);
    Count = Newton[N][K];
}

void TfrmSysFull::UpdateMenu()
{
    TGenSysForm::UpdateMenu();
    if (SysFull && SysFull->TooMany)
        rbViewAll->setEnabled(false);
    EnableKindCommands(State == 2 ? cmdKey | cmdFilter : 0);
}

bool TfrmSysFull::HandleCommand(CommandEvent &Command)
{
    const QEvent::Type code = Command.type();
    if (code == WM_SYS_PARAMS)
        SetParams();
    else if (code == WM_SYS_GUARANTEE)
        ShowGuarantee(0);
    else
        return TGenSysForm::HandleCommand(Command);
    return true;
}

void TfrmSysFull::SetParams()
{
    if (!SysFull || Generating())
        return;
    TfrmParSysFull dialog(this);
    dialog.Init(Game, System->Kind, State == 1, N, K);
    if (platform::execModal(dialog) != 1)
        return;
    auto next = std::make_unique<TSysFull>(Game);
    next->SetParams(dialog.N, dialog.K);
    if (!next->TooMany) {
        StartGeneration(std::move(next), [](TSystem &NewSystem, const TMyThread &) {
            return static_cast<TSysFull &>(NewSystem).Generate();
        });
        return;
    }
    TakeSystem(std::move(next));
    ReadParams();
    FitWidth();
    ShowUnlisted();
}

void TfrmSysFull::ShowUnlisted()
{
    State = 2;
    btnFltDel->setEnabled(false);
    RefreshAll();
}

bool TfrmSysFull::StateTakesKey() const
{
    return State == 0 || State == 2;
}

void TfrmSysFull::SystemChanged(const TDynByteArr &NewKey)
{
    if (SysFull->TooMany) {
        // What an earlier filter kept was taken through the old key.
        CloseSystemDependents();
        State = 2;
        rbViewFlt->setEnabled(false);
        System->ClearCombs();
    }
    TGenSysForm::SystemChanged(NewKey);
}

void TfrmSysFull::btnFltDelClick()
{
    if (!SysFull->TooMany) {
        TGenSysForm::btnFltDelClick();
        return;
    }
    CloseSystemDependents();
    System->FreeFilter();
    System->ClearCombs();
    ShowUnlisted();
}
