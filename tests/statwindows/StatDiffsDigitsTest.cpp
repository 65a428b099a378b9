// The differences and digits windows over the real Lotto history: chosen draws' cells of every table
// against plain counts, the columns of the differences and digits that occur, each table's own selected
// column and chart, the digit kind's stored byte and the reports; the differences' Stop and closing while
// their worker counts.
#include "output/FSelRepItems.h"
#include "stats/UStatDiff.h"
#include "statwindows/ClassTablePage.h"
#include "statwindows/FStatDiffs.h"
#include "statwindows/FStatDigits.h"
#include "statwindows/PatternTablePage.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/statwindows/StatWindowTestSupport.h"
#include "tests/statwindows/WorkerHold.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <map>
#include <set>

namespace {

// The counts above 1 ascending, joined as the pattern tables show them; "0" without any.
QString RepeatPattern(const std::map<int, int> &Counts)
{
    std::vector<int> repeated;
    for (const auto &[value, count] : Counts)
        if (count > 1)
            repeated.push_back(count);
    std::sort(repeated.begin(), repeated.end());
    QStringList parts;
    for (int count : repeated)
        parts << QString::number(count);
    return repeated.empty() ? QStringLiteral("0") : parts.join(QStringLiteral(" - "));
}

std::map<int, int> Differences(const TDynByteArr &Numbers)
{
    std::map<int, int> counts;
    for (size_t j = 1; j < Numbers.size(); ++j)
        ++counts[Numbers[j] - Numbers[j - 1]];
    return counts;
}

std::map<int, int> FirstDigits(const TDynByteArr &Numbers)
{
    std::map<int, int> counts;
    for (uint8_t x : Numbers)
        ++counts[x / 10];
    return counts;
}

// The sheet column of the 0-based Index: "A", ..., "Z", "AA", ...
std::string ColumnName(int Index)
{
    std::string name;
    for (++Index; Index > 0; Index = (Index - 1) / 26)
        name.insert(name.begin(), char('A' + (Index - 1) % 26));
    return name;
}

QStringList Captions(const TStringAlignGrid &Grid)
{
    QStringList captions;
    for (int col = 0; col < Grid.ColCount(); ++col)
        captions << Grid.unmarkedCaption(col);
    return captions;
}

} // namespace

class StatDiffsDigitsTest : public StatWindowTest {
protected:
    template <typename Window>
    Window *Open(int StatIndex)
    {
        OpenStatWindow(StatIndex);
        return NewestChild<Window>();
    }
    TfrmStatDiffs *OpenDiffs() { return Open<TfrmStatDiffs>(TfrmStatDiffs::DiffsStatIndex); }
    TfrmStatDigits *OpenDigits() { return Open<TfrmStatDigits>(TfrmStatDigits::DigitsStatIndex); }
    // Computes Window's statistic (the differences on their worker) and waits for the results.
    static void Compute(TGenStatForm *Window)
    {
        sendCommand(Window, WM_TASK_START);
        WaitForResults(Window);
        ASSERT_TRUE(Window->HasResults());
    }
    void Close(TGenStatForm *Window)
    {
        ASSERT_TRUE(Window->Close());
        ProcessPosted();
    }

    // Computed over the first 40 draws and reported with every item ticked: the items offered, the
    // sheets written, the header's statistic line, each sheet's table (the first from row 11, below the
    // header, the others from row 2) headed as its grid.
    void ExpectReport(TGenStatForm *Window, const QStringList &Items, const std::vector<std::string> &Sheets,
                      const std::vector<const TStringAlignGrid *> &Grids, const std::string &StatLine)
    {
        Window->Range.Range.Mode = drIndexes;
        Window->Range.Range.FirstIndex = 1;
        Window->Range.Range.LastIndex = 40;
        Window->Range.Refresh();
        ASSERT_EQ(Window->Range.Range.Count, 40u);
        Compute(Window);
        script.onDialog([&](QDialog &Dialog) {
            auto &items = dynamic_cast<TfrmSelRepItems &>(Dialog);
            QStringList offered;
            for (int i = 0; i < items.CheckListBox1->count(); ++i)
                offered << items.CheckListBox1->item(i)->text();
            EXPECT_EQ(offered, Items);
            items.btnOK->click();
        });
        testsupport::expectReport(script);
        sendCommand(Window, WM_SYS_REPORT);
        const std::vector<testsupport::XlsxSheet> sheets = testsupport::openedReport(script);
        std::vector<std::string> names;
        for (const testsupport::XlsxSheet &sheet : sheets)
            names.push_back(sheet.Name);
        ASSERT_EQ(names, Sheets);
        EXPECT_EQ(sheets[0].At("B3").Text, StatLine);
        for (size_t i = 0; i < sheets.size(); ++i) {
            const std::string row = i == 0 ? "11" : "2";
            std::vector<std::string> written, shown;
            for (int col = 0; col < Grids[i]->ColCount(); ++col) {
                written.push_back(sheets[i].At(ColumnName(col + 1) + row).Text);
                shown.push_back(Grids[i]->unmarkedCaption(col).toStdString());
            }
            EXPECT_EQ(written, shown) << Sheets[i];
        }
    }
};

