// The options dialog's form: the game above four pages (general settings, the prize table, the download
// sites, the draws-file layout) and OK and Cancel below.
#include "shell/FConfig.h"

#include "controls/Cp1250Validator.h"
#include "controls/FloatSpin.h"
#include "controls/Label2000X.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramParams.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/GuardedConnect.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
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

constexpr int StakeMin = 1;
constexpr int StakeMax = 10000;
constexpr int ColumnMax = 100;
constexpr int LayoutTextLength = 3;

// Letters typed into a date format become capitals.
class TUpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &Input, int &) const override
    {
        Input = Input.toUpper();
        return Acceptable;
    }
};

TFloatSpin *NewAmountSpin(QWidget *Parent, double Min, double Max, int Decimals)
{
    auto *spin = new TFloatSpin(Parent);
    spin->SetPrecision(uint8_t(Decimals));
    spin->SetMinValue(Min);
    spin->SetMaxValue(Max);
    spin->SetValue(Min);
    spin->Loaded();
    return spin;
}

// A separator (or, with UpperCase, a date format) of at most three characters.
QLineEdit *NewLayoutText(QWidget *Parent, bool UpperCase = false)
{
    auto *edit = new QLineEdit(Parent);
    edit->setMaxLength(LayoutTextLength);
    if (UpperCase)
        edit->setValidator(new TUpperCaseValidator(edit));
    else
        edit->setValidator(new TCp1250Validator(edit));
    return edit;
}

QLabel *BuddyLabel(const QString &Caption, QWidget *Field)
{
    auto *label = new QLabel(Caption, Field->parentWidget());
    label->setBuddy(Field);
    return label;
}

} // namespace

TfrmConfig::TfrmConfig(QWidget *parent) : TFirstShow<QDialog>(parent)
{
    platform::setHelpContext(this, 204);
    setWindowTitle(QStringLiteral("Ustawienia"));
    CreateControls();
}

TfrmConfig::~TfrmConfig() = default;

void TfrmConfig::CreateControls()
{
    auto *layout = new QVBoxLayout(this);
    cbGame = new QComboBox(this);
    auto *gameRow = new QHBoxLayout;
    gameRow->addWidget(BuddyLabel(QStringLiteral("&Gra:"), cbGame));
    gameRow->addWidget(cbGame, 1);
    layout->addLayout(gameRow);

    PageControl1 = new QTabWidget(this);
    ShowWholeTabs(PageControl1);
    tsGeneral = CreateGeneralPage();
    PageControl1->addTab(tsGeneral, QStringLiteral("Ogólne"));
    tsWins = CreateWinsPage();
    PageControl1->addTab(tsWins, QStringLiteral("Tabela wygranych"));
    tsSites = CreateSitesPage();
    PageControl1->addTab(tsSites, QStringLiteral("Import bazy z Internetu"));
    tsFile = CreateFilePage();
    PageControl1->addTab(tsFile, QStringLiteral("Import, export bazy do pliku"));
    layout->addWidget(PageControl1, 1);

    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    btnCancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);

    connectGuarded(cbGame, &QComboBox::currentIndexChanged, this, &TfrmConfig::cbGameChange);
    connectGuarded(btnOK, &QPushButton::clicked, this, &TfrmConfig::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget *TfrmConfig::CreateGeneralPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);

    auto *stakes = new QFormLayout;
    eBasicRate = NewAmountSpin(page, StakeMin, StakeMax, 2);
    stakes->addRow(BuddyLabel(QStringLiteral("&Stawka podstawowa:"), eBasicRate), eBasicRate);
    eWinRate = NewAmountSpin(page, StakeMin, StakeMax, 2);
    lblWinRate = BuddyLabel(QStringLiteral("Stawka &wygranej:"), eWinRate);
    stakes->addRow(lblWinRate, eWinRate);
    layout->addLayout(stakes);

    gbProgram = new QGroupBox(QStringLiteral("Parametry programu"), page);
    auto *program = new QGridLayout(gbProgram);
    seGProb = NewAmountSpin(gbProgram, 0, 1, 5);
    seGProb->Increment = 0.01;
    program->addWidget(BuddyLabel(QStringLiteral("&Pokaż gwarancję jeśli jej prawdopodobieństwo jest >= "), seGProb), 0, 0);
    program->addWidget(seGProb, 0, 1);
    seMaxComb = NewIntSpin(gbProgram, Limits.MaxCombLow, Limits.MaxCombHigh, Limits.MaxCombLow);
    seMaxComb->Increment = 1000;
    program->addWidget(BuddyLabel(QStringLiteral("Maksymalna liczba kombinacji:"), seMaxComb), 1, 0);
    program->addWidget(seMaxComb, 1, 1);
    gbStatShow = new QGroupBox(QStringLiteral("Pokaż informacje o losowaniu"), gbProgram);
    auto *statShow = new QVBoxLayout(gbStatShow);
    rbStatShowIndex = new QRadioButton(QStringLiteral("Indeks losowania"), gbStatShow);
    rbStatShowDate = new QRadioButton(QStringLiteral("Data losowania"), gbStatShow);
    statShow->addWidget(rbStatShowIndex);
    statShow->addWidget(rbStatShowDate);
    program->addWidget(gbStatShow, 2, 0, 1, 2);
    chkIncreaseUpdate = new QCheckBox(QStringLiteral("Przyrostowa aktualizacja wyników losowań"), gbProgram);
    program->addWidget(chkIncreaseUpdate, 3, 0, 1, 2);
    program->setColumnStretch(2, 1);
    layout->addWidget(gbProgram);
    layout->addStretch(1);
    return page;
}

