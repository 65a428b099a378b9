// The staking window's two tabs: the parameters and the plan.
#include "syswindows/FSysStage.h"

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FigureField.h"
#include "shell/GuardedConnect.h"
#include "syswindows/FSysGeneralLayout.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

void AddRow(QFormLayout *Form, const QString &Caption, QWidget *Field)
{
    auto *label = new QLabel(Caption, Field->parentWidget());
    label->setBuddy(Field);
    Form->addRow(label, Field);
}

} // namespace

void TfrmSysStage::BuildLayout()
{
    PageControl1 = new QTabWidget(this);
    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;
    PageControl1->addTab(TabSheet1, QStringLiteral("Parametry"));
    PageControl1->addTab(TabSheet2, QStringLiteral("System"));

    seD = NewIntSpin(TabSheet1, 1, MaxDraws, 10);
    seMinProfitHit = NewIntSpin(TabSheet1, 1, 1, 1);

    GroupBox1 = new QGroupBox(QStringLiteral("Zysk"), TabSheet1);
    rbSingleProfit = new QRadioButton(QStringLiteral("Zysk taki sam dla każdego losowania"), GroupBox1);
    rbSingleProfit->setChecked(true);
    seMinProfit = NewIntSpin(GroupBox1, 0, MaxProfit, 100);
    rbMultiProfit = new QRadioButton(QStringLiteral("Zysk indywidualnie dla każdego losowania"), GroupBox1);
    sgProfit = NewGrid(GroupBox1, 2, 11, 1, 1);
    MakeGridEditable(sgProfit);
    SetHeader(sgProfit, {QStringLiteral("Lp."), QStringLiteral("Zysk")}, {27, 98});
    // Row numbers up to the most draws.
    SetColWidth(sgProfit, 0, 27, {QString::number(MaxDraws)});
    sgProfit->setEnabled(false);
    KeepColumnsInView(sgProfit);
    btnWriteFlts = new QPushButton(QStringLiteral("Zapisz zyski..."), GroupBox1);
    btnWriteFlts->hide();
    btnReadFlts = new QPushButton(QStringLiteral("W&czytaj zyski..."), GroupBox1);
    btnReadFlts->hide();
    auto *profits = new QGridLayout(GroupBox1);
    profits->addWidget(rbSingleProfit, 0, 0);
    profits->addWidget(seMinProfit, 0, 1);
    profits->addWidget(rbMultiProfit, 1, 0, 1, 2);
    profits->addWidget(sgProfit, 2, 0, 1, 2);
    profits->setRowStretch(2, 1);

    GroupBox2 = new QGroupBox(QStringLiteral("System pełny"), TabSheet1);
    seK = NewIntSpin(GroupBox2, 1, 1, 3);
    seN = NewIntSpin(GroupBox2, 1, 1, 5);
    eCombCount = new TFigureField(GroupBox2);
    eSystemCost = new TFigureField(GroupBox2);
    btnCreateSys = new QPushButton(QStringLiteral("Utwórz system pełny"), GroupBox2);
    btnCreateSys->setEnabled(false);
    auto *full = new QFormLayout(GroupBox2);
    AddRow(full, QStringLiteral("Liczba &skreśleń:"), seK);
    AddRow(full, QStringLiteral("Ilość &liczb:"), seN);
    AddRow(full, QStringLiteral("Liczba kombinacji:"), eCombCount);
    AddRow(full, QStringLiteral("Koszt systemu:"), eSystemCost);
    full->addRow(btnCreateSys);

    auto *draws = new QFormLayout;
    AddRow(draws, QStringLiteral("Liczba losowań:"), seD);
    AddRow(draws, QStringLiteral("Minimalne trafienie:"), seMinProfitHit);
    auto *left = new QVBoxLayout;
    left->addLayout(draws);
    left->addWidget(GroupBox1, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(GroupBox2);
    right->addStretch(1);
    auto *params = new QHBoxLayout(TabSheet1);
    params->addLayout(left, 1);
    params->addLayout(right);

    sgSystem = NewGrid(TabSheet2, 5, 2, 0, 1);
    sgSystem->setOptions(sgSystem->Options() | goRowSelect);
    SetHeader(sgSystem, {QStringLiteral("Lp."), QStringLiteral("Stawka"), QStringLiteral("Liczba zakładów"),
                         QStringLiteral("Koszt losowania"), QStringLiteral("Koszt gry")},
              {27, 65, 65, 75, 80});
    auto *plan = new QVBoxLayout(TabSheet2);
    plan->addWidget(sgSystem);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(PageControl1);
    resize(ScaledSize(600, 420));

    seK->OnChange = guardedCall([this] { seKChange(); });
    seN->OnChange = guardedCall([this] { seNChange(); });
    seD->OnChange = guardedCall([this] {
        if (FReady)
            seDChange();
    });
    connectGuarded(rbSingleProfit, &QRadioButton::toggled, this, [this] { ProfitModeClick(); });
    connectGuarded(rbMultiProfit, &QRadioButton::toggled, this, [this] { ProfitModeClick(); });
    sgProfit->OnValidateEdit = [this](TStringAlignGrid *, int ACol, int ARow, bool &Valid) {
        sgProfitValidateEdit(ACol, ARow, Valid);
    };
    connectGuarded(btnCreateSys, &QPushButton::clicked, this, &TfrmSysStage::CreateFullSystem);
}
