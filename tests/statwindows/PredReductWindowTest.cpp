// "Typowanie redukcyjne" on the user's roads: the number order over the real Lotto history, the chosen
// key, the reduction over a small history, and its stored parameters.
#include "controls/FloatSpin.h"
#include "core/UComb.h"
#include "engine/UDrawsDB.h"
#include "shell/FDrawsRange.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalWindows.h"
#include "shell/NumberPad.h"
#include "statwindows/FPredReduct.h"
#include "syswindows/SysFormats.h"
#include "tests/statwindows/StatWindowTestSupport.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <numeric>
#include <tuple>

namespace {

struct TCounts {
    int Whole = 0;
    int Sub = 0;
};

// Index number: how often it was drawn in the whole history and in its From-th to To-th newest draws.
std::vector<TCounts> PlainCounts(const TDrawsManager &Draws, int From, int To)
{
    std::vector<TCounts> counts(50);
    const int count = Draws.Count();
    for (int i = 0; i < count; ++i) {
        const int newest = count - i; // 1 for the newest draw
        for (int k = 0; k < 6; ++k) {
            const int number = Draws.GetDraw(i).Numbers[size_t(k)];
            ++counts[size_t(number)].Whole;
            if (newest >= From && newest <= To)
                ++counts[size_t(number)].Sub;
        }
    }
    return counts;
}

// 1..49 by the counts of column Col (2 the whole history first, 3 the sub-range first), larger first
// for Direction 1; equal counts put the smaller number first.
TDynByteArr ExpectedOrder(const std::vector<TCounts> &Counts, int Col, int Direction)
{
    TDynByteArr order(49);
    std::iota(order.begin(), order.end(), uint8_t(1));
    const auto key = [&](uint8_t Number) {
        const TCounts &c = Counts[Number];
        const int first = Col == 2 ? c.Whole : c.Sub, second = Col == 2 ? c.Sub : c.Whole;
        return std::tuple(first * Direction, second * Direction, -int(Number));
    };
    std::sort(order.begin(), order.end(), [&](uint8_t A, uint8_t B) { return key(A) > key(B); });
    return order;
}

QStringList Numbers(const TDynByteArr &Order, size_t Count)
{
    QStringList texts;
    for (size_t i = 0; i < Count; ++i)
        texts << QString::number(Order[i]);
    return texts;
}

} // namespace

class PredReductWindowTest : public StatWindowTest {
protected:
    // As the user opens it: the tools menu's item.
    TfrmPredReduct *Open()
    {
        QAction *item = frame->mToolPredict1;
        EXPECT_TRUE(frame->mTool->actions().contains(item) && item->isVisible() && item->isEnabled());
        const size_t before = frame->ChildForms().size();
        item->trigger();
        if (frame->ChildForms().size() != before + 1) {
            ADD_FAILURE() << "the menu item opened no window";
            return nullptr;
        }
        return NewestChild<TfrmPredReduct>();
    }

    void ChooseKey(TfrmPredReduct *Window, const QString &Typed)
    {
        EnterCombination(Typed);
        Window->btnKey->click();
    }
};

TEST_F(PredReductWindowTest, FrequenciesOrderTheNumbersAndAChosenKeyComesFirst)
{
    OpenFrame();
    TfrmPredReduct *window = Open();
    ASSERT_NE(window, nullptr);
    const TDrawsManager &draws = *Lotto().DrawsMan;
    ASSERT_EQ(window->Range.Range.Count, uint32_t(draws.Count()));
    window->seDrawFrom->SetValue(5);
    window->seDrawTo->SetValue(30);
    const std::vector<TCounts> counts = PlainCounts(draws, 5, 30);

    // Every number with its two counts, in the order of the sub-range's counts.
    const QStringList numbers = testsupport::GridColumnTexts(*window->Grid, 0),
                      whole = testsupport::GridColumnTexts(*window->Grid, 1),
                      sub = testsupport::GridColumnTexts(*window->Grid, 2);
    ASSERT_EQ(numbers, Numbers(ExpectedOrder(counts, 3, 1), 49));
    for (int row = 0; row < 49; ++row) {
        const TCounts &c = counts[size_t(numbers[row].toInt())];
        EXPECT_EQ(whole[row], CountText(c.Whole)) << row;
        EXPECT_EQ(sub[row], CountText(c.Sub)) << row;
    }

    // Twelve key numbers: each sort orders all 49, the key is the first twelve.
    window->seKeyLen->SetValue(12);
    for (const auto &[col, direction] : {std::pair(1, 1), std::pair(1, -1), std::pair(2, 1)}) {
        ClickHeader(*window->Grid, col);
        const TDynByteArr expected = ExpectedOrder(counts, col + 1, direction);
        EXPECT_EQ(window->NumberOrder(), expected) << col << direction;
        EXPECT_EQ(testsupport::GridColumnTexts(*window->Grid, 0), Numbers(expected, 12)) << col << direction;
    }
    EXPECT_EQ(window->Grid->Cells(2, 0), "Częst. 2 -");

    // Eight chosen numbers lead in the order given, the others follow ascending, no column is marked.
    window->seKeyLen->SetValue(8);
    ChooseKey(window, QStringLiteral("30 17 5 44 2 9 11 40"));
    TDynByteArr chosen = {30, 17, 5, 44, 2, 9, 11, 40};
    for (int number = 1; number <= 49; ++number)
        if (!ByteInArray(uint8_t(number), chosen))
            chosen.push_back(uint8_t(number));
    EXPECT_EQ(window->NumberOrder(), chosen);
    EXPECT_EQ(testsupport::GridColumnTexts(*window->Grid, 0), Numbers(chosen, 8));
    EXPECT_EQ((QStringList{window->Grid->Cells(0, 0), window->Grid->Cells(1, 0), window->Grid->Cells(2, 0)}),
              (QStringList{"Liczba", "Częst. 1", "Częst. 2"}));

    // A key length typed below the combination's is raised when the computation starts.
    window->seCombLen->SetValue(7);
    window->seKeyLen->setText(QStringLiteral("5"));
    sendCommand(window, WM_TASK_START);
    EXPECT_EQ(SpinValue(window->seKeyLen), 7);
    EXPECT_EQ(window->KeySize(), 7);
    WaitForResults(window);
    EXPECT_EQ(window->State, 0);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart) << "no report";

    // Stopped: no result set.
    sendCommand(window, WM_TASK_START);
    ASSERT_EQ(window->State, 2);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStop);
    sendCommand(window, WM_TASK_STOP);
    ProcessPosted();
    EXPECT_EQ(window->State, 1);
    EXPECT_TRUE(window->txtResult->text().isEmpty());
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);

    // A game without draws (Mini Lotto): no counts, and Start stays off.
    frame->cbGame->setCurrentIndex(Games.GameIndexOfId(2));
    TfrmPredReduct *empty = Open();
    ASSERT_NE(empty, nullptr);
    ASSERT_TRUE(empty->Range.Empty());
    EXPECT_EQ(testsupport::GridColumnTexts(*empty->Grid, 1), QStringList(42, QString()));
    EXPECT_EQ(testsupport::GridColumnTexts(*empty->Grid, 2), QStringList(42, QString()));
    EXPECT_EQ(EnabledMask(), cmdRead);
}

