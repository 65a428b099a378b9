#include "syswindows/FSysGeneralLayout.h"

#include "controls/StringAlignGrid.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include <vector>

namespace {

constexpr int RowHeight = 18;

TStringAlignGrid *NewGrid(QWidget *Parent, int Cols, int Rows, int FixedCols, int FixedRows)
{
    auto *grid = new TStringAlignGrid(Parent);
    grid->setColCount(Cols);
    grid->setRowCount(Rows);
    grid->setFixedCols(FixedCols);
    grid->setFixedRows(FixedRows);
    grid->setDefaultRowHeight(RowHeight);
    grid->setEditable(false);
    grid->setMinimumSize(40, 2 * RowHeight);
    grid->Loaded();
    return grid;
}

void SetHeader(TStringAlignGrid *Grid, const QStringList &Captions, const std::vector<int> &Widths)
{
    for (int col = 0; col < int(Captions.size()); ++col) {
        Grid->setCells(col, 0, Captions[col]);
        Grid->setColWidths(col, Widths[size_t(col)]);
    }
}

// Tall enough for every row of the grid without a scroll bar.
void FitHeight(TStringAlignGrid *Grid)
{
    Grid->setFixedHeight(Grid->RowCount() * (RowHeight + Grid->GridLineWidth()) + 2 * Grid->frameWidth() + 2);
}

void BuildSystemTab(TSysWindowLayout &L, const QStringList &StatRows)
{
    L.sgSystem = NewGrid(L.TabSheet1, 2, 2, 0, 1);
    L.sgSystem->setOptions(L.sgSystem->Options() | goRowSelect | goRangeSelect);
    SetHeader(L.sgSystem, {QStringLiteral("Nr"), QStringLiteral("Kombinacje")}, {43, 144});
    L.sgSystem->FontCol(1).Name = QStringLiteral("Courier New");

    L.sgStat = NewGrid(L.TabSheet1, 2, int(StatRows.size()) + 1, 1, 1);
    SetHeader(L.sgStat, {QStringLiteral("Parametr"), QStringLiteral("Wartość")}, {120, 100});
    for (int row = 0; row < int(StatRows.size()); ++row)
        L.sgStat->setCells(0, row + 1, StatRows[row]);
    L.sgStat->setScrollBars(ssNone);
    L.sgStat->setFixedWidth(L.sgStat->CalcGridWidth(false) + 2);
    FitHeight(L.sgStat);

    L.sgKey = NewGrid(L.TabSheet1, 2, 2, 1, 1);
    L.sgKey->setCells(0, 0, QStringLiteral("Liczba"));
    L.sgKey->setCells(0, 1, QStringLiteral("Klucz"));
    L.sgKey->setColWidths(0, 52);
    L.sgKey->setColWidths(1, 22);
    L.sgKey->setScrollBars(ssHorizontal);
    L.sgKey->setFixedHeight(2 * (RowHeight + 1) + L.sgKey->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 6);

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
