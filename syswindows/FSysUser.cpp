#include "syswindows/FSysUser.h"

#include "engine/USysUser.h"
#include "shell/FMainCommands.h"
#include "syswindows/FSysGeneralLayout.h"

TfrmSysUser::TfrmSysUser(QWidget *Owner) : TGenSysForm(Owner)
{
    BuildKindLayout(skUser);
}

void TfrmSysUser::BindSystem(TSystem *NewSystem)
{
    SysUser = dynamic_cast<TSysUser *>(NewSystem);
}

void TfrmSysUser::ReadParams()
{
    N = uint8_t(System->N);
    K = uint8_t(System->K);
    Count = System->GetCount();
}

bool TfrmSysUser::HandleCommand(CommandEvent &Command)
{
    if (Command.type() != WM_SYS_GUARANTEE)
        return TGenSysForm::HandleCommand(Command);
    ShowGuarantee(0);
    return true;
}
