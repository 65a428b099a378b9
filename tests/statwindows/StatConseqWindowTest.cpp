// "Następstwa" on the user's roads over the real Lotto history: successors and predecessors against
// plain loops, the analysed draws, the combination properties, its stored parameters and its range.
#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "engine/UDrawsDB.h"
#include "shell/FDrawsRange.h"
#include "shell/FGlobalControls.h"
#include "shell/NumberPad.h"
#include "shell/ParamsRecord.h"
#include "stats/UStatFreq.h"
#include "statwindows/FCombProp.h"
#include "statwindows/FStatConseq.h"
#include "tests/statwindows/StatWindowTestSupport.h"
#include "tests/stats/FreqTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <array>
#include <numeric>

namespace {

bool Holds(const TDynByteArr &Draw, const TDynByteArr &Comb)
{
    return std::all_of(Comb.begin(), Comb.end(),
                       [&](uint8_t n) { return std::find(Draw.begin(), Draw.end(), n) != Draw.end(); });
}

} // namespace

class StatConseqWindowTest : public StatWindowTest {
protected:
    TfrmStatConseq *OpenFromFrame()
    {
        frame->mStat->actions().at(TfrmStatConseq::ConseqStatIndex)->trigger();
        return NewestChild<TfrmStatConseq>();
    }

    // The history, oldest first.
    std::vector<TDynByteArr> History() const
    {
        std::vector<TDynByteArr> draws;
        for (int i = 0; i < Lotto().DrawsMan->Count(); ++i)
            draws.push_back(Lotto().DrawsMan->GetDraw(i).Numbers);
        return draws;
    }

    // Which draws (oldest first) follow, or precede, a draw holding Comb by Jump, or by 1..Jump.
    std::vector<bool> Analysed(const TDynByteArr &Comb, bool Successors, int Jump, bool Interval) const
    {
        const std::vector<TDynByteArr> draws = History();
        const int count = int(draws.size());
        std::vector<bool> marked(draws.size(), false);
        for (int i = 0; i < count; ++i) {
            if (!Holds(draws[size_t(i)], Comb))
                continue;
            for (int step = Interval ? 1 : Jump; step <= Jump; ++step) {
                const int j = Successors ? i + step : i - step;
                if (j >= 0 && j < count)
                    marked[size_t(j)] = true;
            }
        }
        return marked;
    }

    void Compute(TfrmStatConseq *Window, const TDynByteArr &Comb, bool Successors, int Jump, bool Interval, int Length)
    {
        Window->Comb = Comb;
        (Successors ? Window->rbConseq : Window->rbPreced)->setChecked(true);
        (Interval ? Window->rbDrawsRange : Window->rbDrawsStep)->setChecked(true);
        Window->seDrawsCount->SetValue(Jump);
        Window->seCombLen->SetValue(Length);
        Window->chkMaxRows->setChecked(false);
        sendCommand(Window, WM_TASK_START);
        WaitForResults(Window);
    }
};

