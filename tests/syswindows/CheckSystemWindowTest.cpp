#include "controls/ALProgressBar.h"
#include "controls/ALStatusBar.h"
#include "controls/RichView.h"
#include "core/ProgramLocale.h"
#include "core/ProgramParams.h"
#include "core/UGlobalThreads.h"
#include "engine/UDrawsDB.h"
#include "engine/UGameDescription.h"
#include "engine/USysShort.h"
#include "platform/Dispatcher.h"
#include "shell/FDrawsRange.h"
#include "shell/FGlobalWindows.h"
#include "shell/FSelectComb.h"
#include "syswindows/CheckCharts.h"
#include "syswindows/FCheckComb.h"
#include "syswindows/FCheckSysDetails.h"
#include "syswindows/FCheckSystem.h"
#include "syswindows/SysFormats.h"
#include "tests/fixtures/ChartTexts.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/fixtures/RichViewText.h"
#include "tests/support/FontScales.h"
#include "tests/support/HangGuard.h"
#include "tests/syswindows/SysWindowTestSupport.h"
#include "tools/LottoHistoryImport.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTabWidget>
#include <QTest>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <atomic>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <set>
#include <thread>

// Readable QStrings in failure messages.
void PrintTo(const QString &Text, std::ostream *Out)
{
    *Out << '"' << Text.toStdString() << '"';
}

namespace {

using Rows = std::vector<std::vector<int>>;

// Three weeks (from Mondays 22 and 29 January and 5 February 2024) over two months.
const std::vector<testsupport::FixtureDraw> TenDraws = {
    {EncodeDate(2024, 1, 23), {1, 2, 3, 4, 5, 6}},      {EncodeDate(2024, 1, 25), {1, 2, 3, 7, 40, 41}},
    {EncodeDate(2024, 1, 27), {10, 11, 12, 20, 21, 22}}, {EncodeDate(2024, 1, 30), {30, 31, 32, 33, 34, 35}},
    {EncodeDate(2024, 1, 31), {1, 10, 20, 30, 40, 49}},  {EncodeDate(2024, 2, 1), {1, 2, 3, 4, 5, 49}},
    {EncodeDate(2024, 2, 3), {7, 8, 9, 10, 11, 12}},     {EncodeDate(2024, 2, 6), {2, 3, 4, 5, 6, 7}},
    {EncodeDate(2024, 2, 8), {13, 14, 15, 16, 17, 18}},  {EncodeDate(2024, 2, 10), {1, 2, 40, 41, 42, 43}},
};
const Rows ThreeRows = {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 7, 8, 9}, {10, 11, 12, 13, 14, 15}};

// A 20-of-80 game whose tables stop at 10 numbers while systems go up to 12.
constexpr uint8_t WideId = 9;
const char *WideGame = "Id = 9\nName = Dwadzieścia z osiemdziesięciu\nShortName = Wide\nMaxNumber = 80\nDrawn = 20\n"
                       "BetSize = 1\nMinK = 1\nMaxK = 10\nMaxSize = 12\nHasSystems = 0\nPrizeByStake = 1\n"
                       "BasicStake = 2,50\nWinStake = 2,50\nMaxFreqLen = 4\nMinHits = 1 2 2 2 3 3 3 4 4 5 5 5\n"
                       "Prizes 1 = 2,00\nPrizes 2 = - 9,00\nPrizes 3 = - 2,00 20,00\nPrizes 4 = - 1,00 4,00 60,00\n"
                       "Prizes 5 = - - 2,00 15,00 280,00\nPrizes 6 = - - 1,00 5,00 44,00 1100,00\n"
                       "Prizes 7 = - - 0,50 2,00 13,00 150,00 4500,00\n"
                       "Prizes 8 = - - - 1,50 6,00 46,00 690,00 25000,00\n"
                       "Prizes 9 = - - - 1,00 3,00 16,00 150,00 2800,00 130000,00\n"
                       "Prizes 10 = - - - - 2,00 8,00 57,00 680,00 15000,00 820000,00\n";

// Lotto's levels 6 down to 1 of one draw, and their win, counted plainly.
struct PlainCheck {
    std::array<int64_t, 6> Hits{};
    int64_t Win = 0; // whole złoty
};

PlainCheck CountPlainly(const Rows &System, const std::vector<int> &Draw)
{
    static constexpr std::array<int64_t, 6> prizes = {2000000, 4000, 150, 24, 0, 0};
    std::array<bool, 50> drawn{};
    for (const int n : Draw)
        drawn[size_t(n)] = true;
    PlainCheck result;
    for (const auto &row : System) {
        const auto hits = std::count_if(row.begin(), row.end(), [&](int n) { return drawn[size_t(n)]; });
        if (hits > 0)
            ++result.Hits[size_t(6 - hits)];
    }
    for (size_t i = 0; i < 6; ++i)
        result.Win += result.Hits[i] * prizes[i];
    return result;
}

QString Money(int64_t Zloty)
{
    return MoneyText(Currency::fromCount(Zloty * Currency::Scale));
}

