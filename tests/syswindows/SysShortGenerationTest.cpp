#include "controls/ALProgressBar.h"
#include "controls/ALStatusBar.h"
#include "core/UGlobalThreads.h"
#include "engine/USysShort.h"
#include "platform/gui/MessageBox.h"
#include "shell/FGlobalWindows.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QLabel>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <thread>

namespace {

using ShortReportingWindow = ReportingWindow<TfrmSysShort>;

} // namespace

class SysShortGenerationTest : public SysWindowTest {
protected:
    // An active window holding 22 rows; Rows and Commands as it shows them.
    ShortReportingWindow *WindowWithSystem()
    {
        auto *window = new ShortReportingWindow;
        AddChildForm(window);
        window->SetGame(Games.GameById(LottoId));
        Activate(window);
        AnswerParams(12, 6, 22);
        sendCommand(window, WM_SYS_PARAMS);
        WaitForGeneration(window);
        Rows = RowTexts(*window);
        Commands = EnabledMask();
        return window;
    }

    // The old rows and commands are back, the status bar is empty.
    void ExpectOldSystem(const TGenSysForm &Window)
    {
        EXPECT_EQ(RowTexts(Window), Rows);
        EXPECT_EQ(EnabledMask(), Commands);
        EXPECT_EQ(frame->ALStatusBar1->Panels[1].Text, "");
        EXPECT_EQ(frame->ALProgressBar1->Position(), 0);
        EXPECT_EQ(frame->lblProg->text(), "");
    }

    QStringList Rows;
    int Commands = 0;
};

TEST_F(SysShortGenerationTest, StopDuringAMillionRowsKeepsTheOldSystem)
{
    ShortReportingWindow *window = WindowWithSystem();
    int maskWhileRunning = 0;
    StopAtFirstReport(*window, maskWhileRunning);
    AnswerParams(49, 6, 1000000);
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);
    EXPECT_EQ(maskWhileRunning, cmdRead | cmdStop);
    ExpectOldSystem(*window);
    EXPECT_TRUE(script.boxes().empty()) << "a stop is not a failure";
}

TEST_F(SysShortGenerationTest, ClosingDuringARunStopsAndJoinsTheWorker)
{
    ShortReportingWindow *window = WindowWithSystem();
    window->GenerationHook = BuildUntilStopped;
    bool closed = false, generatingAfterClose = true;
    window->OnReport = [&](int) {
        if (!closed) {
            closed = window->Close();
            generatingAfterClose = window->Generating();
        }
    };
    AnswerParams(49, 6, 1000000);
    sendCommand(window, WM_SYS_PARAMS);
    const QDeadlineTimer guard(120000);
    while (!closed && !guard.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_TRUE(closed);
    EXPECT_FALSE(generatingAfterClose);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame->ChildForms().empty());
}

// Stop, or closing the window, while the last two rows are searched (a search that may walk every
// combination): the run ends there with no rows, and the window answers at once.
TEST_F(SysShortGenerationTest, StopOrCloseWhileTheLastRowsAreSearchedEndsTheRunThere)
{
    for (const bool close : {false, true}) {
        ShortReportingWindow *window = WindowWithSystem();
        TFinishSearchHold hold;
        hold.Attach(*window);
        AnswerParams(12, 6, 30);
        sendCommand(window, WM_SYS_PARAMS);
        ASSERT_TRUE(testsupport::ProcessUntil([&hold] { return hold.Reached.load(); }));
        if (close) {
            EXPECT_TRUE(window->Close());
        } else {
            frame->mTaskStop->trigger();
            QCoreApplication::sendPostedEvents();
        }
        EXPECT_FALSE(window->Generating());
        ASSERT_TRUE(hold.Answered);
        EXPECT_FALSE(hold.Built);
        EXPECT_EQ(hold.Rows, 0);
        EXPECT_EQ(hold.PollsAfter, 0);
        if (close) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_TRUE(frame->ChildForms().empty());
        } else {
            ExpectOldSystem(*window);
            EXPECT_TRUE(window->Close());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    EXPECT_TRUE(script.boxes().empty()) << "a stop is not a failure";
}

TEST_F(SysShortGenerationTest, AFailedGenerationSaysSoAndKeepsTheOldSystem)
{
    ShortReportingWindow *window = WindowWithSystem();
    window->GenerationHook = [](TSystem &System, const TMyThread &, const TGenSysForm::TBuildProc &) -> bool {
        System.Progress.OnProgress(5000, 100);
        throw std::runtime_error("generation failed");
    };
    std::vector<int> shown;
    window->OnReport = [&](int Pos) { shown.push_back(Pos); };
    script.answerBox(platform::IDOK);
    AnswerParams(49, 6, 1000000);
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);
    EXPECT_EQ(shown, std::vector<int>{5000});
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Nie udało się wygenerować systemu.");
    EXPECT_EQ(script.boxes()[0].Flags, 48);
    ExpectOldSystem(*window);
}

TEST_F(SysShortGenerationTest, ARunEndingBehindAnotherWindowLeavesThatWindowsCommands)
{
    ShortReportingWindow *window = WindowWithSystem();
    std::atomic<bool> release{false};
    window->GenerationHook = [&release](TSystem &System, const TMyThread &Thread, const TGenSysForm::TBuildProc &Build) {
        while (!release && !Thread.GetTerminated())
            std::this_thread::yield();
        return Build(System, Thread);
    };
    AnswerParams(12, 6, 30);
    sendCommand(window, WM_SYS_PARAMS);
    OpenClassic();
    release = true;
    WaitForGeneration(window);
    EXPECT_EQ(window->ViewCount(), 30);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdParams);
}
