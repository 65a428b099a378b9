#include "syswindows/FCheckComb.h"

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/MoneyRange.h"
#include "core/MyReg.h"
#include "core/ProgramLocale.h"
#include "core/ProgramParams.h"
#include "core/UComb.h"
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
    ResultGrid1 = std::make_unique<TResultGrid>(Grid1, SortMan, 1, [this] { return HasResults(); });
    ResultGrid1->SetCellProc([this](int Col, int Row, TCellFormat &Format) { Grid1CellFormat(Col, Row, Format); });
    ResultGrid1->SetSortProc([this](int SortKey, int Direction) { return Grid1SortColumn(SortKey, Direction); });
    ResultGrid2 = std::make_unique<TResultGrid>(Grid2, SortMan, 2, [this] { return HasResults(); });
    ResultGrid2->SetCellProc([this](int Col, int Row, TCellFormat &Format) { Grid2CellFormat(Col, Row, Format); });
    ResultGrid2->SetSortProc([this](int SortKey, int Direction) { return Grid2SortColumn(SortKey, Direction); });
    ColourResultGrid(Grid1);
    ColourResultGrid(Grid2);
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
    const std::optional<TSelectedComb> chosen = SelectComb(this, [this](TfrmSelectComb &Dialog) {
        Dialog.MinLen = MinWinHits(Game->Info, Game->Info.MinK);
        Dialog.MaxLen = Game->Info.MaxNumber;
        Dialog.MaxNumber = Game->Info.MaxNumber;
        Dialog.Mode = scmNumbers;
        Dialog.Default = Comb;
    });
    if (!chosen)
        return;
    Comb = chosen->Numbers;
    std::sort(Comb.begin(), Comb.end());
    ShowComb();
    UpdateMenu();
}

void TfrmCheckComb::SetupHitLevels()
{
    HitsInfo.Init(Game->Info, Game->Info.MaxNumber, int(Comb.size()), true);
    const int rows = HitsInfo.RowCount;
    // A band not chosen yet, or outside the levels, becomes the winning levels.
    const bool fresh = SpinValue(seHitFrom) < 1 || SpinValue(seHitTo) > rows || SpinValue(seHitTo) < 1;
    const int from = fresh ? std::clamp(HitsInfo.LowHits, 1, std::max(rows, 1)) : SpinValue(seHitFrom);
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
    DrawResults.clear();
    Shown.clear();
    NumberRows.clear();
    Totals = TCheckRow{};
    Means.clear();
    MeanWin = Currency();
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
    HitFrom = SpinValue(seHitFrom);
    HitTo = SpinValue(seHitTo);
    ClearResults();
    UpdateMenu();
    if (StatDrawsMan.LoadRange(StatDraws, *Game->DrawsMan, Range.Range) == 0) {
        MsgBox(QStringLiteral("Brak losowań"), QString(), MsgFlagsNotice);
        return;
    }
    StatDrawsMan.SortByDate(StatDraws, 1);
    SetStatusText(QStringLiteral("Sprawdzanie systemu..."));
    std::vector<TDynInt64Arr> numberHits(size_t(Game->Info.MaxNumber) + 1, TDynInt64Arr(size_t(HitsInfo.RowCount), 0));
    CheckDraws(numberHits);
    for (const uint8_t number : Comb)
        NumberRows.push_back(NumberRow(number, numberHits[number]));
    GroupType = CheckedIndex(std::array<QRadioButton *, 4>{rbDay, rbWeek, rbMonth, rbYear});
    ReportParams = {Range.Range, Comb, HitFrom, HitTo};
    NoResults = false;
    Regroup();
    ResultGrid2->ShowRows(int(NumberRows.size()));
    ProgressClear();
    SetStatusText(QString());
    UpdateMenu();
}

