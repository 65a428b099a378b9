#pragma once
// The chart pieces the result windows share on Qt Charts: a chart view with the windows' maroon title,
// room for its legend's names, emptying a chart, the axes over one category per row or bar, gradient bars,
// and long series thinned to what the plot's pixels can show.

#include "controls/Graphics.h"

#include <QAbstractBarSeries>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

class QChart;
class QChartView;
class QValueAxis;
class QWidget;
class QXYSeries;

// The colour of chart titles: maroon.
constexpr TColor ChartTitleColor = 0x80;
// Bottom-axis labels turned to read upwards.
constexpr int TurnedLabels = 270;

// An antialiased view of a new chart titled Title in ChartTitleColor, its numbers as the program writes them.
QChartView *NewChartView(QWidget *Parent, const QString &Title = QString());

// View keeps room for every name of its chart's legend above or below the plot: it is at least as wide as
// the names in a row, each with its marker, and the chart's margins. (The chart cuts the names of a legend
// narrower than they need.) For the legend's names as they are now.
void KeepLegendNamesWhole(QChartView *View);

// The chart's axes write numbers as the program does: a decimal comma, thousands apart.
void ShowProgramNumbers(QChart *Chart);

// Every series and axis removed.
void ClearChart(QChart *Chart);

// The label format of a value axis whose ticks lie Step apart: as many decimals as the step needs
// ("%.0f" for 20, "%.1f" for 0.2), none needless.
QString ValueLabelFormat(double Step);

// From Min (at most 0) to at least Max, on nice numbers, labelled in ValueLabelFormat.
void ScaleValueAxis(QValueAxis *Axis, double Max, double Min = 0);
// The same for counts, from 0: its ticks fall on whole numbers.
void ScaleCountAxis(QValueAxis *Axis, double Max);

// A bottom axis of one category per label (x = 0, 1, ...), turned by LabelAngle degrees while the chart has
// room for that (a TLabelAxis), and a left axis from Min to Max; every series of the chart is attached to
// both. The bottom axis shows as many of the labels, evenly spread, as its length holds without one running
// into the next, all when they fit.
void AddCategoryAxes(QChart *Chart, const QStringList &Labels, int LabelAngle, double Max, double Min = 0);

// The same over many points: at most a couple of dozen labels are shown.
void AddSampledAxes(QChart *Chart, const QStringList &Labels, int LabelAngle, double Max, double Min = 0);

// One bar per value in Color, shaded lighter to the left; a stacked series of one set, so that every
// bar stands on its category.
QAbstractBarSeries *NewBarSeries(const QList<double> &Values, TColor Color, const QString &Name = QString());

// How a long series is thinned to the pixel columns of its plot.
enum class TReduction {
    // A line: in each column the first, the lowest, the highest and the last point, in their order; a
    // line through them covers the same pixels as one through every point.
    Line,
    // The top of an area: each column level at its highest point, so that the area covers every pixel
    // it did without the thousands of edges that make filling slow. Only where the points are denser
    // than two a column (an area's steps narrower than a pixel); else every point.
    Top,
    // The bottom of an area: the same at each column's lowest point.
    Bottom,
};

// Of Points (x ascending), those a plot Columns pixels wide over x from From to To needs, thinned by
// Reduction, and the nearest point on either side of the range, so that lines leave the plot as they did.
QList<QPointF> ReducedPoints(const QList<QPointF> &Points, double From, double To, int Columns,
                             TReduction Reduction = TReduction::Line);

// Series (a line of Chart, or a line an area of Chart runs along) shows Points (x ascending) reduced to
// the width of Chart's plot and the range of its bottom axis Axis, anew whenever either changes; it
// keeps them until shown again.
void ShowReducedPoints(QXYSeries *Series, const QList<QPointF> &Points, QChart *Chart, QValueAxis *Axis,
                       TReduction Reduction = TReduction::Line);
