// The windows of the per-draw class tables ("Kolejne liczby", "Różne", "Przedziały liczbowe") over the
// real Lotto history and over a classic system: their cells against plain counts, the layouts of the
// shared class table, the stored parameters and the reports.
#include "controls/FloatSpin.h"
#include "core/ProgramLocale.h"
#include "engine/UDrawsDB.h"
#include "engine/USysGeneral.h"
#include "output/FSelRepItems.h"
#include "shell/FGlobalControls.h"
#include "stats/UStatSuccNums.h"
#include "statwindows/ClassTablePage.h"
#include "statwindows/FStatIntervals.h"
#include "statwindows/FStatMisc.h"
#include "statwindows/FStatSuccNums.h"
#include "statwindows/PatternTablePage.h"
#include "syswindows/FParSysShort.h"
#include "syswindows/FSysShort.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/statwindows/StatWindowTestSupport.h"
#include "tests/support/ReferenceMath.h"

#include <QChart>
#include <QChartView>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <cmath>
#include <map>
#include <numeric>

namespace {

// The run lengths of ascending numbers: how many runs of each length.
std::map<int, int> Runs(const TDynByteArr &Numbers)
{
    std::map<int, int> runs;
    int len = 1;
    for (size_t i = 1; i <= Numbers.size(); ++i) {
        if (i < Numbers.size() && Numbers[i] == Numbers[i - 1] + 1) {
            ++len;
            continue;
        }
        if (len > 1)
            ++runs[len];
        len = 1;
    }
    return runs;
}

} // namespace

class StatClassTablesTest : public StatWindowTest {
protected:
    template <typename Window>
    Window *OpenFromFrame(int MenuItem)
    {
        frame->mStat->actions().at(MenuItem)->trigger();
        return NewestChild<Window>();
    }
    TfrmStatSucc *OpenSucc() { return OpenFromFrame<TfrmStatSucc>(4); }
    TfrmStatMisc *OpenMisc() { return OpenFromFrame<TfrmStatMisc>(1); }
    TfrmStatIntervals *OpenIntervals() { return OpenFromFrame<TfrmStatIntervals>(5); }
    // The class details' chart page made current: its chart is drawn while it can be seen.
    static void ShowDetailsChart(TfrmStatClassPatterns &Window)
    {
        Window.PageControl2->setCurrentWidget(Window.Classes->DetailsPage);
        Window.Classes->DetailsPage->setCurrentIndex(1);
    }

    TfrmSysShort *ClassicSystem()
    {
        OpenSystemWindow(0);
        auto *system = NewestChild<TfrmSysShort>();
        script.onDialog([](QDialog &Dialog) {
            auto &params = dynamic_cast<TfrmParSysShort &>(Dialog);
            params.seCDraws->setText("6");
            params.seCNum->setText("12");
            params.seCComb->setText("20");
            params.btnOk->click();
        });
        sendCommand(system, WM_SYS_PARAMS);
        EXPECT_TRUE(ProcessUntil([&] { return !system->Generating(); }));
        return system;
    }
};

