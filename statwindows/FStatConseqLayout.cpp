// The successors window's form: the range line, the pages of parameters, analysed draws and results,
// the progress panel below.
#include "statwindows/FStatConseq.h"

#include "controls/FloatSpin.h"
#include "controls/RichView.h"
#include "controls/StringAlignGrid.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/ProgressPanel.h"
#include "shell/ResultGrid.h"

#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

void TfrmStatConseq::CreateControls()
{
    resize(ScaledSize(520, 440));
    lblDateDesc = BuddyLabel(QStringLiteral("Zakres losowań:"), txtDateDesc, this);

    PageControl1 = new QTabWidget(this);
    TabSheet1 = CreateParamsPage();
    PageControl1->addTab(TabSheet1, QStringLiteral("Parametry"));

    TabSheet2 = new QWidget;
    sgDraws = NewGrid(TabSheet2, 4, 2, 0, 1);
    sgDraws->setOptions(sgDraws->Options() | goRowSelect);
    sgDraws->FontCol(3).Name = QStringLiteral("Courier New");
    auto *draws = new QVBoxLayout(TabSheet2);
    draws->addWidget(sgDraws);
    PageControl1->addTab(TabSheet2, QStringLiteral("Analizowane losowania"));

    TabSheet3 = new QWidget;
    grid = NewGrid(TabSheet3, 3, 2, 0, 1);
    grid->setOptions(grid->Options() | goRowSelect);
    grid->FontCol(1).Name = QStringLiteral("Courier New");
    btnCombProp = new QPushButton(QStringLiteral("&Właściwości kombinacji..."), TabSheet3);
    btnCombProp->setEnabled(false);
    auto *results = new QVBoxLayout(TabSheet3);
    results->addWidget(grid, 1);
    results->addWidget(btnCombProp, 0, Qt::AlignLeft);
    PageControl1->addTab(TabSheet3, QStringLiteral("Wyniki"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(NewRangeLine(lblDateDesc));
    layout->addWidget(PageControl1, 1);
    layout->addWidget(Panel1);
}

QWidget *TfrmStatConseq::CreateParamsPage()
{
    auto *page = new QWidget;
    seCombLen = NewIntSpin(page, 1, 20, 1);
    seMinFreq = NewIntSpin(page, 1, 32000, 1);
    chkMaxRows = new QCheckBox(QStringLiteral("Max. liczba &wierszy:"), page);
    chkMaxRows->setChecked(true);
    seMaxRows = NewIntSpin(page, 1, 2147483647, 1000);
    txtComb = new QLineEdit(page);
    txtComb->setReadOnly(true);
    txtComb->setFont(QFont(QStringLiteral("Courier New")));
    btnSelComb = new QPushButton(QStringLiteral("Wy&bierz..."), page);

    gbDraws = new QGroupBox(QStringLiteral("Losowania"), page);
    rbDrawsRange = new QRadioButton(QStringLiteral("P&rzedział"), gbDraws);
    rbDrawsRange->setChecked(true);
    rbDrawsStep = new QRadioButton(QStringLiteral("&Skok"), gbDraws);
    seDrawsCount = NewIntSpin(gbDraws, 0, 1, 1);
    auto *draws = new QGridLayout(gbDraws);
    draws->addWidget(rbDrawsRange, 0, 0);
    draws->addWidget(rbDrawsStep, 1, 0);
    draws->addWidget(BuddyLabel(QStringLiteral("&Liczba losowań:"), seDrawsCount, gbDraws), 2, 0);
    draws->addWidget(seDrawsCount, 2, 1);

    gbKind = new QGroupBox(QStringLiteral("Rodzaj statystyki"), page);
    rbConseq = new QRadioButton(QStringLiteral("&Następstwa"), gbKind);
    rbConseq->setChecked(true);
    rbPreced = new QRadioButton(QStringLiteral("&Poprzedzenia"), gbKind);
    auto *kind = new QVBoxLayout(gbKind);
    kind->addWidget(rbConseq);
    kind->addWidget(rbPreced);
    kind->addStretch(1);

    auto *layout = new QGridLayout(page);
    layout->addWidget(BuddyLabel(QStringLiteral("&Długość kombinacji:"), seCombLen, page), 0, 0);
    layout->addWidget(seCombLen, 0, 1);
    layout->addWidget(BuddyLabel(QStringLiteral("&Minimalna częstotliwość:"), seMinFreq, page), 1, 0);
    layout->addWidget(seMinFreq, 1, 1);
    layout->addWidget(chkMaxRows, 2, 0);
    layout->addWidget(seMaxRows, 2, 1);
    layout->addWidget(BuddyLabel(QStringLiteral("Kombinacja:"), txtComb, page), 3, 0);
    layout->addWidget(txtComb, 3, 1, 1, 2);
    layout->addWidget(btnSelComb, 3, 3);
    layout->addWidget(gbDraws, 4, 0, 1, 2);
    layout->addWidget(gbKind, 4, 2, 1, 2);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(5, 1);
    return page;
}

void TfrmStatConseq::SetupGrids()
{
    AnalysedDraws->SetColumns({
        {QStringLiteral("Nr"), 40, alRight, 0, 0, false},
        {QStringLiteral("Data"), 66, alLeft, 0, 0, false},
        {QStringLiteral("Dzień"), 40, alLeft, 0, 0, false},
        {QStringLiteral("Liczby"), 160, alLeft, 0, 0, false},
    });
    AnalysedDraws->ShowRows(0);
    Results->SetColumns({
        {QStringLiteral("Lp."), 60, alCenter, 0, 0, false},
        {QStringLiteral("Kombinacja"), 150, alCenter, CombSortKey, 0, true},
        {QStringLiteral("Częst."), 65, alRight, FreqSortKey, 1, false},
    });
    Results->ShowRows(0);
}
