// The draws editor's commands: editing the draws, finding numbers, filtering, the range, saving,
// importing and exporting, and the new draws of a download.
#include "shell/FDrawsEditor.h"

#include "controls/StringAlignGrid.h"
#include "engine/UDrawsDB.h"
#include "engine/UFilters.h"
#include "engine/UGameMan.h"
#include "platform/gui/ModalHooks.h"
#include "shell/DrawsRemovalQuestion.h"
#include "shell/FDrawsRange.h"
#include "shell/FGlobalDrawsRange.h"
#include "shell/FGlobalFilters.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalUpdate.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMain.h"
#include "shell/FMainCommands.h"
#include "shell/FSelectComb.h"
#include "shell/GridReportOpener.h"
#include "shell/ResultGrid.h"
#include "shell/TextFileNames.h"

#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <exception>
#include <string>

namespace {

// The report writes the grid from this worksheet row on.
constexpr int ReportGridRow = 11;

} // namespace

void TfrmDrawsEditor::CheckView(QRadioButton *Button)
{
    RadioEvents = false;
    Button->setChecked(true);
    RadioEvents = true;
}

void TfrmDrawsEditor::AddDraw(const TDynByteArr &Numbers, TDateTime Date)
{
    ShowEditedDraw(DrawsMan->AddDraw(Numbers, Date));
}

void TfrmDrawsEditor::ChangeDraw(const TDynByteArr &Numbers, TDateTime Date)
{
    const int index = SelectedIndex();
    if (index < 0)
        return;
    ShowEditedDraw(DrawsMan->ChangeDraw(index, Numbers, Date));
}

void TfrmDrawsEditor::ShowEditedDraw(int Result)
{
    if (Result == -1)
        return;
    DrawsChanged();
    if (Result >= 0)
        SelectRow(Result + 1);
}

std::optional<TSelectedComb> TfrmDrawsEditor::ChooseDraw(const TDynByteArr &Default, TDateTime Date, bool Editing)
{
    return SelectComb(this, [&](TfrmSelectComb &Dialog) {
        Dialog.MinLen = Game->Info.Drawn;
        Dialog.MaxLen = Game->Info.Drawn;
        Dialog.MaxNumber = Game->Info.MaxNumber;
        Dialog.Mode = scmDraw;
        Dialog.DrawsMan = DrawsMan.get();
        Dialog.Default = Default;
        Dialog.Date = Date;
        Dialog.Editing = Editing;
    });
}

void TfrmDrawsEditor::AddCommand()
{
    if (const std::optional<TSelectedComb> draw = ChooseDraw({}, 0, false))
        AddDraw(draw->Numbers, draw->Date);
    UpdateCommands();
}

void TfrmDrawsEditor::ChangeCommand()
{
    const int index = SelectedIndex();
    if (index < 0)
        return;
    if (const std::optional<TSelectedComb> draw =
            ChooseDraw(DrawsMan->GetSelNumbers(index), DrawsMan->GetSelDate(index), true))
        ChangeDraw(draw->Numbers, draw->Date);
}

void TfrmDrawsEditor::DeleteCommand()
{
    if (DrawsMan->SelCount() == 0)
        return;
    const TGridRect block = grid->Selection();
    for (int row = std::min(block.Bottom, DrawsMan->SelCount()); row >= std::max(block.Top, 1); --row)
        DrawsMan->DeleteDraw(row - 1);
    DrawsMan->Renumber();
    DrawsChanged();
    SelectRow(std::clamp(block.Top, 1, grid->RowCount() - 1));
    UpdateCommands();
}

void TfrmDrawsEditor::FindNumbers(const TDynByteArr &Numbers)
{
    DrawsMan->MarkByNumbers(Numbers, int32_t(Numbers.size()));
    SetSelectMode(smNumbers);
    RefreshGrid();
    UpdateViewControls();
    CheckView(rbViewNums);
    UpdateCommands();
}

