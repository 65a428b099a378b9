#include "controls/ALProgressBar.h"
#include "controls/ALStatusBar.h"
#include "core/UGlobalThreads.h"
#include "engine/USysShort.h"
#include "platform/gui/MessageBox.h"
#include "shell/FGlobalWindows.h"
#include "syswindows/FSysShort.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QLabel>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <thread>

namespace {

// Hands the window each progress report it shows, on the GUI thread.
class ReportingWindow : public TfrmSysShort {
public:
    std::function<void(ReportingWindow &Window, int Pos)> OnReport;

    void DoProgress(int Pos, int Step) override
    {
        TfrmSysShort::DoProgress(Pos, Step);
        if (OnReport)
            OnReport(*this, Pos);
    }
};

// The real generation, whose worker waits at its first progress report until it is asked to stop: the
// window's answer to that report always finds the run going.
bool GenerateUntilStopped(TSysShort &System, const TMyThread &Thread)
{
    const TProgressProc forward = System.Progress.OnProgress;
    System.Progress.OnProgress = [&Thread, forward, first = true](int32_t Pos, int32_t Step) mutable {
        forward(Pos, Step);
        while (first && !Thread.GetTerminated())
            std::this_thread::yield();
        first = false;
    };
    return System.Generate(true, &Thread);
}

} // namespace

class SysShortGenerationTest : public SysWindowTest {
protected:
    // A window holding a small system, active.
    ReportingWindow *WindowWithSystem()
    {
        auto *window = new ReportingWindow;
        AddChildForm(window);
        window->SetGame(Games.GameById(LottoId));
        Activate(window);
        AnswerParams(12, 6, 22);
        sendCommand(window, WM_SYS_PARAMS);
        WaitForGeneration(window);
        return window;
    }

    void ExpectStatusBarCleared()
    {
        EXPECT_EQ(frame->ALStatusBar1->Panels[1].Text, "");
        EXPECT_EQ(frame->ALProgressBar1->Position(), 0);
        EXPECT_EQ(frame->lblProg->text(), "");
    }
};

TEST_F(SysShortGenerationTest, StopDuringAMillionRowsKeepsTheOldSystem)
{
    ReportingWindow *window = WindowWithSystem();
    const QStringList rows = RowTexts(*window);
    const QString title = window->windowTitle();
    const int commands = EnabledMask();

    window->Generator = GenerateUntilStopped;
    int maskWhileRunning = 0;
    window->OnReport = [&](ReportingWindow &, int) {
        if (maskWhileRunning != 0)
            return;
        maskWhileRunning = EnabledMask();
        frame->mTaskStop->trigger();
    };
    AnswerParams(49, 6, 1000000);
    sendCommand(window, WM_SYS_PARAMS);
    EXPECT_TRUE(window->Generating());
    WaitForGeneration(window);

    EXPECT_EQ(maskWhileRunning, cmdRead | cmdStop);
    EXPECT_EQ(RowTexts(*window), rows);
    EXPECT_EQ(window->windowTitle(), title);
    EXPECT_EQ(EnabledMask(), commands);
    ExpectStatusBarCleared();
    EXPECT_TRUE(script.boxes().empty()) << "a stop is not a failure";
}

TEST_F(SysShortGenerationTest, ClosingDuringARunStopsAndJoinsTheWorker)
{
    ReportingWindow *window = WindowWithSystem();
    window->Generator = GenerateUntilStopped;
    bool closed = false, generatingAfterClose = true;
    window->OnReport = [&](ReportingWindow &Window, int) {
        if (closed)
            return;
        closed = Window.Close();
        generatingAfterClose = Window.Generating();
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
    ExpectStatusBarCleared();
}

TEST_F(SysShortGenerationTest, AFailedGenerationSaysSoAndKeepsTheOldSystem)
{
    ReportingWindow *window = WindowWithSystem();
    const QStringList rows = RowTexts(*window);
    const int commands = EnabledMask();
    window->Generator = [](TSysShort &System, const TMyThread &) -> bool {
        System.Progress.OnProgress(5000, 100);
        throw std::runtime_error("generation failed");
    };
    std::vector<int> shown;
    window->OnReport = [&](ReportingWindow &, int Pos) { shown.push_back(Pos); };
    script.answerBox(platform::IDOK);
    AnswerParams(49, 6, 1000000);
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);

    EXPECT_EQ(shown, std::vector<int>{5000});
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Nie udało się wygenerować systemu.");
    EXPECT_EQ(script.boxes()[0].Flags, 48);
    EXPECT_EQ(RowTexts(*window), rows);
    EXPECT_EQ(window->State, 0);
    EXPECT_EQ(EnabledMask(), commands);
    ExpectStatusBarCleared();

    // A generation that reports failure is told the same way.
    window->Generator = [](TSysShort &, const TMyThread &) { return false; };
    script.answerBox(platform::IDOK);
    AnswerParams(49, 6, 10);
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);
    EXPECT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(RowTexts(*window), rows);
}

TEST_F(SysShortGenerationTest, ARunEndingBehindAnotherWindowLeavesThatWindowsCommands)
{
    auto *window = new ReportingWindow;
    AddChildForm(window);
    window->SetGame(Games.GameById(LottoId));
    Activate(window);
    std::atomic<bool> release{false};
    window->Generator = [&release](TSysShort &System, const TMyThread &Thread) {
        while (!release && !Thread.GetTerminated())
            std::this_thread::yield();
        return System.Generate(true, &Thread);
    };
    AnswerParams(12, 6, 22);
    sendCommand(window, WM_SYS_PARAMS);
    OpenClassic();
    release = true;
    WaitForGeneration(window);
    EXPECT_EQ(window->ViewCount(), 22);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdParams);
}
