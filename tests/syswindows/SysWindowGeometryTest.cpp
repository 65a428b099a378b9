#include "tests/syswindows/SysWindowTestSupport.h"

class SysWindowGeometryTest : public SysWindowTest {};

TEST_F(SysWindowGeometryTest, AMaximisedWindowStaysMaximisedAfterGenerating)
{
    frame->resize(1000, 760);
    OpenClassic();
    TGenSysForm *window = OpenClassic();
    auto *holder = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    holder->showMaximized();
    // Eight numbers per combination widen the combination column, which fits a normal window to it.
    AnswerParams(10, 8, 5);
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);
    ASSERT_EQ(window->sgSystem->ColWidths(1), 192);
    EXPECT_TRUE(holder->isMaximized());
    EXPECT_EQ(holder->size(), frame->MdiArea->viewport()->size());
}

TEST_F(SysWindowGeometryTest, TiledWindowsKeepTheirFormsMinimumSize)
{
    frame->resize(900, 600);
    for (int i = 0; i < 5; ++i)
        Generate(12, 6, 22);
    for (const bool horizontally : {true, false}) {
        if (horizontally)
            frame->TileHorizontally();
        else
            frame->TileVertically();
        for (QWidget *form : frame->ChildForms()) {
            const QSize least = form->minimumSizeHint();
            EXPECT_GE(form->width(), least.width()) << horizontally;
            EXPECT_GE(form->height(), least.height()) << horizontally;
        }
    }
}
