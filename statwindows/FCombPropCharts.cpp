// The charts of the combination properties window: the cumulative frequency against the expected count,
// and the occurrences over time with its zoom and the scroll bar over its bottom axis.
#include "statwindows/FCombProp.h"

#include "core/ProgramLocale.h"
#include "core/ProgramParams.h"
#include "core/UComb.h"
#include "engine/UGame.h"
#include "engine/UGameMan.h"
#include "shell/GuardedConnect.h"
#include "shell/ResultGrid.h"
#include "syswindows/ColumnArea.h"
#include "syswindows/LabelAxis.h"
#include "syswindows/ResultCharts.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QPen>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr TColor CumulativeColor = 0x804000; // 8404992
constexpr TColor ExpectedColor = 0x1500D7;   // 1376471
constexpr TColor OccurrenceColor = 0x800000; // navy
// At most this many draws are labelled in the part of the axis in view.
constexpr int LabelsInView = 12;
// The narrowest view of the occurrences, in draws: a deeper zoom would show no point and no label.
constexpr double NarrowestView = 2;

// A view of a new untitled chart with its legend below.
QChartView *NewLegendBelowChartView(QWidget *Parent)
{
    auto *chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto *view = new QChartView(chart, Parent);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void ClearAxes(QChart *Chart)
{
    for (QAbstractAxis *axis : Chart->axes()) {
        Chart->removeAxis(axis);
        delete axis;
    }
}

// Each value held until the next point: the line runs level from point i to point i + 1, then steps.
QList<QPointF> StairPoints(const std::vector<double> &Values)
{
    QList<QPointF> points;
    points.reserve(qsizetype(Values.size()) * 2);
    for (size_t i = 0; i < Values.size(); ++i) {
        points.append(QPointF(double(i), Values[i]));
        if (i + 1 < Values.size())
            points.append(QPointF(double(i + 1), Values[i]));
    }
    return points;
}

QValueAxis *NewValueAxis(double Max)
{
    auto *axis = new QValueAxis;
    axis->setRange(0, std::max(Max, 1.0));
    axis->applyNiceNumbers();
    axis->setLabelFormat(QStringLiteral("%d"));
    return axis;
}

} // namespace

void TfrmCombProp::CreateCharts()
{
    TabSheet4 = new QWidget;
    Chart1 = NewLegendBelowChartView(TabSheet4);
    FastLineSeries1 = new QLineSeries;
    FastLineSeries1->setName(QStringLiteral("Częstotliwość"));
    FastLineSeries1->setColor(toQColor(CumulativeColor));
    Series2 = new QLineSeries;
    Series2->setName(QStringLiteral("Wartość oczekiwana"));
    QPen expectedPen(toQColor(ExpectedColor));
    expectedPen.setWidth(2);
    Series2->setPen(expectedPen);
    Chart1->chart()->addSeries(FastLineSeries1);
    Chart1->chart()->addSeries(Series2);
    auto *frequency = new QVBoxLayout(TabSheet4);
    frequency->addWidget(Chart1);

    TabSheet2 = new QWidget;
    btnZoom = new QPushButton(QStringLiteral("Po&większ"), TabSheet2);
    btnDeZoom = new QPushButton(QStringLiteral("Zmni&ejsz"), TabSheet2);
    btnUndoZoom = new QPushButton(QStringLiteral("&Domyślnie"), TabSheet2);
    ScrollBar1 = new QScrollBar(Qt::Horizontal, TabSheet2);
    ScrollBar1->setEnabled(false);
    Chart = NewLegendBelowChartView(TabSheet2);
    Chart->setRubberBand(QChartView::HorizontalRubberBand);
    Chart->chart()->legend()->hide();
    Chart->chart()->setBackgroundBrush(toQColor(ResultGridColor));
    OccurSeries = new QLineSeries;
    auto *area = new QAreaSeries(OccurSeries);
    area->setColor(toQColor(OccurrenceColor));
    area->setBorderColor(toQColor(OccurrenceColor));
    Chart->chart()->addSeries(area);
    PaintByColumns(area);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnZoom);
    buttons->addWidget(btnDeZoom);
    buttons->addWidget(btnUndoZoom);
    buttons->addStretch(1);
    auto *occurrences = new QVBoxLayout(TabSheet2);
    occurrences->addLayout(buttons);
    occurrences->addWidget(Chart, 1);
    occurrences->addWidget(ScrollBar1);

    connectGuarded(btnZoom, &QPushButton::clicked, this, &TfrmCombProp::btnZoomClick);
    connectGuarded(btnDeZoom, &QPushButton::clicked, this, &TfrmCombProp::btnDeZoomClick);
    connectGuarded(btnUndoZoom, &QPushButton::clicked, this, &TfrmCombProp::btnUndoZoomClick);
    connectGuarded(ScrollBar1, &QScrollBar::valueChanged, this, &TfrmCombProp::ScrollBar1Change);
}

