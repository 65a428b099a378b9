#include "statwindows/FStatSuccNums.h"

#include "engine/UGameMan.h"
#include "platform/gui/HelpContext.h"
#include "stats/UStatSuccNums.h"
#include "statwindows/ClassTableSource.h"

namespace {

// A class per run length found.
class TRunLengths : public TClassTableSource {
public:
    explicit TRunLengths(TStatSucc &AStat)
        : TClassTableSource(AStat, 1, AStat.Details, AStat.Groups, AStat.SummaryRows), Succ(AStat)
    {
    }
    int ClassCount() const override { return Succ.LengthCount; }
    QString ClassLabel(int Class) const override
    {
        return QLatin1Char('K') + QString::number(Succ.Lengths[size_t(Class)]);
    }
    std::vector<double> RunningMeans(int Class) const override { return Succ.RunningMeans[size_t(Class)]; }

private:
    const TStatSucc &Succ;
};

class TRunPatterns : public TPatternTableSource {
public:
    explicit TRunPatterns(TStatSucc &AStat) : TPatternTableSource(AStat, 2, AStat.PatternGroups), Succ(AStat) {}
    int LongestPattern() const override { return Succ.MaxRuns; }

private:
    const TStatSucc &Succ;
};

TClassPatternsDescriptor SuccDescriptor()
{
    TClassPatternsDescriptor d;
    d.StatIndex = TfrmStatSucc::SuccStatIndex;
    d.CaptionText = QStringLiteral("> Kolejne liczby");
    d.StatName = "Kolejne liczby";
    TClassTableLayout &classes = d.Classes;
    classes.DrawWidth = 65;
    classes.ValueWidth = 42;
    classes.GroupValuePrefix = QStringLiteral("Liczba ");
    classes.SummaryFields = {TSummaryField::Min,    TSummaryField::Max, TSummaryField::Mean,
                             TSummaryField::StdDev, TSummaryField::Sum, TSummaryField::Percent};
    classes.ExpectedSeries = false;
    return d;
}

} // namespace

TfrmStatSucc::TfrmStatSucc(QWidget *Owner) : TfrmStatClassPatterns(SuccDescriptor(), Owner)
{
    platform::setHelpContext(this, 607);
}

std::unique_ptr<TStat> TfrmStatSucc::CreateStat()
{
    auto stat = std::make_unique<TStatSucc>(&Game->Info, FromDraws ? nullptr : System, StatProgressHandler());
    StatSucc = stat.get();
    SetSources(std::make_unique<TRunLengths>(*stat), std::make_unique<TRunPatterns>(*stat));
    return stat;
}

void TfrmStatSucc::Calculate()
{
    StatSucc->Calculate();
}

bool TfrmStatSucc::HasClasses() const
{
    return StatSucc->LongestRun >= 2;
}