void TfrmCheckComb::CheckDraws(std::vector<TDynInt64Arr> &NumberHits)
{
    const int top = HitsInfo.HighHits;
    TProgress progress;
    progress.Init(10000, int64_t(StatDraws.size()), 0);
    progress.OnProgress = ProgressHandler();
    TDynByteArr common(Comb.size(), 0);
    DrawResults.reserve(StatDraws.size());
    for (size_t i = 0; i < StatDraws.size(); ++i) {
        const TStatDraw &draw = StatDraws[i];
        TCheckRow row;
        row.Index = int32_t(i);
        row.Date = draw.Date;
        row.Hits.assign(size_t(HitsInfo.RowCount), 0);
        const int hits = CombIntersect(int(Comb.size()), int(draw.Numbers.size()), Comb.data(), draw.Numbers.data(),
                                       common.data());
        if (hits >= 1 && top >= 1) {
            const size_t element = HitElement(hits, top);
            row.Hits[element] = 1;
            row.Win = BandWin(row.Hits);
            for (int j = 0; j < hits; ++j)
                ++NumberHits[common[size_t(j)]][element];
        }
        row.Sum = BandSum(row.Hits);
        DrawResults.push_back(std::move(row));
        progress.Advance(1);
    }
}

TCheckRow TfrmCheckComb::NumberRow(uint8_t Number, const TDynInt64Arr &Hits) const
{
    TCheckRow row;
    row.Index = Number;
    row.Hits = Hits;
    row.Sum = BandSum(Hits);
    row.Win = BandWin(Hits);
    return row;
}

Currency TfrmCheckComb::BandWin(TDynInt64Arr Hits) const
{
    const TGameInfo &game = Game->Info;
    const int k = int(Comb.size());
    const int levels = HitsInfo.LevelCount;
    if (IsMultiBet(game, k))
        ExpandHits(game, k, HitsInfo.HighHits, Hits.data(), levels);
    // The prize table's counts are 32-bit; a count of draws stays far below that.
    std::vector<int32_t> counts(Hits.begin(), Hits.begin() + std::min<size_t>(Hits.size(), size_t(std::max(levels, 0))));
    return WinAmountInLevels(game, k, HitsInfo.HighHits, counts.data(), HitFrom, HitTo, int(counts.size()));
}

int64_t TfrmCheckComb::BandSum(const TDynInt64Arr &Hits) const
{
    int64_t sum = 0;
    for (int level = HitFrom; level <= HitTo; ++level)
        sum += Hits[HitElement(level, HitsInfo.HighHits)];
    return sum;
}

