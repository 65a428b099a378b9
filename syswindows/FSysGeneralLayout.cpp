#include "syswindows/FSysGeneralLayout.h"

#include "controls/StringAlignGrid.h"
#include "shell/FGlobalGrids.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

void BuildSystemTab(TSysWindowLayout &L, const QStringList &StatRows)
{
    L.sgSystem = NewGrid(L.TabSheet1, 2, 2, 0, 1);
    L.sgSystem->setOptions(L.sgSystem->Options() | goRowSelect | goRangeSelect);
    L.sgSystem->FontCol(1).Name = QStringLiteral("Courier New");
    SetHeader(L.sgSystem, {QStringLiteral("Nr"), QStringLiteral("Kombinacje")}, {SysRowNumberWidth, 144});
    // A window given little room scrolls rather than cut the combinations off their numbers.
    KeepColumnsInView(L.sgSystem);
    L.sgSystem->OnColWidthsChanged = [](TStringAlignGrid *Grid) { KeepColumnsInView(Grid); };

    L.sgStat = NewGrid(L.TabSheet1, 2, int(StatRows.size()) + 1, 1, 1);
    for (int row = 0; row < int(StatRows.size()); ++row)
        L.sgStat->setCells(0, row + 1, StatRows[row]);
    SetHeader(L.sgStat, {QStringLiteral("Parametr"), QStringLiteral("Wartość")}, {120, SysStatValueWidth});
    L.sgStat->setScrollBars(ssNone);
    FitGridHeight(L.sgStat);
    FitGridWidth(L.sgStat);

    L.sgKey = NewGrid(L.TabSheet1, 2, 2, 1, 1);
    L.sgKey->setCells(0, 0, QStringLiteral("Liczba"));
    L.sgKey->setCells(0, 1, QStringLiteral("Klucz"));
    SetColWidth(L.sgKey, 0, 52);
    SetColWidth(L.sgKey, 1, SysKeyColWidth);
    L.sgKey->setScrollBars(ssHorizontal);
    FitGridHeight(L.sgKey);

    L.GroupBox1 = new QGroupBox(QStringLiteral("Pokaż kombinacje"), L.TabSheet1);
    L.rbViewAll = new QRadioButton(QStringLiteral("&Wszystkie"), L.GroupBox1);
    L.rbViewAll->setChecked(true);
    L.rbViewAll->setEnabled(false);
    L.rbViewFlt = new QRadioButton(QStringLiteral("Po &filtracji"), L.GroupBox1);
    L.rbViewFlt->setEnabled(false);
    auto *views = new QVBoxLayout(L.GroupBox1);
    views->addWidget(L.rbViewAll);
    views->addWidget(L.rbViewFlt);

    auto *systemLabel = new QLabel(QStringLiteral("System:"), L.TabSheet1);
    systemLabel->setBuddy(L.sgSystem);
    auto *statLabel = new QLabel(QStringLiteral("Parametry:"), L.TabSheet1);
    statLabel->setBuddy(L.sgStat);
    auto *keyLabel = new QLabel(QStringLiteral("Klucz:"), L.TabSheet1);
    keyLabel->setBuddy(L.sgKey);

    auto *grid = new QGridLayout(L.TabSheet1);
    grid->addWidget(systemLabel, 0, 0);
    grid->addWidget(statLabel, 0, 1);
    grid->addWidget(L.sgSystem, 1, 0, 3, 1);
    grid->addWidget(L.sgStat, 1, 1);
    grid->addWidget(L.GroupBox1, 2, 1);
    L.KindPanel = new QVBoxLayout;
    grid->addLayout(L.KindPanel, 3, 1);
    grid->setRowStretch(3, 1);
    grid->addWidget(keyLabel, 4, 0, 1, 2);
    grid->addWidget(L.sgKey, 5, 0, 1, 2);
    grid->setColumnStretch(0, 1);
}

void BuildFilterTab(TSysWindowLayout &L)
{
    L.sgFilters = NewGrid(L.TabSheet2, 3, 2, 0, 1);
    L.sgFilters->setOptions(L.sgFilters->Options() | goRowSelect);
    SetHeader(L.sgFilters, {QStringLiteral("F"), QStringLiteral("Nazwa filtru"), QStringLiteral("Parametry")},
              {28, 120, 270});
    // Filters show as "F01" .. "F99".
    SetColWidth(L.sgFilters, 0, 28, {QStringLiteral("F00")});
    L.eFilter = new QLineEdit(L.TabSheet2);
    L.eFilter->setReadOnly(true);
    auto *expressionLabel = new QLabel(QStringLiteral("Zapis symboliczny:"), L.TabSheet2);
    expressionLabel->setBuddy(L.eFilter);
    L.btnFltDel = new QPushButton(QStringLiteral("Usuń &filtr"), L.TabSheet2);
    L.btnFltDel->setEnabled(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(L.btnFltDel);
    auto *layout = new QVBoxLayout(L.TabSheet2);
    layout->addWidget(L.sgFilters, 1);
    layout->addWidget(expressionLabel);
    layout->addWidget(L.eFilter);
    layout->addLayout(buttons);
}

} // namespace

TSysWindowLayout BuildSysWindowLayout(QWidget *Form, const QStringList &StatRows)
{
    TSysWindowLayout layout;
    layout.PageControl1 = new QTabWidget(Form);
    layout.TabSheet1 = new QWidget;
    layout.TabSheet2 = new QWidget;
    layout.PageControl1->addTab(layout.TabSheet1, QStringLiteral("System"));
    layout.PageControl1->addTab(layout.TabSheet2, QStringLiteral("Filtr"));
    BuildSystemTab(layout, StatRows);
    BuildFilterTab(layout);
    auto *formLayout = new QVBoxLayout(Form);
    formLayout->setContentsMargins(2, 2, 2, 2);
    formLayout->addWidget(layout.PageControl1);
    return layout;
}
