#include "statwindows/FStatIntervals.h"

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "core/UGlobalSort.h"
#include "engine/UGameMan.h"
#include "platform/ByteStream.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/GuardedConnect.h"
#include "shell/ParamsRecord.h"
#include "statwindows/ClassTablePage.h"
#include "statwindows/ClassTableSource.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>

namespace {

// SortMan entries: the details and the grouping.
enum TEntry { seDetails = 1, seGroups };
// The statistic leaves its details in the order the draws were loaded, oldest first.
constexpr int OldestFirst = -1;
constexpr int RangeColumnWidth = 48;

class TRanges : public TClassTableSource {
public:
    explicit TRanges(TStatIntervals &AStat)
        : TClassTableSource(AStat, 1, AStat.Details, AStat.Groups, AStat.SummaryRows), Ranges(AStat)
    {
    }
    int ClassCount() const override { return Ranges.IntervalCount; }
    QString ClassLabel(int Class) const override
    {
        return QString::fromStdString(Ranges.IntervalLabels[size_t(Class)]);
    }
    std::vector<double> RunningMeans(int Class) const override
    {
        const std::vector<float> &means = Ranges.RunningMeans[size_t(Class)];
        return {means.begin(), means.end()};
    }

private:
    const TStatIntervals &Ranges;
};

TClassTableLayout RangesLayout()
{
    TClassTableLayout layout;
    layout.DetailsEntry = seDetails;
    layout.GroupsEntry = seGroups;
    layout.DrawWidth = 70;
    layout.ValueWidth = 55;
    layout.GroupValuePrefix = QStringLiteral("Liczba ");
    layout.GroupValueWidth = 55;
    layout.GroupCountWidth = 48;
    layout.SummaryCaption = QStringLiteral("Przedział");
    layout.SummaryFields = {TSummaryField::Min,    TSummaryField::Max, TSummaryField::Mean,   TSummaryField::Expected,
                            TSummaryField::StdDev, TSummaryField::Sum, TSummaryField::Percent};
    return layout;
}

QString RangeText(int From, int To)
{
    return QString::fromStdString(FormatFloat("00", From) + ".." + FormatFloat("00", To));
}

} // namespace

TfrmStatIntervals::TfrmStatIntervals(QWidget *Owner)
    : TGenStatForm(IntervalsStatIndex, QStringLiteral("> Przedziały liczbowe"), false, 2, Owner)
{
    platform::setHelpContext(this, 606);
    Classes = NewClassPage(RangesLayout());
    CreateControls();
    connectGuarded(btnFill, &QPushButton::clicked, this, &TfrmStatIntervals::btnFillClick);
    connectGuarded(btnSelect, &QPushButton::clicked, this, &TfrmStatIntervals::btnSelectClick);
    connectGuarded(btnDeselect, &QPushButton::clicked, this, &TfrmStatIntervals::btnDeselectClick);
}

TfrmStatIntervals::~TfrmStatIntervals()
{
    FreeStat();
}

void TfrmStatIntervals::SetupControls()
{
    SortMan.SetSort(seDetails, 1, 1);
    SortMan.SetSort(seGroups, 1, -1);
    const int n = Game->Info.MaxNumber;
    CreateButtons();
    seBegin->SetMaxValue(n);
    seWidth->SetMaxValue(n);
    seBegin->SetValue(1);
    ClearResults();
}

std::unique_ptr<TStat> TfrmStatIntervals::CreateStat()
{
    auto stat = std::make_unique<TStatIntervals>(&Game->Info, FromDraws ? nullptr : System, StatProgressHandler());
    StatIntervals = stat.get();
    FSource = std::make_unique<TRanges>(*stat);
    Classes->SetSource(FSource.get());
    return stat;
}

void TfrmStatIntervals::ReadParams()
{
    const int n = Game->Info.MaxNumber;
    const TStoredRecord stored = ReadParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex), ParamsSize);
    platform::ByteReader record(stored.Bytes);
    int32_t begin = 0, width = 0;
    record.get(begin);
    record.get(width);
    seBegin->SetValue(1);
    if (begin >= 1 && begin <= n)
        seBegin->SetValue(begin);
    seWidth->SetValue(n);
    if (width >= 1 && width <= n)
        seWidth->SetValue(width);
    for (size_t i = 0; i < Buttons.size(); ++i)
        Buttons[i]->setChecked(stored.Bytes[8 + i] != 0);
    if (stored.Read)
        Recount();
    else
        btnFillClick();
}

void TfrmStatIntervals::WriteParams()
{
    platform::ByteWriter record;
    record.put(int32_t(SpinValue(seBegin)));
    record.put(int32_t(SpinValue(seWidth)));
    for (size_t i = 0; i < ButtonBytes; ++i)
        record.put(uint8_t(i < Buttons.size() && Buttons[i]->isChecked() ? 1 : 0));
    WriteParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex), record.bytes());
}

void TfrmStatIntervals::PressAll(bool Pressed)
{
    for (QToolButton *button : Buttons)
        button->setChecked(Pressed);
}

void TfrmStatIntervals::btnFillClick()
{
    PressAll(false);
    const int n = Game->Info.MaxNumber;
    const int width = std::max(SpinValue(seWidth), 1);
    for (int c = SpinValue(seBegin); c <= n + 1; c += width)
        Buttons[size_t(c - 1)]->setChecked(true);
    Buttons[size_t(n)]->setChecked(true);
    Recount();
}

void TfrmStatIntervals::btnSelectClick()
{
    PressAll(true);
    Recount();
}

void TfrmStatIntervals::btnDeselectClick()
{
    PressAll(false);
    Recount();
}

void TfrmStatIntervals::Recount()
{
    std::vector<int> pressed;
    for (size_t i = 0; i < Buttons.size(); ++i)
        if (Buttons[i]->isChecked())
            pressed.push_back(int(i));
    PressedCount = int(pressed.size());
    Intervals.clear();
    for (size_t j = 0; j + 1 < pressed.size(); ++j) {
        TInterval range;
        range.From = uint8_t(pressed[j] + 1);
        range.To = uint8_t(pressed[j + 1]);
        Intervals.push_back(range);
    }
    sgIntervals->setColCount(std::max<int>(int(Intervals.size()), 1));
    sgIntervals->setCells(0, 0, QString());
    for (int j = 0; j < int(Intervals.size()); ++j) {
        const QString text = RangeText(Intervals[size_t(j)].From, Intervals[size_t(j)].To);
        sgIntervals->setCells(j, 0, text);
        SetColWidth(sgIntervals, j, RangeColumnWidth, {text});
    }
    UpdateMenu();
}

void TfrmStatIntervals::ClearResults()
{
    Classes->Clear();
}

void TfrmStatIntervals::Calculate()
{
    StatIntervals->SetIntervals(Intervals);
    StatIntervals->Calculate();
}

bool TfrmStatIntervals::ShowResults()
{
    Classes->Show(OldestFirst);
    if (PageControl1->currentIndex() == 0)
        PageControl1->setCurrentIndex(1);
    return true;
}

void TfrmStatIntervals::Report()
{
    ReportTables({{QStringLiteral("Szczegóły"), "Szczegóły", Classes->sgDetails},
                  {QStringLiteral("Szczegóły - grupowanie"), "Szczegóły - grupowanie", Classes->sgAggr},
                  {QStringLiteral("Szczegóły - podsumowanie"), "Szczegóły - podsumowanie", Classes->sgTotal}},
                 ReportHeader("Przedziały", " Zakres danych"), FromDraws ? 11 : 7);
}