TEST_F(StatClassTablesTest, ConsecutiveNumbersShowEveryDrawsRunsGroupsAndPatterns)
{
    OpenFrame();
    TfrmStatSucc *window = OpenSucc();
    ASSERT_NE(window, nullptr);
    sendCommand(window, WM_TASK_START);
    ASSERT_FALSE(window->NoResults);
    const int draws = History().Count();
    ASSERT_GT(draws, 3000);

    // The run lengths found anywhere, and the plain counts of every class.
    std::map<int, std::map<int, int>> groups; // length -> runs -> draws
    std::map<std::string, int> patterns;
    std::map<int, int64_t> sums;
    for (int i = 0; i < draws; ++i) {
        const std::map<int, int> runs = Runs(History().GetDraw(i).Numbers);
        std::string pattern;
        for (const auto &[len, count] : runs)
            for (int k = 0; k < count; ++k)
                pattern += (pattern.empty() ? "" : " - ") + std::to_string(len);
        ++patterns[pattern.empty() ? "0" : pattern];
        for (const auto &[len, count] : runs)
            sums[len] += count;
    }
    std::vector<int> lengths;
    for (const auto &[len, sum] : sums)
        lengths.push_back(len);
    for (int i = 0; i < draws; ++i) {
        const std::map<int, int> runs = Runs(History().GetDraw(i).Numbers);
        for (int len : lengths)
            ++groups[len][runs.count(len) ? runs.at(len) : 0];
    }
    const int classes = int(lengths.size());
    ASSERT_GE(classes, 2);
    TStringAlignGrid &details = *window->Classes->sgDetails;
    ASSERT_EQ(details.ColCount(), classes + 1);
    ASSERT_EQ(details.RowCount(), draws + 1);

    // The newest draw, one with a run of three and one without any run, cell by cell.
    const int withThree = RowWhere([](const TDraw &D) { return Runs(D.Numbers).count(3) > 0; });
    const int withNone = RowWhere([](const TDraw &D) { return Runs(D.Numbers).empty(); });
    ASSERT_GT(withThree, 0);
    for (const int row : {1, withThree, withNone}) {
        const TDraw &draw = NewestFirst(row);
        const std::map<int, int> runs = Runs(draw.Numbers);
        QStringList expected = {DateOf(draw)};
        for (int len : lengths)
            expected << Count(runs.count(len) ? runs.at(len) : 0);
        EXPECT_EQ(testsupport::GridRowTexts(details, row), expected) << row;
        QString pattern;
        for (const auto &[len, count] : runs)
            for (int k = 0; k < count; ++k)
                pattern += (pattern.isEmpty() ? "" : " - ") + QString::number(len);
        EXPECT_EQ(testsupport::GridRowTexts(*window->Patterns->sgDetails, row),
                  (QStringList{DateOf(draw), pattern.isEmpty() ? QStringLiteral("0") : pattern}));
    }
    // Selecting a cell shows its draw's numbers.
    details.setRow(withThree);
    QString numbers;
    for (uint8_t number : NewestFirst(withThree).Numbers)
        numbers += QString::asprintf("%2d ", number);
    EXPECT_EQ(window->Classes->eSelComb->text(), numbers);

    // Grouping: per class its run counts ascending with their draws; summary per class.
    TStringAlignGrid &aggr = *window->Classes->sgAggr;
    ASSERT_EQ(aggr.ColCount(), 2 * classes);
    int64_t grand = 0;
    for (const auto &[len, sum] : sums)
        grand += sum;
    for (int c = 0; c < classes; ++c) {
        const std::map<int, int> &byRuns = groups[lengths[size_t(c)]];
        int row = 1;
        double sumSq = 0, mean = double(sums[lengths[size_t(c)]]) / draws;
        for (const auto &[runs, count] : byRuns) {
            EXPECT_EQ(testsupport::GridRowTexts(aggr, row).mid(2 * c, 2),
                      (QStringList{QString::number(runs) + ' ', QString::number(count) + ' '}));
            sumSq += count * (runs - mean) * (runs - mean);
            ++row;
        }
        EXPECT_EQ(testsupport::GridRowTexts(*window->Classes->sgTotal, c + 1),
                  (QStringList{
                      "K" + QString::number(lengths[size_t(c)]), QString::number(byRuns.begin()->first) + ' ',
                      QString::number(byRuns.rbegin()->first) + ' ', Real(mean),
                      Real(std::sqrt(sumSq / draws)), QString::number(sums[lengths[size_t(c)]]) + ' ',
                      QString::fromStdString(
                          FormatFloat("0.00", 100.0 * double(sums[lengths[size_t(c)]]) / double(grand))) +
                          "% "}));
    }
    std::map<std::string, int> shownPatterns;
    TStringAlignGrid &patternGroups = *window->Patterns->sgAggr;
    for (int row = 1; row < patternGroups.RowCount(); ++row) {
        const QStringList texts = testsupport::GridRowTexts(patternGroups, row);
        shownPatterns[texts[0].toStdString()] = texts[1].trimmed().toInt();
    }
    EXPECT_EQ(shownPatterns, patterns);
}

