#include "shell/FDrawsRange.h"

#include "controls/RichView.h"
#include "core/DateTime.h"
#include "core/ProgramLocale.h"
#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalDrawsRange.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalViewers.h"
#include "shell/GuardedConnect.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int PeriodCountFloor = 100;
// The largest period count per unit (days, weeks, months, years); draws are bounded by the history.
constexpr std::array<int, 4> PeriodCountLimits = {18250, 2608, 609, 50};

QListWidget *NewFlagList(QWidget *Parent, const QStringList &Items)
{
    auto *list = new QListWidget(Parent);
    for (const QString &text : Items) {
        auto *item = new QListWidgetItem(text, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    return list;
}

// The month days show in two columns of 16.
constexpr int MonthDayColumns = 2;
constexpr int MonthDayRows = 16;

// A check list as wide as its items, not the list's default width.
void FitToItems(QListWidget *List)
{
    List->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
}

// A wrapping check list wide enough for Columns columns of its widest item and tall enough for Rows rows.
void FitToColumns(QListWidget *List, int Columns, int Rows)
{
    const int frame = 2 * List->frameWidth();
    List->setFixedWidth(Columns * (List->sizeHintForColumn(0) + 2 * List->spacing()) + frame);
    List->setMinimumHeight(Rows * (List->sizeHintForRow(0) + 2 * List->spacing()) + frame);
}

template <size_t N>
void FillFlags(QListWidget *List, const std::array<bool, N> &Flags)
{
    for (size_t i = 0; i < N; ++i)
        List->item(int(i))->setCheckState(Flags[i] ? Qt::Checked : Qt::Unchecked);
}

template <size_t N>
void ReadFlags(const QListWidget *List, std::array<bool, N> &Flags)
{
    for (size_t i = 0; i < N; ++i)
        Flags[i] = List->item(int(i))->checkState() == Qt::Checked;
}

} // namespace

TfrmDrawsFilter::TfrmDrawsFilter(QWidget *parent) : TFirstShow<QDialog>(parent)
{
    platform::setHelpContext(this, 203);
    DefaultDrawsRange(Range);
    CreateControls();
}

void TfrmDrawsFilter::CreateControls()
{
    auto *layout = new QVBoxLayout(this);

    auto *gbDesc = new QGroupBox(QStringLiteral("Wybrany zakres  losowań"), this);
    auto *descLayout = new QVBoxLayout(gbDesc);
    txtDateDesc = new TRichView(gbDesc);
    SetupSummaryViewer(txtDateDesc);
    descLayout->addWidget(txtDateDesc);
    layout->addWidget(gbDesc);

    auto *gbInfo = new QGroupBox(QStringLiteral("Informacja o bazie losowań"), this);
    auto *infoLayout = new QVBoxLayout(gbInfo);
    txtDrawsInfo = new TRichView(gbInfo);
    SetupSummaryViewer(txtDrawsInfo);
    infoLayout->addWidget(txtDrawsInfo);
    layout->addWidget(gbInfo);

    PageControl1 = new QTabWidget(this);
    PageControl1->addTab(CreateParamsPage(), QStringLiteral("Parametry"));
    PageControl1->addTab(CreateLimitsPage(), QStringLiteral("Ograniczenia"));
    layout->addWidget(PageControl1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btnOK = new QPushButton(QStringLiteral("O&K"), this);
    btnOK->setDefault(true);
    btnOK->setAutoDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    btnCancel->setAutoDefault(false);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);
    connectGuarded(btnOK, &QPushButton::clicked, this, &TfrmDrawsFilter::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget *TfrmDrawsFilter::CreateParamsPage()
{
    auto *page = new QWidget;
    auto *layout = new QHBoxLayout(page);

    auto *modes = new QVBoxLayout;
    rbFltTypeAll = new QRadioButton(QStringLiteral("&Wszystkie losowania"), page);
    rbFltTypeLast = new QRadioButton(QStringLiteral("O&statnie losowanie"), page);
    rbFltTypeRange = new QRadioButton(QStringLiteral("&Zakres czasowy"), page);
    rbFltTypePeriods = new QRadioButton(QStringLiteral("Okr&esy"), page);
    rbFltTypePos = new QRadioButton(QStringLiteral("&Indeksy"), page);
    for (QRadioButton *mode : {rbFltTypeAll, rbFltTypeLast, rbFltTypeRange, rbFltTypePeriods, rbFltTypePos}) {
        modes->addWidget(mode);
        connectGuarded(mode, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                ModeChanged();
        });
    }
    modes->addStretch(1);
    layout->addLayout(modes);

    auto *groups = new QVBoxLayout;
    gb2 = new QGroupBox(page);
    auto *datesLayout = new QGridLayout(gb2);
    lblRange1 = new QLabel(QStringLiteral("&Od:"), gb2);
    chkRange1 = new QCheckBox(gb2);
    ddtRange1 = NewDateEdit(gb2);
    lblRange1->setBuddy(ddtRange1);
    lblRange2 = new QLabel(QStringLiteral("Do:"), gb2);
    chkRange2 = new QCheckBox(gb2);
    ddtRange2 = NewDateEdit(gb2);
    datesLayout->addWidget(lblRange1, 0, 0);
    datesLayout->addWidget(chkRange1, 0, 1);
    datesLayout->addWidget(ddtRange1, 0, 2);
    datesLayout->addWidget(lblRange2, 1, 0);
    datesLayout->addWidget(chkRange2, 1, 1);
    datesLayout->addWidget(ddtRange2, 1, 2);
    datesLayout->setColumnStretch(3, 1);
    groups->addWidget(gb2);

    gb3 = new QGroupBox(page);
    auto *periodsLayout = new QGridLayout(gb3);
    gbDir = new QGroupBox(QStringLiteral("Kierunek"), gb3);
    auto *dirLayout = new QHBoxLayout(gbDir);
    prbDir1 = new QRadioButton(QStringLiteral("Do &przodu"), gbDir);
    prbDir2 = new QRadioButton(QStringLiteral("Do tył&u"), gbDir);
    dirLayout->addWidget(prbDir1);
    dirLayout->addWidget(prbDir2);
    dirLayout->addStretch(1);
    pchkDate = new QCheckBox(QStringLiteral("Do (od) da&ty:"), gb3);
    pdtDate = NewDateEdit(gb3);
    lblPeriodType = new QLabel(QStringLiteral("&Rodzaj okresu:"), gb3);
    pcbPeriodType = new QComboBox(gb3);
    pcbPeriodType->addItems({QStringLiteral("Dzień"), QStringLiteral("Tydzień"), QStringLiteral("Miesiąc"),
                             QStringLiteral("Rok"), QStringLiteral("Losowanie")});
    lblPeriodType->setBuddy(pcbPeriodType);
    lblPeriodCount = new QLabel(QStringLiteral("&Liczba okresów:"), gb3);
    psePeriodCount = new QSpinBox(gb3);
    psePeriodCount->setMinimum(1);
    lblPeriodCount->setBuddy(psePeriodCount);
    periodsLayout->addWidget(gbDir, 0, 0, 1, 2);
    periodsLayout->addWidget(pchkDate, 1, 0);
    periodsLayout->addWidget(pdtDate, 1, 1);
    periodsLayout->addWidget(lblPeriodType, 2, 0);
    periodsLayout->addWidget(pcbPeriodType, 2, 1);
    periodsLayout->addWidget(lblPeriodCount, 3, 0);
    periodsLayout->addWidget(psePeriodCount, 3, 1);
    groups->addWidget(gb3);

    gb4 = new QGroupBox(page);
    auto *indexLayout = new QHBoxLayout(gb4);
    lblIndexFrom = new QLabel(QStringLiteral("O&d:"), gb4);
    iseIndexFrom = new QSpinBox(gb4);
    iseIndexFrom->setMinimum(1);
    lblIndexFrom->setBuddy(iseIndexFrom);
    lblIndexTo = new QLabel(QStringLiteral("Do:"), gb4);
    iseIndexTo = new QSpinBox(gb4);
    iseIndexTo->setMinimum(1);
    indexLayout->addWidget(lblIndexFrom);
    indexLayout->addWidget(iseIndexFrom);
    indexLayout->addWidget(lblIndexTo);
    indexLayout->addWidget(iseIndexTo);
    indexLayout->addStretch(1);
    groups->addWidget(gb4);
    layout->addLayout(groups, 1);

    const auto refresh = [this] { RefreshSummary(); };
    const auto dateChanged = [this] {
        UpdateEnabling();
        RefreshSummary();
    };
    connectGuarded(chkRange1, &QCheckBox::toggled, this, dateChanged);
    connectGuarded(chkRange2, &QCheckBox::toggled, this, dateChanged);
    connectGuarded(ddtRange1, &QDateEdit::dateChanged, this, refresh);
    connectGuarded(ddtRange2, &QDateEdit::dateChanged, this, refresh);
    connectGuarded(prbDir2, &QRadioButton::toggled, this, refresh);
    connectGuarded(pchkDate, &QCheckBox::toggled, this, dateChanged);
    connectGuarded(pdtDate, &QDateEdit::dateChanged, this, refresh);
    connectGuarded(pcbPeriodType, &QComboBox::currentIndexChanged, this, &TfrmDrawsFilter::PeriodTypeChanged);
    connectGuarded(psePeriodCount, &QSpinBox::valueChanged, this, refresh);
    connectGuarded(iseIndexFrom, &QSpinBox::valueChanged, this, &TfrmDrawsFilter::IndexFromChanged);
    // The spin box keeps iseIndexTo at or above its minimum, iseIndexFrom's value.
    connectGuarded(iseIndexTo, &QSpinBox::valueChanged, this, refresh);
    return page;
}

QWidget *TfrmDrawsFilter::CreateLimitsPage()
{
    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);

    QStringList weekDays = {QStringLiteral("Poniedziałek"), QStringLiteral("Wtorek"), QStringLiteral("Środa"),
                            QStringLiteral("Czwartek"),     QStringLiteral("Piątek"), QStringLiteral("Sobota"),
                            QStringLiteral("Niedziela")};
    QStringList monthDays;
    for (int day = 1; day <= 31; ++day)
        monthDays << QString::number(day);
    QStringList months = {
        QStringLiteral("Styczeń"),     QStringLiteral("Luty"),     QStringLiteral("Marzec"),
        QStringLiteral("Kwiecień"),    QStringLiteral("Maj"),      QStringLiteral("Czerwiec"),
        QStringLiteral("Lipiec"),      QStringLiteral("Sierpień"), QStringLiteral("Wrzesień"),
        QStringLiteral("Październik"), QStringLiteral("Listopad"), QStringLiteral("Grudzień")};
    QStringList quarters;
    for (int quarter = 1; quarter <= 4; ++quarter)
        quarters << QStringLiteral("%1 kwartał").arg(quarter);

    lbWeekDays = NewFlagList(page, weekDays);
    lbMonthDays = NewFlagList(page, monthDays);
    lbMonthDays->setFlow(QListView::TopToBottom);
    lbMonthDays->setWrapping(true);
    lbMonthDays->setUniformItemSizes(true);
    FitToColumns(lbMonthDays, MonthDayColumns, MonthDayRows);
    lbMonths = NewFlagList(page, months);
    lbQuarters = NewFlagList(page, quarters);
    for (QListWidget *list : {lbWeekDays, lbMonths, lbQuarters})
        FitToItems(list);

    const std::array<QString, 4> captions = {QStringLiteral("&Dni tygodnia:"), QStringLiteral("D&ni miesiąca:"),
                                             QStringLiteral("&Miesiące:"), QStringLiteral("&Kwartały:")};
    for (int tag = 0; tag < 4; ++tag) {
        QListWidget *list = FlagList(tag);
        auto *label = new QLabel(captions[size_t(tag)], page);
        label->setBuddy(list);
        btnSelectAll[size_t(tag)] = new QToolButton(page);
        btnSelectAll[size_t(tag)]->setText(QStringLiteral("+"));
        btnClearAll[size_t(tag)] = new QToolButton(page);
        btnClearAll[size_t(tag)]->setText(QStringLiteral("-"));
        connectGuarded(btnSelectAll[size_t(tag)], &QToolButton::clicked, this, [this, tag] { SetAllItems(tag, true); });
        connectGuarded(btnClearAll[size_t(tag)], &QToolButton::clicked, this, [this, tag] { SetAllItems(tag, false); });
        connectGuarded(list, &QListWidget::itemChanged, this, &TfrmDrawsFilter::RefreshSummary);

        auto *head = new QHBoxLayout;
        head->addWidget(label, 1);
        head->addWidget(btnSelectAll[size_t(tag)]);
        head->addWidget(btnClearAll[size_t(tag)]);
        layout->addLayout(head, 0, tag);
        layout->addWidget(list, 1, tag);
    }
    return page;
}

QListWidget *TfrmDrawsFilter::FlagList(int Tag) const
{
    switch (Tag) {
    case 0:
        return lbWeekDays;
    case 1:
        return lbMonthDays;
    case 2:
        return lbMonths;
    default:
        return lbQuarters;
    }
}

void TfrmDrawsFilter::FormShow()
{
    setWindowTitle(QStringLiteral("<%1> Zakres losowań").arg(QString::fromStdString(Game->Info.ShortName)));
    const int draws = DrawsMan->Count();
    pcbPeriodType->setCurrentIndex(puDay);
    psePeriodCount->setMaximum(std::max(draws, PeriodCountFloor));
    iseIndexFrom->setMaximum(draws);
    iseIndexTo->setMaximum(draws);
    Events = false;
    FillControls();
    Events = true;
    UpdateEnabling();
    ShowDrawsInfo();
    RefreshSummary();
}

void TfrmDrawsFilter::FillControls()
{
    const std::array<QRadioButton *, 5> modes = {rbFltTypeAll, rbFltTypeLast, rbFltTypeRange, rbFltTypePeriods,
                                                 rbFltTypePos};
    modes[Range.Mode < modes.size() ? size_t(Range.Mode) : size_t(drAll)]->setChecked(true);
    ddtRange1->setDate(ToQDate(Range.StartDate));
    chkRange1->setChecked(Range.UseStart);
    ddtRange2->setDate(ToQDate(Range.EndDate));
    chkRange2->setChecked(Range.UseEnd);
    (Range.Backward ? prbDir2 : prbDir1)->setChecked(true);
    pchkDate->setChecked(Range.UseAnchor);
    pdtDate->setDate(ToQDate(Range.AnchorDate));
    psePeriodCount->setValue(int(std::min<uint32_t>(Range.PeriodCount, uint32_t(psePeriodCount->maximum()))));
    pcbPeriodType->setCurrentIndex(Range.PeriodUnit);
    iseIndexFrom->setValue(Range.FirstIndex);
    iseIndexTo->setValue(Range.LastIndex);
    FillFlags(lbWeekDays, Range.WeekDays);
    FillFlags(lbMonthDays, Range.MonthDays);
    FillFlags(lbMonths, Range.Months);
    FillFlags(lbQuarters, Range.Quarters);
}

TDrawsRange TfrmDrawsFilter::ReadControls() const
{
    TDrawsRange r = Range;
    const std::array<const QRadioButton *, 5> modes = {rbFltTypeAll, rbFltTypeLast, rbFltTypeRange, rbFltTypePeriods,
                                                       rbFltTypePos};
    for (size_t mode = 0; mode < modes.size(); ++mode)
        if (modes[mode]->isChecked())
            r.Mode = uint8_t(mode);
    r.StartDate = FromQDate(ddtRange1->date());
    r.UseStart = chkRange1->isChecked();
    r.EndDate = FromQDate(ddtRange2->date());
    r.UseEnd = chkRange2->isChecked();
    r.Backward = prbDir2->isChecked();
    r.UseAnchor = pchkDate->isChecked();
    r.AnchorDate = FromQDate(pdtDate->date());
    r.PeriodUnit = uint8_t(pcbPeriodType->currentIndex());
    r.PeriodCount = uint32_t(psePeriodCount->value());
    r.FirstIndex = iseIndexFrom->value();
    r.LastIndex = iseIndexTo->value();
    ReadFlags(lbWeekDays, r.WeekDays);
    ReadFlags(lbMonthDays, r.MonthDays);
    ReadFlags(lbMonths, r.Months);
    ReadFlags(lbQuarters, r.Quarters);
    return r;
}

void TfrmDrawsFilter::UpdateEnabling()
{
    const bool dates = rbFltTypeRange->isChecked();
    const bool periods = rbFltTypePeriods->isChecked();
    const bool indexes = rbFltTypePos->isChecked();
    for (QWidget *control : {static_cast<QWidget *>(lblRange1), static_cast<QWidget *>(chkRange1),
                             static_cast<QWidget *>(lblRange2), static_cast<QWidget *>(chkRange2)})
        control->setEnabled(dates);
    ddtRange1->setEnabled(dates && chkRange1->isChecked());
    ddtRange2->setEnabled(dates && chkRange2->isChecked());
    for (QWidget *control : {static_cast<QWidget *>(gbDir), static_cast<QWidget *>(prbDir1),
                             static_cast<QWidget *>(prbDir2), static_cast<QWidget *>(pchkDate),
                             static_cast<QWidget *>(lblPeriodType), static_cast<QWidget *>(pcbPeriodType),
                             static_cast<QWidget *>(lblPeriodCount), static_cast<QWidget *>(psePeriodCount)})
        control->setEnabled(periods);
    pdtDate->setEnabled(periods && pchkDate->isChecked());
    for (QWidget *control : {static_cast<QWidget *>(lblIndexFrom), static_cast<QWidget *>(iseIndexFrom),
                             static_cast<QWidget *>(lblIndexTo), static_cast<QWidget *>(iseIndexTo)})
        control->setEnabled(indexes);
}

void TfrmDrawsFilter::ShowDrawsInfo()
{
    txtDrawsInfo->Clear();
    const int draws = DrawsMan->Count();
    if (draws == 0) {
        txtDrawsInfo->AddText(QStringLiteral("Brak losowań"), 0);
    } else {
        const QString period = QString::fromStdString(DateToStr(DrawsMan->GetDraw(0).Date) + " - " +
                                                      DateToStr(DrawsMan->GetDraw(draws - 1).Date));
        txtDrawsInfo->AddText(QStringLiteral("Wszystkich losowań: "), 0);
        txtDrawsInfo->AddText(QString::number(draws), 7);
        txtDrawsInfo->AddText(QStringLiteral(";   Okres: "), 0);
        txtDrawsInfo->AddText(period, 6);
        txtDrawsInfo->AddText(QStringLiteral(";   "), 0);
    }
    txtDrawsInfo->Format();
    FitViewerToText(txtDrawsInfo);
}

void TfrmDrawsFilter::RefreshSummary()
{
    if (!Events)
        return;
    Range = ReadControls();
    DrawsMan->SetRange(Range);
    ShowDrawsRange(Range, txtDateDesc, false);
}

void TfrmDrawsFilter::ModeChanged()
{
    if (!Events)
        return;
    UpdateEnabling();
    RefreshSummary();
}

void TfrmDrawsFilter::PeriodTypeChanged(int Index)
{
    if (!Events)
        return;
    const int limit = Index >= 0 && Index < int(PeriodCountLimits.size()) ? PeriodCountLimits[size_t(Index)]
                                                                           : DrawsMan->Count();
    psePeriodCount->setMaximum(limit);
    RefreshSummary();
}

void TfrmDrawsFilter::IndexFromChanged(int Value)
{
    iseIndexTo->setMinimum(Value); // raises iseIndexTo when it is lower
    RefreshSummary();
}

void TfrmDrawsFilter::SetAllItems(int Tag, bool Value)
{
    Events = false;
    CheckAll(FlagList(Tag), Value);
    Events = true;
    UpdateEnabling();
    RefreshSummary();
}

void TfrmDrawsFilter::btnOKClick()
{
    Range = ReadControls();
    if (!DrawsMan->SetRange(Range)) {
        MsgBox(QStringLiteral("Przy takim ustawieniu parametrów filtru żadne losowanie nie zostanie uwzględnione w "
                              "obliczeniach."),
               QString(), MsgFlagsNotice);
        return;
    }
    if (DefaultMode) {
        Game->DefRange = Range;
        SaveDrawsRange(Game->Info.Id, Range, DefRangeKey);
    } else {
        SaveDrawsRange(Game->Info.Id, Range, DrawsRangeKey);
        Game->DrawsRange = Range;
    }
    accept();
}