TEST_F(StatDiffsDigitsTest, DifferencesShowEveryTableOfChosenDraws)
{
    OpenFrame();
    TfrmStatDiffs *window = OpenDiffs();
    ASSERT_NE(window, nullptr);
    Compute(window);
    const int draws = History().Count();

    // A column per difference occurring in some draw.
    std::set<int> occurring;
    for (int i = 0; i < draws; ++i)
        for (const auto &[diff, count] : Differences(History().GetDraw(i).Numbers))
            occurring.insert(diff);
    QStringList captions = {"Los."};
    for (int diff : occurring)
        captions << QStringLiteral("R%1").arg(diff, 2, 10, QLatin1Char('0'));
    EXPECT_EQ(Captions(*window->Diffs->sgDetails), captions);
    ASSERT_LT(int(occurring.size()), 44) << "some difference never occurs";

    // The newest draw, one with two repeated differences and one without any, table by table.
    const int twoRepeats = RowWhere([](const TDraw &D) { return RepeatPattern(Differences(D.Numbers)).size() > 1; });
    const int noRepeat = RowWhere([](const TDraw &D) { return RepeatPattern(Differences(D.Numbers)) == "0"; });
    ASSERT_GT(twoRepeats, 0);
    ASSERT_GT(noRepeat, 0);
    for (const int row : {1, twoRepeats, noRepeat}) {
        const TDraw &draw = NewestFirst(row);
        const std::map<int, int> diffs = Differences(draw.Numbers);
        QStringList bySize = {DateOf(draw)}, byPosition = {DateOf(draw)}, numbers = {DateOf(draw)};
        for (int diff : occurring)
            bySize << Count(diffs.count(diff) ? diffs.at(diff) : 0);
        for (size_t j = 0; j < draw.Numbers.size(); ++j) {
            if (j > 0)
                byPosition << Count(draw.Numbers[j] - draw.Numbers[j - 1]);
            numbers << Count(draw.Numbers[j]);
        }
        EXPECT_EQ(testsupport::GridRowTexts(*window->Diffs->sgDetails, row), bySize) << row;
        EXPECT_EQ(testsupport::GridRowTexts(*window->DiffPositions->sgDetails, row), byPosition) << row;
        EXPECT_EQ(testsupport::GridRowTexts(*window->Repeats->sgDetails, row),
                  (QStringList{DateOf(draw), RepeatPattern(diffs)}))
            << row;
        EXPECT_EQ(testsupport::GridRowTexts(*window->Positions->sgDetails, row), numbers) << row;
    }

    // The expected gaps of 6 out of 49 are all 50/7, the j-th smallest number j x 50/7.
    EXPECT_EQ(testsupport::GridColumnTexts(*window->DiffPositions->sgTotal, 4),
              QStringList(5, Real(50.0 / 7)));
    QStringList expectedNumbers;
    for (int j = 1; j <= 6; ++j)
        expectedNumbers << Real(j * 50.0 / 7);
    EXPECT_EQ(testsupport::GridColumnTexts(*window->Positions->sgTotal, 4), expectedNumbers);
}