TEST_F(StatClassTablesTest, TheClassTableKeepsItsSortsLayoutsAndSelectedClass)
{
    OpenFrame();
    TfrmStatSucc *window = OpenSucc();
    ShowDetailsChart(*window);
    sendCommand(window, WM_TASK_START);
    TClassTablePage &page = *window->Classes;
    TStringAlignGrid &details = *page.sgDetails;
    const int classes = details.ColCount() - 1;
    ASSERT_GE(classes, 2);
    // While sorted by draw, latest first, the running mean ends at the oldest draw: its first point is
    // the mean over every draw.
    ASSERT_EQ(page.MeanSeries->count(), History().Count());
    EXPECT_TRUE(page.MeanSeries->isVisible());
    EXPECT_DOUBLE_EQ(page.MeanSeries->at(0).y(), window->StatSucc->SummaryRows[0].Mean);

    // Sorted by the second class's values: a draw and a value column per class, no fixed column; the
    // class stays selected and the running mean goes.
    details.setCol(2);
    ClickHeader(details, 2);
    ASSERT_EQ(details.ColCount(), 2 * classes);
    EXPECT_EQ(details.FixedCols(), 0);
    EXPECT_EQ(page.ColumnClass(details.Col()), 1);
    EXPECT_FALSE(page.IsDrawColumn(details.Col()));
    EXPECT_TRUE(page.IsDrawColumn(2));
    EXPECT_FALSE(page.MeanSeries->isVisible());
    const auto valuesOf = [&](int Col) {
        std::vector<int> values;
        for (const QString &text : testsupport::GridColumnTexts(details, Col))
            values.push_back(text.trimmed().toInt());
        return values;
    };
    std::vector<int> descending = valuesOf(3);
    EXPECT_TRUE(std::is_sorted(descending.rbegin(), descending.rend()));
    EXPECT_GT(descending.front(), 0);

    // A new computation keeps the user's sort.
    sendCommand(window, WM_TASK_START);
    ASSERT_EQ(details.ColCount(), 2 * classes);
    EXPECT_EQ(valuesOf(3), descending);

    // Back by draw: one draw column; the class stays selected; the running mean returns.
    ClickHeader(details, 2);
    ASSERT_EQ(details.ColCount(), classes + 1);
    EXPECT_EQ(details.FixedCols(), 1);
    EXPECT_EQ(details.Col(), 2);
    EXPECT_TRUE(page.MeanSeries->isVisible());
    EXPECT_EQ(testsupport::GridRowTexts(details, 1)[0], DateOf(NewestFirst(1)));
}

TEST_F(StatClassTablesTest, MiscellaneousPropertiesOfChosenDrawsAndTheirExpectedValues)
{
    OpenFrame();
    TfrmStatMisc *window = OpenMisc();
    ASSERT_NE(window, nullptr);
    sendCommand(window, WM_TASK_START);
    ASSERT_FALSE(window->NoResults);
    const int draws = History().Count();

    const auto even = [](uint8_t Number) { return Number % 2 == 0; };
    const int noEven = RowWhere([&](const TDraw &D) { return std::none_of(D.Numbers.begin(), D.Numbers.end(), even); });
    ASSERT_GT(noEven, 1);
    for (const int row : {1, noEven}) {
        const TDraw &draw = NewestFirst(row);
        const TDraw &previous = History().GetDraw(draws - row - 1);
        int evens = 0, primes = 0, sum = 0, tens = 0, units = 0, common = 0;
        for (uint8_t x : draw.Numbers) {
            evens += even(x);
            primes += testsupport::isPrime(x);
            sum += x;
            tens += x / 10;
            units += x % 10;
            common += int(std::count(previous.Numbers.begin(), previous.Numbers.end(), x));
        }
        EXPECT_EQ(testsupport::GridRowTexts(*window->Classes->sgDetails, row),
                  (QStringList{DateOf(draw), Count(evens), Count(6 - evens), Count(primes), Count(sum),
                               Count(tens + units), Count(tens), Count(units), Count(common),
                               Count(draw.Numbers.front()), Count(draw.Numbers.back()),
                               Count(draw.Numbers.back() - draw.Numbers.front())}))
            << row;
        EXPECT_EQ(testsupport::GridRowTexts(*window->Patterns->sgDetails, row),
                  (QStringList{DateOf(draw), QString::asprintf("%02dP - %02dN", evens, 6 - evens)}));
    }
    // The even numbers' summary: their spread, mean and the expected 6 x 24 / 49.
    int64_t evens = 0;
    int least = 6, most = 0;
    for (int i = 0; i < draws; ++i) {
        const TDynByteArr &numbers = History().GetDraw(i).Numbers;
        const int count = int(std::count_if(numbers.begin(), numbers.end(), even));
        evens += count;
        least = std::min(least, count);
        most = std::max(most, count);
    }
    const QStringList summary = testsupport::GridRowTexts(*window->Classes->sgTotal, 1);
    EXPECT_EQ(summary.mid(0, 5), (QStringList{"Parzyste", QString::number(least) + ' ', QString::number(most) + ' ',
                                              Real(double(evens) / draws), Real(6.0 * 24 / 49)}));
}

