// The waiting window's chart: one point per detail row with a value, in the table's order, with the
// expected value and, while the table is in draw order, the running mean.
#include "statwindows/FStatWait.h"

#include "controls/Graphics.h"
#include "core/ProgramParams.h"
#include "stats/UStatWait.h"
#include "syswindows/ResultCharts.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPen>

#include <algorithm>
#include <string>

namespace {

constexpr TColor ValuesColor = 8404992;
constexpr TColor ExpectedColor = 1376471;
constexpr TColor MeanColor = 4114924;
constexpr TColor TitleColor = 128;

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
    ClearChart(chart);
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
    NewSeries(chart, QStringLiteral("Statystyka"), ValuesColor, 1, values);
    NewSeries(chart, QStringLiteral("Wartość oczekiwana"), ExpectedColor, 2, expected);
    NewSeries(chart, QStringLiteral("Wartość średnia"), MeanColor, 2, mean)->setVisible(ByDraw);

    QStringList labels;
    for (int row = 0; row < rows; ++row) {
        std::string label;
        StatWait->GetDrawLabel(row, ProgramParams.StatShowDate, label);
        labels << QString::fromStdString(label);
    }
    AddSampledAxes(chart, labels, ProgramParams.StatShowDate ? TurnedLabels : 0, most);
    KeepLegendNamesWhole(Chart1);
    Chart1->show();
}
