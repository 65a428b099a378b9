// The windows that hold a system window's system (statistics, guarantee) close before that system is
// replaced; a check window, which looks the system up through its parent, stays with the new one.
#include "controls/FloatSpin.h"
#include "engine/USysGeneral.h"
#include "engine/USysShort.h"
#include "statwindows/FStatFreq.h"
#include "syswindows/FCheckSystem.h"
#include "syswindows/FGuarSysShort.h"
#include "syswindows/FParSysShort.h"
#include "syswindows/FSysShort.h"
#include "tests/statwindows/StatWindowTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

class SystemDependentsTest : public StatWindowTest {
protected:
    void AnswerParams(int N, int K, int Count)
    {
        script.onDialog([=](QDialog &Dialog) {
            auto &params = dynamic_cast<TfrmParSysShort &>(Dialog);
            params.seCDraws->setText(QString::number(K));
            params.seCNum->setText(QString::number(N));
            params.seCComb->setText(QString::number(Count));
            params.btnOk->click();
        });
    }

    // "Parametry" answered with N, K and Count, and the generation waited for.
    void Generate(TfrmSysShort *Window, int N, int K, int Count)
    {
        AnswerParams(N, K, Count);
        sendCommand(Window, WM_SYS_PARAMS);
        ASSERT_TRUE(ProcessUntil([&] { return !Window->Generating(); }));
        ASSERT_EQ(Window->State, 0);
        ASSERT_EQ(Window->ViewCount(), Count);
    }

    TfrmSysShort *OpenClassic()
    {
        OpenSystemWindow(0);
        return NewestChild<TfrmSysShort>();
    }

    // "Częstotliwości" over the system, computed once (the single numbers of its rows).
    QPointer<TfrmStatFreq> OpenFrequencies(TfrmSysShort *System)
    {
        sendCommand(System, WM_SYS_STATS, 0);
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

    // What the user does next in a statistics window still open: Start (F5) and its report header.
    void StartAgain(const QPointer<TfrmStatFreq> &Window)
    {
        if (!Window)
            return;
        sendCommand(Window.data(), WM_TASK_START);
        WaitForResults(Window);
    }
};

TEST_F(SystemDependentsTest, GeneratingAgainClosesTheStatisticsWindowAndKeepsTheCheckWindow)
{
    OpenFrame();
    TfrmSysShort *system = OpenClassic();
    ASSERT_NE(system, nullptr);
    Generate(system, 10, 6, 12);
    QPointer<TfrmStatFreq> stat = OpenFrequencies(system);
    sendCommand(system, WM_SYS_CHECK);
    QPointer<TfrmCheckSystem> check = NewestChild<TfrmCheckSystem>();
    ASSERT_NE(check, nullptr);
    ASSERT_EQ(system->ChildWindows.Count(), 2);

    Generate(system, 14, 6, 30);
    ProcessPosted();
    StartAgain(stat);
    EXPECT_TRUE(stat.isNull());
    ASSERT_FALSE(check.isNull());
    ASSERT_EQ(system->ChildWindows.Count(), 1);
    EXPECT_EQ(system->ChildWindows.GetItem(0)->Form, check.data());

    // A new statistics window counts the new system's 30 rows of 6.
    QPointer<TfrmStatFreq> fresh = OpenFrequencies(system);
    ASSERT_FALSE(fresh.isNull());
    int64_t total = 0;
    for (int row = 1; row < fresh->grid->RowCount(); ++row) {
        QString text;
        fresh->grid->GetCellText(2, row, text);
        total += text.trimmed().toLongLong();
    }
    EXPECT_EQ(total, 30 * 6);

    ASSERT_TRUE(system->Close());
    ProcessPosted();
    EXPECT_TRUE(fresh.isNull());
    EXPECT_TRUE(check.isNull());
}

TEST_F(SystemDependentsTest, AGivenSystemClosesTheStatisticsAndTheComputingGuaranteeWindows)
{
    OpenFrame();
    TfrmSysShort *system = OpenClassic();
    ASSERT_NE(system, nullptr);
    // C(10, 6) rows: every combination in order, so the guarantee starts without its dialog.
    Generate(system, 10, 6, 210);
    QPointer<TfrmStatFreq> stat = OpenFrequencies(system);
    sendCommand(system, WM_SYS_GUARANTEE);
    QPointer<TfrmGuarSysShort> guarantee = NewestChild<TfrmGuarSysShort>();
    ASSERT_NE(guarantee, nullptr);
    // Its end would reach the window through the event loop, which has not run since.
    ASSERT_EQ(guarantee->State, 2);
    sendCommand(system, WM_SYS_CHECK);
    QPointer<TfrmCheckSystem> check = NewestChild<TfrmCheckSystem>();
    ASSERT_NE(check, nullptr);
    ASSERT_EQ(system->ChildWindows.Count(), 3);

    // A system read from a file, given to the window.
    std::unique_ptr<TSystem> read = CreateSystem(skShort, &Lotto());
    {
        std::unique_ptr<TSystem> saved = CreateSystem(skShort, &Lotto());
        auto &classic = dynamic_cast<TSysShort &>(*saved);
        classic.SetParams(12, 6, 20);
        ASSERT_TRUE(classic.Generate(true));
        const std::string file = (folder->path() / "L1.dat").string();
        ASSERT_TRUE(saved->SaveToFile(file, "Dwanaście", ""));
        ASSERT_TRUE(read->LoadFromFile(file));
    }
    system->OpenSystem(&Lotto(), std::move(read));
    ProcessPosted();
    StartAgain(stat);
    EXPECT_TRUE(stat.isNull());
    EXPECT_TRUE(guarantee.isNull());
    ASSERT_FALSE(check.isNull());
    ASSERT_EQ(system->ChildWindows.Count(), 1);
    EXPECT_EQ(system->ChildWindows.GetItem(0)->Form, check.data());
    EXPECT_EQ(system->ViewCount(), 20);
}