// Where a part of the sub-window's title bar lies, in the sub-window's coordinates.
QRect TitleBarPart(QMdiSubWindow &Holder, QStyle::SubControl Part)
{
    QStyleOptionTitleBar option;
    option.initFrom(&Holder);
    option.text = Holder.windowTitle();
    option.titleBarFlags = Holder.windowFlags();
    option.titleBarState = int(Holder.windowState());
    option.rect =
        QRect(0, 0, Holder.width(), Holder.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &Holder));
    return Holder.style()->subControlRect(QStyle::CC_TitleBar, &option, Part, &Holder);
}

platform::Bytes Record(uint8_t Group, uint8_t Type, uint8_t AllHits, uint8_t Chart, std::vector<uint8_t> Own,
                       uint8_t Count)
{
    platform::Bytes bytes(85, 0);
    const uint8_t head[] = {Group, Type, AllHits, Chart, Count};
    std::copy(std::begin(head), std::end(head), bytes.begin());
    std::copy(Own.begin(), Own.end(), bytes.begin() + 5);
    return bytes;
}

} // namespace

class CheckSystemTest : public SysWindowTest {
protected:
    void PrepareFolder() override
    {
        folder->writeDraws("Lotto", TenDraws);
        folder->writeFile("wide.txt", WideGame);
        ASSERT_EQ(MakeGameFile(folder->path() / "wide.txt", folder->path() / "Games" / "Wide.dat"), "");
        std::vector<int> twenty = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 60, 61, 62, 63, 64, 65, 66, 67};
        folder->writeDraws("Wide", {{EncodeDate(2024, 3, 2), twenty}});
    }


    // WM_TASK_START, then the event loop until the queued check has started and its worker has ended.
    static void Check(TfrmCheckSystem *Window)
    {
        sendCommand(Window, WM_TASK_START);
        EXPECT_TRUE(Window->CheckPending()) << "the check waits for the events before it";
        WaitUntil([Window] { return !Window->CheckPending() && !Window->Checking(); });
    }

    // The window's worker waits at its first progress report, after the first draw, until it is asked to
    // stop: Held tells when it is there, Counted how many draws it counted in the end. Both outlive the
    // windows, which go first when a test ends.
    void HoldAtFirstReport(TfrmCheckSystem *Window)
    {
        Window->Checker = [this](TCheckJob &Job, const TMyThread &Thread) {
            const TProgressProc forward = Job.Progress.OnProgress;
            Job.Progress.OnProgress = [this, &Thread, forward](int32_t Pos, int32_t Step) {
                forward(Pos, Step);
                Held = true;
                while (!Thread.GetTerminated())
                    std::this_thread::yield();
            };
            Job.Execute(Thread);
            Counted = Job.Rows.size();
        };
    }
    std::atomic<bool> Held{false};
    std::atomic<size_t> Counted{0};

    // The event loop until Done; the deadline only guards against hanging.
    static void WaitUntil(const std::function<bool()> &Done)
    {
        const QDeadlineTimer guard(testsupport::HangGuardMs);
        while (!Done() && !guard.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        ASSERT_TRUE(Done()) << "the awaited event did not come";
    }

    static QString Cell(const TfrmCheckSystem &Window, int Col, int Row)
    {
        return testsupport::GridRowTexts(*Window.Grid, Row).at(Col);
    }

    // The texts of a day row as counted plainly: date, levels 6 to 3, win; zeros empty.
    static QStringList PlainRow(const testsupport::FixtureDraw &Draw)
    {
        const PlainCheck plain = CountPlainly(ThreeRows, Draw.Numbers);
        QStringList cells = {QString::fromStdString(DateToStr(Draw.Date))};
        for (size_t i = 0; i < 4; ++i)
            cells << (plain.Hits[i] ? QString::number(plain.Hits[i]) : QString());
        cells << (plain.Win ? Money(plain.Win) : QString());
        return cells;
    }
};

