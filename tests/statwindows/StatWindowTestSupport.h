#pragma once
// What the statistics windows' tests share: a fresh settings store and a program folder with the shipped
// games, the main window on Lotto with the system and statistics windows installed, a script that plays
// the modal windows, and waits on the windows' workers.

#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "shell/FGlobalStats.h"
#include "shell/FGlobalSystems.h"
#include "shell/FMain.h"
#include "shell/FMainCommands.h"
#include "shell/FSelectComb.h"
#include "shell/NumberPad.h"
#include "shell/WindowOpeners.h"
#include "statwindows/FStatGeneral.h"
#include "statwindows/FStatWindows.h"
#include "syswindows/FSysWindows.h"
#include "tests/fixtures/FrameCommands.h"
#include "tests/fixtures/FrameFixture.h"
#include "tests/fixtures/FreshRegistry.h"
#include "tests/fixtures/GridTexts.h"
#include "tests/fixtures/ModalScript.h"
#include "tests/fixtures/ProgramFolder.h"
#include "tests/statwindows/WorkerHold.h"
#include "tests/support/ProcessUntil.h"
#include "tools/LottoHistoryImport.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

using testsupport::ProcessUntil;

class StatWindowTest : public FrameFixture {
protected:
    void SetUp() override
    {
        FreshRegistry::SetUp();
        folder.emplace();
        folder->addShippedGames();
        MakeLottoDraws(std::string(KORVANTILE_SHARED_DATA) + "/lotto-6z49-history.txt",
                       (folder->path() / "Draws" / "LottoDraws").string());
    }
    static constexpr uint8_t LottoId = 1;

    // The main window on Lotto, shown, with the windows installed.
    void OpenFrame()
    {
        frame = std::make_unique<TfrmMain>();
        frame->show();
        TWindowOpeners openers;
        InstallSystemWindows(openers);
        InstallStatWindows(openers);
        InstallWindowOpeners(std::move(openers));
        frame->cbGame->setCurrentIndex(Games.GameIndexOfId(LottoId));
    }

    TGameData &Lotto() const { return *Games.GameById(LottoId); }
    const TDrawsManager &History() const { return *Lotto().DrawsMan; }
    // The draw shown in grid row Row of a table sorted latest first.
    const TDraw &NewestFirst(int Row) const { return History().GetDraw(History().Count() - Row); }
    static QString DateOf(const TDraw &Draw) { return QString::fromStdString(DateToStr(Draw.Date)); }

    // The first grid row (latest first) whose draw satisfies Pred.
    template <typename Pred>
    int RowWhere(Pred P) const
    {
        for (int row = 1; row <= History().Count(); ++row)
            if (P(NewestFirst(row)))
                return row;
        return 0;
    }

    // The newest child window, made the active one.
    template <typename Window>
    Window *NewestChild()
    {
        auto *window = dynamic_cast<Window *>(frame->ChildForms().back());
        if (window)
            frame->MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(window->parentWidget()));
        return window;
    }

    // Runs the event loop until the window leaves State 2; the guard only stops a hang.
    static void WaitForResults(const TGenStatForm *Window)
    {
        const QDeadlineTimer guard(testsupport::HangGuardMs);
        while (Window->State == 2 && !guard.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        ASSERT_NE(Window->State, 2) << "the computation did not end";
    }

    // Starts Window's computation and stops it at once: the window is idle without results, Grid's column
    // Col is empty and the commands are those of a window without results.
    void ExpectStoppedAtOnce(TGenStatForm *Window, const TStringAlignGrid &Grid, int Col)
    {
        sendCommand(Window, WM_TASK_START);
        ASSERT_EQ(Window->State, 2);
        sendCommand(Window, WM_TASK_STOP);
        ProcessPosted();
        EXPECT_EQ(Window->State, 1);
        EXPECT_EQ(testsupport::GridColumnTexts(Grid, Col), QStringList{QString()});
        EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);
    }

    // Clicks Grid's header at Col, which sorts on Window's worker, and holds the sort at its first poll;
    // then Stop, or closing the window, ends the sort there: the worker makes no poll after the hold and
    // is joined, and the window is idle without results, or gone.
    void ExpectHeaderSortEndsAtItsPoll(TGenStatForm *Window, TStat &Stat, TStringAlignGrid &Grid, int Col,
                                       bool Closing)
    {
        THold hold{TStatStep::Sorting};
        hold.Attach(Stat);
        ClickHeader(Grid, Col);
        ASSERT_TRUE(ProcessUntil([&] { return hold.Reached || Window->State != 2; }));
        ASSERT_TRUE(hold.Reached) << "the sort did not poll";
        EXPECT_EQ(Window->State, 2);
        EXPECT_EQ(EnabledMask(), cmdRead | cmdStop);
        const QPointer<TGenStatForm> watched(Window);
        if (Closing) {
            ASSERT_TRUE(Window->Close());
        } else {
            frame->mTaskStop->trigger();
            ASSERT_TRUE(ProcessUntil([&] { return Window->State != 2; }));
        }
        EXPECT_TRUE(hold.Left);
        EXPECT_EQ(hold.PollsAfter, 0);
        ProcessPosted();
        if (Closing) {
            EXPECT_TRUE(watched.isNull());
            return;
        }
        Stat.OnPoll = nullptr;
        EXPECT_FALSE(Window->WorkerRunning());
        EXPECT_EQ(Stat.State, ssStopped);
        EXPECT_EQ(Window->State, 1);
        EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);
    }

    // Answers the next combination dialog: Typed read in and confirmed; the dialog opens on Shown when given.
    void EnterCombination(const QString &Typed, std::optional<TDynByteArr> Shown = std::nullopt)
    {
        script.onDialog([Typed, Shown](QDialog &Dialog) {
            auto &entry = dynamic_cast<TfrmSelectComb &>(Dialog);
            if (Shown) {
                EXPECT_EQ(entry.gbKey->Chosen(), *Shown) << "the combination the dialog opens on";
            }
            entry.eInput->setPlainText(Typed);
            entry.btnReadNums->click();
            entry.btnOK->click();
        });
    }

    static void ProcessPosted()
    {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // What the grid does on a click on the header of Col: toggles the column's direction and reports it.
    static void ClickHeader(TStringAlignGrid &Grid, int Col)
    {
        TSortCol &entry = Grid.SortCols[size_t(Col)];
        entry.Direction = entry.Direction == 1 ? -1 : 1;
        Grid.OnSortColumn(&Grid, Col, entry);
    }

    // A count as the tables show it: blank after, empty for 0; a real number with two decimals.
    static QString Count(int64_t Value) { return Value == 0 ? QString() : QString::number(Value) + ' '; }
    static QString Real(double Value) { return QString::fromStdString(FormatFloat("0.00", Value)) + ' '; }
    // A combination as the grids write it, each number "%2d "; a count grouped by thousands, blank after.
    static QString CombText(const TDynByteArr &Comb)
    {
        QString text;
        for (int number : Comb)
            text += QString::asprintf("%2d ", number);
        return text;
    }
    static QString Grouped(int64_t Value) { return QString::fromStdString(FormatFloat("#,##", double(Value))) + ' '; }

    // The main window's commands that are on, as a command mask.
    int EnabledMask() const { return testsupport::EnabledCommandMask(*frame); }

    testsupport::ModalScript script;
};