QWidget *TfrmConfig::CreateWinsPage()
{
    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);
    lblPicks = new QLabel(QStringLiteral("Liczba skreśleń"), page);
    lblDegree = new TLabel2000X(page);
    lblDegree->SetCaption(QStringLiteral("Stopień wygranej"));
    lblDegree->SetAngle(90);
    lblDegree->SetAutoSize(true);
    lblDegree->Loaded();
    lblDegree->setFixedSize(lblDegree->RotatedSize());
    sgWins = NewGrid(page, 2, 2, 1, 1);
    MakeGridEditable(sgWins);
    sgWins->setSelectedFontColor(clWindowText);
    sgWins->OnAfterEdit = [this](TStringAlignGrid *, int Col, int Row) { ShowTypedPrize(Col, Row); };
    layout->addWidget(lblPicks, 0, 1, Qt::AlignHCenter);
    layout->addWidget(lblDegree, 1, 0, Qt::AlignVCenter);
    layout->addWidget(sgWins, 1, 1, Qt::AlignLeft | Qt::AlignTop);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

QWidget *TfrmConfig::CreateLineFields(QWidget *Page, TLineFields &Fields)
{
    auto *box = new QWidget(Page);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    // The columns and the start date on the left, the date format and the separators on the right.
    const auto addRow = [grid](int Row, int Column, QWidget *Label, QWidget *Field) {
        grid->addWidget(Label, Row, Column);
        grid->addWidget(Field, Row, Column + 1);
    };
    Fields.ColDate = NewIntSpin(box, 1, ColumnMax, 1);
    addRow(0, 0, BuddyLabel(QStringLiteral("Kolumna z da&tą:"), Fields.ColDate), Fields.ColDate);
    Fields.ColNumber = NewIntSpin(box, 1, ColumnMax, 2);
    addRow(1, 0, BuddyLabel(QStringLiteral("Kolumna z l&iczbami:"), Fields.ColNumber), Fields.ColNumber);
    Fields.StartDate = new QCheckBox(QStringLiteral("Od loso&wania:"), box);
    Fields.Start = NewDateEdit(box);
    Fields.Start->setEnabled(false);
    // No date chosen: the field stands at its minimum and shows nothing.
    Fields.Start->setSpecialValueText(QStringLiteral(" "));
    addRow(2, 0, Fields.StartDate, Fields.Start);
    Fields.DateFormat = NewLayoutText(box, true);
    addRow(0, 2, BuddyLabel(QStringLiteral("&Format daty:"), Fields.DateFormat), Fields.DateFormat);
    Fields.DateSep = NewLayoutText(box);
    addRow(1, 2, BuddyLabel(QStringLiteral("S&eparator daty:"), Fields.DateSep), Fields.DateSep);
    Fields.NumSep = NewLayoutText(box);
    addRow(2, 2, BuddyLabel(QStringLiteral("Sepa&rator liczb:"), Fields.NumSep), Fields.NumSep);
    Fields.SecSep = NewLayoutText(box);
    addRow(3, 2, BuddyLabel(QStringLiteral("Se&parator sekcji:"), Fields.SecSep), Fields.SecSep);
    grid->setColumnMinimumWidth(2, ScaledWidth(16));
    grid->setRowStretch(4, 1);
    connect(Fields.StartDate, &QCheckBox::toggled, Fields.Start, [Start = Fields.Start](bool Checked) {
        Start->setEnabled(Checked);
        if (Checked && Start->date() == Start->minimumDate())
            Start->setDate(QDate::currentDate());
    });
    return box;
}

