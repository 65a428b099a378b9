// "Właściwości kombinacji" over the real Lotto history: opened from the frequency window, what it shows
// of a number and of a pair against counts made here, a combination longer than a draw, a history saved
// shorter since the frequencies were counted, and the occurrence chart zoomed by the rubber band and back.
#include "controls/FloatSpin.h"
#include "controls/Graphics.h"
#include "controls/PBEdit.h"
#include "core/ProgramLocale.h"
#include "engine/UDrawsDB.h"
#include "stats/UStatFreq.h"
#include "statwindows/FCombProp.h"
#include "statwindows/FStatFreq.h"
#include "tests/statwindows/SerieBreakCounts.h"
#include "tests/fixtures/ChartTexts.h"
#include "tests/statwindows/StatWindowTestSupport.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QImage>
#include <QLineSeries>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QValueAxis>

#include <algorithm>

using serietest::CombHeld;
using serietest::RunLengths;

class CombPropWindowTest : public StatWindowTest {
protected:
    TfrmStatFreq *ComputeFrequencies(int Length)
    {
        frame->mStat->actions().at(0)->trigger(); // "Częstotliwości"
        auto *window = NewestChild<TfrmStatFreq>();
        window->seCombLen->SetValue(Length);
        window->seMinFreq->SetValue(1);
        window->chkMaxRows->setChecked(false);
        sendCommand(window, WM_TASK_START);
        WaitForResults(window);
        return window;
    }

    // The grid row (from 1) showing the combination.
    static int RowOf(const TStringAlignGrid &Grid, int Col, const QString &Comb)
    {
        const QStringList texts = testsupport::GridColumnTexts(Grid, Col);
        return int(texts.indexOf(Comb)) + 1;
    }

    TfrmCombProp *NewestProperties() { return dynamic_cast<TfrmCombProp *>(frame->ChildForms().back()); }

    // Every value the window shows, against the history counted here (oldest draw first).
    void ExpectProperties(const TfrmCombProp &Window, const TDynByteArr &Comb, const QString &Expected,
                          const QString &Parity)
    {
        const TDrawsManager &history = *Lotto().DrawsMan;
        const std::vector<bool> held = CombHeld(history, Comb);
        const int occurrences = int(std::count(held.begin(), held.end(), true));
        ASSERT_GT(occurrences, 0);
        const int last = int(std::find(held.rbegin(), held.rend(), true).base() - held.begin()) - 1;
        EXPECT_EQ(Window.eCombFreq->text().toStdString(), FormatFloat("#,##", occurrences));
        EXPECT_EQ(Window.eAllCombFreq->text(), Window.eCombFreq->text());
        EXPECT_EQ(Window.eExpFreq->text(), Expected);
        EXPECT_EQ(Window.eParity->text(), Parity);
        EXPECT_EQ(Window.eLastDate->text().toStdString(), DateToStr(history.GetDraw(last).Date));
        EXPECT_EQ(Window.FastLineSeries1->points().back().y(), occurrences);
        EXPECT_EQ(Window.Series2->points().size(), held.size());

        for (const auto &[grid, series] : {std::pair(Window.sgSerie1, true), std::pair(Window.sgBreak1, false)}) {
            const std::map<int, int> runs = RunLengths(held, series);
            int total = 0;
            for (const auto &[length, count] : runs)
                total += count;
            QStringList lengths, counts, shares;
            for (const auto &[length, count] : runs) {
                lengths << QString::number(length) + ' ';
                counts << QString::number(count) + ' ';
                shares << QString::fromStdString(FormatFloat("0.00", 100.0 * count / total)) + "% ";
            }
            EXPECT_EQ(testsupport::GridColumnTexts(*grid, 0), lengths) << series;
            EXPECT_EQ(testsupport::GridColumnTexts(*grid, 1), counts) << series;
            EXPECT_EQ(testsupport::GridColumnTexts(*grid, 2), shares) << series;
        }
        const std::map<int, int> series = RunLengths(held, true);
        EXPECT_EQ(Window.sgSerie2->Cells(1, 1), QString::number(series.begin()->first) + ' ');
        EXPECT_EQ(Window.sgSerie2->Cells(1, 2), QString::number(series.rbegin()->first) + ' ');
    }
};

