// The composite full system window: the joined parts, the guarantee counted at once (checked against
// the rows by brute force) in a window that goes with its system, the common road for a changed system,
// and the dialog's limit.
#include "core/ProgramParams.h"
#include "syswindows/FGuarSysFull.h"
#include "syswindows/FParGuarSysShort.h"
#include "syswindows/FParSysFullComp.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QPointer>
#include <QScopedValueRollback>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <utility>

class SysFullCompWindowTest : public SysWindowTest {
protected:
    static int HitsText(const QString &Text) { return Text == "-" ? 0 : Text.toInt(); }

    TfrmGuarSysFull *OpenedGuarantee(size_t Before) const
    {
        EXPECT_EQ(frame->ChildForms().size(), Before + 1);
        return qobject_cast<TfrmGuarSysFull *>(frame->ChildForms().back());
    }
};

TEST_F(SysFullCompWindowTest, SixTakingThreeAndFiveTakingTwoJoinTo200RowsWhoseGuaranteeEveryDrawConfirms)
{
    TGenSysForm *window = GenerateComposite(6, 3, 5, 2);
    ASSERT_EQ(window->State, 0);
    const QStringList rows = RowTexts(*window);
    ASSERT_EQ(rows.size(), 200);
    std::set<std::vector<int>> distinct;
    for (const QString &row : rows) {
        const std::vector<int> numbers = RowNumbers(row);
        ASSERT_EQ(numbers.size(), 5u) << row.toStdString();
        EXPECT_EQ(std::count_if(numbers.begin(), numbers.end(), [](int Number) { return Number <= 6; }), 3)
            << row.toStdString();
        EXPECT_TRUE(std::all_of(numbers.begin(), numbers.end(), [](int Number) { return Number <= 11; }));
        distinct.insert(numbers);
    }
    EXPECT_EQ(distinct.size(), 200u);
    EXPECT_EQ(StatValue(*window, 1), "3/6");
    EXPECT_EQ(StatValue(*window, 4), "5(3+2)");
    EXPECT_EQ(StatValue(*window, 5), "11(6+5)");
    EXPECT_EQ(StatValue(*window, 6), "200");
    EXPECT_EQ(StatValue(*window, 7), "462");
    EXPECT_EQ(store().value("Systems\\1\\3", "n2"), platform::RegValue(uint32_t(5)));

    const size_t before = frame->ChildForms().size();
    sendCommand(window, WM_SYS_GUARANTEE);
    TfrmGuarSysFull *guarantee = OpenedGuarantee(before);
    ASSERT_NE(guarantee, nullptr);
    const TStringAlignGrid &grid = *guarantee->sgGuar;
    // Every way 1 to 6 drawn numbers fall into the parts, the last case first: 6 in the first part and
    // none in the second, down to none and 1.
    ASSERT_EQ(grid.RowCount(), 27);
    EXPECT_EQ(testsupport::GridRowTexts(grid, 1).mid(0, 2), QStringList({"6", "-"}));
    EXPECT_EQ(testsupport::GridRowTexts(grid, 26).mid(0, 2), QStringList({"-", "1"}));
    const QStringList header = testsupport::GridRowTexts(grid, 0);
    ASSERT_EQ(header, QStringList({"Traf. 1", "Traf. 2", "5", "4", "3", "2", "1", "Wygrana"}));
    for (int row = 1; row < grid.RowCount(); ++row) {
        const QStringList cells = testsupport::GridRowTexts(grid, row);
        const int hitsA = HitsText(cells[0]);
        const int hitsB = HitsText(cells[1]);
        // The lowest numbers of each part drawn: every row's hits counted.
        std::map<int, int> byHits;
        for (const QString &text : rows) {
            const std::vector<int> numbers = RowNumbers(text);
            byHits[int(std::count_if(numbers.begin(), numbers.end(), [&](int Number) {
                return Number <= hitsA || (Number > 6 && Number <= 6 + hitsB);
            }))]++;
        }
        for (int col = 2; col <= 6; ++col) {
            const int count = byHits[header[col].toInt()];
            EXPECT_EQ(cells[col], count == 0 ? QString() : QString::number(count))
                << "case " << hitsA << "+" << hitsB << ", " << header[col].toStdString() << " hits";
        }
    }

    const QStringList firstRow = testsupport::GridRowTexts(grid, 1);
    testsupport::expectReport(script);
    sendCommand(guarantee, WM_SYS_REPORT);
    const std::vector<testsupport::XlsxSheet> sheets = testsupport::openedReport(script);
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].At("B2").Text, "Gwarancja : Pełny-złożony 5(3+2)/11(6+5)/200");
    EXPECT_EQ(sheets[0].At("B4").Text, "Traf. 1");
    for (int col = 0; col < 3; ++col)
        EXPECT_EQ(sheets[0].At(std::string(1, char('B' + col)) + "5").Text, firstRow[col].toStdString()) << col;
}

