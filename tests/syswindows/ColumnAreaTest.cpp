// Areas painted a pixel column at a time: each column's span against a brute force, and the painted
// chart following its zoom, its points and its colour.
#include "syswindows/ColumnArea.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QImage>
#include <QLineSeries>
#include <QValueAxis>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <random>

namespace {

// A polyline of Count points, x ascending on quarter pixels from X0 (some steps upright), y random.
QPolygonF RandomLine(std::mt19937 &Random, double X0, int Count)
{
    std::uniform_int_distribution<int> step(0, 8);
    std::uniform_real_distribution<double> y(0, 100);
    QPolygonF line;
    double x = X0;
    for (int i = 0; i < Count; ++i) {
        line.append(QPointF(x, y(Random)));
        x += step(Random) / 4.0;
    }
    return line;
}

// The least (Highest) or greatest y of Line over column C, sampled at every 64th of a pixel: exact,
// as the points lie on quarter pixels and a segment's extremes lie at its ends or a column's borders.
// A point belongs to the column it lies in; a slanted or level segment touches the columns it spans,
// borders included.
double BruteExtreme(const QPolygonF &Line, int C, bool Highest)
{
    double extreme = Highest ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
    const auto take = [&](double Y) { extreme = Highest ? std::min(extreme, Y) : std::max(extreme, Y); };
    for (qsizetype i = 0; i < Line.size(); ++i) {
        if (std::floor(Line[i].x()) == C)
            take(Line[i].y());
        if (i + 1 == Line.size() || Line[i].x() == Line[i + 1].x())
            continue;
        const QPointF a = Line[i], b = Line[i + 1];
        for (int k = 0; k <= 64; ++k) {
            const double x = C + k / 64.0;
            if (x >= a.x() && x <= b.x())
                take(a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x()));
        }
    }
    return extreme;
}

// A chart 600 x 400 over x from 0 to 10 and y from 0 to 1, holding Area, shown. Its grid lines lie on
// quarters of the axes' ranges, where the tests read no colour.
std::unique_ptr<QChartView> AreaChart(QAreaSeries *Area)
{
    auto view = std::make_unique<QChartView>();
    view->resize(600, 400);
    QChart *chart = view->chart();
    chart->legend()->hide();
    chart->addSeries(Area);
    auto *bottom = new QValueAxis;
    bottom->setRange(0, 10);
    auto *left = new QValueAxis;
    left->setRange(0, 1);
    chart->addAxis(bottom, Qt::AlignBottom);
    chart->addAxis(left, Qt::AlignLeft);
    Area->attachAxis(bottom);
    Area->attachAxis(left);
    Area->setColor(Qt::red);
    Area->setBorderColor(Qt::red);
    PaintByColumns(Area);
    view->show();
    QCoreApplication::processEvents();
    return view;
}

// The colour painted at the chart's value point.
QColor ColourAt(QChartView &View, QAreaSeries *Area, QPointF Value)
{
    const QImage image = View.grab().toImage();
    const QPointF at = View.mapFromScene(View.chart()->mapToScene(View.chart()->mapToPosition(Value, Area)));
    return image.pixelColor(at.toPoint());
}

} // namespace

TEST(ColumnAreaTest, EachColumnSpansFromTheUpperLinesHighestToTheLowerLinesLowest)
{
    std::mt19937 random(61);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const QPolygonF upper = RandomLine(random, 3.25, 60);
        const QPolygonF lower = RandomLine(random, 2.5, 60);
        const int first = round % 5, count = 40;
        const double foot = 500;
        const std::vector<TColumnSpan> alone = ColumnSpans(upper, nullptr, foot, first, count);
        const std::vector<TColumnSpan> between = ColumnSpans(upper, &lower, foot, first, count);
        ASSERT_EQ(alone.size(), size_t(count));
        ASSERT_EQ(between.size(), size_t(count));
        for (int i = 0; i < count; ++i) {
            const double top = BruteExtreme(upper, first + i, true);
            const double bottom = BruteExtreme(lower, first + i, false);
            if (std::isinf(top)) {
                EXPECT_GE(alone[size_t(i)].Top, alone[size_t(i)].Bottom) << "column " << i << " is empty";
                EXPECT_GE(between[size_t(i)].Top, between[size_t(i)].Bottom) << "column " << i << " is empty";
                continue;
            }
            EXPECT_NEAR(alone[size_t(i)].Top, top, 1e-9) << i;
            EXPECT_EQ(alone[size_t(i)].Bottom, foot) << i;
            EXPECT_NEAR(between[size_t(i)].Top, top, 1e-9) << i;
            if (std::isinf(bottom))
                EXPECT_GE(between[size_t(i)].Top, between[size_t(i)].Bottom) << "column " << i << " has no lower line";
            else
                EXPECT_NEAR(between[size_t(i)].Bottom, bottom, 1e-9) << i;
        }
    }
}

