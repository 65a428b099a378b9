// The waiting window's form: the range line and the parameters above, the pages of details and of
// grouping and summary, the progress panel below.
#include "statwindows/FStatWait.h"

#include "controls/FloatSpin.h"
#include "controls/RichView.h"
#include "controls/StringAlignGrid.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/ProgressPanel.h"
#include "shell/ResultGrid.h"
#include "stats/UStatWait.h"
#include "syswindows/ResultCharts.h"

#include <QChartView>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QStringList SummaryRows = {QStringLiteral("Min"), QStringLiteral("Max"), QStringLiteral("Średnia"),
                                 QStringLiteral("Wart. oczek."), QStringLiteral("Odch. std.")};
constexpr int HeaderRowHeight = 30;

TStringAlignGrid *NewResultGrid(QWidget *Parent, int Cols)
{
    TStringAlignGrid *grid = NewGrid(Parent, Cols, 2, 0, 1);
    grid->setOptions(grid->Options() | goRowSelect);
    grid->setRowHeights(0, ScaledRowHeight(HeaderRowHeight));
    return grid;
}

} // namespace

void TfrmStatWait::CreateControls()
{
    resize(ScaledSize(600, 480));
    lblDateDesc = BuddyLabel(QStringLiteral("Zakres losowań:"), txtDateDesc, this);
    QWidget *params = CreateParamsBox();

    PageControl1 = new QTabWidget(this);
    TabSheet1 = new QWidget;
    sgDetails = NewResultGrid(TabSheet1, 3);
    eSelComb = new QLineEdit(TabSheet1);
    eSelComb->setReadOnly(true);
    eSelComb->setFont(QFont(QStringLiteral("Courier New")));
    Chart1 = NewChartView(TabSheet1);
    Chart1->hide();
    auto *selected = new QHBoxLayout;
    selected->addWidget(BuddyLabel(QStringLiteral("Wybrana kombinacja:"), eSelComb, TabSheet1));
    selected->addWidget(eSelComb, 1);
    auto *left = new QVBoxLayout;
    left->addWidget(sgDetails, 1);
    left->addLayout(selected);
    auto *details = new QHBoxLayout(TabSheet1);
    details->addLayout(left);
    details->addWidget(Chart1, 1);
    PageControl1->addTab(TabSheet1, QStringLiteral("Szczegóły"));

    TabSheet2 = new QWidget;
    sgAggr = NewResultGrid(TabSheet2, 3);
    sgTotal = NewGrid(TabSheet2, 2, int(SummaryRows.size()) + 1, 1, 1);
    sgTotal->setScrollBars(ssNone);
    auto *total = new QVBoxLayout;
    total->addWidget(sgTotal);
    total->addStretch(1);
    auto *aggr = new QHBoxLayout(TabSheet2);
    aggr->addWidget(sgAggr);
    aggr->addLayout(total);
    aggr->addStretch(1);
    PageControl1->addTab(TabSheet2, QStringLiteral("Szczegóły - grupowanie i podsumowanie"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(NewRangeLine(lblDateDesc));
    layout->addWidget(params);
    layout->addWidget(PageControl1, 1);
    layout->addWidget(Panel1);
}

QWidget *TfrmStatWait::CreateParamsBox()
{
    auto *box = new QGroupBox(QStringLiteral("Parametry"), this);
    seCombLen = NewIntSpin(box, 1, 1, 1);
    cbStat1 = new QRadioButton(QStringLiteral("Oczekiwanie (liczba losowań) na x% wszystkich kombinacji"), box);
    cbStat1->setChecked(true);
    seCombPrecent = NewIntSpin(box, 0, 100, 100);
    seCombPrecent->SetPrecision(2);
    seCombPrecent->LargeInc = 10;
    cbStat2 = new QRadioButton(QStringLiteral("Liczba kombinacji w n losowaniach"), box);
    seDrawsCount = NewIntSpin(box, 1, 1, 1);
    auto *layout = new QGridLayout(box);
    layout->addWidget(BuddyLabel(QStringLiteral("&Długość kombinacji:"), seCombLen, box), 0, 0);
    layout->addWidget(seCombLen, 0, 1);
    layout->addWidget(cbStat1, 1, 0, 1, 2);
    layout->addWidget(BuddyLabel(QStringLiteral("Procent kombinacji:"), seCombPrecent, box), 1, 2);
    layout->addWidget(seCombPrecent, 1, 3);
    layout->addWidget(cbStat2, 2, 0, 1, 2);
    layout->addWidget(BuddyLabel(QStringLiteral("Liczba losowań"), seDrawsCount, box), 2, 2);
    layout->addWidget(seDrawsCount, 2, 3);
    layout->setColumnStretch(4, 1);
    return box;
}

void TfrmStatWait::SetupTotal()
{
    sgTotal->setCells(1, 0, QStringLiteral("Wartość"));
    for (int row = 0; row < int(SummaryRows.size()); ++row)
        sgTotal->setCells(0, row + 1, SummaryRows[row]);
    SetColWidth(sgTotal, 0, 80);
    SetColWidth(sgTotal, 1, 100);
    sgTotal->SetAlignCol(1, alRight);
    FitGridHeight(sgTotal);
    FitGridWidth(sgTotal);
}

void TfrmStatWait::LayoutGrids()
{
    const bool waiting = StatWait->Mode == 1;
    std::vector<TResultColumn> details = {{QStringLiteral("Los."), 65, alRight, DrawSortKey, -1, false}};
    std::vector<TResultColumn> groups;
    if (waiting) {
        details.push_back({QStringLiteral("Liczba losowań"), 65, alRight, ValueSortKey, -1, false});
        groups = {{QStringLiteral("Liczba los."), 60, alRight, GroupValueSortKey, -1, false},
                  {QStringLiteral("Ilość wyst."), 50, alRight, GroupCountSortKey, -1, false}};
    } else {
        details.push_back({QStringLiteral("Liczba komb."), 65, alRight, ValueSortKey, -1, false});
        details.push_back({QStringLiteral("L. komb. %"), 56, alRight, 0, 0, false});
        groups = {{QStringLiteral("Liczba komb."), 60, alRight, GroupValueSortKey, -1, false},
                  {QStringLiteral("L. komb. %"), 56, alRight, 0, 0, false},
                  {QStringLiteral("Ilość wyst."), 50, alRight, GroupCountSortKey, -1, false}};
    }
    Details->SetColumns(details);
    Groups->SetColumns(groups);
    Details->ShowRows(int(StatWait->Details.size()));
    Groups->ShowRows(StatWait->Groups.empty() ? 0 : StatWait->Groups[0].Count);
    KeepColumnsInView(sgDetails);
    KeepColumnsInView(sgAggr);
}
