// The waiting window's chart: one point per detail row with a value, in the table's order, with the
// expected value and, while the table is in draw order, the running mean.
#include "statwindows/FStatWait.h"

#include "controls/Graphics.h"
#include "core/ProgramParams.h"
#include "stats/UStatWait.h"
#include "syswindows/ResultCharts.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <string>

namespace {

constexpr TColor ValuesColor = 8404992;
constexpr TColor ExpectedColor = 1376471;
constexpr TColor MeanColor = 4114924;
constexpr TColor TitleColor = 128;
constexpr int VerticalLabels = 270;
// Labelled positions of the bottom axis, at most.
constexpr int AxisLabels = 12;

// Added to the chart with all its points at once: a chart recomputes its geometry on each new point.
QLineSeries *NewSeries(QChart *Chart, const QString &Name, TColor Color, int Width, const QList<QPointF> &Points)
{
    auto *series = new QLineSeries;
    series->setName(Name);
    QPen pen(toQColor(Color));
    pen.setWidth(Width);
    series->setPen(pen);
    series->append(Points);
    Chart->addSeries(series);
    return series;
}

} // namespace

void TfrmStatWait::DrawChart(bool ByDraw)
{
    QChart *chart = Chart1->chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitleBrush(toQColor(TitleColor));
    const double expectedValue = StatWait->SummaryRows.empty() ? 0 : StatWait->SummaryRows[0].Expected;
    const int rows = int(StatWait->Details.size());
    QList<QPointF> values, expected, mean;
    double most = expectedValue;
    for (int row = 0; row < rows; ++row) {
        const TDetItem &item = StatWait->Details[size_t(row)][0];
        if (item.Value == -1)
            continue;
        values.append(QPointF(row, item.Value));
        expected.append(QPointF(row, expectedValue));
        if (ByDraw)
            mean.append(QPointF(row, StatWait->RunningMean[size_t(item.Draw)]));
        most = std::max(most, double(item.Value));
    }
    QList<QLineSeries *> series = {NewSeries(chart, QStringLiteral("Statystyka"), ValuesColor, 1, values),
                                   NewSeries(chart, QStringLiteral("Wartość oczekiwana"), ExpectedColor, 2, expected),
                                   NewSeries(chart, QStringLiteral("Wartość średnia"), MeanColor, 2, mean)};
    series[2]->setVisible(ByDraw);

    auto *bottom = new QCategoryAxis;
    bottom->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const int step = std::max(1, rows / AxisLabels);
    for (int row = 0; row < rows; row += step) {
        std::string label;
        StatWait->GetDrawLabel(row, ProgramParams.StatShowDate, label);
        bottom->append(QString::fromStdString(label), row);
    }
    bottom->setRange(0, std::max(rows - 1, 1));
    bottom->setLabelsAngle(ProgramParams.StatShowDate ? VerticalLabels : 0);
    chart->addAxis(bottom, Qt::AlignBottom);
    auto *left = new QValueAxis;
    ScaleValueAxis(left, most);
    chart->addAxis(left, Qt::AlignLeft);
    for (QLineSeries *line : series) {
        line->attachAxis(bottom);
        line->attachAxis(left);
    }
    Chart1->show();
}
