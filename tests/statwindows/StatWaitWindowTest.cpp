// "Oczekiwanie" on the user's roads over the real Lotto history: both modes against plain loops, the
// summary, the chart read whole, the memory check, Stop, its stored parameters and the draws-changed
// command.
#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "engine/UDrawsDB.h"
#include "output/FSelRepItems.h"
#include "shell/FGlobalControls.h"
#include "shell/ParamsRecord.h"
#include "statwindows/FStatWait.h"
#include "tests/fixtures/ChartTexts.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/stats/FreqTestSupport.h"
#include "tests/statwindows/StatWindowTestSupport.h"
#include "tests/support/FontScales.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>
#include <set>

class StatWaitWindowTest : public StatWindowTest {
protected:
    TfrmStatWait *OpenFromFrame()
    {
        frame->mStat->actions().at(TfrmStatWait::WaitStatIndex)->trigger();
        return NewestChild<TfrmStatWait>();
    }

    void Compute(TfrmStatWait *Window, bool Waiting, int Length, int Draws)
    {
        (Waiting ? Window->cbStat1 : Window->cbStat2)->setChecked(true);
        Window->seCombLen->SetValue(Length);
        Window->seDrawsCount->SetValue(Draws);
        sendCommand(Window, WM_TASK_START);
        WaitForResults(Window);
    }

    // The history, oldest first.
    std::vector<TDynByteArr> History() const
    {
        std::vector<TDynByteArr> draws;
        for (int i = 0; i < Lotto().DrawsMan->Count(); ++i)
            draws.push_back(Lotto().DrawsMan->GetDraw(i).Numbers);
        return draws;
    }

    static QString ValueText(int Value) { return Value < 0 ? QStringLiteral("- ") : QString::number(Value) + ' '; }

    // Min, max and mean of the values that are there.
    static QStringList Summary(const std::vector<int> &Values)
    {
        std::vector<int> there;
        std::copy_if(Values.begin(), Values.end(), std::back_inserter(there), [](int V) { return V >= 0; });
        double sum = 0;
        for (int v : there)
            sum += v;
        return {QString::number(*std::min_element(there.begin(), there.end())) + ' ',
                QString::number(*std::max_element(there.begin(), there.end())) + ' ',
                QString::fromStdString(FormatFloat("0.00", sum / double(there.size())))};
    }
};

