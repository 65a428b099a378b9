#include "syswindows/FCheckSystem.h"

#include "controls/StringAlignGrid.h"
#include "core/MoneyRange.h"
#include "core/ProgramLocale.h"
#include "core/ProgramParams.h"
#include "core/UComb.h"
#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "platform/gui/HelpContext.h"
#include "shell/FConfig.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalProgress.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "shell/FSelectComb.h"
#include "platform/gui/ModalHooks.h"
#include "shell/GuardedConnect.h"
#include "shell/ParamsRecord.h"
#include "shell/ResultGrid.h"
#include "syswindows/CheckCharts.h"
#include "syswindows/CheckSystemParams.h"
#include "syswindows/FCheckSysDetails.h"
#include "syswindows/FSysGeneral.h"
#include "syswindows/SysFormats.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr int RangeHeaderRows = 3; // blank, "Razem", blank
constexpr int TotalsRow = 1;
const QString NoDrawsText = QStringLiteral("Brak losowań");

} // namespace

TfrmCheckSystem::TfrmCheckSystem(QWidget *Owner) : TGenForm(Owner)
{
    platform::setHelpContext(this, 502);
    ChildKind = cwCheckSystem;
    CreateControls();
    ResultGrid = BindResultGrid(
        Grid, SortMan, 1, [this] { return HasResults(); },
        [this](int Col, int Row, TCellFormat &Format) { GridCellFormat(Col, Row, Format); },
        [this](int SortKey, int Direction) { return GridSortColumn(SortKey, Direction); });
    SortMan.SetSort(1, ckDate, 1);
    Runner.OnProgress = [this](int Pos, int Step) { DoProgress(Pos, Step); };
    Runner.OnFinished = [this](const TTaskEnd &End) { Guarded([this, &End] { CheckEnded(End); }); };
    ConnectControls();
}

TfrmCheckSystem::~TfrmCheckSystem()
{
    FormDestroy();
}

void TfrmCheckSystem::ConnectControls()
{
    for (QRadioButton *button : {rbRange, rbLastDraw, rbNumbers})
        connectGuarded(button, &QRadioButton::toggled, this, [this](bool Checked) {
            if (Checked)
                rbTypeCheckClick();
        });
    for (QRadioButton *button : {rbDay, rbWeek, rbMonth, rbYear})
        connectGuarded(button, &QRadioButton::toggled, this, [this](bool Checked) {
            if (Checked)
                RegroupClick();
        });
    for (QCheckBox *box : {chkShowAllHits, chkShowChart})
        connectGuarded(box, &QCheckBox::clicked, this, &TfrmCheckSystem::HitsOptionClick);
    connectGuarded(pCheck, &QAction::triggered, this, &TfrmCheckSystem::StartCheck);
    connectGuarded(pDrawsRange, &QAction::triggered, this, [this] { Range.Edit(this); });
    connectGuarded(btnNums, &QPushButton::clicked, this, &TfrmCheckSystem::EnterOwnNumbers);
    const auto openWinsTable = [this] { OpenConfigDialog(this, Game->Info.Id); };
    connectGuarded(btnWinsTable, &QPushButton::clicked, this, openWinsTable);
    connectGuarded(pWinsTable, &QAction::triggered, this, openWinsTable);
    connectGuarded(pNums, &QAction::triggered, this, &TfrmCheckSystem::EnterOwnNumbers);
    connectGuarded(pReport, &QAction::triggered, this, [this] {
        if (HasResults())
            Report();
    });
    connectGuarded(btnDetails, &QPushButton::clicked, this, &TfrmCheckSystem::ShowDetails);
    connectGuarded(pDetails, &QAction::triggered, this, &TfrmCheckSystem::ShowDetails);
    Grid->OnSelectCell = guardedCall([this](TStringGrid *, int, int ARow) { UpdateDetailsButton(ARow); });
    Grid->OnDblClick = guardedCall([this](TStringGrid *) {
        if (btnDetails->isEnabled())
            ShowDetails();
    });
}

