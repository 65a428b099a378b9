// "Częstotliwości" on the user's roads: over the real Lotto history from the main window, over a short
// range or none, over a classic system, and its stored parameters.
#include "controls/FloatSpin.h"
#include "core/ProgramLocale.h"
#include "engine/UDrawsDB.h"
#include "engine/USysGeneral.h"
#include "output/FRowsRange.h"
#include "platform/gui/HelpWindow.h"
#include "platform/gui/hh.h"
#include "shell/FDrawsRange.h"
#include "shell/FGlobalControls.h"
#include "shell/FSelectComb.h"
#include "shell/NumberPad.h"
#include "shell/ParamsRecord.h"
#include "stats/UStatFreq.h"
#include "statwindows/FStatFreq.h"
#include "syswindows/FParSysShort.h"
#include "syswindows/FSysShort.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/statwindows/StatWindowTestSupport.h"
#include "tests/stats/FreqTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <set>
#include <thread>

namespace {

using freqtest::BruteForceCount;
using freqtest::MakeDraws;

} // namespace

class StatFreqWindowTest : public StatWindowTest {
protected:
    TfrmStatFreq *OpenFromFrame()
    {
        frame->mStat->actions().at(0)->trigger(); // "Częstotliwości"
        return NewestChild<TfrmStatFreq>();
    }

    void Compute(TfrmStatFreq *Window, int Length, int MinFreq)
    {
        Window->seCombLen->SetValue(Length);
        Window->seMinFreq->SetValue(MinFreq);
        Window->chkMaxRows->setChecked(false);
        sendCommand(Window, WM_TASK_START);
        WaitForResults(Window);
    }

    // The history's draws, newest first as the window counts them.
    TStatDraws NewestFirst() const
    {
        std::vector<TDynByteArr> numbers;
        for (int i = Lotto().DrawsMan->Count() - 1; i >= 0; --i)
            numbers.push_back(Lotto().DrawsMan->GetDraw(i).Numbers);
        return MakeDraws(numbers);
    }
};

TEST_F(StatFreqWindowTest, PairsOverTheLottoHistoryAreAPlainCount)
{
    OpenFrame();
    TfrmStatFreq *window = OpenFromFrame();
    ASSERT_NE(window, nullptr);
    Compute(window, 2, 1);
    ASSERT_EQ(window->State, 0);

    const TStatDraws draws = NewestFirst();
    const int drawCount = int(draws.size());
    ASSERT_GT(drawCount, 3000);
    const std::vector<freqtest::TExpectedRow> expected = BruteForceCount(draws, 2, 1);
    ASSERT_EQ(window->grid->RowCount(), int(expected.size()) + 1);
    const QStringList combs = testsupport::GridColumnTexts(*window->grid, 1),
                      freqs = testsupport::GridColumnTexts(*window->grid, 2),
                      parities = testsupport::GridColumnTexts(*window->grid, 3),
                      lasts = testsupport::GridColumnTexts(*window->grid, 4);
    int64_t sum = 0;
    std::vector<int> freqsDown;
    for (size_t i = 0; i < expected.size(); ++i) {
        const freqtest::TExpectedRow &row = expected[i];
        sum += row.Freq;
        freqsDown.push_back(int(row.Freq));
        const QString date = QString::fromStdString(DateToStr(Lotto().DrawsMan->GetDraw(drawCount - 1 - int(row.Last)).Date));
        ASSERT_EQ((QStringList{combs[int(i)], freqs[int(i)], parities[int(i)], lasts[int(i)]}),
                  (QStringList{CombText(row.Comb), Grouped(row.Freq), QString("-PN")[freqtest::ParityClass(row.Comb)],
                               QString::asprintf("%5d (", int(row.Last)) + date + ')'}))
            << i;
    }
    const double mean = double(sum) / double(expected.size());
    double squares = 0;
    for (const freqtest::TExpectedRow &row : expected)
        squares += (row.Freq - mean) * (row.Freq - mean);
    EXPECT_EQ(
        testsupport::GridColumnTexts(*window->sgTotal, 1),
        (QStringList{Grouped(expected.back().Freq), Grouped(expected.front().Freq), Real(mean),
                     Real(drawCount * 15.0 / 1176.0), Real(std::sqrt(squares / double(expected.size())))}));

    // By frequency, up, then down again.
    const auto freqsShown = [&] {
        std::vector<int> values;
        for (QString text : testsupport::GridColumnTexts(*window->grid, 2))
            values.push_back(text.remove(QChar(0x00A0)).trimmed().toInt());
        return values;
    };
    // The sort runs on the window's worker.
    ClickHeader(*window->grid, 2);
    EXPECT_EQ(window->State, 2);
    WaitForResults(window);
    EXPECT_EQ(window->State, 0);
    EXPECT_EQ(freqsShown(), std::vector<int>(freqsDown.rbegin(), freqsDown.rend()));
    ClickHeader(*window->grid, 2);
    WaitForResults(window);
    EXPECT_EQ(freqsShown(), freqsDown);

    // Stopped half-way: no rows, the commands of a window without results.
    ExpectStoppedAtOnce(window, *window->grid, 1);

    // Closed while computing: the worker stops first, the parameters are kept.
    sendCommand(window, WM_TASK_START);
    ASSERT_EQ(window->State, 2);
    QPointer<TfrmStatFreq> watched(window);
    ASSERT_TRUE(window->Close());
    ProcessPosted();
    EXPECT_TRUE(watched.isNull());
    EXPECT_TRUE(store().value("Stats\\1\\0", "Params").has_value());
}