TEST_F(StatConseqWindowTest, SuccessorsAndPredecessorsAreThePlainCountsOverTheAnalysedDraws)
{
    OpenFrame();
    TfrmStatConseq *window = OpenFromFrame();
    ASSERT_NE(window, nullptr);
    Compute(window, {7}, true, 1, false, 1);
    ASSERT_EQ(window->State, 0);

    // How often each number is drawn in the draw after a draw holding 7.
    const std::vector<TDynByteArr> history = History();
    const std::vector<bool> after7 = Analysed({7}, true, 1, false);
    std::array<int, 50> counts{};
    for (size_t i = 0; i + 1 < history.size(); ++i)
        if (Holds(history[i], {7}))
            for (uint8_t n : history[i + 1])
                ++counts[n];
    std::vector<int> numbers;
    for (int n = 1; n <= 49; ++n)
        if (counts[size_t(n)] > 0)
            numbers.push_back(n);
    std::stable_sort(numbers.begin(), numbers.end(), [&](int A, int B) { return counts[size_t(A)] > counts[size_t(B)]; });
    QStringList combs, freqs;
    for (int n : numbers) {
        combs << CombText({uint8_t(n)});
        freqs << Grouped(counts[size_t(n)]);
    }
    EXPECT_EQ(testsupport::GridColumnTexts(*window->grid, 1), combs);
    EXPECT_EQ(testsupport::GridColumnTexts(*window->grid, 2), freqs);

    // Every draw of the range, newest first, the analysed ones highlighted.
    const int count = int(history.size());
    ASSERT_EQ(window->sgDraws->RowCount(), count + 1);
    int highlighted = 0;
    for (int row = 1; row <= count; ++row) {
        const size_t draw = size_t(count - row);
        TCellFormat format;
        window->sgDraws->OnGetCellFormat(3, row, format);
        ASSERT_EQ(format.Text, CombText(history[draw])) << row;
        ASSERT_EQ(format.Brush.Color == 0xE1DFAE, bool(after7[draw])) << row;
        highlighted += format.Brush.Color == 0xE1DFAE;
    }
    EXPECT_EQ(highlighted, std::count(after7.begin(), after7.end(), true));

    // The properties of a result row: its combination over the analysed draws of the window's range.
    window->grid->setRow(3);
    const size_t windows = frame->ChildForms().size();
    window->btnCombProp->click();
    ASSERT_EQ(frame->ChildForms().size(), windows + 1);
    const auto *properties = dynamic_cast<TfrmCombProp *>(frame->ChildForms().back());
    ASSERT_TRUE(properties);
    EXPECT_EQ(properties->Game, &Lotto());
    EXPECT_EQ(CombText(properties->Comb), combs[2]);
    std::vector<TDynByteArr> passed, analysed;
    for (const TStatDraw &draw : properties->Draws)
        passed.push_back(draw.Numbers);
    for (int i = count - 1; i >= 0; --i)
        if (after7[size_t(i)])
            analysed.push_back(history[size_t(i)]);
    EXPECT_EQ(passed, analysed);
    // A double click on a result row opens that row's.
    window->PageControl1->setCurrentWidget(window->TabSheet3);
    ProcessPosted();
    const QRect cell = window->grid->CellRect(1, 5).toQRect();
    // The press of a double click selects the row; the test's double-click event alone does not.
    QTest::mouseClick(window->grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(window->grid->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(frame->ChildForms().size(), windows + 2);
    EXPECT_EQ(CombText(dynamic_cast<TfrmCombProp *>(frame->ChildForms().back())->Comb), combs[4]);
    // One on the header opens nothing, the row current or not.
    for (int col : {0, 1})
        QTest::mouseDClick(window->grid->viewport(), Qt::LeftButton, {}, window->grid->CellRect(col, 0).toQRect().center());
    EXPECT_EQ(frame->ChildForms().size(), windows + 2);

    // Predecessors of 7, the three draws before each, in pairs.
    Compute(window, {7}, false, 3, true, 2);
    ASSERT_EQ(window->State, 0);
    const std::vector<bool> before7 = Analysed({7}, false, 3, true);
    std::vector<TDynByteArr> counted;
    for (int i = count - 1; i >= 0; --i)
        if (before7[size_t(i)])
            counted.push_back(history[size_t(i)]);
    const std::vector<freqtest::TExpectedRow> pairs = freqtest::BruteForceCount(freqtest::MakeDraws(counted), 2, 1);
    ASSERT_EQ(window->grid->RowCount(), int(pairs.size()) + 1);
    const QStringList pairCombs = testsupport::GridColumnTexts(*window->grid, 1),
                      pairFreqs = testsupport::GridColumnTexts(*window->grid, 2);
    for (size_t i : {size_t(0), size_t(1), size_t(2), pairs.size() / 2, pairs.size() - 1})
        EXPECT_EQ((QStringList{pairCombs[int(i)], pairFreqs[int(i)]}),
                  (QStringList{CombText(pairs[i].Comb), Grouped(pairs[i].Freq)}))
            << i;
}

TEST_F(StatConseqWindowTest, NoDrawsToAnalyseEndsWithTheNoticeAndAStopWithNoResults)
{
    OpenFrame();
    TfrmStatConseq *window = OpenFromFrame();

    // "Skok" 0 analyses the draws holding the combination themselves.
    Compute(window, {7}, true, 0, false, 1);
    ASSERT_EQ(window->State, 0);
    const std::vector<bool> with7 = Analysed({7}, true, 0, false);
    const auto holding = std::count(with7.begin(), with7.end(), true);
    EXPECT_EQ(window->grid->Cells(1, 0), "Kombinacja");
    EXPECT_EQ(testsupport::GridColumnTexts(*window->grid, 1).front(), " 7 ");
    EXPECT_EQ(testsupport::GridColumnTexts(*window->grid, 2).front(), Grouped(holding));

    // "Przedział" 0 and a combination never drawn analyse nothing.
    const std::vector<TDynByteArr> history = History();
    const TDynByteArr never = {1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(std::none_of(history.begin(), history.end(), [&](const TDynByteArr &Draw) { return Holds(Draw, never); }));
    for (const auto &[comb, jump, interval] : {std::tuple(TDynByteArr{7}, 0, true), std::tuple(never, 1, false)}) {
        script.answerBox(1);
        Compute(window, comb, true, jump, interval, 1);
        EXPECT_EQ(window->State, 1);
        ASSERT_FALSE(script.boxes().empty());
        EXPECT_EQ(script.boxes().back().Text, "Brak losowań spełniających parametry statystyki.");
        EXPECT_EQ(testsupport::GridColumnTexts(*window->grid, 1), QStringList{QString()});
        EXPECT_EQ(testsupport::GridColumnTexts(*window->sgDraws, 3), QStringList{QString()});
        EXPECT_FALSE(window->btnCombProp->isEnabled());
        EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);
    }
    EXPECT_EQ(script.boxes().size(), 2u);

    // Stopped half-way: idle, no results.
    Compute(window, {7}, true, 1, false, 1);
    window->seCombLen->SetValue(3);
    ExpectStoppedAtOnce(window, *window->grid, 1);
}

TEST_F(StatConseqWindowTest, ParametersAreTheThirtySixByteRecordAndOutOfRangeValuesAreIgnored)
{
    OpenFrame();
    TfrmStatConseq *window = OpenFromFrame();
    const int drawCount = int(window->Range.Range.Count);
    window->rbPreced->setChecked(true);
    window->rbDrawsStep->setChecked(true);
    window->seDrawsCount->SetValue(300);
    window->seCombLen->SetValue(2);
    window->seMinFreq->SetValue(260);
    window->chkMaxRows->setChecked(false);
    window->seMaxRows->SetValue(70000);
    EnterCombination(QStringLiteral("30 17 5"), TDynByteArr{1});
    window->btnSelComb->click();
    EXPECT_EQ(window->txtComb->text(), " 5 17 30 ");
    ASSERT_TRUE(window->Close());
    ProcessPosted();

    platform::Bytes expected = {1, 0, 0x2C, 0x01, 0, 0, 0, 2, 0x04, 0x01, 0, 0x70, 0x11, 0x01, 0x00, 3, 5, 17, 30};
    expected.resize(36, 0);
    EXPECT_EQ(store().value("Stats\\1\\7", "Params"), platform::RegValue(expected));

    // Read back into every control: closed again, the window writes the same record.
    window = OpenFromFrame();
    EXPECT_TRUE(window->rbPreced->isChecked());
    EXPECT_TRUE(window->rbDrawsStep->isChecked());
    EXPECT_FALSE(window->seMaxRows->isEnabled());
    store().setValue("Stats\\1\\7", "Params", platform::Bytes{});
    ASSERT_TRUE(window->Close());
    ProcessPosted();
    EXPECT_EQ(store().value("Stats\\1\\7", "Params"), platform::RegValue(expected));

    // A draws count beyond the range, a minimum frequency of 0 and a combination of 100 numbers, or
    // with a number 0, keep the window's own values.
    platform::Bytes outside = expected;
    const uint32_t beyond = uint32_t(drawCount + 1);
    for (int i = 0; i < 4; ++i)
        outside[size_t(2 + i)] = uint8_t(beyond >> (8 * i));
    outside[8] = 0;
    outside[9] = 0;
    platform::Bytes hundred = outside;
    hundred[15] = 100;
    platform::Bytes zero = outside;
    zero[17] = 0;
    for (const platform::Bytes &stored : {hundred, zero}) {
        store().setValue("Stats\\1\\7", "Params", stored);
        window = OpenFromFrame();
        EXPECT_EQ(std::tuple(SpinValue(window->seDrawsCount), SpinValue(window->seMinFreq), window->txtComb->text()),
                  std::tuple(1, 1, QString(" 1 ")));
        ASSERT_TRUE(window->Close());
        ProcessPosted();
    }

    // A combination longer than the field is stored as none.
    window = OpenFromFrame();
    window->Comb.resize(21);
    std::iota(window->Comb.begin(), window->Comb.end(), uint8_t{1});
    ASSERT_TRUE(window->Close());
    ProcessPosted();
    const std::optional<platform::RegValue> stored = store().value("Stats\\1\\7", "Params");
    ASSERT_TRUE(stored.has_value());
    const auto &bytes = std::get<platform::Bytes>(*stored);
    EXPECT_EQ(bytes[15], 255);
}

TEST_F(StatConseqWindowTest, TheRangeBoundsTheDrawsCountWithoutRecomputing)
{
    OpenFrame();
    Lotto().DefRange.Mode = drLast;
    TfrmStatConseq *window = OpenFromFrame();
    ASSERT_EQ(window->Range.Range.Count, 1u);
    EXPECT_EQ(window->seDrawsCount->MaxValue(), 1);
    Compute(window, {Lotto().DrawsMan->GetDraw(Lotto().DrawsMan->Count() - 1).Numbers[0]}, true, 0, false, 1);
    ASSERT_EQ(window->State, 0);
    const QStringList shown = testsupport::GridColumnTexts(*window->grid, 1);

    script.onDialog([](QDialog &Dialog) {
        auto &dialog = dynamic_cast<TfrmDrawsFilter &>(Dialog);
        dialog.rbFltTypeAll->setChecked(true);
        dialog.btnOK->click();
    });
    EXPECT_EQ(sendCommand(window, WM_DRAWS_RANGE), 1);
    EXPECT_EQ(window->seDrawsCount->MaxValue(), Lotto().DrawsMan->Count());
    EXPECT_EQ(window->State, 0);
    EXPECT_EQ(testsupport::GridColumnTexts(*window->grid, 1), shown);
}