void TfrmCheckComb::Regroup()
{
    TSystemCheck grouping;
    grouping.DrawResults = DrawResults;
    grouping.Group(TCheckGroup(GroupType));
    Shown = std::move(grouping.Shown);
    for (TCheckRow &row : Shown)
        row.Sum = BandSum(row.Hits);
    ComputeTotals();
    ResultGrid1->ShowRows(int(Shown.size()) + HeaderRows);
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

void TfrmCheckComb::ComputeTotals()
{
    Totals = TCheckRow{};
    Totals.Hits.assign(size_t(HitsInfo.RowCount), 0);
    for (const TCheckRow &row : Shown) {
        for (size_t i = 0; i < row.Hits.size(); ++i)
            Totals.Hits[i] += row.Hits[i];
        Totals.Win = SumInRange(Totals.Win, row.Win);
    }
    Totals.Sum = BandSum(Totals.Hits);
    const double count = double(std::max<size_t>(Shown.size(), 1));
    Means.assign(Totals.Hits.size(), 0);
    for (size_t i = 0; i < Means.size(); ++i)
        Means[i] = double(Totals.Hits[i]) / count;
    MeanWin = Shown.empty() ? Currency() : Totals.Win ? *Totals.Win / int(Shown.size()) : std::optional<Currency>();
}

TCheckColumns TfrmCheckComb::Columns() const
{
    const int rows = HitsInfo.RowCount;
    const int shown = HasResults() ? HitTo - HitFrom + 1 : 0;
    return {true, HitTo, size_t(std::max(rows - HitTo, 0)), std::max(shown, 0), true};
}

void TfrmCheckComb::SetupColumns()
{
    const TCheckColumns columns = Columns();
    ResultGrid1->SetColumns(columns.Columns({QStringLiteral("Data"), 70, alCenter, ckDate, 1, true}));
    ResultGrid2->SetColumns(columns.Columns({QStringLiteral("Liczba"), 70, alCenter, ckDate, 1, true}));
    for (TStringAlignGrid *grid : {Grid1, Grid2})
        KeepColumnsInView(grid);
}

void TfrmCheckComb::ApplyStoredSorts()
{
    const TCheckColumns columns = Columns();
    for (int entry : {1, 2}) {
        const int key = SortMan.GetSortColumn(entry);
        const int direction = SortMan.GetSortDir(entry, key);
        SortCheckRows(entry == 1 ? Shown : NumberRows,
                      {key, direction, columns.FirstHit, size_t(columns.HitCount), entry == 2});
        (entry == 1 ? ResultGrid1 : ResultGrid2)->MarkSort(key, direction);
    }
}

bool TfrmCheckComb::Grid1SortColumn(int SortKey, int Direction)
{
    const TCheckColumns columns = Columns();
    SortCheckRows(Shown, {SortKey, Direction, columns.FirstHit, size_t(columns.HitCount), false});
    Grid1->InvalidateGrid();
    ShowSelection(Grid1->Row());
    RebuildCharts();
    return true;
}

bool TfrmCheckComb::Grid2SortColumn(int SortKey, int Direction)
{
    const TCheckColumns columns = Columns();
    SortCheckRows(NumberRows, {SortKey, Direction, columns.FirstHit, size_t(columns.HitCount), true});
    Grid2->InvalidateGrid();
    return true;
}

QString TfrmCheckComb::RowLabel(const TCheckRow &Row) const
{
    return GroupRowLabel(Row, TCheckGroup(GroupType), GroupType == cgDay ? StatDraws[size_t(Row.Index)].No : 0);
}

QString TfrmCheckComb::CellText(int Table, int Col, int Row) const
{
    if (NoResults)
        return {};
    const TCheckColumns columns = Columns();
    if (Table == 2) {
        if (Row < 0 || size_t(Row) >= NumberRows.size())
            return {};
        const TCheckRow &row = NumberRows[size_t(Row)];
        return Col == 0 ? QString::asprintf("%2d", row.Index) : columns.CellText(row, Col, ztBlank);
    }
    if (Row == SumRow)
        return Col == 0 ? QStringLiteral("Suma") : columns.CellText(Totals, Col, ztTotals);
    if (Row == MeanRow) {
        if (Col == 0)
            return QStringLiteral("Średnia");
        const int hit = Col - 1;
        if (hit < columns.HitCount)
            return QString::fromStdString(FormatFloat("0.00", Means[columns.FirstHit + size_t(hit)]));
        if (hit == columns.HitCount)
            return CountText(Shown.empty() ? 0 : Totals.Sum / int64_t(Shown.size()));
        return CostText(MeanWin);
    }
    if (Row < HeaderRows || size_t(Row - HeaderRows) >= Shown.size())
        return {};
    const TCheckRow &row = Shown[size_t(Row - HeaderRows)];
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
    if (NoResults || GroupType != cgDay || index < 0 || size_t(index) >= Shown.size())
        return;
    const TDynByteArr &numbers = StatDraws[size_t(Shown[size_t(index)].Index)].Numbers;
    eSelComb->setText(NumbersText(numbers.data(), numbers.size(), "%2d "));
}

void TfrmCheckComb::RebuildCharts()
{
    pcChart->hide();
    if (NoResults)
        return;
    QStringList labels;
    for (const TCheckRow &row : Shown)
        labels << RowLabel(row);
    const TCheckColumns columns = Columns();
    pcChart->ShowRows(Shown, labels, GroupType == cgDay && !ProgramParams.StatShowDate,
                      {columns.TopLevel, int(columns.FirstHit), columns.HitCount, HitsInfo.LowHits});
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
    CenterChildForm(window);
    return window;
}

void OpenCheckCombWindow()
{
    NewCheckCombWindow()->ResetParams();
}