void TfrmDrawsEditor::FindCommand()
{
    const std::optional<TSelectedComb> numbers =
        SelectNumbers(this, {1, Game->Info.Drawn, Game->Info.MaxNumber, DrawsMan->GetNumberSet(), {}});
    if (numbers)
        FindNumbers(numbers->Numbers);
}

void TfrmDrawsEditor::DelFindClick()
{
    DrawsMan->NumberSetOn = false;
    UpdateViewControls();
    if (rbViewFlt->isEnabled() && rbViewFlt->isChecked()) {
        SetSelectMode(smFilter);
    } else {
        SetSelectMode(smAll);
        CheckView(rbViewAll);
    }
    RefreshGrid();
    UpdateCommands();
}

void TfrmDrawsEditor::ApplyFilter(const TGroupFilter &Result, bool DelComb, bool NewWindow)
{
    if (NewWindow) {
        auto manager = std::make_unique<TDrawsManager>(Game, 1);
        manager->Assign(*DrawsMan);
        manager->SetFilter(Result);
        if (DelComb)
            manager->DeleteByFilter();
        auto *window = new TfrmDrawsEditor;
        AddChildForm(window);
        window->InitCopy(*this, std::move(manager));
        if (DelComb)
            window->btnWrite->setEnabled(true);
        return;
    }
    DrawsMan->SetFilter(Result);
    if (DelComb) {
        DrawsMan->DeleteByFilter();
        SetSelectMode(smAll);
        RefreshGrid();
        ShowSummary();
        UpdateViewControls();
        btnFltDel->setEnabled(false);
        CheckView(rbViewAll);
        btnWrite->setEnabled(true);
    } else {
        SetSelectMode(smFilter);
        RefreshGrid();
        UpdateViewControls();
        CheckView(rbViewFlt);
        btnFltDel->setEnabled(true);
    }
    RefreshFilterTab();
    UpdateCommands();
}

void TfrmDrawsEditor::FilterCommand()
{
    RadioEvents = false;
    std::optional<TDrawsFilterChoice> choice;
    try {
        choice = OpenDrawsFilter(this, Game, *DrawsMan);
    } catch (...) {
        RadioEvents = true;
        throw;
    }
    RadioEvents = true;
    if (choice)
        ApplyFilter(*choice->Filter, choice->DelComb, choice->NewWindow);
}

void TfrmDrawsEditor::btnFltDelClick()
{
    DrawsMan->ClearFilter();
    UpdateViewControls();
    if (rbViewFlt->isChecked())
        CheckView(rbViewAll);
    SetSelectMode(rbViewNums->isEnabled() && rbViewNums->isChecked() ? smNumbers : smAll);
    RefreshGrid();
    RefreshFilterTab();
    btnFltDel->setEnabled(false);
    UpdateCommands();
}

void TfrmDrawsEditor::RangeCommand()
{
    if (NotSetUp)
        return;
    TfrmDrawsFilter dialog(this);
    dialog.Range = Range;
    dialog.Game = Game;
    dialog.DrawsMan = DrawsMan.get();
    dialog.DefaultMode = false;
    if (platform::execModal(dialog) != QDialog::Accepted)
        return;
    Range = dialog.Range;
    DrawsMan->FilterOn = false;
    DrawsMan->NumberSetOn = false;
    ShowAllInRange();
}

void TfrmDrawsEditor::ShowAllInRange()
{
    ApplyEditorRange();
    ShowSummary();
    SetSelectMode(smAll);
    RefreshGrid();
    UpdateViewControls();
    CheckView(rbViewAll);
    UpdateCommands();
}

bool TfrmDrawsEditor::WriteDraws()
{
    if (!ConfirmDrawsRemoval(*Game->DrawsMan, *DrawsMan, QString(), QStringLiteral("Czy na pewno zapisać zmiany?")))
        return false;
    // The file first: the game and the other windows learn only of draws that the file holds.
    const std::string fileName = DrawsDir + Game->Info.ShortName + "Draws";
    try {
        DrawsMan->SaveToFile(fileName);
    } catch (const std::exception &) {
        ShowWriteFailure(fileName);
        return false;
    }
    Game->DrawsMan->CopyDraws(*DrawsMan, false);
    BroadcastToChildren(WM_DRAWS_CHANGED, 0, Game->Info.Id, false);
    btnWrite->setEnabled(false);
    return true;
}

