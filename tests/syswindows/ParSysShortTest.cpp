#include "controls/FloatSpin.h"
#include "shell/FGlobalGrids.h"
#include "syswindows/FParSysShort.h"
#include "tests/support/HangGuard.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include <tuple>

namespace {

const QString nbsp = QString(QChar(0x00A0));
const char *const Section = "Systems\\1\\0";

} // namespace

class ParSysShortTest : public SysWindowTest {
protected:
    TGameData *Lotto() const { return Games.GameById(LottoId); }

    void StoreParams(uint32_t N, uint32_t K, uint32_t Count, uint32_t Random)
    {
        store().setValue(Section, "n", N);
        store().setValue(Section, "k", K);
        store().setValue(Section, "Ns", Count);
        store().setValue(Section, "Rnd", Random);
    }

    static void ExpectSpins(const TfrmParSysShort &Dialog, const QString &K, const QString &N, const QString &Count)
    {
        EXPECT_EQ(Dialog.seCDraws->text(), K);
        EXPECT_EQ(Dialog.seCNum->text(), N);
        EXPECT_EQ(Dialog.seCComb->text(), Count);
    }

    static QStringList GuarRow(const TfrmParSysShort &Dialog, int Row)
    {
        QStringList cells;
        for (int col = 0; col < Dialog.sgGuar->ColCount(); ++col)
            cells << Dialog.sgGuar->Cells(col, Row);
        return cells;
    }

    TfrmParSysShort dialog;
};

TEST_F(ParSysShortTest, AnEmptyWindowStartsFromTheGamesBetWithOneCombination)
{
    dialog.Init(Lotto(), 0, true, true, 0, 0, 0);
    ExpectSpins(dialog, "6", "6", "1");
    EXPECT_FALSE(dialog.chkRandom->isChecked());
    EXPECT_EQ(dialog.seCDraws->MaxValue(), 12);
    EXPECT_EQ(dialog.seCNum->MaxValue(), 49);
    EXPECT_EQ(dialog.sgStat->Cells(1, 1), "1");
    EXPECT_EQ(dialog.sgStat->Cells(1, 2), "1,00000");
    EXPECT_EQ(dialog.sgStat->Cells(1, 4), "3,00" + nbsp + "zł");
    dialog.show();
    EXPECT_EQ(dialog.sgStat->Cells(1, 3), "3,00" + nbsp + "zł") << "the stake is shown with the dialog";
}

TEST_F(ParSysShortTest, StoredValuesAreReadAndThoseOutOfRangeCorrected)
{
    StoreParams(12, 6, 22, 1);
    dialog.Init(Lotto(), 0, true, false, 0, 0, 0);
    ExpectSpins(dialog, "6", "12", "22");
    EXPECT_TRUE(dialog.chkRandom->isChecked());

    TfrmParSysShort tooLarge;
    StoreParams(50, 13, 5, 0);
    tooLarge.Init(Lotto(), 0, true, false, 0, 0, 0);
    ExpectSpins(tooLarge, "6", "6", "1");

    TfrmParSysShort moreThanNumbers;
    StoreParams(7, 8, 0, 0);
    moreThanNumbers.Init(Lotto(), 0, true, false, 0, 0, 0);
    ExpectSpins(moreThanNumbers, "8", "8", "1");
}

TEST_F(ParSysShortTest, AWindowWithASystemStartsFromItsOwnValues)
{
    StoreParams(20, 5, 3, 0);
    dialog.Init(Lotto(), 12, false, true, 0, 22, 6);
    ExpectSpins(dialog, "6", "12", "22");
    EXPECT_TRUE(dialog.chkRandom->isChecked());
}

TEST_F(ParSysShortTest, NumbersAndCombinationsFollowTheNumbersPerCombination)
{
    dialog.Init(Lotto(), 10, false, false, 0, 100, 6);
    EXPECT_EQ(dialog.seCComb->MaxValue(), 210);
    dialog.seCDraws->setText("8");
    EXPECT_EQ(dialog.seCNum->MinValue(), 8);
    EXPECT_EQ(dialog.seCNum->text(), "10");
    EXPECT_EQ(dialog.seCComb->MaxValue(), 45);
    EXPECT_EQ(dialog.seCComb->text(), "45") << "a count above C(10, 8) is cut down to it";

    dialog.seCDraws->setText("11");
    EXPECT_EQ(dialog.seCNum->text(), "11") << "the numbers never fall below the numbers per combination";
    EXPECT_EQ(dialog.seCComb->text(), "1");

    dialog.seCNum->setText("5");
    EXPECT_EQ(dialog.sgStat->Cells(1, 1), "1") << "a number of numbers below its minimum waits";
    dialog.seCNum->setText("13");
    EXPECT_EQ(dialog.sgStat->Cells(1, 1), "78");
}

TEST_F(ParSysShortTest, TheNumbersCanBeRetypedFromAnEmptyField)
{
    dialog.Init(Lotto(), 0, true, true, 0, 0, 0);
    dialog.show();
    dialog.seCNum->setFocus();
    dialog.seCNum->selectAll();
    QTest::keyClick(dialog.seCNum, Qt::Key_Backspace);
    EXPECT_EQ(dialog.seCNum->text(), "") << "an empty field waits for the rest of the number";
    QTest::keyClicks(dialog.seCNum, "12");
    EXPECT_EQ(dialog.seCNum->text(), "12");
    EXPECT_EQ(dialog.sgStat->Cells(1, 1), "924");
}

