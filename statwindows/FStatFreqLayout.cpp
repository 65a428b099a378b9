// The frequency window's form: the basic parameters above, the pages of further parameters, details and
// summary, the progress panel below.
#include "statwindows/FStatFreq.h"

#include "controls/FloatSpin.h"
#include "controls/RichView.h"
#include "controls/StringAlignGrid.h"
#include "core/UGlobalSort.h"
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

namespace {

const QStringList SummaryRows = {QStringLiteral("Min"), QStringLiteral("Max"), QStringLiteral("Średnia"),
                                 QStringLiteral("Wart. oczek."), QStringLiteral("Odch. std.")};

} // namespace

void TfrmStatFreq::CreateControls()
{
    resize(ScaledSize(560, 470));
    lblDateDesc = BuddyLabel(QStringLiteral("Zakres losowań:"), txtDateDesc, this);

    GroupBox1 = new QGroupBox(QStringLiteral("Parametry podstawowe"), this);
    seCombLen = NewIntSpin(GroupBox1, 1, 20, 1);
    lblCombLen = BuddyLabel(QStringLiteral("&Długość kombinacji:"), seCombLen, GroupBox1);
    chkAllWithAll = new QCheckBox(QStringLiteral("&Każda z każdą"), GroupBox1);
    chkAllWithAll->setEnabled(false);
    seMinFreq = NewIntSpin(GroupBox1, 0, 32000, 0);
    lblMinFreq = BuddyLabel(QStringLiteral("Minim&alna częstotliwość:"), seMinFreq, GroupBox1);
    chkMaxRows = new QCheckBox(QStringLiteral("Max. liczba &wierszy:"), GroupBox1);
    chkMaxRows->setChecked(true);
    seMaxRows = NewIntSpin(GroupBox1, 1, 999999999, 1000);
    auto *basic = new QGridLayout(GroupBox1);
    basic->addWidget(lblCombLen, 0, 0);
    basic->addWidget(seCombLen, 0, 1);
    basic->addWidget(chkAllWithAll, 0, 2);
    basic->addWidget(lblMinFreq, 1, 0);
    basic->addWidget(seMinFreq, 1, 1);
    basic->addWidget(chkMaxRows, 2, 0);
    basic->addWidget(seMaxRows, 2, 1);
    basic->setColumnStretch(3, 1);

    PageControl1 = new QTabWidget(this);
    TabSheet1 = CreateParamsPage();
    PageControl1->addTab(TabSheet1, QStringLiteral("Parametry dodatkowe"));

    TabSheet2 = new QWidget;
    grid = NewGrid(TabSheet2, 5, 2, 0, 1);
    grid->setOptions(grid->Options() | goRowSelect);
    grid->FontCol(1).Name = QStringLiteral("Courier New");
    btnCombProp = new QPushButton(QStringLiteral("Właściwości &kombinacji..."), TabSheet2);
    btnCombProp->setEnabled(false);
    auto *details = new QVBoxLayout(TabSheet2);
    details->addWidget(grid, 1);
    details->addWidget(btnCombProp, 0, Qt::AlignLeft);
    PageControl1->addTab(TabSheet2, QStringLiteral("Szczegóły"));

    TabSheet3 = new QWidget;
    sgTotal = NewGrid(TabSheet3, 2, int(SummaryRows.size()) + 1, 1, 1);
    sgTotal->setScrollBars(ssNone);
    auto *summary = new QVBoxLayout(TabSheet3);
    summary->addWidget(sgTotal, 0, Qt::AlignLeft);
    summary->addStretch(1);
    PageControl1->addTab(TabSheet3, QStringLiteral("Podsumowanie"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(NewRangeLine(lblDateDesc));
    layout->addWidget(GroupBox1);
    layout->addWidget(PageControl1, 1);
    layout->addWidget(Panel1);
}

QWidget *TfrmStatFreq::CreateParamsPage()
{
    auto *page = new QWidget;

    gbComb = new QGroupBox(QStringLiteral("Kombinacja"), page);
    rbAnyComb = new QRadioButton(QStringLiteral("Dowo&lna"), gbComb);
    rbAnyComb->setChecked(true);
    rbSpecComb = new QRadioButton(QStringLiteral("Okr&eślona"), gbComb);
    txtComb = new QLineEdit(gbComb);
    txtComb->setReadOnly(true);
    txtComb->setFont(QFont(QStringLiteral("Courier New")));
    btnComb = new QPushButton(QStringLiteral("Wy&bierz..."), gbComb);
    auto *comb = new QGridLayout(gbComb);
    comb->addWidget(rbAnyComb, 0, 0);
    comb->addWidget(rbSpecComb, 1, 0);
    comb->addWidget(txtComb, 1, 1);
    comb->addWidget(btnComb, 1, 2);
    comb->setColumnStretch(1, 1);

    gbRange = new QGroupBox(QStringLiteral("Zakres liczb"), page);
    rbAll = new QRadioButton(QStringLiteral("Wszystk&ie"), gbRange);
    rbAll->setChecked(true);
    rbRange = new QRadioButton(QStringLiteral("Zak&res"), gbRange);
    seFrom = NewIntSpin(gbRange, 1, 1, 1);
    lblFrom = BuddyLabel(QStringLiteral("Od:"), seFrom, gbRange);
    seTo = NewIntSpin(gbRange, 1, 1, 1);
    lblTo = BuddyLabel(QStringLiteral("Do:"), seTo, gbRange);
    auto *range = new QGridLayout(gbRange);
    range->addWidget(rbAll, 0, 0);
    range->addWidget(rbRange, 1, 0);
    range->addWidget(lblFrom, 1, 1);
    range->addWidget(seFrom, 1, 2);
    range->addWidget(lblTo, 1, 3);
    range->addWidget(seTo, 1, 4);

    gbParity = new QGroupBox(QStringLiteral("Parzystość kombinacji"), page);
    rbEvenAny = new QRadioButton(QStringLiteral("Dowolna"), gbParity);
    rbEvenAny->setChecked(true);
    rbEvenYes = new QRadioButton(QStringLiteral("Parzysta"), gbParity);
    rbEvenNo = new QRadioButton(QStringLiteral("Nieparzysta"), gbParity);
    auto *parity = new QVBoxLayout(gbParity);
    parity->addWidget(rbEvenAny);
    parity->addWidget(rbEvenYes);
    parity->addWidget(rbEvenNo);

    chkSucc = new QCheckBox(QStringLiteral("Kolejne liczby"), page);

    auto *layout = new QGridLayout(page);
    layout->addWidget(gbComb, 0, 0, 1, 2);
    layout->addWidget(gbRange, 1, 0);
    layout->addWidget(gbParity, 1, 1, 2, 1);
    layout->addWidget(chkSucc, 2, 0);
    layout->setRowStretch(3, 1);
    return page;
}

void TfrmStatFreq::SetupGrid()
{
    std::vector<TResultColumn> columns = {
        {QStringLiteral("Lp."), 60, alCenter, 0, 0, false},
        {QStringLiteral("Kombinacja"), 150, alCenter, 1, 0, true},
        {QStringLiteral("Częst."), 65, alRight, 2, 1, true},
        {QStringLiteral("P"), 50, alCenter, 3, 0, true},
    };
    if (FromDraws)
        columns.push_back({QStringLiteral("Ostatnie wystąpienie"), 150, alCenter, 4, 0, true});
    Results->SetColumns(columns);
    Results->ShowRows(0);
}

void TfrmStatFreq::SetupTotal()
{
    sgTotal->setCells(1, 0, QStringLiteral("Wartość"));
    for (int row = 0; row < int(SummaryRows.size()); ++row)
        sgTotal->setCells(0, row + 1, SummaryRows[row]);
    SetColWidth(sgTotal, 0, 80);
    SetColWidth(sgTotal, 1, 100);
    FitGridHeight(sgTotal);
    FitGridWidth(sgTotal);
}