TEST_F(CheckSystemTest, RangeCheckCountsEachDrawAndGroupsByWeekAndMonth)
{
    TfrmCheckSystem *window = OpenCheck(OpenRows(LottoId, 15, ThreeRows));
    window->chkShowChart->setChecked(true);

    Check(window);
    ASSERT_TRUE(window->HasResults());
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart | cmdReport);
    ASSERT_EQ(window->Grid->RowCount(), 14) << "header, blank, Razem, blank and ten draws";
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 2),
              QStringList({"Razem", "1", "2", "1", "8", Money(2008342)}));
    PlainCheck total;
    for (int i = 0; i < 10; ++i) {
        // Newest first.
        const testsupport::FixtureDraw &draw = TenDraws[size_t(9 - i)];
        EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 4 + i), PlainRow(draw)) << i;
        const PlainCheck plain = CountPlainly(ThreeRows, draw.Numbers);
        for (size_t level = 0; level < 6; ++level)
            total.Hits[level] += plain.Hits[level];
        total.Win += plain.Win;
    }
    EXPECT_EQ(total.Win, 2008342);
    EXPECT_EQ(window->Results.Totals.Hits, TDynInt64Arr(total.Hits.begin(), total.Hits.end()));
    EXPECT_EQ(window->txtSystemCost->text(), Money(9));
    EXPECT_EQ(window->txtTotalCost->text(), Money(90));
    EXPECT_EQ(window->txtWin->text(), Money(2008342));
    EXPECT_EQ(window->txtProfit->text(), Money(2008252));
    EXPECT_EQ(window->txtAvgProfit->text(), MoneyText(Currency::fromCount(2008252 * Currency::Scale / 10)));

    // One line per level in the hits chart; the wins of every draw.
    const QList<QAbstractSeries *> lines = window->pcChart->Chart1->chart()->series();
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(static_cast<QLineSeries *>(lines[5])->at(5).y(), 3) << "the three single hits of 31 January";
    // The value axis spans the levels ticked (the winning 6 to 3), not the hidden 2 and 1.
    const auto highest = [&lines](int From, int To) {
        double most = 0;
        for (int i = From; i <= To; ++i)
            for (const QPointF &point : static_cast<QLineSeries *>(lines[i])->points())
                most = std::max(most, point.y());
        return most;
    };
    const auto axisTop = [window] {
        return static_cast<QValueAxis *>(window->pcChart->Chart1->chart()->axes(Qt::Vertical).front())->max();
    };
    ASSERT_LT(highest(0, 3), highest(4, 5));
    EXPECT_GE(axisTop(), highest(0, 3));
    EXPECT_LT(axisTop(), highest(4, 5));
    window->pcChart->btnSelAll->click();
    EXPECT_GE(axisTop(), highest(4, 5));
    auto *wins = static_cast<QLineSeries *>(window->pcChart->Chart2->chart()->series().at(0));
    ASSERT_EQ(wins->count(), 10);
    EXPECT_EQ(wins->at(0).y(), 0);
    EXPECT_EQ(wins->at(9).y(), 2000024);

    window->rbWeek->setChecked(true);
    ASSERT_EQ(window->Grid->RowCount(), 7);
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 4),
              QStringList({"05.02.2024", "", "1", "", "2", Money(4024 + 24)}));
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 5),
              QStringList({"29.01.2024", "", "1", "", "3", Money(4024 + 48)}));
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 6),
              QStringList({"22.01.2024", "1", "", "1", "3", Money(2000024 + 174 + 24)}));
    EXPECT_EQ(window->txtAvgProfit->text(), MoneyText(Currency::fromCount(2008252 * Currency::Scale) / 3));

    window->rbMonth->setChecked(true);
    ASSERT_EQ(window->Grid->RowCount(), 6);
    EXPECT_EQ(Cell(*window, 0, 4), "02/2024");
    EXPECT_EQ(Cell(*window, 0, 5), "01/2024");
    EXPECT_EQ(window->txtAvgProfit->text(), Money(1004126)) << "the profit over the two months shown";
    EXPECT_EQ(static_cast<QLineSeries *>(window->pcChart->Chart2->chart()->series().at(0))->count(), 2);
}

// The dates under both result charts lie whole in their views at the window's opening size, at the default
// font and at half as large again.
TEST_F(CheckSystemTest, TheChartsDatesLieWholeInTheirViewsAtTheOpeningSizeAtEitherFontSize)
{
    frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    QStringList dates;
    for (const testsupport::FixtureDraw &draw : TenDraws)
        dates << QString::fromStdString(DateToStr(draw.Date));
    testsupport::ForEachFontScale([&](double) {
        TfrmCheckSystem *window = OpenCheck(OpenRows(LottoId, 15, ThreeRows));
        window->chkShowChart->setChecked(true);
        Check(window);
        window->PageControl1->setCurrentWidget(window->tsChart);
        for (QChartView *view : {window->pcChart->Chart1, window->pcChart->Chart2}) {
            window->pcChart->setCurrentWidget(view->parentWidget());
            QCoreApplication::processEvents();
            EXPECT_GE(testsupport::ExpectShownWhole(*view, dates), 2);
        }
        frame->MdiArea->closeAllSubWindows();
    });
}

TEST_F(CheckSystemTest, ACheckThatOutrunsTheGuiThreadLeavesItOnlyTheLatestProgress)
{
    TfrmCheckSystem *window = OpenCheck(OpenRows(LottoId, 15, ThreeRows));
    // What the worker hands the GUI thread waits in a queue until the test drains it.
    const auto queue = std::make_shared<platform::QueueDispatcher>();
    const std::shared_ptr<platform::Dispatcher> gui = platform::installDispatcher(queue);
    std::atomic<bool> counted{false};
    window->Checker = [&counted](TCheckJob &Job, const TMyThread &Thread) {
        Job.Execute(Thread);
        counted = true;
    };
    window->pCheckClick();
    WaitUntil([&counted] { return counted.load(); });
    EXPECT_LE(queue->pending(), 2u) << "ten draws reported: the last report waits, and at most the end";
    platform::installDispatcher(gui);
    WaitUntil([&] {
        queue->drain();
        return window->HasResults();
    });
}

