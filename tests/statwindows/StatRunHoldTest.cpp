// "Częstotliwości" with its worker held at a step of the run (counting, building the rows, sorting them):
// Stop and closing take effect there, at once, and leave nothing behind.
#include "controls/FloatSpin.h"
#include "platform/MemoryStatus.h"
#include "shell/ProgressPanel.h"
#include "stats/UStatFreq.h"
#include "statwindows/FStatFreq.h"
#include "tests/statwindows/StatWindowTestSupport.h"
#include "tests/statwindows/WorkerHold.h"

#include <QCheckBox>

#include <string>

namespace {

// A step and the parameters whose run passes it: six numbers never drawn sweep all 13,983,816
// combinations while they build rows; pairs of the history are counted by index, then sorted.
struct THoldCase {
    TStatStep Step;
    int Length;
    int MinFreq;
    std::string Name;
};

const THoldCase HoldCases[] = {
    {TStatStep::Counting, 6, 0, "counting the drawn sixes"},
    {TStatStep::BuildingRows, 6, 0, "listing the never-drawn sixes"},
    {TStatStep::Counting, 2, 1, "counting pairs"},
    {TStatStep::BuildingRows, 2, 1, "building the pair rows"},
    {TStatStep::Sorting, 2, 1, "sorting the pairs"},
};

} // namespace

class StatRunHoldTest : public StatWindowTest {
protected:
    // The counting methods are chosen by the free memory: the same on every machine here.
    void SetUp() override
    {
        StatWindowTest::SetUp();
        platform::setAvailableMemoryProbe([] { return uint64_t{64} << 30; });
    }
    void TearDown() override
    {
        platform::setAvailableMemoryProbe({});
        StatWindowTest::TearDown();
    }

    // The frequency window from the main window, started and held at Hold's step.
    TfrmStatFreq *StartHeld(const THoldCase &Case, THold &Hold)
    {
        frame->mStat->actions().at(0)->trigger(); // "Częstotliwości"
        auto *window = NewestChild<TfrmStatFreq>();
        if (!window)
            return nullptr;
        window->seCombLen->SetValue(Case.Length);
        window->seMinFreq->SetValue(Case.MinFreq);
        window->chkMaxRows->setChecked(false);
        Hold.Attach(*window->StatFreq);
        sendCommand(window, WM_TASK_START);
        // The window answers meanwhile: the test's own events run while the worker is held.
        if (!ProcessUntil([&] { return Hold.Reached.load(); }))
            return nullptr;
        return window;
    }
};

TEST_F(StatRunHoldTest, StopOrClosingAtEachStepEndsTheRunAtOnce)
{
    OpenFrame();
    for (const bool closing : {false, true})
        for (const THoldCase &holdCase : HoldCases) {
            SCOPED_TRACE(holdCase.Name + (closing ? ", closed" : ", stopped"));
            THold hold{holdCase.Step};
            TfrmStatFreq *window = StartHeld(holdCase, hold);
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(window->State, 2);
            EXPECT_EQ(EnabledMask(), cmdRead | cmdStop);
            QPointer<TfrmStatFreq> watched(window);
            if (closing) {
                ASSERT_TRUE(window->Close());
            } else {
                // Posted to the window: it answers as soon as the event loop runs.
                frame->mTaskStop->trigger();
                ASSERT_TRUE(ProcessUntil([&] { return window->State != 2; }));
            }
            // The worker has been released, has stopped where it was and has been joined.
            EXPECT_TRUE(hold.Left);
            EXPECT_EQ(hold.PollsAfter, 0);
            EXPECT_FALSE(window->WorkerRunning());
            EXPECT_EQ(window->StatFreq->State, ssStopped);
            EXPECT_EQ(window->StatFreq->RowCount, 0);
            EXPECT_EQ(window->StatFreq->Rows.capacity(), 0u);
            EXPECT_TRUE(window->StatFreq->ResultList.empty());
            ProcessPosted();
            if (closing) {
                EXPECT_TRUE(watched.isNull());
                EXPECT_TRUE(frame->ChildForms().empty());
                EXPECT_EQ(EnabledMask(), cmdRead);
                continue;
            }
            // Idle, and nothing the stopped run left queued shows rows later.
            EXPECT_EQ(window->State, 1);
            EXPECT_TRUE(window->Panel1->isHidden());
            EXPECT_EQ(testsupport::GridColumnTexts(*window->grid, 1), QStringList{QString()});
            EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);
            ASSERT_TRUE(window->Close());
            ProcessPosted();
        }
}

// A header click sorts on the worker: the rows are not drawn meanwhile, and Stop or closing ends the sort.
TEST_F(StatRunHoldTest, AHeaderSortIsStoppedAndJoinedLikeARun)
{
    OpenFrame();
    frame->mStat->actions().at(0)->trigger();
    auto *window = NewestChild<TfrmStatFreq>();
    ASSERT_NE(window, nullptr);
    // Some 18,000 triples: their sort polls several times.
    window->seCombLen->SetValue(3);
    window->chkMaxRows->setChecked(false);
    const auto computeAndHoldSort = [&](THold &Hold) {
        window->StatFreq->OnPoll = nullptr;
        sendCommand(window, WM_TASK_START);
        WaitForResults(window);
        ASSERT_EQ(window->State, 0);
        ASSERT_GT(window->grid->RowCount(), 15000);
        Hold.Attach(*window->StatFreq);
        ClickHeader(*window->grid, 1);
        ASSERT_TRUE(ProcessUntil([&] { return Hold.Reached.load(); }));
    };

    THold stopped{TStatStep::Sorting};
    computeAndHoldSort(stopped);
    EXPECT_EQ(window->State, 2);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStop);
    EXPECT_EQ(testsupport::GridColumnTexts(*window->grid, 1).front(), QString());
    frame->mTaskStop->trigger();
    ASSERT_TRUE(ProcessUntil([&] { return window->State != 2; }));
    EXPECT_TRUE(stopped.Left);
    EXPECT_EQ(stopped.PollsAfter, 0);
    EXPECT_FALSE(window->WorkerRunning());
    ProcessPosted();
    EXPECT_EQ(window->State, 1);
    EXPECT_EQ(testsupport::GridColumnTexts(*window->grid, 1), QStringList{QString()});
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);

    THold closed{TStatStep::Sorting};
    computeAndHoldSort(closed);
    QPointer<TfrmStatFreq> watched(window);
    ASSERT_TRUE(window->Close());
    EXPECT_TRUE(closed.Left);
    ProcessPosted();
    EXPECT_TRUE(watched.isNull());
}