TEST_F(StatDiffsDigitsTest, DigitsShowAColumnForEachDigitThatOccurs)
{
    OpenFrame();
    TfrmStatDigits *window = OpenDigits();
    ASSERT_NE(window, nullptr);
    window->cbDigitType->setCurrentIndex(0);
    sendCommand(window, WM_TASK_START);
    ASSERT_FALSE(window->NoResults);
    const int draws = History().Count();

    // First digits of 1..49: 0 to 4 only.
    std::set<int> occurring;
    for (int i = 0; i < draws; ++i)
        for (const auto &[digit, count] : FirstDigits(History().GetDraw(i).Numbers))
            occurring.insert(digit);
    QStringList captions = {"Los."}, groupCaptions;
    for (int digit : occurring) {
        captions << QString::number(digit);
        groupCaptions << QString::number(digit) << "Liczba los.";
    }
    EXPECT_EQ(Captions(*window->Classes->sgDetails), captions);
    EXPECT_EQ(Captions(*window->Classes->sgAggr), groupCaptions);
    ASSERT_EQ(occurring.size(), 5u);

    const int threeOfATen = RowWhere([](const TDraw &D) {
        const std::map<int, int> digits = FirstDigits(D.Numbers);
        return std::any_of(digits.begin(), digits.end(), [](const auto &Digit) { return Digit.second >= 3; });
    });
    ASSERT_GT(threeOfATen, 0);
    for (const int row : {1, threeOfATen}) {
        const TDraw &draw = NewestFirst(row);
        const std::map<int, int> digits = FirstDigits(draw.Numbers);
        QStringList cells = {DateOf(draw)};
        for (int digit : occurring)
            cells << Count(digits.count(digit) ? digits.at(digit) : 0);
        EXPECT_EQ(testsupport::GridRowTexts(*window->Classes->sgDetails, row), cells) << row;
        EXPECT_EQ(testsupport::GridRowTexts(*window->Patterns->sgDetails, row),
                  (QStringList{DateOf(draw), RepeatPattern(digits) + ' '}));
    }
    // Expected: 6 x (numbers of the digit) / 49.
    EXPECT_EQ(
        testsupport::GridColumnTexts(*window->Classes->sgTotal, 4),
        (QStringList{Real(54.0 / 49), Real(60.0 / 49), Real(60.0 / 49), Real(60.0 / 49), Real(60.0 / 49)}));

    // The last digit: every digit occurs.
    window->cbDigitType->setCurrentIndex(1);
    sendCommand(window, WM_TASK_START);
    ASSERT_EQ(window->Classes->sgDetails->ColCount(), 11);
    QStringList cells = {DateOf(NewestFirst(1))};
    for (int digit = 0; digit < 10; ++digit)
        cells << Count(std::count_if(NewestFirst(1).Numbers.begin(), NewestFirst(1).Numbers.end(),
                                     [&](int x) { return x % 10 == digit; }));
    EXPECT_EQ(testsupport::GridRowTexts(*window->Classes->sgDetails, 1), cells);
}