TEST_F(StatClassTablesTest, NumberRangesFromTheButtonsAndTheirExpectedCounts)
{
    OpenFrame();
    TfrmStatIntervals *window = OpenIntervals();
    ASSERT_NE(window, nullptr);
    // No stored record: one range of every number.
    EXPECT_EQ(testsupport::GridRowTexts(*window->sgIntervals, 0), QStringList{"01..49"});

    window->seBegin->SetValue(1);
    window->seWidth->SetValue(10);
    window->btnFill->click();
    EXPECT_EQ(testsupport::GridRowTexts(*window->sgIntervals, 0),
              (QStringList{"01..10", "11..20", "21..30", "31..40", "41..49"}));
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);
    sendCommand(window, WM_TASK_START);
    ASSERT_FALSE(window->NoResults);
    EXPECT_EQ(window->PageControl1->currentIndex(), 1);
    const QStringList expected = testsupport::GridColumnTexts(*window->Classes->sgTotal, 4);
    EXPECT_EQ(expected, (QStringList{Real(60.0 / 49), Real(60.0 / 49), Real(60.0 / 49), Real(60.0 / 49), Real(54.0 / 49)}));
    // The statistic keeps its rows as loaded, oldest first; the window's sort shows the newest first.
    const TDraw &newest = NewestFirst(1);
    QStringList cells = {DateOf(newest)};
    for (int range = 0; range < 5; ++range)
        cells << Count(std::count_if(newest.Numbers.begin(), newest.Numbers.end(),
                                     [&](int x) { return (x - 1) / 10 == range; }));
    EXPECT_EQ(testsupport::GridRowTexts(*window->Classes->sgDetails, 1), cells);

    // From 5 on the numbers 1..4 are in no range.
    window->seBegin->SetValue(5);
    window->btnFill->click();
    EXPECT_EQ(testsupport::GridRowTexts(*window->sgIntervals, 0),
              (QStringList{"05..14", "15..24", "25..34", "35..44", "45..49"}));
    sendCommand(window, WM_TASK_START);
    int counted = 0;
    for (const QString &text : testsupport::GridRowTexts(*window->Classes->sgDetails, 1).mid(1))
        counted += text.trimmed().toInt();
    EXPECT_EQ(counted, std::count_if(newest.Numbers.begin(), newest.Numbers.end(), [](int x) { return x >= 5; }));

    // One pressed button makes no range: Start is off, and a Start sent anyway computes nothing.
    window->btnDeselect->click();
    window->Buttons[7]->click();
    EXPECT_EQ(window->PressedCount, 1);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdReport);
    sendCommand(window, WM_TASK_START);
    EXPECT_FALSE(window->NoResults) << "the last results stay";
    EXPECT_EQ(window->Classes->sgDetails->ColCount(), 6);
    window->Buttons[49]->click();
    EXPECT_EQ(testsupport::GridRowTexts(*window->sgIntervals, 0), QStringList{"08..49"});
    EXPECT_EQ(EnabledMask(), cmdRead | cmdReport | cmdStart);

    // A game without draws: Start stays off.
    frame->cbGame->setCurrentIndex(Games.GameIndexOfId(2));
    TfrmStatIntervals *empty = OpenIntervals();
    ASSERT_TRUE(empty->Range.Empty());
    EXPECT_EQ(EnabledMask(), cmdRead);
    sendCommand(empty, WM_TASK_START);
    EXPECT_TRUE(empty->NoResults);
}

