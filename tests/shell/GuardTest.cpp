#include "controls/BtnComboBox.h"
#include "platform/gui/MessageBox.h"
#include "shell/FGlobalSystems.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMain.h"
#include "shell/GuardedApplication.h"
#include "shell/GuardedConnect.h"
#include "shell/WindowOpeners.h"
#include "tests/shell/ShellTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>

#include <exception>
#include <functional>
#include <stdexcept>
#include <vector>

// Every road by which a user's action reaches the program's code ends at a guard: a failure is shown
// with its message, and the program goes on.
class GuardTest : public ShellTest {
protected:
    void TearDown() override
    {
        InstallWindowOpeners({});
        ShellTest::TearDown();
    }

    QStringList BoxTexts() const
    {
        QStringList texts;
        for (const testsupport::ModalScript::Box &box : script.boxes()) {
            EXPECT_EQ(box.Flags, 48);
            texts << box.Text;
        }
        return texts;
    }

    [[noreturn]] static void Fail(const char *Text) { throw std::runtime_error(Text); }
};

TEST_F(GuardTest, AFrameCommandThatThrowsShowsItsMessageAndTheFrameGoesOn)
{
    TfrmMain frame;
    frame.show();
    TWindowOpeners failing;
    failing.ReadWindow = [] { Fail("Wczytaj"); };
    failing.HistoryWindow = [] { Fail("Historia"); };
    failing.SysWindow = [](int, TGameData *) { Fail("System"); };
    failing.StatWindow = [](int, TGenForm *) { Fail("Statystyka"); };
    failing.DrawsUpdate = [](QWidget *) { Fail("Aktualizacja"); };
    InstallWindowOpeners(failing);
    for (int i = 0; i < 6; ++i)
        script.answerBox(platform::IDOK);

    frame.mFileRead->trigger();
    frame.mToolHistory->trigger();
    frame.mSysKinds[0]->trigger();
    frame.mStat->actions().front()->trigger();
    frame.mToolUpdate->trigger();
    frame.cbSystem->Button()->click();
    EXPECT_EQ(BoxTexts(), (QStringList{"Wczytaj", "Historia", "System", "Statystyka", "Aktualizacja", "System"}));

    bool opened = false;
    failing.ReadWindow = [&opened] { opened = true; };
    InstallWindowOpeners(failing);
    frame.mFileRead->trigger();
    EXPECT_TRUE(opened) << "the same command works once the failure has passed";
    EXPECT_TRUE(frame.isVisible());
}

TEST_F(GuardTest, AnExceptionLeavingAnEventHandlerEndsWhereTheEventWasDelivered)
{
    class Failing : public QWidget {
    public:
        int Handled = 0;

    protected:
        bool event(QEvent *Event) override
        {
            if (Event->type() != QEvent::User)
                return QWidget::event(Event);
            if (++Handled < 3)
                throw std::runtime_error("Plik jest uszkodzony.");
            return true;
        }
    } widget;
    script.answerBox(platform::IDOK);
    script.answerBox(platform::IDOK);

    QEvent sent(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&widget, &sent));
    QCoreApplication::postEvent(&widget, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&widget, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&widget, QEvent::User);
    EXPECT_EQ(widget.Handled, 3) << "the event after the failures was handled";
    EXPECT_EQ(BoxTexts(), (QStringList{"Plik jest uszkodzony.", "Plik jest uszkodzony."}));
}

TEST_F(GuardTest, TheFirstShowingRunsOnceGuardedForChildWindowsAndDialogs)
{
    class Child : public TGenForm {
    public:
        int Shows = 0;

    protected:
        void FormShow() override
        {
            ++Shows;
            throw std::runtime_error("Okno bez gry.");
        }
    };
    class Dialog : public TFirstShow<QDialog> {
    public:
        int Shows = 0;
        bool ShownInFormShow = false;

    protected:
        void FormShow() override
        {
            ++Shows;
            ShownInFormShow = Shown();
            throw std::runtime_error("Okno dialogowe bez gry.");
        }
    };
    TfrmMain frame;
    frame.show();
    script.answerBox(platform::IDOK);
    script.answerBox(platform::IDOK);

    auto *child = new Child;
    QMdiSubWindow *holder = AddChildForm(child);
    holder->hide();
    holder->show();
    EXPECT_EQ(child->Shows, 1);
    EXPECT_TRUE(child->isVisible());

    Dialog dialog;
    dialog.show();
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.Shows, 1);
    EXPECT_TRUE(dialog.ShownInFormShow);
    EXPECT_EQ(BoxTexts(), (QStringList{"Okno bez gry.", "Okno dialogowe bez gry."}));
}

TEST_F(GuardTest, AGuardedHandlerTakesTheLeadingArgumentsItNeeds)
{
    QWidget window;
    QSpinBox spin;
    std::vector<int> values;
    int plain = 0;
    connectGuarded(&spin, &QSpinBox::valueChanged, &window, [&values](int Value) {
        values.push_back(Value);
        if (Value == 3)
            throw std::runtime_error("Za duża wartość.");
    });
    connectGuarded(&spin, &QSpinBox::valueChanged, &window, [&plain] { ++plain; });
    std::vector<int> cells;
    const std::function<void(QObject *, int, int, bool &)> onSelectCell =
        guardedCall([&cells](QObject *, int Col, int Row) { cells = {Col, Row}; });
    script.answerBox(platform::IDOK);

    for (int value : {2, 3, 4})
        spin.setValue(value);
    bool canSelect = true;
    onSelectCell(nullptr, 5, 7, canSelect);
    EXPECT_EQ(values, (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(plain, 3) << "the failure of one handler stops no other";
    EXPECT_EQ(cells, (std::vector<int>{5, 7}));
    EXPECT_EQ(BoxTexts(), QStringList{"Za duża wartość."});
}

TEST(GuardDeathTest, TheEndThroughTerminateIsReported)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            InstallTerminateReport();
            try {
                throw std::runtime_error("Brak pamięci na kombinacje.");
            } catch (...) {
                std::terminate();
            }
        },
        "ends abnormally: Brak pami.* na kombinacje");
}
