#pragma once
// The bottom axis of the result charts over one category per label (x = 0, 1, ...). It labels the
// categories in its range, as many of them, evenly spread, as the plot's length holds at the labels' font
// and at most Most, anew whenever its range or the chart's plot area changes. Its labels are never cut at
// the chart's edge: turned labels stand while the chart has room below its plot for them and for a plot as
// tall as they are long, else they lie flat; and the plot ends where the labels below it still fit.

#include <QCategoryAxis>
#include <QFont>
#include <QPointer>
#include <QStringList>

class QChart;

class TLabelAxis : public QCategoryAxis {
public:
    // Over the whole of Labels until its range is set; turned by LabelAngle degrees when there is room.
    TLabelAxis(const QStringList &Labels, int LabelAngle, int Most);

    // Labels the axis for the plot of Chart, to whose bottom it was added, now and whenever it changes.
    void Follow(QChart *Chart);

private:
    void Relabel();
    // On each new plot area of the chart's own layout: the labels for it, and their room kept.
    void Fit();
    // Fit once the chart has laid out what changed.
    void FitLater();
    void KeepRoom();
    // Back to the chart's own layout, which a new size of the chart lays out anew.
    void Unfix();
    // The room one label takes along the axis, a gap included.
    double LabelRoom() const;
    // Where the room for the labels ends: at a legend below the plot, else at the chart's margin.
    double RoomBottom() const;
    double LongestLabel() const;

    QStringList FLabels;
    int FAngle;
    int FMost;
    QPointer<QChart> FChart;
    int FFirst = 0, FLast = -1, FStep = 0;
    bool FRelabelling = false;
    // The plot area is the one this axis set, not the chart's own.
    bool FFixed = false;
    mutable QFont FMeasuredFont;
    mutable double FLongest = -1;
};
