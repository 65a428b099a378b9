// The logical-operations dialog over open system windows of Lotto: its lists, the five operations
// against set arithmetic done here, the ticks, the notices, the result window, the stop and the record.
#include "tests/syswindows/SysWindowTestSupport.h"

#include "core/ProgramParams.h"
#include "core/UGlobalRegistry.h"
#include "shell/ParamsRecord.h"
#include "syswindows/FOperSys.h"
#include "syswindows/FSysUser.h"

#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <set>

namespace {

using TRows = std::vector<std::vector<int>>;

const TRows RowsS1 = {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}, {1, 2, 3, 4, 5, 8}, {2, 3, 4, 5, 6, 7}};
const TRows RowsS2 = {{1, 2, 3, 4, 5, 7}, {2, 3, 4, 5, 6, 7}, {3, 4, 5, 6, 7, 8}};
const TRows RowsS3 = {{1, 2, 3}, {7, 8, 9}, {8, 9, 10}};

TRows Intersection(const TRows &A, const TRows &B)
{
    TRows rows;
    std::copy_if(A.begin(), A.end(), std::back_inserter(rows),
                 [&](const auto &Row) { return std::find(B.begin(), B.end(), Row) != B.end(); });
    return rows;
}

TRows Difference(const TRows &A, const TRows &B)
{
    TRows rows;
    std::copy_if(A.begin(), A.end(), std::back_inserter(rows),
                 [&](const auto &Row) { return std::find(B.begin(), B.end(), Row) == B.end(); });
    return rows;
}

// Every pair of rows without a common number, joined and sorted.
TRows Composition(const TRows &A, const TRows &B)
{
    TRows rows;
    for (const auto &a : A)
        for (const auto &b : B) {
            std::set<int> joined(a.begin(), a.end());
            joined.insert(b.begin(), b.end());
            if (joined.size() == a.size() + b.size())
                rows.emplace_back(joined.begin(), joined.end());
        }
    std::sort(rows.begin(), rows.end());
    return rows;
}

int ComplementCount(int N, int K, const TRows &A)
{
    int count = 0;
    for (int mask = 0; mask < (1 << N); ++mask) {
        std::vector<int> row;
        for (int n = 1; n <= N; ++n)
            if (mask & (1 << (n - 1)))
                row.push_back(n);
        if (int(row.size()) == K && std::find(A.begin(), A.end(), row) == A.end())
            ++count;
    }
    return count;
}

} // namespace

class OperSysWindowTest : public SysWindowTest {
protected:
    void OpenThree()
    {
        S1 = OpenRows(LottoId, 10, RowsS1);
        S2 = OpenRows(LottoId, 10, RowsS2);
        S3 = OpenRows(LottoId, 10, RowsS3);
    }

    // The frame's command, the dialog played by Step.
    void WithDialog(std::function<void(TfrmOperSys &)> Step)
    {
        script.onDialog([Step](QDialog &Dialog) { Step(dynamic_cast<TfrmOperSys &>(Dialog)); });
        OpenLogicalOps();
    }

    static void Choose(TfrmOperSys &D, int Item, int RowA)
    {
        D.cbOper->setCurrentIndex(Item);
        D.sgA->FocusCell(0, RowA, true);
    }

    static void ClickTick(TfrmOperSys &D, int Row)
    {
        QTest::mouseClick(D.sgB->viewport(), Qt::LeftButton, {}, D.sgB->CellRect(0, Row).toQRect().center());
    }

    // "Przelicz", waited for; the count shown.
    static QString Count(TfrmOperSys &D)
    {
        D.btnDoOper->click();
        EXPECT_TRUE(testsupport::ProcessUntil([&] { return !D.Running(); }));
        return D.eCombCount->text();
    }

    static std::vector<int> WindowNos(const std::vector<TfrmOperSys::TEntry> &List)
    {
        std::vector<int> numbers;
        for (const auto &entry : List)
            numbers.push_back(entry.WindowNo);
        return numbers;
    }

    TRows ShownRows(const TGenSysForm &Window)
    {
        TRows rows;
        for (const QString &row : RowTexts(Window))
            rows.push_back(RowNumbers(row));
        return rows;
    }

