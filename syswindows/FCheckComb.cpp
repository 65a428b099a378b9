#include "syswindows/FCheckComb.h"

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/MyReg.h"
#include "core/ProgramLocale.h"
#include "core/ProgramParams.h"
#include "core/UGlobalRegistry.h"
#include "engine/UGameMan.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalProgress.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "shell/FSelectComb.h"
#include "shell/ParamsRecord.h"
#include "shell/ResultGrid.h"
#include "syswindows/CheckCharts.h"
#include "syswindows/SysFormats.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

#include <algorithm>
#include <array>

namespace {

constexpr int ToolIndex = 1;
// Grid1's rows below the header before the data: blank, "Suma", "Średnia", blank.
constexpr int HeaderRows = 4;
constexpr int SumRow = 1;
constexpr int MeanRow = 2;

} // namespace

TfrmCheckComb::TfrmCheckComb(QWidget *Owner) : TGenForm(Owner)
{
    platform::setHelpContext(this, 705);
    CreateControls();
    ResultGrid1 = BindResultGrid(
        Grid1, SortMan, 1, [this] { return HasResults(); },
        [this](int Col, int Row, TCellFormat &Format) { Grid1CellFormat(Col, Row, Format); },
        [this](int SortKey, int Direction) { return Grid1SortColumn(SortKey, Direction); });
    ResultGrid2 = BindResultGrid(
        Grid2, SortMan, 2, [this] { return HasResults(); },
        [this](int Col, int Row, TCellFormat &Format) { Grid2CellFormat(Col, Row, Format); },
        [this](int SortKey, int Direction) { return Grid2SortColumn(SortKey, Direction); });
    SortMan.SetSort(1, ckDate, 1);
    SortMan.SetSort(2, ckDate, -1);
    ConnectControls();

    Game = Games.CurrentGame();
    WindowNo = NextWindowNumber();
    if (Game)
        Range.Attach(Game, txtDateDesc);
    ShowCaption();
    SetupColumns();
}

TfrmCheckComb::~TfrmCheckComb()
{
    FormDestroy();
}

void TfrmCheckComb::ShowCaption()
{
    if (Game)
        setWindowTitle(WindowTag(*Game, WindowNo) + QStringLiteral("> Sprawdzenie kombinacji"));
}

void TfrmCheckComb::ResetParams()
{
    if (!Game)
        return;
    Range.Refresh();
    Comb.clear();
    eComb->clear();
    ClearResults();
    ReadParams();
    UpdateMenu();
}

void TfrmCheckComb::SetComb(TGameData *AGame, const TDrawsRange &ARange, const TDynByteArr &AComb)
{
    Game = AGame;
    Range.Attach(Game, txtDateDesc);
    Range.Range = ARange;
    ShowCaption();
    ResetParams();
    Comb = AComb;
    ShowComb();
    UpdateMenu();
    pCheckClick();
}

void TfrmCheckComb::UpdateMenu()
{
    const bool ready = !Comb.empty() && !Range.Empty();
    pCheck->setEnabled(ready);
    if (!IsActiveChild())
        return;
    EnableCommands(cmdAll, false);
    EnableCommands(cmdRead | (ready ? cmdStart : 0) | (ready && HasResults() ? cmdReport : 0), true);
}

void TfrmCheckComb::FormShow()
{
    CenterChildForm(this);
}

void TfrmCheckComb::FormActivate()
{
    UpdateMenu();
}

void TfrmCheckComb::ReadParams()
{
    const int n = Game->Info.MaxNumber;
    ProgramReg.SetSection(ParamsKey("Tools\\", Game->Info.Id, ToolIndex));
    TDynByteArr stored(size_t(n), 0);
    const int count = ProgramReg.ReadBinary("Comb", stored);
    if (count >= MinWinHits(Game->Info, Game->Info.MinK) && ValidStoredComb(stored, count, n, true)) {
        Comb.assign(stored.begin(), stored.begin() + count);
        ShowComb();
        SetStoredValue(seHitFrom, ProgramReg.ReadInteger("HitFrom", 0));
        SetStoredValue(seHitTo, ProgramReg.ReadInteger("HitTo", 0));
    }
    const std::array<QRadioButton *, 4> groups = {rbDay, rbWeek, rbMonth, rbYear};
    const int32_t group = ProgramReg.ReadInteger("GroupType", cgDay);
    groups[group >= 0 && size_t(group) < groups.size() ? size_t(group) : 0]->setChecked(true);
}

void TfrmCheckComb::WriteParams()
{
    ProgramReg.SetSection(ParamsKey("Tools\\", Game->Info.Id, ToolIndex));
    ProgramReg.WriteBinary("Comb", Comb);
    ProgramReg.WriteInteger("HitFrom", SpinValue(seHitFrom));
    ProgramReg.WriteInteger("HitTo", SpinValue(seHitTo));
    ProgramReg.WriteInteger("GroupType", GroupType);
}

void TfrmCheckComb::ShowComb()
{
    eComb->setText(NumbersText(Comb.data(), Comb.size(), "%2d "));
    SetupHitLevels();
}

