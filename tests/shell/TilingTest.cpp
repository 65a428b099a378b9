#include "shell/FMainTiling.h"

#include <gtest/gtest.h>

TEST(Tiling, HorizontalStacksWideWindowsInColumns)
{
    const QRect area(0, 0, 300, 200);
    EXPECT_EQ(TileRects(area, 1, true), (std::vector<QRect>{QRect(0, 0, 300, 200)}));
    // Three windows: one column (floor of sqrt 3), each a third of the height.
    EXPECT_EQ(TileRects(area, 3, true),
              (std::vector<QRect>{QRect(0, 0, 300, 66), QRect(0, 66, 300, 66), QRect(0, 132, 300, 68)}));
    // Five windows: two columns, the last one holding the extra window.
    EXPECT_EQ(TileRects(area, 5, true),
              (std::vector<QRect>{QRect(0, 0, 150, 100), QRect(0, 100, 150, 100), QRect(150, 0, 150, 66),
                                  QRect(150, 66, 150, 66), QRect(150, 132, 150, 68)}));
}

TEST(Tiling, VerticalPlacesTallWindowsSideBySideInRows)
{
    const QRect area(10, 20, 300, 200);
    EXPECT_EQ(TileRects(area, 2, false),
              (std::vector<QRect>{QRect(10, 20, 150, 200), QRect(160, 20, 150, 200)}));
    EXPECT_EQ(TileRects(area, 5, false),
              (std::vector<QRect>{QRect(10, 20, 150, 100), QRect(160, 20, 150, 100), QRect(10, 120, 100, 100),
                                  QRect(110, 120, 100, 100), QRect(210, 120, 100, 100)}));
}

TEST(Tiling, NoWindowsNoRectangles)
{
    EXPECT_TRUE(TileRects(QRect(0, 0, 100, 100), 0, true).empty());
}
