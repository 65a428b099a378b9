#include "syswindows/LabelAxis.h"

#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QLegend>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

// Until the plot is laid out its length is unknown: this many labels stand in.
constexpr int UnlaidLabels = 24;

} // namespace

TLabelAxis::TLabelAxis(const QStringList &Labels, int LabelAngle, int Most)
    : FLabels(Labels), FAngle(LabelAngle), FMost(std::max(Most, 1))
{
    setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    setLabelsAngle(LabelAngle);
    setTruncateLabels(false);
    setRange(-0.5, std::max(int(Labels.size()), 1) - 0.5);
    connect(this, &QValueAxis::rangeChanged, this, &TLabelAxis::Relabel);
}

void TLabelAxis::Follow(QChart *Chart)
{
    FChart = Chart;
    // A plot area an earlier axis of the chart set gives way to the chart's own.
    Chart->setPlotArea(QRectF());
    connect(Chart, &QChart::plotAreaChanged, this, &TLabelAxis::Fit);
    connect(Chart, &QGraphicsWidget::geometryChanged, this, &TLabelAxis::Unfix);
    Relabel();
}

void TLabelAxis::Relabel()
{
    if (FRelabelling)
        return;
    const int count = int(FLabels.size());
    // Compared in double: a zoomed range may lie anywhere.
    const int first = int(std::clamp(std::ceil(min()), 0.0, double(count)));
    const int last = int(std::clamp(std::floor(max()), -1.0, double(count - 1)));
    const int shown = std::max(last - first + 1, 0);
    const double length = FChart ? FChart->plotArea().width() : 0;
    const int fitting = length > 0 ? std::max(1, int(length / LabelRoom())) : UnlaidLabels;
    const int step = std::max({1, (shown + FMost - 1) / FMost, (shown + fitting - 1) / fitting});
    if (first == FFirst && last == FLast && step == FStep)
        return;
    // New labels are laid out by the chart's own layout (a plot area set by hand keeps the old ones where
    // they were); this axis fits that layout after it.
    Unfix();
    FRelabelling = true;
    FFirst = first;
    FLast = last;
    FStep = step;
    for (const QString &label : categoriesLabels())
        remove(label);
    setStartValue(min());
    // On multiples of the step, so that the labels stay where they are as the range moves; each label
    // once, as the axis takes it.
    QSet<QString> labelled;
    for (int i = (first + step - 1) / step * step; i <= last; i += step)
        if (!labelled.contains(FLabels[i])) {
            labelled.insert(FLabels[i]);
            append(FLabels[i], i);
        }
    FRelabelling = false;
    FitLater();
}

void TLabelAxis::FitLater()
{
    QMetaObject::invokeMethod(this, &TLabelAxis::Fit, Qt::QueuedConnection);
}

void TLabelAxis::Fit()
{
    if (!FChart || FFixed)
        return;
    Relabel();
    KeepRoom();
}

void TLabelAxis::KeepRoom()
{
    const QRectF plot = FChart->plotArea();
    if (plot.height() <= 0)
        return;
    const double bottom = RoomBottom();
    const QFontMetricsF metrics(labelsFont());
    if (FAngle % 180 != 0) {
        const double standing = LongestLabel() + metrics.height();
        const int angle = bottom - plot.top() >= 2 * standing ? FAngle : 0;
        if (labelsAngle() != angle) {
            setLabelsAngle(angle);
            Relabel();
            FitLater();
            return;
        }
    }
    // The chart's own layout gives the labels less room than they take when the chart is short: the plot
    // then ends where they fit below it.
    const double depth = (labelsAngle() % 180 != 0 ? LongestLabel() : metrics.height()) + metrics.height();
    if (plot.bottom() + depth > bottom) {
        FFixed = true;
        FChart->setPlotArea(
            QRectF(plot.left(), plot.top(), plot.width(), std::max(1.0, bottom - depth - plot.top())));
        // Set while the chart lays out, the plot area moves the series alone: laid out anew, the axes and
        // their grid take it too.
        FChart->layout()->invalidate();
    }
}

void TLabelAxis::Unfix()
{
    if (!FFixed)
        return;
    FFixed = false;
    FChart->setPlotArea(QRectF());
    // Given back, the plot area is laid out anew only on the chart's next layout.
    FChart->layout()->invalidate();
}

double TLabelAxis::LabelRoom() const
{
    const QFontMetricsF metrics(labelsFont());
    const bool turned = labelsAngle() % 180 != 0;
    return (turned ? metrics.height() : LongestLabel()) + metrics.averageCharWidth() * 2;
}

double TLabelAxis::RoomBottom() const
{
    QLegend *legend = FChart->legend();
    if (legend->isVisible() && legend->isAttachedToChart() && legend->alignment() == Qt::AlignBottom)
        return legend->geometry().top();
    return FChart->rect().bottom() - FChart->margins().bottom();
}

double TLabelAxis::LongestLabel() const
{
    const QFont font = labelsFont();
    if (FLongest < 0 || font != FMeasuredFont) {
        const QFontMetricsF metrics(font);
        FLongest = 0;
        for (const QString &label : FLabels)
            FLongest = std::max(FLongest, metrics.horizontalAdvance(label));
        FMeasuredFont = font;
    }
    return FLongest;
}
