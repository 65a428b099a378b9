#include "tests/support/HangGuard.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QApplication>
#include <QTest>

class SysWindowKeysTest : public SysWindowTest {};

TEST_F(SysWindowKeysTest, ChildWindowsSwitchAndCloseByKeyFromTheGrid)
{
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get(), testsupport::HangGuardMs));
    const auto open = [this] {
        OpenSystemWindow(0);
        auto *window = qobject_cast<TGenSysForm *>(frame->ChildForms().back());
        EXPECT_EQ(QApplication::focusWidget(), window->sgSystem) << "a new window gives its grid the focus";
        return window;
    };
    TGenSysForm *first = open();
    TGenSysForm *second = open();

    QTest::keyClick(second->sgSystem, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(frame->ActiveChildForm(), first);
    EXPECT_EQ(QApplication::focusWidget(), first->sgSystem);
    QTest::keyClick(first->sgSystem, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(frame->ActiveChildForm(), second);

    // A click into another window keeps the focus where the user clicked; Ctrl+F4 closes it from there.
    QTest::mouseClick(first->sgStat->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(QApplication::focusWidget(), first->sgStat);
    QTest::keyClick(first->sgStat, Qt::Key_F4, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(frame->ChildForms(), std::vector<QWidget *>{second});
    EXPECT_EQ(QApplication::focusWidget(), second->sgSystem);
}
