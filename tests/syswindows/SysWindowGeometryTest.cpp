#include "shell/FGlobalGrids.h"
#include "tests/syswindows/SysWindowTestSupport.h"

class SysWindowGeometryTest : public SysWindowTest {};

TEST_F(SysWindowGeometryTest, GeneratingAndTilingKeepTheFramesSizeRules)
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
        for (QWidget *form : frame->ChildForms()) {
            EXPECT_GE(form->width(), form->minimumSizeHint().width()) << horizontally;
            EXPECT_GE(form->height(), form->minimumSizeHint().height()) << horizontally;
        }
    }
}