TEST_F(CheckSystemTest, AWinBeyondTheRangeOfMoneyIsToldAsSuchAndTheRestOfTheCheckStands)
{
    // The largest prize the options take for a six: with the three hits of another row on the same
    // draw, the draw's win and every total leave the range of money.
    Games.GameById(LottoId)->Info.Prizes[5][5] = Currency::fromCount(9223372036854775800);
    TfrmCheckSystem *window = OpenCheck(OpenRows(LottoId, 15, ThreeRows));
    window->chkShowChart->setChecked(true);
    Check(window);
    ASSERT_TRUE(window->HasResults());
    EXPECT_TRUE(script.boxes().empty());
    const QString beyond = QStringLiteral("poza zakresem");
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 2),
              QStringList({"Razem", "1", "2", "1", "8", beyond}));
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 4 + i), PlainRow(TenDraws[size_t(9 - i)])) << i;
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 13),
              QStringList({"23.01.2024", "1", "", "", "1", beyond}));
    EXPECT_EQ(window->txtTotalCost->text(), Money(90));
    for (const QLineEdit *field : {window->txtWin, window->txtProfit, window->txtAvgProfit})
        EXPECT_EQ(field->text(), beyond);
    EXPECT_EQ(static_cast<QLineSeries *>(window->pcChart->Chart2->chart()->series().at(0))->count(), 9);

    // Larger wins first: the one beyond the range leads; its week's sum is beyond it too.
    TSortCol byWin{1, ckWin};
    window->Grid->OnSortColumn(window->Grid, window->Grid->ColCount() - 1, byWin);
    EXPECT_EQ(Cell(*window, 0, 4), "23.01.2024");
    window->rbWeek->setChecked(true);
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 4),
              QStringList({"22.01.2024", "1", "", "1", "3", beyond}));
    EXPECT_EQ(Cell(*window, 5, 5), Money(4024 + 48));
}

TEST_F(CheckSystemTest, ADownloadsNoticeRefreshesTheRangeLineAndTheCaptionFollowsTheSystem)
{
    TGenSysForm *owner = OpenRows(LottoId, 15, ThreeRows);
    TfrmCheckSystem *window = OpenCheck(owner);
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("Sprawdzenie systemu: Skrócony - klasyczny 6/15/3")));
    Check(window);
    ASSERT_TRUE(window->HasResults());

    // A download merged one more draw into the history and posted its notice.
    Games.GameById(LottoId)->DrawsMan->AddDraw({5, 6, 7, 8, 9, 10}, EncodeDate(2024, 2, 13));
    BroadcastToChildren(WM_DRAWS_DOWNLOADED, 2, 0, true);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(window->HasResults()) << "another game's draws";
    BroadcastToChildren(WM_DRAWS_DOWNLOADED, LottoId, 0, true);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(testsupport::ViewText(*window->txtDateDesc), "Liczba losowań: 11;   Okres: 23.01.2024 - 13.02.2024;   ");
    EXPECT_EQ(window->eLastDate->text(), "13.02.2024");
    EXPECT_FALSE(window->HasResults()) << "the results counted ten draws";

    // The owner takes a system of four rows: the check window names it.
    TGameData *lotto = Games.GameById(LottoId);
    auto system = std::make_unique<TSysShort>(lotto);
    system->SetParams(15, 6, 4);
    for (const auto &row : {ThreeRows[0], ThreeRows[1], ThreeRows[2], std::vector<int>{4, 5, 6, 7, 8, 9}}) {
        const std::vector<uint8_t> numbers(row.begin(), row.end());
        system->AddComb(numbers.data());
    }
    owner->OpenSystem(lotto, std::move(system));
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("Sprawdzenie systemu: Skrócony - klasyczny 6/15/4")));
}

TEST_F(CheckSystemTest, TheChartsOfACheckGoWithTheSystemItChecked)
{
    TGenSysForm *owner = OpenRows(LottoId, 15, ThreeRows);
    TfrmCheckSystem *window = OpenCheck(owner);
    window->chkShowChart->setChecked(true);
    Check(window);
    ASSERT_FALSE(window->pcChart->isHidden());

    // The owner generates a system of four rows: nothing of the three rows' check is charted.
    GenerateIn(owner, 15, 6, 4);
    ASSERT_EQ(owner->ViewCount(), 4);
    EXPECT_FALSE(window->HasResults());
    EXPECT_TRUE(window->pcChart->isHidden());

    // Its own check charts the four rows' hits.
    Check(window);
    ASSERT_FALSE(window->pcChart->isHidden());
    int64_t charted = 0, counted = 0;
    for (QAbstractSeries *line : window->pcChart->Chart1->chart()->series())
        for (const QPointF &point : static_cast<QLineSeries *>(line)->points())
            charted += int64_t(point.y());
    for (const int64_t hits : window->Results.Totals.Hits)
        counted += hits;
    EXPECT_EQ(charted, counted);
}

