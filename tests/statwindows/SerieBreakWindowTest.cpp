// "Serie liczb" and "Przerwy" over the real Lotto history: the per-number pages, the distribution and
// the combination rows against counts made here, Stop, the double clicks that open the combination
// properties and those that must not, the stored parameters and the report.
#include "controls/FloatSpin.h"
#include "controls/PBEdit.h"
#include "core/ProgramLocale.h"
#include "output/FSelRepItems.h"
#include "platform/MemoryStatus.h"
#include "shell/FGlobalControls.h"
#include "stats/UStatSerieBreak.h"
#include "statwindows/FCombProp.h"
#include "statwindows/FStatSerieBreak.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/statwindows/SerieBreakCounts.h"
#include "tests/statwindows/StatWindowTestSupport.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <random>
#include <set>

using serietest::CombHeld;
using serietest::RunLengths;

namespace {

int Number(QString Text)
{
    return Text.remove(QChar(0x00A0)).trimmed().toInt();
}

} // namespace

class SerieBreakWindowTest : public StatWindowTest {
protected:
    // Action 2 "Serie liczb", 3 "Przerwy".
    TfrmStatSerieBreak *Open(int StatIndex)
    {
        frame->mStat->actions().at(StatIndex)->trigger();
        return NewestChild<TfrmStatSerieBreak>();
    }

    void Compute(TfrmStatSerieBreak *Window, int Length, bool ShowCombs)
    {
        Window->seCombLen->SetValue(Length);
        Window->cbShowCombs->setChecked(ShowCombs);
        sendCommand(Window, WM_TASK_START);
        WaitForResults(Window);
    }

    static void DoubleClick(TStringAlignGrid &Grid, int Col, int Row)
    {
        if (Row > 0)
            Grid.setTopRow(Row);
        QTest::mouseDClick(Grid.viewport(), Qt::LeftButton, {}, Grid.CellRect(Col, Row).toQRect().center());
    }

    size_t WindowCount() const { return frame->ChildForms().size(); }

    static bool TabShown(const QTabWidget &Pages, QWidget *Page) { return Pages.isTabVisible(Pages.indexOf(Page)); }
};

