#include "syswindows/FSysWindows.h"

#include "engine/UFilters.h"
#include "engine/USysGeneral.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalFilters.h"
#include "shell/FGlobalSystems.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMain.h"
#include "shell/WindowOpeners.h"
#include "syswindows/FCheckComb.h"
#include "syswindows/FFilter.h"
#include "syswindows/FHistory.h"
#include "syswindows/FImportSys.h"
#include "syswindows/FOperSys.h"
#include "syswindows/FReadFile.h"
#include "syswindows/FSysFull.h"
#include "syswindows/FSysFullComp.h"
#include "syswindows/FSysGuar.h"
#include "syswindows/FSysRnd.h"
#include "syswindows/FSysShort.h"
#include "syswindows/FSysStage.h"
#include "syswindows/FSysUser.h"
#include "syswindows/FSysVar.h"

TGenSysForm *NewSysWindow(int Kind)
{
    TGenSysForm *window = nullptr;
    switch (Kind) {
    case 0:
        window = new TfrmSysShort;
        break;
    case 1:
        window = new TfrmSysVar;
        break;
    case 2:
        window = new TfrmSysFull;
        break;
    case 4:
        window = new TfrmSysRnd;
        break;
    case 3:
        window = new TfrmSysFullComp;
        break;
    case 5:
        window = new TfrmSysUser;
        break;
    case 6:
        window = new TfrmSysStage;
        break;
    case 7:
        window = new TfrmSysGuar;
        break;
    default:
        return nullptr;
    }
    AddChildForm(window);
    return window;
}

bool OpenSystemFile(TGameData *Game, int Kind, const std::string &FileName)
{
    std::unique_ptr<TSystem> system = CreateSystem(Kind, Game);
    if (!system || !system->LoadFromFile(FileName))
        return false;
    TGenSysForm *window = NewSysWindow(Kind);
    if (!window)
        return false;
    window->OpenSystem(Game, std::move(system));
    return true;
}

int CountSystemWindows()
{
    if (!frmMain)
        return 0;
    int count = 0;
    for (QWidget *form : frmMain->ChildForms())
        if (const auto *window = qobject_cast<const TGenSysForm *>(form); window && window->State == 0)
            ++count;
    return count;
}

void InstallSystemWindows(TWindowOpeners &Openers)
{
    Openers.SysWindow = [](int Kind, TGameData *Game) {
        if (TGenSysForm *window = NewSysWindow(Kind))
            window->SetGame(Game);
    };
    Openers.ImportSystem = ImportUserSystem;
    Openers.ReadWindow = OpenReadWindowDialog;
    Openers.HistoryWindow = OpenHistoryDialog;
    Openers.CheckComb = OpenCheckCombWindow;
    Openers.LogicalOps = OpenOperSysDialog;
    Openers.DrawsFilter = [](QWidget *Parent, TGameData *Game, TDrawsManager &Manager) {
        std::optional<TDrawsFilterChoice> choice;
        TfrmFilter dialog(Parent);
        dialog.Init(Game, 0, nullptr, &Manager, 0);
        if (platform::execModal(dialog) == 1)
            choice = TDrawsFilterChoice{dialog.TakeResult(), dialog.DelComb, dialog.NewWindow};
        return choice;
    };
}