    TGenSysForm *S1 = nullptr;
    TGenSysForm *S2 = nullptr;
    TGenSysForm *S3 = nullptr;
};

TEST_F(OperSysWindowTest, IntersectionDifferenceAndComplementCountWhatSetArithmeticGives)
{
    OpenThree();
    TGenSysForm *building = OpenRows(LottoId, 10, RowsS1);
    building->GenerationHook = BuildUntilStopped;
    AnswerParams(49, 6, 1000000);
    sendCommand(building, WM_SYS_PARAMS);
    ASSERT_TRUE(building->Generating());

    WithDialog([&](TfrmOperSys &D) {
        EXPECT_EQ(WindowNos(D.EntriesA()), (std::vector<int>{S1->WindowNo, S2->WindowNo, S3->WindowNo}));

        Choose(D, 1, 1); // intersection, A = S1: B lists only S2
        EXPECT_EQ(WindowNos(D.EntriesB()), std::vector<int>{S2->WindowNo});
        ClickTick(D, 1);
        EXPECT_EQ(Count(D), QString::number(Intersection(RowsS1, RowsS2).size()));

        Choose(D, 2, 1); // difference: B is the first row without a click
        ASSERT_EQ(D.DifferenceB(), S2->System.get());
        EXPECT_EQ(Count(D), QString::number(Difference(RowsS1, RowsS2).size()));
        D.sgA->FocusCell(0, 2, true); // A = S2: B is S1 at once
        EXPECT_EQ(D.DifferenceB(), S1->System.get());
        EXPECT_EQ(Count(D), QString::number(Difference(RowsS2, RowsS1).size()));

        Choose(D, 4, 3); // complement of S3 over its numbers 1..10
        EXPECT_FALSE(D.sgB->isVisible());
        EXPECT_EQ(Count(D), QString::number(ComplementCount(10, 3, RowsS3)));
    });
    EXPECT_TRUE(script.boxes().empty());
}

TEST_F(OperSysWindowTest, UnionAndCompositionOpenTheirResultsAndTheTicksKeepToTheLargestBet)
{
    OpenThree();
    WithDialog([&](TfrmOperSys &D) {
        Choose(D, 3, 3); // composition, A = S3 (K 3): S1, S2 and S3 are compatible
        ASSERT_EQ(D.EntriesB().size(), 3u);
        ClickTick(D, 1);
        ClickTick(D, 2); // 3 + 6 + 6 > 12
        EXPECT_EQ(D.Ticks(), (std::vector<bool>{true, false, false}));
        D.btnSelAll->click(); // S2 refused, S3 fits: 3 + 6 + 3
        EXPECT_EQ(D.Ticks(), (std::vector<bool>{true, false, true}));
        ClickTick(D, 3);
        EXPECT_EQ(D.Ticks(), (std::vector<bool>{true, false, false}));
        D.btnOK->click();
        ASSERT_TRUE(testsupport::ProcessUntil([&] { return !D.Running(); }));
        EXPECT_EQ(D.result(), QDialog::Accepted);
    });
    const TRows composed = Composition(RowsS1, RowsS3);
    ASSERT_EQ(frame->ChildForms().size(), 4u);
    auto *result = qobject_cast<TfrmSysUser *>(frame->ChildForms().back());
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->ViewCount(), int(composed.size()));
    EXPECT_EQ(ShownRows(*result), composed);

    WithDialog([&](TfrmOperSys &D) {
        Choose(D, 0, 1); // union of S1 with S2 ticked: sorted, repeats kept
        ClickTick(D, 2);
        D.btnOK->click();
        ASSERT_TRUE(testsupport::ProcessUntil([&] { return !D.Running(); }));
        EXPECT_EQ(D.result(), QDialog::Accepted);
    });
    TRows both = RowsS1;
    both.insert(both.end(), RowsS2.begin(), RowsS2.end());
    std::sort(both.begin(), both.end());
    EXPECT_EQ(ShownRows(*qobject_cast<TGenSysForm *>(frame->ChildForms().back())), both);
    EXPECT_TRUE(script.boxes().empty());
}