TEST_F(StatDiffsDigitsTest, EachTableKeepsItsOwnColumnAndChart)
{
    OpenFrame();
    TfrmStatDiffs *window = OpenDiffs();
    Compute(window);
    // A class chosen in a table sorted by draw is current again after the next computation.
    TStringAlignGrid &diffs = *window->Diffs->sgDetails;
    diffs.setCol(int(Captions(diffs).indexOf("R05")));
    Compute(window);
    EXPECT_EQ(diffs.unmarkedCaption(diffs.Col()), "R05");

    // Each class table sorted by the values of another class.
    const std::map<TClassTablePage *, int> classes = {{window->Diffs, 2}, {window->DiffPositions, 1},
                                                      {window->Positions, 3}};
    // A header click sorts on the worker.
    const auto sortBy = [&](TStringAlignGrid &Grid, int Col) {
        ClickHeader(Grid, Col);
        EXPECT_EQ(window->State, 2);
        WaitForResults(window);
    };
    for (const auto &[page, c] : classes) {
        page->sgDetails->setCol(c + 1);
        sortBy(*page->sgDetails, c + 1);
        ASSERT_TRUE(page->SortedByValue());
    }
    // Sorting one table back by draw, and computing again, leaves each on its own class.
    TStringAlignGrid &positions = *window->DiffPositions->sgDetails;
    sortBy(positions, positions.Col() - 1);
    EXPECT_FALSE(window->DiffPositions->SortedByValue());
    // The worker sorts the new tables as the header clicks sorted the shown ones.
    const auto sortedPair = [](const TClassTablePage &Page) {
        const int col = Page.sgDetails->Col();
        return testsupport::GridColumnTexts(*Page.sgDetails, col - 1) +
               testsupport::GridColumnTexts(*Page.sgDetails, col);
    };
    const QStringList diffsSorted = sortedPair(*window->Diffs), positionsSorted = sortedPair(*window->Positions);
    Compute(window);
    for (const auto &[page, c] : classes) {
        EXPECT_EQ(page->ColumnClass(page->sgDetails->Col()), c);
        EXPECT_FALSE(page->IsDrawColumn(page->sgDetails->Col()));
    }
    EXPECT_EQ(sortedPair(*window->Diffs), diffsSorted);
    EXPECT_EQ(sortedPair(*window->Positions), positionsSorted);

    // A click on the chart list's selected entry leaves the chart as it is; another entry redraws it.
    TClassTablePage &page = *window->Positions;
    window->PageControl1->setCurrentIndex(3);
    page.DetailsPage->setCurrentIndex(1);
    ProcessPosted();
    QListWidget &list = *page.lbDetChart;
    ASSERT_EQ(list.currentRow(), 0);
    ASSERT_EQ(page.StatSeries->count(), History().Count());
    page.StatSeries->clear();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(0)).center());
    EXPECT_EQ(page.StatSeries->count(), 0);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(5)).center());
    ASSERT_EQ(page.StatSeries->count(), History().Count());
    EXPECT_EQ(page.DetChart->chart()->title(), "Pozycja 6");
    // Sorted by value: the largest sixth numbers first.
    EXPECT_EQ(page.StatSeries->at(0).y(), 49);

    // A chart computed anew while its page is hidden shows the new results once the page is shown.
    window->PageControl1->setCurrentIndex(0);
    window->Range.Range.Mode = drIndexes;
    window->Range.Range.FirstIndex = 1;
    window->Range.Range.LastIndex = 40;
    window->Range.Refresh();
    Compute(window);
    window->PageControl1->setCurrentIndex(3);
    ProcessPosted();
    EXPECT_EQ(page.StatSeries->count(), 40);
    // Each computation starts the chart list at the first class.
    EXPECT_EQ(page.DetChart->chart()->title(), "Pozycja 1");
}

TEST_F(StatDiffsDigitsTest, TheDifferencesStopOrCloseWhileTheirWorkerCounts)
{
    OpenFrame();
    for (const bool closing : {false, true}) {
        SCOPED_TRACE(closing ? "closed" : "stopped");
        TfrmStatDiffs *window = OpenDiffs();
        THold hold{TStatStep::Counting};
        hold.Attach(*window->StatDiffs);
        sendCommand(window, WM_TASK_START);
        // The window answers meanwhile: the test's own events run while the worker is held.
        ASSERT_TRUE(ProcessUntil([&] { return hold.Reached.load(); }));
        EXPECT_EQ(window->State, 2);
        EXPECT_EQ(EnabledMask(), cmdRead | cmdStop);
        if (closing) {
            QPointer<TfrmStatDiffs> watched(window);
            ASSERT_TRUE(window->Close());
            EXPECT_TRUE(hold.Left);
            ProcessPosted();
            EXPECT_TRUE(watched.isNull());
            EXPECT_TRUE(frame->ChildForms().empty());
            continue;
        }
        frame->mTaskStop->trigger();
        ASSERT_TRUE(ProcessUntil([&] { return window->State != 2; }));
        // Stopped where it was held and joined, its partial tables freed.
        EXPECT_TRUE(hold.Left);
        EXPECT_EQ(hold.PollsAfter, 0);
        EXPECT_FALSE(window->WorkerRunning());
        EXPECT_EQ(window->StatDiffs->State, ssStopped);
        EXPECT_TRUE(window->StatDiffs->DiffCounts.empty());
        ProcessPosted();
        EXPECT_EQ(window->State, 1);
        EXPECT_EQ(testsupport::GridColumnTexts(*window->Positions->sgDetails, 0), QStringList{QString()});
        EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);
        // The next run shows the tables again.
        window->StatDiffs->OnPoll = nullptr;
        Compute(window);
        EXPECT_EQ(window->Positions->sgDetails->RowCount(), History().Count() + 1);
        Close(window);
    }
}

