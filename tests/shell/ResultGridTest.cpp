// A result grid draws its rows from the window's data, and header clicks sort, record and mark only
// while there are results.
#include "controls/StringAlignGrid.h"
#include "core/UGlobalSort.h"
#include "shell/FGlobalGrids.h"
#include "shell/ResultGrid.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// What the grid does on a click on the header of Col: toggles the column's direction and reports it.
void ClickHeader(TStringAlignGrid &Grid, int Col)
{
    TSortCol &entry = Grid.SortCols[size_t(Col)];
    entry.Direction = entry.Direction == 1 ? -1 : 1;
    Grid.OnSortColumn(&Grid, Col, entry);
}

} // namespace

TEST(ResultGrid, RowsComeFromTheDataAndHeaderClicksSortOnlyWithResults)
{
    std::unique_ptr<TStringAlignGrid> grid(NewGrid(nullptr, 1, 2, 0, 1));
    grid->resize(400, 200);
    TSortMan sortMan(1);
    bool results = false;
    std::vector<int> data = {30, 10, 20};
    std::vector<std::pair<int, int>> sorts;
    TResultGrid view(grid.get(), sortMan, 1, [&] { return results; });
    view.SetColumns({{"Lp.", 40, alCenter, 0, 0, false}, {"Wartość", 60, alRight, 2, 1, true}, {"Kod", 60, alLeft, 5, 0, true}});
    view.SetCellProc([&](int Col, int Row, TCellFormat &Format) {
        Format.Text = Col == 0 ? QString::number(Row + 1) : QString::number(data[size_t(Row)] + Col - 1);
    });
    view.SetSortProc([&](int Key, int Direction) {
        sorts.emplace_back(Key, Direction);
        if (Key != 2)
            return false; // the window ignores this key
        std::sort(data.begin(), data.end(), [Direction](int A, int B) { return Direction == 1 ? A > B : A < B; });
        return true;
    });
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->GetFontCell(1, 0).Color, TColor(0x800000));
    EXPECT_FALSE(grid->GetFontCell(0, 0).Style & fsBold);

    view.ShowRows(3);
    QString text;
    grid->GetCellText(1, 1, text);
    EXPECT_TRUE(text.isEmpty()) << "no results, nothing drawn";

    ClickHeader(*grid, 1);
    EXPECT_TRUE(sorts.empty());
    EXPECT_EQ(sortMan.GetSortDir(1, 2), 2);

    results = true;
    EXPECT_EQ(grid->RowCount(), 4);
    grid->GetCellText(1, 2, text);
    EXPECT_EQ(text, "10");
    ClickHeader(*grid, 1);
    ASSERT_EQ(sorts.size(), 1u);
    const int direction = sorts[0].second;
    EXPECT_EQ(direction, 1); // from 1, toggled by the ignored click and again by this one
    EXPECT_EQ(sortMan.GetSortDir(1, 2), direction);
    EXPECT_EQ(grid->Cells(1, 0), direction == 1 ? "Wartość -" : "Wartość +");
    grid->GetCellText(1, 1, text);
    EXPECT_EQ(text, direction == 1 ? "30" : "10");
    grid->GetCellText(0, 3, text);
    EXPECT_EQ(text, "3");

    // An ignored key records and marks nothing.
    ClickHeader(*grid, 2);
    ASSERT_EQ(sorts.size(), 2u);
    EXPECT_EQ(sorts[1].first, 5);
    EXPECT_EQ(sortMan.GetSortDir(1, 2), direction);
    EXPECT_EQ(grid->Cells(2, 0), "Kod");

    view.ShowRows(0);
    EXPECT_EQ(grid->RowCount(), 2);
}
