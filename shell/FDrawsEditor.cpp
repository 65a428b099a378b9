// The draws editor: setting it up on a game, what the grid shows of the draws, the view buttons and
// the commands it switches.
#include "shell/FDrawsEditor.h"

#include "controls/RichView.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "core/UComb.h"
#include "engine/UDrawsDB.h"
#include "engine/UFilters.h"
#include "engine/UGameMan.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalDrawsRange.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "shell/ResultGrid.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <string>

namespace {

// Draws flagged as passing the filter, and as holding the found numbers.
constexpr TColor FilterPassColor = 0xB4CBD6;
constexpr TColor NumberSetColor = 0xE1DFAE;
constexpr TColor SundayColor = 0x0000FF;
constexpr int Sunday = 7;

// The numbers column of a game drawing fewer numbers, else per number; the window's least width.
constexpr int WideDrawLength = 7;
constexpr int NarrowNumbersWidth = 132;
constexpr int NumberWidth = 22;
constexpr int MinWindowWidth = 575;

enum TDrawsCol { colNo, colDate, colDay, colNumbers };

} // namespace

TfrmDrawsEditor::TfrmDrawsEditor(QWidget *Owner) : TGenForm(Owner)
{
    platform::setHelpContext(this, 701);
    setWindowTitle(QStringLiteral("Edytor losowań"));
    setMinimumWidth(ScaledWidth(MinWindowWidth));
    CreateControls();
    ConnectControls();
}

TfrmDrawsEditor::~TfrmDrawsEditor() = default;

void TfrmDrawsEditor::FormShow()
{
    CenterChildForm(this);
    WindowNo = NextWindowNumber();
}

void TfrmDrawsEditor::closeEvent(QCloseEvent *event)
{
    bool closing = false;
    Guarded([this, &closing] { closing = QuerySaveEdits(); });
    if (!closing) {
        event->ignore();
        return;
    }
    FormDeactivate();
    event->accept();
}

void TfrmDrawsEditor::Init(TGameData *AGame)
{
    Game = AGame;
    DrawsMan = std::make_unique<TDrawsManager>(Game, 1);
    DrawsMan->CopyDraws(*Game->DrawsMan, false);
    Setup();
    ShowAllInRange();
}

void TfrmDrawsEditor::InitCopy(const TfrmDrawsEditor &Source, std::unique_ptr<TDrawsManager> Manager)
{
    Game = Source.Game;
    DrawsMan = std::move(Manager);
    Setup();
    Range = Source.Range;
    ShowSummary();
    UpdateViewControls();
    RadioEvents = false;
    if (DrawsMan->HasFilter) {
        RefreshFilterTab();
        btnFltDel->setEnabled(true);
        SetSelectMode(smFilter);
        rbViewFlt->setChecked(true);
    } else {
        SetSelectMode(smAll);
        rbViewAll->setChecked(true);
    }
    RadioEvents = true;
    btnWrite->setEnabled(Source.btnWrite->isEnabled());
    RefreshGrid();
    UpdateCommands();
}

void TfrmDrawsEditor::Setup()
{
    NotSetUp = false;
    setWindowTitle(WindowTag(*Game, WindowNo) + QStringLiteral("> Losowania"));
    const int drawn = Game->Info.Drawn;
    SetColWidth(grid, colNo, 40, {QString::number(std::max(DrawsMan->Count(), 1))});
    SetColWidth(grid, colNumbers, drawn < WideDrawLength ? NarrowNumbersWidth : NumberWidth * drawn,
                {QStringLiteral("%1 ").arg(int(Game->Info.MaxNumber), 2).repeated(drawn)});
    // The window takes the grid's width, at least its least width (and what its controls need).
    FitWindowToGrid(this, grid, grid->CalcGridWidth(true), true);
    // The numbers column fills what the grid has beyond its columns.
    const int surplus = grid->width() - grid->CalcGridWidth(true);
    if (surplus > 0)
        grid->setColWidths(colNumbers, grid->ColWidths(colNumbers) + surplus);
    Range = Game->DrawsRange;
}

void TfrmDrawsEditor::ApplyEditorRange()
{
    DrawsMan->SetRange(Range);
    DrawsMan->ApplyRange(Range);
}

void TfrmDrawsEditor::ShowSummary()
{
    // The line tells the draws that the rows hold, edited or not.
    DrawsMan->DescribeFlaggedRange(Range);
    ShowDrawsRange(Range, txtDateDesc, false);
}

void TfrmDrawsEditor::SetSelectMode(uint8_t Mode)
{
    DrawsMan->BuildSelection(Mode);
}

void TfrmDrawsEditor::RefreshGrid()
{
    const int count = DrawsMan->SelCount();
    DrawsGrid->ShowRows(count);
    SetColWidth(grid, colNo, 40, {QString::number(std::max(DrawsMan->Count(), 1))});
    lblAllCount->setText(QString::number(DrawsMan->Count()));
    lblCount->setText(QString::number(count));
}