bool TfrmDrawsEditor::QuerySaveEdits()
{
    if (NotSetUp || !btnWrite->isEnabled())
        return true;
    const QString question = QStringLiteral("Zapisać zmiany w bazie losowań gry %1?").arg(QString::fromStdString(Game->Info.Name));
    switch (MsgBox(question, QString(), MsgFlagsSaveQuestion)) {
    case platform::IDYES:
        return WriteDraws();
    case platform::IDNO:
        return true;
    default:
        return false;
    }
}

bool QuerySaveDrawsEdits(const TGameData *Game)
{
    if (!frmMain)
        return true;
    for (QWidget *child : frmMain->ChildForms())
        if (auto *editor = qobject_cast<TfrmDrawsEditor *>(child); editor && editor->Game == Game)
            if (!editor->QuerySaveEdits())
                return false;
    return true;
}

void TfrmDrawsEditor::ImportFileClick()
{
    const QString name = platform::getOpenFileName(this, QStringLiteral("Import z pliku"), QString(),
                                                   TextFileFilter + QStringLiteral(";;") + AnyFileFilter);
    if (name.isEmpty())
        return;
    TDrawsManager imported(Game, 1);
    imported.SetFormat(Game->Info.Line);
    imported.RefuseExtraNumbers = true;
    try {
        imported.LoadFromFile(LocalFileName(name));
    } catch (const std::exception &) {
        // A file that cannot be read holds no draws for the user either.
    }
    if (imported.Count() == 0) {
        MsgBox(QStringLiteral("W wybranym pliku nie ma żadnych losowań."), QString(), MsgFlagsNotice);
        return;
    }
    DrawsMan->CopyDraws(imported, true);
    ShowAllInRange();
    btnWrite->setEnabled(true);
    if (imported.SkippedLines > 0)
        MsgBox(QStringLiteral("Liczba pominiętych wierszy pliku: %1.").arg(imported.SkippedLines), QString(),
               MsgFlagsNotice);
}

void TfrmDrawsEditor::ExportFileClick()
{
    QString name = platform::getSaveFileName(this, QStringLiteral("Eksport do pliku"), QString(), TextFileFilter);
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".txt");
    const std::string fileName = LocalFileName(name);
    DrawsMan->SetFormat(Game->Info.Line);
    bool written = true;
    try {
        DrawsMan->SaveToFile(fileName);
    } catch (const std::exception &) {
        written = false;
    }
    DrawsMan->SetDefaultFormat();
    if (!written)
        ShowWriteFailure(fileName);
}

void TfrmDrawsEditor::ImportNetClick()
{
    // The new draws come back through WM_DRAWS_DOWNLOADED.
    OpenDrawsUpdate(frmMain);
}

void TfrmDrawsEditor::DrawsDownloaded(int GameId)
{
    if (NotSetUp || GameId != Game->Info.Id)
        return;
    DrawsMan->CopyDraws(*Game->DrawsMan, false);
    DrawsMan->SortByDate(-1);
    SortMan.SetSort(1, 1, -1);
    DrawsGrid->MarkSort(1, -1);
    ShowAllInRange();
    // The game's draws replaced the edits: nothing is left to save.
    btnWrite->setEnabled(false);
}

void TfrmDrawsEditor::ReportCommand()
{
    if (NotSetUp)
        return;
    const std::string header = "\rGra        : " + Game->Info.Name + "#" + "Losowania#" + " #" + "Parametry#" +
                               " Zakres losowań#" + ReportRangeLines(Range);
    OpenGridReport(this, *grid, header, ReportGridRow);
}
