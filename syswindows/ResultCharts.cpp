#include "syswindows/ResultCharts.h"

#include "syswindows/LabelAxis.h"

#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QPen>
#include <QPointer>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <QXYSeries>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The most labels a sampled axis shows.
constexpr int SampledLabels = 24;
// The most decimals a value axis label shows.
constexpr int MostDecimals = 6;
// The pixel columns a series is reduced to while its chart is not laid out yet: a wide screen's.
constexpr int UnlaidColumns = 2048;
// Beside each legend name, its marker (as tall as the font) and this much more: the gaps around them.
constexpr double LegendItemGaps = 24;
// The name of the object that keeps a series reduced.
const QString ReducerName = QStringLiteral("reducedPoints");

void AddAxes(QChart *Chart, const QStringList &Labels, int LabelAngle, int MostLabels, double Max, double Min)
{
    auto *bottom = new TLabelAxis(Labels, LabelAngle, MostLabels);
    Chart->addAxis(bottom, Qt::AlignBottom);
    auto *left = new QValueAxis;
    ScaleValueAxis(left, Max, Min);
    Chart->addAxis(left, Qt::AlignLeft);
    for (QAbstractSeries *series : Chart->series()) {
        series->attachAxis(bottom);
        series->attachAxis(left);
    }
    bottom->Follow(Chart);
}

// Keeps a series showing its points reduced to its chart's plot; a child of the series.
class TPointReducer : public QObject {
public:
    TPointReducer(QXYSeries *Series, const QList<QPointF> &Points, QChart *Chart, QValueAxis *Axis,
                  TReduction Reduction)
        : QObject(Series), FSeries(Series), FPoints(Points), FChart(Chart), FAxis(Axis), FReduction(Reduction)
    {
        setObjectName(ReducerName);
        connect(Chart, &QChart::plotAreaChanged, this, &TPointReducer::Reduce);
        connect(Axis, &QValueAxis::rangeChanged, this, &TPointReducer::Reduce);
        Reduce();
    }

private:
    void Reduce()
    {
        if (!FChart || !FAxis)
            return;
        const double width = FChart->plotArea().width();
        FSeries->replace(ReducedPoints(FPoints, FAxis->min(), FAxis->max(),
                                       width >= 1 ? int(std::ceil(width)) : UnlaidColumns, FReduction));
    }

    QXYSeries *FSeries;
    QList<QPointF> FPoints;
    QPointer<QChart> FChart;
    QPointer<QValueAxis> FAxis;
    TReduction FReduction;
};

// The points of one pixel column: the first, the lowest, the highest and the last.
struct TColumnPoints {
    int Column;
    qsizetype First, Lowest, Highest, Last;
};

// The pixel columns, PerColumn to a unit of x from From on, that hold any of Points[First, End), in order.
std::vector<TColumnPoints> PointColumns(const QList<QPointF> &Points, qsizetype First, qsizetype End,
                                        double From, double PerColumn)
{
    const auto column = [&](qsizetype I) { return int((Points[I].x() - From) * PerColumn); };
    std::vector<TColumnPoints> columns;
    for (qsizetype i = First; i < End; ++i) {
        if (columns.empty() || columns.back().Column != column(i))
            columns.push_back({column(i), i, i, i, i});
        TColumnPoints &current = columns.back();
        if (Points[i].y() < Points[current.Lowest].y())
            current.Lowest = i;
        if (Points[i].y() > Points[current.Highest].y())
            current.Highest = i;
        current.Last = i;
    }
    return columns;
}

// Each column level across the column at its highest point (Top) or lowest; neighbouring columns meet
// in upright edges. An area's border stands half a pixel out of its edge: where a
// column stands out beyond its neighbour, its edge on that side lies half a pixel in, so that the area
// covers the pixels it did.
void AppendLevels(QList<QPointF> &Kept, const QList<QPointF> &Points,
                  const std::vector<TColumnPoints> &Columns, double From, double PerColumn, bool Top)
{
    const auto level = [&](size_t C) { return Points[Top ? Columns[C].Highest : Columns[C].Lowest].y(); };
    const auto standsOut = [&](size_t C, size_t Beside) {
        return Top ? level(C) > level(Beside) : level(C) < level(Beside);
    };
    const double half = 0.5 / PerColumn;
    for (size_t c = 0; c < Columns.size(); ++c) {
        double left = From + Columns[c].Column / PerColumn;
        double right = From + (Columns[c].Column + 1) / PerColumn;
        if (c > 0 && standsOut(c, c - 1)) {
            left += half;
            Kept.append(QPointF(left, level(c - 1)));
        }
        Kept.append(QPointF(left, level(c)));
        const bool fallsAfter = c + 1 < Columns.size() && standsOut(c, c + 1);
        if (fallsAfter)
            right -= half;
        Kept.append(QPointF(right, level(c)));
        if (fallsAfter)
            Kept.append(QPointF(right, level(c + 1)));
    }
}

} // namespace

