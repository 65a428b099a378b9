#include "shell/ResultGrid.h"

#include "controls/StringAlignGrid.h"
#include "core/UGlobalSort.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"

#include <algorithm>
#include <utility>

void ColourResultGrid(TStringAlignGrid *Grid)
{
    Grid->setColor(ResultGridColor);
    Grid->setSelectedCellColor(ResultSelectedColor);
    Grid->setSelectedFontColor(clWindowText);
}

TResultGrid::TResultGrid(TStringAlignGrid *Grid, TSortMan &SortMan, int SortIndex, std::function<bool()> HasResults)
    : FGrid(Grid), FSortMan(SortMan), FSortIndex(SortIndex), FHasResults(std::move(HasResults))
{
    FGrid->OnGetCellFormat = [this](int ACol, int ARow, TCellFormat &Format) { CellFormat(ACol, ARow, Format); };
    FGrid->OnSortColumn = [this](TStringAlignGrid *, int, TSortCol &Entry) { SortColumn(Entry); };
}

void TResultGrid::SetColumns(const std::vector<TResultColumn> &Columns)
{
    const int count = int(Columns.size());
    FGrid->setColCount(count);
    // Switching header sorting on or off resets the sort entries.
    FGrid->setSortByClick(std::any_of(Columns.begin(), Columns.end(), [](const TResultColumn &C) { return C.SortKey != 0; }));
    FGrid->SortCols.assign(size_t(count), TSortCol{});
    std::vector<int> groupHeaders;
    for (int col = 0; col < count; ++col) {
        const TResultColumn &column = Columns[size_t(col)];
        FGrid->setCells(col, 0, column.Caption);
        FGrid->SetAlignCol(col, column.Alignment);
        FGrid->SortCols[size_t(col)] = TSortCol{int8_t(column.Direction), column.SortKey};
        if (column.GroupHeader)
            groupHeaders.push_back(col);
    }
    SetGridColsFont(FGrid, groupHeaders);
    for (int col = 0; col < count; ++col) {
        const TResultColumn &column = Columns[size_t(col)];
        SetColWidth(FGrid, col, column.DesignWidth);
        // Room for the sort mark a header click puts after the caption.
        if (column.SortKey != 0)
            WidenColToTexts(FGrid, col, FGrid->GetFontCell(col, 0),
                            {TStringAlignGrid::MarkedCaption(column.Caption, 1),
                             TStringAlignGrid::MarkedCaption(column.Caption, -1)});
    }
}

void TResultGrid::SetCellProc(TCellProc Proc)
{
    FCellProc = std::move(Proc);
}

void TResultGrid::SetSortProc(TSortProc Proc)
{
    FSortProc = std::move(Proc);
}

void TResultGrid::ShowRows(int Count)
{
    FGrid->setRowCount(std::max(Count, 1) + 1);
    if (Count <= 0)
        FGrid->ClearRows(1, 1);
    FGrid->InvalidateGrid();
}

void TResultGrid::WidenToRows(const std::vector<int> &Rows)
{
    std::vector<int> gridRows;
    gridRows.reserve(Rows.size());
    for (const int row : Rows)
        gridRows.push_back(row + FGrid->FixedRows());
    WidenColsToRows(FGrid, gridRows);
}

void TResultGrid::MarkSort(int SortKey, int Direction)
{
    FGrid->SetSortDirection(SortKey, Direction, true);
    FGrid->UpdateSortMarks();
    FGrid->InvalidateGrid();
}

void TResultGrid::CellFormat(int Col, int Row, TCellFormat &Format) const
{
    if (Row < FGrid->FixedRows() || !FCellProc || !FHasResults())
        return;
    FCellProc(Col, Row - FGrid->FixedRows(), Format);
}

void TResultGrid::SortColumn(TSortCol &Entry)
{
    if (!FHasResults() || !FSortProc)
        return;
    // Taken first: a sort may lay the columns out anew.
    const int key = Entry.SortKey, direction = Entry.Direction;
    if (FSortProc(key, direction))
        RecordSort(key, direction);
}

void TResultGrid::RecordSort(int SortKey, int Direction)
{
    FSortMan.SetSort(FSortIndex, SortKey, Direction);
    MarkSort(SortKey, Direction);
}

std::unique_ptr<TResultGrid> BindResultGrid(TStringAlignGrid *Grid, TSortMan &SortMan, int SortIndex,
                                            std::function<bool()> HasResults, TResultGrid::TCellProc Cell,
                                            TResultGrid::TSortProc Sort)
{
    ColourResultGrid(Grid);
    auto result = std::make_unique<TResultGrid>(Grid, SortMan, SortIndex, std::move(HasResults));
    result->SetCellProc(std::move(Cell));
    result->SetSortProc(std::move(Sort));
    return result;
}
