#include "syswindows/FSysShort.h"

#include "core/UGlobalThreads.h"
#include "engine/USysShort.h"
#include "platform/gui/HelpContext.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "syswindows/FParSysShort.h"
#include "syswindows/FSysGeneralLayout.h"

#include <memory>
#include <utility>

TfrmSysShort::TfrmSysShort(QWidget *Owner) : TGenSysForm(Owner)
{
    platform::setHelpContext(this, 302);
    BuildKindLayout(skShort);
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

void TfrmSysShort::UpdateMenu()
{
    TGenSysForm::UpdateMenu();
    EnableKindCommands(State != 1 && SysShort->RandomTies ? cmdStart : 0);
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
    StartGeneration(std::move(created), [](TSystem &NewSystem, const TMyThread &Thread) {
        return static_cast<TSysShort &>(NewSystem).Generate(true, &Thread);
    });
}
