#include "syswindows/FSysUser.h"

#include "engine/USysGeneral.h"
#include "platform/gui/HelpContext.h"
#include "shell/FMainCommands.h"
#include "syswindows/FSysGeneralLayout.h"

TfrmSysUser::TfrmSysUser(QWidget *Owner) : TGenSysForm(Owner)
{
    platform::setHelpContext(this, 301);
    BuildKindLayout(skUser);
}

void TfrmSysUser::BindSystem(TSystem *) {}

void TfrmSysUser::ReadParams()
{
    N = uint8_t(System->N);
    K = uint8_t(System->K);
}

bool TfrmSysUser::HandleCommand(CommandEvent &Command)
{
    if (Command.type() != WM_SYS_GUARANTEE)
        return TGenSysForm::HandleCommand(Command);
    ShowGuarantee(0);
    return true;
}
