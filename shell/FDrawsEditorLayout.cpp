// The draws editor's form: the range line above, the pages "Losowania" and "Filtr", the buttons below,
// and the pop-up menu of the window.
#include "shell/FDrawsEditor.h"

#include "controls/RichView.h"
#include "controls/StringAlignGrid.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalViewers.h"
#include "shell/FlatMenus.h"
#include "shell/GuardedConnect.h"
#include "shell/ResultGrid.h"

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

namespace {

QPushButton *NewButton(const QString &Caption, QWidget *Parent, bool Enabled = true)
{
    auto *button = new QPushButton(Caption, Parent);
    button->setEnabled(Enabled);
    return button;
}

} // namespace

void TfrmDrawsEditor::CreateControls()
{
    txtDateDesc = new TRichView(this);
    SetupSummaryViewer(txtDateDesc);
    lblDateDesc = BuddyLabel(QStringLiteral("Zakres losowań:"), txtDateDesc, this);

    PageControl1 = new QTabWidget(this);
    TabSheet1 = CreateDrawsPage();
    PageControl1->addTab(TabSheet1, QStringLiteral("Losowania"));
    TabSheet2 = CreateFilterPage();
    PageControl1->addTab(TabSheet2, QStringLiteral("Filtr"));

    btnWrite = NewButton(QStringLiteral("Z&apisz"), this, false);
    btnFind = NewButton(QStringLiteral("Znajdź &liczby..."), this);
    btnDelFind = NewButton(QStringLiteral("An&uluj 'Znajdź...'"), this, false);
    btnImportNet = NewButton(QStringLiteral("&Import z sieci..."), this);
    btnExportFile = NewButton(QStringLiteral("&Eksport do pliku..."), this);
    btnImportFile = NewButton(QStringLiteral("Impo&rt z pliku..."), this);

    auto *range = new QHBoxLayout;
    range->addWidget(lblDateDesc);
    range->addWidget(txtDateDesc, 1);
    auto *buttons = new QGridLayout;
    buttons->addWidget(btnWrite, 0, 0);
    buttons->addWidget(btnFind, 0, 2);
    buttons->addWidget(btnDelFind, 1, 2);
    buttons->addWidget(btnImportNet, 0, 4);
    buttons->addWidget(btnImportFile, 1, 4);
    buttons->addWidget(btnExportFile, 0, 5);
    buttons->setColumnStretch(1, 1);
    buttons->setColumnStretch(3, 1);
    auto *form = new QVBoxLayout(this);
    form->setContentsMargins(4, 4, 4, 4);
    form->addLayout(range);
    form->addWidget(PageControl1, 1);
    form->addLayout(buttons);
    resize(ScaledSize(575, 480));

    CreatePopupMenu();
    XPMenu1 = NewFormXPMenu(this);
}

QWidget *TfrmDrawsEditor::CreateDrawsPage()
{
    auto *page = new QWidget;
    lblAllCount = new QLabel(page);
    lblCount = new QLabel(page);

    grid = NewGrid(page, 4, 2, 0, 1);
    grid->setOptions(grid->Options() | goRowSelect | goRangeSelect);
    grid->FontCol(3).Name = QStringLiteral("Courier New");
    // However small the window is made (tiled, say), a few draws stay in view.
    KeepRowsInView(grid, 4);
    DrawsGrid = BindResultGrid(
        grid, SortMan, 1, [this] { return DrawsMan != nullptr; },
        [this](int Col, int Row, TCellFormat &Format) { gridGetCellFormat(Col, Row, Format); },
        [this](int SortKey, int Direction) { return SortDraws(SortKey, Direction); });
    DrawsGrid->SetColumns({
        {QStringLiteral("Nr"), 40, alRight, 0, 0, false},
        {QStringLiteral("Data"), 66, alLeft, 1, 1, true},
        {QStringLiteral("Dzień"), 50, alLeft, 2, 0, true},
        {QStringLiteral("Liczby"), 440, alLeft, 3, 0, true},
    });

    GroupBox1 = new QGroupBox(QStringLiteral("Pokaż losowania"), page);
    rbViewAll = new QRadioButton(QStringLiteral("&Wszystkie "), GroupBox1);
    rbViewAll->setChecked(true);
    rbViewFlt = new QRadioButton(QStringLiteral("Po &filtracji"), GroupBox1);
    rbViewNums = new QRadioButton(QStringLiteral("Ze znalezionymi li&czbami"), GroupBox1);
    auto *views = new QHBoxLayout(GroupBox1);
    for (QRadioButton *button : {rbViewAll, rbViewFlt, rbViewNums}) {
        button->setEnabled(false);
        views->addWidget(button);
    }
    views->addStretch(1);

    auto *counts = new QGridLayout;
    counts->addWidget(new QLabel(QStringLiteral("Liczba wszystkich losowań:"), page), 0, 0);
    counts->addWidget(lblAllCount, 0, 1);
    counts->addWidget(new QLabel(QStringLiteral("Widoczna liczba losowań:"), page), 1, 0);
    counts->addWidget(lblCount, 1, 1);
    counts->setColumnStretch(2, 1);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(counts);
    layout->addWidget(grid, 1);
    layout->addWidget(GroupBox1);
    return page;
}

