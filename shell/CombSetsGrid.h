#pragma once
// The grid both number-set windows show the saved sets in, one row per set ("Lp.", "Data", "N",
// "Liczby"), and the comment of the set of a row.

#include "shell/CombSets.h"

class QPlainTextEdit;
class QWidget;
class TStringAlignGrid;

// The grid with its columns, colours and fonts; MultiSelect lets a range of rows be selected.
TStringAlignGrid *NewCombSetsGrid(QWidget *Parent, bool MultiSelect);
// One row per set (row heights for the lines of numbers), or one empty row; then the comment of the
// current row.
void FillCombSetsGrid(TStringAlignGrid *Grid, const TCombSets &Sets, QPlainTextEdit *Comment);
// The comment of the set shown in grid row Row (1-based), or empty text.
void ShowCombSetComment(QPlainTextEdit *Comment, const TCombSets &Sets, int Row);