TEST_F(SerieBreakWindowTest, OneNumberPerPageTheDistributionAndTheDoubleClicks)
{
    OpenFrame();
    for (const bool series : {true, false}) {
        SCOPED_TRACE(series ? "series" : "breaks");
        TfrmStatSerieBreak *window = Open(series ? 2 : 3);
        ASSERT_NE(window, nullptr);
        Compute(window, 1, false);
        ASSERT_EQ(window->State, 0);
        EXPECT_TRUE(TabShown(*window->PageControl2, window->TabSheet2));
        EXPECT_TRUE(TabShown(*window->PageControl2, window->TabSheet3));

        std::map<int, int> all;
        for (int number = 1; number <= 49; ++number)
            for (const auto &[length, count] : RunLengths(CombHeld(*Lotto().DrawsMan, {uint8_t(number)}), series))
                all[length] += count;
        // Numbers 1 and 49: the row of the number (the pages sorted by number) and its pair of columns.
        const TStringAlignGrid &details1 = *window->sgDetails1;
        const TStringAlignGrid &details2 = *window->sgDetails2;
        ASSERT_EQ(details1.ColCount(), int(all.size()) + 1);
        for (const int number : {1, 49}) {
            const std::map<int, int> expected = RunLengths(CombHeld(*Lotto().DrawsMan, {uint8_t(number)}), series);
            std::map<int, int> shown;
            EXPECT_EQ(details1.Cells(0, number).trimmed(), QString::number(number));
            for (int col = 1; col < details1.ColCount(); ++col)
                if (!details1.Cells(col, number).isEmpty())
                    shown[details1.unmarkedCaption(col).mid(1).toInt()] = Number(details1.Cells(col, number));
            EXPECT_EQ(shown, expected) << number;
            std::map<int, int> listed;
            for (int row = 1; row < details2.RowCount() && !details2.Cells(2 * number - 2, row).isEmpty(); ++row)
                listed[Number(details2.Cells(2 * number - 2, row))] = Number(details2.Cells(2 * number - 1, row));
            EXPECT_EQ(listed, expected) << number;
        }
        EXPECT_EQ(details1.unmarkedCaption(1), QString(series ? "S" : "P") + QString::number(all.begin()->first));
        if (!series) {
            EXPECT_EQ(all.begin()->first, 0) << "breaks of two neighbouring draws";
        }

        int64_t runs = 0;
        double lengths = 0;
        for (const auto &[length, count] : all) {
            runs += count;
            lengths += double(length) * count;
        }
        QStringList length, count, share;
        for (const auto &[l, c] : all) {
            length << QString::number(l) + ' ';
            count << Grouped(c);
            share << QString::fromStdString(FormatFloat("0.00", 100.0 * c / double(runs))) + "% ";
        }
        EXPECT_EQ(testsupport::GridColumnTexts(*window->sgTotal2, 0), length);
        EXPECT_EQ(testsupport::GridColumnTexts(*window->sgTotal2, 1), count);
        EXPECT_EQ(testsupport::GridColumnTexts(*window->sgTotal2, 2), share);
        EXPECT_EQ(testsupport::GridColumnTexts(*window->sgTotal3, 1),
                  (QStringList{QString::number(all.begin()->first) + ' ',
                               QString::number(all.rbegin()->first) + ' ',
                               QString::fromStdString(FormatFloat("0.00", lengths / double(runs))) + ' '}));

        // The header and the fixed number column open nothing; a count cell opens its number.
        const size_t windows = WindowCount();
        DoubleClick(*window->sgDetails1, 0, 0);
        DoubleClick(*window->sgDetails1, 0, 7);
        EXPECT_EQ(WindowCount(), windows);
        DoubleClick(*window->sgDetails1, 1, 7);
        ASSERT_EQ(WindowCount(), windows + 1);
        auto *properties = dynamic_cast<TfrmCombProp *>(frame->ChildForms().back());
        ASSERT_NE(properties, nullptr);
        EXPECT_EQ(properties->eComb->text(), " 7 ");
        EXPECT_EQ(
            testsupport::GridColumnTexts(*(series ? properties->sgSerie1 : properties->sgBreak1), 1).size(),
            RunLengths(CombHeld(*Lotto().DrawsMan, {7}), series).size());
    }
}

TEST_F(SerieBreakWindowTest, PairsShowTheirRowsWithoutPerNumberPagesAndStopLeavesNoResults)
{
    OpenFrame();
    TfrmStatSerieBreak *window = Open(2);
    window->cbCountStd->setChecked(false);
    Compute(window, 2, true);
    ASSERT_EQ(window->State, 0);
    EXPECT_FALSE(TabShown(*window->PageControl2, window->TabSheet2));
    EXPECT_FALSE(TabShown(*window->PageControl2, window->TabSheet3));
    ASSERT_EQ(window->sgTotal1->RowCount(), 1176 + 1) << "every pair occurred";
    // Rows in order of the combinations: the pair's index.
    const QStringList combs = testsupport::GridColumnTexts(*window->sgTotal1, 1);
    for (const TDynByteArr &pair : {TDynByteArr{1, 2}, TDynByteArr{24, 49}}) {
        const int row = int(combs.indexOf(QString::asprintf("%2d %2d ", pair[0], pair[1]))) + 1;
        ASSERT_GT(row, 0);
        const std::map<int, int> runs = RunLengths(CombHeld(*Lotto().DrawsMan, pair), true);
        int count = 0;
        double sum = 0;
        for (const auto &[l, c] : runs) {
            count += c;
            sum += double(l) * c;
        }
        QStringList cells;
        for (int col = 2; col < 6; ++col) {
            QString text;
            window->sgTotal1->GetCellText(col, row, text);
            cells << text;
        }
        EXPECT_EQ(cells, (QStringList{QString::number(runs.begin()->first) + ' ', QString::number(runs.rbegin()->first) + ' ',
                                      QString::fromStdString(FormatFloat("0.00", float(sum / count))) + ' ', QString()}));
    }

    // A row opens its pair; the header does not.
    const size_t windows = WindowCount();
    DoubleClick(*window->sgTotal1, 0, 0);
    EXPECT_EQ(WindowCount(), windows);
    DoubleClick(*window->sgTotal1, 1, 1);
    ASSERT_EQ(WindowCount(), windows + 1);
    auto *properties = dynamic_cast<TfrmCombProp *>(frame->ChildForms().back());
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(properties->eComb->text(), " 1  2 ");
    frame->MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(window->parentWidget()));

    // Without the combinations table its one empty row opens nothing.
    Compute(window, 2, false);
    ASSERT_EQ(window->State, 0);
    ASSERT_EQ(window->sgTotal1->RowCount(), 2);
    DoubleClick(*window->sgTotal1, 1, 1);
    EXPECT_EQ(WindowCount(), windows + 1);

    // Stopped at once: no results, the commands of a window without them.
    window->seCombLen->SetValue(3);
    ExpectStoppedAtOnce(window, *window->sgTotal2, 0);
}