TEST_F(StatClassTablesTest, OverAClassicSystemEachWindowCountsTheSystemsRows)
{
    OpenFrame();
    TfrmSysShort *system = ClassicSystem();
    ASSERT_EQ(system->State, 0);
    std::vector<TDynByteArr> rows;
    for (int i = 0; i < system->ViewCount(); ++i) {
        const uint8_t *comb = system->System->GetComb(i, true);
        rows.emplace_back(comb, comb + 6);
    }
    const int count = int(rows.size());
    // Latest first: the last row at the top.
    const auto columnOf = [&](auto Value) {
        QStringList texts;
        for (int i = count - 1; i >= 0; --i)
            texts << Count(Value(rows[size_t(i)]));
        return texts;
    };

    sendCommand(system, WM_SYS_STATS, TfrmStatMisc::MiscStatIndex);
    auto *misc = NewestChild<TfrmStatMisc>();
    ASSERT_NE(misc, nullptr);
    sendCommand(misc, WM_TASK_START);
    EXPECT_EQ(misc->Classes->sgDetails->unmarkedCaption(0), "Nr komb.");
    EXPECT_EQ(misc->Patterns->sgDetails->unmarkedCaption(0), "Nr komb.");
    EXPECT_EQ(testsupport::GridColumnTexts(*misc->Classes->sgDetails, 4),
              columnOf([](const TDynByteArr &R) { return std::accumulate(R.begin(), R.end(), 0); }));

    sendCommand(system, WM_SYS_STATS, TfrmStatSucc::SuccStatIndex);
    auto *succ = NewestChild<TfrmStatSucc>();
    sendCommand(succ, WM_TASK_START);
    ASSERT_FALSE(succ->NoResults);
    ASSERT_EQ(succ->Classes->sgDetails->unmarkedCaption(1), "K2");
    EXPECT_EQ(testsupport::GridColumnTexts(*succ->Classes->sgDetails, 1), columnOf([](const TDynByteArr &R) {
                  const std::map<int, int> runs = Runs(R);
                  return runs.count(2) ? runs.at(2) : 0;
              }));

    sendCommand(system, WM_SYS_STATS, TfrmStatIntervals::IntervalsStatIndex);
    auto *ranges = NewestChild<TfrmStatIntervals>();
    ranges->seWidth->SetValue(25);
    ranges->btnFill->click();
    sendCommand(ranges, WM_TASK_START);
    ASSERT_FALSE(ranges->NoResults);
    // Sorted by draw the other way: the first row first.
    QStringList first;
    for (const TDynByteArr &row : rows)
        first << Count(std::count_if(row.begin(), row.end(), [](int x) { return x <= 25; }));
    ClickHeader(*ranges->Classes->sgDetails, 0);
    EXPECT_EQ(testsupport::GridColumnTexts(*ranges->Classes->sgDetails, 1), first);
}

