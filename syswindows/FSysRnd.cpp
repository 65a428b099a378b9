#include "syswindows/FSysRnd.h"

#include "core/UGlobalThreads.h"
#include "engine/USysRnd.h"
#include "platform/gui/HelpContext.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "syswindows/FParSysRnd.h"
#include "syswindows/FSysGeneralLayout.h"

#include <memory>
#include <utility>

TfrmSysRnd::TfrmSysRnd(QWidget *Owner) : TGenSysForm(Owner)
{
    platform::setHelpContext(this, 304);
    BuildKindLayout(skRnd);
}

void TfrmSysRnd::BindSystem(TSystem *NewSystem)
{
    SysRnd = dynamic_cast<TSysRnd *>(NewSystem);
}

void TfrmSysRnd::ReadParams()
{
    N = uint8_t(System->N);
    K = uint8_t(System->K);
    Count = System->GetCount();
}

void TfrmSysRnd::UpdateMenu()
{
    TGenSysForm::UpdateMenu();
    EnableKindCommands(State != 1 ? cmdStart : 0);
}

bool TfrmSysRnd::HandleCommand(CommandEvent &Command)
{
    const QEvent::Type code = Command.type();
    if (code == WM_SYS_PARAMS)
        SetParams();
    else if (code == WM_TASK_START && State != 1 && !Generating())
        Generate(N, K, Count);
    else if (code == WM_SYS_GUARANTEE)
        ShowGuarantee(0);
    else
        return TGenSysForm::HandleCommand(Command);
    return true;
}

void TfrmSysRnd::SetParams()
{
    if (!SysRnd || Generating())
        return;
    TfrmParSysRnd dialog(this);
    dialog.Init(Game, System->Kind, State == 1, N, K, int(Count));
    if (platform::execModal(dialog) != 1)
        return;
    Generate(dialog.N, dialog.K, dialog.Count);
}

void TfrmSysRnd::Generate(int NewN, int NewK, int64_t NewCount)
{
    auto next = std::make_unique<TSysRnd>(Game);
    next->SetParams(NewN, NewK, int32_t(NewCount));
    StartGeneration(std::move(next), [](TSystem &NewSystem, const TMyThread &Thread) {
        return static_cast<TSysRnd &>(NewSystem).Generate(&Thread);
    });
}