// A header click sorts the combination rows on the worker; Stop or closing ends the sort at its poll, the
// rows left as they were.
TEST_F(SerieBreakWindowTest, StopOrClosingEndsASortOfTheCombinationRowsAtItsPoll)
{
    OpenFrame();
    for (const bool closing : {false, true}) {
        SCOPED_TRACE(closing ? "closed" : "stopped");
        TfrmStatSerieBreak *window = Open(2);
        Compute(window, 3, true);
        ASSERT_EQ(window->State, 0);
        const auto indexes = [&] {
            std::vector<int32_t> order;
            for (const TSerieCombItem &row : window->StatSB->CombRows)
                order.push_back(int32_t{row.Index}); // a copy: the rows are packed
            return order;
        };
        const std::vector<int32_t> before = indexes();
        // By the shortest run.
        ExpectHeaderSortEndsAtItsPoll(window, *window->StatSB, *window->sgTotal1, 2, closing);
        if (closing)
            continue;
        EXPECT_EQ(indexes(), before);
        ASSERT_TRUE(window->Close());
        ProcessPosted();
    }
}

TEST_F(SerieBreakWindowTest, ParametersAreTheSixByteRecord)
{
    OpenFrame();
    TfrmStatSerieBreak *window = Open(3);
    EXPECT_FALSE(window->cbShowCombs->isChecked()) << "no record";
    window->seCombLen->SetValue(2);
    window->cbShowCombs->setChecked(true);
    window->cbCountStd->setChecked(true);
    ASSERT_TRUE(window->Close());
    ProcessPosted();
    EXPECT_EQ(store().value("Stats\\1\\3", "Params"), platform::RegValue(platform::Bytes{2, 0, 0, 0, 1, 1}));

    // A length above the longest the statistic takes keeps the design value; the flags are read.
    store().setValue("Stats\\1\\2", "Params", platform::Bytes{7, 0, 0, 0, 1, 0});
    window = Open(2);
    EXPECT_EQ(SpinValue(window->seCombLen), 1);
    EXPECT_TRUE(window->cbShowCombs->isChecked());
    EXPECT_FALSE(window->cbCountStd->isChecked());
    EXPECT_TRUE(window->cbCountStd->isEnabled());
}

