// The commands every system window handles the same way, and the main window's commands by the
// window's state.
#include "syswindows/FSysGeneral.h"

#include "controls/StringAlignGrid.h"
#include "core/ProgramParams.h"
#include "engine/UFilters.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "output/FGlobalPrint.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalStats.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "shell/FMainSelectors.h"
#include "shell/FSelectComb.h"
#include "syswindows/FCheckSystem.h"
#include "syswindows/FFilter.h"
#include "syswindows/FFrequency.h"
#include "syswindows/FHistItem.h"
#include "syswindows/FSysWindows.h"
#include "syswindows/FWriteFile.h"

#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <memory>

namespace {

// What a window with visible combinations offers while no guarantee of it is being computed.
constexpr int SystemCommands = cmdSave | cmdReport | cmdPrint | cmdGuarantee | cmdKey | cmdCheck | cmdFilter |
                               cmdDistribution | cmdCopy | cmdSysStats | cmdHistory;
// What it offers while a dependent guarantee window computes.
constexpr int GuaranteeTimeCommands =
    cmdSave | cmdPrint | cmdGuarantee | cmdCheck | cmdDistribution | cmdCopy | cmdSysStats | cmdHistory;
// What a system too large to output loses.
constexpr int OutputCommands = cmdReport | cmdPrint | cmdCheck | cmdSysStats | cmdHistory;

} // namespace

bool TGenSysForm::RowsEditable() const
{
    return State == 0 && !Generating() && !GuaranteeRunning() && !KeyDialogOpen();
}

void TGenSysForm::EnableRowCommands()
{
    EnableCommands(cmdAdd | cmdEdit | cmdDelete, false);
    if (!RowsEditable())
        return;
    EnableCommands(cmdAdd, true);
    if (ViewCount() > 0)
        EnableCommands(cmdDelete | cmdEdit, true);
}

bool TGenSysForm::GuaranteeRunning() const
{
    return CountChildWindows(cwGuarantee, 2) > 0;
}

void TGenSysForm::UpdateMenu()
{
    if (KeyDialogOpen()) {
        ShowKeyDialog();
        return;
    }
    EnableCommands(cmdAll, false);
    if (Generating()) {
        EnableCommands(cmdRead | cmdStop, true);
        return;
    }
    EnableCommands(cmdRead, true);
    if (State != 0)
        return;
    if (!GuaranteeRunning()) {
        if (ViewCount() > 0)
            EnableCommands(SystemCommands, true);
        if (System->FilterApplied) {
            rbViewAll->setEnabled(true);
            rbViewFlt->setEnabled(true);
        }
        EnableRowCommands();
    } else {
        EnableCommands(GuaranteeTimeCommands, true);
    }
    EnableCommands(cmdLogicalOps, true);
    if (ViewCount() > Limits.MaxCombOutput)
        EnableCommands(OutputCommands, false);
}

void TGenSysForm::EnableKindCommands(int Commands)
{
    if (KeyDialogOpen() || Generating() || GuaranteeRunning())
        return;
    EnableCommands(cmdParams | Commands, true);
}

void TGenSysForm::DisableCommands()
{
    EnableCommands(cmdAll, false);
    EnableCommands(cmdRead, true);
    if (CountSystemWindows() >= 2)
        EnableCommands(cmdLogicalOps, true);
}

bool TGenSysForm::HandleCommand(CommandEvent &Command)
{
    const QEvent::Type code = Command.type();
    if (code == WM_SYS_SAVE)
        SaveSystem();
    else if (code == WM_COMB_ADD)
        AddComb();
    else if (code == WM_COMB_EDIT)
        EditComb();
    else if (code == WM_COMB_DELETE)
        DeleteCombs();
    else if (code == WM_SYS_COPY)
        CopySystem();
    else if (code == WM_SYS_STATS)
        OpenSystemStats(Command.WParam);
    else if (code == WM_SYS_KEY)
        OpenKeyDialog();
    else if (code == WM_SYS_KEY_DONE)
        KeyDialogDone(Command.WParam == 1);
    else if (code == WM_SYS_CHECK)
        OpenCheckWindow();
    else if (code == WM_SYS_PRINT && System)
        PrintSystem(Game, System.get());
    else if (code == WM_SYS_DISTRIBUTION && System)
        ShowNumbersDistribution(this, *System);
    else if (code == WM_SYS_HISTORY)
        RecordInHistory();
    else if (code == WM_SYS_FILTER)
        ShowFilter();
    else if (code == WM_SYS_REPORT)
        ReportSystem();
    else if (code == WM_TASK_STOP)
        StopGeneration();
    else
        return false;
    return true;
}

