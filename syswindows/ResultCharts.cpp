#include "syswindows/ResultCharts.h"

#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QPen>
#include <QSet>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// The most labels a sampled axis shows.
constexpr int SampledLabels = 24;
// The most decimals a value axis label shows.
constexpr int MostDecimals = 6;

// A bottom axis over one category per label (at 0, 1, ...) that shows only as many of the labels, evenly
// spread, as its length holds at its labels' font, and at most Most of them; it thins them anew whenever
// the chart's plot area changes.
class TThinnedAxis : public QCategoryAxis {
public:
    TThinnedAxis(const QStringList &Labels, int LabelAngle, int Most) : FLabels(Labels), FMost(Most)
    {
        setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        setLabelsAngle(LabelAngle);
        setTruncateLabels(false);
        const int count = int(Labels.size());
        setRange(-0.5, std::max(count, 1) - 0.5);
        setStartValue(-0.5);
    }

    // Labels the axis for the chart's plot area now and whenever it changes.
    void Follow(QChart *Chart)
    {
        Relabel(Chart->plotArea().width());
        QObject::connect(Chart, &QChart::plotAreaChanged, this,
                         [this](const QRectF &Area) { Relabel(Area.width()); });
    }

private:
    // The room one label takes along the axis, a gap included.
    double LabelRoom() const
    {
        const QFontMetrics metrics(labelsFont());
        const bool turned = labelsAngle() % 180 != 0;
        int longest = 0;
        if (!turned)
            for (const QString &label : FLabels)
                longest = std::max(longest, metrics.horizontalAdvance(label));
        return (turned ? metrics.height() : longest) + metrics.averageCharWidth() * 2;
    }

    void Relabel(double Length)
    {
        const int count = int(FLabels.size());
        int step = std::max(1, (count + FMost - 1) / FMost);
        if (Length > 0) {
            const int fitting = std::max(1, int(Length / LabelRoom()));
            step = std::max(step, (count + fitting - 1) / fitting);
        }
        if (step == FStep)
            return;
        FStep = step;
        for (const QString &label : categoriesLabels())
            remove(label);
        QSet<QString> shown; // the axis takes each label once
        for (int i = 0; i < count; i += step)
            if (!shown.contains(FLabels[i])) {
                shown.insert(FLabels[i]);
                append(FLabels[i], i);
            }
    }

    QStringList FLabels;
    int FMost;
    int FStep = 0;
};

void AddAxes(QChart *Chart, const QStringList &Labels, int LabelAngle, int MostLabels, double Max, double Min)
{
    auto *bottom = new TThinnedAxis(Labels, LabelAngle, MostLabels);
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
