#include "platform/gui/WindowFit.h"
#include "shell/FGlobalGrids.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QScrollArea>
#include <QScrollBar>

class SysWindowGeometryTest : public SysWindowTest {};

TEST_F(SysWindowGeometryTest, GeneratingAndTilingKeepTheWindowsAndTheirContentReachable)
{
    frame->resize(1000, 700);
    Generate(12, 6, 22);
    TGenSysForm *window = OpenClassic();
    auto *holder = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    holder->showMaximized();
    // Eight numbers per combination widen the column, which fits a normal window to it.
    AnswerParams(10, 8, 5);
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);
    ASSERT_EQ(window->sgSystem->ColWidths(1), ScaledWidth(192));
    EXPECT_TRUE(holder->isMaximized());
    EXPECT_EQ(holder->size(), frame->MdiArea->viewport()->size());

    for (int i = 0; i < 3; ++i)
        Generate(12, 6, 22);
    for (const bool horizontally : {true, false}) {
        horizontally ? frame->TileHorizontally() : frame->TileVertically();
        QCoreApplication::processEvents();
        const QMdiArea &mdi = *frame->MdiArea;
        for (QWidget *form : frame->ChildForms()) {
            // A window the area has too little room for reaches past it, as far as its scroll bars reach.
            const QRect window = form->parentWidget()->geometry();
            EXPECT_TRUE(window.left() >= 0 && window.top() >= 0) << horizontally;
            EXPECT_LE(window.right() - mdi.viewport()->rect().right(), mdi.horizontalScrollBar()->maximum())
                << horizontally;
            EXPECT_LE(window.bottom() - mdi.viewport()->rect().bottom(), mdi.verticalScrollBar()->maximum())
                << horizontally;
            // Where the window's share is smaller than its form needs, a scroll bar reaches the rest.
            const auto *scroller = form->findChild<QScrollArea *>();
            ASSERT_NE(scroller, nullptr);
            const QSize need = platform::contentMinimum(*form);
            const QSize room = scroller->viewport()->size();
            const QSize reach(scroller->horizontalScrollBar()->maximum(), scroller->verticalScrollBar()->maximum());
            EXPECT_GE(room.width() + reach.width(), need.width()) << horizontally;
            EXPECT_GE(room.height() + reach.height(), need.height()) << horizontally;
        }
    }
}