TEST_F(StatFreqWindowTest, NeverDrawnNumbersAndRanges)
{
    OpenFrame();
    Lotto().DefRange.Mode = drLast;
    TfrmStatFreq *window = OpenFromFrame();
    ASSERT_EQ(window->Range.Range.Count, 1u);

    Compute(window, 1, 0);
    ASSERT_EQ(window->State, 0);
    const TDynByteArr &last = Lotto().DrawsMan->GetDraw(Lotto().DrawsMan->Count() - 1).Numbers;
    QStringList never;
    for (int number = 1; number <= 49; ++number)
        if (std::find(last.begin(), last.end(), number) == last.end())
            never << CombText({uint8_t(number)});
    EXPECT_EQ(testsupport::GridColumnTexts(*window->grid, 1), never);
    EXPECT_EQ(testsupport::GridColumnTexts(*window->grid, 4), QStringList(never.size(), QString()));
    // Neither frequency nor last occurrence sorts; the numbers do.
    ClickHeader(*window->grid, 2);
    ClickHeader(*window->grid, 4);
    EXPECT_EQ(window->State, 0);
    EXPECT_EQ(testsupport::GridColumnTexts(*window->grid, 1), never);
    ClickHeader(*window->grid, 1);
    WaitForResults(window);
    EXPECT_EQ(testsupport::GridColumnTexts(*window->grid, 1).front(), never.back());

    // A new range shows in the range line; the results stay.
    script.onDialog([](QDialog &Dialog) {
        auto &dialog = dynamic_cast<TfrmDrawsFilter &>(Dialog);
        dialog.rbFltTypeAll->setChecked(true);
        dialog.btnOK->click();
    });
    EXPECT_EQ(sendCommand(window, WM_DRAWS_RANGE), 1);
    EXPECT_EQ(window->Range.Range.Count, uint32_t(Lotto().DrawsMan->Count()));
    EXPECT_EQ(window->grid->RowCount(), never.size() + 1);

    // A game without draws (Mini Lotto): Start stays off and does nothing.
    frame->cbGame->setCurrentIndex(Games.GameIndexOfId(2));
    TfrmStatFreq *empty = OpenFromFrame();
    ASSERT_TRUE(empty->Range.Empty());
    EXPECT_EQ(EnabledMask(), cmdRead);
    sendCommand(empty, WM_TASK_START);
    ProcessPosted();
    EXPECT_EQ(empty->State, 1);
}

TEST_F(StatFreqWindowTest, F1ShowsTheWindowsOwnPage)
{
    folder->addShippedHelp();
    OpenFrame();
    TfrmStatFreq *window = OpenFromFrame();
    ASSERT_NE(window, nullptr);
    QApplication::setActiveWindow(frame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get(), testsupport::HangGuardMs));
    window->grid->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), window->grid);
    QTest::keyClick(window->grid, Qt::Key_F1);
    ASSERT_NE(platform::HtmlHelpWindow(), nullptr);
    EXPECT_EQ(platform::HtmlHelpWindow()->CurrentPage().fileName(), "czestotliwosci.html");
    platform::HtmlHelpCloseAll();
}

