#pragma once
// A grid as a report writes it: the texts of its header row and of the rows chosen, and the formats the
// sheet carries over, taken on the GUI thread (the grid's cell procedures read their window) before the
// report worker starts. The worker reads only this copy.

#include "controls/CellProperties.h"
#include "controls/Graphics.h"

#include <string>
#include <vector>

class TStringAlignGrid;

struct TReportColumn {
    std::string FontName;
    bool Bold = false; // the column's font is bold and nothing else
    // A fixed column's fixed-cell alignment, else the column's.
    TMyAlign Align = alDefault;
    bool Fixed = false;
    int Width = 0; // pixels
};

class TReportGrid {
public:
    std::vector<TReportColumn> Columns;
    int DefaultRowHeight = 0;
    int HeaderHeight = 0; // of row 0
    bool WordWrap = false;
    TColor FixedColor = clBtnFace;

    int ColCount() const { return int(Columns.size()); }
    // The header row included.
    int RowCount() const { return FRowCount; }
    // The text of written row Row (0 the header) in column Col, without leading and trailing
    // characters below 33.
    const std::string &Text(int Row, int Col) const { return FTexts[size_t(Row) * Columns.size() + size_t(Col)]; }

    // Row 0 of Grid, its captions without their sort marks, and the rows FromRow..ToRow (every row for
    // FromRow -1; a range is kept within the grid's rows). Runs the grid's cell procedures: GUI thread.
    static TReportGrid Take(const TStringAlignGrid &Grid, int FromRow = -1, int ToRow = -1);

private:
    int FRowCount = 0;
    std::vector<std::string> FTexts; // row by row
};