TEST_F(ParSysShortTest, CostRowsShowTheCombinationsTheirShareAndTheirPrice)
{
    dialog.Init(Lotto(), 12, false, false, 0, 22, 6);
    EXPECT_EQ(dialog.sgStat->Cells(1, 1), "924");
    EXPECT_EQ(dialog.sgStat->Cells(1, 2), "0,02381");
    EXPECT_EQ(dialog.sgStat->Cells(1, 4), "66,00" + nbsp + "zł");

    dialog.seCNum->setText("49");
    dialog.seCComb->setText("1");
    EXPECT_EQ(dialog.sgStat->Cells(1, 1), "13" + nbsp + "983" + nbsp + "816");
    EXPECT_EQ(dialog.sgStat->Cells(1, 2), "< 0,00001");

    // Eight numbers per combination are played as their 28 six-number bets.
    dialog.seCDraws->setText("8");
    EXPECT_EQ(dialog.sgStat->Cells(1, 4), "84,00" + nbsp + "zł");
}

TEST_F(ParSysShortTest, HitTableShowsTheFullSystemsPrizesScaledToTheCombinations)
{
    // 22 of the 924 combinations of 12 numbers: each count of the full system divided by 42.
    dialog.Init(Lotto(), 12, false, false, 0, 22, 6);
    ASSERT_EQ(dialog.sgGuar->ColCount(), 6);
    ASSERT_EQ(dialog.sgGuar->RowCount(), 5);
    EXPECT_EQ(GuarRow(dialog, 0), (QStringList{"Traf.", "6", "5", "4", "3", "Wygrana"}));
    for (int col = 1; col <= 4; ++col)
        EXPECT_EQ(dialog.sgGuar->ColWidths(col), ScaledWidth(50 - col));
    EXPECT_EQ(dialog.sgGuar->ColWidths(5), ScaledWidth(115));
    EXPECT_EQ(GuarRow(dialog, 1), (QStringList{"6", "0,02", "0,86", "5,36", "9,52", "52" + nbsp + "079,76" + nbsp + "zł"}));
    EXPECT_EQ(GuarRow(dialog, 2), (QStringList{"5", "", "0,17", "2,50", "8,33", "1" + nbsp + "241,67" + nbsp + "zł"}));
    EXPECT_EQ(GuarRow(dialog, 3), (QStringList{"4", "", "", "0,67", "5,33", "228,00" + nbsp + "zł"}));
    EXPECT_EQ(GuarRow(dialog, 4), (QStringList{"3", "", "", "", "2,00", "48,00" + nbsp + "zł"}));

    // Fewer cases afterwards leave no row of the earlier table behind.
    dialog.seCNum->setText("49");
    dialog.seCDraws->setText("1");
    EXPECT_EQ(dialog.sgGuar->ColCount(), 2);
    EXPECT_EQ(GuarRow(dialog, 0), (QStringList{"Traf.", "Wygrana"}));
}

TEST_F(ParSysShortTest, OkKeepsTheValuesForTheGameAndCancelWritesNothing)
{
    dialog.Init(Lotto(), 0, true, false, 0, 0, 0);
    dialog.seCNum->setText("12");
    dialog.seCComb->setText("22");
    dialog.chkRandom->setChecked(true);
    dialog.btnCancel->click();
    EXPECT_EQ(dialog.result(), 2);
    EXPECT_FALSE(store().value(Section, "n"));

    dialog.btnOk->click();
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(dialog.N, 12);
    EXPECT_EQ(dialog.K, 6);
    EXPECT_EQ(dialog.Count, 22);
    EXPECT_TRUE(dialog.Random);
    EXPECT_EQ(store().value(Section, "n"), platform::RegValue(uint32_t(12)));
    EXPECT_EQ(store().value(Section, "k"), platform::RegValue(uint32_t(6)));
    EXPECT_EQ(store().value(Section, "Ns"), platform::RegValue(uint32_t(22)));
    EXPECT_EQ(store().value(Section, "Rnd"), platform::RegValue(uint32_t(1)));
}

TEST_F(ParSysShortTest, OkTakesValuesTypedOutOfRangeWithinTheirRanges)
{
    dialog.Init(Lotto(), 12, false, false, 0, 22, 6);
    dialog.seCComb->setText("0");
    dialog.btnOk->click();
    EXPECT_EQ(dialog.Count, 1);
    EXPECT_EQ(dialog.N, 12);
}

TEST_F(ParSysShortTest, EnterShowsAndMakesWhatTheFieldsHoldWithinTheirRanges)
{
    // Eight numbers per combination of nine; the five typed wait for the rest of the number until Enter.
    dialog.Init(Lotto(), 9, false, false, 0, 9, 8);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog, testsupport::HangGuardMs));
    dialog.seCNum->selectAll();
    QTest::keyClicks(dialog.seCNum, "5");
    EXPECT_EQ(dialog.sgStat->Cells(1, 1), "9");
    QTest::keyClick(dialog.seCNum, Qt::Key_Return);
    ExpectSpins(dialog, "8", "8", "1");
    EXPECT_EQ(dialog.sgStat->Cells(1, 1), "1");
    EXPECT_EQ(dialog.sgStat->Cells(1, 4), "84,00" + nbsp + "zł");
    EXPECT_EQ(std::tuple(dialog.result(), dialog.N, dialog.K, dialog.Count), std::tuple(1, 8, 8, 1));

    // An emptied count waits too, then is one combination.
    dialog.Init(Lotto(), 12, false, false, 0, 22, 6);
    dialog.seCComb->clear();
    EXPECT_EQ(dialog.sgStat->Cells(1, 4), "66,00" + nbsp + "zł");
    dialog.btnOk->click();
    EXPECT_EQ(dialog.seCComb->text(), "1");
    EXPECT_EQ(dialog.sgStat->Cells(1, 4), "3,00" + nbsp + "zł");
    EXPECT_EQ(dialog.Count, 1);
}
