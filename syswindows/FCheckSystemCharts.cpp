// The check window's charts: a line per hit level over the shown rows, each switched on by its item in
// lbHits, and the wins of the shown rows.
#include "syswindows/FCheckSystem.h"

#include "core/ProgramParams.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLineSeries>
#include <QListWidget>
#include <QTabWidget>
#include <QValueAxis>

#include <algorithm>

namespace {

constexpr int VerticalLabels = 270;

QString LevelText(int Level)
{
    return QLatin1Char('\'') + QString::number(Level) + QLatin1Char('\'');
}

void ClearChart(QChart *Chart)
{
    Chart->removeAllSeries();
    for (QAbstractAxis *axis : Chart->axes()) {
        Chart->removeAxis(axis);
        delete axis;
    }
}

// From 0 to at least Max.
void ScaleValueAxis(QValueAxis *Axis, double Max)
{
    Axis->setRange(0, std::max(Max, 1.0));
    Axis->applyNiceNumbers();
}

double SeriesMax(const QLineSeries &Series)
{
    double most = 0;
    for (const QPointF &point : Series.points())
        most = std::max(most, point.y());
    return most;
}

// Bottom axis of one category per shown row, left axis from 0 to at least Max.
void AddAxes(QChart *Chart, const QStringList &Labels, bool DrawNumbers, double Max)
{
    auto *bottom = new QBarCategoryAxis;
    bottom->append(Labels);
    bottom->setLabelsAngle(DrawNumbers ? 0 : VerticalLabels);
    Chart->addAxis(bottom, Qt::AlignBottom);
    auto *left = new QValueAxis;
    ScaleValueAxis(left, Max);
    Chart->addAxis(left, Qt::AlignLeft);
    for (QAbstractSeries *series : Chart->series()) {
        series->attachAxis(bottom);
        series->attachAxis(left);
    }
}

} // namespace

void TfrmCheckSystem::FillHitLevels()
{
    if (Results.K == KOfChart)
        return;
    lbHits->clear();
    const THitsInfo &info = Results.HitsInfo;
    for (int level = info.HighHits; level >= 1; --level) {
        auto *item = new QListWidgetItem(LevelText(level), lbHits);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(level >= info.LowHits ? Qt::Checked : Qt::Unchecked);
    }
    KOfChart = Results.K;
}

void TfrmCheckSystem::ShowCharts()
{
    pcChart->hide();
    if (Results.Shown.size() == 1)
        return;
    FillHitLevels();
    const bool drawNumbers = CheckType == ctRange && GroupType == cgDay && !ProgramParams.StatShowDate;
    QStringList labels;
    for (const TCheckRow &row : Results.Shown)
        labels << RowLabel(row);

    QChart *hits = Chart1->chart();
    ClearChart(hits);
    for (int i = 0; i < Results.HitsInfo.RowCount; ++i) {
        auto *series = new QLineSeries;
        series->setName(QStringLiteral("'   ") + QString::number(Results.Top - i) + QLatin1Char('\''));
        for (size_t r = 0; r < Results.Shown.size(); ++r)
            series->append(double(r), double(Results.Shown[r].Hits[size_t(i)]));
        hits->addSeries(series);
    }
    // The value axis is scaled to the levels shown.
    AddAxes(hits, labels, drawNumbers, 0);
    ApplyHitLevels();

    QChart *wins = Chart2->chart();
    ClearChart(wins);
    auto *series = new QLineSeries;
    double largest = 0;
    for (size_t r = 0; r < Results.Shown.size(); ++r) {
        const double win = Results.Shown[r].Win.toDouble();
        series->append(double(r), win);
        largest = std::max(largest, win);
    }
    wins->addSeries(series);
    AddAxes(wins, labels, drawNumbers, largest);
    pcChart->show();
}

void TfrmCheckSystem::RebuildCharts()
{
    pcChart->hide();
    if (chkShowChart->isChecked() && chkShowChart->isEnabled())
        ShowCharts();
}

void TfrmCheckSystem::ApplyHitLevels()
{
    QChart *chart = Chart1->chart();
    const QList<QAbstractSeries *> series = chart->series();
    double most = 0;
    for (int i = 0; i < series.size() && i < lbHits->count(); ++i) {
        const bool shown = lbHits->item(i)->checkState() == Qt::Checked;
        series[i]->setVisible(shown);
        if (shown)
            most = std::max(most, SeriesMax(*static_cast<QLineSeries *>(series[i])));
    }
    const QList<QAbstractAxis *> values = chart->axes(Qt::Vertical);
    if (!values.isEmpty())
        ScaleValueAxis(static_cast<QValueAxis *>(values.front()), most);
}
