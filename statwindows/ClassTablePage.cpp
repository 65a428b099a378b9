#include "statwindows/ClassTablePage.h"

#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "core/ProgramParams.h"
#include "core/ScopedSet.h"
#include "core/UGlobalSort.h"
#include "shell/DeferredDraw.h"
#include "shell/FGlobalGrids.h"
#include "shell/GuardedConnect.h"
#include "statwindows/ClassTableSource.h"
#include "syswindows/ResultCharts.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace {

constexpr int ByDraw = 1;
constexpr int ByValue = 2;
constexpr int TallHeader = 30;
constexpr TColor StatColor = 0x804000;
constexpr TColor ExpectedColor = 0x1500D7;
constexpr TColor MeanColor = 0x3EC9EC;
constexpr TColor BarColor = 0xC08080;

QString Text(const std::string &S)
{
    return QString::fromStdString(S);
}

QString Real(double Value)
{
    return Text(FormatFloat("0.00", Value)) + QLatin1Char(' ');
}

QString FieldCaption(TSummaryField Field)
{
    switch (Field) {
    case TSummaryField::Min:
        return QStringLiteral("Min");
    case TSummaryField::Max:
        return QStringLiteral("Max");
    case TSummaryField::Mean:
        return QStringLiteral("Średnia");
    case TSummaryField::Expected:
        return QStringLiteral("Wart. oczek.");
    case TSummaryField::StdDev:
        return QStringLiteral("Odch. std.");
    case TSummaryField::Sum:
        return QStringLiteral("Ilość");
    case TSummaryField::Percent:
        return QStringLiteral("Procent");
    }
    return QString();
}

// Hundredths: the class's values are hundredths, shown as units with two decimals.
QString FieldText(TSummaryField Field, const TSummaryItem &Item, bool Hundredths)
{
    const double unit = Hundredths ? 100.0 : 1.0;
    const auto whole = [&](int32_t Value) {
        return Hundredths ? Real(Value / unit) : QString::number(Value) + QLatin1Char(' ');
    };
    switch (Field) {
    case TSummaryField::Min:
        return whole(Item.Min);
    case TSummaryField::Max:
        return whole(Item.Max);
    case TSummaryField::Mean:
        return Real(Item.Mean / unit);
    case TSummaryField::Expected:
        return Real(Item.Expected / unit);
    case TSummaryField::StdDev:
        return Real(Item.StdDev / unit);
    case TSummaryField::Sum:
        return QString::number(Item.Sum) + QLatin1Char(' ');
    case TSummaryField::Percent:
        return Text(FormatFloat("0.00", Item.Percent * 100)) + QStringLiteral("% ");
    }
    return QString();
}

QLineSeries *NewLine(QChart *Chart, const QString &Name, TColor Color)
{
    auto *series = new QLineSeries;
    series->setName(Name);
    series->setColor(toQColor(Color));
    Chart->addSeries(series);
    return series;
}

// A page of a table and a page of its chart.
QTabWidget *NewTablePages(QWidget *Owner, QWidget *Table, QWidget *Chart)
{
    auto *pages = new QTabWidget(Owner);
    pages->addTab(Table, QStringLiteral("Tabela"));
    pages->addTab(Chart, QStringLiteral("Wykres"));
    return pages;
}

QListWidget *NewChartList(QWidget *Parent)
{
    auto *list = new QListWidget(Parent);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, toQColor(ResultGridColor));
    list->setPalette(palette);
    list->setMaximumWidth(ScaledWidth(130));
    return list;
}

} // namespace

void FitColumns(TStringAlignGrid *Grid, const std::vector<TResultColumn> &Columns,
                const std::function<QStringList(int Col)> &Values)
{
    Grid->UpdateSortMarks();
    for (int col = 0; col < int(Columns.size()); ++col)
        SetColWidth(Grid, col, Columns[size_t(col)].DesignWidth, Values(col));
}