TEST_F(StatFreqWindowTest, OverAClassicSystemCountsItsRowsAndClosesWithIt)
{
    OpenFrame();
    OpenSystemWindow(0);
    auto *system = NewestChild<TfrmSysShort>();
    ASSERT_NE(system, nullptr);
    script.onDialog([](QDialog &Dialog) {
        auto &params = dynamic_cast<TfrmParSysShort &>(Dialog);
        params.seCDraws->setText("6");
        params.seCNum->setText("10");
        params.seCComb->setText("12");
        params.btnOk->click();
    });
    sendCommand(system, WM_SYS_PARAMS);
    ASSERT_TRUE(ProcessUntil([&] { return !system->Generating(); }));
    ASSERT_EQ(system->State, 0);

    sendCommand(system, WM_SYS_STATS, 0);
    auto *window = NewestChild<TfrmStatFreq>();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->ParentWindow, system);
    Compute(window, 1, 1);
    ASSERT_EQ(window->State, 0);

    std::vector<TDynByteArr> rows;
    for (int i = 0; i < system->ViewCount(); ++i) {
        const uint8_t *comb = system->System->GetComb(i, true);
        rows.emplace_back(comb, comb + 6);
    }
    QStringList combs, freqs;
    for (const freqtest::TExpectedRow &row : BruteForceCount(MakeDraws(rows), 1, 1)) {
        combs << CombText(row.Comb);
        freqs << Grouped(row.Freq);
    }
    EXPECT_EQ(testsupport::GridColumnTexts(*window->grid, 1), combs);
    EXPECT_EQ(testsupport::GridColumnTexts(*window->grid, 2), freqs);

    QPointer<TfrmStatFreq> watched(window);
    ASSERT_TRUE(system->Close());
    ProcessPosted();
    EXPECT_TRUE(watched.isNull());
}

TEST_F(StatFreqWindowTest, ParametersAreStoredAsTheRecordAndReadByItsRules)
{
    OpenFrame();
    TfrmStatFreq *window = OpenFromFrame();
    window->seCombLen->SetValue(2);
    window->chkAllWithAll->setChecked(true);
    window->seMinFreq->SetValue(300);
    window->seMaxRows->SetValue(70000);
    window->rbRange->setChecked(true);
    window->seFrom->SetValue(5);
    window->seTo->SetValue(40);
    window->rbSpecComb->setChecked(true);
    window->rbEvenNo->setChecked(true);
    window->chkSucc->setChecked(true);
    ASSERT_TRUE(window->Close());
    ProcessPosted();

    platform::Bytes expected = {1, 2, 1, 0x2C, 0x01, 1, 0x70, 0x11, 0x01, 0x00, 1, 5, 40, 1, 1, 1};
    expected.resize(95, 0);
    expected.push_back(2);
    expected.push_back(1);
    EXPECT_EQ(store().value("Stats\\1\\0", "Params"), platform::RegValue(expected));

    // Read back into the window: closed again, it writes the same record over a cleared one.
    window = OpenFromFrame();
    store().setValue("Stats\\1\\0", "Params", platform::Bytes{});
    ASSERT_TRUE(window->Close());
    ProcessPosted();
    EXPECT_EQ(store().value("Stats\\1\\0", "Params"), platform::RegValue(expected));

    // "To" beyond N keeps 49 and a count of 200 the one number 1; "from" above "to" comes down to it and
    // a valid stored combination is taken.
    platform::Bytes outside = expected;
    outside[12] = 60;
    outside[14] = 200;
    outside[15] = 7;
    platform::Bytes crossed = expected;
    crossed[11] = 30;
    crossed[12] = 20;
    crossed[14] = 2;
    crossed[15] = 9;
    crossed[16] = 3;
    for (const auto &[stored, shown] : {std::pair(outside, std::tuple(5, 49, QString(" 1 "))),
                                        std::pair(crossed, std::tuple(20, 20, QString(" 9  3 ")))}) {
        store().setValue("Stats\\1\\0", "Params", stored);
        window = OpenFromFrame();
        EXPECT_EQ(std::tuple(SpinValue(window->seFrom), SpinValue(window->seTo), window->txtComb->text()), shown);
        ASSERT_TRUE(window->Close());
        ProcessPosted();
    }
}