TEST_F(CombPropWindowTest, TheFrequencyWindowOpensANumberByItsButtonAndAPairByADoubleClick)
{
    OpenFrame();
    TfrmStatFreq *numbers = ComputeFrequencies(1);
    ASSERT_EQ(numbers->State, 0);
    const int seven = RowOf(*numbers->grid, 1, " 7 ");
    ASSERT_GT(seven, 0);
    numbers->grid->setRow(seven);
    ASSERT_TRUE(numbers->btnCombProp->isEnabled());
    numbers->btnCombProp->click();
    TfrmCombProp *properties = NewestProperties();
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(properties->eComb->text(), " 7 ");
    // 3,545 draws, one expected in every 49 div 6 = 8: 443 and a remainder.
    ASSERT_EQ(properties->DrawCount, 3545);
    ExpectProperties(*properties, {7}, "443(1)", "N");

    TfrmStatFreq *pairs = ComputeFrequencies(2);
    const size_t windows = frame->ChildForms().size();
    // A double click on the header opens nothing.
    QTest::mouseDClick(pairs->grid->viewport(), Qt::LeftButton, {}, pairs->grid->CellRect(0, 0).toQRect().center());
    EXPECT_EQ(frame->ChildForms().size(), windows);
    const int pair = RowOf(*pairs->grid, 1, " 1  2 ");
    ASSERT_GT(pair, 0);
    pairs->grid->setTopRow(pair);
    QTest::mouseDClick(pairs->grid->viewport(), Qt::LeftButton, {}, pairs->grid->CellRect(1, pair).toQRect().center());
    ASSERT_EQ(frame->ChildForms().size(), windows + 1);
    properties = NewestProperties();
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(properties->eComb->text(), " 1  2 ");
    // 1176 div 15 = 78 draws an occurrence: 45 and a remainder.
    ExpectProperties(*properties, {1, 2}, "45(1)", "-");

    // Esc closes it.
    QTest::keyClick(properties->PageControl1, Qt::Key_Escape);
    ProcessPosted();
    EXPECT_EQ(frame->ChildForms().size(), windows);
}

TEST_F(CombPropWindowTest, ACombinationLongerThanADrawIsNeverExpected)
{
    OpenFrame();
    TDrawsRange range = Lotto().DefRange;
    TStatDraws draws;
    StatDrawsMan.LoadRange(draws, *Lotto().DrawsMan, range);
    ShowCombProperties(Lotto(), {1, 2, 3, 4, 5, 6, 7}, range, draws);
    TfrmCombProp *properties = NewestProperties();
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(properties->eCombFreq->text(), QString());
    EXPECT_EQ(properties->eExpFreq->text(), QString());
    EXPECT_TRUE(properties->Series2->points().isEmpty());
    EXPECT_EQ(properties->FastLineSeries1->points().back().y(), 0);
    EXPECT_EQ(testsupport::GridColumnTexts(*properties->sgSerie1, 0), QStringList{QString()});
    EXPECT_EQ(properties->eLastDate->text().toStdString(), DateToStr(0));
}

TEST_F(CombPropWindowTest, AHistorySavedShorterSinceTheCountIsReadNoFurtherThanItHolds)
{
    OpenFrame();
    TfrmStatFreq *numbers = ComputeFrequencies(1);
    TDrawsManager &history = *Lotto().DrawsMan;
    const int kept = history.SelCount() - 500;
    while (history.SelCount() > kept)
        history.DeleteDraw(history.SelCount() - 1);
    const int seven = RowOf(*numbers->grid, 1, " 7 ");
    numbers->grid->setRow(seven);
    numbers->btnCombProp->click();
    TfrmCombProp *properties = NewestProperties();
    ASSERT_NE(properties, nullptr);
    const std::vector<bool> held = CombHeld(history, {7});
    ASSERT_EQ(int(held.size()), kept);
    EXPECT_EQ(properties->eAllCombFreq->text().toStdString(),
              FormatFloat("#,##", double(std::count(held.begin(), held.end(), true))));
    // The window's own draws are those counted.
    EXPECT_EQ(properties->DrawCount, kept + 500);
}