TEST_F(PredReductWindowTest, ANewRangeIsCountedAndLevelOneStrikesEveryKeyNumberDrawn)
{
    // Multi Multi pays one number that is drawn.
    auto run = [](int First, int Step) {
        std::vector<int> numbers;
        for (int i = 0; i < 20; ++i)
            numbers.push_back(First + Step * i);
        return numbers;
    };
    folder->writeDraws("MultiMulti", {{45000, run(1, 1)}, {45003, run(2, 3)}, {45007, run(41, 1)}});
    OpenFrame();
    frame->cbGame->setCurrentIndex(Games.GameIndexOfId(3));
    Games.GameById(3)->DefRange.Mode = drLast;
    TfrmPredReduct *window = Open();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->Range.Range.Count, 1u);
    const auto freq44 = [&] { return window->Frequencies()[43].Freq1; };
    EXPECT_EQ(freq44(), 1u);
    // The whole history chosen in the range dialog: counted again, the sub-range over its three draws.
    script.onDialog([](QDialog &Dialog) {
        auto &dialog = dynamic_cast<TfrmDrawsFilter &>(Dialog);
        dialog.rbFltTypeAll->setChecked(true);
        dialog.btnOK->click();
    });
    EXPECT_EQ(sendCommand(window, WM_DRAWS_RANGE), 1);
    ASSERT_EQ(window->Range.Range.Count, 3u);
    EXPECT_EQ(freq44(), 2u);
    EXPECT_EQ(window->seDrawTo->MaxValue(), 3);
    ASSERT_EQ(SpinValue(window->seCombLen), 1);
    ASSERT_EQ(SpinValue(window->seHitWin), 1);

    window->seKeyLen->SetValue(10);
    // Drawn: 1-20, 2-59 by threes, 41-60.
    ChooseKey(window, QStringLiteral("62 21 5 70 24 33 61 80 44 79"));
    sendCommand(window, WM_TASK_START);
    WaitForResults(window);
    ASSERT_EQ(window->State, 0);
    EXPECT_EQ(window->txtResult->text(), "21 24 33 61 62 70 79 80");
}

TEST_F(PredReductWindowTest, ParametersAreStoredAsTheRecordAndABadOrderIsIgnored)
{
    OpenFrame();
    TfrmPredReduct *window = Open();
    ASSERT_NE(window, nullptr);
    window->seCombLen->SetValue(7);
    window->seHitWin->SetValue(4);
    window->seDrawFrom->SetValue(3);
    window->seDrawTo->SetValue(20);
    window->seKeyLen->SetValue(15);
    ASSERT_TRUE(window->Close());
    ProcessPosted();

    const TDynByteArr order = ExpectedOrder(PlainCounts(*Lotto().DrawsMan, 3, 20), 3, 1);
    platform::Bytes expected = {1, 7, 4, 3, 0, 20, 0, 15};
    expected.insert(expected.end(), order.begin(), order.end());
    expected.resize(88, 0);
    EXPECT_EQ(store().value("Tools\\1\\5", "Params"), platform::RegValue(expected));

    // An order with a repeat or a 0 is no order of 1..49: the numbers stand in their own order and are
    // sorted as the grid shows them; the rest of the record is taken.
    platform::Bytes repeat = expected;
    repeat[9] = repeat[8];
    platform::Bytes zero = expected;
    zero[8 + 48] = 0;
    for (const platform::Bytes &stored : {repeat, zero}) {
        store().setValue("Tools\\1\\5", "Params", stored);
        window = Open();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->KeySize(), 15);
        EXPECT_EQ(SpinValue(window->seDrawTo), 20);
        EXPECT_EQ(window->NumberOrder(), order);
        ASSERT_TRUE(window->Close());
        ProcessPosted();
    }
}
