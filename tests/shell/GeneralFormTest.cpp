#include "controls/ALProgressBar.h"
#include "controls/ALStatusBar.h"
#include "platform/gui/MessageBox.h"
#include "shell/FGlobalProgress.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMain.h"
#include "shell/UGeneralForm.h"
#include "tests/shell/ShellTestSupport.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QCloseEvent>
#include <QPointer>
#include <QThread>

#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

// A parent or dependent window that writes what happens to it into a shared log.
class LoggingForm : public TGenForm {
public:
    LoggingForm(std::string Name, std::vector<std::string> &Log) : Name(std::move(Name)), Log(Log) {}

    void ChildClosed(TGenForm *Child) override { Log.push_back(Name + " ChildClosed " + Of(Child)); }
    void ChildChanged(TGenForm *Child) override { Log.push_back(Name + " ChildChanged " + Of(Child)); }
    void ParentClosing() override { Log.push_back(Name + " ParentClosing"); }

    std::string Name;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        Log.push_back(Name + " closed");
        TGenForm::closeEvent(event);
    }

private:
    static std::string Of(TGenForm *Form) { return static_cast<LoggingForm *>(Form)->Name; }

    std::vector<std::string> &Log;
};

} // namespace

class GeneralFormTest : public testing::Test {
protected:
    LoggingForm *Dependent(const std::string &Name, int Kind, uint8_t State = 0)
    {
        auto form = std::make_unique<LoggingForm>(Name, log);
        form->ChildKind = Kind;
        form->ParentWindow = &parent;
        parent.AddChildWindow(form.get(), State);
        forms.push_back(std::move(form));
        return forms.back().get();
    }

    std::vector<std::string> log;
    LoggingForm parent{"parent", log};
    std::vector<std::unique_ptr<LoggingForm>> forms;
};

TEST_F(GeneralFormTest, ClosingEveryDependentGoesLastOpenedFirstWithoutChildClosed)
{
    Dependent("check", cwCheckSystem);
    Dependent("guarantee", cwGuarantee);
    Dependent("stat", cwStat);
    parent.CloseChildWindows(cwNone);
    EXPECT_EQ(log, (std::vector<std::string>{"stat ParentClosing", "stat closed", "guarantee ParentClosing",
                                             "guarantee closed", "check ParentClosing", "check closed"}));
    EXPECT_EQ(parent.ChildWindows.Count(), 0);
    EXPECT_FALSE(parent.Closing);
}

TEST_F(GeneralFormTest, ClosingOneKindLeavesTheOthersListed)
{
    LoggingForm *check = Dependent("check", cwCheckSystem);
    Dependent("guarantee1", cwGuarantee);
    LoggingForm *stat = Dependent("stat", cwStat);
    Dependent("guarantee2", cwGuarantee);
    parent.CloseChildWindows(cwGuarantee);
    EXPECT_EQ(log, (std::vector<std::string>{"guarantee2 ParentClosing", "guarantee2 closed",
                                             "guarantee1 ParentClosing", "guarantee1 closed"}));
    ASSERT_EQ(parent.ChildWindows.Count(), 2);
    EXPECT_EQ(parent.ChildWindows.GetItem(0)->Form, check);
    EXPECT_EQ(parent.ChildWindows.GetItem(1)->Form, stat);
}

TEST_F(GeneralFormTest, ADependentClosingOnItsOwnLeavesTheListAndTellsTheParent)
{
    Dependent("first", cwStat);
    LoggingForm *second = Dependent("second", cwStat);
    second->Close();
    EXPECT_EQ(log, (std::vector<std::string>{"second closed", "parent ChildClosed second"}));
    ASSERT_EQ(parent.ChildWindows.Count(), 1);
    EXPECT_EQ(static_cast<LoggingForm *>(parent.ChildWindows.GetItem(0)->Form)->Name, "first");

    // Detaching a window the parent does not list changes nothing and calls nothing.
    log.clear();
    second->DetachFromParent(second);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(parent.ChildWindows.Count(), 1);
}

TEST_F(GeneralFormTest, ARefusedCloseKeepsTheDependentListed)
{
    class Refusing : public TGenForm {
    protected:
        void closeEvent(QCloseEvent *event) override { event->ignore(); }
    } refusing;
    refusing.ParentWindow = &parent;
    parent.AddChildWindow(&refusing, 0);
    EXPECT_FALSE(refusing.Close());
    EXPECT_EQ(parent.ChildWindows.Count(), 1);
    EXPECT_TRUE(log.empty());
    parent.ChildWindows.Clear();
}

