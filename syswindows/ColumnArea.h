#pragma once
// An area series painted a pixel column at a time. Qt Charts fills an area as a path, and the raster
// engine fills a path or polygon of many upright edges slowly: an area of a thousand narrow steps takes
// near 100 ms a paint. Filled as a rectangle per pixel column and outlined by its lines it takes a
// millisecond or two.

#include <QPolygonF>

#include <vector>

class QAreaSeries;

// What an area covers in one pixel column: from Top down to Bottom (device y grows downwards).
struct TColumnSpan {
    double Top;
    double Bottom;
};

// The spans of the area between Upper and Lower (x ascending, in pixels) in the Count pixel columns
// from First (column c covering x from c to c + 1): from the highest point of Upper over the column to
// the lowest of Lower, the points between two given ones on the straight line joining them. Without
// Lower the area reaches down to Foot. A column that Upper does not reach is empty (Top above Bottom
// fails: Top >= Bottom).
std::vector<TColumnSpan> ColumnSpans(const QPolygonF &Upper, const QPolygonF *Lower, double Foot, int First,
                                     int Count);

// Area (on its chart) is painted from now on by an item of the chart that fills its column spans in the
// area's brush and draws its lines in the area's pen, both read at each paint; the chart's own drawing of
// the area is made transparent. The series keeps its points, colours, axes and legend.
void PaintByColumns(QAreaSeries *Area);