TSystem *TfrmCheckSystem::System() const
{
    return OwnerWindow ? OwnerWindow->System.get() : nullptr;
}

void TfrmCheckSystem::Init(TGameData *AGame, TGenSysForm *AOwnerWindow)
{
    Game = AGame;
    OwnerWindow = AOwnerWindow;
    ParentWindow = AOwnerWindow;
    WindowNo = AOwnerWindow->WindowNo;
    ShowCaption();
    Range.Attach(Game, txtDateDesc);
    ShowLastDate();
    DrawCount = 0;
    ResetResults();
    ShowCosts();
    chkShowAllHits->setEnabled(System()->FullBet);
    ReadParams();
    SetupColumns();
    ResultGrid->ShowRows(0);
    UpdateMenu();
}

void TfrmCheckSystem::OwnerSystemChanged()
{
    StopCheck();
    ShowCaption();
    ResetResults();
    if (const TSystem *system = System())
        chkShowAllHits->setEnabled(system->FullBet);
    ClearResults();
    ShowCosts();
}

void TfrmCheckSystem::ShowCaption()
{
    if (const TSystem *system = System())
        setWindowTitle(WindowTag(*Game, WindowNo) + QStringLiteral("> Sprawdzenie systemu: ") +
                       QString::fromStdString(system->GetDescription(true)));
}

void TfrmCheckSystem::UpdateMenu()
{
    if (!IsActiveChild())
        return;
    EnableCommands(cmdAll, false);
    if (Checking())
        EnableCommands(cmdRead | cmdStop, true);
    else
        EnableCommands(cmdRead | (FCheckQueued ? 0 : cmdStart) | (HasResults() ? cmdReport : 0), true);
}

void TfrmCheckSystem::FormActivate()
{
    UpdateMenu();
}

void TfrmCheckSystem::ShowLastDate()
{
    const TDrawsManager &draws = *Game->DrawsMan;
    eLastDate->setText(draws.Count() > 0 ? QString::fromStdString(DateToStr(draws.GetDraw(draws.Count() - 1).Date))
                                         : NoDrawsText);
}

void TfrmCheckSystem::ReadParams()
{
    const TStoredRecord stored =
        ReadParamsRecord(ParamsKey("Tools\\", Game->Info.Id, TCheckSystemParams::ToolIndex), TCheckSystemParams::RecordSize);
    const TCheckSystemParams params = TCheckSystemParams::Decode(stored.Bytes);
    const std::array<QRadioButton *, 3> types = {rbRange, rbLastDraw, rbNumbers};
    types[params.CheckType < types.size() ? params.CheckType : 0]->setChecked(true);
    chkShowChart->setChecked(params.ShowChart != 0);
    const std::array<QRadioButton *, 4> groups = {rbDay, rbWeek, rbMonth, rbYear};
    groups[params.GroupType < groups.size() ? params.GroupType : 0]->setChecked(true);
    GroupType = CheckedIndex(groups);
    chkShowAllHits->setChecked(params.ShowAllHits != 0);
    ShowAllHits = chkShowAllHits->isChecked();
    OwnNumbers = params.UsableOwnNumbers(Game->Info.MaxNumber, Game->Info.Drawn);
    ShowOwnNumbers();
    rbTypeCheckClick();
}

void TfrmCheckSystem::WriteParams()
{
    TCheckSystemParams params;
    params.GroupType = CheckedIndex(std::array<QRadioButton *, 4>{rbDay, rbWeek, rbMonth, rbYear});
    params.CheckType = CheckedIndex(std::array<QRadioButton *, 3>{rbRange, rbLastDraw, rbNumbers});
    params.ShowAllHits = chkShowAllHits->isChecked();
    params.ShowChart = chkShowChart->isChecked();
    params.OwnCount = uint8_t(std::min(OwnNumbers.size(), params.OwnNumbers.size()));
    std::copy_n(OwnNumbers.begin(), params.OwnCount, params.OwnNumbers.begin());
    WriteParamsRecord(ParamsKey("Tools\\", Game->Info.Id, TCheckSystemParams::ToolIndex), params.Encode());
}