TEST_F(CheckSystemTest, ASystemGeneratedPastTheRowLimitOfACheckIsNotCheckedAndTheWindowSaysWhy)
{
    TGenSysForm *owner = OpenRows(LottoId, 15, ThreeRows);
    TfrmCheckSystem *window = OpenCheck(owner);
    Check(window);
    ASSERT_TRUE(window->HasResults());

    // The owner generates a system of more rows than a check takes.
    const QScopedValueRollback<int32_t> limit(Limits.MaxCombOutput, 3);
    GenerateIn(owner, 15, 6, 4);
    ASSERT_EQ(owner->ViewCount(), 4);
    EXPECT_FALSE(window->HasResults());
    Activate(window);
    script.answerBox(platform::IDOK);
    sendCommand(window, WM_TASK_START);
    WaitUntil([window] { return !window->CheckPending(); });
    EXPECT_FALSE(window->Checking());
    EXPECT_FALSE(window->HasResults());
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 1), QStringList(window->Grid->ColCount(), QString()));
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Nie można sprawdzić systemu, który ma więcej niż 3 kombinacji.");

    // As many rows as the limit are checked.
    Limits.MaxCombOutput = 4;
    Check(window);
    EXPECT_TRUE(window->HasResults());
}

TEST_F(CheckSystemTest, OneClickOnTheCloseButtonOfTheTitleBarClosesTheWindowWhileItChecks)
{
    TGenSysForm *owner = OpenRows(LottoId, 15, ThreeRows);
    TfrmCheckSystem *window = OpenCheck(owner);
    HoldAtFirstReport(window);
    sendCommand(window, WM_TASK_START);
    WaitUntil([this] { return Held.load(); });

    // The pointer rests on the title, then comes to the close button in one move, as an event loop busy
    // with the check's reports hands the way over.
    const QPointer<QMdiSubWindow> holder = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    ASSERT_TRUE(holder);
    QTest::mouseMove(holder, TitleBarPart(*holder, QStyle::SC_TitleBarLabel).center());
    const QPoint close = TitleBarPart(*holder, QStyle::SC_TitleBarCloseButton).center();
    QTest::mouseMove(holder, close);
    QTest::mouseClick(holder, Qt::LeftButton, {}, close);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(holder.isNull());
    EXPECT_EQ(Counted, 1u) << "the closing window stopped and joined its worker";
    EXPECT_EQ(owner->CountChildWindows(cwCheckSystem, 0), 0);
}

TEST_F(CheckSystemTest, SortingBreaksTiesByTheLaterDateAndAChangedRangeWaitsForTheNextCheck)
{
    TfrmCheckSystem *window = OpenCheck(OpenRows(LottoId, 15, ThreeRows));
    Check(window);
    const auto sortedDates = [window](int Col, TSortCol Entry) {
        window->Grid->OnSortColumn(window->Grid, Col, Entry);
        QStringList dates;
        for (int row = 4; row < window->Grid->RowCount(); ++row)
            dates << Cell(*window, 0, row);
        return dates;
    };
    EXPECT_EQ(sortedDates(window->Grid->ColCount() - 1, {1, ckWin}), QStringList({"23.01.2024", "06.02.2024", "01.02.2024", "25.01.2024", "03.02.2024", "08.02.2024",
                                  "27.01.2024", "10.02.2024", "31.01.2024", "30.01.2024"}));
    // Hit vectors ascending from the top level: no hits at all first, the draw with a six last.
    EXPECT_EQ(sortedDates(1, {-1, ckHits}), QStringList({"30.01.2024", "31.01.2024", "10.02.2024", "08.02.2024", "27.01.2024", "03.02.2024",
                                  "25.01.2024", "06.02.2024", "01.02.2024", "23.01.2024"}));

    // A new check keeps the stored order.
    Check(window);
    EXPECT_EQ(Cell(*window, 0, 4), "30.01.2024");

    // Changing the range alone keeps the results until the next check.
    script.onDialog([](QDialog &Dialog) {
        auto &dialog = dynamic_cast<TfrmDrawsFilter &>(Dialog);
        dialog.rbFltTypeLast->setChecked(true);
        dialog.btnOK->click();
    });
    EXPECT_EQ(sendCommand(window, WM_DRAWS_RANGE), 1);
    EXPECT_EQ(window->Range.Range.Count, 1u);
    EXPECT_EQ(window->Grid->RowCount(), 14);
    EXPECT_TRUE(window->HasResults());
    // Every draw marked, as another reader may have left them: the check's own range is the last draw.
    TDrawsManager &history = *Games.GameById(LottoId)->DrawsMan;
    TDrawsRange every = window->Range.Range;
    every.Mode = drAll;
    history.SetRange(every);
    const auto marks = [&history] {
        std::vector<int32_t> result;
        for (int i = 0; i < history.Count(); ++i)
            result.push_back(history.GetDraw(i).Mark);
        return result;
    };
    const std::vector<int32_t> before = marks();
    Check(window);
    EXPECT_EQ(marks(), before) << "the check leaves the history's marks alone";
    EXPECT_EQ(window->Grid->RowCount(), 5);
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 4), PlainRow(TenDraws.back()));
    EXPECT_EQ(window->txtTotalCost->text(), Money(9));
}

