// The system check window's form: the range (or last draw, or own numbers) and the costs above, the
// pages of parameters, the result table and the charts below, and the window's popup menu.
#include "syswindows/FCheckSystem.h"

#include "controls/RichView.h"
#include "controls/StringAlignGrid.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalViewers.h"
#include "shell/FigureField.h"
#include "shell/FlatMenus.h"
#include "syswindows/CheckCharts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

void TfrmCheckSystem::CreateControls()
{
    resize(ScaledSize(600, 480));

    gbParams = new QGroupBox(QStringLiteral("Zakres losowań"), this);
    pnlRange = new QWidget(gbParams);
    txtDateDesc = new TRichView(pnlRange);
    SetupSummaryViewer(txtDateDesc);
    auto *range = new QHBoxLayout(pnlRange);
    range->setContentsMargins(0, 0, 0, 0);
    range->addWidget(txtDateDesc);
    pnlLastDraw = new QWidget(gbParams);
    eLastDate = new QLineEdit(pnlLastDraw);
    eLastDate->setReadOnly(true);
    auto *lastDateLabel = new QLabel(QStringLiteral("Data ostatniego losowania:"), pnlLastDraw);
    lastDateLabel->setBuddy(eLastDate);
    auto *lastDraw = new QHBoxLayout(pnlLastDraw);
    lastDraw->setContentsMargins(0, 0, 0, 0);
    lastDraw->addWidget(lastDateLabel);
    lastDraw->addWidget(eLastDate, 1);
    eNumbers = new QLineEdit(gbParams);
    eNumbers->setReadOnly(true);
    btnNums = new QPushButton(QStringLiteral("Własne li&czby..."), gbParams);
    auto *params = new QVBoxLayout(gbParams);
    params->addWidget(pnlRange);
    params->addWidget(pnlLastDraw);
    params->addWidget(eNumbers);
    params->addWidget(btnNums, 0, Qt::AlignLeft);
    params->addStretch(1);

    gbCosts = new QGroupBox(QStringLiteral("Koszty"), this);
    txtSystemCost = new TFigureField(gbCosts, Qt::AlignRight);
    txtTotalCost = new TFigureField(gbCosts, Qt::AlignRight);
    txtWin = new TFigureField(gbCosts, Qt::AlignRight);
    txtProfit = new TFigureField(gbCosts, Qt::AlignRight);
    txtAvgProfit = new TFigureField(gbCosts, Qt::AlignRight);
    btnWinsTable = new QPushButton(QStringLiteral("Wyg&rana..."), gbCosts);
    auto *costs = new QFormLayout(gbCosts);
    costs->addRow(QStringLiteral("Koszt systemu"), txtSystemCost);
    costs->addRow(QStringLiteral("Koszt całkowity"), txtTotalCost);
    costs->addRow(QStringLiteral("Wygrana całkowita"), txtWin);
    costs->addRow(QStringLiteral("Zysk całkowity"), txtProfit);
    costs->addRow(QStringLiteral("Zysk średni"), txtAvgProfit);
    costs->addRow(btnWinsTable);

    PageControl1 = new QTabWidget(this);
    tsParams = CreateParamsPage();
    PageControl1->addTab(tsParams, QStringLiteral("Parametry"));
    tsTable = CreateTablePage();
    PageControl1->addTab(tsTable, QStringLiteral("Wyniki - tabela"));
    tsChart = CreateChartPage();
    PageControl1->addTab(tsChart, QStringLiteral("Wyniki - wykres"));

    auto *top = new QHBoxLayout;
    top->addWidget(gbParams, 1);
    top->addWidget(gbCosts);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(PageControl1, 1);

    CreatePopup();
    XPMenu1 = NewFormXPMenu(this);
}

QWidget *TfrmCheckSystem::CreateParamsPage()
{
    auto *page = new QWidget;
    auto *types = new QGroupBox(QStringLiteral("Rodzaj sprawdzenia"), page);
    rbRange = new QRadioButton(QStringLiteral("Z&akres losowań"), types);
    rbRange->setChecked(true);
    rbLastDraw = new QRadioButton(QStringLiteral("Ostatnie &losowanie"), types);
    rbNumbers = new QRadioButton(QStringLiteral("Własn&e liczby"), types);
    chkShowChart = new QCheckBox(QStringLiteral("Pokaż wykres"), types);
    auto *buttons = new QVBoxLayout(types);
    buttons->addWidget(rbRange);
    buttons->addWidget(rbLastDraw);
    buttons->addWidget(rbNumbers);
    buttons->addSpacing(ScaledHeight(8));
    buttons->addWidget(chkShowChart);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(types, 0, Qt::AlignLeft);
    layout->addStretch(1);
    return page;
}

QWidget *TfrmCheckSystem::CreateTablePage()
{
    auto *page = new QWidget;
    Grid = NewGrid(page, 3, 2, 0, 1);
    Grid->setOptions(Grid->Options() | goRowSelect);
    auto *groups = new QGroupBox(QStringLiteral("Grupuj wygrane"), page);
    rbDay = new QRadioButton(QStringLiteral("&Dzień"), groups);
    rbDay->setChecked(true);
    rbWeek = new QRadioButton(QStringLiteral("T&ydzień"), groups);
    rbMonth = new QRadioButton(QStringLiteral("M&iesiąc"), groups);
    rbYear = new QRadioButton(QStringLiteral("Rok"), groups);
    auto *groupButtons = new QVBoxLayout(groups);
    for (QRadioButton *button : {rbDay, rbWeek, rbMonth, rbYear})
        groupButtons->addWidget(button);
    chkShowAllHits = new QCheckBox(QStringLiteral("Pokaż wszystkie trafienia"), page);
    btnDetails = new QPushButton(QStringLiteral("Szczegół&y..."), page);
    btnDetails->setEnabled(false);
    auto *side = new QVBoxLayout;
    side->addWidget(groups);
    side->addWidget(chkShowAllHits);
    side->addWidget(btnDetails);
    side->addStretch(1);
    auto *layout = new QHBoxLayout(page);
    layout->addWidget(Grid, 1);
    layout->addLayout(side);
    return page;
}

QWidget *TfrmCheckSystem::CreateChartPage()
{
    auto *page = new QWidget;
    pcChart = new TCheckCharts(page);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(pcChart);
    return page;
}

void TfrmCheckSystem::CreatePopup()
{
    Popup1 = new QMenu(this);
    pDrawsRange = Popup1->addAction(QStringLiteral("Zakres losowań..."));
    pCheck = Popup1->addAction(QStringLiteral("Sprawdź"));
    pNums = Popup1->addAction(QStringLiteral("Własne liczby..."));
    Popup1->addSeparator();
    pWinsTable = Popup1->addAction(QStringLiteral("Wygrana..."));
    pDetails = Popup1->addAction(QStringLiteral("Szczegóły..."));
    pReport = Popup1->addAction(QStringLiteral("Raport..."));
    pReport->setEnabled(false);
    pDetails->setEnabled(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &Pos) { Popup1->popup(mapToGlobal(Pos)); });
}
