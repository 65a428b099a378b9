// A system window's new system arriving while a modal window is open: it waits until the last one has
// closed, so that no dialog loses the system or the row it was opened on, and the check windows then
// drop the figures of the old system.
#include "core/DateTime.h"
#include "shell/FSelectComb.h"
#include "shell/TaskRunner.h"
#include "syswindows/FCheckSysDetails.h"
#include "syswindows/FCheckSystem.h"
#include "syswindows/SysFormats.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <atomic>

namespace {

QString Money(int64_t Zloty)
{
    return MoneyText(Currency::fromCount(Zloty * Currency::Scale));
}

// Whether a worker of Window has not yet had its end handled on the GUI thread.
bool WorkerRunning(const QObject *Window)
{
    const std::vector<const TTaskRunner *> running = TTaskRunner::RunningRunners();
    return std::any_of(running.begin(), running.end(), [Window](const TTaskRunner *Runner) {
        return Runner->Window() == Window;
    });
}

} // namespace

class SystemUnderDialogTest : public SysWindowTest {
protected:
    void PrepareFolder() override { folder->writeDraws("Lotto", {{EncodeDate(2024, 1, 23), {1, 2, 3, 4, 5, 6}}}); }

    // The window's next generation waits until Release is set.
    void HoldGeneration(TGenSysForm *Window)
    {
        Window->GenerationHook = [this](TSystem &System, const TMyThread &Thread, const TGenSysForm::TBuildProc &Build) {
            while (!Release && !Thread.GetTerminated())
                std::this_thread::yield();
            return Build(System, Thread);
        };
    }

    // Lets the held generation finish and runs the event loop until its end has been handled.
    void EndGeneration(TGenSysForm *Window)
    {
        Release = true;
        ASSERT_TRUE(testsupport::ProcessUntil([Window] { return !WorkerRunning(Window); }));
    }

    // A check window on a one-row system of the last draw's numbers, checked against that draw.
    TfrmCheckSystem *CheckedJackpot(TGenSysForm *&Owner)
    {
        Owner = OpenRows(LottoId, 49, {{1, 2, 3, 4, 5, 6}});
        sendCommand(Owner, WM_SYS_CHECK);
        auto *check = qobject_cast<TfrmCheckSystem *>(frame->ChildForms().back());
        Activate(check);
        check->rbLastDraw->setChecked(true);
        Check(check);
        EXPECT_EQ(check->txtSystemCost->text(), Money(3));
        EXPECT_EQ(check->txtWin->text(), Money(2000000));
        return check;
    }

    static void Check(TfrmCheckSystem *Window)
    {
        sendCommand(Window, WM_TASK_START);
        ASSERT_TRUE(testsupport::ProcessUntil([Window] { return !Window->CheckPending() && !Window->Checking(); }));
    }

    // The check window shows no figures and names the owner's 30 rows of 6 of 14.
    static void ExpectClearedOn30Rows(const TfrmCheckSystem &Check)
    {
        EXPECT_TRUE(Check.windowTitle().endsWith(QStringLiteral("Skrócony - klasyczny 6/14/30")));
        EXPECT_FALSE(Check.HasResults());
        EXPECT_EQ(Check.txtWin->text(), "");
        EXPECT_EQ(Check.txtTotalCost->text(), "");
        EXPECT_EQ(Check.txtSystemCost->text(), Money(90));
    }

    std::atomic<bool> Release{false};
};

TEST_F(SystemUnderDialogTest, ADoubleClickWhileTheWindowGeneratesOpensNoEntryAndTheNewSystemArrivesAsBuilt)
{
    std::vector<std::vector<int>> forty;
    for (int first = 1; first <= 40; ++first)
        forty.push_back({first, first + 1, first + 2, first + 3, first + 4, first + 5});
    TGenSysForm *window = OpenRows(LottoId, 49, forty);
    HoldGeneration(window);
    AnswerParams(14, 7, 5);
    sendCommand(window, WM_SYS_PARAMS);
    ASSERT_TRUE(window->Generating());
    const size_t dialogs = script.dialogs().size();

    // Row 40 double-clicked: no entry dialog may open on a row of the system about to go.
    window->sgSystem->setRow(40);
    const TRect cell = window->sgSystem->CellRect(1, 40);
    ASSERT_LT(cell.Top, cell.Bottom);
    QTest::mouseDClick(window->sgSystem->viewport(), Qt::LeftButton, Qt::NoModifier,
                       QPoint((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2));
    EXPECT_EQ(script.dialogs().size(), dialogs);

    EndGeneration(window);
    WaitForGeneration(window);
    ASSERT_EQ(window->ViewCount(), 5);
    for (const QString &row : RowTexts(*window)) {
        const std::vector<int> numbers = RowNumbers(row);
        ASSERT_EQ(numbers.size(), 7u) << row.toStdString();
        EXPECT_TRUE(std::all_of(numbers.begin(), numbers.end(), [](int N) { return N >= 1 && N <= 14; }))
            << row.toStdString();
    }
}

TEST_F(SystemUnderDialogTest, TheOwnersGenerationEndingUnderTheDetailsWaitsForThemAndThenClearsTheCheck)
{
    TGenSysForm *owner = nullptr;
    TfrmCheckSystem *check = CheckedJackpot(owner);
    HoldGeneration(owner);
    AnswerParams(14, 6, 30);
    sendCommand(owner, WM_SYS_PARAMS);
    ASSERT_TRUE(owner->Generating());

    script.onDialog([&](QDialog &Dialog) {
        auto &details = dynamic_cast<TfrmCheckSysDetails &>(Dialog);
        EndGeneration(owner);
        EXPECT_EQ(owner->ViewCount(), 1) << "the old system stays while the details are open";
        details.Grid->setRow(4);
        EXPECT_EQ(details.eSelComb->text(), "  1  2  3  4  5  6");
    });
    ASSERT_TRUE(check->btnDetails->isEnabled());
    check->btnDetails->click();

    WaitForGeneration(owner);
    EXPECT_EQ(owner->ViewCount(), 30);
    ExpectClearedOn30Rows(*check);

    // A row deleted is another system too.
    Check(check);
    ASSERT_TRUE(check->HasResults());
    owner->sgSystem->setRow(1);
    sendCommand(owner, WM_COMB_DELETE);
    ASSERT_EQ(owner->ViewCount(), 29);
    EXPECT_FALSE(check->HasResults());
    EXPECT_EQ(check->txtSystemCost->text(), Money(87));
}

TEST_F(SystemUnderDialogTest, TheOwnersGenerationEndingUnderTheOwnNumbersEntryLeavesTheCheckToTheNewSystem)
{
    TGenSysForm *owner = nullptr;
    TfrmCheckSystem *check = CheckedJackpot(owner);
    check->rbNumbers->setChecked(true);
    check->OwnNumbers.clear();
    HoldGeneration(owner);
    AnswerParams(14, 6, 30);
    sendCommand(owner, WM_SYS_PARAMS);

    // The check asks for its numbers first; the owner's system is built meanwhile.
    script.onDialog([&](QDialog &Dialog) {
        auto &entry = dynamic_cast<TfrmSelectComb &>(Dialog);
        EndGeneration(owner);
        entry.eInput->setPlainText(QStringLiteral("1 2 3 4 5 6"));
        entry.btnReadNums->click();
        entry.btnOK->click();
    });
    Check(check);
    WaitForGeneration(owner);
    ASSERT_EQ(owner->ViewCount(), 30);
    ExpectClearedOn30Rows(*check);
}