TEST_F(CheckSystemTest, RowsAboveTheTopLevelCountAtIt)
{
    // Twelve-number rows on a game whose prize tables stop at ten: 12 and 10 of the drawn twenty.
    TfrmCheckSystem *window = OpenCheck(OpenRows(WideId, 14, {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
                                                             {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14},
                                                             {1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 14, 15}}));
    window->rbLastDraw->setChecked(true);
    window->chkShowAllHits->click();
    Check(window);
    ASSERT_EQ(window->Grid->ColCount(), 12) << "Los., '10' down to '1', Wygrana";
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 1).mid(0, 3), QStringList({"1", "2", "1"}));
    // Two tens and a nine at 2,50 a unit: 2 x 820 000 + 15 000.
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 1).last(), Money((2 * 820000 + 15000) * 5 / 2));
    // The details count each row where the check does.
    script.onDialog([window](QDialog &Dialog) {
        auto &details = dynamic_cast<TfrmCheckSysDetails &>(Dialog);
        EXPECT_EQ(details.Rows.front().Hits.front(), 1) << "twelve hits at '10'";
        EXPECT_EQ(details.Totals.Hits, window->Results.Totals.Hits);
        EXPECT_EQ(details.Totals.Win, window->Results.Totals.Win);
    });
    window->btnDetails->click();

    // So does the combination check: all twelve drawn count at '10'.
    frame->mToolCheckComb->trigger();
    auto *comb = qobject_cast<TfrmCheckComb *>(frame->ChildForms().back());
    ASSERT_NE(comb, nullptr);
    TGameData *wide = Games.GameById(WideId);
    comb->SetComb(wide, wide->DefRange, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    ASSERT_TRUE(comb->HasResults());
    EXPECT_EQ(testsupport::GridRowTexts(*comb->Grid1, 5),
              QStringList({"02.03.2024", "1", "", "", "", "", "", "1", Money(820000 * 5 / 2)}));
}

TEST_F(CheckSystemTest, MultiBetRowsCountAsTheirSimpleBets)
{
    TGameData *lotto = Games.GameById(LottoId);
    auto system = std::make_unique<TSysShort>(lotto);
    system->SetParams(8, 7, 2);
    const std::vector<uint8_t> seven = {1, 2, 3, 4, 5, 6, 7};
    const std::vector<uint8_t> other = {1, 2, 3, 10, 11, 12, 13};
    system->AddComb(seven.data());
    system->AddComb(other.data());
    TSystemCheck check;
    check.Reset(lotto->Info, 13, 7);
    TCheckJob job(check, *system, {});
    const std::vector<uint8_t> drawn = {1, 2, 3, 4, 5, 6};
    const TCheckRow row = job.Check(MaskOf(drawn.data(), 6));
    // Of the seven bets of six numbers in {1..7}: one six and six fives; of those in the other row,
    // the four bets that hold 1, 2 and 3 have three hits.
    EXPECT_EQ(row.Hits, TDynInt64Arr({1, 6, 0, 4, 0, 0}));
    EXPECT_EQ(row.Win, Currency::fromCount((2000000 + 6 * 4000 + 4 * 24) * Currency::Scale));
}

TEST_F(CheckSystemTest, ParamsRecordIsWrittenAsBuiltAndOnlyUsableOwnNumbersAreTaken)
{
    store().setValue("Tools\\1\\1", "Params", Record(7, 9, 1, 1, {5, 7, 9}, 3));
    TGenSysForm *system = OpenRows(LottoId, 15, ThreeRows);
    TfrmCheckSystem *window = OpenCheck(system);
    EXPECT_TRUE(window->rbRange->isChecked()) << "an unknown check type";
    EXPECT_TRUE(window->rbDay->isChecked()) << "an unknown grouping";
    EXPECT_TRUE(window->chkShowAllHits->isChecked());
    EXPECT_TRUE(window->chkShowChart->isChecked());
    EXPECT_EQ(window->Grid->ColCount(), 8);
    EXPECT_EQ(window->eNumbers->text(), "  5  7  9");
    window->rbMonth->setChecked(true);
    window->rbLastDraw->setChecked(true);
    window->chkShowChart->setChecked(false);
    window->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(system->CountChildWindows(cwCheckSystem, 0), 0);
    EXPECT_EQ(store().value("Tools\\1\\1", "Params"), platform::RegValue(Record(2, 1, 1, 0, {5, 7, 9}, 3)));

    const std::vector<platform::Bytes> refused = {
        Record(0, 2, 0, 0, {5, 7, 9}, 200), Record(0, 2, 0, 0, {0, 7, 9}, 3), Record(0, 2, 0, 0, {5, 7, 7}, 3),
        Record(0, 2, 0, 0, {9, 7, 5}, 3),   Record(0, 2, 0, 0, {5, 7, 50}, 3), Record(0, 2, 0, 0, {1, 2, 3, 4, 5, 6, 7}, 7)};
    for (const platform::Bytes &bytes : refused) {
        store().setValue("Tools\\1\\1", "Params", bytes);
        TfrmCheckSystem *another = OpenCheck(system);
        EXPECT_TRUE(another->OwnNumbers.empty());
        EXPECT_EQ(another->eNumbers->text(), "");
        script.onDialog([](QDialog &Dialog) { dynamic_cast<TfrmSelectComb &>(Dialog).btnCancel->click(); });
        Check(another);
        EXPECT_FALSE(another->HasResults()) << "no own numbers, no check";
        another->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Closing the system window closes its check window.
    OpenCheck(system);
    const size_t before = frame->ChildForms().size();
    system->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame->ChildForms().size(), before - 2);
}

