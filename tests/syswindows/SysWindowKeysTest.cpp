#include "shell/FGlobalWindows.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QApplication>
#include <QTest>

class SysWindowKeysTest : public SysWindowTest {
protected:
    void SetUp() override
    {
        SysWindowTest::SetUp();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }

    // A classic window opened as the system selector opens it, without activating it by hand.
    TGenSysForm *OpenFromSelector()
    {
        OpenSystemWindow(0);
        return qobject_cast<TGenSysForm *>(frame->ChildForms().back());
    }

    QWidget *Active() const { return frame->ActiveChildForm(); }
};

TEST_F(SysWindowKeysTest, ChildWindowsSwitchAndCloseByKeyFromTheGrid)
{
    TGenSysForm *first = OpenFromSelector();
    EXPECT_EQ(QApplication::focusWidget(), first->sgSystem) << "a new window gives its grid the focus";
    TGenSysForm *second = OpenFromSelector();
    ASSERT_EQ(Active(), second);
    EXPECT_EQ(QApplication::focusWidget(), second->sgSystem);

    QTest::keyClick(second->sgSystem, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Active(), first);
    EXPECT_EQ(QApplication::focusWidget(), first->sgSystem);
    QTest::keyClick(first->sgSystem, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Active(), second);
    EXPECT_EQ(QApplication::focusWidget(), second->sgSystem);

    // A click into another window keeps the focus where the user clicked.
    QTest::mouseClick(first->sgStat->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Active(), first);
    EXPECT_EQ(QApplication::focusWidget(), first->sgStat);

    QTest::keyClick(first->sgStat, Qt::Key_F4, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(frame->ChildForms(), std::vector<QWidget *>{second});
    EXPECT_EQ(Active(), second);
    EXPECT_EQ(QApplication::focusWidget(), second->sgSystem);
}
