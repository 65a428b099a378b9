// The random system window: what it draws, drawing again, its game, and a draw stopped or failed.
#include "engine/USysRnd.h"
#include "platform/gui/MessageBox.h"
#include "shell/FGlobalWindows.h"
#include "syswindows/FParSysRnd.h"
#include "syswindows/FSysRnd.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <set>
#include <stdexcept>

namespace {

constexpr uint8_t MultiId = 3; // 80 numbers

} // namespace

class SysRndWindowTest : public SysWindowTest {
protected:
    // An active random window on Lotto holding 50 rows of 6 of 20 numbers.
    ReportingWindow<TfrmSysRnd> *WindowWithSystem()
    {
        auto *window = new ReportingWindow<TfrmSysRnd>;
        AddChildForm(window);
        window->SetGame(Games.GameById(LottoId));
        Activate(window);
        GenerateIn(window, 20, 6, 50);
        Rows = RowTexts(*window);
        Commands = EnabledMask();
        return window;
    }

    QStringList Rows;
    int Commands = 0;
};

TEST_F(SysRndWindowTest, DrawsCountDistinctAscendingRowsAndStartDrawsThemAgain)
{
    TGenSysForm *window = OpenBySelector(2);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdParams);
    GenerateIn(window, 20, 6, 50);
    const QStringList first = RowTexts(*window);
    ASSERT_EQ(first.size(), 50);
    std::set<std::vector<int>> distinct;
    for (const QString &row : first) {
        const std::vector<int> numbers = RowNumbers(row);
        ASSERT_EQ(numbers.size(), 6u) << row.toStdString();
        EXPECT_TRUE(std::is_sorted(numbers.begin(), numbers.end()) &&
                    std::adjacent_find(numbers.begin(), numbers.end()) == numbers.end())
            << row.toStdString();
        EXPECT_GE(numbers.front(), 1);
        EXPECT_LE(numbers.back(), 20);
        distinct.insert(numbers);
    }
    EXPECT_EQ(distinct.size(), 50u);
    // 50 of C(20, 6) = 38 760 combinations.
    const QString nbsp(QChar(0x00A0));
    EXPECT_EQ(InfoValues(*window), (QStringList{"6", "20", "50", "38" + nbsp + "760", "0,00129", "3,00" + nbsp + "zł",
                                                "150,00" + nbsp + "zł"}));
    EXPECT_EQ(EnabledMask() & (cmdParams | cmdStart), cmdParams | cmdStart);
    // The dialog keeps the numbers, the numbers per combination and the count, and no random option.
    EXPECT_EQ(store().value("Systems\\1\\4", "n"), platform::RegValue(uint32_t(20)));
    EXPECT_EQ(store().value("Systems\\1\\4", "Ns"), platform::RegValue(uint32_t(50)));
    EXPECT_FALSE(store().value("Systems\\1\\4", "Rnd"));

    sendCommand(window, WM_TASK_START);
    WaitForGeneration(window);
    const QStringList second = RowTexts(*window);
    ASSERT_EQ(second.size(), 50);
    EXPECT_NE(second, first) << "a new draw of 50 of 38 760 combinations";
}

TEST_F(SysRndWindowTest, KeepsItsGameWhenTheCurrentGameChanges)
{
    TGenSysForm *window = OpenBySelector(2);
    SelectGame(MultiId);
    Activate(window);
    script.onDialog([](QDialog &Dialog) {
        auto &params = dynamic_cast<TfrmParSysRnd &>(Dialog);
        EXPECT_EQ(params.seCNum->MaxValue(), 49);
        params.seCNum->setText("49");
        params.seCComb->setText("10");
        params.btnOk->click();
    });
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);
    ASSERT_EQ(window->ViewCount(), 10);
    EXPECT_EQ(window->System->Game, Games.GameById(LottoId));
    EXPECT_TRUE(window->windowTitle().startsWith("<Lotto #1> ")) << window->windowTitle().toStdString();
    EXPECT_TRUE(store().value("Systems\\1\\4", "n"));
    EXPECT_FALSE(store().value("Systems\\3\\4", "n"));
}

TEST_F(SysRndWindowTest, StopDuringALongDrawKeepsTheOldRowsAndAFailedDrawSaysSo)
{
    ReportingWindow<TfrmSysRnd> *window = WindowWithSystem();
    int maskWhileRunning = 0;
    StopAtFirstReport(*window, maskWhileRunning);
    // Nearly all of C(30, 6) = 593 775 combinations: the last rows take many draws each.
    AnswerParams(30, 6, 590000);
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);
    EXPECT_EQ(maskWhileRunning, cmdRead | cmdStop);
    EXPECT_EQ(RowTexts(*window), Rows);
    EXPECT_EQ(EnabledMask(), Commands);
    EXPECT_TRUE(script.boxes().empty()) << "a stop is not a failure";

    window->GenerationHook = [](TSystem &, const TMyThread &, const TGenSysForm::TBuildProc &) -> bool {
        throw std::runtime_error("draw failed");
    };
    script.answerBox(platform::IDOK);
    sendCommand(window, WM_TASK_START);
    WaitForGeneration(window);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Nie udało się wygenerować systemu.");
    EXPECT_EQ(script.boxes()[0].Flags, 48);
    EXPECT_EQ(RowTexts(*window), Rows);
    EXPECT_EQ(EnabledMask(), Commands);
}