TEST(ColumnAreaTest, PointsFarOffThePlotSpanAsTheirLinesCrossIt)
{
    // Lines of a deeply zoomed plot: their first and last points lie far beyond the range of int.
    std::mt19937 random(67);
    for (const double far : {3e9, 1e15, 1e300}) {
        SCOPED_TRACE(far);
        for (int round = 0; round < 10; ++round) {
            QPolygonF upper = RandomLine(random, 3.25, 40);
            QPolygonF lower = RandomLine(random, 2.5, 40);
            for (QPolygonF *line : {&upper, &lower}) {
                line->prepend(QPointF(-far, 50));
                line->append(QPointF(far, 20));
            }
            const int first = round - 5, count = 40;
            const std::vector<TColumnSpan> spans = ColumnSpans(upper, &lower, 500, first, count);
            ASSERT_EQ(spans.size(), size_t(count));
            for (int i = 0; i < count; ++i) {
                EXPECT_NEAR(spans[size_t(i)].Top, BruteExtreme(upper, first + i, true), 1e-6) << i;
                EXPECT_NEAR(spans[size_t(i)].Bottom, BruteExtreme(lower, first + i, false), 1e-6) << i;
            }
        }
        // A line wholly off the plot, either side, covers none of it.
        for (const double x : {-far, far}) {
            const QPolygonF away = {QPointF(x, 10), QPointF(x * 2, 30)};
            for (const TColumnSpan &span : ColumnSpans(away, nullptr, 500, -3, 20))
                EXPECT_GE(span.Top, span.Bottom);
        }
    }
}

TEST(ColumnAreaTest, ThePaintedAreaFollowsTheZoomThePointsAndTheColour)
{
    // One step up over x from 4 to 5, standing on a line at 0.3.
    auto *area = new QAreaSeries(new QLineSeries, new QLineSeries);
    area->upperSeries()->append({{0, 0.3}, {4, 0.3}, {4, 1}, {5, 1}, {5, 0.3}, {10, 0.3}});
    area->lowerSeries()->append({{0, 0.3}, {10, 0.3}});
    std::unique_ptr<QChartView> view = AreaChart(area);
    const QColor background = ColourAt(*view, area, {2.2, 0.6});
    ASSERT_NE(background, QColor(Qt::red));
    EXPECT_EQ(ColourAt(*view, area, {4.6, 0.6}), QColor(Qt::red));
    EXPECT_EQ(ColourAt(*view, area, {4.6, 0.15}), background) << "below the lower line";
    EXPECT_EQ(ColourAt(*view, area, {5.8, 0.6}), background);

    // Zoomed on 4..6 the step fills the left half of the plot.
    auto *bottom = static_cast<QValueAxis *>(view->chart()->axes(Qt::Horizontal).front());
    bottom->setRange(4, 6);
    QCoreApplication::processEvents();
    EXPECT_EQ(ColourAt(*view, area, {4.2, 0.6}), QColor(Qt::red));
    EXPECT_EQ(ColourAt(*view, area, {4.8, 0.6}), QColor(Qt::red));
    EXPECT_EQ(ColourAt(*view, area, {5.8, 0.6}), background);

    // New points and a new colour show at once.
    area->upperSeries()->replace({{4, 0.3}, {5, 0.3}, {5, 1}, {6, 1}});
    area->setColor(Qt::blue);
    QCoreApplication::processEvents();
    EXPECT_EQ(ColourAt(*view, area, {4.6, 0.6}), background);
    EXPECT_EQ(ColourAt(*view, area, {5.8, 0.6}), QColor(Qt::blue));
}

// Each road that takes the area's series away, with the view painted at once after it.
TEST(ColumnAreaTest, ThePaintingGoesWithItsSeriesOnEveryRoadThatDeletesIt)
{
    const auto step = [] {
        auto *area = new QAreaSeries(new QLineSeries);
        area->upperSeries()->append({{0, 0}, {4, 0}, {4, 1}, {5, 1}, {5, 0}, {10, 0}});
        return area;
    };
    const auto paintedRed = [](QChartView &View) {
        const QImage image = View.grab().toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == QColor(Qt::red))
                    return true;
        return false;
    };

    // The chart emptied, and a new area painted in its place.
    QAreaSeries *area = step();
    std::unique_ptr<QChartView> view = AreaChart(area);
    ASSERT_TRUE(paintedRed(*view));
    view->chart()->removeAllSeries();
    EXPECT_FALSE(paintedRed(*view));
    auto *next = step();
    view->chart()->addSeries(next);
    for (QAbstractAxis *axis : view->chart()->axes())
        next->attachAxis(axis);
    next->setColor(Qt::red);
    PaintByColumns(next);
    EXPECT_TRUE(paintedRed(*view));

    // Taken off: no longer painted; then deleted.
    view->chart()->removeSeries(next);
    EXPECT_FALSE(paintedRed(*view));
    delete next;
    EXPECT_FALSE(paintedRed(*view));

    // The chart deleted with its area: the view shows a new chart.
    QChart *old = view->chart();
    view->setChart(new QChart);
    QAreaSeries *lone = step();
    old->addSeries(lone);
    PaintByColumns(lone);
    delete old;
    EXPECT_FALSE(paintedRed(*view));
}