// A header click sorts a table on the worker, column by column; Stop or closing ends the sort at its
// poll, the columns after the first left as they were.
TEST_F(StatDiffsDigitsTest, StopOrClosingEndsAHeaderSortAtItsPoll)
{
    OpenFrame();
    for (const bool closing : {false, true}) {
        SCOPED_TRACE(closing ? "closed" : "stopped");
        TfrmStatDiffs *window = OpenDiffs();
        Compute(window);
        // The draws of every column but the first, which is sorted first.
        const auto laterColumns = [&] {
            std::vector<int32_t> order;
            for (const TDetRow &row : window->StatDiffs->DiffCounts)
                for (size_t col = 1; col < row.size(); ++col)
                    order.push_back(row[col].Draw);
            return order;
        };
        const std::vector<int32_t> before = laterColumns();
        ASSERT_FALSE(before.empty());
        // The third class, by value.
        ExpectHeaderSortEndsAtItsPoll(window, *window->StatDiffs, *window->Diffs->sgDetails, 3, closing);
        if (closing)
            continue;
        EXPECT_EQ(laterColumns(), before);
        Close(window);
    }
}

TEST_F(StatDiffsDigitsTest, TheDigitKindIsOneStoredByte)
{
    OpenFrame();
    TfrmStatDigits *window = OpenDigits();
    EXPECT_EQ(window->cbDigitType->currentText(), "Druga cyfra") << "no record";
    Close(window);
    EXPECT_EQ(store().value("Stats\\1\\8", "Params"), platform::RegValue(platform::Bytes{0}));

    window = OpenDigits();
    EXPECT_EQ(window->cbDigitType->currentText(), "Druga cyfra");
    window->cbDigitType->setCurrentIndex(0);
    Close(window);
    EXPECT_EQ(store().value("Stats\\1\\8", "Params"), platform::RegValue(platform::Bytes{1}));
    window = OpenDigits();
    EXPECT_EQ(window->cbDigitType->currentText(), "Pierwsza cyfra");
    Close(window);

    store().setValue("Stats\\1\\8", "Params", platform::Bytes{0});
    EXPECT_EQ(OpenDigits()->cbDigitType->currentText(), "Druga cyfra");
}

TEST_F(StatDiffsDigitsTest, TheDifferencesReportWritesItsElevenTables)
{
    OpenFrame();
    TfrmStatDiffs *window = OpenDiffs();
    ExpectReport(window,
                 {"Różnice - szczegóły", "Różnice - grupowanie", "Różnice - podsumowanie",
                  "Różnice - pozycje - szczegóły", "Różnice - pozycje - grupowanie",
                  "Różnice - pozycje - podsumowanie", "Układy różnic - szczegóły", "Układy różnic - grupowanie",
                  "Pozycje - Szczegóły", "Pozycje - grupowanie", "Pozycje - podsumowanie"},
                 {"Różnice - szczegóły", "Różnice - grupowanie", "Różnice - podsumowanie",
                  "Różnice - pozycje - szczegóły", "Różnice - pozycje - grupowanie", "Różnice-pozycje - podsumowanie",
                  "Układy różnic - szczegóły", "Układy różnic - grupowanie", "Pozycje - szczegóły",
                  "Pozycje - grupowanie", "Pozycje - podsumowanie"},
                 {window->Diffs->sgDetails, window->Diffs->sgAggr, window->Diffs->sgTotal,
                  window->DiffPositions->sgDetails, window->DiffPositions->sgAggr, window->DiffPositions->sgTotal,
                  window->Repeats->sgDetails, window->Repeats->sgAggr, window->Positions->sgDetails,
                  window->Positions->sgAggr, window->Positions->sgTotal},
                 "Statystyka : Różnice");
}

TEST_F(StatDiffsDigitsTest, TheDigitsReportWritesItsFiveTables)
{
    OpenFrame();
    const QStringList tables = {"Szczegóły", "Szczegóły - grupowanie", "Szczegóły - podsumowanie",
                                "Układy - szczegóły", "Układy - grupowanie"};
    std::vector<std::string> sheets;
    for (const QString &table : tables)
        sheets.push_back(table.toStdString());
    TfrmStatDigits *window = OpenDigits();
    ExpectReport(window, tables, sheets,
                 {window->Classes->sgDetails, window->Classes->sgAggr, window->Classes->sgTotal,
                  window->Patterns->sgDetails, window->Patterns->sgAggr},
                 "Statystyka : Cyfry");
}
