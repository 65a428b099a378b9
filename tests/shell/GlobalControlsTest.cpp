#include "controls/StringAlignGrid.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalSystems.h"

#include <QListWidget>
#include <gtest/gtest.h>

TEST(GlobalControls, GroupHeadersGetANavyBoldFontOnlyInRowZero)
{
    TStringAlignGrid grid;
    grid.setColCount(4);
    grid.setRowCount(3);
    const TMyFont before = grid.GetFontCell(1, 1);
    SetGridColsFont(&grid, {1, 3});
    for (int col : {1, 3}) {
        EXPECT_EQ(grid.GetFontCell(col, 0).Color, TColor(0x800000));
        EXPECT_TRUE(grid.GetFontCell(col, 0).Style & fsBold);
        EXPECT_EQ(grid.GetFontCell(col, 0).Name, before.Name);
    }
    EXPECT_EQ(grid.GetFontCell(1, 1), before) << "only the header cell changes";
    EXPECT_NE(grid.GetFontCell(0, 0).Color, TColor(0x800000));
    EXPECT_NE(grid.GetFontCell(2, 0).Color, TColor(0x800000));
}

TEST(GlobalControls, CheckAllAndCheckedCount)
{
    QListWidget list;
    for (int i = 0; i < 5; ++i)
        (new QListWidgetItem(QString::number(i), &list))->setCheckState(i % 2 ? Qt::Checked : Qt::Unchecked);
    EXPECT_EQ(CheckedCount(&list), 2);
    CheckAll(&list, true);
    EXPECT_EQ(CheckedCount(&list), 5);
    CheckAll(&list, false);
    EXPECT_EQ(CheckedCount(&list), 0);
}

TEST(GlobalControls, SystemKindNamesLeaveTheUnnamedKindsEmpty)
{
    EXPECT_EQ(SystemKindName(4), QStringLiteral("Skróc. - losowy"));
    EXPECT_EQ(SystemKindName(5), QStringLiteral("Skrócony"));
    for (int kind : {-1, 8, 9, 10, 11})
        EXPECT_TRUE(SystemKindName(kind).isEmpty()) << kind;
}
