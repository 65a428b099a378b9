#include "statwindows/PatternTablePage.h"

#include "controls/StringAlignGrid.h"
#include "core/ProgramParams.h"
#include "core/UGlobalSort.h"
#include "shell/FGlobalGrids.h"
#include "statwindows/ClassTablePage.h"
#include "statwindows/ClassTableSource.h"
#include "syswindows/ResultCharts.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace {

constexpr int ByDraw = 1;
constexpr int ByValue = 2;
constexpr int PositionWidth = 16;
constexpr int NarrowestPattern = 55;
constexpr TColor BarColor = 0xC08080;

QString Text(const std::string &S)
{
    return QString::fromStdString(S);
}

} // namespace

TPatternTablePage::TPatternTablePage(QWidget *Owner, TSortMan &SortMan, int DetailsEntry, int GroupsEntry,
                                     std::function<bool()> HasResults)
    : QObject(Owner), FSortMan(SortMan), FDetailsEntry(DetailsEntry), FGroupsEntry(GroupsEntry),
      FHasResults(std::move(HasResults))
{
    DetailsPage = new QWidget(Owner);
    eSelComb = new QLineEdit(DetailsPage);
    eSelComb->setReadOnly(true);
    lblSelComb = new QLabel(QStringLiteral("Wybrana kombinacja:"), DetailsPage);
    lblSelComb->setBuddy(eSelComb);
    sgDetails = NewGrid(DetailsPage, 2, 2, 1, 1);
    auto *selected = new QHBoxLayout;
    selected->addWidget(lblSelComb);
    selected->addWidget(eSelComb, 1);
    auto *details = new QVBoxLayout(DetailsPage);
    details->addLayout(selected);
    details->addWidget(sgDetails, 1);

    auto *table = new QWidget;
    sgAggr = NewGrid(table, 2, 2, 0, 1);
    auto *tableLayout = new QVBoxLayout(table);
    tableLayout->addWidget(sgAggr);
    auto *chartPage = new QWidget;
    Chart = NewChartView(chartPage);
    Chart->chart()->legend()->hide();
    auto *chartLayout = new QVBoxLayout(chartPage);
    chartLayout->addWidget(Chart);
    GroupsPage = new QTabWidget(Owner);
    GroupsPage->addTab(table, QStringLiteral("Tabela"));
    GroupsPage->addTab(chartPage, QStringLiteral("Wykres"));

    FDetails = BindResultGrid(
        sgDetails, FSortMan, FDetailsEntry, FHasResults,
        [this](int Col, int Row, TCellFormat &Format) { DetailsCell(Col, Row, Format); },
        [this](int SortKey, int Direction) { return SortDetails(SortKey, Direction); });
    sgDetails->OnSelectCell = [this](TStringGrid *, int, int Row, bool &) { ShowSelectedDraw(Row); };
    FGroups = BindResultGrid(
        sgAggr, FSortMan, FGroupsEntry, FHasResults,
        [this](int Col, int Row, TCellFormat &Format) { GroupsCell(Col, Row, Format); },
        [this](int SortKey, int Direction) { return SortGroups(SortKey, Direction); });
    Clear();
}

TPatternTablePage::~TPatternTablePage() = default;

bool TPatternTablePage::Shown() const
{
    return FSource && FHasResults();
}

void TPatternTablePage::Clear()
{
    Layout();
    DrawChart();
    eSelComb->clear();
}

void TPatternTablePage::Show(int NativeDrawDir)
{
    ReapplyTableSorts(FSource->Stat, FSource->Table, FSortMan, FDetailsEntry, FGroupsEntry, NativeDrawDir);
    ShowSorted();
}

void TPatternTablePage::ShowSorted()
{
    Layout();
    DrawChart();
    ShowSelectedDraw(sgDetails->Row());
}

