#include "statwindows/FStatRangeFreqs.h"

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "core/ProgramParams.h"
#include "core/UGlobalSort.h"
#include "engine/UGameMan.h"
#include "platform/ByteStream.h"
#include "platform/gui/HelpContext.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FMainCommands.h"
#include "shell/GuardedConnect.h"
#include "shell/ParamsRecord.h"
#include "shell/ResultGrid.h"
#include "stats/UStatRangeFreqs.h"
#include "statwindows/ClassTablePage.h"
#include "statwindows/ClassTableSource.h"
#include "statwindows/RangeFreqsChart.h"
#include "syswindows/ResultCharts.h"

#include <QChart>
#include <QChartView>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

// SortMan entries: the details, the selected draw's counts, the grouping.
enum TEntry { seDetails = 1, seFreqs = TfrmStatRangeFreqs::seFreqsEntry, seGroups };
// The statistic leaves its details latest draw first.
constexpr int NewestFirst = 1;
constexpr int ZoneColumns = 9;
constexpr int CoefficientColumn = 6;
constexpr int DetailsTable = 1;

const std::array<QString, ZoneColumns> ZoneHeaders = {
    QStringLiteral("Z1"),     QStringLiteral("Z2"),     QStringLiteral("Z3"),
    QStringLiteral("Dł. 1"),  QStringLiteral("Dł. 2"),  QStringLiteral("Dł. 3"),
    QStringLiteral("Wsp. 1"), QStringLiteral("Wsp. 2"), QStringLiteral("Wsp. 3")};
const std::array<QString, ZoneColumns> ZoneNames = {
    QStringLiteral("Zakres 1"),          QStringLiteral("Zakres 2"),          QStringLiteral("Zakres 3"),
    QStringLiteral("Długość zakresu 1"), QStringLiteral("Długość zakresu 2"), QStringLiteral("Długość zakresu 3"),
    QStringLiteral("Wsp. 1"),            QStringLiteral("Wsp. 2"),            QStringLiteral("Wsp. 3")};
// The bar titles of each chart kind.
const std::array<std::array<QString, 3>, 3> ChartTitles = {{
    {QStringLiteral("Zakres 1  "), QStringLiteral("Zakres 2  "), QStringLiteral("Zakres 3  ")},
    {QStringLiteral("Długość zakresu 1  "), QStringLiteral("Długość zakresu 2  "), QStringLiteral("Długość zakresu 3  ")},
    {QStringLiteral("Współczynnik 1  "), QStringLiteral("Współczynnik 2  "), QStringLiteral("Współczynnik 3  ")},
}};

class TZones : public TClassTableSource {
public:
    explicit TZones(TStatRangeFreqs &AStat)
        : TClassTableSource(AStat, DetailsTable, AStat.Details, AStat.Groups, AStat.SummaryRows)
    {
    }
    int ClassCount() const override { return ZoneColumns; }
    QString ClassLabel(int Class) const override { return ZoneHeaders[size_t(Class)]; }
    QString SummaryLabel(int Class) const override { return QLatin1Char(' ') + ZoneHeaders[size_t(Class)]; }
    QString ChartLabel(int Class) const override { return ZoneNames[size_t(Class)]; }
    // The coefficients.
    bool InHundredths(int Class) const override { return Class >= CoefficientColumn; }
    std::vector<double> RunningMeans(int) const override { return {}; }
};

TClassTableLayout ZonesLayout()
{
    TClassTableLayout layout;
    layout.DetailsEntry = seDetails;
    layout.GroupsEntry = seGroups;
    layout.DrawWidth = 65;
    layout.ValueWidth = 45;
    layout.GroupValueWidth = 55;
    layout.SummaryFields = {TSummaryField::Min, TSummaryField::Max, TSummaryField::Mean, TSummaryField::StdDev};
    layout.ExpectedSeries = false;
    layout.KeepChartChoices = true;
    return layout;
}

QString ColorText(TColor Color)
{
    return toQColor(Color).name(QColor::HexRgb).toUpper();
}

} // namespace

