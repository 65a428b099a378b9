// The reduction prediction window's form: the range line, the combination's parameters and the draws
// of the sub-range on the left, the number order beside them, the result set and the progress panel
// below.
#include "statwindows/FPredReduct.h"

#include "controls/FloatSpin.h"
#include "controls/RichView.h"
#include "controls/StringAlignGrid.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/ProgressPanel.h"
#include "shell/ResultGrid.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

void TfrmPredReduct::CreateControls()
{
    resize(ScaledSize(470, 420));
    lblDateDesc = BuddyLabel(QStringLiteral("Zakres losowań:"), txtDateDesc, this);

    seHitWin = NewIntSpin(this, 1, 1, 1);
    lblHitWin = BuddyLabel(QStringLiteral("&Stopień wygranej:"), seHitWin, this);
    seCombLen = NewIntSpin(this, 1, 1, 1);
    lblCombLen = BuddyLabel(QStringLiteral("Długość &kombinacji:"), seCombLen, this);

    gbDraws = new QGroupBox(QStringLiteral("Podzakres losowań"), this);
    seDrawFrom = NewIntSpin(gbDraws, 1, 1, 1);
    lblDrawFrom = BuddyLabel(QStringLiteral("&Od:"), seDrawFrom, gbDraws);
    seDrawTo = NewIntSpin(gbDraws, 1, 1, 1);
    lblDrawTo = BuddyLabel(QStringLiteral("&Do:"), seDrawTo, gbDraws);
    auto *draws = new QGridLayout(gbDraws);
    draws->addWidget(lblDrawFrom, 0, 0);
    draws->addWidget(seDrawFrom, 0, 1);
    draws->addWidget(lblDrawTo, 1, 0);
    draws->addWidget(seDrawTo, 1, 1);

    gbNumbers = new QGroupBox(QStringLiteral("Liczby"), this);
    seKeyLen = NewIntSpin(gbNumbers, 1, 1, 1);
    lblKeyLen = BuddyLabel(QStringLiteral("&Ilość liczb:"), seKeyLen, gbNumbers);
    btnKey = new QPushButton(QStringLiteral("&Wybierz..."), gbNumbers);
    Grid = NewGrid(gbNumbers, 3, 2, 0, 1);
    Grid->setOptions(Grid->Options() | goRowSelect);
    auto *numbers = new QGridLayout(gbNumbers);
    numbers->addWidget(lblKeyLen, 0, 0);
    numbers->addWidget(seKeyLen, 0, 1);
    numbers->addWidget(btnKey, 0, 2);
    numbers->addWidget(Grid, 1, 0, 1, 4);
    numbers->setColumnStretch(3, 1);
    numbers->setRowStretch(1, 1);

    txtResult = new QLineEdit(this);
    txtResult->setReadOnly(true);
    txtResult->setFont(QFont(QStringLiteral("Courier New")));
    lblResult = BuddyLabel(QStringLiteral("&Zbiór wynikowy:"), txtResult, this);

    auto *params = new QGridLayout;
    params->addWidget(lblCombLen, 0, 0);
    params->addWidget(seCombLen, 0, 1);
    params->addWidget(lblHitWin, 1, 0);
    params->addWidget(seHitWin, 1, 1);
    params->addWidget(gbDraws, 2, 0, 1, 2);
    params->setRowStretch(3, 1);
    auto *middle = new QHBoxLayout;
    middle->addLayout(params);
    middle->addWidget(gbNumbers, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(NewRangeLine(lblDateDesc));
    layout->addLayout(middle, 1);
    auto *resultLine = new QHBoxLayout;
    resultLine->addWidget(lblResult);
    resultLine->addWidget(txtResult, 1);
    layout->addLayout(resultLine);
    layout->addWidget(Panel1);
}

void TfrmPredReduct::SetupGrid()
{
    Results->SetColumns({
        {QStringLiteral("Liczba"), 50, alCenter, 1, 2, false},
        {QStringLiteral("Częst. 1"), 60, alRight, 2, 2, false},
        {QStringLiteral("Częst. 2"), 60, alRight, 3, 2, false},
    });
    KeepColumnsInView(Grid);
}