TEST_F(CombPropWindowTest, MoreThan65535OccurrencesAreCountedWhole)
{
    OpenFrame();
    TStatDraws draws(70000);
    for (size_t i = 0; i < draws.size(); ++i)
        draws[i] = TStatDraw{int32_t(i + 1), EncodeDate(1900, 1, 1) + double(i), {1, 2, 3, 4, 5, 6}, {}, 0};
    ShowCombProperties(Lotto(), {1}, Lotto().DefRange, draws);
    TfrmCombProp *properties = NewestProperties();
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(properties->eCombFreq->text().toStdString(), FormatFloat("#,##", 70000));
    EXPECT_EQ(properties->FastLineSeries1->points().back().y(), 70000);
    EXPECT_EQ(testsupport::GridColumnTexts(*properties->sgSerie1, 0), QStringList{"70000 "});
}

TEST_F(CombPropWindowTest, DeepRubberBandZoomsKeepShowingDrawsAndDatesAndTheDefaultViewResetsTheScrollBar)
{
    OpenFrame();
    TDrawsRange range = Lotto().DefRange;
    TStatDraws draws;
    StatDrawsMan.LoadRange(draws, *Lotto().DrawsMan, range);
    ShowCombProperties(Lotto(), {7}, range, draws);
    TfrmCombProp *properties = NewestProperties();
    ASSERT_NE(properties, nullptr);
    properties->PageControl1->setCurrentWidget(properties->TabSheet2);
    QCoreApplication::processEvents();
    QChartView *view = properties->Chart;
    QChart *chart = view->chart();
    QAbstractSeries *area = chart->series().front();
    // Zoomed on the middle of a draw that held 7, three pixels at a time: after the fifth zoom the
    // draws at either end would lie far beyond the range of int off the plot.
    const TDrawsManager &history = *Lotto().DrawsMan;
    const std::vector<bool> held = CombHeld(history, {7});
    const size_t draw =
        size_t(std::find(held.begin() + long(held.size() / 2), held.end(), true) - held.begin());
    ASSERT_LT(draw, held.size());
    const QPointF inside(double(draw) + 0.5, 0.5);
    const QColor navy = toQColor(0x800000);
    const auto shownAt = [&](QPointF Value) {
        const QImage image = view->grab().toImage();
        return image.pixelColor(view->mapFromScene(chart->mapToScene(chart->mapToPosition(Value, area))));
    };
    auto *bottom = qobject_cast<QValueAxis *>(chart->axes(Qt::Horizontal).front());
    ASSERT_NE(bottom, nullptr);
    for (int zoom = 1; zoom <= 5; ++zoom) {
        SCOPED_TRACE(zoom);
        const QPoint at = view->mapFromScene(chart->mapToScene(chart->mapToPosition(inside, area)));
        const double width = bottom->max() - bottom->min();
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at - QPoint(1, 0));
        QTest::mouseMove(view->viewport(), at + QPoint(2, 0));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at + QPoint(2, 0));
        if (zoom == 1) {
            ASSERT_LT(bottom->max() - bottom->min(), width / 10) << "zoomed";
        }
        EXPECT_EQ(shownAt(inside), navy);
        // The scroll bar's thumb where the view is.
        EXPECT_TRUE(properties->ScrollBar1->isEnabled());
        EXPECT_EQ(properties->ScrollBar1->value(), std::lround(bottom->min()));
    }
    // The deepest zoom still shows the draw's points and its date.
    int pointsInView = 0;
    for (const QPointF &point : properties->OccurSeries->points())
        pointsInView += point.x() >= bottom->min() && point.x() <= bottom->max() ? 1 : 0;
    EXPECT_GE(pointsInView, 2);
    const QString date = QString::fromStdString(DateToStr(history.GetDraw(int(draw)).Date));
    bool dated = false;
    for (const testsupport::ShownText &text : testsupport::ShownTexts(*view))
        dated = dated || (text.Text == date && QRectF(view->viewport()->rect()).contains(text.Rect));
    EXPECT_TRUE(dated) << date.toStdString();

    // Scrolled towards the start, then back to the default view: the whole extent, and the scroll bar
    // with nothing to scroll.
    properties->ScrollBar1->setValue(properties->ScrollBar1->value() / 2);
    ASSERT_LT(bottom->max(), double(draw));
    properties->btnUndoZoom->click();
    EXPECT_EQ(bottom->min(), 0);
    EXPECT_EQ(bottom->max(), properties->ChartExtent());
    EXPECT_FALSE(properties->ScrollBar1->isEnabled());
    EXPECT_EQ(properties->ScrollBar1->value(), 0);
    EXPECT_EQ(properties->ScrollBar1->maximum(), 0);
}
