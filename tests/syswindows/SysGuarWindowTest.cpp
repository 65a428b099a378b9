// The guaranteed system window: a covering found in the system's worker, a search stopped, closed or
// started over a check window, a failing one, and the dialog's 5-byte record.
#include "core/UComb.h"
#include "engine/USysGuar.h"
#include "platform/MemoryStatus.h"
#include "platform/gui/MessageBox.h"
#include "shell/FConfig.h"
#include "shell/FGlobalWindows.h"
#include "shell/ProgressPanel.h"
#include "syswindows/FParSysGuar.h"
#include "syswindows/FSysGuar.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <atomic>
#include <memory>

namespace {

constexpr int GuarSelectorIndex = 6;

} // namespace

class SysGuarWindowTest : public SysWindowTest {
protected:
    void TearDown() override
    {
        platform::setAvailableMemoryProbe(nullptr);
        SysWindowTest::TearDown();
    }

    void AnswerGuar(int N, int K, int G, int H)
    {
        script.onDialog([=](QDialog &Dialog) {
            auto &params = dynamic_cast<TfrmParSysGuar &>(Dialog);
            params.seCDraws->setText(QString::number(K));
            params.seCNum->setText(QString::number(N));
            params.seGuarHit->setText(QString::number(G));
            params.seHit->setText(QString::number(H));
            params.btnOk->click();
        });
    }

    static void WaitForSearch(TfrmSysGuar *Window)
    {
        ASSERT_TRUE(testsupport::ProcessUntil([Window] { return Window->State != TfrmSysGuar::Searching; }));
    }

    TfrmSysGuar *Search(TfrmSysGuar *Window, int N, int K, int G, int H)
    {
        AnswerGuar(N, K, G, H);
        sendCommand(Window, WM_SYS_PARAMS);
        WaitForSearch(Window);
        return Window;
    }

    TfrmSysGuar *OpenGuar() { return qobject_cast<TfrmSysGuar *>(OpenBySelector(GuarSelectorIndex)); }

    // The search's worker waits before the seed that follows its first progress report until it is told
    // to stop; Left is set once it has gone on.
    void HoldAfterFirstReport(TfrmSysGuar *Window)
    {
        TSysGuar *system = Window->SysGuar;
        const TProgressProc forward = system->Progress.OnProgress;
        auto reported = std::make_shared<bool>(false);
        system->Progress.OnProgress = [forward, reported](int32_t Pos, int32_t Step) {
            *reported = true;
            forward(Pos, Step);
        };
        system->OnPoll = [this, reported, held = false](const TMyThread &Worker) mutable {
            if (!*reported || held)
                return;
            held = Held = true;
            while (!Worker.GetTerminated())
                std::this_thread::yield();
            Left = true;
        };
    }

    // A search of 20 numbers whose worker is held after its first report.
    void StartHeldSearch(TfrmSysGuar *Window)
    {
        HoldAfterFirstReport(Window);
        AnswerGuar(20, 6, 3, 6);
        sendCommand(Window, WM_SYS_PARAMS);
        ASSERT_TRUE(testsupport::ProcessUntil([this] { return Held.load(); }));
    }

    std::atomic<bool> Held{false};
    std::atomic<bool> Left{false};
};

TEST_F(SysGuarWindowTest, EveryFourOfTenNumbersMeetARowInThree)
{
    TfrmSysGuar *window = OpenGuar();
    EXPECT_EQ(EnabledMask(), cmdRead | cmdParams);
    Search(window, 10, 6, 3, 4);
    ASSERT_EQ(window->State, 0);
    std::vector<std::vector<int>> rows;
    for (const QString &row : RowTexts(*window))
        rows.push_back(RowNumbers(row));
    ASSERT_FALSE(rows.empty());
    TDynByteArr drawn(4, 0);
    for (int i = 0; i < Newton[10][4]; ++i) {
        NextComb(drawn, 10, 4, i == 0);
        bool met = false;
        for (const std::vector<int> &row : rows) {
            ASSERT_EQ(row.size(), 6u);
            int hits = 0;
            for (uint8_t number : drawn)
                hits += int(std::count(row.begin(), row.end(), int(number)));
            met = met || hits >= 3;
        }
        EXPECT_TRUE(met) << int(drawn[0]) << " " << int(drawn[1]) << " " << int(drawn[2]) << " " << int(drawn[3]);
    }
    // C(9, 3) div C(6, 3) = 4 estimated; the rows found and their cost.
    EXPECT_EQ(StatValue(*window, 5), "4");
    EXPECT_EQ(StatValue(*window, 6), QString::number(rows.size()));
    EXPECT_TRUE(WindowsAtWork().isEmpty());
    EXPECT_EQ(EnabledMask() & (cmdParams | cmdStart | cmdStop), cmdParams | cmdStart);
    EXPECT_EQ(store().value("Systems\\1\\7", "Params"), platform::RegValue(platform::Bytes{1, 10, 6, 3, 4}));
}