void TfrmCheckSystem::ShowOwnNumbers()
{
    eNumbers->setText(NumbersText(OwnNumbers.data(), OwnNumbers.size(), "  %d"));
}

void TfrmCheckSystem::EnterOwnNumbers()
{
    const std::optional<TSelectedComb> chosen =
        SelectNumbers(this, {1, Game->Info.Drawn, Game->Info.MaxNumber, OwnNumbers, {}});
    if (!chosen)
        return;
    OwnNumbers = chosen->Numbers;
    // Hits are counted by merging ascending numbers.
    std::sort(OwnNumbers.begin(), OwnNumbers.end());
    ShowOwnNumbers();
}

void TfrmCheckSystem::rbTypeCheckClick()
{
    pnlRange->hide();
    pnlLastDraw->hide();
    eNumbers->hide();
    btnNums->setEnabled(false);
    pNums->setEnabled(false);
    chkShowChart->setEnabled(false);
    if (rbRange->isChecked()) {
        pnlRange->show();
        chkShowChart->setEnabled(true);
        gbParams->setTitle(QStringLiteral("Zakres losowań"));
    } else if (rbLastDraw->isChecked()) {
        pnlLastDraw->show();
        gbParams->setTitle(QStringLiteral("Ostatnie losowanie"));
    } else {
        eNumbers->show();
        btnNums->setEnabled(true);
        pNums->setEnabled(true);
        gbParams->setTitle(QStringLiteral("Własne liczby"));
    }
    for (QRadioButton *button : {rbDay, rbWeek, rbMonth, rbYear})
        button->setEnabled(rbRange->isChecked());
}

void TfrmCheckSystem::StartCheck()
{
    if (FCheckQueued || FDestroyed)
        return;
    FCheckQueued = true;
    UpdateMenu();
    // What waits in the event loop goes first; a closed window drops the call.
    QMetaObject::invokeMethod(
        this,
        [this] {
            FCheckQueued = false;
            if (FDestroyed)
                return;
            Guarded([this] { pCheckClick(); });
            UpdateMenu();
        },
        Qt::QueuedConnection);
}

void TfrmCheckSystem::ResetResults()
{
    if (const TSystem *system = System())
        Results.Reset(Game->Info, system->N, system->K);
    DrawCount = 1;
}

void TfrmCheckSystem::ClearResults()
{
    NoResults = true;
    pcChart->hide();
    pReport->setEnabled(false);
    UpdateDetailsButton(Grid->Row());
    SetupColumns();
    ResultGrid->ShowRows(0);
    ClearCosts();
    UpdateMenu();
}

void TfrmCheckSystem::pCheckClick()
{
    const TSystem *system = System();
    if (!system)
        return;
    // The limit the system window opens a check under holds for every system it takes later.
    if (system->ViewCount() > Limits.MaxCombOutput) {
        MsgBox(QStringLiteral("Nie można sprawdzić systemu, który ma więcej niż %1 kombinacji.")
                   .arg(Limits.MaxCombOutput),
               QString(), MsgFlagsNotice);
        return;
    }
    if (rbNumbers->isChecked() && OwnNumbers.empty())
        EnterOwnNumbers();
    if (rbNumbers->isChecked() && OwnNumbers.empty())
        return;
    StopCheck();
    CheckType = CheckedIndex(std::array<QRadioButton *, 3>{rbRange, rbLastDraw, rbNumbers});
    ResetResults();
    ClearResults();
    std::vector<TCheckDraw> draws = CheckedDraws();
    if (draws.empty())
        return;
    DrawCount = CheckType == ctRange ? int(draws.size()) : 1;
    FJobParams = {Range.Range, CheckType, CheckType == ctNumbers ? OwnNumbers : TDynByteArr()};
    const auto job = std::make_shared<TCheckJob>(Results, *system, std::move(draws));
    job->Progress.Init(10000, int64_t(system->ViewCount()) * DrawCount, 0);
    job->Progress.OnProgress = Runner.LatestProgressHandler();
    Runner.Start([job, checker = Checker](TMyThread &Thread) { checker(*job, Thread); });
    FJob = job;
    SetStatusText(QStringLiteral("Sprawdzanie systemu..."));
    UpdateMenu();
}