TfrmStatRangeFreqs::TfrmStatRangeFreqs(QWidget *Owner)
    : TGenStatForm(RangeFreqsStatIndex, QStringLiteral("> Zakresy częstotliwości"), false, 3, Owner)
{
    Classes = NewClassPage(ZonesLayout());
    CreateControls();
    platform::setHelpContext(this, 613);
    Classes->OnSelectDraw = [this](int Col, int Row) { ShowSelectedDraw(Col, Row); };
    for (QRadioButton *button : {rbRangeType1, rbRangeType2})
        connectGuarded(button, &QRadioButton::toggled, this, [this] { rbRangeTypeClick(); });
    for (int zone = 0; zone < 3; ++zone)
        connectGuarded(btnColors[size_t(zone)], &QPushButton::clicked, this, [this, zone] { ChooseColor(zone); });
    connectGuarded(btnDefColors, &QPushButton::clicked, this, &TfrmStatRangeFreqs::btnDefColorsClick);
    for (QRadioButton *button : rbDetCharts)
        connectGuarded(button, &QRadioButton::toggled, this, [this](bool Checked) {
            if (Checked && HasResults())
                DrawDetailsChart();
        });
}

TfrmStatRangeFreqs::~TfrmStatRangeFreqs()
{
    FreeStat();
}

void TfrmStatRangeFreqs::SetupControls()
{
    SortMan.SetSort(seDetails, 1, 1);
    SortMan.SetSort(seFreqs, 2, 1);
    SortMan.SetSort(seGroups, 1, -1);
    rbRangeTypeClick();
    ClearResults();
}

std::unique_ptr<TStat> TfrmStatRangeFreqs::CreateStat()
{
    auto stat = std::make_unique<TStatRangeFreqs>(&Game->Info, StatProgressHandler());
    StatRangeFreqs = stat.get();
    FSource = std::make_unique<TZones>(*stat);
    Classes->SetSource(FSource.get());
    ClearResults();
    return stat;
}

void TfrmStatRangeFreqs::ReadParams()
{
    const TStoredRecord stored = ReadParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex), ParamsSize);
    UpdateDrawCountLimit();
    seDrawCount->SetValue(std::min(30.0, seDrawCount->MaxValue()));
    seFrom1->SetValue(10);
    seTo1->SetValue(10);
    seFrom2->SetValue(1);
    seTo2->SetValue(1);
    rbRangeType1->setChecked(true);
    Colors = DefaultColors;
    rbDetCharts[0]->setChecked(true);
    if (stored.Valid()) {
        platform::ByteReader record(stored.Bytes);
        uint8_t valid = 0, byPercent = 0, chartKind = 0, groupChart = 0;
        uint16_t backDraws = 0, countFrom = 0, countTo = 0;
        float percentFrom = 0, percentTo = 0;
        std::array<uint32_t, 3> colors{};
        record.get(valid);
        record.get(backDraws);
        record.get(byPercent);
        record.get(percentFrom);
        record.get(percentTo);
        record.get(countFrom);
        record.get(countTo);
        for (uint32_t &color : colors)
            record.get(color);
        record.get(chartKind);
        record.get(groupChart);
        SetStoredValue(seDrawCount, backDraws);
        (byPercent != 0 ? rbRangeType1 : rbRangeType2)->setChecked(true);
        const auto setPercent = [](TFloatSpin *Spin, float Stored) {
            if (Stored >= Spin->MinValue() && Stored <= Spin->MaxValue())
                Spin->SetValue(Stored);
        };
        if (byPercent != 0) {
            setPercent(seFrom1, percentFrom);
            setPercent(seTo1, percentTo);
        } else {
            SetStoredValue(seFrom2, countFrom);
            SetStoredValue(seTo2, countTo);
        }
        for (size_t zone = 0; zone < colors.size(); ++zone)
            if (colors[zone] <= 0xFFFFFF)
                Colors[zone] = colors[zone];
        if (chartKind < rbDetCharts.size())
            rbDetCharts[chartKind]->setChecked(true);
        if (groupChart < ZoneColumns)
            Classes->SetChartClasses(0, groupChart);
    }
    for (int zone = 0; zone < 3; ++zone)
        SetColor(zone, Colors[size_t(zone)]);
}