TEST_F(StatWaitWindowTest, WaitingForEveryNumberAndNumbersInTenDrawsArePlainCounts)
{
    OpenFrame();
    TfrmStatWait *window = OpenFromFrame();
    ASSERT_NE(window, nullptr);
    Compute(window, true, 1, 1);
    ASSERT_EQ(window->State, 0);

    // From each draw on, the draws it takes until all 49 numbers have been drawn.
    const std::vector<TDynByteArr> history = History();
    const int count = int(history.size());
    std::vector<int> waits(history.size(), -1);
    for (int s = 0; s < count; ++s) {
        std::set<int> seen;
        for (int i = s; i < count && waits[size_t(s)] < 0; ++i) {
            seen.insert(history[size_t(i)].begin(), history[size_t(i)].end());
            if (seen.size() == 49)
                waits[size_t(s)] = i - s + 1;
        }
    }
    ASSERT_EQ(waits.back(), -1);
    ASSERT_EQ(window->sgDetails->RowCount(), count + 1);
    const QStringList labels = testsupport::GridColumnTexts(*window->sgDetails, 0),
                      shown = testsupport::GridColumnTexts(*window->sgDetails, 1);
    for (int row : {0, 1, 500, 2000, count - 30, count - 1}) {
        const QString date = QString::fromStdString(DateToStr(Lotto().DrawsMan->GetDraw(row).Date));
        EXPECT_EQ((QStringList{labels[row], shown[row]}), (QStringList{date, ValueText(waits[size_t(row)])})) << row;
    }
    const QStringList summary = testsupport::GridColumnTexts(*window->sgTotal, 1).mid(0, 3);
    const QStringList expected = Summary(waits);
    EXPECT_EQ(summary.mid(0, 2), expected.mid(0, 2));
    EXPECT_EQ(summary[2].trimmed(), expected[2]);
    const auto valued = std::count_if(waits.begin(), waits.end(), [](int V) { return V >= 0; });
    EXPECT_TRUE(window->Chart1->isVisible());
    EXPECT_EQ(static_cast<QLineSeries *>(window->Chart1->chart()->series().at(0))->count(), valued);

    // The three tables on sheets of their own, the details below the header's eleven lines.
    script.onDialog([](QDialog &Dialog) { dynamic_cast<TfrmSelRepItems &>(Dialog).btnOK->click(); });
    testsupport::expectReport(script);
    sendCommand(window, WM_SYS_REPORT);
    const std::vector<testsupport::XlsxSheet> sheets = testsupport::openedReport(script);
    ASSERT_EQ(sheets.size(), 3u);
    EXPECT_EQ(sheets[2].Name, "Szczegóły - podsumowanie");
    EXPECT_EQ(sheets[0].At("B10").Text, " Długość kombinacji  : 1");
    EXPECT_EQ(sheets[0].At("B11").Text, " Rodzaj statystyki   : Oczekiwanie (liczba losowań) na x% wszystkich kombinacji ");
    EXPECT_EQ(sheets[0].At("B12").Text, "  Procent kombinacji : 100,00");
    EXPECT_EQ(sheets[0].At("B14").Text, "Los.");
    EXPECT_EQ(sheets[0].At("B15").Text, labels[0].toStdString());

    // The distinct numbers of each run of ten draws; the last nine starts have no run.
    Compute(window, false, 1, 10);
    ASSERT_EQ(window->State, 0);
    std::vector<int> distinct(history.size(), -1);
    for (int s = 0; s + 10 <= count; ++s) {
        std::set<int> seen;
        for (int i = s; i < s + 10; ++i)
            seen.insert(history[size_t(i)].begin(), history[size_t(i)].end());
        distinct[size_t(s)] = int(seen.size());
    }
    const QStringList runs = testsupport::GridColumnTexts(*window->sgDetails, 1),
                      percents = testsupport::GridColumnTexts(*window->sgDetails, 2);
    for (int row : {0, 7, 1234, count - 10, count - 9, count - 1}) {
        const int value = distinct[size_t(row)];
        const QString percent = value < 0 ? QStringLiteral("- ")
                                          : QString::fromStdString(FormatFloat("0.00", value * 100.0 / 49)) + '%';
        EXPECT_EQ((QStringList{runs[row], percents[row]}), (QStringList{ValueText(value), percent})) << row;
    }
    const QStringList windowSummary = testsupport::GridColumnTexts(*window->sgTotal, 1);
    EXPECT_EQ(windowSummary.mid(0, 2), Summary(distinct).mid(0, 2));
    EXPECT_TRUE(windowSummary[2].startsWith(Summary(distinct)[2] + " (")) << windowSummary[2].toStdString();

    // Stopped half-way: idle, no results.
    window->seCombLen->SetValue(4);
    ExpectStoppedAtOnce(window, *window->sgDetails, 1);
}

// At the window's opening size, at the default font and at half as large again, the chart names its three
// lines whole and its dates lie whole in its view.
TEST_F(StatWaitWindowTest, TheChartShowsItsNamesAndDatesWholeAtTheOpeningSizeAtEitherFontSize)
{
    testsupport::ForEachFontScale([this](double) {
        OpenFrame();
        frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
        TfrmStatWait *window = OpenFromFrame();
        Compute(window, false, 1, 10);
        QCoreApplication::processEvents();
        const QStringList draws = testsupport::GridColumnTexts(*window->sgDetails, 0);
        QStringList names;
        for (const testsupport::ShownText &text : testsupport::ShownTexts(*window->Chart1))
            names << text.Text;
        for (const char *name : {"Statystyka", "Wartość oczekiwana", "Wartość średnia"})
            EXPECT_TRUE(names.contains(QString::fromUtf8(name)))
                << name << " in " << names.join('|').toStdString();
        EXPECT_GE(testsupport::ExpectShownWhole(*window->Chart1, draws), 2);
        frame.reset();
    });
}