std::vector<TCheckDraw> TfrmCheckSystem::CheckedDraws()
{
    if (CheckType == ctRange)
        return RangeDraws();
    if (CheckType == ctLastDraw)
        return LastDraw();
    return {{MaskOf(OwnNumbers.data(), int(OwnNumbers.size())), -1, 0}};
}

std::vector<TCheckDraw> TfrmCheckSystem::RangeDraws()
{
    const int32_t count = StatDrawsMan.LoadRange(StatDraws, *Game->DrawsMan, Range.Range);
    if (count == 0) {
        MsgBox(NoDrawsText, QString(), MsgFlagsNotice);
        return {};
    }
    StatDrawsMan.SortByDate(StatDraws, 1);
    return CheckDrawsOf(StatDraws);
}

std::vector<TCheckDraw> TfrmCheckSystem::LastDraw()
{
    const TDrawsManager &draws = *Game->DrawsMan;
    if (draws.Count() == 0) {
        MsgBox(NoDrawsText, QString(), MsgFlagsNotice);
        return {};
    }
    const int32_t last = draws.Count() - 1;
    const TDraw &draw = draws.GetDraw(last);
    return {{MaskOf(draw.Numbers.data(), int(draw.Numbers.size())), last, draw.Date}};
}

void TfrmCheckSystem::CheckEnded(const TTaskEnd &End)
{
    const std::shared_ptr<TCheckJob> job = std::move(FJob);
    ClearStatus();
    if (End.Failed) {
        ResetResults();
        UpdateMenu();
        MsgBox(QString::fromStdString(End.FailureText), QString(), MsgFlagsNotice);
        return;
    }
    for (TCheckRow &row : job->Rows)
        Results.AddResult(std::move(row));
    if (CheckType == ctRange) {
        GroupType = CheckedIndex(std::array<QRadioButton *, 4>{rbDay, rbWeek, rbMonth, rbYear});
        Results.Group(TCheckGroup(GroupType));
    } else {
        Results.Shown = Results.DrawResults;
    }
    ShowResults();
}

void TfrmCheckSystem::StopCheck()
{
    if (!Checking())
        return;
    Runner.Stop();
    FJob.reset();
    ClearStatus();
    ResetResults();
    UpdateMenu();
}

void TfrmCheckSystem::ClearStatus()
{
    ProgressClear();
    SetStatusText(QString());
}

void TfrmCheckSystem::ShowResults()
{
    const bool range = CheckType == ctRange;
    ResultGrid->ShowRows(range ? int(Results.Shown.size()) + RangeHeaderRows : 1);
    RebuildCharts();
    if (range)
        ApplyStoredSort();
    NoResults = false;
    SetupColumns();
    Grid->InvalidateGrid();
    ShowCosts();
    if (PageControl1->currentWidget() == tsParams)
        PageControl1->setCurrentWidget(tsTable);
    UpdateDetailsButton(Grid->Row());
    ReportParams = FJobParams;
    pReport->setEnabled(true);
    UpdateMenu();
}

void TfrmCheckSystem::ApplyStoredSort()
{
    const int key = SortMan.GetSortColumn(1);
    const int direction = SortMan.GetSortDir(1, key);
    if (key != ckDate || direction != 1)
        Results.Sort(key, direction);
    ResultGrid->MarkSort(key, direction);
}

