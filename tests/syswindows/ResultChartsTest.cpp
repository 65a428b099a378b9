// The result charts' axes as a user reads them: values in the program's numbers, bottom labels that
// never run into each other.
#include "syswindows/ResultCharts.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QValueAxis>
#include <gtest/gtest.h>

#include <memory>

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
}