QChartView *NewChartView(QWidget *Parent, const QString &Title)
{
    auto *chart = new QChart;
    chart->setTitle(Title);
    chart->setTitleBrush(toQColor(ChartTitleColor));
    ShowProgramNumbers(chart);
    auto *view = new QChartView(chart, Parent);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void KeepLegendNamesWhole(QChartView *View)
{
    QChart *chart = View->chart();
    QLegend *legend = chart->legend();
    const QFontMetricsF metrics(legend->font());
    double names = 0;
    for (const QLegendMarker *marker : legend->markers())
        names += metrics.horizontalAdvance(marker->label()) + metrics.height() + LegendItemGaps;
    qreal left = 0, top = 0, right = 0, bottom = 0;
    chart->layout()->getContentsMargins(&left, &top, &right, &bottom);
    const double around =
        chart->margins().left() + chart->margins().right() + left + right + 2 * View->frameWidth();
    View->setMinimumWidth(int(std::ceil(names + around)));
}

void ShowProgramNumbers(QChart *Chart)
{
    Chart->setLocale(QLocale());
    Chart->setLocalizeNumbers(true);
}

void ClearChart(QChart *Chart)
{
    Chart->removeAllSeries();
    for (QAbstractAxis *axis : Chart->axes()) {
        Chart->removeAxis(axis);
        delete axis;
    }
}

QString ValueLabelFormat(double Step)
{
    Step = std::abs(Step);
    int decimals = 0;
    for (double scaled = Step;
         decimals < MostDecimals && std::abs(scaled - std::round(scaled)) > 1e-9 * std::max(1.0, scaled);
         scaled *= 10)
        ++decimals;
    return QStringLiteral("%.%1f").arg(decimals);
}

void ScaleValueAxis(QValueAxis *Axis, double Max, double Min)
{
    Min = std::min(Min, 0.0);
    Axis->setRange(Min, std::max(Max, Min + 1.0));
    Axis->applyNiceNumbers();
    Axis->setLabelFormat(ValueLabelFormat((Axis->max() - Axis->min()) / std::max(1, Axis->tickCount() - 1)));
}

void ScaleCountAxis(QValueAxis *Axis, double Max)
{
    ScaleValueAxis(Axis, Max);
    if (Axis->tickCount() < 2 || (Axis->max() - Axis->min()) / (Axis->tickCount() - 1) >= 1)
        return;
    // Nice numbers closer than a count apart: a tick per count instead.
    const double top = std::max(1.0, std::ceil(Max));
    Axis->setRange(0, top);
    Axis->setTickCount(int(top) + 1);
    Axis->setLabelFormat(ValueLabelFormat(1));
}

void AddCategoryAxes(QChart *Chart, const QStringList &Labels, int LabelAngle, double Max, double Min)
{
    AddAxes(Chart, Labels, LabelAngle, std::max(1, int(Labels.size())), Max, Min);
}

void AddSampledAxes(QChart *Chart, const QStringList &Labels, int LabelAngle, double Max, double Min)
{
    AddAxes(Chart, Labels, LabelAngle, SampledLabels, Max, Min);
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

QList<QPointF> ReducedPoints(const QList<QPointF> &Points, double From, double To, int Columns,
                             TReduction Reduction)
{
    const qsizetype count = Points.size();
    qsizetype first = 0;
    while (first < count && Points[first].x() < From)
        ++first;
    qsizetype end = first;
    while (end < count && Points[end].x() <= To)
        ++end;
    QList<QPointF> kept;
    qsizetype last = -1; // the last of Points kept
    const auto keep = [&](qsizetype I) {
        if (I > last)
            kept.append(Points[I]);
        last = std::max(last, I);
    };
    if (first > 0)
        keep(first - 1);
    Columns = std::max(Columns, 1);
    if (To <= From || (Reduction != TReduction::Line && end - first <= 2 * qsizetype(Columns))) {
        for (qsizetype i = first; i < end; ++i)
            keep(i);
    } else {
        const double perColumn = Columns / (To - From);
        const std::vector<TColumnPoints> columns = PointColumns(Points, first, end, From, perColumn);
        if (Reduction == TReduction::Line) {
            for (const TColumnPoints &column : columns)
                for (const qsizetype i : {column.First, std::min(column.Lowest, column.Highest),
                                          std::max(column.Lowest, column.Highest), column.Last})
                    keep(i);
        } else {
            AppendLevels(kept, Points, columns, From, perColumn, Reduction == TReduction::Top);
            last = end - 1;
        }
    }
    if (end < count)
        keep(end);
    return kept;
}

void ShowReducedPoints(QXYSeries *Series, const QList<QPointF> &Points, QChart *Chart, QValueAxis *Axis,
                       TReduction Reduction)
{
    delete Series->findChild<QObject *>(ReducerName, Qt::FindDirectChildrenOnly);
    new TPointReducer(Series, Points, Chart, Axis, Reduction);
}