TClassTablePage::TClassTablePage(QWidget *Owner, TSortMan &SortMan, TClassTableLayout Layout,
                                 std::function<bool()> HasResults, TSortRoad SortRoad)
    : QObject(Owner), FSortMan(SortMan), FLayout(std::move(Layout)), FHasResults(std::move(HasResults)),
      FSortRoad(std::move(SortRoad))
{
    CreateDetailsPage(Owner);
    CreateGroupsPage(Owner);
    CreateSummaryPage(Owner);
    Clear();
}

TClassTablePage::~TClassTablePage() = default;

void TClassTablePage::CreateDetailsPage(QWidget *Owner)
{
    auto *table = new QWidget;
    eSelComb = new QLineEdit(table);
    eSelComb->setReadOnly(true);
    lblSelComb = new QLabel(QStringLiteral("Wybrana kombinacja:"), table);
    lblSelComb->setBuddy(eSelComb);
    sgDetails = NewGrid(table, 2, 2, 1, 1);
    if (FLayout.TallDetailsHeader)
        sgDetails->setRowHeights(0, ScaledRowHeight(TallHeader));
    auto *selected = new QHBoxLayout;
    selected->addWidget(lblSelComb);
    selected->addWidget(eSelComb, 1);
    auto *tableLayout = new QVBoxLayout(table);
    tableLayout->addLayout(selected);
    tableLayout->addWidget(sgDetails, 1);

    auto *chartPage = new QWidget;
    lbDetChart = NewChartList(chartPage);
    DetChart = NewChartView(chartPage);
    QChart *chart = DetChart->chart();
    chart->legend()->setAlignment(Qt::AlignBottom);
    StatSeries = NewLine(chart, QStringLiteral("Statystyka"), StatColor);
    if (FLayout.ExpectedSeries)
        ExpectedSeries = NewLine(chart, QStringLiteral("Wartość oczekiwana"), ExpectedColor);
    if (FLayout.MeanSeries)
        MeanSeries = NewLine(chart, QStringLiteral("Wartość średnia"), MeanColor);
    DetailsChartControls = new QVBoxLayout;
    DetailsChartControls->addWidget(lbDetChart, 1);
    auto *chartLayout = new QHBoxLayout(chartPage);
    chartLayout->addLayout(DetailsChartControls);
    chartLayout->addWidget(DetChart, 1);
    DetailsPage = NewTablePages(Owner, table, chartPage);
    FDetailsChartDrawer = new TDeferredDraw(DetChart, [this] { DrawDetailsChart(); });

    FDetails = BindResultGrid(
        sgDetails, FSortMan, FLayout.DetailsEntry, FHasResults,
        [this](int Col, int Row, TCellFormat &Format) { DetailsCell(Col, Row, Format); },
        [this](int SortKey, int Direction) { return SortDetails(SortKey, Direction); });
    sgDetails->OnSelectCell = [this](TStringGrid *, int Col, int Row, bool &) {
        SelectClass(ColumnClass(Col));
        ShowSelectedDraw(Col, Row);
    };
    connectGuarded(lbDetChart, &QListWidget::currentRowChanged, this, [this](int Row) {
        if (Row < 0 || Row == ChartClass)
            return;
        ChartClass = Row;
        if (FHasResults())
            FDetailsChartDrawer->Request();
    });
}

