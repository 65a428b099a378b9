// The filter editor's controls and their places.
#include "syswindows/FFilter.h"

#include "controls/ALProgressBar.h"
#include "controls/FloatSpin.h"
#include "controls/RichView.h"
#include "controls/StringAlignGrid.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalProgress.h"
#include "shell/FGlobalViewers.h"
#include "shell/FlatMenus.h"
#include "syswindows/FFilterExplore.h"
#include "syswindows/FSysGeneralLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QLineEdit *NewReadOnlyEdit(QWidget *Parent)
{
    auto *edit = new QLineEdit(Parent);
    edit->setReadOnly(true);
    return edit;
}

QLabel *NewLabel(const QString &Text, QWidget *Parent, QWidget *Buddy = nullptr)
{
    auto *label = new QLabel(Text, Parent);
    if (Buddy)
        label->setBuddy(Buddy);
    return label;
}

} // namespace

void TfrmFilter::CreateControls()
{
    setWindowTitle(QStringLiteral("Filtry"));
    PageControl2 = new QTabWidget(this);
    tsFilters = new QWidget(PageControl2);
    tsExploration = new QWidget(PageControl2);
    PageControl2->addTab(tsFilters, QStringLiteral("Filtry"));
    PageControl2->addTab(tsExploration, QStringLiteral("Badanie filtrów"));
    Exploration = new TFilterExploration(tsExploration);
    auto *explorationPage = new QVBoxLayout(tsExploration);
    explorationPage->addWidget(Exploration);

    lbFilters = new QListWidget(tsFilters);
    lbFilters->setMinimumWidth(ScaledWidth(170));
    auto *kinds = new QVBoxLayout;
    kinds->addWidget(NewLabel(QStringLiteral("Rodzaje &filtrów:"), tsFilters, lbFilters));
    kinds->addWidget(lbFilters, 1);

    btnAddFlt = new QPushButton(QStringLiteral("&Dodaj filtr"), tsFilters);
    btnChangeFlt = new QPushButton(QStringLiteral("&Zmień filtr"), tsFilters);
    auto *editButtons = new QVBoxLayout;
    editButtons->addWidget(btnAddFlt);
    editButtons->addWidget(btnChangeFlt);
    editButtons->addStretch(1);

    auto *top = new QHBoxLayout;
    top->addLayout(kinds);
    top->addWidget(CreateEditor(), 1);
    top->addLayout(editButtons);

    auto *page = new QVBoxLayout(tsFilters);
    page->addLayout(top, 1);
    page->addWidget(CreateSelection(), 1);
    page->addWidget(CreateRunPanel());

    ProgressBar1 = NewProgressBar(this);
    lblProgress = NewPercentLabel(this);
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(ProgressBar1, 1);
    bottom->addWidget(lblProgress);
    bottom->addSpacing(ScaledWidth(16));
    bottom->addWidget(btnOK);
    bottom->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl2, 1);
    layout->addLayout(bottom);
    resize(ScaledSize(880, 600));
    XPMenu1 = NewFormXPMenu(this);
}