void TfrmCombProp::ShowOccurrenceChart(const std::vector<bool> &Held)
{
    const bool dates = ProgramParams.StatShowDate;
    FPointLabels.clear();
    FOccurrences.clear();
    for (size_t i = 0; i < Draws.size(); ++i) {
        FPointLabels << (dates ? QString::fromStdString(DateToStr(Draws[i].Date)) : QString::asprintf("%02d", Draws[i].No));
        FOccurrences.push_back(Held[i] ? 1.0 : 0.0);
    }
    const TDateTime closing = Draws.empty() ? 0 : Draws.back().Date + 1;
    FPointLabels << QString::fromStdString(DateToStr(closing));
    FOccurrences.push_back(0);

    QChart *chart = Chart->chart();
    QAbstractSeries *area = chart->series().front();
    ClearAxes(chart);
    auto *bottom = new TLabelAxis(FPointLabels, dates ? TurnedLabels : 0, LabelsInView);
    FOccurAxis = bottom;
    chart->addAxis(bottom, Qt::AlignBottom);
    bottom->Follow(chart);
    auto *left = NewValueAxis(1);
    left->setTickCount(2);
    chart->addAxis(left, Qt::AlignLeft);
    area->attachAxis(bottom);
    area->attachAxis(left);
    ShowReducedPoints(OccurSeries, StairPoints(FOccurrences), chart, bottom, TReduction::Top);
    connectGuarded(bottom, &QValueAxis::rangeChanged, this, &TfrmCombProp::OccurViewChanged);
    SetView(0, ChartExtent());
}

void TfrmCombProp::ShowFrequencyChart(const std::vector<bool> &Held)
{
    const int n = int(Game->Info.MaxNumber);
    const int s = int(Game->Info.Drawn);
    std::vector<double> cumulative;
    std::vector<double> expectedCounts;
    int32_t count = 0;
    for (size_t i = 0; i < Held.size(); ++i) {
        count += Held[i] ? 1 : 0;
        cumulative.push_back(count);
    }
    // A combination longer than a draw is never expected.
    if (CombLen <= s) {
        const double share = double(Newton[size_t(s)][size_t(CombLen)]) / double(Newton[size_t(n)][size_t(CombLen)]);
        for (size_t i = 0; i < Held.size(); ++i)
            expectedCounts.push_back(double(i + 1) * share);
    }

    QChart *chart = Chart1->chart();
    ClearAxes(chart);
    FastLineSeries1->replace(StairPoints(cumulative));
    QList<QPointF> expected;
    for (size_t i = 0; i < expectedCounts.size(); ++i)
        expected.append(QPointF(double(i), expectedCounts[i]));
    Series2->replace(expected);
    const QStringList labels = FPointLabels.mid(0, qsizetype(Held.size()));
    auto *bottom = new TLabelAxis(labels, ProgramParams.StatShowDate ? TurnedLabels : 0, LabelsInView);
    chart->addAxis(bottom, Qt::AlignBottom);
    bottom->Follow(chart);
    const double top = std::max(cumulative.empty() ? 0.0 : cumulative.back(),
                                expectedCounts.empty() ? 0.0 : expectedCounts.back());
    auto *left = NewValueAxis(top);
    chart->addAxis(left, Qt::AlignLeft);
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(bottom);
        series->attachAxis(left);
    }
    bottom->setRange(0, std::max(1.0, double(Held.size()) - 1));
}

double TfrmCombProp::ViewMinimum() const
{
    return FOccurAxis ? FOccurAxis->min() : 0;
}

double TfrmCombProp::ViewMaximum() const
{
    return FOccurAxis ? FOccurAxis->max() : 0;
}

double TfrmCombProp::ChartExtent() const
{
    return std::max(1.0, double(FOccurrences.size()) - 1);
}

void TfrmCombProp::btnZoomClick()
{
    ZoomPercent(110);
}

void TfrmCombProp::btnDeZoomClick()
{
    ZoomPercent(90);
}

void TfrmCombProp::btnUndoZoomClick()
{
    SetView(0, ChartExtent());
}

void TfrmCombProp::ZoomPercent(double Percent)
{
    CenterView(std::min(ChartExtent(), (ViewMaximum() - ViewMinimum()) * 100 / Percent));
}

void TfrmCombProp::CenterView(double Width)
{
    const double middle = (ViewMinimum() + ViewMaximum()) / 2;
    const double minimum = std::clamp(middle - Width / 2, 0.0, ChartExtent() - Width);
    SetView(minimum, minimum + Width);
}

void TfrmCombProp::OccurViewChanged()
{
    const double narrowest = std::min(NarrowestView, ChartExtent());
    if (ViewMaximum() - ViewMinimum() < narrowest)
        CenterView(narrowest);
    else
        UpdateScrollBar();
}

void TfrmCombProp::SetView(double Minimum, double Maximum)
{
    if (!FOccurAxis)
        return;
    FOccurAxis->setRange(Minimum, Maximum);
    UpdateScrollBar();
}

void TfrmCombProp::UpdateScrollBar()
{
    ScrollReady = false;
    const double extent = ChartExtent();
    const double minimum = ViewMinimum();
    const double width = ViewMaximum() - minimum;
    // The whole extent in view: nothing to scroll.
    const bool whole = minimum <= 0 && minimum + width >= extent;
    ScrollBar1->setEnabled(!whole);
    ScrollBar1->setRange(0, std::max(0, int(std::lround(extent - width))));
    ScrollBar1->setPageStep(std::max(1, int(std::lround(width))));
    ScrollBar1->setValue(int(std::lround(minimum)));
    ScrollReady = true;
}

void TfrmCombProp::ScrollBar1Change(int Position)
{
    if (!ScrollReady)
        return;
    const double width = ViewMaximum() - ViewMinimum();
    SetView(Position, Position + width);
}
