#include "syswindows/ResultCharts.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QSet>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>

namespace {

// The most labels a sampled axis shows.
constexpr int SampledLabels = 24;

void AddValueAxis(QChart *Chart, QAbstractAxis *Bottom, double Max, double Min)
{
    Chart->addAxis(Bottom, Qt::AlignBottom);
    auto *left = new QValueAxis;
    ScaleValueAxis(left, Max, Min);
    Chart->addAxis(left, Qt::AlignLeft);
    for (QAbstractSeries *series : Chart->series()) {
        series->attachAxis(Bottom);
        series->attachAxis(left);
    }
}

} // namespace

QChartView *NewChartView(QWidget *Parent, const QString &Title)
{
    auto *chart = new QChart;
    chart->setTitle(Title);
    chart->setTitleBrush(toQColor(ChartTitleColor));
    auto *view = new QChartView(chart, Parent);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void ClearChart(QChart *Chart)
{
    Chart->removeAllSeries();
    for (QAbstractAxis *axis : Chart->axes()) {
        Chart->removeAxis(axis);
        delete axis;
    }
}

void ScaleValueAxis(QValueAxis *Axis, double Max, double Min)
{
    Min = std::min(Min, 0.0);
    Axis->setRange(Min, std::max(Max, Min + 1.0));
    Axis->applyNiceNumbers();
}

void AddCategoryAxes(QChart *Chart, const QStringList &Labels, int LabelAngle, double Max, double Min)
{
    auto *bottom = new QBarCategoryAxis;
    bottom->append(Labels);
    bottom->setLabelsAngle(LabelAngle);
    // Turned dates and months would otherwise be cut to an ellipsis in a small chart.
    bottom->setTruncateLabels(false);
    AddValueAxis(Chart, bottom, Max, Min);
}

void AddSampledAxes(QChart *Chart, const QStringList &Labels, int LabelAngle, double Max, double Min)
{
    auto *bottom = new QCategoryAxis;
    bottom->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    bottom->setLabelsAngle(LabelAngle);
    bottom->setTruncateLabels(false);
    const int count = int(Labels.size());
    bottom->setRange(-0.5, std::max(count, 1) - 0.5);
    bottom->setStartValue(-0.5);
    const int step = std::max(1, (count + SampledLabels - 1) / SampledLabels);
    QSet<QString> shown; // the axis takes each label once
    for (int i = 0; i < count; i += step)
        if (!shown.contains(Labels[i])) {
            shown.insert(Labels[i]);
            bottom->append(Labels[i], i);
        }
    AddValueAxis(Chart, bottom, Max, Min);
}

QAbstractBarSeries *NewBarSeries(const QList<double> &Values, TColor Color, const QString &Name)
{
    auto *bars = new QBarSet(Name);
    QLinearGradient gradient(0, 0, 1, 0);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, toQColor(Color).lighter(140));
    gradient.setColorAt(1, toQColor(Color));
    bars->setBrush(gradient);
    bars->setPen(QPen(toQColor(Color).darker(130)));
    bars->append(Values);
    auto *series = new QStackedBarSeries;
    series->append(bars);
    series->setBarWidth(0.8);
    return series;
}
