#include "controls/RichView.h"
#include "engine/USysShort.h"
#include "shell/FGlobalViewers.h"
#include "tests/syswindows/SysWindowTestSupport.h"

using GlobalSystemsTest = SysWindowTest;

TEST_F(GlobalSystemsTest, DescriptionReplacesWhatTheViewerShowed)
{
    TSysShort system(Games.GameById(LottoId));
    system.SetParams(12, 6, 22);
    TRichView view;
    SetupSummaryViewer(&view);
    view.AddTextNewLine("Brak losowań", 0);
    ShowSystemDescription(system, &view);
    ASSERT_EQ(view.LineList().size(), 1u);
    EXPECT_EQ(view.LineList()[0].Text, "System skrócony - klasyczny 6/12/22");
    EXPECT_EQ(view.LineList()[0].StyleCode, 6);
}