QWidget *TfrmDrawsEditor::CreateFilterPage()
{
    auto *page = new QWidget;
    eFilter = new QLineEdit(page);
    eFilter->setReadOnly(true);
    sgFilters = NewGrid(page, 3, 2, 0, 1);
    sgFilters->setOptions(sgFilters->Options() | goRowSelect);
    sgFilters->setColor(ResultGridColor);
    SetHeader(sgFilters, {QStringLiteral("F"), QStringLiteral("Nazwa filtru"), QStringLiteral("Parametry")},
              {28, 120, 465});
    // Filters show as "F01" .. "F99".
    SetColWidth(sgFilters, 0, 28, {QStringLiteral("F00")});
    btnFltDel = NewButton(QStringLiteral("Usuń &filtry"), page, false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnFltDel);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(BuddyLabel(QStringLiteral("Zapis symboliczny:"), eFilter, page));
    layout->addWidget(eFilter);
    layout->addWidget(sgFilters, 1);
    layout->addLayout(buttons);
    return page;
}

void TfrmDrawsEditor::CreatePopupMenu()
{
    pDraws = new QMenu(this);
    pFltDate = pDraws->addAction(QStringLiteral("Zakres losowań..."));
    pAdd = pDraws->addAction(QStringLiteral("Dodaj losowanie..."));
    pChange = pDraws->addAction(QStringLiteral("Zmień losowanie..."));
    pDelete = pDraws->addAction(QStringLiteral("Usuń losowanie(a)"));
    pDraws->addSeparator();
    pFind = pDraws->addAction(QStringLiteral("Znajdź liczby..."));
    pDelFind = pDraws->addAction(QStringLiteral("Anuluj 'Znajdź...'"));
    pDelFind->setEnabled(false);
    pDraws->addSeparator();
    pImportNet = pDraws->addAction(QStringLiteral("Import z sieci..."));
    pImportFile = pDraws->addAction(QStringLiteral("Import z pliku..."));
    pExportFile = pDraws->addAction(QStringLiteral("Eksport do pliku..."));
    pDraws->addSeparator();
    pFilter = pDraws->addAction(QStringLiteral("Filtruj losowania..."));
    pReport = pDraws->addAction(QStringLiteral("Raport..."));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &Pos) { pDraws->popup(mapToGlobal(Pos)); });
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &Pos) { pDraws->popup(grid->viewport()->mapToGlobal(Pos)); });
}

void TfrmDrawsEditor::ConnectControls()
{
    // Nothing acts before the editor has its game.
    const auto whenSetUp = [this](auto Handler) {
        return [this, Handler] {
            if (!NotSetUp)
                (this->*Handler)();
        };
    };
    connectGuarded(btnWrite, &QPushButton::clicked, this, whenSetUp(&TfrmDrawsEditor::WriteDraws));
    connectGuarded(btnFind, &QPushButton::clicked, this, whenSetUp(&TfrmDrawsEditor::FindCommand));
    connectGuarded(btnDelFind, &QPushButton::clicked, this, whenSetUp(&TfrmDrawsEditor::DelFindClick));
    connectGuarded(btnImportNet, &QPushButton::clicked, this, whenSetUp(&TfrmDrawsEditor::ImportNetClick));
    connectGuarded(btnExportFile, &QPushButton::clicked, this, whenSetUp(&TfrmDrawsEditor::ExportFileClick));
    connectGuarded(btnImportFile, &QPushButton::clicked, this, whenSetUp(&TfrmDrawsEditor::ImportFileClick));
    connectGuarded(btnFltDel, &QPushButton::clicked, this, whenSetUp(&TfrmDrawsEditor::btnFltDelClick));

    connectGuarded(pFltDate, &QAction::triggered, this, whenSetUp(&TfrmDrawsEditor::RangeCommand));
    connectGuarded(pAdd, &QAction::triggered, this, whenSetUp(&TfrmDrawsEditor::AddCommand));
    connectGuarded(pChange, &QAction::triggered, this, whenSetUp(&TfrmDrawsEditor::ChangeCommand));
    connectGuarded(pDelete, &QAction::triggered, this, whenSetUp(&TfrmDrawsEditor::DeleteCommand));
    connectGuarded(pFind, &QAction::triggered, this, whenSetUp(&TfrmDrawsEditor::FindCommand));
    connectGuarded(pDelFind, &QAction::triggered, this, whenSetUp(&TfrmDrawsEditor::DelFindClick));
    connectGuarded(pImportNet, &QAction::triggered, this, whenSetUp(&TfrmDrawsEditor::ImportNetClick));
    connectGuarded(pImportFile, &QAction::triggered, this, whenSetUp(&TfrmDrawsEditor::ImportFileClick));
    connectGuarded(pExportFile, &QAction::triggered, this, whenSetUp(&TfrmDrawsEditor::ExportFileClick));
    connectGuarded(pFilter, &QAction::triggered, this, whenSetUp(&TfrmDrawsEditor::FilterCommand));
    connectGuarded(pReport, &QAction::triggered, this, whenSetUp(&TfrmDrawsEditor::ReportCommand));

    for (QRadioButton *button : {rbViewAll, rbViewFlt, rbViewNums})
        connectGuarded(button, &QRadioButton::toggled, this, [this, button](bool Checked) {
            if (Checked)
                ViewClicked(button);
        });
    grid->OnDblClick = guardedCall(whenSetUp(&TfrmDrawsEditor::ChangeCommand));
}
