// The result charts' axes as a user reads them: values in the program's numbers, bottom labels that
// never run into each other and are never cut at the chart's edge.
#include "syswindows/ResultCharts.h"

#include "tests/fixtures/ChartTexts.h"
#include "tests/support/FontScales.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDate>
#include <QFontMetrics>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <vector>

namespace {

// A bar chart of Values over Labels, laid out in a view of Width pixels.
std::unique_ptr<QChartView> BarChart(const QList<double> &Values, const QStringList &Labels, int Width = 600)
{
    std::unique_ptr<QChartView> view(NewChartView(nullptr));
    view->resize(Width, 400);
    QChart *chart = view->chart();
    chart->legend()->hide();
    chart->addSeries(NewBarSeries(Values, 0xFF));
    AddCategoryAxes(chart, Labels, 0, *std::max_element(Values.begin(), Values.end()));
    view->show();
    QCoreApplication::processEvents();
    return view;
}

QStringList ValueLabels(QChartView &View)
{
    const QRectF left = View.chart()->plotArea().adjusted(-1000, 0, -View.chart()->plotArea().width(), 0);
    QStringList texts;
    for (QGraphicsItem *item : View.scene()->items())
        if (auto *text = dynamic_cast<QGraphicsTextItem *>(item); text && text->isVisible())
            if (left.contains(text->sceneBoundingRect().center()))
                texts << text->toPlainText();
    return texts;
}

// Count draw dates three days apart, newest first.
QStringList Dates(int Count)
{
    QStringList dates;
    for (int i = 0; i < Count; ++i)
        dates << QDate(2019, 11, 12).addDays(-3 * i).toString(QStringLiteral("dd.MM.yyyy"));
    return dates;
}

QStringList Numbers(int From, int To)
{
    QStringList labels;
    for (int i = From; i <= To; ++i)
        labels << QString::number(i);
    return labels;
}

} // namespace

TEST(ResultChartsTest, ValueAxesWriteTheProgramsNumbersWithNoNeedlessDecimals)
{
    EXPECT_EQ(ValueLabelFormat(20), QStringLiteral("%.0f"));
    EXPECT_EQ(ValueLabelFormat(500), QStringLiteral("%.0f"));
    EXPECT_EQ(ValueLabelFormat(0.2), QStringLiteral("%.1f"));
    EXPECT_EQ(ValueLabelFormat(0.05), QStringLiteral("%.2f"));
    EXPECT_EQ(ValueLabelFormat(0.25), QStringLiteral("%.2f"));

    auto fractions = BarChart({0.8, 0.3}, {QStringLiteral("a"), QStringLiteral("b")});
    const QStringList small = ValueLabels(*fractions);
    EXPECT_TRUE(small.contains(QStringLiteral("0,2")) && small.contains(QStringLiteral("0,8")))
        << small.join(' ').toStdString();
    auto counts = BarChart({2000, 100}, {QStringLiteral("a"), QStringLiteral("b")});
    const QStringList large = ValueLabels(*counts);
    EXPECT_TRUE(large.contains(QStringLiteral("500")) && large.contains(QStringLiteral("0")))
        << large.join(' ').toStdString();
    // A decimal comma where the ticks need one, none on whole steps.
    for (const QString &label : small)
        EXPECT_FALSE(label.contains('.')) << label.toStdString();
    for (const QString &label : large)
        EXPECT_FALSE(label.contains('.') || label.contains(',')) << label.toStdString();
}

TEST(ResultChartsTest, CountAxesTickOnWholeNumbersUpToTheirLargestCount)
{
    for (int most = 0; most <= 40; ++most) {
        QValueAxis axis;
        ScaleCountAxis(&axis, most);
        EXPECT_EQ(axis.min(), 0) << most;
        EXPECT_GE(axis.max(), most);
        ASSERT_GE(axis.tickCount(), 2) << most;
        const double step = (axis.max() - axis.min()) / (axis.tickCount() - 1);
        EXPECT_GE(step, 1) << most;
        EXPECT_EQ(step, std::round(step)) << most;
        EXPECT_EQ(axis.labelFormat(), QStringLiteral("%.0f")) << most;
    }
}