void TfrmCheckSystem::RegroupClick()
{
    GroupType = CheckedIndex(std::array<QRadioButton *, 4>{rbDay, rbWeek, rbMonth, rbYear});
    // Only the rows of a range check have dates to group by.
    if (NoResults || CheckType != ctRange)
        return;
    Results.Group(TCheckGroup(GroupType));
    ResultGrid->ShowRows(int(Results.Shown.size()) + RangeHeaderRows);
    ApplyStoredSort();
    SetupColumns();
    ShowCosts();
    Grid->InvalidateGrid();
    UpdateDetailsButton(Grid->Row());
    RebuildCharts();
}

bool TfrmCheckSystem::GridSortColumn(int SortKey, int Direction)
{
    if (CheckType != ctRange || SortKey < ckDate || SortKey > ckWin)
        return false;
    Results.Sort(SortKey, Direction);
    Grid->InvalidateGrid();
    RebuildCharts();
    return true;
}

TCheckColumns TfrmCheckSystem::Columns() const
{
    const THitsInfo &info = Results.HitsInfo;
    return {CheckType != ctNumbers, info.HighHits, 0, ShowAllHits ? info.RowCount : info.LevelCount, false};
}

void TfrmCheckSystem::SetupColumns()
{
    ResultGrid->SetColumns(Columns().Columns({QStringLiteral("Los."), 65, alCenter, ckDate, 1, true}));
    if (HasResults() && CheckType == ctRange)
        WidenToWidestRows(*ResultGrid, Results.Shown, RangeHeaderRows, {TotalsRow});
    else if (HasResults())
        WidenToWidestRows(*ResultGrid, Results.Shown, 0);
    KeepColumnsInView(Grid);
    if (HasResults() && CheckType == ctRange)
        ResultGrid->MarkSort(SortMan.GetSortColumn(1), SortMan.GetSortDir(1, SortMan.GetSortColumn(1)));
}

void TfrmCheckSystem::HitsOptionClick()
{
    ShowAllHits = chkShowAllHits->isChecked();
    SetupColumns();
    Grid->InvalidateGrid();
}

QString TfrmCheckSystem::RowLabel(const TCheckRow &Row) const
{
    if (CheckType == ctLastDraw)
        return QString::number(Row.Index + 1);
    return GroupRowLabel(Row, TCheckGroup(GroupType), GroupType == cgDay ? StatDraws[size_t(Row.Index)].No : 0);
}

QString TfrmCheckSystem::CellText(int Col, int Row) const
{
    if (NoResults)
        return {};
    const bool range = CheckType == ctRange;
    const TCheckRow *row = nullptr;
    if (!range)
        row = Row == 0 && !Results.Shown.empty() ? &Results.Shown.front() : nullptr;
    else if (Row == TotalsRow)
        row = &Results.Totals;
    else if (Row >= RangeHeaderRows && size_t(Row - RangeHeaderRows) < Results.Shown.size())
        row = &Results.Shown[size_t(Row - RangeHeaderRows)];
    if (!row)
        return {};
    const bool totals = range && Row == TotalsRow;
    if (Col == 0 && CheckType != ctNumbers)
        return totals ? QStringLiteral("Razem") : RowLabel(*row);
    return Columns().CellText(*row, Col, !range ? ztShown : totals ? ztTotals : ztBlank);
}

void TfrmCheckSystem::GridCellFormat(int Col, int Row, TCellFormat &Format) const
{
    Format.Text = CellText(Col, Row);
    if (CheckType == ctRange && Row == TotalsRow)
        Format.Font.Style |= fsBold;
}

void TfrmCheckSystem::RebuildCharts()
{
    pcChart->hide();
    if (!chkShowChart->isChecked() || !chkShowChart->isEnabled())
        return;
    const bool drawNumbers = CheckType == ctRange && GroupType == cgDay && !ProgramParams.StatShowDate;
    QStringList labels;
    for (const TCheckRow &row : Results.Shown)
        labels << RowLabel(row);
    const THitsInfo &info = Results.HitsInfo;
    pcChart->ShowRows(Results.Shown, labels, drawNumbers, {info.HighHits, 0, info.RowCount, info.LowHits});
}