TEST_F(OperSysWindowTest, EmptyTooLargeAndShortenedResultsAreTold)
{
    OpenThree();
    OpenRows(LottoId, 20, {{11, 12, 13, 14, 15, 16}});
    struct TMaxCombGuard {
        int32_t Saved = Limits.MaxComb;
        ~TMaxCombGuard() { Limits.MaxComb = Saved; }
    } guard;
    Limits.MaxComb = 5;
    for (int box = 0; box < 4; ++box)
        script.answerBox(1);
    WithDialog([&](TfrmOperSys &D) {
        Choose(D, 1, 1); // S1 and the fourth system share no row
        ClickTick(D, 2);
        D.btnOK->click();
        ASSERT_TRUE(testsupport::ProcessUntil([&] { return !D.Running(); }));
        Choose(D, 4, 3); // 117 combinations
        EXPECT_EQ(Count(D), QString());
        D.btnOK->click();
        ASSERT_TRUE(testsupport::ProcessUntil([&] { return !D.Running(); }));
        Choose(D, 0, 1); // 4 + 3 rows
        ClickTick(D, 2);
        EXPECT_EQ(Count(D), QStringLiteral("5"));
        EXPECT_TRUE(D.isVisible());
    });
    const std::vector<QString> texts = {QStringLiteral("System wynikowy nie może być pusty."),
                                        QStringLiteral("Zbyt duża liczba kombinacji."),
                                        QStringLiteral("Zbyt duża liczba kombinacji."),
                                        QStringLiteral("Wynik został skrócony do 5 kombinacji.")};
    ASSERT_EQ(script.boxes().size(), texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(script.boxes()[i].Text, texts[i]);
        EXPECT_EQ(script.boxes()[i].Flags, 48);
    }
    EXPECT_EQ(frame->ChildForms().size(), 4u);
}

TEST_F(OperSysWindowTest, CancelStopsALongCompositionAndTheDialogStays)
{
    TRows all;
    for (int a = 1; a <= 12; ++a)
        for (int b = a + 1; b <= 12; ++b)
            for (int c = b + 1; c <= 12; ++c)
                all.push_back({a, b, c});
    OpenRows(LottoId, 12, all);
    std::optional<bool> answer;
    WithDialog([&](TfrmOperSys &D) {
        D.RunHook = [&answer](const TMyThread &Thread, const std::function<bool()> &Operation) {
            while (!Thread.GetTerminated())
                std::this_thread::yield();
            answer = Operation();
            return *answer;
        };
        Choose(D, 3, 1);
        ClickTick(D, 1); // 220 x 220 tuples
        D.btnOK->click();
        ASSERT_TRUE(D.Running());
        EXPECT_FALSE(D.btnOK->isEnabled());
        D.btnCancel->click();
        EXPECT_FALSE(D.Running());
        EXPECT_TRUE(D.btnOK->isEnabled());
        EXPECT_TRUE(D.isVisible());
        EXPECT_TRUE(D.eCombCount->text().isEmpty());
    });
    EXPECT_EQ(answer, std::optional<bool>(false));
    EXPECT_EQ(frame->ChildForms().size(), 1u);
}

TEST_F(OperSysWindowTest, TheOperationIndexIsStoredInFourBytesAndOnlyAnIndexOfTheListIsTaken)
{
    OpenThree();
    const std::string key = ParamsKey("Tools\\", 0, 2);
    const std::vector<std::pair<platform::Bytes, int>> stored = {
        {{0x04, 0, 0, 0}, 4}, {{0x05, 0, 0, 0}, 0}, {{0xFF, 0xFF, 0xFF, 0xFF}, 0}};
    for (const auto &[bytes, item] : stored) {
        WriteParamsRecord(key, bytes);
        WithDialog([&, item = item](TfrmOperSys &D) { EXPECT_EQ(D.cbOper->currentIndex(), item); });
    }
    WithDialog([](TfrmOperSys &D) { D.cbOper->setCurrentIndex(3); });
    ProgramReg.SetSection(key);
    EXPECT_EQ(ProgramReg.GetDataSize(ParamsValueName), 4);
    EXPECT_EQ(ReadParamsRecord(key, 4).Bytes, (platform::Bytes{0x03, 0, 0, 0}));
}