void TClassTablePage::CreateGroupsPage(QWidget *Owner)
{
    auto *table = new QWidget;
    sgAggr = NewGrid(table, 2, 2, 0, 1);
    sgAggr->setRowHeights(0, ScaledRowHeight(TallHeader));
    auto *tableLayout = new QVBoxLayout(table);
    tableLayout->addWidget(sgAggr);

    auto *chartPage = new QWidget;
    GroupChart = NewChartView(chartPage);
    GroupChart->chart()->legend()->hide();
    lbGDetChart = NewChartList(chartPage);
    auto *chartLayout = new QHBoxLayout(chartPage);
    chartLayout->addWidget(GroupChart, 1);
    chartLayout->addWidget(lbGDetChart);
    GroupsPage = NewTablePages(Owner, table, chartPage);
    FGroupChartDrawer = new TDeferredDraw(GroupChart, [this] { DrawGroupChart(); });

    FGroups = BindResultGrid(
        sgAggr, FSortMan, FLayout.GroupsEntry, FHasResults,
        [this](int Col, int Row, TCellFormat &Format) { GroupsCell(Col, Row, Format); },
        [this](int SortKey, int Direction) { return SortGroups(SortKey, Direction); });
    connectGuarded(lbGDetChart, &QListWidget::currentRowChanged, this, [this](int Row) {
        if (Row < 0 || Row == GroupChartClass)
            return;
        GroupChartClass = Row;
        if (FHasResults())
            FGroupChartDrawer->Request();
    });
}

void TClassTablePage::CreateSummaryPage(QWidget *Owner)
{
    SummaryPage = new QWidget(Owner);
    sgTotal = NewGrid(SummaryPage, int(FLayout.SummaryFields.size()) + 1, 2, 1, 1);
    auto *layout = new QVBoxLayout(SummaryPage);
    layout->addWidget(sgTotal);
    FTotal = BindResultGrid(sgTotal, FSortMan, 0, FHasResults,
                            [this](int Col, int Row, TCellFormat &Format) { SummaryCell(Col, Row, Format); });
}

int TClassTablePage::Classes() const
{
    return FSource && FHasResults() ? FSource->ClassCount() : 0;
}

void TClassTablePage::Clear()
{
    LayoutDetails();
    LayoutGroups();
    LayoutSummary();
    FillChartLists();
    FDetailsChartDrawer->Request();
    FGroupChartDrawer->Request();
    eSelComb->clear();
}

void TClassTablePage::Show(int NativeDrawDir)
{
    ReapplyTableSorts(FSource->Stat, FSource->Table, FSortMan, FLayout.DetailsEntry, FLayout.GroupsEntry,
                      NativeDrawDir);
    ShowSorted();
}

void TClassTablePage::ShowSorted()
{
    LayoutDetails();
    LayoutGroups();
    LayoutSummary();
    FillChartLists();
    FDetailsChartDrawer->Request();
    FGroupChartDrawer->Request();
    PlaceCursor();
    ShowSelectedDraw(sgDetails->Col(), sgDetails->Row());
}

void TClassTablePage::SetChartClasses(int Chart, int GroupChart)
{
    ChartClass = Chart;
    GroupChartClass = GroupChart;
    const QSignalBlocker quietDetails(lbDetChart), quietGroups(lbGDetChart);
    lbDetChart->setCurrentRow(Chart);
    lbGDetChart->setCurrentRow(GroupChart);
}

int TClassTablePage::ColumnClass(int Col) const
{
    return Col >= 0 && Col < int(FColumns.size()) ? FColumns[size_t(Col)].Class : -1;
}

bool TClassTablePage::IsDrawColumn(int Col) const
{
    return Col >= 0 && Col < int(FColumns.size()) && FColumns[size_t(Col)].Draw;
}

bool TClassTablePage::SortedByValue() const
{
    return FSortMan.GetSortDir(FLayout.DetailsEntry, ByDraw) == 2 &&
           FSortMan.GetSortDir(FLayout.DetailsEntry, ByValue) != 2;
}