TEST_F(SysGuarWindowTest, StopMidSearchLeavesNoSystemAndStartSearchesAgain)
{
    auto *window = new ReportingWindow<TfrmSysGuar>;
    AddChildForm(window);
    window->SetGame(Games.GameById(LottoId));
    Activate(window);
    HoldAfterFirstReport(window);
    int maskWhileSearching = 0;
    window->OnReport = [&](int) {
        if (maskWhileSearching != 0)
            return;
        maskWhileSearching = EnabledMask();
        EXPECT_FALSE(window->Panel1->isHidden());
        frame->mTaskStop->trigger();
    };
    AnswerGuar(20, 6, 3, 6);
    sendCommand(window, WM_SYS_PARAMS);
    WaitForSearch(window);
    EXPECT_EQ(maskWhileSearching, cmdRead | cmdStop);
    EXPECT_TRUE(Left);
    EXPECT_EQ(window->State, 1);
    EXPECT_TRUE(WindowsAtWork().isEmpty());
    EXPECT_TRUE(window->Panel1->isHidden());
    EXPECT_EQ(EnabledMask(), cmdRead | cmdParams | cmdStart);
    EXPECT_TRUE(script.boxes().empty()) << "a stop says nothing";

    window->OnReport = nullptr;
    sendCommand(window, WM_TASK_START);
    WaitForSearch(window);
    EXPECT_EQ(window->State, 0);
    EXPECT_GT(window->ViewCount(), 0);
}

TEST_F(SysGuarWindowTest, ClosingDuringASearchJoinsTheWorkerBeforeTheSystemGoes)
{
    TfrmSysGuar *window = OpenGuar();
    ASSERT_NO_FATAL_FAILURE(StartHeldSearch(window));
    const QPointer<TfrmSysGuar> closing(window);
    window->Close();
    EXPECT_TRUE(Left) << "the worker has ended when the window has closed";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closing.isNull());
    EXPECT_TRUE(script.boxes().empty());
}

TEST_F(SysGuarWindowTest, TheOptionsRefuseOkDuringASearchAndNameTheWindow)
{
    TfrmSysGuar *window = OpenGuar();
    ASSERT_NO_FATAL_FAILURE(StartHeldSearch(window));
    bool accepted = true;
    script.onDialog([&](QDialog &Dialog) {
        auto &config = dynamic_cast<TfrmConfig &>(Dialog);
        script.answerBox(platform::IDOK);
        config.btnOK->click();
        accepted = config.result() == QDialog::Accepted;
    });
    frame->mToolConfig->trigger();
    EXPECT_FALSE(accepted);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, QStringLiteral("Nie można teraz zmienić ustawień, bo trwają obliczenia.\n"
                                                     "Zatrzymaj obliczenia w oknach:\n") +
                                          window->windowTitle());
    sendCommand(window, WM_TASK_STOP);
    EXPECT_TRUE(Left);
    EXPECT_EQ(window->State, 1);
}

TEST_F(SysGuarWindowTest, ASearchClosesTheCheckWindowOnTheSystemItRewrites)
{
    TfrmSysGuar *window = Search(OpenGuar(), 10, 6, 3, 4);
    ASSERT_EQ(window->State, 0);
    sendCommand(window, WM_SYS_CHECK);
    ASSERT_EQ(window->ChildWindows.Count(), 1);
    const QPointer<TGenForm> check(window->ChildWindows.GetItem(0)->Form);
    Activate(window);
    sendCommand(window, WM_TASK_START);
    EXPECT_EQ(window->ChildWindows.Count(), 0);
    WaitForSearch(window);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(check.isNull());
    EXPECT_EQ(window->State, 0);
    EXPECT_GT(window->ViewCount(), 0);
}

TEST_F(SysGuarWindowTest, ACoveringTableBeyondMemorySaysWhy)
{
    platform::setAvailableMemoryProbe([] { return uint64_t(0); });
    TfrmSysGuar *window = OpenGuar();
    script.answerBox(platform::IDOK);
    Search(window, 12, 6, 3, 5);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Za mało pamięci na tablicę pokrycia 10 liczb po 3.");
    EXPECT_EQ(script.boxes()[0].Flags, 48);
    EXPECT_EQ(window->State, 1);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdParams | cmdStart);
}

// Valid byte, N, K, G, H: a stored record opens the dialog, an unwritten one gives the defaults, and OK
// writes the values shown.
TEST_F(SysGuarWindowTest, TheDialogsRecordIsFiveBytes)
{
    const auto shown = [](const TfrmParSysGuar &Dialog) {
        return QStringList{Dialog.seCNum->text(), Dialog.seCDraws->text(), Dialog.seGuarHit->text(), Dialog.seHit->text()};
    };
    store().setValue("Systems\\1\\7", "Params", platform::Bytes{1, 12, 5, 2, 3});
    {
        TfrmParSysGuar dialog;
        dialog.Init(Games.GameById(LottoId), skGuar, true, 0, 0, 0, 0);
        EXPECT_EQ(shown(dialog), (QStringList{"12", "5", "2", "3"}));
        dialog.seHit->setText("4");
        dialog.btnOk->click();
        EXPECT_EQ(dialog.result(), 1);
        EXPECT_EQ(store().value("Systems\\1\\7", "Params"), platform::RegValue(platform::Bytes{1, 12, 5, 2, 4}));
    }
    store().setValue("Systems\\1\\7", "Params", platform::Bytes{0, 12, 5, 2, 3});
    TfrmParSysGuar dialog;
    dialog.Init(Games.GameById(LottoId), skGuar, true, 0, 0, 0, 0);
    // K the game's bet of 6, N two more, two guaranteed of two drawn.
    EXPECT_EQ(shown(dialog), (QStringList{"8", "6", "2", "2"}));
}