TEST(ResultChartsTest, BottomLabelsAreThinnedToWhatTheAxisHolds)
{
    const QStringList labels = Numbers(80, 190);
    for (const int width : {300, 600, 1200}) {
        auto view = BarChart(QList<double>(labels.size(), 1.0), labels, width);
        auto *axis = qobject_cast<QCategoryAxis *>(view->chart()->axes(Qt::Horizontal).front());
        const QStringList shown = axis->categoriesLabels();
        const double plot = view->chart()->plotArea().width();
        const double labelWidth = QFontMetrics(axis->labelsFont()).horizontalAdvance(QStringLiteral("190"));
        ASSERT_GE(shown.size(), 2) << width;
        // Neighbours lie further apart than a label is wide, yet the axis is not left needlessly bare.
        const double apart = (axis->endValue(shown[1]) - axis->endValue(shown[0])) * plot / labels.size();
        EXPECT_GT(apart, labelWidth) << width;
        EXPECT_GT(shown.size() * labelWidth * 4, plot) << width;
        view->resize(width * 2, 400);
        QCoreApplication::processEvents();
        EXPECT_GT(axis->categoriesLabels().size(), shown.size())
            << "a wider chart shows more labels, " << width;
    }
    auto few = BarChart({1, 2, 3}, Numbers(1, 3));
    EXPECT_EQ(qobject_cast<QCategoryAxis *>(few->chart()->axes(Qt::Horizontal).front())->categoriesLabels(),
              Numbers(1, 3));
    // A chart not laid out yet labels a sample, not thousands of labels its first layout would place.
    QChart unlaid;
    AddCategoryAxes(&unlaid, Numbers(1, 3545), 0, 1);
    EXPECT_LE(qobject_cast<QCategoryAxis *>(unlaid.axes(Qt::Horizontal).front())->categoriesLabels().size(),
              24);
}

TEST(ResultChartsTest, TurnedDatesLieWholeInTheViewAtAnySizeAndFont)
{
    const QStringList dates = Dates(400);
    testsupport::ForEachFontScale([&](double scale) {
        // A legend beside the plot, as over the system check's results; or below it, in a taller chart.
        for (const Qt::Alignment legendAt : {Qt::AlignRight, Qt::AlignBottom})
            for (const QSize size : {QSize(580, 150), QSize(580, 240), QSize(1300, 470)}) {
                if (legendAt == Qt::AlignBottom && size.height() < 200)
                    continue;
                SCOPED_TRACE(testing::Message()
                             << scale << " " << legendAt << " " << size.width() << "x" << size.height());
                std::unique_ptr<QChartView> view(NewChartView(nullptr, QStringLiteral("Trafienia")));
                view->resize(size);
                QChart *chart = view->chart();
                chart->legend()->setAlignment(legendAt);
                auto *line = new QLineSeries;
                line->setName(QStringLiteral("'   6'"));
                for (int i = 0; i < dates.size(); ++i)
                    line->append(i, i % 5);
                chart->addSeries(line);
                AddCategoryAxes(chart, dates, TurnedLabels, 5);
                view->show();
                QCoreApplication::processEvents();
                QRectF legend = chart->mapRectToScene(chart->legend()->geometry());
                legend = view->mapFromScene(legend).boundingRect();
                int shown = 0, standing = 0;
                for (const testsupport::ShownText &text : testsupport::ShownTexts(*view)) {
                    if (!dates.contains(text.Text))
                        continue;
                    ++shown;
                    standing += text.Rect.height() > text.Rect.width() ? 1 : 0;
                    EXPECT_TRUE(QRectF(view->viewport()->rect()).contains(text.Rect))
                        << text.Text.toStdString() << " cut at the edge";
                    if (legendAt == Qt::AlignBottom) {
                        EXPECT_LE(text.Rect.bottom(), legend.top() + 1)
                            << text.Text.toStdString() << " on the legend";
                    }
                }
                EXPECT_GE(shown, 2);
                if (size.height() == 470 && scale == 1.0) {
                    EXPECT_EQ(standing, shown) << "a chart with room keeps its labels turned";
                }
            }
    });
}

