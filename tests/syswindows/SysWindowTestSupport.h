#pragma once
// What the system windows' tests share: a fresh settings store and a program folder with the shipped
// games for each test, the main window on Lotto with the system windows installed, a script that plays
// the modal windows, and readers of what a window shows.

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/UGlobalThreads.h"
#include "engine/UFilters.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "engine/USysShort.h"
#include "engine/USysVar.h"
#include "shell/FGlobalSystems.h"
#include "shell/FMain.h"
#include "shell/FMainCommands.h"
#include "shell/WindowOpeners.h"
#include "syswindows/FCheckSystem.h"
#include "syswindows/FFilter.h"
#include "syswindows/FImportSys.h"
#include "syswindows/FParSysFullComp.h"
#include "syswindows/FParSysGeneral.h"
#include "syswindows/FParSysShort.h"
#include "syswindows/FSysGeneral.h"
#include "syswindows/FSysShort.h"
#include "syswindows/FSysWindows.h"
#include "tests/fixtures/FrameCommands.h"
#include "tests/fixtures/FrameFixture.h"
#include "tests/fixtures/FreshRegistry.h"
#include "tests/fixtures/GridTexts.h"
#include "tests/fixtures/ModalScript.h"
#include "tests/fixtures/ProgramFolder.h"
#include "tests/support/HangGuard.h"
#include "tests/support/ProcessUntil.h"
#include "tests/support/TestEnvironment.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

// A kind window that hands each progress report it shows to the test, on the GUI thread.
template <class Window>
class ReportingWindow : public Window {
public:
    std::function<void(int Pos)> OnReport;

    void DoProgress(int Pos, int Step) override
    {
        Window::DoProgress(Pos, Step);
        if (OnReport)
            OnReport(Pos);
    }
};

// The kind's real build, whose worker waits at its first progress report until it is asked to stop:
// the window's answer to that report always finds the run going (a GenerationHook).
inline bool BuildUntilStopped(TSystem &System, const TMyThread &Thread, const TGenSysForm::TBuildProc &Build)
{
    const TProgressProc forward = System.Progress.OnProgress;
    System.Progress.OnProgress = [&Thread, forward, first = true](int32_t Pos, int32_t Step) mutable {
        forward(Pos, Step);
        while (first && !Thread.GetTerminated())
            std::this_thread::yield();
        first = false;
    };
    return Build(System, Thread);
}

// A GenerationHook for the classic and the variable kinds: the worker waits at the first candidate of the
// search for the last rows until it is asked to stop. Reached tells the test it is there, PollsAfter
// counts the candidates looked at after, Answered, Built and Rows what the kind's build then answered.
struct TFinishSearchHold {
    std::atomic<bool> Reached{false};
    std::atomic<int> PollsAfter{0};
    std::atomic<bool> Answered{false};
    std::atomic<bool> Built{false};
    std::atomic<int64_t> Rows{-1};

    void Attach(TGenSysForm &Window)
    {
        Window.GenerationHook = [this](TSystem &System, const TMyThread &Thread, const TGenSysForm::TBuildProc &Build) {
            const std::function<void()> poll = [this, &Thread] {
                if (Reached.exchange(true)) {
                    ++PollsAfter;
                    return;
                }
                // The guard only ends a hang of a window that never stops its worker.
                const auto guard = std::chrono::steady_clock::now() + testsupport::HangGuard;
                while (!Thread.GetTerminated() && std::chrono::steady_clock::now() < guard)
                    std::this_thread::yield();
            };
            if (auto *classic = dynamic_cast<TSysShort *>(&System))
                classic->OnFinishPoll = poll;
            else if (auto *variable = dynamic_cast<TSysVar *>(&System))
                variable->OnFinishPoll = poll;
            Built = Build(System, Thread);
            Rows = System.GetCount();
            Answered = true;
            return Built.load();
        };
    }
};

