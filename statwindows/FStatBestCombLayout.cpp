// The optimal combinations window's form: the range line, the pages of parameters and results, the
// progress panel below; and the result grid's columns for a computation.
#include "statwindows/FStatBestComb.h"

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

#include <algorithm>

namespace {

// Numbers a line of a combination cell holds at most.
constexpr int NumbersPerLine = 12;

QLineEdit *NumbersLine(QWidget *Parent)
{
    auto *line = new QLineEdit(Parent);
    line->setReadOnly(true);
    line->setFont(QFont(QStringLiteral("Courier New")));
    return line;
}

} // namespace

void TfrmStatBestComb::CreateControls()
{
    resize(ScaledSize(560, 460));
    auto *lblDateDesc = BuddyLabel(QStringLiteral("Zakres losowań:"), txtDateDesc, this);

    PageControl1 = new QTabWidget(this);
    tsParams = CreateParamsPage();
    PageControl1->addTab(tsParams, QStringLiteral("Parametry"));

    tsResults = new QWidget;
    Grid = NewGrid(tsResults, 4, 2, 0, 1);
    Grid->setOptions(Grid->Options() | goRowSelect);
    btnCheckComb = new QPushButton(QStringLiteral("&Szczegóły"), tsResults);
    btnCheckComb->setEnabled(false);
    auto *results = new QVBoxLayout(tsResults);
    results->addWidget(Grid, 1);
    results->addWidget(btnCheckComb, 0, Qt::AlignLeft);
    PageControl1->addTab(tsResults, QStringLiteral("Wyniki"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(NewRangeLine(lblDateDesc));
    layout->addWidget(PageControl1, 1);
    layout->addWidget(Panel1);
}

QWidget *TfrmStatBestComb::CreateParamsPage()
{
    auto *page = new QWidget;

    seCombLen = NewIntSpin(page, 1, 1, 1);
    lblCombLen = BuddyLabel(QStringLiteral("&Długość kombinacji:"), seCombLen, page);
    seCombCount = new QLineEdit(page);
    seCombCount->setReadOnly(true);
    seCombCount->setAlignment(Qt::AlignRight);
    lblCombCount = BuddyLabel(QStringLiteral("Liczba wszystkich kombinacji:"), seCombCount, page);

    gbAlg = new QGroupBox(QStringLiteral("Algorytm"), page);
    rbAlg1 = new QRadioButton(QStringLiteral("&Algorytm dokładny"), gbAlg);
    rbAlg2 = new QRadioButton(QStringLiteral("Algorytm przy&bliżony"), gbAlg);
    rbAlg2->setChecked(true);
    seMaxIter = NewIntSpin(gbAlg, 1, 999999999, 1000);
    lblMaxIter = BuddyLabel(QStringLiteral("Li&czba iteracji:"), seMaxIter, gbAlg);
    auto *alg = new QGridLayout(gbAlg);
    alg->addWidget(rbAlg1, 0, 0, 1, 2);
    alg->addWidget(rbAlg2, 1, 0, 1, 2);
    alg->addWidget(lblMaxIter, 2, 0);
    alg->addWidget(seMaxIter, 2, 1);

    gbOpt = new QGroupBox(QStringLiteral("Rodzaj optymalizacji"), page);
    rbWin = new QRadioButton(QStringLiteral("&Wygrana"), gbOpt);
    rbWin->setChecked(true);
    rbHit = new QRadioButton(QStringLiteral("T&rafienia"), gbOpt);
    seHitFrom = NewIntSpin(gbOpt, 1, 1, 1);
    lblHitFrom = BuddyLabel(QStringLiteral("Od:"), seHitFrom, gbOpt);
    seHitTo = NewIntSpin(gbOpt, 1, 1, 1);
    lblHitTo = BuddyLabel(QStringLiteral("Do:"), seHitTo, gbOpt);
    auto *opt = new QGridLayout(gbOpt);
    opt->addWidget(rbWin, 0, 0, 1, 4);
    opt->addWidget(rbHit, 1, 0, 1, 4);
    opt->addWidget(lblHitFrom, 2, 0);
    opt->addWidget(seHitFrom, 2, 1);
    opt->addWidget(lblHitTo, 2, 2);
    opt->addWidget(seHitTo, 2, 3);

    gbKey = new QGroupBox(QStringLiteral("Klucz"), page);
    seKeyLen = NewIntSpin(gbKey, 1, 1, 1);
    lblKeyLen = BuddyLabel(QStringLiteral("&Ilość liczb:"), seKeyLen, gbKey);
    txtKey = NumbersLine(gbKey);
    btnKey = new QPushButton(QStringLiteral("W&ybierz..."), gbKey);
    auto *key = new QGridLayout(gbKey);
    key->addWidget(lblKeyLen, 0, 0);
    key->addWidget(seKeyLen, 0, 1);
    key->addWidget(btnKey, 0, 3);
    key->addWidget(txtKey, 1, 0, 1, 4);
    key->setColumnStretch(2, 1);

    gbConsts = new QGroupBox(QStringLiteral("Liczby stałe"), page);
    seConstLen = NewIntSpin(gbConsts, 0, 0, 0);
    lblConstLen = BuddyLabel(QStringLiteral("Ilość &liczb:"), seConstLen, gbConsts);
    txtConsts = NumbersLine(gbConsts);
    btnConsts = new QPushButton(QStringLiteral("Wybi&erz..."), gbConsts);
    auto *consts = new QGridLayout(gbConsts);
    consts->addWidget(lblConstLen, 0, 0);
    consts->addWidget(seConstLen, 0, 1);
    consts->addWidget(btnConsts, 0, 3);
    consts->addWidget(txtConsts, 1, 0, 1, 4);
    consts->setColumnStretch(2, 1);

    chkShowEqualCombs = new QCheckBox(QStringLiteral("&Pokazuj kombinacje równoważne"), page);

    auto *lengths = new QGridLayout;
    lengths->addWidget(lblCombLen, 0, 0);
    lengths->addWidget(seCombLen, 0, 1);
    lengths->addWidget(lblCombCount, 1, 0);
    lengths->addWidget(seCombCount, 1, 1);
    lengths->setColumnStretch(2, 1);

    auto *layout = new QGridLayout(page);
    layout->addLayout(lengths, 0, 0, 1, 2);
    layout->addWidget(gbAlg, 1, 0);
    layout->addWidget(gbOpt, 1, 1);
    layout->addWidget(gbKey, 2, 0, 1, 2);
    layout->addWidget(gbConsts, 3, 0, 1, 2);
    layout->addWidget(chkShowEqualCombs, 4, 0, 1, 2);
    layout->setRowStretch(5, 1);
    return page;
}

void TfrmStatBestComb::SetupGrid()
{
    std::vector<TResultColumn> columns = {{QStringLiteral("Lp."), 40, alRight, 0, 0, false}};
    for (int j = 1; j <= LevelCount; ++j)
        columns.push_back({QString::number(MinWin + LevelCount - j), 40 + 2 * (j - 1), alRight, 0, 0, false});
    columns.push_back({QStringLiteral("Wygrana"), 115, alRight, 0, 0, false});
    columns.push_back({QStringLiteral("Kombinacja"), 90, alLeft, 0, 0, false});
    ResultGrid->SetColumns(columns);
    const int combCol = LevelCount + 2;
    for (int col = 0; col < Grid->ColCount(); ++col)
        Grid->ResetFontCol(col);
    Grid->FontCol(combCol).Name = QStringLiteral("Courier New");
    // A long combination takes several lines of at most twelve numbers.
    const int lines = std::max(1, (CombLen + NumbersPerLine - 1) / NumbersPerLine);
    const int perLine = (std::max(CombLen, 1) + lines - 1) / lines;
    Grid->setWordwrap(lines > 1 ? ww_wordwrap : ww_none);
    Grid->setDefaultRowHeight(ScaledRowHeight(16 * lines + 2));
    Grid->setRowHeights(0, ScaledRowHeight(DesignRowHeight));
    SetColWidth(Grid, combCol, 90, {QStringLiteral(" 99").repeated(perLine) + QLatin1Char(' ')});
    KeepColumnsInView(Grid);
    ResultGrid->ShowRows(0);
}