TEST_F(SerieBreakWindowTest, ReportItemsFollowTheResultsAndTheSummaryGridsShareTheirSheet)
{
    OpenFrame();
    TfrmStatSerieBreak *window = Open(2);
    Compute(window, 2, true);
    ASSERT_EQ(window->State, 0);
    script.onDialog([](QDialog &Dialog) {
        auto &items = dynamic_cast<TfrmSelRepItems &>(Dialog);
        ASSERT_EQ(items.CheckListBox1->count(), 3) << "no per-number items for pairs";
        EXPECT_EQ(items.CheckListBox1->item(0)->text(), "Podsumowanie - Kombinacje");
        items.btnOK->click();
    });
    testsupport::expectReport(script);
    sendCommand(window, WM_SYS_REPORT);
    const std::vector<testsupport::XlsxSheet> sheets = testsupport::openedReport(script);
    ASSERT_EQ(sheets.size(), 1u);
    const testsupport::XlsxSheet &sheet = sheets[0];
    EXPECT_EQ(sheet.Name, "Podsumowanie");
    EXPECT_EQ(sheet.At("B3").Text, "Statystyka : Serie");
    EXPECT_EQ(sheet.At("B6").Text, " Zakres losowań");
    EXPECT_EQ(sheet.At("B11").Text, " Długość kombinacji  : 2");
    // Each grid under its caption, a row apart.
    const int total1 = window->sgTotal1->RowCount(), total2 = window->sgTotal2->RowCount();
    const int second = 15 + total1 + 1, third = second + 1 + total2 + 1;
    EXPECT_EQ(sheet.At("B14").Text, "Kombinacje");
    EXPECT_EQ(sheet.At("B15").Text, "Lp.");
    EXPECT_EQ(sheet.At("C16").Text, "1  2");
    EXPECT_FALSE(sheet.At("B" + std::to_string(second - 1)).HasValue);
    EXPECT_EQ(sheet.At("B" + std::to_string(second)).Text, "Rozkład serii");
    EXPECT_EQ(sheet.At("B" + std::to_string(second + 1)).Text, "Seria");
    EXPECT_EQ(sheet.At("B" + std::to_string(third)).Text, "Rozkład serii - podsumowanie");
    EXPECT_EQ(sheet.At("C" + std::to_string(third + 2)).Text, window->sgTotal3->Cells(1, 1).trimmed().toStdString());

    // Without the combinations table, and when the memory holds no rows although the box is ticked,
    // the combinations item is left out.
    const auto expectItems = [&](int Count) {
        script.onDialog([Count](QDialog &Dialog) {
            auto &items = dynamic_cast<TfrmSelRepItems &>(Dialog);
            EXPECT_EQ(items.CheckListBox1->count(), Count);
            items.btnCancel->click();
        });
        sendCommand(window, WM_SYS_REPORT);
    };
    Compute(window, 2, false);
    expectItems(2);
    platform::setAvailableMemoryProbe([] { return uint64_t(10000); });
    Compute(window, 2, true);
    platform::setAvailableMemoryProbe({});
    ASSERT_EQ(window->State, 0);
    EXPECT_FALSE(window->StatSB->ShowCombs);
    expectItems(2);
}

TEST_F(SerieBreakWindowTest, MoreThan65000CombinationRowsLeaveTheCombinationsOutOfTheReport)
{
    std::mt19937 random(49);
    std::vector<testsupport::FixtureDraw> draws;
    for (int d = 0; d < 300; ++d) {
        std::set<int> numbers;
        while (numbers.size() < 20)
            numbers.insert(int(random() % 80) + 1);
        draws.push_back({EncodeDate(2020, 1, 1) + d, std::vector<int>(numbers.begin(), numbers.end())});
    }
    folder->writeDraws("MultiMulti", draws);
    OpenFrame();
    frame->cbGame->setCurrentIndex(Games.GameIndexOfId(3));
    TfrmStatSerieBreak *window = Open(2);
    Compute(window, 3, true);
    ASSERT_EQ(window->State, 0);
    ASSERT_TRUE(window->StatSB->ShowCombs);
    ASSERT_GT(window->StatSB->CombRowCount, 65000);
    script.onDialog([](QDialog &Dialog) {
        auto &items = dynamic_cast<TfrmSelRepItems &>(Dialog);
        ASSERT_EQ(items.CheckListBox1->count(), 2);
        EXPECT_EQ(items.CheckListBox1->item(0)->text(), "Podsumowanie - Rozkład serii");
        items.btnCancel->click();
    });
    sendCommand(window, WM_SYS_REPORT);
}
