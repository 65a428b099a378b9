#include "shell/FMainTiling.h"

#include <gtest/gtest.h>

namespace {

// Count windows that need no room of their own.
std::vector<TTileNeed> Free(int Count)
{
    return std::vector<TTileNeed>(size_t(Count), TTileNeed{});
}

// Windows that want no more than they need.
std::vector<TTileNeed> Needing(const std::vector<QSize> &Sizes)
{
    std::vector<TTileNeed> needs;
    for (const QSize &size : Sizes)
        needs.push_back({size, size});
    return needs;
}

} // namespace

TEST(Tiling, HorizontalStacksWideWindowsInColumns)
{
    const QRect area(0, 0, 300, 200);
    EXPECT_EQ(TileRects(area, Free(1), true), (std::vector<QRect>{QRect(0, 0, 300, 200)}));
    // Three windows: one column (floor of sqrt 3), each a third of the height.
    EXPECT_EQ(TileRects(area, Free(3), true),
              (std::vector<QRect>{QRect(0, 0, 300, 66), QRect(0, 66, 300, 66), QRect(0, 132, 300, 68)}));
    // Five windows: two columns, the last one holding the extra window.
    EXPECT_EQ(TileRects(area, Free(5), true),
              (std::vector<QRect>{QRect(0, 0, 150, 100), QRect(0, 100, 150, 100), QRect(150, 0, 150, 66),
                                  QRect(150, 66, 150, 66), QRect(150, 132, 150, 68)}));
}

TEST(Tiling, VerticalPlacesTallWindowsSideBySideInRows)
{
    const QRect area(10, 20, 300, 200);
    EXPECT_EQ(TileRects(area, Free(2), false),
              (std::vector<QRect>{QRect(10, 20, 150, 200), QRect(160, 20, 150, 200)}));
    EXPECT_EQ(TileRects(area, Free(5), false),
              (std::vector<QRect>{QRect(10, 20, 150, 100), QRect(160, 20, 150, 100), QRect(10, 120, 100, 100),
                                  QRect(110, 120, 100, 100), QRect(210, 120, 100, 100)}));
}

TEST(Tiling, NoWindowsNoRectangles)
{
    EXPECT_TRUE(TileRects(QRect(0, 0, 100, 100), Free(0), true).empty());
}

TEST(Tiling, WindowsGetWhatTheyWantThenWhatTheyNeedAndAPartOfTheRestOrReachPastTheArea)
{
    // Three wide windows in 300 pixels of height wanting 150, 30 and 60: 60 left over, 20 each.
    EXPECT_EQ(
        TileRects(QRect(0, 0, 400, 300), Needing({QSize(100, 150), QSize(100, 30), QSize(100, 60)}), true),
        (std::vector<QRect>{QRect(0, 0, 400, 170), QRect(0, 170, 400, 50), QRect(0, 220, 400, 80)}));
    // Needing 100 and 50, wanting 200 and 150, in 200: the 50 left after the needs goes 25 and 25.
    EXPECT_EQ(TileRects(QRect(0, 0, 400, 200),
                        {{QSize(0, 100), QSize(0, 200)}, {QSize(0, 50), QSize(0, 150)}}, true),
              (std::vector<QRect>{QRect(0, 0, 400, 125), QRect(0, 125, 400, 75)}));
    // Wanting 100 and 300 beyond needs of 50 each, in 200: 100 left, a quarter and three quarters.
    EXPECT_EQ(TileRects(QRect(0, 0, 400, 200), {{QSize(0, 50), QSize(0, 150)}, {QSize(0, 50), QSize(0, 350)}},
                        true),
              (std::vector<QRect>{QRect(0, 0, 400, 75), QRect(0, 75, 400, 125)}));
    // Four windows in two columns: the column of the widest need (500 of 700) takes it and 50 of the rest.
    EXPECT_EQ(TileRects(QRect(0, 0, 700, 400),
                        Needing({QSize(100, 0), QSize(500, 0), QSize(100, 0), QSize(0, 0)}), true),
              (std::vector<QRect>{QRect(0, 0, 550, 200), QRect(0, 200, 550, 200), QRect(550, 0, 150, 200),
                                  QRect(550, 200, 150, 200)}));
}

TEST(Tiling, WhereTheWindowsDoNotFitSoFewerShareARowOrAColumn)
{
    // Side by side needing 300, 100 and 200 of 450 in width: one row would reach 150 past the area, two
    // rows fit.
    EXPECT_EQ(
        TileRects(QRect(0, 0, 450, 200), Needing({QSize(300, 10), QSize(100, 10), QSize(200, 10)}), false),
        (std::vector<QRect>{QRect(0, 0, 450, 100), QRect(0, 100, 175, 100), QRect(175, 100, 275, 100)}));
    // Four windows 300 wide in 500: two columns would reach past the area, one column of four fits.
    EXPECT_EQ(TileRects(QRect(0, 0, 500, 400), Needing(std::vector<QSize>(4, QSize(300, 50))), true),
              (std::vector<QRect>{QRect(0, 0, 500, 100), QRect(0, 100, 500, 100), QRect(0, 200, 500, 100),
                                  QRect(0, 300, 500, 100)}));
    // Three windows of 300 x 150 in 450 x 200 fit no way: one row reaches 450 past the area, two rows and
    // three rows 250 each; of those, two rows are nearer the usual one.
    EXPECT_EQ(TileRects(QRect(0, 0, 450, 200), Needing(std::vector<QSize>(3, QSize(300, 150))), false),
              (std::vector<QRect>{QRect(0, 0, 450, 150), QRect(0, 150, 300, 150),
                                  QRect(300, 150, 300, 150)}));
}

TEST(Tiling, CascadeMakesWindowsSmallerToEndInTheAreaAndStartsAgainWhereLessThanHalfOfItIsLeft)
{
    // Seven windows as large as the area, 30 apart: 180 down, less than half the height would be left.
    const std::vector<QSize> whole(7, QSize(400, 300));
    EXPECT_EQ(CascadeRects(QRect(10, 20, 400, 300), whole, 30),
              (std::vector<QRect>{QRect(10, 20, 400, 300), QRect(40, 50, 370, 270), QRect(70, 80, 340, 240),
                                  QRect(100, 110, 310, 210), QRect(130, 140, 280, 180),
                                  QRect(160, 170, 250, 150), QRect(10, 20, 400, 300)}));
    // A small window keeps its size.
    EXPECT_EQ(CascadeRects(QRect(0, 0, 400, 300), {QSize(100, 50), QSize(100, 50)}, 30),
              (std::vector<QRect>{QRect(0, 0, 100, 50), QRect(30, 30, 100, 50)}));
}