TEST_F(StatFreqWindowTest, ReportOfRowsTenToTwentyIsTakenOnTheGuiThreadAndFollowsItsHeader)
{
    OpenFrame();
    TfrmStatFreq *window = OpenFromFrame();
    Compute(window, 2, 1);
    ASSERT_EQ(window->State, 0);
    ASSERT_GT(window->grid->RowCount(), 21);
    ASSERT_EQ(window->grid->Cells(2, 0), "Częst. -");

    // The window's cell procedure reads the window: it may run on the GUI thread only.
    std::mutex threadsLock;
    std::set<std::thread::id> threads;
    const auto cellProc = window->grid->OnGetCellFormat;
    window->grid->OnGetCellFormat = [&](int Col, int Row, TCellFormat &Format) {
        {
            const std::lock_guard lock(threadsLock);
            threads.insert(std::this_thread::get_id());
        }
        cellProc(Col, Row, Format);
    };

    // The range narrowed to the last draw after the computation: the report still describes the draws
    // the tables were computed over.
    const int computed = Lotto().DrawsMan->Count();
    script.onDialog([computed](QDialog &Dialog) {
        auto &range = dynamic_cast<TfrmDrawsFilter &>(Dialog);
        range.rbFltTypePos->click();
        range.iseIndexTo->setValue(computed);
        range.iseIndexFrom->setValue(computed);
        range.btnOK->click();
    });
    ASSERT_EQ(sendCommand(window, WM_DRAWS_RANGE), 1);
    ASSERT_EQ(window->Range.Range.Count, 1u);

    script.onDialog([](QDialog &Dialog) {
        auto &rows = dynamic_cast<TfrmRowsRange &>(Dialog);
        rows.sbFrom->setText("10");
        rows.sbTo->setText("20");
        rows.btnOK->click();
    });
    testsupport::expectReport(script);
    sendCommand(window, WM_SYS_REPORT);
    const std::vector<testsupport::XlsxSheet> sheets = testsupport::openedReport(script);
    ASSERT_EQ(sheets.size(), 2u);
    const testsupport::XlsxSheet &details = sheets[0];
    EXPECT_EQ(details.Name, "Szczegóły");
    EXPECT_EQ(sheets[1].Name, "Podsumowanie");

    // Eleven header lines (no row limit, no constraint), the grid three rows below them, from row 15.
    EXPECT_EQ(details.At("B2").Text, "Gra        : " + Lotto().Info.Name);
    EXPECT_EQ(details.At("B3").Text, "Statystyka : Częstotliwości");
    EXPECT_EQ(details.At("B6").Text, " Zakres danych");
    EXPECT_EQ(details.At("B7").Text, "  Liczba losowań : " + std::to_string(computed));
    EXPECT_EQ(details.At("B8").Text, "  Okres czasu    : " + DateToStr(Lotto().DrawsMan->GetDraw(0).Date) + " - " +
                                         DateToStr(Lotto().DrawsMan->GetDraw(computed - 1).Date));
    EXPECT_EQ(details.At("B11").Text, " Długość kombinacji    : 2");
    EXPECT_EQ(details.At("B12").Text, " Min. częstotliwość    : 1");
    EXPECT_FALSE(details.At("B13").HasValue);
    window->grid->OnGetCellFormat = cellProc;
    EXPECT_EQ(threads, std::set{std::this_thread::get_id()});
    // The captions without the sort mark of the frequency column.
    const char *captions[] = {"Lp.", "Kombinacja", "Częst.", "P", "Ostatnie wystąpienie"};
    for (int col = 0; col < 5; ++col)
        EXPECT_EQ(details.At(std::string(1, char('B' + col)) + "15").Text, captions[col]);
    const auto shown = [&](int Col, int Row) {
        QString text;
        window->grid->GetCellText(Col, Row, text);
        return text.remove(QChar(0x00A0)).trimmed().toStdString();
    };
    for (int k = 0; k < 11; ++k)
        for (int col = 0; col < window->grid->ColCount(); ++col) {
            const std::string ref = std::string(1, char('B' + col)) + std::to_string(16 + k);
            std::string text = details.At(ref).Text;
            std::erase(text, ' ');
            std::string expected = shown(col, 10 + k);
            std::erase(expected, ' ');
            EXPECT_EQ(text, expected) << ref;
        }
    EXPECT_EQ(details.At("B16").Text, "10");
    EXPECT_FALSE(details.At("B27").HasValue);
    EXPECT_EQ(sheets[1].At("B3").Text, window->sgTotal->Cells(0, 1).trimmed().toStdString());
    EXPECT_EQ(sheets[1].At("C3").Text, window->sgTotal->Cells(1, 1).trimmed().toStdString());
}

TEST_F(StatFreqWindowTest, TheRequiredCombinationIsChosenInTheCombinationDialog)
{
    OpenFrame();
    TfrmStatFreq *window = OpenFromFrame();
    window->seCombLen->SetValue(2);
    window->rbSpecComb->setChecked(true);
    EnterCombination(QStringLiteral("30 17 5"), TDynByteArr{1});
    window->btnComb->click();
    EXPECT_EQ(window->ReqCount, 2);
    EXPECT_EQ(window->txtComb->text(), "17 30 ");
    script.onDialog([](QDialog &Dialog) { dynamic_cast<TfrmSelectComb &>(Dialog).btnCancel->click(); });
    window->btnComb->click();
    EXPECT_EQ(window->txtComb->text(), "17 30 ") << "cancelled";
}
