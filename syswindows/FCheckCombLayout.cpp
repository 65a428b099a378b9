// The combination check's form: the range, the combination and the band of levels above, the pages of
// the draws table, the charts and the numbers table below, and the window's popup menu.
#include "syswindows/FCheckComb.h"

#include "controls/FloatSpin.h"
#include "controls/RichView.h"
#include "controls/StringAlignGrid.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalViewers.h"
#include "shell/FlatMenus.h"
#include "shell/GuardedConnect.h"
#include "syswindows/CheckCharts.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

void TfrmCheckComb::CreateControls()
{
    resize(ScaledSize(680, 520));

    txtDateDesc = new TRichView(this);
    SetupSummaryViewer(txtDateDesc);
    auto *rangeLabel = new QLabel(QStringLiteral("Zakres losowań:"), this);
    eComb = new QLineEdit(this);
    eComb->setReadOnly(true);
    auto *combLabel = new QLabel(QStringLiteral("Kombinacja:"), this);
    combLabel->setBuddy(eComb);
    btnComb = new QPushButton(QStringLiteral("&Wybierz..."), this);

    auto *levels = new QGroupBox(QStringLiteral("Pokaż stopnie wygranych"), this);
    seHitFrom = NewIntSpin(levels, 0, 0, 0);
    seHitTo = NewIntSpin(levels, 0, 0, 0);
    lblHitFrom = new QLabel(QStringLiteral("O&d:"), levels);
    lblHitFrom->setBuddy(seHitFrom);
    lblHitTo = new QLabel(QStringLiteral("Do:"), levels);
    lblHitTo->setBuddy(seHitTo);
    for (QWidget *control : std::initializer_list<QWidget *>{seHitFrom, seHitTo, lblHitFrom, lblHitTo})
        control->setEnabled(false);
    auto *band = new QHBoxLayout(levels);
    band->addWidget(lblHitFrom);
    band->addWidget(seHitFrom);
    band->addWidget(lblHitTo);
    band->addWidget(seHitTo);

    auto *top = new QGridLayout;
    top->addWidget(rangeLabel, 0, 0, Qt::AlignTop);
    top->addWidget(txtDateDesc, 0, 1, 1, 2);
    top->addWidget(combLabel, 1, 0);
    top->addWidget(eComb, 1, 1);
    top->addWidget(btnComb, 1, 2);
    top->addWidget(levels, 0, 3, 2, 1);
    top->setColumnStretch(1, 1);

    PageControl1 = new QTabWidget(this);
    tsTable = CreateTablePage();
    PageControl1->addTab(tsTable, QStringLiteral("Wyniki - tabela"));
    tsChart = new QWidget;
    pcChart = new TCheckCharts(tsChart);
    auto *chart = new QVBoxLayout(tsChart);
    chart->addWidget(pcChart);
    PageControl1->addTab(tsChart, QStringLiteral("Wyniki - wykres"));
    tsNumbers = new QWidget;
    Grid2 = NewGrid(tsNumbers, 3, 2, 0, 1);
    Grid2->setOptions(Grid2->Options() | goRowSelect);
    auto *numbers = new QVBoxLayout(tsNumbers);
    numbers->addWidget(Grid2);
    PageControl1->addTab(tsNumbers, QStringLiteral("Liczby kombinacji"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(PageControl1, 1);

    CreatePopup();
    XPMenu1 = NewFormXPMenu(this);
}

QWidget *TfrmCheckComb::CreateTablePage()
{
    auto *page = new QWidget;
    Grid1 = NewGrid(page, 3, 2, 0, 1);
    Grid1->setOptions(Grid1->Options() | goRowSelect);
    eSelComb = new QLineEdit(page);
    eSelComb->setReadOnly(true);
    auto *selLabel = new QLabel(QStringLiteral("Losowanie: "), page);
    selLabel->setBuddy(eSelComb);
    auto *groups = new QGroupBox(QStringLiteral("Grupuj wygrane"), page);
    rbDay = new QRadioButton(QStringLiteral("Dzi&eń"), groups);
    rbDay->setChecked(true);
    rbWeek = new QRadioButton(QStringLiteral("T&ydzień"), groups);
    rbMonth = new QRadioButton(QStringLiteral("M&iesiąc"), groups);
    rbYear = new QRadioButton(QStringLiteral("&Rok"), groups);
    auto *groupButtons = new QVBoxLayout(groups);
    for (QRadioButton *button : {rbDay, rbWeek, rbMonth, rbYear})
        groupButtons->addWidget(button);
    auto *selection = new QHBoxLayout;
    selection->addWidget(selLabel);
    selection->addWidget(eSelComb, 1);
    auto *table = new QVBoxLayout;
    table->addWidget(Grid1, 1);
    table->addLayout(selection);
    auto *side = new QVBoxLayout;
    side->addWidget(groups);
    side->addStretch(1);
    auto *layout = new QHBoxLayout(page);
    layout->addLayout(table, 1);
    layout->addLayout(side);
    return page;
}

void TfrmCheckComb::CreatePopup()
{
    Popup1 = new QMenu(this);
    pDrawsRange = Popup1->addAction(QStringLiteral("Zakres losowań..."));
    pCheck = Popup1->addAction(QStringLiteral("Sprawdź kombinację"));
    pCheck->setEnabled(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &Pos) { Popup1->popup(mapToGlobal(Pos)); });
    Action1 = new QAction(this);
    Action1->setShortcut(QKeySequence(Qt::Key_Escape));
    Action1->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(Action1);
}

void TfrmCheckComb::ConnectControls()
{
    connectGuarded(btnComb, &QPushButton::clicked, this, &TfrmCheckComb::btnCombClick);
    seHitFrom->OnChange = guardedCall([this](QObject *) { seHitTo->SetMinValue(std::max(SpinValue(seHitFrom), 1)); });
    for (QRadioButton *button : {rbDay, rbWeek, rbMonth, rbYear})
        connectGuarded(button, &QRadioButton::toggled, this, [this](bool Checked) {
            if (Checked)
                RegroupClick();
        });
    connectGuarded(pCheck, &QAction::triggered, this, &TfrmCheckComb::pCheckClick);
    connectGuarded(Action1, &QAction::triggered, this, &TfrmCheckComb::Close);
    connectGuarded(pDrawsRange, &QAction::triggered, this, [this] {
        Range.Edit(this);
        UpdateMenu();
    });
    Grid1->OnSelectCell = guardedCall([this](TStringGrid *, int, int ARow) { ShowSelection(ARow); });
}