TEST_F(StatClassTablesTest, StoredParametersAreTheRecordsBytes)
{
    OpenFrame();
    TfrmStatMisc *misc = OpenMisc();
    ASSERT_EQ(misc->Classes->lbDetChart->count(), 11);
    misc->Classes->lbDetChart->setCurrentRow(3);
    misc->Classes->lbGDetChart->setCurrentRow(10);
    ASSERT_TRUE(misc->Close());
    ProcessPosted();
    EXPECT_EQ(store().value("Stats\\1\\1", "Params"), platform::RegValue(platform::Bytes{3, 0, 0, 0, 10, 0, 0, 0}));
    // A hand-built record: 5 is taken, 11 leaves the first item; a computation keeps both.
    store().setValue("Stats\\1\\1", "Params", platform::Bytes{5, 0, 0, 0, 11, 0, 0, 0});
    misc = OpenMisc();
    ShowDetailsChart(*misc);
    sendCommand(misc, WM_TASK_START);
    EXPECT_EQ(misc->Classes->lbDetChart->currentRow(), 5);
    EXPECT_EQ(misc->Classes->lbGDetChart->currentRow(), 0);
    EXPECT_EQ(misc->Classes->DetChart->chart()->title(), "Suma 1 cyfry");
    ASSERT_TRUE(misc->Close());
    ProcessPosted();

    TfrmStatIntervals *ranges = OpenIntervals();
    ranges->seWidth->SetValue(10);
    ranges->btnFill->click();
    ASSERT_TRUE(ranges->Close());
    ProcessPosted();
    platform::Bytes expected = {1, 0, 0, 0, 10, 0, 0, 0};
    expected.resize(108, 0);
    for (int button : {0, 10, 20, 30, 40, 49})
        expected[size_t(8 + button)] = 1;
    EXPECT_EQ(store().value("Stats\\1\\6", "Params"), platform::RegValue(expected));

    platform::Bytes stored = {3, 0, 0, 0, 7, 0, 0, 0};
    stored.resize(108, 0);
    for (int button : {2, 5, 49})
        stored[size_t(8 + button)] = 1;
    store().setValue("Stats\\1\\6", "Params", stored);
    ranges = OpenIntervals();
    EXPECT_EQ(SpinValue(ranges->seBegin), 3);
    EXPECT_EQ(SpinValue(ranges->seWidth), 7);
    EXPECT_EQ(testsupport::GridRowTexts(*ranges->sgIntervals, 0), (QStringList{"03..05", "06..49"}));
}

TEST_F(StatClassTablesTest, ReportsOfferTheirTablesUnderTheirSheetNames)
{
    OpenFrame();
    struct TCase {
        TGenStatForm *Window;
        QStringList Items;
        std::vector<std::string> Sheets;
        std::string StatLine;
    };
    const QStringList common = {"Szczegóły", "Szczegóły - grupowanie", "Szczegóły - podsumowanie"};
    const std::vector<std::string> commonSheets = {"Szczegóły", "Szczegóły - grupowanie", "Szczegóły - podsumowanie"};
    TfrmStatSucc *succ = OpenSucc();
    TfrmStatMisc *misc = OpenMisc();
    TfrmStatIntervals *ranges = OpenIntervals();
    const std::vector<TCase> cases = {
        {succ, common + QStringList{"Układy - szczegóły", "Układy - grupowanie"},
         {commonSheets[0], commonSheets[1], commonSheets[2], "Układy - szczegóły", "Układy - grupowanie"},
         "Statystyka : Kolejne liczby"},
        {misc, common + QStringList{"Układy P-N - szczegóły", "Układy P-N - grupowanie"},
         {commonSheets[0], commonSheets[1], commonSheets[2], "Układy P-N", "Układy P-N - grupowanie"},
         "Statystyka : Różne"},
        {ranges, common, commonSheets, "Statystyka : Przedziały"},
    };
    for (const TCase &c : cases) {
        frame->MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(c.Window->parentWidget()));
        sendCommand(c.Window, WM_TASK_START);
        ASSERT_FALSE(c.Window->NoResults);
        script.onDialog([&](QDialog &Dialog) {
            auto &items = dynamic_cast<TfrmSelRepItems &>(Dialog);
            QStringList offered;
            for (int i = 0; i < items.CheckListBox1->count(); ++i)
                offered << items.CheckListBox1->item(i)->text();
            EXPECT_EQ(offered, c.Items);
            items.btnOK->click();
        });
        testsupport::expectReport(script);
        sendCommand(c.Window, WM_SYS_REPORT);
        // A workbook per window.
        ASSERT_EQ(script.openedDocuments().size(), size_t(&c - cases.data()) + 1);
        const std::vector<testsupport::XlsxSheet> sheets = testsupport::readXlsx(script.openedDocuments().back().toStdString());
        std::vector<std::string> names;
        for (const testsupport::XlsxSheet &sheet : sheets)
            names.push_back(sheet.Name);
        EXPECT_EQ(names, c.Sheets);
        ASSERT_FALSE(sheets.empty());
        EXPECT_EQ(sheets[0].At("B3").Text, c.StatLine);
        // The details from row 11, below the header's range lines.
        EXPECT_EQ(sheets[0].At("B11").Text, "Los.");
    }
}