TEST_F(CheckSystemTest, OwnNumbersComeFromTheEntryDialogKeepTheirResultsAndTheReportHoldsTheCheck)
{
    store().setValue("Tools\\1\\1", "Params", Record(0, 2, 0, 0, {}, 0));
    TfrmCheckSystem *window = OpenCheck(OpenRows(LottoId, 15, ThreeRows));
    ASSERT_TRUE(window->rbNumbers->isChecked());
    // Asked for when the check starts without them; cancelled, nothing is checked.
    script.onDialog([](QDialog &Dialog) { dynamic_cast<TfrmSelectComb &>(Dialog).btnCancel->click(); });
    Check(window);
    EXPECT_FALSE(window->HasResults());
    script.onDialog([](QDialog &Dialog) {
        auto &select = dynamic_cast<TfrmSelectComb &>(Dialog);
        EXPECT_EQ(select.MaxLen, 6);
        EXPECT_EQ(select.MaxNumber, 49);
        select.eInput->setPlainText(QStringLiteral("15 3 1 14 2"));
        select.btnReadNums->click();
        select.btnOK->click();
    });
    Check(window);
    ASSERT_TRUE(window->HasResults());
    EXPECT_EQ(window->eNumbers->text(), "  1  2  3  14  15");
    // Three hits of the first two rows, two of the third.
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 1), QStringList({"0", "0", "0", "2", Money(48)}));
    EXPECT_EQ(window->txtTotalCost->text(), Money(9));
    EXPECT_EQ(window->txtProfit->text(), Money(39));
    EXPECT_EQ(window->txtAvgProfit->text(), "");

    testsupport::expectReport(script);
    sendCommand(window, WM_SYS_REPORT);
    const std::vector<testsupport::XlsxSheet> sheets = testsupport::openedReport(script);
    ASSERT_EQ(sheets.size(), 1u);
    const testsupport::XlsxSheet &sheet = sheets[0];
    const std::vector<std::string> header = {
        "Gra       : Lotto 6 z 49", "Narzędzie : Sprawdzenie systemu", " ", "Parametry", " Zakres danych",
        "  Liczba losowań : 10", "  Okres czasu    : 23.01.2024 - 10.02.2024", "  Ograniczenia   : brak", " ",
        " Rodzaj sprawdzenia  : Własne liczby", "  Kombinacja         :  1  2  3 14 15"};
    for (size_t i = 0; i < header.size(); ++i)
        EXPECT_EQ(sheet.At("B" + std::to_string(i + 2)).Text, header[i]) << i;
    EXPECT_FALSE(sheet.At("B13").HasValue);
    EXPECT_EQ(sheet.At("E16").Text, "2");
    EXPECT_EQ(sheet.At("F16").Text, Money(48).toStdString());

    // The history changes: own numbers do not depend on it.
    TGameData *lotto = Games.GameById(LottoId);
    ASSERT_NE(lotto->DrawsMan->AddDraw({5, 6, 7, 8, 9, 10}, EncodeDate(2024, 2, 13)), -1);
    sendCommand(window, WM_DRAWS_CHANGED, 0, LottoId);
    EXPECT_EQ(window->eLastDate->text(), "13.02.2024");
    EXPECT_TRUE(window->HasResults());
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 1).last(), Money(48));

    window->rbLastDraw->setChecked(true);
    Check(window);
    ASSERT_EQ(window->Grid->RowCount(), 2);
    // 5 6 7 8 9 10: two hits of the first row, three of the second, one of the third.
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 1),
              QStringList({"11", "0", "0", "0", "1", Money(24)}));
    sendCommand(window, WM_DRAWS_CHANGED, 0, 2);
    EXPECT_TRUE(window->HasResults()) << "another game's draws";
    sendCommand(window, WM_DRAWS_CHANGED, 0, LottoId);
    EXPECT_FALSE(window->HasResults());
    EXPECT_EQ(window->Grid->RowCount(), 2);
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 1), QStringList(6, QString()));
    EXPECT_EQ(window->txtWin->text(), "");
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);
}

