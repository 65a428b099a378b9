// The frequency ranges' chart: stacked bars while a bar is a pixel wide, three areas over the same stacked
// values past that.
#include "statwindows/RangeFreqsChart.h"

#include <QAreaSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>

namespace {

constexpr std::array<TColor, 3> Colors = {0x9B9BFF, 0xBBFFFF, 0xFFCD9B};
const std::array<QString, 3> Names = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};

std::array<QList<double>, 3> RandomZones(int Count)
{
    std::mt19937 random(Count);
    std::array<QList<double>, 3> values;
    for (QList<double> &zone : values)
        for (int i = 0; i < Count; ++i)
            zone.append(double(random() % 4));
    return values;
}

// The chart of Values in a view Width pixels wide, laid out.
std::unique_ptr<QChartView> ZoneChart(const std::array<QList<double>, 3> &Values, int Width)
{
    auto view = std::make_unique<QChartView>();
    view->resize(Width, 300);
    view->show();
    QCoreApplication::processEvents();
    QStringList labels;
    for (int i = 0; i < Values[0].size(); ++i)
        labels << QString::number(i);
    ChartZones(view->chart(), Values, Names, Colors, labels, 0);
    QCoreApplication::processEvents();
    return view;
}

} // namespace

TEST(RangeFreqsChartTest, BarsWhileAPixelWideAndAreasOverTheSameStackPastThat)
{
    const std::array<QList<double>, 3> few = RandomZones(40);
    auto bars = ZoneChart(few, 600);
    auto *stack = qobject_cast<QStackedBarSeries *>(bars->chart()->series().front());
    ASSERT_NE(stack, nullptr);
    ASSERT_EQ(stack->barSets()[2]->count(), 40);
    EXPECT_EQ(stack->barSets()[2]->at(39), few[2][39]);

    // 700 bars in 600 pixels; widened, each area steps exactly along its stacked values.
    const std::array<QList<double>, 3> many = RandomZones(700);
    auto areas = ZoneChart(many, 600);
    const QList<QAbstractSeries *> series = areas->chart()->series();
    ASSERT_EQ(series.size(), 3);
    areas->resize(2000, 300);
    QCoreApplication::processEvents();
    QList<double> below(many[0].size(), 0.0);
    for (qsizetype zone = 0; zone < 3; ++zone) {
        auto *area = qobject_cast<QAreaSeries *>(series[zone]);
        ASSERT_NE(area, nullptr);
        EXPECT_EQ(area->name(), Names[size_t(zone)]);
        // The legend's swatch in the colour the area is painted in.
        const QList<QLegendMarker *> markers = areas->chart()->legend()->markers(area);
        ASSERT_EQ(markers.size(), 1);
        EXPECT_EQ(markers[0]->brush().color().name(), area->brush().color().name());
        QList<double> top = below;
        for (qsizetype i = 0; i < top.size(); ++i)
            top[i] += many[size_t(zone)][i];
        for (const auto &[line, heights] :
             {std::pair(area->upperSeries(), top), std::pair(area->lowerSeries(), below)}) {
            if (zone == 0 && line == area->lowerSeries()) {
                EXPECT_EQ(line, nullptr) << "the lowest zone stands on the axis";
                continue;
            }
            ASSERT_EQ(line->count(), 2 * heights.size());
            for (qsizetype i = 0; i < heights.size(); ++i) {
                EXPECT_EQ(line->at(2 * i), QPointF(double(i) - 0.5, heights[i]));
                EXPECT_EQ(line->at(2 * i + 1), QPointF(double(i) + 0.5, heights[i]));
            }
        }
        below = top;
    }
}
