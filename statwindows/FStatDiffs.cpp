#include "statwindows/FStatDiffs.h"

#include "controls/RichView.h"
#include "core/ProgramLocale.h"
#include "engine/UGameMan.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalGrids.h"
#include "shell/ProgressPanel.h"
#include "stats/UStatDiff.h"
#include "statwindows/ClassTablePage.h"
#include "statwindows/ClassTableSource.h"
#include "statwindows/PatternTablePage.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// SortMan entries: details and grouping of table T are 2T - 1 and 2T.
constexpr int DetailsEntry(int Table)
{
    return 2 * Table - 1;
}
constexpr int GroupsEntry(int Table)
{
    return 2 * Table;
}
constexpr int DiffsTable = 1;
constexpr int DiffPositionsTable = 2;
constexpr int RepeatsTable = 3;
constexpr int PositionsTable = 4;
// The statistic leaves its tables latest draw first.
constexpr int NewestFirst = 1;

// A class per difference occurring in some draw: "R01" in the headers, "01" elsewhere.
class TDiffClasses : public TClassTableSource {
public:
    explicit TDiffClasses(TStatDiffs &AStat)
        : TClassTableSource(AStat, DiffsTable, AStat.DiffCounts, AStat.DiffCountGroups, AStat.DiffCountSummary),
          Diffs(AStat)
    {
    }
    int ClassCount() const override { return Diffs.ClassCount; }
    QString ClassLabel(int Class) const override { return QLatin1Char('R') + SummaryLabel(Class); }
    QString SummaryLabel(int Class) const override
    {
        return QString::fromStdString(Diffs.DiffCaptions[size_t(Class)]);
    }
    std::vector<double> RunningMeans(int) const override { return {}; }

private:
    const TStatDiffs &Diffs;
};

// A class per position of a draw: Prefix and the position from 1 in the headers, the position as "01"
// in the summary and as "1" in the chart lists.
class TPositionClasses : public TClassTableSource {
public:
    TPositionClasses(TStatDiffs &AStat, int ATable, const TDets &ADetails, const TGDets &AGroups,
                     const TTDets &ASummary, const int32_t &ACount, const std::vector<std::vector<float>> &AMeans,
                     QChar APrefix)
        : TClassTableSource(AStat, ATable, ADetails, AGroups, ASummary), Count(ACount), Means(AMeans), Prefix(APrefix)
    {
    }
    int ClassCount() const override { return Count; }
    QString ClassLabel(int Class) const override { return Prefix + ChartLabel(Class); }
    QString SummaryLabel(int Class) const override { return QString::fromStdString(FormatFloat("00", Class + 1)); }
    QString ChartLabel(int Class) const override { return QString::number(Class + 1); }
    std::vector<double> RunningMeans(int Class) const override
    {
        const std::vector<float> &means = Means[size_t(Class)];
        return {means.begin(), means.end()};
    }

private:
    const int32_t &Count;
    const std::vector<std::vector<float>> &Means;
    const QChar Prefix;
};

class TRepeatPatterns : public TPatternTableSource {
public:
    explicit TRepeatPatterns(TStatDiffs &AStat)
        : TPatternTableSource(AStat, RepeatsTable, AStat.DiffRepeatGroups), Diffs(AStat)
    {
    }
    int LongestPattern() const override { return Diffs.MaxRepeats; }

private:
    const TStatDiffs &Diffs;
};

TClassTableLayout TableLayout(int Table, const QString &SummaryCaption, const QString &ChartTitlePrefix)
{
    TClassTableLayout layout;
    layout.DetailsEntry = DetailsEntry(Table);
    layout.GroupsEntry = GroupsEntry(Table);
    layout.DrawWidth = 70;
    layout.ValueWidth = 45;
    layout.GroupValueWidth = 48;
    layout.GroupCountWidth = 48;
    layout.SummaryCaption = SummaryCaption;
    layout.SummaryFields = {TSummaryField::Min, TSummaryField::Max, TSummaryField::Mean, TSummaryField::Expected,
                            TSummaryField::StdDev};
    layout.ChartTitlePrefix = ChartTitlePrefix;
    return layout;
}

// The differences by size have no expected values nor running means; their summary counts them.
TClassTableLayout DiffsLayout()
{
    TClassTableLayout layout = TableLayout(DiffsTable, QStringLiteral("Różnica"), QStringLiteral("Różnica "));
    layout.SummaryFields = {TSummaryField::Min,    TSummaryField::Max, TSummaryField::Mean,
                            TSummaryField::StdDev, TSummaryField::Sum, TSummaryField::Percent};
    layout.ExpectedSeries = false;
    layout.MeanSeries = false;
    return layout;
}

// A table's page: its details, grouping and (for a class table) summary.
QTabWidget *TablePages(QWidget *Owner, QWidget *Details, QWidget *Groups, QWidget *Summary)
{
    auto *pages = new QTabWidget(Owner);
    pages->addTab(Details, QStringLiteral("Szczegóły"));
    pages->addTab(Groups, QStringLiteral("Grupowanie"));
    if (Summary)
        pages->addTab(Summary, QStringLiteral("Podsumowanie"));
    return pages;
}

QTabWidget *TablePages(QWidget *Owner, const TClassTablePage &Page)
{
    return TablePages(Owner, Page.DetailsPage, Page.GroupsPage, Page.SummaryPage);
}

} // namespace

