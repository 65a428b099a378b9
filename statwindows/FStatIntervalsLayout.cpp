// The number ranges window's form: the range line, the pages of the range definition, details, grouping
// and summary; the boundary buttons of the game.
#include "statwindows/FStatIntervals.h"

#include "controls/FloatSpin.h"
#include "controls/RichView.h"
#include "controls/StringAlignGrid.h"
#include "core/UGlobalSort.h"
#include "engine/UGameMan.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/GuardedConnect.h"
#include "shell/ProgressPanel.h"
#include "shell/ResultGrid.h"
#include "statwindows/ClassTablePage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int ButtonSize = 24;
constexpr TColor ButtonTextColor = 0xFF0000; // blue

} // namespace

void TfrmStatIntervals::CreateControls()
{
    resize(ScaledSize(620, 440));
    PageControl1 = new QTabWidget(this);
    PageControl1->addTab(CreateParamsPage(), QStringLiteral("Parametry"));
    PageControl1->addTab(Classes->DetailsPage, QStringLiteral("Szczegóły"));
    PageControl1->addTab(Classes->GroupsPage, QStringLiteral("Szczegóły - grupowanie"));
    PageControl1->addTab(Classes->SummaryPage, QStringLiteral("Szczegóły - podsumowanie"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(txtDateDesc);
    layout->addWidget(PageControl1, 1);
    Panel1->hide();
}

QWidget *TfrmStatIntervals::CreateParamsPage()
{
    auto *page = new QWidget;
    sgIntervals = NewGrid(page, 1, 1, 0, 0);
    sgIntervals->setScrollBars(ssHorizontal);
    ColourResultGrid(sgIntervals);
    FitGridHeight(sgIntervals);
    lblIntervals = BuddyLabel(QStringLiteral("Zdefiniowane przedziały:"), sgIntervals, page);

    gbDefinition = new QGroupBox(QStringLiteral("Definicja przedziałów"), page);
    ScrollBox = new QScrollArea(gbDefinition);
    ScrollBox->setWidgetResizable(true);
    ScrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    seBegin = NewIntSpin(gbDefinition, 1, 100, 1);
    lblBegin = BuddyLabel(QStringLiteral("&Liczba początkowa:"), seBegin, gbDefinition);
    seWidth = NewIntSpin(gbDefinition, 1, 100, 1);
    lblWidth = BuddyLabel(QStringLiteral("Szerokość p&rzedziału:"), seWidth, gbDefinition);
    btnFill = new QPushButton(QStringLiteral("&Wypełnij"), gbDefinition);
    btnSelect = new QPushButton(QStringLiteral("Z&aznacz"), gbDefinition);
    btnDeselect = new QPushButton(QStringLiteral("O&dznacz"), gbDefinition);
    auto *definition = new QGridLayout(gbDefinition);
    definition->addWidget(ScrollBox, 0, 0, 1, 6);
    definition->addWidget(lblBegin, 1, 0);
    definition->addWidget(seBegin, 1, 1);
    definition->addWidget(lblWidth, 1, 2);
    definition->addWidget(seWidth, 1, 3);
    definition->addWidget(btnFill, 1, 4);
    auto *marks = new QHBoxLayout;
    marks->addWidget(btnSelect);
    marks->addWidget(btnDeselect);
    marks->addStretch(1);
    definition->addLayout(marks, 2, 0, 1, 6);
    definition->setColumnStretch(5, 1);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(lblIntervals);
    layout->addWidget(sgIntervals);
    layout->addWidget(gbDefinition);
    layout->addStretch(1);
    return page;
}

void TfrmStatIntervals::CreateButtons()
{
    const int n = Game->Info.MaxNumber;
    auto *row = new QWidget;
    auto *buttons = new QHBoxLayout(row);
    buttons->setSpacing(0);
    QPalette palette = row->palette();
    palette.setColor(QPalette::ButtonText, toQColor(ButtonTextColor));
    const QSize size = ScaledSize(ButtonSize, ButtonSize);
    Buttons.clear();
    for (int i = 0; i <= n; ++i) {
        auto *button = new QToolButton(row);
        button->setText(i < n ? QString::number(i + 1) : QStringLiteral("|"));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setPalette(palette);
        button->setFixedSize(size);
        // A click toggles only its own button.
        connectGuarded(button, &QToolButton::clicked, this, &TfrmStatIntervals::Recount);
        buttons->addWidget(button);
        Buttons.push_back(button);
    }
    buttons->addStretch(1);
    ScrollBox->setWidget(row);
    ScrollBox->setFixedHeight(row->sizeHint().height() + ScrollBox->horizontalScrollBar()->sizeHint().height() +
                              2 * ScrollBox->frameWidth());
}