namespace {

// The middles of the lines Weight picks out in column X of Image, from the top: each run of rows it
// weighs above a blend's noise, at its weighted middle (an antialiased line shades two rows).
std::vector<double> LineMiddles(const QImage &Image, int X, int (*Weight)(QColor))
{
    constexpr int Noise = 16;
    std::vector<double> middles;
    double weights = 0, moment = 0;
    for (int y = 0; y <= Image.height(); ++y) {
        const int weight = y < Image.height() ? Weight(Image.pixelColor(X, y)) : 0;
        if (weight > Noise) {
            weights += weight;
            moment += double(weight) * y;
        } else if (weights > 0) {
            middles.push_back(moment / weights);
            weights = moment = 0;
        }
    }
    return middles;
}

} // namespace

TEST(ResultChartsTest, ShortChartsDrawTheirSeriesOnTheGridTheirAxisShows)
{
    const QStringList dates = Dates(100);
    testsupport::ForEachFontScale([&](double) {
        // Short enough for the plot to give room to turned dates, and taller.
        for (int height = 180; height <= 420; height += 15) {
            SCOPED_TRACE(height);
            std::unique_ptr<QChartView> view(NewChartView(nullptr));
            view->resize(580, height);
            QChart *chart = view->chart();
            chart->legend()->hide();
            view->show();
            QCoreApplication::processEvents();
            // Drawn into the shown chart, as a window draws anew: a red line at 1 over the right half,
            // blue grid lines on the whole numbers of 0 to 4.
            auto *line = new QLineSeries;
            for (int i = int(dates.size()) / 2; i < dates.size(); ++i)
                line->append(i, 1);
            line->setPen(QPen(Qt::red));
            chart->addSeries(line);
            AddCategoryAxes(chart, dates, TurnedLabels, 4);
            auto *left = static_cast<QValueAxis *>(chart->axes(Qt::Vertical).front());
            left->setRange(0, 4);
            left->setTickCount(5);
            left->setGridLinePen(QPen(Qt::blue));
            testsupport::ShownTexts(*view);
            const QImage image = view->grab().toImage();
            const QRect plot = view->mapFromScene(chart->mapToScene(chart->plotArea())).boundingRect();
            const auto blue = [](QColor C) { return C.blue() - C.red(); };
            const auto red = [](QColor C) { return C.red() - C.blue(); };
            // The grid lines of 4 to 1 from the top (the axis line may cover the one of 0).
            const std::vector<double> grid = LineMiddles(image, plot.left() + plot.width() / 4, blue);
            const std::vector<double> drawn = LineMiddles(image, plot.left() + plot.width() * 3 / 4, red);
            ASSERT_GE(grid.size(), 4u);
            ASSERT_EQ(drawn.size(), 1u);
            EXPECT_NEAR(drawn.front(), grid[3], 0.75) << "the line at 1 against the grid line of 1";
        }
    });
}

namespace {

// Points at x ascending, two at some x (a step), y drawn at random.
QList<QPointF> RandomPoints(std::mt19937 &Random, int Count)
{
    QList<QPointF> points;
    double x = 0;
    for (int i = 0; i < Count; ++i) {
        x += Random() % 3 == 0 ? 0.0 : 0.25 * double(1 + Random() % 4);
        points.append(QPointF(x, double(Random() % 100)));
    }
    return points;
}

} // namespace