QWidget *TfrmFilter::CreateEditor()
{
    auto *editor = new QGroupBox(QStringLiteral("Parametry filtru"), tsFilters);
    const auto newRange = [editor](QLabel *&From, TFloatSpin *&FromSpin, QLabel *&To, TFloatSpin *&ToSpin) {
        FromSpin = NewIntSpin(editor, 0, 100, 0);
        ToSpin = NewIntSpin(editor, 0, 100, 0);
        From = NewLabel(QStringLiteral("Od:"), editor, FromSpin);
        To = NewLabel(QStringLiteral("Do:"), editor, ToSpin);
    };
    F_cb1 = new QComboBox(editor);
    F_lblTitle1 = NewLabel(QString(), editor, F_cb1);
    newRange(F_lblFrom1, F_seFrom1, F_lblTo1, F_seTo1);
    F_cb2 = new QComboBox(editor);
    F_lblTitle2 = NewLabel(QString(), editor, F_cb2);
    newRange(F_lblFrom2, F_seFrom2, F_lblTo2, F_seTo2);

    F_Digits = new QGroupBox(QStringLiteral("Cyfry"), editor);
    auto *digits = new QGridLayout(F_Digits);
    for (int digit = 0; digit < 10; ++digit) {
        F_cbD[size_t(digit)] = new QCheckBox(QString::number(digit), F_Digits);
        digits->addWidget(F_cbD[size_t(digit)], 0, digit);
    }
    F_btnSelAll = new QPushButton(QStringLiteral("Zaznacz wszystkie"), F_Digits);
    F_btnDeSelAll = new QPushButton(QStringLiteral("Odznacz wszystkie"), F_Digits);
    digits->addWidget(F_btnSelAll, 1, 0, 1, 5);
    digits->addWidget(F_btnDeSelAll, 1, 5, 1, 5);

    F_Comb = new QWidget(editor);
    F_eComb = new QLineEdit(F_Comb);
    F_btnComb = new QPushButton(QStringLiteral("Wybierz..."), F_Comb);
    auto *comb = new QHBoxLayout(F_Comb);
    comb->setContentsMargins(0, 0, 0, 0);
    comb->addWidget(NewLabel(QStringLiteral("Kombinacja:"), F_Comb, F_eComb));
    comb->addWidget(F_eComb, 1);
    comb->addWidget(F_btnComb);

    pFltDate = new QWidget(editor);
    txtFltDate = new TRichView(pFltDate);
    SetupSummaryViewer(txtFltDate);
    btnFltDate = new QPushButton(QStringLiteral("Wybi&erz..."), pFltDate);
    auto *date = new QGridLayout(pFltDate);
    date->setContentsMargins(0, 0, 0, 0);
    date->addWidget(NewLabel(QStringLiteral("Zakres losowań:"), pFltDate), 0, 0);
    date->addWidget(txtFltDate, 1, 0);
    date->addWidget(btnFltDate, 1, 1, Qt::AlignTop);
    date->setColumnStretch(0, 1);

    chkExclusive = new QCheckBox(QStringLiteral("Dozwolone inne grupy"), editor);
    gbLink = new QGroupBox(QStringLiteral("Rodzaj łączenia filtrów w grupie"), editor);
    rbAND = new QRadioButton(QStringLiteral("A&ND"), gbLink);
    rbOR = new QRadioButton(QStringLiteral("O&R"), gbLink);
    rbAND->setChecked(true);
    auto *link = new QHBoxLayout(gbLink);
    link->addWidget(rbAND);
    link->addWidget(rbOR);

    // Rows 0 and 1 hold the first relation, or the combination or draws-range panel in its place; rows
    // 2 and 3 the second relation; row 4 the digits. Column 5 holds the link box and the group option.
    EditorGrid = new QGridLayout(editor);
    EditorGrid->addWidget(F_lblTitle1, 0, 0, 1, 5);
    EditorGrid->addWidget(F_cb1, 1, 0);
    EditorGrid->addWidget(F_lblFrom1, 1, 1);
    EditorGrid->addWidget(F_seFrom1, 1, 2);
    EditorGrid->addWidget(F_lblTo1, 1, 3);
    EditorGrid->addWidget(F_seTo1, 1, 4);
    EditorGrid->addWidget(F_Comb, 0, 0, 2, 5);
    EditorGrid->addWidget(pFltDate, 0, 0, 2, 5);
    EditorGrid->addWidget(F_lblTitle2, 2, 0, 1, 5);
    EditorGrid->addWidget(F_cb2, 3, 0);
    EditorGrid->addWidget(F_lblFrom2, 3, 1);
    EditorGrid->addWidget(F_seFrom2, 3, 2);
    EditorGrid->addWidget(F_lblTo2, 3, 3);
    EditorGrid->addWidget(F_seTo2, 3, 4);
    EditorGrid->addWidget(F_Digits, 4, 0, 1, 6);
    EditorGrid->addWidget(gbLink, 0, 5, 2, 1, Qt::AlignTop);
    EditorGrid->addWidget(chkExclusive, 2, 5, 2, 1, Qt::AlignTop);
    EditorGrid->setColumnStretch(0, 1);
    EditorGrid->setRowStretch(5, 1);
    for (QComboBox *combo : {F_cb1, F_cb2})
        combo->setMinimumWidth(ScaledWidth(130));
    return editor;
}

