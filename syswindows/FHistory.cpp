#include "syswindows/FHistory.h"

#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "core/UGlobalUtils.h"
#include "engine/UGame.h"
#include "engine/UGameMan.h"
#include "platform/gui/HelpContext.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalSystems.h"
#include "shell/FMain.h"
#include "shell/FigureField.h"
#include "shell/GuardedConnect.h"
#include "shell/ParamsRecord.h"
#include "shell/ResultGrid.h"
#include "syswindows/FHistEdit.h"
#include "syswindows/FSysWindows.h"
#include "syswindows/SysFormats.h"
#include "syswindows/UHistory.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <vector>

namespace {

constexpr int ToolsHistoryIndex = 4;
constexpr int FixedColumnCount = 11;
constexpr int GameColumn = 2;
constexpr int HitsColumnCode = 12;
constexpr int InitialSortColumn = 2;
constexpr int InitialSortDirection = 1;
// The last day a date edit takes.
constexpr TDateTime LastDay = 2958465;

struct TFixedColumn {
    const char *Caption;
    int Width;
    TMyAlign Alignment;
};

const TFixedColumn FixedColumns[FixedColumnCount] = {
    {"Lp.", 25, alRight},
    {"Data wysłania", 68, alLeft},
    {"Gra", 34, alLeft},
    {"System", 104, alLeft},
    {"K", 26, alRight},
    {"N", 30, alRight},
    {"Liczba komb.", 60, alRight},
    {"Wiel.", 44, alRight},
    {"Koszt", 85, alRight},
    {"Wygrana", 85, alRight},
    {"Zysk", 80, alRight},
};

QString GameShortName(uint32_t GameId)
{
    const int index = GameId <= 0xFF ? Games.GameIndexOfId(uint8_t(GameId)) : -1;
    return index >= 0 ? QString::fromStdString(Games.GetGame(index)->Info.ShortName) : QString();
}

// A stored day the date edits can show, else Fallback.
TDateTime UsableDay(TDateTime Stored, TDateTime Fallback)
{
    return std::isfinite(Stored) && Stored >= 0 && Stored <= LastDay ? Stored : Fallback;
}

// The rows of View that hold the widest texts of the grid: the first (the largest row number, and dates
// are of one width) and, for every figure, the rows of its largest and its smallest value (digits are of
// one width in the grids' fonts, so a figure's text is widest at one of its ends).
std::vector<int> WidestRows(const TGeneralList<THistoryItem> &View)
{
    std::vector<std::function<int64_t(const THistoryItem &)>> figures = {
        [](const THistoryItem &Item) { return int64_t(Item.K); },
        [](const THistoryItem &Item) { return int64_t(Item.N); },
        [](const THistoryItem &Item) { return int64_t(Item.CombCount); },
        [](const THistoryItem &Item) { return int64_t(Item.Multiplier); },
        [](const THistoryItem &Item) { return Item.Cost.count(); },
        [](const THistoryItem &Item) { return Item.Win.count(); },
        [](const THistoryItem &Item) { return Item.Profit.count(); },
    };
    for (size_t hit = 0; hit < HistoryHitLevels; ++hit)
        figures.push_back([hit](const THistoryItem &Item) { return int64_t(Item.Hits[hit]); });
    std::vector<int> rows{0};
    for (const auto &figure : figures) {
        int largest = 0, smallest = 0;
        for (int row = 1; row < View.Count(); ++row) {
            const int64_t value = figure(*View.GetItem(row));
            if (value > figure(*View.GetItem(largest)))
                largest = row;
            if (value < figure(*View.GetItem(smallest)))
                smallest = row;
        }
        rows.insert(rows.end(), {largest, smallest});
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

} // namespace

TfrmHistory::TfrmHistory(QWidget *parent) : TFirstShow<QDialog>(parent)
{
    platform::setHelpContext(this, 708);
    setWindowTitle(QStringLiteral("Historia"));
    CreateControls();
    Results = std::make_unique<TResultGrid>(Grid, SortMan, 1,
                                            [this] { return FHistory && FHistory->View.Count() > 0; });
    Results->SetCellProc([this](int Col, int Row, TCellFormat &Format) { GridCellFormat(Col, Row, Format); });
    Results->SetSortProc([this](int SortKey, int Direction) {
        FHistory->Sort(SortKey, Direction);
        return true;
    });
    ColourResultGrid(Grid);
}

TfrmHistory::~TfrmHistory() = default;

std::string TfrmHistory::ParamsKeyName()
{
    return ParamsKey("Tools\\", 0, ToolsHistoryIndex);
}

void TfrmHistory::CreateControls()
{
    PageControl = new QTabWidget(this);
    tsParams = new QWidget;
    tsHistory = new QWidget;
    PageControl->addTab(tsParams, QStringLiteral("Parametry"));
    PageControl->addTab(tsHistory, QStringLiteral("Historia"));

    cbGame = new QComboBox(tsParams);
    auto *gameLabel = new QLabel(QStringLiteral("&Rodzaj gry:"), tsParams);
    gameLabel->setBuddy(cbGame);
    auto *span = new QGroupBox(QStringLiteral("Zakres czasu"), tsParams);
    chkFrom = new QCheckBox(QStringLiteral("&Od:"), span);
    dtFrom = NewDateEdit(span);
    chkTo = new QCheckBox(QStringLiteral("&Do:"), span);
    dtTo = NewDateEdit(span);
    connect(chkFrom, &QCheckBox::toggled, dtFrom, &QWidget::setEnabled);
    connect(chkTo, &QCheckBox::toggled, dtTo, &QWidget::setEnabled);
    auto *spanLayout = new QGridLayout(span);
    spanLayout->addWidget(chkFrom, 0, 0);
    spanLayout->addWidget(dtFrom, 0, 1);
    spanLayout->addWidget(chkTo, 1, 0);
    spanLayout->addWidget(dtTo, 1, 1);
    lbHits = new QListWidget(tsParams);
    for (int level = HistoryHitLevels; level >= 1; --level) {
        auto *item = new QListWidgetItem(QStringLiteral("'%1'").arg(level), lbHits);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    auto *hitsLabel = new QLabel(QStringLiteral("&Trafienia:"), tsParams);
    hitsLabel->setBuddy(lbHits);
    btnSelAll = new QPushButton(QStringLiteral("Zaznacz wszystkie"), tsParams);
    btnDeselAll = new QPushButton(QStringLiteral("Odznacz wszystkie"), tsParams);
    connectGuarded(btnSelAll, &QPushButton::clicked, this, [this] { CheckAll(lbHits, true); });
    connectGuarded(btnDeselAll, &QPushButton::clicked, this, [this] { CheckAll(lbHits, false); });
    Refresh = new QAction(this);
    Refresh->setShortcut(QKeySequence(Qt::Key_F5));
    addAction(Refresh);
    connectGuarded(Refresh, &QAction::triggered, this, &TfrmHistory::RefreshExecute);
    btnRefresh = new QPushButton(QStringLiteral("Odś&wież (F5)"), tsParams);
    connect(btnRefresh, &QPushButton::clicked, Refresh, &QAction::trigger);

    auto *hitButtons = new QVBoxLayout;
    hitButtons->addWidget(btnSelAll);
    hitButtons->addWidget(btnDeselAll);
    hitButtons->addStretch(1);
    auto *hitsRow = new QHBoxLayout;
    hitsRow->addWidget(lbHits);
    hitsRow->addLayout(hitButtons);
    auto *paramsLayout = new QVBoxLayout(tsParams);
    paramsLayout->addWidget(gameLabel);
    paramsLayout->addWidget(cbGame);
    paramsLayout->addWidget(span);
    paramsLayout->addWidget(hitsLabel);
    paramsLayout->addLayout(hitsRow, 1);
    paramsLayout->addWidget(btnRefresh, 0, Qt::AlignRight);

    Grid = NewGrid(tsHistory, FixedColumnCount, 2, 0, 1);
    Grid->setOptions(Grid->Options() | goRowSelect);
    auto *costs = new QGroupBox(QStringLiteral("Koszty"), tsHistory);
    eCost = new TFigureField(costs, Qt::AlignRight);
    eWin = new TFigureField(costs, Qt::AlignRight);
    eProfit = new TFigureField(costs, Qt::AlignRight);
    auto *costsLayout = new QGridLayout(costs);
    costsLayout->addWidget(new QLabel(QStringLiteral("Koszt całkowity"), costs), 0, 0);
    costsLayout->addWidget(eCost, 1, 0);
    costsLayout->addWidget(new QLabel(QStringLiteral("Wygrana całkowita"), costs), 0, 1);
    costsLayout->addWidget(eWin, 1, 1);
    costsLayout->addWidget(new QLabel(QStringLiteral("Zysk całkowity"), costs), 0, 2);
    costsLayout->addWidget(eProfit, 1, 2);
    btnDelete = new QPushButton(QStringLiteral("&Usuń"), tsHistory);
    btnShow = new QPushButton(QStringLiteral("&Wczytaj..."), tsHistory);
    btnChange = new QPushButton(QStringLiteral("Z&mień..."), tsHistory);
    btnDelAll = new QPushButton(QStringLiteral("U&suń wszystko"), tsHistory);
    connectGuarded(btnDelete, &QPushButton::clicked, this, [this] {
        int first = 0;
        int last = 0;
        if (SelectedRange(first, last))
            DeleteShown(first, last);
    });
    connectGuarded(btnShow, &QPushButton::clicked, this, &TfrmHistory::btnShowClick);
    connectGuarded(btnChange, &QPushButton::clicked, this, &TfrmHistory::btnChangeClick);
    connectGuarded(btnDelAll, &QPushButton::clicked, this, [this] { DeleteShown(0, FHistory->View.Count() - 1); });
    auto *entryButtons = new QVBoxLayout;
    for (QPushButton *button : {btnDelete, btnShow, btnChange, btnDelAll})
        entryButtons->addWidget(button);
    entryButtons->addStretch(1);
    auto *below = new QHBoxLayout;
    below->addWidget(costs, 1);
    below->addLayout(entryButtons);
    auto *historyLayout = new QVBoxLayout(tsHistory);
    historyLayout->addWidget(Grid, 1);
    historyLayout->addLayout(below);

    btnWrite = new QPushButton(QStringLiteral("&Zapisz zmiany"), this);
    btnWrite->setEnabled(false);
    connectGuarded(btnWrite, &QPushButton::clicked, this, &TfrmHistory::btnWriteClick);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    connectGuarded(btnCancel, &QPushButton::clicked, this, [this] { done(2); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnWrite);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl, 1);
    layout->addLayout(buttons);
    resize(ScaledSize(820, 460));
}

void TfrmHistory::FormShow()
{
    cbGame->addItem(QStringLiteral("Wszystkie"));
    for (int i = 0; i < Games.Count(); ++i)
        cbGame->addItem(QString::fromStdString(Games.GetGame(i)->Info.Name));
    chkFrom->setChecked(false);
    chkTo->setChecked(false);
    ReadParams();
    FHistory = std::make_unique<THistory>();
    FHistory->Load();
    SortMan.SetSort(1, InitialSortColumn, InitialSortDirection);
    SelectAndSort();
    ShowView();
}

void TfrmHistory::ReadParams()
{
    const TDateTime today = FromQDate(QDate::currentDate());
    const TStoredRecord stored = ReadParamsRecord(ParamsKeyName(), THistoryParams::RecordSize);
    Params = stored.Valid() ? THistoryParams::Decode(stored.Bytes) : THistoryParams::Defaults(today);
    const int index =
        Params.GameId >= 0 && Params.GameId <= 0xFF ? Games.GameIndexOfId(uint8_t(Params.GameId)) : -1;
    cbGame->setCurrentIndex(index + 1);
    dtFrom->setDate(ToQDate(UsableDay(Params.From, today)));
    dtTo->setDate(ToQDate(UsableDay(Params.To, today)));
    chkFrom->setChecked(Params.FromOn != 0);
    chkTo->setChecked(Params.ToOn != 0);
    dtFrom->setEnabled(chkFrom->isChecked());
    dtTo->setEnabled(chkTo->isChecked());
    for (int i = 0; i < HistoryHitLevels; ++i)
        lbHits->item(i)->setCheckState(Params.HitLevels[size_t(i)] ? Qt::Checked : Qt::Unchecked);
}

void TfrmHistory::WriteParams()
{
    Params.Valid = 1;
    Params.GameId = SelectedGameId();
    Params.FromOn = chkFrom->isChecked() ? 1 : 0;
    Params.From = FromQDate(dtFrom->date());
    Params.ToOn = chkTo->isChecked() ? 1 : 0;
    Params.To = FromQDate(dtTo->date());
    for (int i = 0; i < HistoryHitLevels; ++i)
        Params.HitLevels[size_t(i)] = lbHits->item(i)->checkState() == Qt::Checked ? 1 : 0;
    WriteParamsRecord(ParamsKeyName(), Params.Encode());
}

void TfrmHistory::done(int Result)
{
    if (Shown())
        WriteParams();
    QDialog::done(Result);
}

int32_t TfrmHistory::SelectedGameId() const
{
    const int index = cbGame->currentIndex() - 1;
    return index >= 0 && index < Games.Count() ? int32_t(Games.GetGame(index)->Info.Id) : -1;
}

void TfrmHistory::SelectAndSort()
{
    FHistory->Select(SelectedGameId(), chkFrom->isChecked(), FromQDate(dtFrom->date()), chkTo->isChecked(),
                     FromQDate(dtTo->date()));
    FHistory->Sort(SortMan.GetSortColumn(1), SortMan.GetSortDir(1, SortMan.GetSortColumn(1)));
}

void TfrmHistory::RefreshExecute()
{
    if (!FHistory)
        return;
    SelectAndSort();
    ShowView();
    PageControl->setCurrentWidget(tsHistory);
}

void TfrmHistory::ShowView()
{
    BuildColumns();
    Results->ShowRows(FHistory->View.Count());
    WidenColumns();
    ShowTotals();
    UpdateButtons();
}

void TfrmHistory::BuildColumns()
{
    std::vector<TResultColumn> columns;
    for (int col = 0; col < FixedColumnCount; ++col) {
        const TFixedColumn &fixed = FixedColumns[col];
        columns.push_back(
            {QString::fromUtf8(fixed.Caption), fixed.Width, fixed.Alignment, col + 1, 0, false});
    }
    HitElements.clear();
    for (int i = 0; i < HistoryHitLevels; ++i) {
        if (lbHits->item(i)->checkState() != Qt::Checked)
            continue;
        HitElements.push_back(i);
        columns.push_back({QString::number(HistoryHitLevels - i), 38 + i, alRight, HitsColumnCode, 0, false});
    }
    Results->SetColumns(columns);
    // Every game's name shows in full.
    QStringList games;
    for (int game = 0; game < Games.Count(); ++game)
        games.push_back(QString::fromStdString(Games.GetGame(game)->Info.ShortName));
    SetColWidth(Grid, GameColumn, FixedColumns[GameColumn].Width, games);
    const int column = SortMan.GetSortColumn(1);
    Results->MarkSort(column, SortMan.GetSortDir(1, column));
}

void TfrmHistory::WidenColumns()
{
    if (FHistory->View.Count() > 0)
        Results->WidenToRows(WidestRows(FHistory->View));
}

void TfrmHistory::GridCellFormat(int Col, int Row, TCellFormat &Format) const
{
    if (Row >= FHistory->View.Count())
        return;
    const THistoryItem &item = *FHistory->View.GetItem(Row);
    switch (Col) {
    case 0:
        Format.Text = QString::number(FHistory->View.Count() - Row);
        break;
    case 1:
        Format.Text = QString::fromStdString(DateToStr(item.Date));
        break;
    case 2:
        Format.Text = GameShortName(item.GameId);
        break;
    case 3:
        Format.Text = SystemKindName(item.SysKind);
        break;
    case 4:
        Format.Text = QString::number(item.K);
        break;
    case 5:
        Format.Text = QString::number(item.N);
        break;
    case 6:
        Format.Text = CountText(item.CombCount);
        break;
    case 7:
        Format.Text = CountText(item.Multiplier);
        break;
    case 8:
        Format.Text = MoneyText(item.Cost);
        break;
    case 9:
        Format.Text = MoneyText(item.Win);
        break;
    case 10:
        Format.Text = MoneyText(item.Profit);
        break;
    default:
        if (const size_t hit = size_t(Col - FixedColumnCount); hit < HitElements.size())
            Format.Text = CountText(item.Hits[size_t(HitElements[hit])]);
        break;
    }
}

void TfrmHistory::ShowTotals()
{
    eCost->setText(CostText(FHistory->TotalCost));
    eWin->setText(CostText(FHistory->TotalWin));
    eProfit->setText(CostText(FHistory->TotalProfit));
}

void TfrmHistory::UpdateButtons()
{
    const bool shown = FHistory->View.Count() > 0;
    for (QPushButton *button : {btnChange, btnDelete, btnDelAll, btnShow})
        button->setEnabled(shown);
}

bool TfrmHistory::SelectedRange(int &First, int &Last) const
{
    const TGridRect selection = Grid->Selection();
    First = std::max(selection.Top, 1) - 1;
    Last = std::min(selection.Bottom, FHistory->View.Count()) - 1;
    return First <= Last;
}

void TfrmHistory::btnChangeClick()
{
    const int row = Grid->Row();
    if (row < 1 || row > FHistory->View.Count())
        return;
    THistoryItem &entry = *FHistory->View.GetItem(row - 1);
    TfrmHistEdit dialog(this);
    dialog.SetItem(entry);
    if (platform::execModal(dialog) != 1 || !dialog.Modified)
        return;
    entry = dialog.Item();
    FHistory->UpdateTotals();
    WidenColumns();
    ShowTotals();
    btnWrite->setEnabled(true);
    Grid->InvalidateGrid();
}

void TfrmHistory::btnShowClick()
{
    int first = 0;
    int last = 0;
    if (!SelectedRange(first, last))
        return;
    for (int i = first; i <= last; ++i) {
        const THistoryItem &entry = *FHistory->View.GetItem(i);
        const std::string path = HistoryDir + entry.FileName;
        std::error_code error;
        const int index = entry.GameId <= 0xFF ? Games.GameIndexOfId(uint8_t(entry.GameId)) : -1;
        if (index < 0 || !std::filesystem::is_regular_file(path, error))
            continue;
        OpenSystemFile(Games.GetGame(index), entry.SysKind, path);
    }
}

void TfrmHistory::DeleteShown(int First, int Last)
{
    if (First > Last)
        return;
    FHistory->DeleteRange(First, Last);
    FHistory->UpdateTotals();
    Results->ShowRows(FHistory->View.Count());
    ShowTotals();
    UpdateButtons();
    btnWrite->setEnabled(true);
}

void TfrmHistory::btnWriteClick()
{
    if (!FHistory->Save()) {
        ShowWriteFailure(FHistory->FileName);
        return;
    }
    done(1);
}

void OpenHistoryDialog()
{
    TfrmHistory dialog(frmMain);
    platform::execModal(dialog);
}
