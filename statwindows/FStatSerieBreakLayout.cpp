// The series and breaks windows' form: the range line above, the pages of parameters, per-number tables
// and summary, the progress panel below.
#include "statwindows/FStatSerieBreak.h"

#include "controls/FloatSpin.h"
#include "controls/PBEdit.h"
#include "controls/RichView.h"
#include "controls/StringAlignGrid.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/ProgressPanel.h"
#include "shell/ResultGrid.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

void TfrmStatSerieBreak::CreateControls()
{
    resize(ScaledSize(600, 460));
    lblDateDesc = BuddyLabel(QStringLiteral("Zakres losowań:"), txtDateDesc, this);

    PageControl2 = new QTabWidget(this);
    TabSheet1 = CreateParamsPage();
    PageControl2->addTab(TabSheet1, QStringLiteral("Parametry"));

    TabSheet2 = new QWidget;
    sgDetails1 = NewGrid(TabSheet2, 2, 2, 1, 1);
    eSelComb = new TPBEdit(TabSheet2);
    eSelComb->setReadOnly(true);
    eSelComb->setFont(QFont(QStringLiteral("Courier New")));
    lblSelComb = BuddyLabel(QStringLiteral("Wybrana kombinacja:"), eSelComb, TabSheet2);
    auto *selected = new QHBoxLayout;
    selected->addWidget(lblSelComb);
    selected->addWidget(eSelComb);
    selected->addStretch(1);
    auto *details1 = new QVBoxLayout(TabSheet2);
    details1->addLayout(selected);
    details1->addWidget(sgDetails1, 1);
    PageControl2->addTab(TabSheet2, QStringLiteral("Szczegóły - ") + Texts.Runs + QStringLiteral("/Liczby"));

    TabSheet3 = new QWidget;
    sgDetails2 = NewGrid(TabSheet3, 2, 2, 0, 1);
    auto *details2 = new QVBoxLayout(TabSheet3);
    details2->addWidget(sgDetails2);
    PageControl2->addTab(TabSheet3, QStringLiteral("Szczegóły - Liczby/") + Texts.Runs);

    TabSheet4 = CreateSummaryPage();
    PageControl2->addTab(TabSheet4, QStringLiteral("Podsumowanie"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(NewRangeLine(lblDateDesc));
    layout->addWidget(PageControl2, 1);
    layout->addWidget(Panel1);
}

QWidget *TfrmStatSerieBreak::CreateParamsPage()
{
    auto *page = new QWidget;
    seCombLen = NewIntSpin(page, 1, 1, 1);
    lblCombLen = BuddyLabel(QStringLiteral("&Długość kombinacji:"), seCombLen, page);
    cbShowCombs = new QCheckBox(QStringLiteral("Pokaż zestawienie dla kombinacji"), page);
    cbCountStd = new QCheckBox(QStringLiteral("Oblicz odchylenie standardowe"), page);
    auto *layout = new QGridLayout(page);
    layout->addWidget(lblCombLen, 0, 0);
    layout->addWidget(seCombLen, 0, 1);
    layout->addWidget(cbShowCombs, 1, 0, 1, 3);
    layout->addWidget(cbCountStd, 2, 0, 1, 3);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(3, 1);
    return page;
}

QWidget *TfrmStatSerieBreak::CreateSummaryPage()
{
    auto *page = new QWidget;
    sgTotal1 = NewGrid(page, 6, 2, 0, 1);
    sgTotal1->setOptions(sgTotal1->Options() | goRowSelect);
    sgTotal1->FontCol(1).Name = QStringLiteral("Courier New");
    sgTotal2 = NewGrid(page, 3, 2, 0, 1);
    sgTotal3 = NewGrid(page, 2, 4, 1, 1);
    sgTotal3->setScrollBars(ssNone);
    lblTotal1 = BuddyLabel(Texts.CombsCaption, sgTotal1, page);
    lblTotal2 = BuddyLabel(QStringLiteral("Rozkład ") + Texts.RunsOf + QLatin1Char(':'), sgTotal2, page);
    lblTotal3 = BuddyLabel(QStringLiteral("Rozkład ") + Texts.RunsOf + QStringLiteral(" - podsumowanie:"), sgTotal3, page);
    auto *layout = new QGridLayout(page);
    layout->addWidget(lblTotal1, 0, 0, 1, 2);
    layout->addWidget(sgTotal1, 1, 0, 1, 2);
    layout->addWidget(lblTotal2, 2, 0);
    layout->addWidget(sgTotal2, 3, 0, 2, 1);
    layout->addWidget(lblTotal3, 2, 1);
    layout->addWidget(sgTotal3, 3, 1, Qt::AlignTop | Qt::AlignLeft);
    layout->setRowStretch(1, 2);
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

void TfrmStatSerieBreak::SetupSummaryGrids()
{
    Total1->SetColumns({
        {QStringLiteral("Lp."), 60, alRight, 0, 0, false},
        {QStringLiteral("Kombinacja"), 150, alCenter, 1, -1, true},
        {QStringLiteral("Min"), 50, alRight, 2, -1, true},
        {QStringLiteral("Max"), 50, alRight, 3, -1, true},
        {QStringLiteral("Średnia"), 60, alRight, 4, -1, true},
        {QStringLiteral("Odch. std."), 70, alRight, 0, 0, true},
    });
    Total1->ShowRows(0);
    Total1->MarkSort(1, -1);
    KeepColumnsInView(sgTotal1);

    SetHeader(sgTotal2, {Texts.LengthHeader, QStringLiteral("Ilość"), QStringLiteral("Procent")}, {60, 60, 70});
    sgTotal2->setSortByClick(true);
    sgTotal2->SortCols = {TSortCol{-1, 1}, TSortCol{-1, 2}, TSortCol{-1, 3}};
    for (int col = 0; col < 3; ++col)
        sgTotal2->SetAlignCol(col, alRight);
    SetGridColsFont(sgTotal2, {0, 1, 2});
    sgTotal2->SetSortDirection(1, -1, true);
    sgTotal2->UpdateSortMarks();
    KeepColumnsInView(sgTotal2);

    sgTotal3->setCells(1, 0, QStringLiteral("Wartość"));
    sgTotal3->setCells(0, 1, QStringLiteral("Min"));
    sgTotal3->setCells(0, 2, QStringLiteral("Max"));
    sgTotal3->setCells(0, 3, QStringLiteral("Średnia"));
    sgTotal3->SetAlignCol(1, alRight);
    SetColWidth(sgTotal3, 0, 60);
    SetColWidth(sgTotal3, 1, 80);
    FitGridHeight(sgTotal3);
    FitGridWidth(sgTotal3);
}
