#include "statwindows/FStatDigits.h"

#include "engine/UGameMan.h"
#include "platform/ByteStream.h"
#include "platform/gui/HelpContext.h"
#include "shell/ParamsRecord.h"
#include "stats/UStatDigits.h"
#include "statwindows/ClassTableSource.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QTabWidget>

namespace {

enum TDigitItem { diFirst, diLast };
// TStatDigits::SetDigitKind.
constexpr uint8_t FirstDigitKind = 1;
constexpr uint8_t LastDigitKind = 0;

// A class per digit carried by some number.
class TDigitClasses : public TClassTableSource {
public:
    explicit TDigitClasses(TStatDigits &AStat)
        : TClassTableSource(AStat, 1, AStat.Details, AStat.Groups, AStat.SummaryRows), Digits(AStat)
    {
    }
    int ClassCount() const override { return Digits.PresentCount; }
    QString ClassLabel(int Class) const override { return QString::number(Digits.PresentDigits[size_t(Class)]); }
    std::vector<double> RunningMeans(int Class) const override { return Digits.RunningMeans[size_t(Class)]; }

private:
    const TStatDigits &Digits;
};

class TDigitPatterns : public TPatternTableSource {
public:
    explicit TDigitPatterns(TStatDigits &AStat) : TPatternTableSource(AStat, 2, AStat.PatternGroups), Digits(AStat) {}
    int LongestPattern() const override { return Digits.MaxRepeated; }

private:
    const TStatDigits &Digits;
};

TClassPatternsDescriptor DigitsDescriptor()
{
    TClassPatternsDescriptor d;
    d.StatIndex = TfrmStatDigits::DigitsStatIndex;
    d.CaptionText = QStringLiteral("> Cyfry");
    d.StatName = "Cyfry";
    TClassTableLayout &classes = d.Classes;
    classes.DrawWidth = 70;
    classes.ValueWidth = 30;
    classes.GroupValueWidth = 30;
    classes.GroupCountWidth = 48;
    classes.SummaryCaption = QStringLiteral("Cyfra");
    classes.SummaryFields = {TSummaryField::Min,    TSummaryField::Max, TSummaryField::Mean,   TSummaryField::Expected,
                             TSummaryField::StdDev, TSummaryField::Sum, TSummaryField::Percent};
    classes.ChartTitlePrefix = QStringLiteral("Cyfra ");
    return d;
}

} // namespace

TfrmStatDigits::TfrmStatDigits(QWidget *Owner) : TfrmStatClassPatterns(DigitsDescriptor(), Owner)
{
    platform::setHelpContext(this, 611);
    auto *page = new QWidget;
    cbDigitType = new QComboBox(page);
    cbDigitType->addItems({QStringLiteral("Pierwsza cyfra"), QStringLiteral("Druga cyfra")});
    lblDigitType = new QLabel(QStringLiteral("Rodzaj cyfry:"), page);
    lblDigitType->setBuddy(cbDigitType);
    auto *layout = new QGridLayout(page);
    layout->addWidget(lblDigitType, 0, 0);
    layout->addWidget(cbDigitType, 0, 1);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(1, 1);
    PageControl2->insertTab(0, page, QStringLiteral("Parametry"));
    PageControl2->setCurrentIndex(0);
}

std::unique_ptr<TStat> TfrmStatDigits::CreateStat()
{
    auto stat = std::make_unique<TStatDigits>(&Game->Info, FromDraws ? nullptr : System, StatProgressHandler());
    StatDigits = stat.get();
    SetSources(std::make_unique<TDigitClasses>(*stat), std::make_unique<TDigitPatterns>(*stat));
    return stat;
}

void TfrmStatDigits::ReadParams()
{
    const TStoredRecord stored = ReadParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex), ParamsSize);
    cbDigitType->setCurrentIndex(stored.Bytes[0] != 0 ? diFirst : diLast);
}

void TfrmStatDigits::WriteParams()
{
    platform::ByteWriter record;
    record.put(uint8_t(cbDigitType->currentIndex() != diLast ? 1 : 0));
    WriteParamsRecord(ParamsKey("Stats\\", Game->Info.Id, StatIndex), record.bytes());
}

void TfrmStatDigits::Calculate()
{
    StatDigits->SetDigitKind(cbDigitType->currentIndex() == diFirst ? FirstDigitKind : LastDigitKind);
    StatDigits->Calculate();
}