TfrmStatDiffs::TfrmStatDiffs(QWidget *Owner)
    : TGenStatForm(DiffsStatIndex, QStringLiteral("> Różnice"), true, GroupsEntry(PositionsTable), Owner)
{
    platform::setHelpContext(this, 610);
    resize(ScaledSize(620, 440));
    Diffs = NewClassPage(DiffsLayout());
    DiffPositions = NewClassPage(
        TableLayout(DiffPositionsTable, QStringLiteral("Różnica"), QStringLiteral("Różnica na pozycji ")));
    Repeats = NewPatternPage(DetailsEntry(RepeatsTable), GroupsEntry(RepeatsTable));
    Positions =
        NewClassPage(TableLayout(PositionsTable, QStringLiteral("Pozycja"), QStringLiteral("Pozycja ")));

    PageControl1 = new QTabWidget(this);
    PageControl1->addTab(TablePages(this, *Diffs), QStringLiteral("Różnice"));
    PageControl1->addTab(TablePages(this, *DiffPositions), QStringLiteral("Różnice - pozycje"));
    PageControl1->addTab(TablePages(this, Repeats->DetailsPage, Repeats->GroupsPage, nullptr),
                         QStringLiteral("Układy różnic"));
    PageControl1->addTab(TablePages(this, *Positions), QStringLiteral("Pozycje"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(txtDateDesc);
    layout->addWidget(PageControl1, 1);
    layout->addWidget(Panel1);
}

TfrmStatDiffs::~TfrmStatDiffs()
{
    FreeStat();
}

void TfrmStatDiffs::SetupControls()
{
    for (int table = DiffsTable; table <= PositionsTable; ++table) {
        // Every table's details latest first, its grouping by value ascending.
        SortMan.SetSort(DetailsEntry(table), 1, 1);
        SortMan.SetSort(GroupsEntry(table), 1, -1);
    }
    // Over a system the rows are combinations, headed as in the other tables.
    Repeats->SetDrawCaption(FromDraws ? QStringLiteral("Data") : QStringLiteral("Los."));
    ClearResults();
}

std::unique_ptr<TStat> TfrmStatDiffs::CreateStat()
{
    auto stat = std::make_unique<TStatDiffs>(&Game->Info, FromDraws ? nullptr : System, StatProgressHandler(),
                                             StatFinishedHandler());
    StatDiffs = stat.get();
    TStatDiffs &s = *stat;
    FClassSources = {std::make_unique<TDiffClasses>(s),
                     std::make_unique<TPositionClasses>(s, DiffPositionsTable, s.DiffPositions, s.DiffPositionGroups,
                                                        s.DiffPositionSummary, s.PositionCount, s.DiffPositionMeans,
                                                        QLatin1Char('R')),
                     std::make_unique<TPositionClasses>(s, PositionsTable, s.NumberPositions, s.NumberPositionGroups,
                                                        s.NumberPositionSummary, s.NumberCount, s.NumberPositionMeans,
                                                        QLatin1Char('P'))};
    FRepeatSource = std::make_unique<TRepeatPatterns>(s);
    Diffs->SetSource(FClassSources[0].get());
    DiffPositions->SetSource(FClassSources[1].get());
    Positions->SetSource(FClassSources[2].get());
    Repeats->SetSource(FRepeatSource.get());
    ClearResults();
    return stat;
}

void TfrmStatDiffs::ClearResults()
{
    for (TClassTablePage *page : {Diffs, DiffPositions, Positions})
        page->Clear();
    Repeats->Clear();
}

bool TfrmStatDiffs::StartStat()
{
    // The stored sorts are applied on the worker as well, from a copy: the GUI thread may record others
    // meanwhile.
    StatDiffs->Start([&stat = *StatDiffs, sorts = SortMan] {
        for (int table = DiffsTable; table <= PositionsTable; ++table)
            ReapplyTableSorts(stat, table, sorts, DetailsEntry(table), GroupsEntry(table), NewestFirst);
    });
    return true;
}

bool TfrmStatDiffs::ShowResults()
{
    for (TClassTablePage *page : {Diffs, DiffPositions, Positions})
        page->ShowSorted();
    Repeats->ShowSorted();
    return true;
}

void TfrmStatDiffs::Report()
{
    ReportTables({{QStringLiteral("Różnice - szczegóły"), "Różnice - szczegóły", Diffs->sgDetails},
                  {QStringLiteral("Różnice - grupowanie"), "Różnice - grupowanie", Diffs->sgAggr},
                  {QStringLiteral("Różnice - podsumowanie"), "Różnice - podsumowanie", Diffs->sgTotal},
                  {QStringLiteral("Różnice - pozycje - szczegóły"), "Różnice - pozycje - szczegóły",
                   DiffPositions->sgDetails},
                  {QStringLiteral("Różnice - pozycje - grupowanie"), "Różnice - pozycje - grupowanie",
                   DiffPositions->sgAggr},
                  {QStringLiteral("Różnice - pozycje - podsumowanie"), "Różnice-pozycje - podsumowanie",
                   DiffPositions->sgTotal},
                  {QStringLiteral("Układy różnic - szczegóły"), "Układy różnic - szczegóły", Repeats->sgDetails},
                  {QStringLiteral("Układy różnic - grupowanie"), "Układy różnic - grupowanie", Repeats->sgAggr},
                  {QStringLiteral("Pozycje - Szczegóły"), "Pozycje - szczegóły", Positions->sgDetails},
                  {QStringLiteral("Pozycje - grupowanie"), "Pozycje - grupowanie", Positions->sgAggr},
                  {QStringLiteral("Pozycje - podsumowanie"), "Pozycje - podsumowanie", Positions->sgTotal}},
                 ReportHeader("Różnice", " Zakres danych"), FromDraws ? 11 : 7);
}