void TGenSysForm::OpenSystemStats(int StatIndex)
{
    if (State != 0 || std::find(SystemStatIndexes.begin(), SystemStatIndexes.end(), StatIndex) == SystemStatIndexes.end())
        return;
    OpenStatWindow(StatIndex, this);
}

void TGenSysForm::OpenCheckWindow()
{
    if (State != 0 || ViewCount() == 0)
        return;
    auto window = std::make_unique<TfrmCheckSystem>();
    window->Init(Game, this);
    AddChildWindow(window.get(), 0);
    AddChildForm(window.release());
}

void TGenSysForm::SaveSystem()
{
    if (State != 0)
        return;
    WriteNamedFile(this, wfSystem, QString::fromStdString(System->GetDescription(false)), DataDir,
                   [this](const std::string &FileName, const std::string &Title, const std::string &Comment) {
                       return System->SaveToFile(FileName, Title, Comment);
                   });
}

void TGenSysForm::PrepareCombDialog(TfrmSelectComb &Dialog) const
{
    Dialog.MinLen = Dialog.MaxLen = K;
    Dialog.MaxNumber = Game->Info.MaxNumber;
    Dialog.Key = System->Key;
    Dialog.Mode = scmComb;
}

void TGenSysForm::AddComb()
{
    if (!RowsEditable())
        return;
    const auto entered = SelectComb(this, [this](TfrmSelectComb &Dialog) { PrepareCombDialog(Dialog); });
    if (entered)
        ShowNewRow(System->AddComb(entered->Numbers.data()));
}

void TGenSysForm::EditComb()
{
    const int row = sgSystem->Row();
    if (!RowsEditable() || row < 1 || row > ViewCount())
        return;
    const auto entered = SelectComb(this, [&](TfrmSelectComb &Dialog) {
        PrepareCombDialog(Dialog);
        System->CopyComb(row - 1, true, Dialog.Default);
        Dialog.Editing = true;
    });
    if (entered)
        ShowNewRow(System->ReplaceComb(row - 1, entered->Numbers.data()));
}

void TGenSysForm::ShowNewRow(int Index)
{
    if (Index < 0)
        return;
    RefreshAll();
    sgSystem->setRow(Index + 1);
}

void TGenSysForm::DeleteCombs()
{
    if (!RowsEditable() || ViewCount() == 0)
        return;
    const TGridRect selection = sgSystem->Selection();
    const int top = std::max(selection.Top, 1);
    const int bottom = std::min(selection.Bottom, ViewCount());
    if (top > bottom)
        return;
    System->DeleteCombs(top - 1, bottom - 1);
    RefreshAll();
}

void TGenSysForm::CopySystem()
{
    if (State != 0)
        return;
    if (TGenSysForm *copy = NewSysWindow(SysKind))
        copy->CopyFrom(*this);
}

void TGenSysForm::RecordInHistory()
{
    if (State != 0 || ViewCount() == 0)
        return;
    AddSystemToHistory(this, *System);
}

void TGenSysForm::ShowFilter()
{
    if (State == 1 || !System)
        return;
    TfrmFilter dialog(this);
    dialog.Init(Game, 1, System.get(), Game->DrawsMan.get(), Limits.MaxComb);
    bool changed = false;
    if (platform::execModal(dialog) == 1) {
        const TGroupFilter &filter = *dialog.ResultFilter();
        if (dialog.NewWindow) {
            std::unique_ptr<TSystem> copy = CreateSystem(SysKind, Game);
            copy->Assign(*System);
            if (dialog.DelComb) {
                copy->DeleteByFilter(filter);
                copy->RefreshView(true);
            } else {
                copy->SetFilter(filter);
                copy->RefreshView(false);
            }
            if (TGenSysForm *window = NewSysWindow(SysKind))
                window->OpenSystem(Game, std::move(copy));
        } else {
            changed = true;
            State = 0;
            if (dialog.DelComb) {
                System->DeleteByFilter(filter);
                System->RefreshView(true);
            } else {
                System->SetFilter(filter);
                System->RefreshView(false);
                btnFltDel->setEnabled(true);
            }
        }
    }
    System->DropMarks();
    if (changed) {
        RefreshAll();
        return;
    }
    // Only the marks the editor left have gone.
    ShowRows();
}