void TfrmCheckComb::btnCombClick()
{
    const TGameInfo &info = Game->Info;
    const std::optional<TSelectedComb> chosen =
        SelectNumbers(this, {MinWinHits(info, info.MinK), info.MaxNumber, info.MaxNumber, Comb, {}});
    if (!chosen)
        return;
    Comb = chosen->Numbers;
    std::sort(Comb.begin(), Comb.end());
    ShowComb();
    UpdateMenu();
}

void TfrmCheckComb::SetupHitLevels()
{
    THitsInfo levels;
    levels.Init(Game->Info, Game->Info.MaxNumber, int(Comb.size()), true);
    const int rows = levels.RowCount;
    // A band not chosen yet, or outside the levels, becomes the winning levels.
    const bool fresh = SpinValue(seHitFrom) < 1 || SpinValue(seHitTo) > rows || SpinValue(seHitTo) < 1;
    const int from = fresh ? std::clamp(levels.LowHits, 1, std::max(rows, 1)) : SpinValue(seHitFrom);
    const int to = fresh ? rows : SpinValue(seHitTo);
    seHitFrom->SetMinValue(1);
    seHitFrom->SetMaxValue(rows);
    seHitTo->SetMinValue(1);
    seHitTo->SetMaxValue(rows);
    seHitFrom->SetValue(from);
    seHitTo->SetValue(std::max(to, from));
    for (QWidget *control : std::initializer_list<QWidget *>{seHitFrom, seHitTo, lblHitFrom, lblHitTo})
        control->setEnabled(true);
}

void TfrmCheckComb::ClearResults()
{
    NoResults = true;
    Results = TCombCheck();
    SetupColumns();
    ResultGrid1->ShowRows(0);
    ResultGrid2->ShowRows(0);
    pcChart->hide();
    eSelComb->clear();
}

void TfrmCheckComb::pCheckClick()
{
    if (Comb.empty() || !Game)
        return;
    ClearResults();
    UpdateMenu();
    TStatDraws draws;
    if (StatDrawsMan.LoadRange(draws, *Game->DrawsMan, Range.Range) == 0) {
        MsgBox(QStringLiteral("Brak losowań"), QString(), MsgFlagsNotice);
        return;
    }
    StatDrawsMan.SortByDate(draws, 1);
    SetStatusText(QStringLiteral("Sprawdzanie systemu..."));
    TProgress progress;
    progress.Init(10000, int64_t(draws.size()), 0);
    progress.OnProgress = ProgressHandler();
    Results.Reset(Game->Info, Comb);
    Results.Check(std::move(draws), SpinValue(seHitFrom), SpinValue(seHitTo), progress);
    GroupType = CheckedIndex(std::array<QRadioButton *, 4>{rbDay, rbWeek, rbMonth, rbYear});
    ReportRange = Range.Range;
    NoResults = false;
    ResultGrid2->ShowRows(int(Results.NumberRows.size()));
    Regroup();
    ProgressClear();
    SetStatusText(QString());
    UpdateMenu();
}

void TfrmCheckComb::Regroup()
{
    Results.Group(TCheckGroup(GroupType));
    ResultGrid1->ShowRows(int(Results.Shown.size()) + HeaderRows);
    SetupColumns();
    ApplyStoredSorts();
    Grid1->InvalidateGrid();
    Grid2->InvalidateGrid();
    ShowSelection(Grid1->Row());
    RebuildCharts();
}

void TfrmCheckComb::RegroupClick()
{
    GroupType = CheckedIndex(std::array<QRadioButton *, 4>{rbDay, rbWeek, rbMonth, rbYear});
    if (HasResults())
        Regroup();
}

TCheckColumns TfrmCheckComb::Columns() const
{
    const int rows = Results.HitsInfo.RowCount;
    const int to = Results.HitTo;
    const int shown = HasResults() ? to - Results.HitFrom + 1 : 0;
    return {true, to, size_t(std::max(rows - to, 0)), std::max(shown, 0), true};
}

void TfrmCheckComb::SetupColumns()
{
    const TCheckColumns columns = Columns();
    ResultGrid1->SetColumns(columns.Columns({QStringLiteral("Data"), 70, alCenter, ckDate, 1, true}));
    ResultGrid2->SetColumns(columns.Columns({QStringLiteral("Liczba"), 70, alCenter, ckDate, 1, true}));
    if (HasResults()) {
        WidenToWidestRows(*ResultGrid1, Results.Shown, HeaderRows, {SumRow, MeanRow});
        WidenToWidestRows(*ResultGrid2, Results.NumberRows, 0);
    }
    for (TStringAlignGrid *grid : {Grid1, Grid2})
        KeepColumnsInView(grid);
}

void TfrmCheckComb::ApplyStoredSorts()
{
    const TCheckColumns columns = Columns();
    for (int entry : {1, 2}) {
        const int key = SortMan.GetSortColumn(entry);
        const int direction = SortMan.GetSortDir(entry, key);
        SortCheckRows(entry == 1 ? Results.Shown : Results.NumberRows,
                      {key, direction, columns.FirstHit, size_t(columns.HitCount), entry == 2});
        (entry == 1 ? ResultGrid1 : ResultGrid2)->MarkSort(key, direction);
    }
}

