#pragma once
// The grid factory and the width rule of every window. The forms give widths and heights in pixels of
// their dialog font; here they are scaled to the font the program runs with, and a column is never
// narrower than the texts it must show in full.

#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>

#include <vector>

class TStringAlignGrid;
class QFont;
struct TFont;
class QWidget;

// The forms' dialog font, "MS Sans Serif" 8 pt at 96 dpi: its average character width (the dialog
// base unit, the advance of "A".."Z" and "a".."z" over 52) and its character cell height, in pixels.
constexpr int DesignCharWidth = 6;
constexpr int DesignCharHeight = 13;
// The forms' grid row height and default column width.
constexpr int DesignRowHeight = 18;
constexpr int DesignColWidth = 64;
// The grid's text stands this far inside each edge of its cell.
constexpr int CellTextMargin = 2;

// The font windows run with: the application's.
QFont RunningFont();
// A form's width (height) in pixels of the dialog font, in pixels of the running font.
int ScaledWidth(int DesignPixels);
int ScaledHeight(int DesignPixels);
QSize ScaledSize(int DesignWidth, int DesignHeight);

// The forms' grid font, "MS Sans Serif" (drawn with its installed substitute), at the running font's size.
TFont RunningGridFont();
// A grid row of DesignHeight pixels of the forms, scaled, and at least tall enough for that font's text.
int ScaledRowHeight(int DesignHeight);

// A read-only grid of Cols x Rows, FixedCols and FixedRows of them fixed, its font the forms' grid font
// at the running font's size, with the forms' row height and default column width scaled (rows at least
// tall enough for the text).
TStringAlignGrid *NewGrid(QWidget *Parent, int Cols, int Rows, int FixedCols, int FixedRows);
// Makes a grid of NewGrid editable in place: its cells (or those that their own setting leaves editable)
// open the editor on a click, F2, Enter or typing.
void MakeGridEditable(TStringAlignGrid *Grid);

// The width rule: column Col takes DesignWidth scaled to the running font, widened to the widest of its
// fixed texts (every row of a fixed column) and of Values, each in the font it is drawn in, with the
// cell's margins. Values are the widest texts the column must show, formatted as shown.
void SetColWidth(TStringAlignGrid *Grid, int Col, int DesignWidth, const QStringList &Values = {});
// Column Col widened (never narrowed) to Texts drawn in Font, with the cell's margins.
void WidenColToTexts(TStringAlignGrid *Grid, int Col, const TFont &Font, const QStringList &Texts);
// The width rule over drawn cells: each column widened (never narrowed) to the texts that the grid rows
// Rows draw in it, each in its cell's font, with the cell's margins (a text wrapped over lines to its
// widest word).
void WidenColsToRows(TStringAlignGrid *Grid, const std::vector<int> &Rows);
// Row 0 gets the captions and each column its design width by the rule.
void SetHeader(TStringAlignGrid *Grid, const QStringList &Captions, const std::vector<int> &DesignWidths);
// The texts of column Col below the fixed rows, for the rule of a small grid that holds its values.
QStringList ColTexts(const TStringAlignGrid *Grid, int Col);

// A combination as result grids show it: each number "%2d ", the last blank kept.
QString CombCellText(const uint8_t *Comb, size_t Len);

// Keeps every column of the grid in view: the grid is never narrower than its columns, with room for a
// vertical scroll bar. Called again when the columns change.
void KeepColumnsInView(TStringAlignGrid *Grid);

// The grid never shrinks below its fixed rows and Rows rows more (with its horizontal scroll bar).
void KeepRowsInView(TStringAlignGrid *Grid, int Rows);

// Fixes the grid's height (width) so that every row (column) shows without scrolling; a horizontal
// scroll bar the grid may show keeps its room below the rows.
void FitGridHeight(TStringAlignGrid *Grid);
void FitGridWidth(TStringAlignGrid *Grid);
