#include "statwindows/FStatMisc.h"

#include "engine/UGameMan.h"
#include "platform/ByteStream.h"
#include "platform/gui/HelpContext.h"
#include "platform/gui/ModalHooks.h"
#include "shell/GuardedConnect.h"
#include "shell/ParamsRecord.h"
#include "stats/UStatMisc.h"
#include "statwindows/ClassTableSource.h"

#include <QColorDialog>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

// The properties in the column headers; the summary and the chart lists name them in full.
const std::array<QString, TStatMisc::PropertyCount> PropertyHeaders = {
    QStringLiteral("Parzyste"),    QStringLiteral("Nieparz."),     QStringLiteral("Pierwsze"),
    QStringLiteral("Suma liczb"),  QStringLiteral("Suma cyfr"),    QStringLiteral("Suma 1 cyfry"),
    QStringLiteral("Suma 2 cyfry"), QStringLiteral("Wspólne liczby"), QStringLiteral("Min. liczba"),
    QStringLiteral("Max. liczba"), QStringLiteral("Różnica")};

class TProperties : public TClassTableSource {
public:
    explicit TProperties(TStatMisc &AStat)
        : TClassTableSource(AStat, 1, AStat.Details, AStat.Groups, AStat.SummaryRows), Misc(AStat)
    {
    }
    int ClassCount() const override { return TStatMisc::PropertyCount; }
    QString ClassLabel(int Class) const override { return PropertyHeaders[size_t(Class)]; }
    QString SummaryLabel(int Class) const override { return QString::fromUtf8(MiscCaptions[size_t(Class)]); }
    std::vector<double> RunningMeans(int Class) const override { return Misc.RunningMeans[size_t(Class)]; }

private:
    const TStatMisc &Misc;
};

class TEvenOddPatterns : public TPatternTableSource {
public:
    explicit TEvenOddPatterns(TStatMisc &AStat) : TPatternTableSource(AStat, 2, AStat.PatternGroups) {}
    int LongestPattern() const override { return 2; }
};

TClassPatternsDescriptor MiscDescriptor()
{
    TClassPatternsDescriptor d;
    d.StatIndex = TfrmStatMisc::MiscStatIndex;
    d.CaptionText = QStringLiteral("> Różne");
    d.StatName = "Różne";
    d.RangeCaption = QStringLiteral("Zakres danych:");
    d.PageCaptions = {QStringLiteral("Szczegóły"), QStringLiteral("Szczegóły - grupowanie"),
                      QStringLiteral("Szczegóły - podsumowanie"), QStringLiteral("Układy P/N - szczegóły"),
                      QStringLiteral("Układy P/N - grupowanie")};
    d.ReportItems = {QStringLiteral("Szczegóły"), QStringLiteral("Szczegóły - grupowanie"),
                     QStringLiteral("Szczegóły - podsumowanie"), QStringLiteral("Układy P-N - szczegóły"),
                     QStringLiteral("Układy P-N - grupowanie")};
    d.SheetNames = {"Szczegóły", "Szczegóły - grupowanie", "Szczegóły - podsumowanie", "Układy P-N",
                    "Układy P-N - grupowanie"};
    d.SystemDrawCaption = QStringLiteral("Nr komb.");
    TClassTableLayout &classes = d.Classes;
    classes.DrawWidth = 65;
    classes.ValueWidth = 60;
    classes.TallDetailsHeader = true;
    classes.SummaryFields = {TSummaryField::Min, TSummaryField::Max, TSummaryField::Mean, TSummaryField::Expected,
                             TSummaryField::StdDev};
    classes.KeepChartChoices = true;
    return d;
}

} // namespace

TfrmStatMisc::TfrmStatMisc(QWidget *Owner) : TfrmStatClassPatterns(MiscDescriptor(), Owner)
{
    platform::setHelpContext(this, 603);
    Button1 = new QPushButton(QStringLiteral("Statystyka..."), this);
    Button2 = new QPushButton(QStringLiteral("Wartość oczekiwana..."), this);
    Button3 = new QPushButton(QStringLiteral("Wartość średnia..."), this);
    int series = 0;
    for (QPushButton *button : {Button1, Button2, Button3}) {
        Classes->DetailsChartControls->addWidget(button);
        connectGuarded(button, &QPushButton::clicked, this, [this, series] { ChooseSeriesColor(series); });
        ++series;
    }
}

void TfrmStatMisc::ChooseSeriesColor(int Series)
{
    QLineSeries *series = std::array{Classes->StatSeries, Classes->ExpectedSeries, Classes->MeanSeries}[size_t(Series)];
    QColorDialog dialog(series->color(), this);
    if (platform::execModal(dialog) == QDialog::Accepted)
        series->setColor(dialog.currentColor());
}

std::unique_ptr<TStat> TfrmStatMisc::CreateStat()
{
    auto stat = std::make_unique<TStatMisc>(&Game->Info, FromDraws ? nullptr : System, StatProgressHandler());
    StatMisc = stat.get();
    SetSources(std::make_unique<TProperties>(*stat), std::make_unique<TEvenOddPatterns>(*stat));
    return stat;
}

void TfrmStatMisc::ReadParams()
{
    const TStoredRecord stored = ReadParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex), ParamsSize);
    platform::ByteReader record(stored.Bytes);
    uint32_t chart = 0, groupChart = 0;
    record.get(chart);
    record.get(groupChart);
    const auto choice = [](uint32_t Stored) { return Stored < uint32_t(TStatMisc::PropertyCount) ? int(Stored) : 0; };
    Classes->SetChartClasses(choice(chart), choice(groupChart));
}

void TfrmStatMisc::WriteParams()
{
    platform::ByteWriter record;
    record.put(uint32_t(std::max(Classes->lbDetChart->currentRow(), 0)));
    record.put(uint32_t(std::max(Classes->lbGDetChart->currentRow(), 0)));
    WriteParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex), record.bytes());
}

void TfrmStatMisc::Calculate()
{
    StatMisc->Calculate();
}