bool TfrmCheckComb::Grid1SortColumn(int SortKey, int Direction)
{
    const TCheckColumns columns = Columns();
    SortCheckRows(Results.Shown, {SortKey, Direction, columns.FirstHit, size_t(columns.HitCount), false});
    Grid1->InvalidateGrid();
    ShowSelection(Grid1->Row());
    RebuildCharts();
    return true;
}

bool TfrmCheckComb::Grid2SortColumn(int SortKey, int Direction)
{
    const TCheckColumns columns = Columns();
    SortCheckRows(Results.NumberRows, {SortKey, Direction, columns.FirstHit, size_t(columns.HitCount), true});
    Grid2->InvalidateGrid();
    return true;
}

QString TfrmCheckComb::RowLabel(const TCheckRow &Row) const
{
    return GroupRowLabel(Row, TCheckGroup(GroupType), GroupType == cgDay ? Results.Draws[size_t(Row.Index)].No : 0);
}

QString TfrmCheckComb::CellText(int Table, int Col, int Row) const
{
    if (NoResults)
        return {};
    const TCheckColumns columns = Columns();
    if (Table == 2) {
        if (Row < 0 || size_t(Row) >= Results.NumberRows.size())
            return {};
        const TCheckRow &row = Results.NumberRows[size_t(Row)];
        return Col == 0 ? QString::asprintf("%2d", row.Index) : columns.CellText(row, Col, ztBlank);
    }
    if (Row == SumRow)
        return Col == 0 ? QStringLiteral("Suma") : columns.CellText(Results.Totals, Col, ztTotals);
    if (Row == MeanRow) {
        if (Col == 0)
            return QStringLiteral("Średnia");
        const int hit = Col - 1;
        if (hit < columns.HitCount)
            return QString::fromStdString(FormatFloat("0.00", Results.Means[columns.FirstHit + size_t(hit)]));
        if (hit == columns.HitCount)
            return CountText(Results.MeanSum);
        return CostText(Results.MeanWin);
    }
    if (Row < HeaderRows || size_t(Row - HeaderRows) >= Results.Shown.size())
        return {};
    const TCheckRow &row = Results.Shown[size_t(Row - HeaderRows)];
    return Col == 0 ? RowLabel(row) : columns.CellText(row, Col, ztBlank);
}

void TfrmCheckComb::Grid1CellFormat(int Col, int Row, TCellFormat &Format) const
{
    Format.Text = CellText(1, Col, Row);
    if (Row == SumRow || Row == MeanRow)
        Format.Font.Style |= fsBold;
}

void TfrmCheckComb::Grid2CellFormat(int Col, int Row, TCellFormat &Format) const
{
    Format.Text = CellText(2, Col, Row);
}

void TfrmCheckComb::ShowSelection(int GridRow)
{
    eSelComb->clear();
    const int index = GridRow - (HeaderRows + 1);
    if (NoResults || GroupType != cgDay || index < 0 || size_t(index) >= Results.Shown.size())
        return;
    const TDynByteArr &numbers = Results.Draws[size_t(Results.Shown[size_t(index)].Index)].Numbers;
    eSelComb->setText(NumbersText(numbers.data(), numbers.size(), "%2d "));
}

void TfrmCheckComb::RebuildCharts()
{
    pcChart->hide();
    if (NoResults)
        return;
    QStringList labels;
    for (const TCheckRow &row : Results.Shown)
        labels << RowLabel(row);
    const TCheckColumns columns = Columns();
    pcChart->ShowRows(Results.Shown, labels, GroupType == cgDay && !ProgramParams.StatShowDate,
                      {columns.TopLevel, int(columns.FirstHit), columns.HitCount, Results.HitsInfo.LowHits});
}

bool TfrmCheckComb::HandleCommand(CommandEvent &Command)
{
    const QEvent::Type code = Command.type();
    if (code == WM_TASK_START) {
        pCheckClick();
    } else if (code == WM_SYS_REPORT) {
        if (HasResults())
            Report();
    } else if (code == WM_DRAWS_RANGE) {
        Range.Edit(this);
        UpdateMenu();
    } else if (const std::optional<int> gameId = ChangedDrawsGame(Command)) {
        if (Range.DrawsChanged(*gameId))
            UpdateMenu();
    } else {
        return false;
    }
    return true;
}

void TfrmCheckComb::FormDestroy()
{
    if (FDestroyed)
        return;
    FDestroyed = true;
    if (IsActiveChild())
        FormDeactivate();
    if (Game)
        WriteParams();
}

void TfrmCheckComb::closeEvent(QCloseEvent *event)
{
    Guarded([this] { FormDestroy(); });
    event->accept();
}

TfrmCheckComb *NewCheckCombWindow()
{
    auto *window = new TfrmCheckComb;
    AddChildForm(window);
    return window;
}

void OpenCheckCombWindow()
{
    NewCheckCombWindow()->ResetParams();
}