void TPatternTablePage::Layout()
{
    const bool shown = Shown();
    const int patternWidth = std::max(PositionWidth * (shown ? FSource->LongestPattern() : 0), NarrowestPattern);
    QStringList drawLabels;
    if (shown && FSource->Stat.DrawCount > 0) {
        std::string label;
        FSource->Stat.GetDrawLabel(FSource->Table, 0, 0, ProgramParams.StatShowDate, label);
        drawLabels << Text(label);
    }
    const std::vector<TResultColumn> details = {
        {FDrawCaption, 70, alCenter, ByDraw, FSortMan.GetSortDir(FDetailsEntry, ByDraw), true},
        {QStringLiteral("Układ"), patternWidth, alRight, ByValue, FSortMan.GetSortDir(FDetailsEntry, ByValue), true},
    };
    FDetails->SetColumns(details);
    FitColumns(sgDetails, details, [&](int Col) { return Col == 0 ? drawLabels : QStringList(); });
    FDetails->ShowRows(shown ? FSource->Stat.DrawCount : 0);

    // The patterns as wide as in the details.
    const std::vector<TResultColumn> groups = {
        {QStringLiteral("Układ"), patternWidth, alRight, ByDraw, FSortMan.GetSortDir(FGroupsEntry, ByDraw), true},
        {QStringLiteral("Liczba los."), 48, alRight, ByValue, FSortMan.GetSortDir(FGroupsEntry, ByValue), true},
    };
    FGroups->SetColumns(groups);
    FitColumns(sgAggr, groups, [](int) { return QStringList(); });
    sgAggr->setColWidths(0, std::max(sgAggr->ColWidths(0), sgDetails->ColWidths(1)));
    FGroups->ShowRows(shown ? FSource->GroupRows() : 0);
}

void TPatternTablePage::DrawChart()
{
    QChart *chart = Chart->chart();
    ClearChart(chart);
    if (!Shown() || FSource->Groups.empty())
        return;
    const TCGItem &groups = FSource->Groups.front();
    QList<double> counts;
    QStringList labels;
    std::string label;
    for (int i = 0; i < groups.Count; ++i) {
        counts << groups.Items[size_t(i)].Draws;
        FSource->Stat.GetGroupValueText(FSource->Table, 0, i, label);
        labels << Text(label).trimmed();
    }
    chart->addSeries(NewBarSeries(counts, BarColor));
    AddCategoryAxes(chart, labels, FSource->TurnedLabels() ? TurnedLabels : 0,
                    counts.isEmpty() ? 0 : *std::max_element(counts.begin(), counts.end()));
}

void TPatternTablePage::ShowSelectedDraw(int Row)
{
    eSelComb->clear();
    if (!Shown() || Row < 1 || Row > FSource->Stat.DrawCount)
        return;
    std::string numbers;
    FSource->Stat.GetDrawText(FSource->Table, 0, Row - 1, numbers);
    eSelComb->setText(Text(numbers));
}

void TPatternTablePage::DetailsCell(int Col, int Row, TCellFormat &Format) const
{
    if (Row >= FSource->Stat.DrawCount)
        return;
    std::string text;
    if (Col == 0)
        FSource->Stat.GetDrawLabel(FSource->Table, 0, Row, ProgramParams.StatShowDate, text);
    else
        FSource->Stat.GetDetailText(FSource->Table, 0, Row, text);
    Format.Text = Text(text);
}

void TPatternTablePage::GroupsCell(int Col, int Row, TCellFormat &Format) const
{
    std::string text;
    if (Col == 0)
        FSource->Stat.GetGroupValueText(FSource->Table, 0, Row, text);
    else
        FSource->Stat.GetGroupCountText(FSource->Table, 0, Row, text);
    Format.Text = Text(text);
}

bool TPatternTablePage::SortDetails(int SortKey, int Direction)
{
    FSortMan.SetSort(FDetailsEntry, SortKey, Direction);
    if (SortKey == ByDraw)
        FSource->Stat.SortDetailsByDraw(FSource->Table, Direction);
    else
        FSource->Stat.SortDetailsByValue(FSource->Table, Direction);
    Layout();
    ShowSelectedDraw(sgDetails->Row());
    return true;
}

bool TPatternTablePage::SortGroups(int SortKey, int Direction)
{
    FSortMan.SetSort(FGroupsEntry, SortKey, Direction);
    if (SortKey == ByDraw)
        FSource->Stat.SortGroupsByValue(FSource->Table, Direction);
    else
        FSource->Stat.SortGroupsByCount(FSource->Table, Direction);
    Layout();
    DrawChart();
    return true;
}
