#include "syswindows/CheckCharts.h"

#include "controls/Graphics.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/GuardedConnect.h"
#include "syswindows/ResultCharts.h"
#include "syswindows/SystemCheck.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

QChartView *NewChart(QWidget *Parent, const QString &Title)
{
    QChartView *view = NewChartView(Parent, Title);
    view->chart()->legend()->setAlignment(Qt::AlignRight);
    return view;
}

QString LevelText(int Level)
{
    return QLatin1Char('\'') + QString::number(Level) + QLatin1Char('\'');
}

double SeriesMax(const QLineSeries &Series)
{
    double most = 0;
    for (const QPointF &point : Series.points())
        most = std::max(most, point.y());
    return most;
}

QValueAxis *BottomAxis(QChart *Chart)
{
    return static_cast<QValueAxis *>(Chart->axes(Qt::Horizontal).front());
}

// Bottom axis of one category per shown row, left axis from 0 to at least Max.
void AddAxes(QChart *Chart, const QStringList &Labels, bool DrawNumbers, double Max)
{
    AddCategoryAxes(Chart, Labels, DrawNumbers ? 0 : TurnedLabels, Max);
}

} // namespace

TCheckCharts::TCheckCharts(QWidget *Parent) : QTabWidget(Parent)
{
    hide();
    auto *hitsPage = new QWidget;
    Chart1 = NewChart(hitsPage, QStringLiteral("Trafienia"));
    lbHits = new QListWidget(hitsPage);
    lbHits->setFixedWidth(ScaledWidth(70));
    auto *hitsLabel = new QLabel(QStringLiteral("Trafienia:"), hitsPage);
    hitsLabel->setBuddy(lbHits);
    btnSelAll = new QPushButton(QStringLiteral("Wszystkie"), hitsPage);
    btnDeselAll = new QPushButton(QStringLiteral("Żadne"), hitsPage);
    auto *levels = new QVBoxLayout;
    levels->addWidget(hitsLabel);
    levels->addWidget(lbHits, 1);
    levels->addWidget(btnSelAll);
    levels->addWidget(btnDeselAll);
    auto *hits = new QHBoxLayout(hitsPage);
    hits->addWidget(Chart1, 1);
    hits->addLayout(levels);
    addTab(hitsPage, QStringLiteral("Trafienia"));

    auto *winPage = new QWidget;
    Chart2 = NewChart(winPage, QStringLiteral("Wygrana"));
    Chart2->chart()->legend()->hide();
    auto *win = new QVBoxLayout(winPage);
    win->addWidget(Chart2);
    addTab(winPage, QStringLiteral("Wygrana"));

    connectGuarded(lbHits, &QListWidget::itemChanged, this, &TCheckCharts::ApplyHitLevels);
    connectGuarded(btnSelAll, &QPushButton::clicked, this, [this] {
        CheckAll(lbHits, true);
        ApplyHitLevels();
    });
    connectGuarded(btnDeselAll, &QPushButton::clicked, this, [this] {
        CheckAll(lbHits, false);
        ApplyHitLevels();
    });
}

void TCheckCharts::FillHitLevels(const TLevels &Levels)
{
    if (Levels.TopLevel == FListedTop && Levels.Count == FListedCount)
        return;
    const QSignalBlocker quiet(lbHits);
    lbHits->clear();
    for (int i = 0; i < Levels.Count; ++i) {
        const int level = Levels.TopLevel - i;
        auto *item = new QListWidgetItem(LevelText(level), lbHits);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(level >= Levels.LowHits ? Qt::Checked : Qt::Unchecked);
    }
    FListedTop = Levels.TopLevel;
    FListedCount = Levels.Count;
}

void TCheckCharts::ShowRows(const std::vector<TCheckRow> &Rows, const QStringList &Labels, bool DrawNumbers,
                            const TLevels &Levels)
{
    hide();
    if (Rows.size() == 1)
        return;
    FillHitLevels(Levels);

    QChart *hits = Chart1->chart();
    ClearChart(hits);
    std::vector<std::pair<QLineSeries *, QList<QPointF>>> levels(size_t(Levels.Count));
    for (int i = 0; i < Levels.Count; ++i) {
        auto &[series, points] = levels[size_t(i)];
        for (size_t r = 0; r < Rows.size(); ++r)
            points.append(QPointF(double(r), double(Rows[r].Hits[size_t(Levels.FirstHit + i)])));
        series = new QLineSeries;
        series->setName(QStringLiteral("'   ") + QString::number(Levels.TopLevel - i) + QLatin1Char('\''));
        hits->addSeries(series);
    }
    // The value axis is scaled to the levels shown.
    AddAxes(hits, Labels, DrawNumbers, 0);
    for (const auto &[series, points] : levels)
        ShowReducedPoints(series, points, hits, BottomAxis(hits));
    ApplyHitLevels();

    QChart *wins = Chart2->chart();
    ClearChart(wins);
    QList<QPointF> points;
    double largest = 0;
    for (size_t r = 0; r < Rows.size(); ++r) {
        if (!Rows[r].Win) // beyond the range of money: no point
            continue;
        const double win = Rows[r].Win->toDouble();
        points.append(QPointF(double(r), win));
        largest = std::max(largest, win);
    }
    auto *series = new QLineSeries;
    wins->addSeries(series);
    AddAxes(wins, Labels, DrawNumbers, largest);
    ShowReducedPoints(series, points, wins, BottomAxis(wins));
    show();
}

void TCheckCharts::ApplyHitLevels()
{
    QChart *chart = Chart1->chart();
    const QList<QAbstractSeries *> series = chart->series();
    double most = 0;
    for (int i = 0; i < series.size() && i < lbHits->count(); ++i) {
        const bool shown = lbHits->item(i)->checkState() == Qt::Checked;
        series[i]->setVisible(shown);
        if (shown)
            most = std::max(most, SeriesMax(*static_cast<QLineSeries *>(series[i])));
    }
    const QList<QAbstractAxis *> values = chart->axes(Qt::Vertical);
    if (!values.isEmpty())
        ScaleCountAxis(static_cast<QValueAxis *>(values.front()), most);
}
