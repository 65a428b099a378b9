#include "syswindows/ColumnArea.h"

#include <QAreaSeries>
#include <QChart>
#include <QGraphicsObject>
#include <QLineSeries>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The chart's own series stand at this height among its items: above the plot, the grid and the axes,
// below the legend.
constexpr double SeriesZ = 4;

// Per column from First, the least (Highest: the highest on screen) or the greatest y of Line over it.
std::vector<double> ColumnExtremes(const QPolygonF &Line, int First, int Count, bool Highest)
{
    const double none = Highest ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
    std::vector<double> extremes(size_t(std::max(Count, 0)), none);
    // Compared in double: a point far off a deeply zoomed plot lies beyond the range of int (or is not
    // a number at all).
    const auto take = [&](double Column, double Y) {
        const double column = Column - First;
        if (!(column >= 0 && column < Count))
            return;
        double &extreme = extremes[size_t(column)];
        extreme = Highest ? std::min(extreme, Y) : std::max(extreme, Y);
    };
    for (qsizetype i = 0; i < Line.size(); ++i) {
        const QPointF a = Line[i];
        take(std::floor(a.x()), a.y());
        if (i + 1 == Line.size())
            break;
        const QPointF b = Line[i + 1];
        // Where the segment crosses a column border it ends one column and starts the next.
        const double left = std::max(std::ceil(std::min(a.x(), b.x())), double(First));
        const double right = std::min(std::floor(std::max(a.x(), b.x())), double(First + Count));
        for (double border = left; border <= right && a.x() != b.x(); ++border) {
            const double y = a.y() + (b.y() - a.y()) * (border - a.x()) / (b.x() - a.x());
            take(border - 1, y);
            take(border, y);
        }
    }
    return extremes;
}

// Paints the area's column spans over the chart's plot.
class TColumnAreaItem : public QGraphicsObject {
public:
    TColumnAreaItem(QAreaSeries *Area, QChart *Chart) : QGraphicsObject(Chart), FArea(Area), FChart(Chart)
    {
        setZValue(SeriesZ);
        connect(Chart, &QChart::plotAreaChanged, this, [this] {
            prepareGeometryChange();
            update();
        });
        for (QLineSeries *line : {Area->upperSeries(), Area->lowerSeries()})
            if (line)
                Follow(line);
        connect(Area, &QAreaSeries::colorChanged, this, [this] { update(); });
        connect(Area, &QAreaSeries::borderColorChanged, this, [this] { update(); });
        connect(Area, &QAbstractSeries::visibleChanged, this, [this] { setVisible(FArea->isVisible()); });
        // Gone with its series at once, before the view paints again: whoever deletes the series
        // (emptying the chart, taking it off and deleting it, or deleting the chart).
        connect(Area, &QObject::destroyed, this, [this] { delete this; });
    }

    QRectF boundingRect() const override { return FChart->plotArea(); }

    void paint(QPainter *Painter, const QStyleOptionGraphicsItem *, QWidget *) override
    {
        // A series taken off the chart is no longer drawn.
        const QLineSeries *upper = FArea->upperSeries();
        if (FArea->chart() != FChart || !upper)
            return;
        const QRectF plot = FChart->plotArea();
        const int first = int(std::floor(plot.left()));
        const int count = int(std::ceil(plot.right())) - first;
        const QPolygonF top = Mapped(upper);
        const QLineSeries *lower = FArea->lowerSeries();
        const QPolygonF bottom = lower ? Mapped(lower) : QPolygonF();
        const std::vector<TColumnSpan> spans = ColumnSpans(top, lower ? &bottom : nullptr, plot.bottom(), first, count);
        Painter->setClipRect(plot);
        const bool antialiased = Painter->testRenderHint(QPainter::Antialiasing);
        Painter->setRenderHint(QPainter::Antialiasing, false);
        const QBrush brush = FArea->brush();
        // Neighbouring columns of one span are one rectangle.
        for (int column = 0; column < count;) {
            const TColumnSpan span = spans[size_t(column)];
            int end = column + 1;
            while (end < count && spans[size_t(end)].Top == span.Top && spans[size_t(end)].Bottom == span.Bottom)
                ++end;
            if (span.Top < span.Bottom) {
                // Held to the plot before it is rounded: a line far off a zoomed plot lies far off.
                const int top = int(std::lround(std::clamp(span.Top, plot.top() - 1, plot.bottom() + 1)));
                const int bottom =
                    int(std::lround(std::clamp(span.Bottom, plot.top() - 1, plot.bottom() + 1)));
                Painter->fillRect(QRect(first + column, top, end - column, std::max(bottom - top, 1)), brush);
            }
            column = end;
        }
        // The border along the lines, as the chart draws it; a line is quick to draw, a fill is not.
        Painter->setRenderHint(QPainter::Antialiasing, antialiased);
        Painter->setPen(FArea->pen());
        Painter->drawPolyline(top);
        if (lower)
            Painter->drawPolyline(bottom);
    }

private:
    QPolygonF Mapped(const QLineSeries *Line) const
    {
        QPolygonF points;
        points.reserve(Line->count());
        for (const QPointF &point : Line->points())
            points.append(FChart->mapToPosition(point, FArea));
        return points;
    }

    void Follow(QLineSeries *Line)
    {
        connect(Line, &QXYSeries::pointsReplaced, this, [this] { update(); });
        connect(Line, &QXYSeries::pointAdded, this, [this] { update(); });
        connect(Line, &QXYSeries::pointRemoved, this, [this] { update(); });
        connect(Line, &QXYSeries::pointReplaced, this, [this] { update(); });
        connect(Line, &QXYSeries::pointsRemoved, this, [this] { update(); });
    }

    QAreaSeries *FArea;
    QChart *FChart;
};

} // namespace

std::vector<TColumnSpan> ColumnSpans(const QPolygonF &Upper, const QPolygonF *Lower, double Foot, int First,
                                     int Count)
{
    const std::vector<double> tops = ColumnExtremes(Upper, First, Count, true);
    const std::vector<double> bottoms = Lower ? ColumnExtremes(*Lower, First, Count, false) : std::vector<double>();
    std::vector<TColumnSpan> spans(tops.size());
    for (size_t i = 0; i < spans.size(); ++i)
        spans[i] = {tops[i], Lower ? bottoms[i] : (std::isinf(tops[i]) ? tops[i] : Foot)};
    return spans;
}

void PaintByColumns(QAreaSeries *Area)
{
    QChart *chart = Area->chart();
    if (!chart)
        return;
    new TColumnAreaItem(Area, chart);
    Area->setOpacity(0);
}