void TClassTablePage::LayoutDetails()
{
    const int classes = Classes();
    const bool pairs = SortedByValue() && classes > 0;
    const int drawDir = FSortMan.GetSortDir(FLayout.DetailsEntry, ByDraw);
    const int valueDir = FSortMan.GetSortDir(FLayout.DetailsEntry, ByValue);
    QStringList drawLabels;
    if (classes > 0 && FSource->Stat.DrawCount > 0) {
        std::string label;
        for (const int row : {0, FSource->Stat.DrawCount - 1}) {
            FSource->Stat.GetDrawLabel(FSource->Table, 0, row, ProgramParams.StatShowDate, label);
            drawLabels << Text(label);
        }
    }
    FColumns.clear();
    std::vector<TResultColumn> columns;
    const auto addDraw = [&](int Class) {
        FColumns.push_back({Class, true});
        columns.push_back({FDrawCaption, FLayout.DrawWidth, alCenter, ByDraw, drawDir, true});
    };
    if (!pairs)
        addDraw(-1);
    for (int c = 0; c < classes; ++c) {
        if (pairs)
            addDraw(c);
        FColumns.push_back({c, false});
        columns.push_back({FSource->ClassLabel(c), FLayout.ValueWidth, alRight, ByValue, valueDir, true});
    }
    sgDetails->setFixedCols(0);
    FDetails->SetColumns(columns);
    sgDetails->setFixedCols(!pairs && columns.size() > 1 ? 1 : 0);
    FitColumns(sgDetails, columns, [&](int Col) { return FColumns[size_t(Col)].Draw ? drawLabels : QStringList(); });
    FDetailRows = classes > 0 ? FSource->Stat.DrawCount : 0;
    FDetails->ShowRows(FDetailRows);
}

void TClassTablePage::LayoutGroups()
{
    const int classes = Classes();
    const int valueDir = FSortMan.GetSortDir(FLayout.GroupsEntry, ByDraw);
    const int countDir = FSortMan.GetSortDir(FLayout.GroupsEntry, ByValue);
    std::vector<TResultColumn> columns;
    for (int c = 0; c < std::max(classes, 1); ++c) {
        const QString label = classes > 0 ? FSource->ClassLabel(c) : QString();
        columns.push_back({FLayout.GroupValuePrefix + label, FLayout.GroupValueWidth, alRight, ByDraw, valueDir, true});
        columns.push_back({QStringLiteral("Liczba los."), FLayout.GroupCountWidth, alRight, ByValue, countDir, true});
    }
    FGroups->SetColumns(columns);
    FitColumns(sgAggr, columns, [](int) { return QStringList(); });
    FGroups->ShowRows(classes > 0 ? FSource->GroupRows() : 0);
}

void TClassTablePage::LayoutSummary()
{
    const int classes = Classes();
    std::vector<TResultColumn> columns = {{FLayout.SummaryCaption, 60, alLeft, 0, 0, false}};
    for (const TSummaryField field : FLayout.SummaryFields)
        columns.push_back({FieldCaption(field), 60, alRight, 0, 0, false});
    FTotal->SetColumns(columns);
    FTotal->ShowRows(classes);
    QStringList labels;
    for (int c = 0; c < classes; ++c)
        labels << FSource->SummaryLabel(c);
    SetColWidth(sgTotal, 0, 60, labels);
    for (int col = 1; col < int(columns.size()); ++col) {
        QStringList texts;
        for (int c = 0; c < classes; ++c)
            texts << FieldText(FLayout.SummaryFields[size_t(col - 1)], FSource->Summary[size_t(c)],
                               FSource->InHundredths(c));
        SetColWidth(sgTotal, col, 60, texts);
    }
}

void TClassTablePage::FillChartLists()
{
    // Classes known before any results (fixed ones) are listed at once.
    const int classes = FSource ? FSource->ClassCount() : 0;
    const bool keep = FLayout.KeepChartChoices;
    const int chart = keep && ChartClass < classes ? ChartClass : 0;
    const int groupChart = keep && GroupChartClass < classes ? GroupChartClass : 0;
    {
        const QSignalBlocker quietDetails(lbDetChart), quietGroups(lbGDetChart);
        lbDetChart->clear();
        lbGDetChart->clear();
        for (int c = 0; c < classes; ++c) {
            lbDetChart->addItem(FSource->ChartLabel(c));
            lbGDetChart->addItem(FSource->ChartLabel(c));
        }
    }
    if (classes > 0 || !keep)
        SetChartClasses(chart, groupChart);
}

