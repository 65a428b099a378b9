// The exploration tab's controls, its record fields and its run.
#include "syswindows/FFilterExplore.h"

#include "controls/RichView.h"
#include "controls/StringAlignGrid.h"
#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalViewers.h"
#include "shell/GuardedConnect.h"
#include "shell/ResultGrid.h"
#include "shell/RunButtonPress.h"
#include "syswindows/FEFilterThread.h"
#include "syswindows/ResultCharts.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

struct TExplorationItem {
    const char *Text;
    uint32_t Code;
};

const std::array<TExplorationItem, ExplorationCount> ExplorationItems = {{
    {"F01  Kolejne liczby", efltSucc},
    {"F02  Liczby parzyste", efltPar},
    {"F07  Rozpiętość kombinacji", efltDist},
    {"F08  Suma liczb", efltSum},
    {"F09  Suma 1 cyfry", efltSDigit1},
    {"F10  Suma 2 cyfry", efltSDigit2},
    {"F11  Suma cyfr", efltSDigit12},
    {"F13  Cyfry 1 - układy", efltGDigit1},
    {"F14  Cyfry 2 - układy", efltGDigit2},
    {"F19  Różnice - układy", efltDiffConf},
}};

// Offsets within the exploration bytes (byte 5 of the editor's record is their 0).
constexpr size_t ItemsOffset = 0;
constexpr size_t FilterFuncOffset = 20;
constexpr size_t CheckWinsOffset = 21;
constexpr size_t RangeOffset = 22;

const QString ExploreCaption = QStringLiteral("&Przelicz");
const QString StopCaption = QStringLiteral("&Stop");

} // namespace

TFilterExploration::TFilterExploration(QWidget *Parent) : QWidget(Parent)
{
    CreateControls();
    connectGuarded(EF_lbFilters, &QListWidget::itemChanged, this, &TFilterExploration::UpdateButtons);
    connectGuarded(EF_SelAll, &QPushButton::clicked, this, [this] { SetAllChecked(true); });
    connectGuarded(EF_DeSelAll, &QPushButton::clicked, this, [this] { SetAllChecked(false); });
    connectGuarded(EF_cbCheckWins, &QCheckBox::toggled, this, &TFilterExploration::EF_cbCheckWinsClick);
    connectGuarded(EF_btnFltDate, &QPushButton::clicked, this, &TFilterExploration::EF_btnFltDateClick);
    DoExplorePress = new TRunButtonPress(EF_btnDoExplore, [this] { return Running(); });
    connectGuarded(EF_btnDoExplore, &QPushButton::clicked, this, &TFilterExploration::EF_btnDoExploreClick);
    connectGuarded(EF_btnReport, &QPushButton::clicked, this, &TFilterExploration::EF_btnReportClick);
    Runner.OnProgress = [this](int Pos, int Step) {
        if (OnProgress)
            OnProgress(Pos, Step);
    };
    Runner.OnFinished = [this](const TTaskEnd &End) { RunGuarded([this, End] { RunEnded(End); }); };
}

TFilterExploration::~TFilterExploration()
{
    Runner.Stop();
}