TEST_F(StatWaitWindowTest, ALengthBeyondTheMemoryIsRefusedAndLowersItsLimit)
{
    OpenFrame();
    TfrmStatWait *window = OpenFromFrame();
    EXPECT_EQ(window->seCombLen->MaxValue(), 6);
    window->seCombLen->SetValue(3);
    freqtest::TMemoryProbe memory(1000); // not even the counters of pairs
    script.answerBox(1);
    sendCommand(window, WM_TASK_START);
    ProcessPosted();
    EXPECT_EQ(window->State, 1);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Brak pamięci dla kombinacji o takiej długości.");
    EXPECT_EQ(window->seCombLen->MaxValue(), 1);
    EXPECT_EQ(SpinValue(window->seCombLen), 1);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);
}

TEST_F(StatWaitWindowTest, ParametersAreTheNineByteRecordAndOutOfRangeValuesAreIgnored)
{
    OpenFrame();
    TfrmStatWait *window = OpenFromFrame();
    window->seCombLen->SetValue(2);
    window->cbStat2->setChecked(true);
    window->seCombPrecent->SetValue(55.5);
    window->seDrawsCount->SetValue(20);
    ASSERT_TRUE(window->Close());
    ProcessPosted();
    const platform::Bytes expected = {1, 2, 0, 0x00, 0x00, 0x5E, 0x42, 20, 0};
    EXPECT_EQ(store().value("Stats\\1\\9", "Params"), platform::RegValue(expected));

    window = OpenFromFrame();
    EXPECT_TRUE(window->cbStat2->isChecked());
    store().setValue("Stats\\1\\9", "Params", platform::Bytes{});
    ASSERT_TRUE(window->Close());
    ProcessPosted();
    EXPECT_EQ(store().value("Stats\\1\\9", "Params"), platform::RegValue(expected));

    // A length of 7, a percentage of 120 and a draws count beyond the range keep the window's values.
    const uint16_t beyond = uint16_t(Lotto().DrawsMan->Count() + 1);
    store().setValue("Stats\\1\\9", "Params",
                     platform::Bytes{1, 7, 1, 0x00, 0x00, 0xF0, 0x42, uint8_t(beyond & 0xFF), uint8_t(beyond >> 8)});
    window = OpenFromFrame();
    EXPECT_EQ(std::tuple(SpinValue(window->seCombLen), window->seCombPrecent->Value(), SpinValue(window->seDrawsCount)),
              std::tuple(1, 100.0, 1));
    EXPECT_TRUE(window->cbStat1->isChecked());
}

TEST_F(StatWaitWindowTest, NewDrawsBoundTheDrawsCountWithoutRecomputing)
{
    OpenFrame();
    TfrmStatWait *window = OpenFromFrame();
    const int count = Lotto().DrawsMan->Count();
    EXPECT_EQ(window->seDrawsCount->MaxValue(), count);
    Compute(window, false, 1, 5);
    ASSERT_EQ(window->State, 0);

    const TDateTime last = Lotto().DrawsMan->GetDraw(count - 1).Date;
    Lotto().DrawsMan->AddDraw({1, 2, 3, 4, 5, 6}, last + 3);
    sendCommand(window, WM_DRAWS_CHANGED, 0, LottoId);
    EXPECT_EQ(window->seDrawsCount->MaxValue(), count + 1);
    EXPECT_EQ(window->Range.Range.Count, uint32_t(count + 1));
    EXPECT_EQ(window->State, 0);
    EXPECT_EQ(window->sgDetails->RowCount(), count + 1) << "the results of the old range stay";
}