void TfrmCheckSystem::ShowCosts()
{
    const TSystem *system = System();
    if (!system)
        return;
    const std::optional<Currency> cost = SystemCost(Game->Info, system->K, system->ViewCount());
    txtSystemCost->setText(CostText(cost));
    if (NoResults || DrawCount <= 0)
        return;
    const std::optional<Currency> &win = Results.Totals.Win;
    txtWin->setText(CostText(win));
    std::optional<Currency> total;
    std::optional<Currency> profit;
    std::optional<Currency> average;
    if (cost)
        total = InMoneyRange([&] { return *cost * DrawCount; });
    if (total && win)
        profit = InMoneyRange([&] { return *win - *total; });
    if (profit && CheckType == ctRange)
        average = *profit / (GroupType == cgDay ? DrawCount : int(Results.Shown.size()));
    txtTotalCost->setText(CostText(total));
    txtProfit->setText(CostText(profit));
    txtAvgProfit->setText(CheckType == ctRange ? CostText(average) : QString());
}

void TfrmCheckSystem::ClearCosts()
{
    for (QLineEdit *field : {txtSystemCost, txtTotalCost, txtWin, txtProfit, txtAvgProfit})
        field->clear();
}

TDynByteArr TfrmCheckSystem::CheckedNumbers() const
{
    if (CheckType == ctNumbers)
        return OwnNumbers;
    if (CheckType == ctLastDraw) {
        const TDrawsManager &draws = *Game->DrawsMan;
        return draws.Count() > 0 ? draws.GetDraw(draws.Count() - 1).Numbers : TDynByteArr();
    }
    const int row = Grid->Row() - (RangeHeaderRows + 1);
    if (row < 0 || size_t(row) >= Results.Shown.size())
        return {};
    return StatDraws[size_t(Results.Shown[size_t(row)].Index)].Numbers;
}

void TfrmCheckSystem::ShowDetails()
{
    const TSystem *system = System();
    const TDynByteArr numbers = CheckedNumbers();
    if (!system || !btnDetails->isEnabled() || numbers.empty())
        return;
    TfrmCheckSysDetails details(this);
    details.Init(*system, numbers, ShowAllHits, Results.HitsInfo);
    platform::execModal(details);
}

void TfrmCheckSystem::UpdateDetailsButton(int GridRow)
{
    const bool enabled = HasResults() && (CheckType != ctRange || (GroupType == cgDay && GridRow >= RangeHeaderRows + 1));
    btnDetails->setEnabled(enabled);
    pDetails->setEnabled(enabled);
}

bool TfrmCheckSystem::HandleCommand(CommandEvent &Command)
{
    const QEvent::Type code = Command.type();
    if (code == WM_TASK_START) {
        StartCheck();
    } else if (code == WM_TASK_STOP) {
        StopCheck();
    } else if (code == WM_SYS_REPORT) {
        if (HasResults())
            Report();
    } else if (code == WM_DRAWS_RANGE) {
        Range.Edit(this);
    } else if (const std::optional<int> gameId = ChangedDrawsGame(Command)) {
        if (!Range.DrawsChanged(*gameId))
            return true;
        ShowLastDate();
        // Own numbers do not depend on the history.
        if (CheckType != ctNumbers) {
            StopCheck();
            ClearResults();
        }
    } else {
        return false;
    }
    return true;
}

void TfrmCheckSystem::FormDestroy()
{
    if (FDestroyed)
        return;
    FDestroyed = true;
    // A check that goes with the window takes its status with it.
    const bool checking = Checking();
    Runner.Stop();
    if (checking)
        ClearStatus();
    if (IsActiveChild())
        FormDeactivate();
    if (Game)
        WriteParams();
}

void TfrmCheckSystem::closeEvent(QCloseEvent *event)
{
    Guarded([this] { FormDestroy(); });
    event->accept();
}