void TfrmStatRangeFreqs::WriteParams()
{
    platform::ByteWriter record;
    record.put(uint8_t(1));
    record.put(uint16_t(SpinValue(seDrawCount)));
    record.put(uint8_t(rbRangeType1->isChecked() ? 1 : 0));
    record.put(float(seFrom1->Value()));
    record.put(float(seTo1->Value()));
    record.put(uint16_t(SpinValue(seFrom2)));
    record.put(uint16_t(SpinValue(seTo2)));
    for (const TColor color : Colors)
        record.put(uint32_t(color));
    record.put(uint8_t(ChartKind()));
    record.put(uint8_t(std::max(Classes->lbGDetChart->currentRow(), 0)));
    WriteParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex), record.bytes());
}

bool TfrmStatRangeFreqs::HandleCommand(CommandEvent &Command)
{
    const bool handled = TGenStatForm::HandleCommand(Command);
    if (handled && (Command.type() == WM_DRAWS_RANGE || ChangedDrawsGame(Command)))
        UpdateDrawCountLimit();
    return handled;
}

void TfrmStatRangeFreqs::UpdateDrawCountLimit()
{
    seDrawCount->SetMaxValue(std::max<double>(Range.Range.Count, 1));
}

void TfrmStatRangeFreqs::rbRangeTypeClick()
{
    const bool percent = rbRangeType1->isChecked();
    for (QWidget *control : std::initializer_list<QWidget *>{lblFrom1, seFrom1, lblTo1, seTo1})
        control->setEnabled(percent);
    for (QWidget *control : std::initializer_list<QWidget *>{lblFrom2, seFrom2, lblTo2, seTo2})
        control->setEnabled(!percent);
}

void TfrmStatRangeFreqs::ChooseColor(int Zone)
{
    QColorDialog dialog(toQColor(Colors[size_t(Zone)]), this);
    if (platform::execModal(dialog) != QDialog::Accepted)
        return;
    const QColor chosen = dialog.currentColor();
    SetColor(Zone, TColor(chosen.red()) | TColor(chosen.green()) << 8 | TColor(chosen.blue()) << 16);
}

void TfrmStatRangeFreqs::btnDefColorsClick()
{
    for (int zone = 0; zone < 3; ++zone)
        SetColor(zone, DefaultColors[size_t(zone)]);
}

void TfrmStatRangeFreqs::SetColor(int Zone, TColor Color)
{
    Colors[size_t(Zone)] = Color;
    QLineEdit *field = eColors[size_t(Zone)];
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, toQColor(Color));
    field->setPalette(palette);
    field->setText(ColorText(Color));
    sgSelDraw->update();
    sgFreqs->update();
    ColorZone(Chart1->chart(), Zone, Color);
}

int TfrmStatRangeFreqs::ChartKind() const
{
    for (size_t kind = 0; kind < rbDetCharts.size(); ++kind)
        if (rbDetCharts[kind]->isChecked())
            return int(kind);
    return 0;
}

void TfrmStatRangeFreqs::ClearResults()
{
    FSelDrawIndex = -1;
    Classes->Clear();
    LayoutFreqs();
    DrawDetailsChart();
}

void TfrmStatRangeFreqs::Calculate()
{
    const bool percent = rbRangeType1->isChecked();
    const double lower = percent ? seFrom1->Value() : SpinValue(seFrom2);
    const double upper = percent ? seTo1->Value() : SpinValue(seTo2);
    StatRangeFreqs->SetParams(*Game->DrawsMan, SpinValue(seDrawCount), percent, float(lower), float(upper));
    StatRangeFreqs->Calculate();
}

bool TfrmStatRangeFreqs::ShowResults()
{
    Classes->Show(NewestFirst);
    DrawDetailsChart();
    if (PageControl1->currentIndex() == 0)
        PageControl1->setCurrentIndex(1);
    return true;
}

void TfrmStatRangeFreqs::ShowSelectedDraw(int Col, int Row)
{
    if (!HasResults() || Row < 1 || Row > StatRangeFreqs->DrawCount)
        return;
    FSelDrawCol = std::max(Classes->ColumnClass(Col), 0);
    FSelDrawIndex = Row - 1;
    StatRangeFreqs->CalcNumberFreqs(StatRangeFreqs->Details[size_t(FSelDrawIndex)][size_t(FSelDrawCol)].Draw);
    LayoutFreqs();
}