TEST_F(GeneralFormTest, StatesAreCountedByKindAndState)
{
    LoggingForm *running = Dependent("running", cwGuarantee, 2);
    Dependent("stopped", cwGuarantee, 1);
    Dependent("stat", cwStat, 1);
    Dependent("done", cwGuarantee, 0);
    EXPECT_EQ(parent.CountChildWindows(cwGuarantee, 1), 1);
    EXPECT_EQ(parent.CountChildWindows(cwGuarantee, 2), 1);
    EXPECT_EQ(parent.CountChildWindows(cwStat, 1), 1);
    EXPECT_EQ(parent.CountChildWindows(cwNone, 0), 0);

    parent.SetChildState(running, 1);
    EXPECT_EQ(parent.CountChildWindows(cwGuarantee, 1), 2);
    EXPECT_EQ(log, std::vector<std::string>{"parent ChildChanged running"});

    LoggingForm stranger("stranger", log);
    parent.SetChildState(&stranger, 1);
    EXPECT_EQ(log.size(), 1u) << "a window the parent does not list changes nothing";
    EXPECT_EQ(parent.CountChildWindows(cwGuarantee, 1), 2);
}

class GeneralFormInFrameTest : public ShellTest {};

TEST_F(GeneralFormInFrameTest, ADependentChildWindowClosesWithItsSubWindow)
{
    TfrmMain frame;
    frame.show();
    std::vector<std::string> log;
    auto *parent = new LoggingForm("parent", log);
    AddChildForm(parent);
    auto *dependent = new LoggingForm("dependent", log);
    dependent->ChildKind = cwStat;
    dependent->ParentWindow = parent;
    parent->AddChildWindow(dependent, 0);
    QPointer<QMdiSubWindow> holder = AddChildForm(dependent);
    EXPECT_EQ(frame.MdiArea->subWindowList().size(), 2);

    parent->CloseChildWindows(cwNone);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(holder.isNull()) << "the sub-window went with the dependent";
    EXPECT_EQ(frame.MdiArea->subWindowList().size(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"dependent ParentClosing", "dependent closed"}));
}

TEST_F(GeneralFormInFrameTest, AFailingCommandIsShownAndEndsAtTheWindow)
{
    class Failing : public TGenForm {
    protected:
        bool HandleCommand(CommandEvent &) override { throw std::runtime_error("Za mało pamięci."); }
    } child;
    script.answerBox(platform::IDOK);
    EXPECT_EQ(sendCommand(&child, WM_DRAWS_RANGE), 1) << "the window took it: the frame opens no dialog";
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, QStringLiteral("Za mało pamięci."));
}

TEST_F(GeneralFormInFrameTest, ProgressFromAWorkerReachesTheStatusBarOnTheGuiThreadOnly)
{
    class Reporting : public TGenForm {
    public:
        void DoProgress(int Pos, int Step) override
        {
            Threads.push_back(QThread::currentThread());
            TGenForm::DoProgress(Pos, Step);
        }
        std::vector<QThread *> Threads;
    };
    TfrmMain frame;
    frame.show();
    auto *child = new Reporting;
    AddChildForm(child);
    const TProgressProc progress = child->ProgressHandler();
    std::thread([&progress] {
        SetStatusText(QStringLiteral("Generowanie statystyki..."));
        progress(5000, 100);
    }).join();
    EXPECT_TRUE(child->Threads.empty() && frame.lblProg->text().isEmpty()) << "nothing shown from the worker";
    EXPECT_TRUE(frame.ALStatusBar1->Panels[1].Text.isEmpty());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(child->Threads, std::vector<QThread *>{qApp->thread()});
    EXPECT_EQ(frame.ALProgressBar1->Position(), 5000);
    EXPECT_EQ(frame.lblProg->text(), QStringLiteral("50%"));
    EXPECT_EQ(frame.ALStatusBar1->Panels[1].Text, QStringLiteral("Generowanie statystyki..."));

    // A report still queued when its window closes is dropped.
    std::thread([&progress] { progress(9000, 100); }).join();
    child->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(frame.ALProgressBar1->Position(), 5000);
}