void TfrmDrawsEditor::gridGetCellFormat(int Col, int Row, TCellFormat &Format) const
{
    if (Row >= DrawsMan->SelCount())
        return;
    const TDraw &draw = DrawsMan->GetSelDraw(Row);
    switch (Col) {
    case colNo:
        Format.Text = QString::number(draw.No);
        break;
    case colDate:
        Format.Text = QString::fromStdString(DateToStr(draw.Date));
        break;
    case colDay:
        Format.Text = QString::fromUtf8(ProgramLocale::ShortDayNames[size_t(draw.WeekDay - 1)]);
        if (draw.WeekDay == Sunday)
            Format.Font.Color = SundayColor;
        break;
    default: {
        std::string text;
        CombToStr(draw.Numbers.data(), uint8_t(draw.Numbers.size()), "%2d ", text);
        Format.Text = QString::fromStdString(text);
        break;
    }
    }
    // The selection follows the checked view button; a report worker reads the cells too, so the
    // buttons themselves are not asked.
    const bool all = DrawsMan->GetSelectMode() == smAll;
    if (all && DrawsMan->FilterOn && (draw.Flags & dfFilter))
        Format.Brush.Color = FilterPassColor;
    if ((all || DrawsMan->GetSelectMode() == smFilter) && DrawsMan->NumberSetOn && (draw.Flags & dfNumberSet))
        Format.Brush.Color = NumberSetColor;
}

bool TfrmDrawsEditor::SortDraws(int SortKey, int Direction)
{
    switch (SortKey) {
    case 1:
        DrawsMan->SortByDate(Direction);
        return true;
    case 2:
        DrawsMan->SortByWeekDay(Direction);
        return true;
    case 3:
        DrawsMan->SortByNumbers(Direction);
        return true;
    default:
        return false;
    }
}

int TfrmDrawsEditor::SelectedIndex() const
{
    const int index = grid->Row() - 1;
    return index >= 0 && index < DrawsMan->SelCount() ? index : -1;
}

void TfrmDrawsEditor::SelectRow(int Row)
{
    grid->setSelection(TGridRect{0, Row, grid->ColCount() - 1, Row});
}

void TfrmDrawsEditor::UpdateViewControls()
{
    rbViewFlt->setEnabled(DrawsMan->FilterOn);
    rbViewNums->setEnabled(DrawsMan->NumberSetOn);
    btnDelFind->setEnabled(DrawsMan->NumberSetOn);
    pDelFind->setEnabled(DrawsMan->NumberSetOn);
    rbViewAll->setEnabled(DrawsMan->FilterOn || DrawsMan->NumberSetOn);
}

void TfrmDrawsEditor::ViewClicked(QRadioButton *Button)
{
    if (!RadioEvents || !DrawsMan)
        return;
    if (Button == rbViewAll)
        SetSelectMode(smAll);
    else if (Button == rbViewFlt)
        SetSelectMode(smFilter);
    else
        SetSelectMode(smNumbers);
    RefreshGrid();
    UpdateCommands();
}

void TfrmDrawsEditor::RefreshFilterTab()
{
    const TGroupFilter *group = DrawsMan->HasFilter ? DrawsMan->GetGroupFilter() : nullptr;
    if (!group) {
        eFilter->clear();
        sgFilters->setRowCount(2);
        sgFilters->ClearRows(1, 1);
        return;
    }
    sgFilters->setRowCount(std::max(int(group->Count), 1) + 1);
    sgFilters->ClearRows(1, 1);
    for (uint32_t i = 0; i < group->Count; ++i) {
        const TFilter &filter = *group->GetFilter(i);
        const int row = int(i) + 1;
        sgFilters->setCells(0, row, QStringLiteral("F%1").arg(filter.DisplayNo, 2, 10, QLatin1Char('0')));
        sgFilters->setCells(1, row, QString::fromStdString(filter.GetName()));
        sgFilters->setCells(2, row, QString::fromStdString(filter.GetDescription()));
    }
    eFilter->setText(QString::fromStdString(group->GetExpression()));
}

void TfrmDrawsEditor::UpdateCommands()
{
    if (NotSetUp)
        return;
    const bool any = DrawsMan->SelCount() > 0;
    for (QWidget *control : std::initializer_list<QWidget *>{btnFind, btnExportFile})
        control->setEnabled(any);
    for (QAction *item : {pFind, pFilter, pReport, pExportFile})
        item->setEnabled(any);
    if (IsActiveChild()) {
        EnableCommands(cmdAll, false);
        EnableCommands(cmdRead, true);
        if (any)
            EnableCommands(cmdReport | cmdFilter, true);
    }
    UpdateEditCommands();
}

void TfrmDrawsEditor::UpdateEditCommands()
{
    const bool any = DrawsMan->SelCount() > 0;
    pChange->setEnabled(any);
    pDelete->setEnabled(any);
    if (!IsActiveChild())
        return;
    EnableCommands(cmdAdd | cmdEdit | cmdDelete, false);
    EnableCommands(cmdAdd, true);
    if (any)
        EnableCommands(cmdEdit | cmdDelete, true);
}

void TfrmDrawsEditor::FormActivate()
{
    UpdateCommands();
}

void TfrmDrawsEditor::DrawsChanged()
{
    RefreshGrid();
    ShowSummary();
    btnWrite->setEnabled(true);
}

bool TfrmDrawsEditor::HandleCommand(CommandEvent &Command)
{
    const QEvent::Type code = Command.type();
    if (code == WM_DRAWS_DOWNLOADED) {
        DrawsDownloaded(Command.WParam);
        return true;
    }
    if (code == WM_DRAWS_RANGE) {
        RangeCommand();
        return true;
    }
    if (NotSetUp)
        return false;
    if (code == WM_SYS_REPORT)
        ReportCommand();
    else if (code == WM_COMB_ADD)
        AddCommand();
    else if (code == WM_COMB_EDIT)
        ChangeCommand();
    else if (code == WM_COMB_DELETE)
        DeleteCommand();
    else if (code == WM_SYS_FILTER)
        FilterCommand();
    else
        return false;
    return true;
}