// The numbers of a row text as RowTexts gives it, such as "3| 1  2  5  7 10 12 ".
inline std::vector<int> RowNumbers(const QString &Row)
{
    std::vector<int> numbers;
    for (const QString &part : Row.section(QLatin1Char('|'), 1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        numbers.push_back(part.toInt());
    return numbers;
}

class SysWindowTest : public FrameFixture {
protected:
    void SetUp() override
    {
        FreshRegistry::SetUp();
        folder.emplace();
        folder->addShippedGames();
        PrepareFolder();
        frame = std::make_unique<TfrmMain>();
        frame->show();
        TWindowOpeners openers;
        InstallSystemWindows(openers);
        InstallWindowOpeners(std::move(openers));
        SelectGame(LottoId);
    }
    static constexpr uint8_t LottoId = 1;

    // Adds what a test needs to the program folder before the main window loads the games.
    virtual void PrepareFolder() {}

    void SelectGame(uint8_t Id) { frame->cbGame->setCurrentIndex(Games.GameIndexOfId(Id)); }

    // The window the system selector's item opens (0 classic, 2 random, 3 full), active.
    TGenSysForm *OpenBySelector(int Index)
    {
        const size_t before = frame->ChildForms().size();
        OpenSystemWindow(Index);
        EXPECT_EQ(frame->ChildForms().size(), before + 1);
        auto *window = qobject_cast<TGenSysForm *>(frame->ChildForms().back());
        Activate(window);
        return window;
    }

    TGenSysForm *OpenClassic() { return OpenBySelector(0); }

    // The system check window Owner opens, active.
    TfrmCheckSystem *OpenCheck(TGenSysForm *Owner)
    {
        sendCommand(Owner, WM_SYS_CHECK);
        auto *check = qobject_cast<TfrmCheckSystem *>(frame->ChildForms().back());
        EXPECT_NE(check, nullptr);
        Activate(check);
        return check;
    }

    void Activate(QWidget *Form)
    {
        frame->MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(Form->parentWidget()));
    }

    // A classic window of the game showing the rows given.
    TGenSysForm *OpenRows(uint8_t GameId, int N, const std::vector<std::vector<int>> &Combs)
    {
        SelectGame(GameId);
        TGenSysForm *window = OpenClassic();
        TGameData *game = Games.GameById(GameId);
        auto system = std::make_unique<TSysShort>(game);
        system->SetParams(N, int(Combs.front().size()), int32_t(Combs.size()));
        for (const auto &row : Combs) {
            const std::vector<uint8_t> numbers(row.begin(), row.end());
            system->AddComb(numbers.data());
        }
        window->OpenSystem(game, std::move(system));
        return window;
    }

    // Queues the parameter dialog's answer: the values typed (the count where the kind has one), the
    // classic random box, then OK.
    void AnswerParams(int N, int K, int Count, bool Random = false)
    {
        script.onDialog([=](QDialog &Dialog) {
            auto &params = dynamic_cast<TGenParSysForm &>(Dialog);
            params.seCDraws->setText(QString::number(K));
            params.seCNum->setText(QString::number(N));
            if (params.seCComb)
                params.seCComb->setText(QString::number(Count));
            if (auto *classic = dynamic_cast<TfrmParSysShort *>(&params))
                classic->chkRandom->setChecked(Random);
            params.btnOk->click();
        });
    }

    // Queues the composite dialog's answer: each part's K and N typed, then OK.
    void AnswerComposite(int N1, int K1, int N2, int K2)
    {
        script.onDialog([=](QDialog &Dialog) {
            auto &params = dynamic_cast<TfrmParSysFullComp &>(Dialog);
            params.seCDraws->setText(QString::number(K1));
            params.seCNum->setText(QString::number(N1));
            params.seCDraws2->setText(QString::number(K2));
            params.seCNum2->setText(QString::number(N2));
            params.btnOk->click();
        });
    }

    // A composite system generated in the window of the selector's item 4.
    TGenSysForm *GenerateComposite(int N1, int K1, int N2, int K2)
    {
        TGenSysForm *window = OpenBySelector(4);
        AnswerComposite(N1, K1, N2, K2);
        sendCommand(window, WM_SYS_PARAMS);
        WaitForGeneration(window);
        return window;
    }

    // A user system imported through the frame's editor command from Text.
    TGenSysForm *ImportFromEditor(const QString &Text)
    {
        script.onDialog([Text](QDialog &Dialog) {
            auto &import = dynamic_cast<TfrmImportSys &>(Dialog);
            import.RichEdit1->setPlainText(Text);
            import.btnOk->click();
        });
        const size_t before = frame->ChildForms().size();
        frame->mFileImportEditor->trigger();
        EXPECT_EQ(frame->ChildForms().size(), before + 1);
        return qobject_cast<TGenSysForm *>(frame->ChildForms().back());
    }

    // A system given to Window through the parameters command.
    TGenSysForm *GenerateIn(TGenSysForm *Window, int N, int K, int Count, bool Random = false)
    {
        AnswerParams(N, K, Count, Random);
        sendCommand(Window, WM_SYS_PARAMS);
        WaitForGeneration(Window);
        return Window;
    }

    // A classic system generated through the parameters command.
    TGenSysForm *Generate(int N, int K, int Count, bool Random = false)
    {
        return GenerateIn(OpenClassic(), N, K, Count, Random);
    }

    // A generated system window at the client area's top left corner, active, and where a new window
    // opens beside it (found by opening its copy, which is closed again).
    std::pair<TGenSysForm *, QPoint> GenerateInCorner()
    {
        TGenSysForm *window = Generate(12, 6, 22);
        window->parentWidget()->move(0, 0);
        sendCommand(window, WM_SYS_COPY);
        QWidget *copy = frame->ChildForms().back();
        const QPoint beside = copy->parentWidget()->pos();
        EXPECT_NE(beside, QPoint(0, 0));
        copy->parentWidget()->close();
        Activate(window);
        return {window, beside};
    }

    // Runs the event loop until the window's worker has ended; the deadline only guards against hanging.
    static void WaitForGeneration(TGenSysForm *Window)
    {
        const QDeadlineTimer guard(120000);
        while (Window && Window->Generating() && !guard.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        ASSERT_FALSE(Window && Window->Generating()) << "the generation did not end";
    }

    // The window's next build waits at its first progress report, where the main window's Stop ends it;
    // the commands on at that moment go to MaskWhileRunning.
    template <class Window>
    void StopAtFirstReport(ReportingWindow<Window> &Reporting, int &MaskWhileRunning)
    {
        Reporting.GenerationHook = BuildUntilStopped;
        Reporting.OnReport = [this, &MaskWhileRunning](int) {
            if (MaskWhileRunning == 0) {
                MaskWhileRunning = EnabledMask();
                frame->mTaskStop->trigger();
            }
        };
    }

    // The filter editor's steps.
    static void ChooseKind(TfrmFilter &F, uint32_t Kind)
    {
        for (int row = 0; row < F.lbFilters->count(); ++row)
            if (F.lbFilters->item(row)->data(Qt::UserRole).toUInt() == Kind)
                F.lbFilters->setCurrentRow(row);
    }

    // A "Suma liczb" filter of From..To, added with the link And.
    static void AddSum(TfrmFilter &F, int From, int To, bool And = true)
    {
        ChooseKind(F, fltSum);
        F.F_cb1->setCurrentIndex(F.F_cb1->findData(int(rmRange)));
        F.F_seFrom1->SetValue(From);
        F.F_seTo1->SetValue(To);
        (And ? F.rbAND : F.rbOR)->setChecked(true);
        F.btnAddFlt->click();
    }

    static void Run(TfrmFilter &F)
    {
        F.btnDoFilter->click();
        ASSERT_TRUE(testsupport::ProcessUntil([&] { return !F.Running(); }));
    }

    static void PressOK(TfrmFilter &F)
    {
        F.btnOK->click();
        ASSERT_TRUE(testsupport::ProcessUntil([&] { return F.result() == 1; }));
    }

    void OnEditor(std::function<void(TfrmFilter &)> Step)
    {
        script.onDialog([Step](QDialog &Dialog) { Step(dynamic_cast<TfrmFilter &>(Dialog)); });
    }

    // The main window's commands that are on, as a command mask.
    int EnabledMask() const { return testsupport::EnabledCommandMask(*frame); }

    // The texts of the combination grid's rows below the header, as shown.
    static QStringList RowTexts(const TGenSysForm &Window)
    {
        QStringList rows;
        for (int row = 1; row < Window.sgSystem->RowCount(); ++row) {
            QString number;
            QString numbers;
            Window.sgSystem->GetCellText(0, row, number);
            Window.sgSystem->GetCellText(1, row, numbers);
            rows << number + QLatin1Char('|') + numbers;
        }
        return rows;
    }

    static QString StatValue(const TGenSysForm &Window, int Row) { return Window.sgStat->Cells(1, Row); }

    // The texts of the info grid's values, rows 1..7.
    static QStringList InfoValues(const TGenSysForm &Window)
    {
        QStringList values;
        for (int row = 1; row <= 7; ++row)
            values << StatValue(Window, row);
        return values;
    }

    testsupport::ModalScript script;
};