QWidget *TfrmConfig::CreateSitesPage()
{
    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);
    lbSites = new QListWidget(page);
    layout->addWidget(BuddyLabel(QStringLiteral("&Lokalizacje:"), lbSites), 0, 0);
    layout->addWidget(lbSites, 1, 0, 1, 2);
    btnUp = new QPushButton(QStringLiteral("▲"), page);
    btnDown = new QPushButton(QStringLiteral("▼"), page);
    auto *moves = new QVBoxLayout;
    moves->addWidget(btnUp);
    moves->addWidget(btnDown);
    moves->addStretch(1);
    layout->addLayout(moves, 1, 2);

    eISite = new QLineEdit(page);
    eISite->setMaxLength(int(TSiteRec::LocationLength));
    eISite->setValidator(new TCp1250Validator(eISite));
    layout->addWidget(BuddyLabel(QStringLiteral("Lo&kalizacja:"), eISite), 2, 0);
    layout->addWidget(eISite, 3, 0, 1, 3);

    TLineFields fields{};
    layout->addWidget(CreateLineFields(page, fields), 4, 0);
    eIColDate = fields.ColDate;
    eIColNumber = fields.ColNumber;
    chkIStartDate = fields.StartDate;
    dtIStart = fields.Start;
    eIDateFormat = fields.DateFormat;
    eIDateSep = fields.DateSep;
    eINumSep = fields.NumSep;
    eISecSep = fields.SecSep;

    btnAdd = new QPushButton(QStringLiteral("&Dodaj"), page);
    btnReplace = new QPushButton(QStringLiteral("&Zastąp"), page);
    btnDelete = new QPushButton(QStringLiteral("&Usuń"), page);
    auto *edits = new QVBoxLayout;
    for (QPushButton *button : {btnAdd, btnReplace, btnDelete}) {
        button->setAutoDefault(false);
        edits->addWidget(button);
    }
    btnUp->setAutoDefault(false);
    btnDown->setAutoDefault(false);
    edits->addStretch(1);
    layout->addLayout(edits, 4, 1, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(1, 1);

    connectGuarded(lbSites, &QListWidget::currentRowChanged, this, &TfrmConfig::lbSitesChange);
    connectGuarded(btnAdd, &QPushButton::clicked, this, &TfrmConfig::btnAddClick);
    connectGuarded(btnReplace, &QPushButton::clicked, this, &TfrmConfig::btnReplaceClick);
    connectGuarded(btnDelete, &QPushButton::clicked, this, &TfrmConfig::btnDeleteClick);
    connectGuarded(btnUp, &QPushButton::clicked, this, [this] { MoveSite(-1); });
    connectGuarded(btnDown, &QPushButton::clicked, this, [this] { MoveSite(1); });
    return page;
}

QWidget *TfrmConfig::CreateFilePage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    TLineFields fields{};
    layout->addWidget(CreateLineFields(page, fields));
    layout->addStretch(1);
    eFColDate = fields.ColDate;
    eFColNumber = fields.ColNumber;
    chkFStartDate = fields.StartDate;
    dtFStart = fields.Start;
    eFDateFormat = fields.DateFormat;
    eFDateSep = fields.DateSep;
    eFNumSep = fields.NumSep;
    eFSecSep = fields.SecSep;
    return page;
}

TfrmConfig::TLineFields TfrmConfig::SiteFields() const
{
    return {eIColDate, eIColNumber, chkIStartDate, dtIStart, eIDateFormat, eIDateSep, eINumSep, eISecSep};
}

TfrmConfig::TLineFields TfrmConfig::FileFields() const
{
    return {eFColDate, eFColNumber, chkFStartDate, dtFStart, eFDateFormat, eFDateSep, eFNumSep, eFSecSep};
}
