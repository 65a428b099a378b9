// The full system window: every combination in order, the guarantee without its dialog, and a system
// too large to list, which only a key and a filter can be given.
#include "core/ProgramParams.h"
#include "engine/USysFull.h"
#include "syswindows/FGuarSysShort.h"
#include "syswindows/FSelectKey.h"
#include "syswindows/FSysFull.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QScopedValueRollback>

#include <functional>

namespace {

// "Nr|" and the row's numbers as the grid shows them.
QString RowText(int Number, const std::vector<int> &Numbers)
{
    QString text = QString::number(Number) + QLatin1Char('|');
    for (int number : Numbers)
        text += QStringLiteral("%1 ").arg(number, 2);
    return text;
}

// Every K-combination of 1..N whose sum is at most MaxSum, in lexicographic order, as grid rows.
QStringList RowsUpToSum(int N, int K, int MaxSum)
{
    QStringList rows;
    std::vector<int> comb;
    const std::function<void(int, int)> extend = [&](int From, int Sum) {
        if (int(comb.size()) == K) {
            rows << RowText(int(rows.size()) + 1, comb);
            return;
        }
        for (int number = From; number <= N && Sum + number <= MaxSum; ++number) {
            comb.push_back(number);
            extend(number + 1, Sum + number);
            comb.pop_back();
        }
    };
    extend(1, 0);
    return rows;
}

} // namespace

class SysFullWindowTest : public SysWindowTest {
protected:
    // Filtering the shown system by a sum of at most 50, the rows marked in the same window.
    void FilterBySum(TGenSysForm *Window)
    {
        OnEditor([](TfrmFilter &F) {
            AddSum(F, 21, 50);
            F.rbFltFind->setChecked(true);
            F.chkOptDelComb->setChecked(false);
            F.chkOptNewWindow->setChecked(false);
            PressOK(F);
        });
        sendCommand(Window, WM_SYS_FILTER);
    }

    void ExpectUnlisted(const TGenSysForm &Window)
    {
        EXPECT_EQ(Window.State, 2);
        EXPECT_EQ(RowTexts(Window), QStringList{"|"});
        EXPECT_EQ(EnabledMask(), cmdRead | cmdParams | cmdKey | cmdFilter);
    }

    const QScopedValueRollback<int32_t> limit{Limits.MaxComb, 10000};
};

TEST_F(SysFullWindowTest, EightNumbersListTheir28CombinationsInOrderAndTheGuaranteeNeedsNoDialog)
{
    TGenSysForm *window = OpenBySelector(3);
    script.onDialog([](QDialog &Dialog) {
        auto &params = dynamic_cast<TGenParSysForm &>(Dialog);
        params.seCDraws->setText(QStringLiteral("6"));
        params.seCNum->setText(QStringLiteral("8"));
        // Five of the eight drawn: C(5, 5) C(3, 1) fives, C(5, 4) C(3, 2) fours, C(5, 3) threes, as counts.
        QStringList cells;
        for (int col = 0; col <= 4; ++col)
            cells << params.sgGuar->Cells(col, 2);
        EXPECT_EQ(cells, (QStringList{"5", "", "3", "15", "10"}));
        params.btnOk->click();
    });
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);
    ASSERT_EQ(window->State, 0);
    EXPECT_EQ(RowTexts(*window), RowsUpToSum(8, 6, 8 * 6));
    ASSERT_EQ(window->ViewCount(), 28);
    EXPECT_EQ(StatValue(*window, 5), "1,00000");
    EXPECT_EQ(store().value("Systems\\1\\2", "n"), platform::RegValue(uint32_t(8)));
    EXPECT_FALSE(store().value("Systems\\1\\2", "Ns")) << "a full system takes no count";

    const size_t before = frame->ChildForms().size();
    sendCommand(window, WM_SYS_GUARANTEE);
    ASSERT_EQ(frame->ChildForms().size(), before + 1);
    EXPECT_NE(qobject_cast<TfrmGuarSysShort *>(frame->ChildForms().back()), nullptr);
}

TEST_F(SysFullWindowTest, ATooLargeSystemListsOnlyWhatAFilterPassesUntilTheFilterOrTheKeyChanges)
{
    TGenSysForm *window = OpenBySelector(3);
    AnswerParams(49, 6, 0);
    sendCommand(window, WM_SYS_PARAMS);
    ASSERT_FALSE(window->Generating()) << "nothing to list";
    ExpectUnlisted(*window);
    const QString nbsp(QChar(0x00A0));
    EXPECT_EQ(StatValue(*window, 4), "13" + nbsp + "983" + nbsp + "816");
    EXPECT_EQ(StatValue(*window, 3), "");

    // 7 341 of the 13 983 816 combinations sum to at most 50.
    const QStringList passing = RowsUpToSum(49, 6, 50);
    ASSERT_EQ(passing.size(), 7341);
    FilterBySum(window);
    EXPECT_EQ(window->State, 0);
    EXPECT_EQ(RowTexts(*window), passing);
    EXPECT_FALSE(window->rbViewAll->isEnabled()) << "only the filtered view exists";
    EXPECT_EQ(EnabledMask() & (cmdKey | cmdFilter | cmdParams), cmdKey | cmdFilter | cmdParams);

    window->btnFltDel->click();
    ExpectUnlisted(*window);

    // A new key drops the rows the filter kept through the old one.
    FilterBySum(window);
    ASSERT_EQ(window->ViewCount(), 7341);
    sendCommand(window, WM_SYS_KEY);
    auto *key = qobject_cast<TfrmSelectKey *>(frame->ChildForms().back());
    ASSERT_NE(key, nullptr);
    key->btnPerm->click();
    key->btnOK->click();
    ASSERT_TRUE(testsupport::ProcessUntil([&] { return window->isEnabled() && window->ViewCount() == 0; }));
    ExpectUnlisted(*window);
}