void TFilterExploration::CreateControls()
{
    PageControl1 = new QTabWidget(this);
    TabSheet1 = new QWidget(PageControl1);
    TabSheet2 = new QWidget(PageControl1);
    PageControl1->addTab(TabSheet1, QStringLiteral("Parametry"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Wyniki"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl1);

    auto *params = new QHBoxLayout(TabSheet1);
    params->addWidget(CreateParams());
    params->addStretch(1);

    EFScrollBox1 = new QScrollArea(TabSheet2);
    EFScrollBox1->setWidgetResizable(true);
    EFScrollBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    auto *content = new QWidget(EFScrollBox1);
    auto *boxes = new QVBoxLayout(content);
    boxes->setSpacing(10);
    boxes->setContentsMargins(1, 3, 1, 3);
    EFPopup = new QMenu(this);
    for (int item = 0; item < ExplorationCount; ++item)
        CreateItem(item, content);
    boxes->addStretch(1);
    EFScrollBox1->setWidget(content);
    EFScrollBox1->hide();
    connectGuarded(EFScrollBox1, &QWidget::customContextMenuRequested, this,
                   [this](const QPoint &At) { EFPopup->popup(EFScrollBox1->mapToGlobal(At)); });
    auto *results = new QVBoxLayout(TabSheet2);
    results->addWidget(EFScrollBox1);
}

QWidget *TFilterExploration::CreateParams()
{
    auto *panel = new QWidget(TabSheet1);
    EF_lbFilters = new QListWidget(panel);
    for (const TExplorationItem &entry : ExplorationItems) {
        auto *item = new QListWidgetItem(QString::fromUtf8(entry.Text), EF_lbFilters);
        item->setData(Qt::UserRole, entry.Code);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    EF_lbFilters->setMinimumWidth(ScaledWidth(200));
    EF_SelAll = new QPushButton(QStringLiteral("Zaznacz wszystkie"), panel);
    EF_DeSelAll = new QPushButton(QStringLiteral("Odznacz wszystkie"), panel);
    EF_cbFilterFunc = new QCheckBox(QStringLiteral("Uwzględnij wybrane filtry"), panel);
    EF_gbFltDate = new QGroupBox(QStringLiteral("Zakres losowań"), panel);
    EF_eFltDate = new TRichView(EF_gbFltDate);
    SetupSummaryViewer(EF_eFltDate);
    EF_btnFltDate = new QPushButton(QStringLiteral("Wybi&erz..."), EF_gbFltDate);
    auto *range = new QHBoxLayout(EF_gbFltDate);
    range->addWidget(EF_eFltDate, 1);
    range->addWidget(EF_btnFltDate, 0, Qt::AlignTop);
    EF_cbCheckWins = new QCheckBox(QStringLiteral("Sprawdź wygrane"), panel);
    EF_btnDoExplore = new QPushButton(ExploreCaption, panel);
    EF_btnReport = new QPushButton(QStringLiteral("Raport"), panel);
    EF_btnReport->setEnabled(false);

    auto *listLabel = new QLabel(QStringLiteral("Filtry:"), panel);
    listLabel->setBuddy(EF_lbFilters);
    auto *selection = new QHBoxLayout;
    selection->addWidget(EF_SelAll);
    selection->addWidget(EF_DeSelAll);
    auto *run = new QHBoxLayout;
    run->addWidget(EF_btnDoExplore);
    run->addWidget(EF_btnReport);
    run->addStretch(1);
    auto *layout = new QGridLayout(panel);
    layout->addWidget(listLabel, 0, 0);
    layout->addWidget(EF_lbFilters, 1, 0, 5, 1);
    layout->addLayout(selection, 6, 0);
    layout->addWidget(EF_cbFilterFunc, 1, 1);
    layout->addWidget(EF_cbCheckWins, 2, 1);
    layout->addWidget(EF_gbFltDate, 3, 1);
    layout->addLayout(run, 4, 1);
    layout->setRowStretch(5, 1);
    layout->setColumnMinimumWidth(1, ScaledWidth(330));
    return panel;
}

void TFilterExploration::CreateItem(int Item, QWidget *Content)
{
    TItem &item = Items[size_t(Item)];
    const QString text = QString::fromUtf8(ExplorationItems[size_t(Item)].Text);
    item.Box = new QGroupBox(text, Content);
    QFont font = item.Box->font();
    font.setBold(true);
    item.Box->setFont(font);
    item.Box->setStyleSheet(QStringLiteral("QGroupBox { color: #000080; }"));
    item.Grid = NewGrid(item.Box, 3, 15, 0, 1);
    item.Grid->setMinimumHeight(ScaledHeight(238));
    ColourResultGrid(item.Grid);
    item.View = std::make_unique<TResultGrid>(item.Grid, SortMan, Item + 1, [this] { return !Shown.Explorations.empty(); });
    item.View->SetSortProc([this](int SortKey, int Direction) { return SortAll(SortKey, Direction); });
    item.Chart = NewChartView(item.Box);
    QChart *chart = item.Chart->chart();
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    item.Chart->setMinimumHeight(ScaledHeight(187));
    auto *layout = new QVBoxLayout(item.Box);
    layout->addWidget(item.Grid);
    layout->addWidget(item.Chart);
    item.Box->hide();
    Content->layout()->addWidget(item.Box);
    item.PopupItem = EFPopup->addAction(text);
    item.PopupItem->setVisible(false);
    connectGuarded(item.PopupItem, &QAction::triggered, this, [this, Item] {
        EFScrollBox1->ensureWidgetVisible(Items[size_t(Item)].Box, 0, 0);
        EFScrollBox1->verticalScrollBar()->setValue(Items[size_t(Item)].Box->y());
    });
}

void TFilterExploration::Init(const TExplorationSource &ASource)
{
    Source = ASource;
    Game = Source.Game;
    FltRange.Attach(Game, EF_eFltDate);
    EF_cbCheckWinsClick();
}

void TFilterExploration::ApplyRecord(const platform::Bytes &Bytes)
{
    {
        const QSignalBlocker quiet(EF_lbFilters);
        for (int item = 0; item < ExplorationCount; ++item)
            EF_lbFilters->item(item)->setCheckState(Bytes[ItemsOffset + size_t(item)] == 1 ? Qt::Checked
                                                                                           : Qt::Unchecked);
    }
    EF_cbFilterFunc->setChecked(Bytes[FilterFuncOffset] == 1);
    EF_cbCheckWins->setChecked(Bytes[CheckWinsOffset] == 1);
    platform::ByteReader range(std::span<const uint8_t>(Bytes).subspan(RangeOffset));
    ReadDrawsRange(range, FltRange.Range);
    RepairDrawsRange(FltRange.Range);
    FltRange.Refresh();
    EF_cbCheckWinsClick();
    UpdateButtons();
}

void TFilterExploration::StoreRecord(platform::Bytes &Bytes) const
{
    std::fill(Bytes.begin(), Bytes.begin() + RangeOffset, uint8_t(0));
    for (int item = 0; item < ExplorationCount; ++item)
        Bytes[ItemsOffset + size_t(item)] = EF_lbFilters->item(item)->checkState() == Qt::Checked ? 1 : 0;
    Bytes[FilterFuncOffset] = EF_cbFilterFunc->isChecked() ? 1 : 0;
    Bytes[CheckWinsOffset] = EF_cbCheckWins->isChecked() ? 1 : 0;
    platform::ByteWriter range;
    WriteDrawsRange(range, FltRange.Range);
    std::copy(range.bytes().begin(), range.bytes().end(), Bytes.begin() + RangeOffset);
}

bool TFilterExploration::Running() const
{
    return Runner.Running();
}

void TFilterExploration::SetAllChecked(bool Checked)
{
    {
        const QSignalBlocker quiet(EF_lbFilters);
        for (int item = 0; item < ExplorationCount; ++item)
            EF_lbFilters->item(item)->setCheckState(Checked ? Qt::Checked : Qt::Unchecked);
    }
    UpdateButtons();
}

void TFilterExploration::UpdateButtons()
{
    const bool running = Running();
    bool any = false;
    for (int item = 0; item < ExplorationCount; ++item)
        any = any || EF_lbFilters->item(item)->checkState() == Qt::Checked;
    const bool filtering = FilteringRuns && FilteringRuns();
    EF_btnDoExplore->setEnabled(running || (any && !filtering));
    EF_btnReport->setEnabled(!running && !Shown.Explorations.empty());
    EF_cbCheckWins->setEnabled(Source.Filtered.Mode == 1 && !running);
    EF_btnFltDate->setEnabled(Source.Filtered.Mode == 1 && !running && EF_cbCheckWins->isChecked());
}

void TFilterExploration::EF_cbCheckWinsClick()
{
    UpdateButtons();
}

void TFilterExploration::EF_btnFltDateClick()
{
    if (!Running())
        FltRange.Edit(this);
}

void TFilterExploration::EF_btnDoExploreClick()
{
    if (DoExplorePress->PressedOnStop())
        Stop();
    else if (!Running())
        StartRun();
}

void TFilterExploration::StartRun()
{
    if (FilteringRuns && FilteringRuns())
        return;
    TGroupFilter *groupFilter = nullptr;
    if (EF_cbFilterFunc->isChecked()) {
        groupFilter = BuildGroupFilter ? BuildGroupFilter() : nullptr;
        if (!groupFilter) {
            MsgBox(QStringLiteral("Nie zostały wybrane żadne filtry."), QString(), MsgFlagsNotice);
            return;
        }
    }
    Pending = TRunResults();
    Pending.CheckWins = Source.Filtered.Mode == 1 && EF_cbCheckWins->isChecked();
    Pending.Range = FltRange.Range;
    Thread = std::make_unique<TEFilterThread>();
    for (int item = 0; item < ExplorationCount; ++item) {
        if (EF_lbFilters->item(item)->checkState() != Qt::Checked)
            continue;
        TExploration exploration{CreateEFilter(ExplorationItems[size_t(item)].Code, Game, Source.N, Source.Numbers,
                                                   Source.Total, Source.K), item};
        // The range is resolved into the run's copy; the game's history keeps its marks.
        if (Pending.CheckWins)
            exploration.EFilter->SetDrawsRange(Pending.Range, *Source.Filtered.DrawsMan);
        Thread->EFilters.push_back(exploration.EFilter.get());
        Pending.Explorations.push_back(std::move(exploration));
    }
    if (Pending.Explorations.empty()) {
        Thread.reset();
        return;
    }
    Thread->GroupFilter = groupFilter;
    Thread->Source = Source.Filtered;
    Thread->OnProgress = Runner.ProgressHandler();
    TEFilterThread *job = Thread.get();
    EF_btnDoExplore->setText(StopCaption);
    EFScrollBox1->hide();
    Runner.Start([job](TMyThread &Worker) { job->Execute(Worker); });
    UpdateButtons();
    if (OnRunChanged)
        OnRunChanged();
}

void TFilterExploration::Stop()
{
    if (!Thread)
        return;
    Runner.Stop();
    EndRunControls();
    // The shown results, when there are any, stay in view.
    EFScrollBox1->setVisible(!Shown.Explorations.empty());
}

void TFilterExploration::EndRunControls()
{
    Thread.reset();
    Pending = TRunResults();
    EF_btnDoExplore->setText(ExploreCaption);
    UpdateButtons();
    if (OnRunChanged)
        OnRunChanged();
}

void TFilterExploration::RunEnded(const TTaskEnd &End)
{
    TRunResults completed = std::move(Pending);
    EndRunControls();
    if (End.Failed) {
        EFScrollBox1->setVisible(!Shown.Explorations.empty());
        MsgBox(QString::fromStdString(End.FailureText), QString(), MsgFlagsNotice);
        return;
    }
    if (End.Terminated) {
        EFScrollBox1->setVisible(!Shown.Explorations.empty());
        return;
    }
    Shown = std::move(completed);
    for (TItem &item : Items)
        item.PopupItem->setVisible(false);
    for (const TExploration &exploration : Shown.Explorations)
        Items[size_t(exploration.Item)].PopupItem->setVisible(true);
    LayoutResults();
    UpdateButtons();
    EFScrollBox1->show();
    PageControl1->setCurrentWidget(TabSheet2);
}
