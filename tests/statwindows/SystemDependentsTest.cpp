// The windows that hold a system window's system (statistics, guarantee) close before that system is
// replaced; a check window, which looks the system up through its parent, stays with the new one.
#include "controls/FloatSpin.h"
#include "engine/USysGeneral.h"
#include "engine/USysShort.h"
#include "statwindows/FStatFreq.h"
#include "syswindows/FCheckSystem.h"
#include "syswindows/FGuarSysShort.h"
#include "syswindows/FParSysShort.h"
#include "syswindows/FSysGeneral.h"
#include "tests/statwindows/StatWindowTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

class SystemDependentsTest : public StatWindowTest {
protected:
    // "Parametry" answered with N, K and Count (a classic system with random ties), and the generation
    // waited for.
    void Generate(int N, int K, int Count)
    {
        script.onDialog([=](QDialog &Dialog) {
            auto &params = dynamic_cast<TGenParSysForm &>(Dialog);
            params.seCDraws->setText(QString::number(K));
            params.seCNum->setText(QString::number(N));
            params.seCComb->setText(QString::number(Count));
            if (auto *classic = dynamic_cast<TfrmParSysShort *>(&params))
                classic->chkRandom->setChecked(true);
            params.btnOk->click();
        });
        sendCommand(system, WM_SYS_PARAMS);
        WaitForSystem(Count);
    }

    void WaitForSystem(int Count)
    {
        ASSERT_TRUE(ProcessUntil([&] { return !system->Generating(); }));
        ASSERT_EQ(system->State, 0);
        ASSERT_EQ(system->ViewCount(), Count);
    }

    // The main window, a classic system of Count rows of K out of N, and "Częstotliwości" over it,
    // computed once (the single numbers of its rows).
    void OpenSystemAndStatistics(int N, int K, int Count)
    {
        OpenFrame();
        OpenSystemWindow(0);
        system = NewestChild<TGenSysForm>();
        ASSERT_NE(system, nullptr);
        ASSERT_NO_FATAL_FAILURE(Generate(N, K, Count));
        stat = OpenFrequencies();
    }

    QPointer<TfrmStatFreq> OpenFrequencies()
    {
        sendCommand(system, WM_SYS_STATS, 0);
        auto *window = NewestChild<TfrmStatFreq>();
        EXPECT_NE(window, nullptr);
        if (!window)
            return nullptr;
        window->seCombLen->SetValue(1);
        window->seMinFreq->SetValue(1);
        window->chkMaxRows->setChecked(false);
        sendCommand(window, WM_TASK_START);
        WaitForResults(window);
        EXPECT_EQ(window->State, 0);
        return window;
    }

    void OpenCheck()
    {
        sendCommand(system, WM_SYS_CHECK);
        check = NewestChild<TfrmCheckSystem>();
        ASSERT_NE(check, nullptr);
    }

    // Once the system has been replaced: what the user does next in the statistics window, were it
    // still open (Start, F5, which reads the system), then only the check window is left.
    void ExpectOnlyTheCheckWindowLeft()
    {
        ProcessPosted();
        if (stat) {
            sendCommand(stat.data(), WM_TASK_START);
            WaitForResults(stat);
        }
        EXPECT_TRUE(stat.isNull());
        ASSERT_FALSE(check.isNull());
        ASSERT_EQ(system->ChildWindows.Count(), 1);
        EXPECT_EQ(system->ChildWindows.GetItem(0)->Form, check.data());
    }

    TGenSysForm *system = nullptr;
    QPointer<TfrmStatFreq> stat;
    QPointer<TfrmCheckSystem> check;
};

TEST_F(SystemDependentsTest, GeneratingAgainClosesTheStatisticsWindowAndKeepsTheCheckWindow)
{
    ASSERT_NO_FATAL_FAILURE(OpenSystemAndStatistics(10, 6, 12));
    ASSERT_NO_FATAL_FAILURE(OpenCheck());
    ASSERT_EQ(system->ChildWindows.Count(), 2);

    ASSERT_NO_FATAL_FAILURE(Generate(14, 6, 30));
    ExpectOnlyTheCheckWindowLeft();

    // Closing the system window closes the rest.
    ASSERT_TRUE(system->Close());
    ProcessPosted();
    EXPECT_TRUE(check.isNull());
}

TEST_F(SystemDependentsTest, AGivenSystemClosesTheStatisticsAndTheComputingGuaranteeWindows)
{
    // C(10, 6) rows: every combination in order, so the guarantee starts without its dialog.
    ASSERT_NO_FATAL_FAILURE(OpenSystemAndStatistics(10, 6, 210));
    sendCommand(system, WM_SYS_GUARANTEE);
    QPointer<TfrmGuarSysShort> guarantee = NewestChild<TfrmGuarSysShort>();
    ASSERT_NE(guarantee, nullptr);
    // Its end would reach the window through the event loop, which has not run since.
    ASSERT_EQ(guarantee->State, 2);
    ASSERT_NO_FATAL_FAILURE(OpenCheck());
    ASSERT_EQ(system->ChildWindows.Count(), 3);

    // Another system given to the window, as the reading road gives one.
    std::unique_ptr<TSystem> other = CreateSystem(skShort, &Lotto());
    auto &classic = dynamic_cast<TSysShort &>(*other);
    classic.SetParams(12, 6, 20);
    ASSERT_TRUE(classic.Generate(true));
    system->OpenSystem(&Lotto(), std::move(other));
    ExpectOnlyTheCheckWindowLeft();
    EXPECT_TRUE(guarantee.isNull());
    EXPECT_EQ(system->ViewCount(), 20);
}

TEST_F(SystemDependentsTest, DrawingAClassicOrARandomSystemAgainClosesTheStatisticsWindow)
{
    OpenFrame();
    for (const int selectorItem : {0, 2}) { // classic, random
        SCOPED_TRACE(selectorItem);
        OpenSystemWindow(selectorItem);
        system = NewestChild<TGenSysForm>();
        ASSERT_NE(system, nullptr);
        ASSERT_NO_FATAL_FAILURE(Generate(12, 6, 22));
        stat = OpenFrequencies();
        ASSERT_FALSE(stat.isNull());
        frame->MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(system->parentWidget()));
        sendCommand(system, WM_TASK_START);
        ASSERT_NO_FATAL_FAILURE(WaitForSystem(22));
        ProcessPosted();
        EXPECT_TRUE(stat.isNull());
        EXPECT_EQ(system->ChildWindows.Count(), 0);
    }
}