// The shipped Lotto history (3,545 draws) and a system of 30,000 distinct rows of 6 of 49.
class CheckSystemHistoryTest : public CheckSystemTest {
protected:
    void PrepareFolder() override
    {
        MakeLottoDraws(std::string(KORVANTILE_SHARED_DATA) + "/lotto-6z49-history.txt",
                       (folder->path() / "Draws" / "LottoDraws").string());
    }

    static Rows ManyRows()
    {
        std::mt19937 random(2024);
        std::uniform_int_distribution<int> number(1, 49);
        std::set<std::vector<int>> seen;
        Rows rows;
        while (rows.size() < 30000) {
            std::set<int> row;
            while (row.size() < 6)
                row.insert(number(random));
            std::vector<int> sorted(row.begin(), row.end());
            if (seen.insert(sorted).second)
                rows.push_back(std::move(sorted));
        }
        return rows;
    }
};

TEST_F(CheckSystemHistoryTest, ThirtyThousandRowsOverTheHistoryCountAsAPlainRecountOnTheWorker)
{
    const Rows rows = ManyRows();
    TfrmCheckSystem *window = OpenCheck(OpenRows(LottoId, 49, rows));
    std::thread::id counter;
    window->Checker = [&counter](TCheckJob &Job, const TMyThread &Thread) {
        counter = std::this_thread::get_id();
        Job.Execute(Thread);
    };
    Check(window);
    ASSERT_TRUE(window->HasResults());
    EXPECT_NE(counter, std::thread::id());
    EXPECT_NE(counter, std::this_thread::get_id()) << "counted on the worker";

    const TDrawsManager &history = *Games.GameById(LottoId)->DrawsMan;
    ASSERT_EQ(history.Count(), 3545);
    ASSERT_EQ(window->Results.DrawResults.size(), 3545u);
    PlainCheck total;
    for (int i = 0; i < history.Count(); ++i) {
        // Newest first.
        const TDraw &draw = history.GetDraw(history.Count() - 1 - i);
        const PlainCheck plain = CountPlainly(rows, std::vector<int>(draw.Numbers.begin(), draw.Numbers.end()));
        const TCheckRow &row = window->Results.DrawResults[size_t(i)];
        ASSERT_EQ(row.Date, draw.Date) << i;
        ASSERT_EQ(row.Hits, TDynInt64Arr(plain.Hits.begin(), plain.Hits.end())) << i;
        ASSERT_EQ(row.Win, Currency::fromCount(plain.Win * Currency::Scale)) << i;
        for (size_t level = 0; level < 6; ++level)
            total.Hits[level] += plain.Hits[level];
        total.Win += plain.Win;
    }
    EXPECT_EQ(window->Results.Totals.Hits, TDynInt64Arr(total.Hits.begin(), total.Hits.end()));
    QStringList totals = {"Razem"};
    for (size_t level = 0; level < 4; ++level)
        totals << CountText(total.Hits[level]);
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 2), totals << Money(total.Win));
    EXPECT_EQ(window->Grid->RowCount(), 3545 + 4);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart | cmdReport);
}

TEST_F(CheckSystemHistoryTest, StopOrClosingDuringACheckEndsItWithNothingShown)
{
    TGenSysForm *owner = OpenRows(LottoId, 49, ManyRows());
    TfrmCheckSystem *window = OpenCheck(owner);
    HoldAtFirstReport(window);

    sendCommand(window, WM_TASK_START);
    WaitUntil([this] { return Held.load(); });
    EXPECT_TRUE(window->Checking());
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStop);
    EXPECT_EQ(frame->ALStatusBar1->Panels[1].Text, "Sprawdzanie systemu...");
    frame->mTaskStop->trigger();
    WaitUntil([window] { return !window->Checking(); });
    EXPECT_EQ(Counted, 1u) << "Stop joined the worker, which counted no draw after it";
    // What the worker reported before the stop is not shown.
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->HasResults());
    EXPECT_EQ(window->Grid->RowCount(), 2);
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid, 1), QStringList(window->Grid->ColCount(), QString()));
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);
    EXPECT_EQ(frame->ALProgressBar1->Position(), 0);
    EXPECT_EQ(frame->lblProg->text(), "");
    EXPECT_EQ(frame->ALStatusBar1->Panels[1].Text, "");
    EXPECT_TRUE(script.boxes().empty()) << "a stop is not a failure";

    Held = false;
    sendCommand(window, WM_TASK_START);
    WaitUntil([this] { return Held.load(); });
    EXPECT_TRUE(window->Close());
    EXPECT_FALSE(window->Checking()) << "the closing window joins its worker";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(owner->CountChildWindows(cwCheckSystem, 0), 0);
    EXPECT_EQ(frame->lblProg->text(), "");
    EXPECT_EQ(frame->ALStatusBar1->Panels[1].Text, "") << "the check that wrote it is gone";
}