QWidget *TfrmFilter::CreateSelection()
{
    auto *panel = new QWidget(tsFilters);
    sgSelFlts = NewGrid(panel, 3, 2, 0, 1);
    sgSelFlts->setOptions(sgSelFlts->Options() | goRowSelect);
    SetHeader(sgSelFlts, {QStringLiteral("F"), QStringLiteral("Nazwa filtru"), QStringLiteral("Parametry")},
              {28, 123, 579});
    btnDelete = new QPushButton(QStringLiteral("Usuń filt&r"), panel);
    btnDelAll = new QPushButton(QStringLiteral("Usuń wsz&ystkie"), panel);
    btnWriteFlts = new QPushButton(QStringLiteral("Zap&isz filtry..."), panel);
    btnReadFlts = new QPushButton(QStringLiteral("W&czytaj filtry..."), panel);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {btnDelete, btnDelAll, btnWriteFlts, btnReadFlts})
        buttons->addWidget(button);
    buttons->addStretch(1);
    eSym = NewReadOnlyEdit(panel);

    auto *layout = new QGridLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(NewLabel(QStringLiteral("&Wybrane filtry:"), panel, sgSelFlts), 0, 0);
    layout->addWidget(sgSelFlts, 1, 0);
    layout->addLayout(buttons, 1, 1);
    layout->addWidget(NewLabel(QStringLiteral("Zapis symboliczny:"), panel, eSym), 2, 0);
    layout->addWidget(eSym, 3, 0);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(1, 1);
    return panel;
}

QWidget *TfrmFilter::CreateRunPanel()
{
    auto *panel = new QWidget(tsFilters);
    eAllComb = NewReadOnlyEdit(panel);
    eTrueComb = NewReadOnlyEdit(panel);
    eAfterComb = NewReadOnlyEdit(panel);
    auto *counts = new QGroupBox(QStringLiteral("Liczba kombinacji"), panel);
    auto *countGrid = new QGridLayout(counts);
    countGrid->addWidget(NewLabel(QStringLiteral("Wszystkich:"), counts, eAllComb), 0, 0);
    countGrid->addWidget(eAllComb, 0, 1);
    countGrid->addWidget(NewLabel(QStringLiteral("Zgodne z filtrem"), counts, eTrueComb), 1, 0);
    countGrid->addWidget(eTrueComb, 1, 1);
    countGrid->addWidget(NewLabel(QStringLiteral("Po filtrowaniu"), counts, eAfterComb), 2, 0);
    countGrid->addWidget(eAfterComb, 2, 1);

    auto *type = new QGroupBox(QStringLiteral("Rodzaj filtru"), panel);
    rbFltFind = new QRadioButton(QStringLiteral("Filtr typu zna&jdź"), type);
    rbFltDel = new QRadioButton(QStringLiteral("Filtr typu &usuń"), type);
    rbFltFind->setChecked(true);
    auto *typeBox = new QVBoxLayout(type);
    typeBox->addWidget(rbFltFind);
    typeBox->addWidget(rbFltDel);

    auto *options = new QGroupBox(QStringLiteral("Opcje"), panel);
    chkOptDelComb = new QCheckBox(QStringLiteral("Usuń &kombinacje"), options);
    chkOptNewWindow = new QCheckBox(QStringLiteral("O&twórz w nowym oknie"), options);
    auto *optionBox = new QVBoxLayout(options);
    optionBox->addWidget(chkOptDelComb);
    optionBox->addWidget(chkOptNewWindow);

    btnDoFilter = new QPushButton(QStringLiteral("&Przelicz"), panel);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(counts, 1);
    layout->addWidget(type);
    layout->addWidget(options);
    layout->addWidget(btnDoFilter, 0, Qt::AlignBottom);
    return panel;
}