TEST_F(SysFullCompWindowTest, TheGuaranteeWindowGoesWhenItsSystemIsGeneratedAgainOrItsSystemWindowCloses)
{
    TGenSysForm *window = GenerateComposite(6, 3, 5, 2);
    const size_t before = frame->ChildForms().size();
    sendCommand(window, WM_SYS_GUARANTEE);
    QPointer<TfrmGuarSysFull> guarantee = OpenedGuarantee(before);
    ASSERT_TRUE(guarantee);

    // Generated again: the table of the old system goes with it.
    AnswerComposite(5, 2, 4, 2);
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);
    ASSERT_EQ(window->ViewCount(), 60);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guarantee.isNull());
    EXPECT_EQ(frame->ChildForms().size(), before);

    // One the user closes leaves its system window, which closes the next one with itself.
    sendCommand(window, WM_SYS_GUARANTEE);
    guarantee = OpenedGuarantee(before);
    ASSERT_TRUE(guarantee);
    ASSERT_TRUE(guarantee->Close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->ChildWindows.Count(), 0);
    sendCommand(window, WM_SYS_GUARANTEE);
    guarantee = OpenedGuarantee(before);
    ASSERT_TRUE(guarantee);
    EXPECT_TRUE(
        guarantee->windowTitle().endsWith(QStringLiteral("> Gwarancja: Pełny-złożony 4(2+2)/9(5+4)/60")))
        << guarantee->windowTitle().toStdString();
    ASSERT_TRUE(window->Close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guarantee.isNull());
    EXPECT_TRUE(frame->ChildForms().empty());
}

TEST_F(SysFullCompWindowTest, AChangedSystemTakesTheCommonGuaranteeRoad)
{
    TGenSysForm *window = GenerateComposite(5, 2, 4, 2);
    ASSERT_EQ(window->ViewCount(), 60);
    window->sgSystem->setSelection({0, 1, 1, 1});
    sendCommand(window, WM_COMB_DELETE);
    ASSERT_EQ(window->ViewCount(), 59);
    const size_t before = frame->ChildForms().size();
    script.onDialog([](QDialog &Dialog) { EXPECT_NE(dynamic_cast<TfrmParGuarSysShort *>(&Dialog), nullptr); });
    sendCommand(window, WM_SYS_GUARANTEE);
    ASSERT_EQ(script.dialogs().size(), 2u) << "the parameters, then the guarantee's";
    EXPECT_EQ(frame->ChildForms().size(), before) << "cancelled";
}

// Parts of 20 and 10 combinations: a limit of 199 refuses them, 200 takes them.
TEST_F(SysFullCompWindowTest, TheDialogRefusesMoreJoinedCombinationsThanTheLimitAndTakesAsMany)
{
    QScopedValueRollback<int32_t> limit(Limits.MaxComb, 199);
    TfrmParSysFullComp dialog;
    dialog.Init(Games.GameById(LottoId), skFullComp, false, 6, 3, 5, 2);
    EXPECT_EQ(dialog.eCComb1->text(), "20");
    EXPECT_EQ(dialog.eCComb2->text(), "10");
    EXPECT_EQ(dialog.eCCombSyst->text(), "200");
    EXPECT_EQ(dialog.sgStat->Cells(1, 1), "5");
    EXPECT_EQ(dialog.sgStat->Cells(1, 2), "11");
    EXPECT_EQ(dialog.sgStat->Cells(1, 6), "") << "no cost of a system that may not be listed";
    EXPECT_EQ(testsupport::GridRowTexts(*dialog.sgGuar, 1).join(""), "") << "nor its hits";

    script.answerBox(platform::IDOK);
    dialog.btnOk->click();
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Liczba kombinacji w systemie pełnym  - złożonym nie może być większa niż 199");
    EXPECT_EQ(script.boxes()[0].Flags, 48);
    EXPECT_NE(dialog.result(), 1);
    EXPECT_FALSE(store().value("Systems\\1\\3", "n1"));

    Limits.MaxComb = 200;
    dialog.seCNum->setText("7");
    dialog.seCNum->setText("6");
    EXPECT_EQ(testsupport::GridRowTexts(*dialog.sgGuar, 1).mid(0, 2), QStringList({"6", "-"}));
    dialog.btnOk->click();
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(std::tuple(dialog.N, dialog.K, dialog.N2, dialog.K2), std::tuple(6, 3, 5, 2));
    for (const auto &[name, value] : {std::pair{"n1", 6u}, {"k1", 3u}, {"n2", 5u}, {"k2", 2u}})
        EXPECT_EQ(store().value("Systems\\1\\3", name), platform::RegValue(uint32_t(value))) << name;
}