void TfrmStatRangeFreqs::LayoutFreqs()
{
    const bool shown = HasResults() && FSelDrawIndex >= 0;
    const int byNumber = SortMan.GetSortDir(seFreqs, 1);
    const int byFreq = SortMan.GetSortDir(seFreqs, 2);
    if (shown) {
        if (byNumber != 2)
            StatRangeFreqs->SortFreqsByNumber(byNumber);
        else
            StatRangeFreqs->SortFreqsByFreq(byFreq);
    }
    FFreqs->SetColumns({{QStringLiteral("L"), 30, alRight, 1, byNumber, false},
                        {QStringLiteral("C"), 40, alRight, 2, byFreq, false}});
    FitColumns(sgFreqs, {{QStringLiteral("L"), 30}, {QStringLiteral("C"), 40}}, [](int) { return QStringList(); });
    FFreqs->ShowRows(shown ? int(StatRangeFreqs->Freqs.size()) : 0);

    const int k = Game ? Game->Info.Drawn : 1;
    std::vector<TResultColumn> cells;
    for (int pos = 1; pos <= k; ++pos)
        cells.push_back({QString::number(pos), 24, alCenter});
    FSelDraw->SetColumns(cells);
    FSelDraw->ShowRows(shown ? 1 : 0);
}

void TfrmStatRangeFreqs::DrawDetailsChart()
{
    QChart *chart = Chart1->chart();
    ClearChart(chart);
    if (!HasResults())
        return;
    const TStatRangeFreqs &stat = *StatRangeFreqs;
    const int kind = ChartKind();
    std::array<QList<double>, 3> values;
    QStringList labels;
    std::string label;
    for (int row = 0; row < stat.DrawCount; ++row) {
        for (size_t zone = 0; zone < values.size(); ++zone) {
            const double value = stat.Details[size_t(row)][size_t(3 * kind) + zone].Value;
            values[zone].append(kind == 2 ? value / 100 : value);
        }
        StatRangeFreqs->GetDrawLabel(0, row, ProgramParams.StatShowDate, label);
        labels << QString::fromStdString(label);
    }
    ChartZones(chart, values, ChartTitles[size_t(kind)], Colors, labels,
               ProgramParams.StatShowDate && stat.FromDraws ? TurnedLabels : 0);
}

void TfrmStatRangeFreqs::Report()
{
    const std::string header = ReportHeader("Zakresy częstotliwości", " Zakres danych") +
                               " Liczba losowań wstecz : " + std::to_string(SpinValue(seDrawCount)) + "#";
    ReportTables({{QStringLiteral("Szczegóły"), "Szczegóły", Classes->sgDetails},
                  {QStringLiteral("Szczegóły - grupowanie"), "Szczegóły - grupowanie", Classes->sgAggr},
                  {QStringLiteral("Szczegóły - podsumowanie"), "Szczegóły - podsumowanie", Classes->sgTotal}},
                 header, 12);
}

void TfrmStatRangeFreqs::FreqsCell(int Col, int Row, TCellFormat &Format) const
{
    if (Row >= int(StatRangeFreqs->Freqs.size()))
        return;
    const TFreqEntry &entry = StatRangeFreqs->Freqs[size_t(Row)];
    Format.Text = Col == 0 ? QString::number(entry.Number) : QString::fromStdString(FormatFloat("#,##", entry.Freq));
    const size_t zone = entry.Freq > StatRangeFreqs->UpperBound ? 0 : entry.Freq >= StatRangeFreqs->LowerBound ? 1 : 2;
    Format.Brush.Color = Colors[zone];
}

void TfrmStatRangeFreqs::SelDrawCell(int Col, int Row, TCellFormat &Format) const
{
    if (Row != 0 || FSelDrawIndex < 0 || Col >= StatRangeFreqs->K)
        return;
    Format.Text = QString::number(StatRangeFreqs->GetNumberOrZone(FSelDrawCol, FSelDrawIndex, Col, true));
    Format.Brush.Color = Colors[StatRangeFreqs->GetNumberOrZone(FSelDrawCol, FSelDrawIndex, Col, false)];
}

bool TfrmStatRangeFreqs::SortFreqs(int SortKey, int Direction)
{
    SortMan.SetSort(seFreqs, SortKey, Direction);
    LayoutFreqs();
    return true;
}