void TClassTablePage::DrawDetailsChart()
{
    QChart *chart = DetChart->chart();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    const int classes = Classes();
    const int c = ChartClass;
    if (classes == 0 || c >= classes) {
        chart->setTitle(QString());
        for (QLineSeries *series : {StatSeries, ExpectedSeries, MeanSeries})
            if (series)
                series->clear();
        return;
    }
    const TStatTables &stat = FSource->Stat;
    const int rows = stat.DrawCount;
    QList<QPointF> values, expected, means;
    QStringList labels;
    std::string label;
    double low = 0, high = 0;
    const double expectedValue = FSource->Summary[size_t(c)].Expected;
    for (int row = 0; row < rows; ++row) {
        const double value = FSource->Details[size_t(row)][size_t(c)].Value;
        values << QPointF(row, value);
        expected << QPointF(row, expectedValue);
        stat.GetDrawLabel(FSource->Table, c, row, ProgramParams.StatShowDate, label);
        labels << Text(label);
        low = std::min(low, value);
        high = std::max(high, value);
    }
    // The running means follow the draws' order: loaded oldest first.
    const bool byDraw = !SortedByValue();
    if (MeanSeries && byDraw) {
        const std::vector<double> running = FSource->RunningMeans(c);
        const bool newestFirst = FSortMan.GetSortDir(FLayout.DetailsEntry, ByDraw) == 1;
        for (int row = 0; row < int(running.size()); ++row)
            means << QPointF(row, running[size_t(newestFirst ? int(running.size()) - 1 - row : row)]);
    }
    StatSeries->replace(values);
    if (ExpectedSeries) {
        ExpectedSeries->replace(expected);
        high = std::max(high, expectedValue);
    }
    if (MeanSeries) {
        MeanSeries->replace(means);
        MeanSeries->setVisible(byDraw);
    }
    chart->setTitle(FLayout.ChartTitlePrefix + FSource->ChartLabel(c));
    AddSampledAxes(chart, labels, ProgramParams.StatShowDate && stat.FromDraws ? TurnedLabels : 0, high, low);
}

void TClassTablePage::DrawGroupChart()
{
    QChart *chart = GroupChart->chart();
    ClearChart(chart);
    const int c = GroupChartClass;
    if (c >= Classes()) {
        chart->setTitle(QString());
        return;
    }
    const TGItem &group = FSource->Groups[size_t(c)];
    QList<double> counts;
    QStringList labels;
    std::string label;
    for (int i = 0; i < group.Count; ++i) {
        counts << group.Items[size_t(i)].Draws;
        FSource->Stat.GetGroupValueText(FSource->Table, c, i, label);
        labels << Text(label).trimmed();
    }
    chart->addSeries(NewBarSeries(counts, BarColor));
    chart->setTitle(FLayout.ChartTitlePrefix + FSource->ChartLabel(c));
    AddCategoryAxes(chart, labels, 0, counts.isEmpty() ? 0 : *std::max_element(counts.begin(), counts.end()));
}

void TClassTablePage::SelectClass(int Class)
{
    if (Class < 0 || Class >= Classes())
        return;
    SelClass = Class;
    FSelLabel = FSource->ClassLabel(Class);
}

void TClassTablePage::PlaceCursor()
{
    // The classes of a new computation may differ: the selected one is found by its label.
    for (int c = 0; c < Classes(); ++c)
        if (FSource->ClassLabel(c) == FSelLabel)
            SelClass = c;
    for (int col = int(FColumns.size()) - 1; col >= 0; --col)
        if (FColumns[size_t(col)].Class == SelClass) {
            sgDetails->setCol(col);
            return;
        }
}