TEST(ResultChartsTest, ReducedPointsKeepWhatEveryPixelColumnShows)
{
    std::mt19937 random(61);
    for (int round = 0; round < 40; ++round) {
        const QList<QPointF> points = RandomPoints(random, 50 + int(random() % 2000));
        const double extent = points.back().x();
        const int columns = 5 + int(random() % 300);
        const double from = round % 2 ? 0 : extent * double(random() % 40) / 100;
        const double to = round % 2 ? extent : from + extent * double(5 + random() % 50) / 100;
        const double perColumn = columns / (to - from);
        const auto column = [&](double X) { return int((X - from) * perColumn); };
        // Each column's points by brute force; the neighbours just outside the range.
        std::map<int, std::vector<QPointF>> inColumn;
        QList<QPointF> inRange;
        std::optional<QPointF> before, after;
        for (const QPointF &point : points) {
            if (point.x() < from)
                before = point;
            else if (point.x() > to) {
                if (!after)
                    after = point;
            } else {
                inColumn[column(point.x())].push_back(point);
                inRange.append(point);
            }
        }
        SCOPED_TRACE(round);

        const QList<QPointF> line = ReducedPoints(points, from, to, columns);
        // A line keeps its points in order: first, lowest, highest and last of every column.
        qsizetype next = 0;
        for (const QPointF &kept : line) {
            while (next < points.size() && points[next] != kept)
                ++next;
            ASSERT_LT(next, points.size()) << "a point out of order or made up";
        }
        for (const auto &[c, held] : inColumn) {
            EXPECT_TRUE(line.contains(held.front()) && line.contains(held.back())) << c;
            const auto [lowest, highest] = std::minmax_element(
                held.begin(), held.end(), [](QPointF A, QPointF B) { return A.y() < B.y(); });
            std::vector<double> kept;
            for (const QPointF &point : line)
                if (std::find(held.begin(), held.end(), point) != held.end())
                    kept.push_back(point.y());
            EXPECT_EQ(*std::min_element(kept.begin(), kept.end()), lowest->y()) << c;
            EXPECT_EQ(*std::max_element(kept.begin(), kept.end()), highest->y()) << c;
        }
        EXPECT_LE(line.size(), 4 * qsizetype(inColumn.size()) + 2);
        EXPECT_EQ(line.front() == before, bool(before));
        EXPECT_EQ(line.back() == after, bool(after));

        // An area's top and bottom: in every column with points its level at the column's highest
        // (lowest) point, no point beyond it; every point where there are two a column or fewer.
        for (const bool top : {true, false}) {
            const QList<QPointF> outline =
                ReducedPoints(points, from, to, columns, top ? TReduction::Top : TReduction::Bottom);
            if (inRange.size() <= 2 * columns) {
                QList<QPointF> all = inRange;
                if (before)
                    all.prepend(*before);
                if (after)
                    all.append(*after);
                EXPECT_EQ(outline, all);
                continue;
            }
            for (const auto &[c, held] : inColumn) {
                double extreme = top ? -1 : 1000;
                for (const QPointF &point : held)
                    extreme = top ? std::max(extreme, point.y()) : std::min(extreme, point.y());
                double shown = top ? -1 : 1000;
                const double left = from + c / perColumn, right = from + (c + 1) / perColumn;
                for (const QPointF &point : outline)
                    if (point.x() >= left && point.x() <= right && point != before && point != after)
                        shown = top ? std::max(shown, point.y()) : std::min(shown, point.y());
                EXPECT_EQ(shown, extreme) << c << (top ? " top" : " bottom");
            }
        }
    }
}

TEST(ResultChartsTest, AShownSeriesIsReducedAnewAsThePlotAndTheAxisRangeChange)
{
    QList<QPointF> points;
    for (int i = 0; i < 20000; ++i)
        points.append(QPointF(i, i % 7));
    QChartView view;
    view.resize(500, 300);
    auto *series = new QLineSeries;
    view.chart()->addSeries(series);
    view.chart()->createDefaultAxes();
    auto *bottom = static_cast<QValueAxis *>(view.chart()->axes(Qt::Horizontal).front());
    bottom->setRange(0, 19999);
    ShowReducedPoints(series, points, view.chart(), bottom);
    view.show();
    QCoreApplication::processEvents();
    const auto fitsPlot = [&] {
        return series->count() <= 4 * (int(view.chart()->plotArea().width()) + 2) + 2;
    };
    EXPECT_TRUE(fitsPlot()) << series->count();
    const qsizetype narrow = series->count();
    view.resize(1000, 300);
    QCoreApplication::processEvents();
    EXPECT_TRUE(fitsPlot());
    EXPECT_GT(series->count(), narrow) << "a wider plot shows more";
    // Zoomed in to fewer points than pixels: every point in view, and one on either side.
    bottom->setRange(100, 150);
    EXPECT_EQ(series->points(), points.mid(99, 53));
}
