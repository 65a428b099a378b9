#include "core/UGlobalThreads.h"
#include "engine/USysShort.h"
#include "shell/FConfig.h"
#include "syswindows/FCheckSystem.h"
#include "tests/support/ProcessUntil.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QLabel>
#include <QTabWidget>

#include <atomic>
#include <thread>

class CheckWinsTableTest : public SysWindowTest {
protected:
    static constexpr uint8_t MiniId = 2;

    void PrepareFolder() override
    {
        folder->writeDraws("MiniLotto", {{EncodeDate(2024, 1, 2), {1, 2, 3, 4, 5}}, {EncodeDate(2024, 1, 3), {6, 7, 8, 9, 10}}});
    }

    // The check window of a Mini Lotto system of two rows.
    TfrmCheckSystem *OpenCheck()
    {
        SelectGame(MiniId);
        TGenSysForm *window = OpenClassic();
        TGameData *game = Games.GameById(MiniId);
        auto system = std::make_unique<TSysShort>(game);
        system->SetParams(10, 5, 2);
        for (const std::vector<uint8_t> &row : std::vector<std::vector<uint8_t>>{{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}})
            system->AddComb(row.data());
        window->OpenSystem(game, std::move(system));
        sendCommand(window, WM_SYS_CHECK);
        auto *check = qobject_cast<TfrmCheckSystem *>(frame->ChildForms().back());
        EXPECT_NE(check, nullptr);
        Activate(check);
        return check;
    }
};

TEST_F(CheckWinsTableTest, WinsOpensTheOptionsOnItsGamesPrizeTableWhichWaitsForTheCheckToStop)
{
    TfrmCheckSystem *check = OpenCheck();
    ASSERT_NE(check, nullptr);
    script.onDialog([](QDialog &Dialog) {
        auto &config = dynamic_cast<TfrmConfig &>(Dialog);
        EXPECT_EQ(config.cbGame->currentIndex(), Games.GameIndexOfId(MiniId));
        EXPECT_EQ(config.PageControl1->currentWidget(), config.tsWins);
        EXPECT_EQ(config.focusWidget(), config.sgWins);
        EXPECT_EQ(config.sgWins->Cells(1, 3), QStringLiteral("20,00\u00A0zł"));
    });
    check->btnWinsTable->click();
    EXPECT_EQ(script.dialogs().size(), 1u);

    // A check held on its worker keeps OK from applying anything.
    std::atomic<bool> held{false};
    check->Checker = [&held](TCheckJob &Job, const TMyThread &Thread) {
        held = true;
        while (!Thread.GetTerminated())
            std::this_thread::yield();
        Job.Execute(Thread);
    };
    check->pCheckClick();
    ASSERT_TRUE(testsupport::ProcessUntil([&held] { return held.load(); }));
    script.onDialog([&](QDialog &Dialog) {
        auto &config = dynamic_cast<TfrmConfig &>(Dialog);
        config.eBasicRate->SetValue(9);
        script.answerBox(1);
        config.btnOK->click();
        EXPECT_NE(config.result(), QDialog::Accepted);
    });
    check->btnWinsTable->click();
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, QStringLiteral("Nie można teraz zmienić ustawień, bo trwają obliczenia.\n"
                                                     "Zatrzymaj obliczenia w oknach:\n") +
                                          check->windowTitle());
    EXPECT_EQ(Games.GameById(MiniId)->Info.BasicStake.count(), 15000);
    frame->mTaskStop->trigger();
    ASSERT_TRUE(testsupport::ProcessUntil([check] { return !check->Checking(); }));
}
