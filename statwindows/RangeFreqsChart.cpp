#include "statwindows/RangeFreqsChart.h"

#include "syswindows/ColumnArea.h"
#include "syswindows/ResultCharts.h"

#include <QAreaSeries>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>

namespace {

constexpr int ZoneCount = 3;

QColor BorderColor(TColor Color)
{
    return toQColor(Color).darker(130);
}

void AddBars(QChart *Chart, const std::array<QList<double>, 3> &Values, const std::array<QString, 3> &Names,
             const std::array<TColor, 3> &Colors)
{
    auto *series = new QStackedBarSeries;
    for (size_t zone = 0; zone < ZoneCount; ++zone) {
        auto *set = new QBarSet(Names[zone]);
        set->setColor(toQColor(Colors[zone]));
        set->setBorderColor(BorderColor(Colors[zone]));
        set->append(Values[zone]);
        series->append(set);
    }
    series->setBarWidth(1);
    Chart->addSeries(series);
}

// The line along the top of a bar of each height: level over each bar's width, from x - 0.5 to x + 0.5.
QList<QPointF> BarTops(const QList<double> &Heights)
{
    QList<QPointF> points;
    points.reserve(Heights.size() * 2);
    for (qsizetype x = 0; x < Heights.size(); ++x) {
        points.append(QPointF(double(x) - 0.5, Heights[x]));
        points.append(QPointF(double(x) + 0.5, Heights[x]));
    }
    return points;
}

// Bars narrower than a pixel show their borders' colour: so does the area that stands for them. Set
// before the area joins its chart, whose theme would otherwise give it a wider border.
void ColorArea(QAreaSeries *Area, TColor Color)
{
    Area->setColor(BorderColor(Color));
    Area->setBorderColor(BorderColor(Color));
}

} // namespace

void ChartZones(QChart *Chart, const std::array<QList<double>, 3> &Values,
                const std::array<QString, 3> &Names, const std::array<TColor, 3> &Colors,
                const QStringList &Labels, int LabelAngle)
{
    // Each zone's top: the zones below it and itself, stacked.
    std::array<QList<double>, 3> tops = Values;
    for (size_t zone = 1; zone < ZoneCount; ++zone)
        for (qsizetype x = 0; x < tops[zone].size(); ++x)
            tops[zone][x] += tops[zone - 1][x];
    const double high = tops.back().isEmpty() ? 0 : *std::max_element(tops.back().begin(), tops.back().end());

    if (Labels.size() <= Chart->plotArea().width()) {
        AddBars(Chart, Values, Names, Colors);
        AddSampledAxes(Chart, Labels, LabelAngle, high);
        return;
    }
    // More bars than pixels: each zone an area from the top of the zone below (the axis at the lowest).
    std::array<QAreaSeries *, 3> areas{};
    for (size_t zone = 0; zone < ZoneCount; ++zone) {
        auto *area = areas[zone] = new QAreaSeries;
        area->setUpperSeries(new QLineSeries(area));
        if (zone > 0)
            area->setLowerSeries(new QLineSeries(area));
        area->setName(Names[zone]);
        ColorArea(area, Colors[zone]);
        Chart->addSeries(area);
        PaintByColumns(area);
    }
    AddSampledAxes(Chart, Labels, LabelAngle, high);
    auto *bottom = static_cast<QValueAxis *>(Chart->axes(Qt::Horizontal).front());
    for (size_t zone = 0; zone < ZoneCount; ++zone) {
        ShowReducedPoints(areas[zone]->upperSeries(), BarTops(tops[zone]), Chart, bottom, TReduction::Top);
        if (zone > 0)
            ShowReducedPoints(areas[zone]->lowerSeries(), BarTops(tops[zone - 1]), Chart, bottom,
                              TReduction::Bottom);
    }
}

void ColorZone(QChart *Chart, int Zone, TColor Color)
{
    const QList<QAbstractSeries *> series = Chart->series();
    if (series.isEmpty())
        return;
    if (auto *bars = qobject_cast<QStackedBarSeries *>(series.front())) {
        bars->barSets()[Zone]->setColor(toQColor(Color));
        bars->barSets()[Zone]->setBorderColor(BorderColor(Color));
    } else if (auto *area = qobject_cast<QAreaSeries *>(series[Zone])) {
        ColorArea(area, Color);
    }
}