void TClassTablePage::ShowSelectedDraw(int Col, int Row)
{
    eSelComb->clear();
    if (!FSource || Classes() == 0 || Row < 1 || Row > FSource->Stat.DrawCount)
        return;
    std::string numbers;
    FSource->Stat.GetDrawText(FSource->Table, std::max(ColumnClass(Col), 0), Row - 1, numbers);
    eSelComb->setText(Text(numbers));
    if (OnSelectDraw)
        OnSelectDraw(Col, Row);
}

void TClassTablePage::DetailsCell(int Col, int Row, TCellFormat &Format) const
{
    if (Col >= int(FColumns.size()) || Row >= FDetailRows)
        return;
    const TColumnTag &tag = FColumns[size_t(Col)];
    std::string text;
    if (tag.Draw)
        FSource->Stat.GetDrawLabel(FSource->Table, std::max(tag.Class, 0), Row, ProgramParams.StatShowDate, text);
    else
        FSource->Stat.GetDetailText(FSource->Table, tag.Class, Row, text);
    Format.Text = Text(text);
    if (tag.Class >= 0)
        Format.Brush.Color = tag.Class % 2 == 0 ? ResultShadeLight : ResultShadeDark;
}

void TClassTablePage::GroupsCell(int Col, int Row, TCellFormat &Format) const
{
    const int c = Col / 2;
    if (c >= FSource->ClassCount())
        return;
    std::string text;
    if (Col % 2 == 0)
        FSource->Stat.GetGroupValueText(FSource->Table, c, Row, text);
    else
        FSource->Stat.GetGroupCountText(FSource->Table, c, Row, text);
    Format.Text = Text(text);
    Format.Brush.Color = c % 2 == 0 ? ResultShadeLight : ResultShadeDark;
}

void TClassTablePage::SummaryCell(int Col, int Row, TCellFormat &Format) const
{
    if (Row >= FSource->ClassCount() || Row >= int(FSource->Summary.size()))
        return;
    if (Col == 0)
        Format.Text = FSource->SummaryLabel(Row);
    else if (Col <= int(FLayout.SummaryFields.size()))
        Format.Text = FieldText(FLayout.SummaryFields[size_t(Col - 1)], FSource->Summary[size_t(Row)],
                                FSource->InHundredths(Row));
}

bool TClassTablePage::SortDetails(int SortKey, int Direction)
{
    SelectClass(ColumnClass(sgDetails->Col()));
    TStatTables &stat = FSource->Stat;
    const int table = FSource->Table;
    FSortRoad(
        [&stat, table, SortKey, Direction](const TMyThread *Thread) {
            const TScopedSet<const TMyThread *> polled(stat.SortThread, Thread);
            if (SortKey == ByDraw)
                stat.SortDetailsByDraw(table, Direction);
            else
                stat.SortDetailsByValue(table, Direction);
        },
        [this, SortKey, Direction] {
            FSortMan.SetSort(FLayout.DetailsEntry, SortKey, Direction);
            LayoutDetails();
            PlaceCursor();
            ShowSelectedDraw(sgDetails->Col(), sgDetails->Row());
            FDetailsChartDrawer->Request();
            FDetails->RecordSort(SortKey, Direction);
        });
    // Recorded once sorted.
    return false;
}

bool TClassTablePage::SortGroups(int SortKey, int Direction)
{
    TStatTables &stat = FSource->Stat;
    const int table = FSource->Table;
    FSortRoad(
        [&stat, table, SortKey, Direction](const TMyThread *Thread) {
            const TScopedSet<const TMyThread *> polled(stat.SortThread, Thread);
            if (SortKey == ByDraw)
                stat.SortGroupsByValue(table, Direction);
            else
                stat.SortGroupsByCount(table, Direction);
        },
        [this, SortKey, Direction] {
            FSortMan.SetSort(FLayout.GroupsEntry, SortKey, Direction);
            LayoutGroups();
            FGroupChartDrawer->Request();
            FGroups->RecordSort(SortKey, Direction);
        });
    return false;
}
