#pragma once
// The result tables of the statistics, check and system windows on the program's string grid: rows
// drawn from the window's data as they are painted (nothing is stored in the cells), the result
// colours, navy bold group headers, header-click sorting recorded in the window's TSortMan, and the
// column shades derived from the background.

#include "controls/CellProperties.h"
#include "controls/Graphics.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class TSortMan;
class TStringAlignGrid;

// The background of result grids, and of their selected cells and of rows that pass a filter.
constexpr TColor ResultGridColor = 0xC9E0EB;       // 13230315
constexpr TColor ResultSelectedColor = 0xB4CBD6;   // 11848662
// Two shades of the background for alternating column groups.
constexpr TColor ResultShadeLight = ResultGridColor - 10;
constexpr TColor ResultShadeDark = ResultGridColor - 25;

struct TResultColumn {
    QString Caption;
    int DesignWidth = 64; // in the forms' pixels (FGlobalGrids' width rule)
    TMyAlign Alignment = alLeft;
    int SortKey = 0;      // 0: the column does not sort
    int Direction = 0;    // the direction the first header click toggles from
    bool GroupHeader = false; // navy bold header text
};

// Gives Grid the result colours: background, selected cells, and dark text on them.
void ColourResultGrid(TStringAlignGrid *Grid);

class TResultGrid {
public:
    // Text and format of a data cell: Row counts from 0 (the grid row below the header).
    using TCellProc = std::function<void(int Col, int Row, TCellFormat &Format)>;
    // Sorts the window's data by the column's key in Direction 1 or -1; false when the window ignores
    // the key (nothing is recorded or marked then).
    using TSortProc = std::function<bool(int SortKey, int Direction)>;

    // Binds Grid to entry SortIndex of SortMan. HasResults tells whether there is data to draw and sort.
    TResultGrid(TStringAlignGrid *Grid, TSortMan &SortMan, int SortIndex, std::function<bool()> HasResults);

    TStringAlignGrid *Grid() const { return FGrid; }

    // One header row and the columns: captions, widths, alignment of the data cells, sort keys and
    // group headers. Header clicks sort only where a key is given; such a column has room for its
    // caption with the sort mark.
    void SetColumns(const std::vector<TResultColumn> &Columns);
    // The window's data for the cells below the header, asked while there are results.
    void SetCellProc(TCellProc Proc);
    // The sort a header click runs, recorded in the SortMan entry and marked in the header; a click
    // while there are no results does nothing.
    void SetSortProc(TSortProc Proc);

    // Count data rows (an empty grid keeps one blank row below the header); repaints.
    void ShowRows(int Count);
    // Widens the columns, by the width rule, to the texts that the data rows Rows (counted as the cell
    // procedure counts them) draw: the rows that hold the widest figures of the data shown.
    void WidenToRows(const std::vector<int> &Rows);
    // Marks column key SortKey as sorted in Direction, every other key as unsorted, and repaints.
    void MarkSort(int SortKey, int Direction);
    // A sort of the window's data done: recorded in the SortMan entry and marked (for a sort that ends
    // after the header click, whose sort procedure answered false).
    void RecordSort(int SortKey, int Direction);

private:
    void CellFormat(int Col, int Row, TCellFormat &Format) const;
    void SortColumn(TSortCol &Entry);

    TStringAlignGrid *FGrid;
    TSortMan &FSortMan;
    int FSortIndex;
    std::function<bool()> FHasResults;
    TCellProc FCellProc;
    TSortProc FSortProc;
};

// A result grid over Grid in the result colours, bound to entry SortIndex of SortMan, drawn by Cell while
// HasResults, and sorted by Sort on a header click (no sort when Sort is empty).
std::unique_ptr<TResultGrid> BindResultGrid(TStringAlignGrid *Grid, TSortMan &SortMan, int SortIndex,
                                            std::function<bool()> HasResults, TResultGrid::TCellProc Cell,
                                            TResultGrid::TSortProc Sort = {});
