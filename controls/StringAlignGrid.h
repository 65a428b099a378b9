#pragma once
// The string grid of the program's windows: alignment, wrap, editability, font and background per
// cell, column and row (and for fixed cells per fixed column and fixed row), with grid-wide defaults;
// its own cell drawing, an in-place editor with validation and automatic moves to the next editable
// cell, header-click sorting with marks, block exchange with the clipboard, and its stored properties.
//
// The Get... readers (GetCellText, GetAlignCol, GetFontCol, GetFontCell ...) make no widget calls and
// change nothing: a report worker reads them while the GUI paints. The readers without Get (FontCol,
// BrushCell ...) create the record on demand and hand it out for changing in place.

#include "controls/CellProperties.h"
#include "controls/SlotList.h"
#include "controls/StringGrid.h"
#include "platform/SortBound.h"

#include <QByteArray>

#include <functional>
#include <optional>
#include <vector>

class TNewInplaceEdit;

// Stand-in for the platform's hint information handed to OnShowHintCell.
struct THintInfo {
    QPoint HintPos;   // screen point where the hint shows
    TRect CursorRect; // viewport rectangle the hint belongs to
};

using TCellProps = TOwned<TCellProperties>;

// The grid's settings that its stored properties carry: published values and the five stores.
struct TAlignGridSettings {
    TMyAlign Alignment = alLeft;
    TWordWrap Wordwrap = ww_none;
    bool Editable = true;
    TColor FixedColor = clBtnFace;
    TColor SelectedCellColor = clActiveCaption;
    TColor SelectedFontColor = clWhite;
    bool ShowCellHints = true;
    bool SelectEditText = true;
    bool EditMultiline = false;
    bool AutoEditNextCell = false;
    TNextCell NextCellEdit = nc_rightdown;
    TNextCell NextCellTab = nc_rightdown;
    TLastCell AfterLastCellEdit = lc_newcolrow;
    TLastCell AfterLastCellTab = lc_first;
    bool DrawSelection = true;
    bool AutoAdjustLastCol = false;
    int GridLineWidth = 1;
    bool RedrawWhileScroll = false;
    bool SortByClick = false;
    int AdjustedColMinWidth = 0;
};

struct TAlignGridStores {
    TSlotList<TCellProps> PropCol;
    TSlotList<TCellProps> PropRow;
    TSlotList<TCellProps> PropFixedCol;
    TSlotList<TCellProps> PropFixedRow;
    TCellTable<TCellProps> PropCell;
    TCellTable<QString> HintCell;
    // Texts read from a stream, applied by Loaded(); present until then.
    std::optional<TCellTable<QString>> PendingCells = TCellTable<QString>();
    bool HasHints = false;
    bool HasStoredCells = false;
};

class TStringAlignGrid : public TStringGrid {
    Q_OBJECT
    friend class TNewInplaceEdit;

public:
    explicit TStringAlignGrid(QWidget *parent = nullptr);
    ~TStringAlignGrid() override;

    void Loaded() override;

    // ---- grid-wide settings ----
    TMyAlign Alignment() const { return FSettings.Alignment; }
    void setAlignment(TMyAlign value);
    TWordWrap Wordwrap() const { return FSettings.Wordwrap; }
    void setWordwrap(TWordWrap value);
    bool Editable() const { return FSettings.Editable; }
    void setEditable(bool value);
    void setFixedColor(TColor value) override;
    TColor SelectedCellColor() const { return FSettings.SelectedCellColor; }
    void setSelectedCellColor(TColor value);
    TColor SelectedFontColor() const { return FSettings.SelectedFontColor; }
    void setSelectedFontColor(TColor value);
    bool ShowCellHints() const { return FSettings.ShowCellHints; }
    void setShowCellHints(bool value) { FSettings.ShowCellHints = value; }
    bool SelectEditText() const { return FSettings.SelectEditText; }
    void setSelectEditText(bool value) { FSettings.SelectEditText = value; }
    bool EditMultiline() const { return FSettings.EditMultiline; }
    void setEditMultiline(bool value) { FSettings.EditMultiline = value; }
    bool AutoEditNextCell() const { return FSettings.AutoEditNextCell; }
    void setAutoEditNextCell(bool value) { FSettings.AutoEditNextCell = value; }
    TNextCell NextCellEdit() const { return FSettings.NextCellEdit; }
    void setNextCellEdit(TNextCell value) { FSettings.NextCellEdit = value; }
    TNextCell NextCellTab() const { return FSettings.NextCellTab; }
    void setNextCellTab(TNextCell value) { FSettings.NextCellTab = value; }
    TLastCell AfterLastCellEdit() const { return FSettings.AfterLastCellEdit; }
    void setAfterLastCellEdit(TLastCell value) { FSettings.AfterLastCellEdit = value; }
    TLastCell AfterLastCellTab() const { return FSettings.AfterLastCellTab; }
    void setAfterLastCellTab(TLastCell value) { FSettings.AfterLastCellTab = value; }
    bool DrawSelection() const { return FSettings.DrawSelection; }
    void setDrawSelection(bool value);
    bool AutoAdjustLastCol() const { return FSettings.AutoAdjustLastCol; }
    void setAutoAdjustLastCol(bool value);
    void setGridLineWidth(int value) override;
    bool RedrawWhileScroll() const { return FSettings.RedrawWhileScroll; }
    void setRedrawWhileScroll(bool value);
    bool SortByClick() const { return FSettings.SortByClick; }
    void setSortByClick(bool value);
    int AdjustedColMinWidth() const { return FSettings.AdjustedColMinWidth; }
    void setAdjustedColMinWidth(int value) { FSettings.AdjustedColMinWidth = value; }

    // Further fixed columns and rows: cells below them count as fixed cells.
    int ExtraFixedCols = 0;
    int ExtraFixedRows = 0;
    // Clipboard switches: the cut, copy and paste keys act at all; cut and paste touch editable cells only.
    bool ClipboardEnabled = true;
    bool ClipboardEditableOnly = false;

    // The font and background of fixed cells that no store sets.
    const TMyFont &FixedFont() const { return FFixedFont; }
    void setFixedFont(const TMyFont &value);
    const TMyBrush &FixedBrush() const { return FFixedBrush; }
    // The grid's background brush (its Color, solid).
    TMyBrush Brush() const { return {Color(), bsSolid}; }

    bool IsFixedCell(int ACol, int ARow) const;

    // ---- effective values of a cell (cell, then column, then row, then the grid) ----
    TMyAlign GetAlignCell(int ACol, int ARow) const;
    TWordWrap GetWordwrapCell(int ACol, int ARow) const;
    bool GetEditCell(int ACol, int ARow) const;
    TMyFont GetFontCell(int ACol, int ARow) const;
    TMyBrush GetBrushCell(int ACol, int ARow) const;
    TColor GetColorCell(int ACol, int ARow) const;
    TColor GetSelectedColorCell(int ACol, int ARow) const;
    TColor GetSelectedFontColorCell(int ACol, int ARow) const;
    QString CellHint(int ACol, int ARow) const;
    // The cell's text, or for an empty cell the text OnGetCellFormat supplies.
    void GetCellText(int ACol, int ARow, QString &S) const;
    // The cell's text and format as it is drawn: its own, then as OnGetCellFormat changes them.
    TCellFormat DrawnCellFormat(int ACol, int ARow) const;

    // ---- one store's values, else the grid's ----
    TMyAlign GetAlignCol(int ACol) const;
    TMyAlign GetFixedAlignCol(int ACol) const;
    TMyAlign GetAlignRow(int ARow) const;
    TMyAlign GetFixedAlignRow(int ARow) const;
    TMyFont GetFontCol(int ACol) const;
    TMyFont GetFontFixedCol(int ACol) const;
    TMyFont GetFontRow(int ARow) const;
    TMyFont GetFontFixedRow(int ARow) const;
    TColor GetColorCol(int ACol) const;
    TColor GetColorFixedCol(int ACol) const;
    TColor GetColorRow(int ARow) const;
    TColor GetColorFixedRow(int ARow) const;

    // ---- setters (alignment and colour repaint; editability does not) ----
    void SetAlignCell(int ACol, int ARow, TMyAlign Value);
    void SetAlignCol(int ACol, TMyAlign Value);
    void SetFixedAlignCol(int ACol, TMyAlign Value);
    void SetAlignRow(int ARow, TMyAlign Value);
    void SetFixedAlignRow(int ARow, TMyAlign Value);
    void SetEditCell(int ACol, int ARow, bool Value);
    void SetEditCol(int ACol, bool Value);
    void SetEditRow(int ARow, bool Value);
    void SetColorCell(int ACol, int ARow, TColor Value);
    void SetColorCol(int ACol, TColor Value);
    void SetColorFixedCol(int ACol, TColor Value);
    void SetColorRow(int ARow, TColor Value);
    void SetColorFixedRow(int ARow, TColor Value);
    void SetSelectedColorCell(int ACol, int ARow, TColor Value);
    void SetSelectedColorCol(int ACol, TColor Value);
    void SetSelectedColorRow(int ARow, TColor Value);

    // ---- own fonts and brushes, created on demand as copies of the grid's, changed in place ----
    TMyFont &FontCell(int ACol, int ARow);
    TMyFont &FontCol(int ACol);
    TMyFont &FontFixedCol(int ACol);
    TMyFont &FontRow(int ARow);
    TMyFont &FontFixedRow(int ARow);
    TMyBrush &BrushCell(int ACol, int ARow);
    TMyBrush &BrushCol(int ACol);
    TMyBrush &BrushFixedCol(int ACol);
    TMyBrush &BrushRow(int ARow);
    TMyBrush &BrushFixedRow(int ARow);
    // The column falls back to the row's, then the grid's font.
    void ResetFontCol(int ACol);

    // ---- rows and columns with their properties ----
    void InsertColumn(int ACol);
    void InsertRow(int ARow);
    void ExchangeRows(int R1, int R2);
    void ExchangeCols(int C1, int C2);
    // -1 for FromRow means 0, -1 for ToRow the last row.
    void ClearRows(int FromRow, int ToRow);
    void ClearCells(int Row1, int Col1, int Row2, int Col2);
    // Copies every non-empty text into List (column, row), replacing what was there.
    void SaveCellsToList(TCellTable<QString> &List) const;

    // ---- editing and navigation ----
    // Moves (Col, Row) one step in Direction; past the end AtEnd decides. True when it added a row or
    // column.
    bool MoveToNextCell(TNextCell Direction, TLastCell AtEnd, int &Row, int &Col);
    // Ends an open edit: confirmed (Cancel false) or as if Esc was pressed (Cancel true).
    void EndEdit(bool Cancel);
    bool Editing() const { return FEditing; }
    TNewInplaceEdit *Editor() const;

    // ---- sorting ----
    std::vector<TSortCol> SortCols;
    void SetSortDirection(int SortKey, int Direction, bool ResetOthers);
    void UpdateSortMarks();
    // The row-0 text of column ACol without the sort mark UpdateSortMarks puts there.
    QString unmarkedCaption(int ACol) const;
    // Caption with the mark of a column sorted in Direction (1, -1; none for any other).
    static QString MarkedCaption(const QString &Caption, int Direction);
    // Quicksort of rows First..Last by column ColRow (ByColumn) or of columns First..Last by row ColRow,
    // bounded to n log n comparisons (platform/SortBound.h).
    void SortColRow(int ColRow, int First, int Last, bool ByColumn, bool Ascending);

    // ---- clipboard and streams ----
    void CopyToClipboard(QChar Separator, TGridRect Range) const;
    void PasteFromClipboard(QChar Separator, TGridRect Range);
    // The texts of the range, Separator between cells, CR LF after each row (UTF-8).
    QByteArray CopyToStream(QChar Separator, TGridRect Range) const;
    void PasteFromStream(const QByteArray &Stream, QChar Separator, TGridRect Range);
    // What Ctrl+Insert, Shift+Delete and Shift+Insert do (with ClipboardEnabled).
    void ClipboardCopy();
    void ClipboardCut();
    void ClipboardPaste();

    // ---- sizing ----
    void AdjustLastCol();
    int CalcGridWidth(bool WithScrollBar) const;

    // ---- stored properties ----
    QByteArray WriteProperties() const;
    // Reads a stream written by WriteProperties (or an older form's properties); throws EReadError
    // and leaves the grid unchanged when the stream is malformed. Loaded() applies the stored texts.
    void ReadProperties(const QByteArray &Stream);

    // ---- events ----
    std::function<void(TStringAlignGrid *Sender, int col, int row, QString &HintStr, bool &CanShow, THintInfo &HintInfo)> OnShowHintCell;
    std::function<void(TStringAlignGrid *Sender, int col, int row)> OnBeforeEdit;
    std::function<void(TStringAlignGrid *Sender, int col, int row)> OnAfterEdit;
    std::function<void(TStringAlignGrid *Sender, int col, int row)> OnCancelEdit;
    std::function<void(TStringAlignGrid *Sender, int col, int row, bool &result)> OnValidateEdit;
    std::function<TRelation(TStringAlignGrid *Sender, int colrow, int compare1, int compare2)> OnCompareCol;
    std::function<TRelation(TStringAlignGrid *Sender, int colrow, int compare1, int compare2)> OnCompareRow;
    std::function<void(TStringAlignGrid *Sender, int Col, TSortCol &SortCol)> OnSortColumn;
    std::function<void(TStringAlignGrid *Sender)> OnColWidthsChanged;
    std::function<void(TStringAlignGrid *Sender)> OnRowHeightsChanged;
    std::function<void(TStringAlignGrid *Sender, int col)> OnFixedColClick;
    std::function<void(TStringAlignGrid *Sender, int row)> OnFixedRowClick;
    std::function<void(int ACol, int ARow, TCellFormat &CellFormat)> OnGetCellFormat;
    std::function<void(TStringAlignGrid *Sender)> OnResize;

protected:
    void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState) override;
    // Paints the cell's background and text with its effective format.
    virtual void DrawCellText(int ACol, int ARow, const TRect &ARect, TGridDrawState AState);
    // Only the canvas set-up of DrawCellText (font, brush, selection colours, background), with the
    // effective font and brush, for descendants that draw the text themselves.
    virtual void PrepareCanvas(int ACol, int ARow, const TRect &ARect, TGridDrawState AState);

    bool CanEditShow() override;
    TInplaceEdit *CreateEditor() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void KeyDown(QKeyEvent *event) override;
    bool ThumbTracking() const override;

    // The editing protocol: cancelled (Esc), confirmed (Enter), confirmed on leaving the cell, begun,
    // and shown again after the focus came back.
    void EditCancelled(int col, int row);
    void EditConfirmed(int col, int row);
    void EditLeft(int col, int row);
    void EditBegun(int col, int row);
    void EditReshown();
    // Runs f later on the GUI thread (a posted message).
    void post(std::function<void()> f);

    TCellTable<QString> &PendingCells();

    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    const TCellProperties *cellRecord(int ACol, int ARow) const;
    const TCellProperties *colRecord(int ACol, bool fixed) const;
    const TCellProperties *rowRecord(int ARow, bool fixed) const;
    TCellProperties &ensureCell(int ACol, int ARow);
    TCellProperties &ensureIn(TSlotList<TCellProps> &store, int index);
    // Applies the format to the canvas (steps shared by DrawCellText and PrepareCanvas); answers the
    // rectangle the text goes into.
    TRect applyFormat(int ACol, int ARow, const TRect &ARect, TGridDrawState AState, const TMyFont &Font,
                      const TMyBrush &Brush);
    bool validCell(int ACol, int ARow) const;
    // Validation and OnAfterEdit; on rejection the user goes back into the cell. True when accepted.
    bool confirmCell(int col, int row);
    void applicationFocusChanged(QWidget *old, QWidget *now);
    void gridExit();
    void gridEnter();
    void tabMove(bool backwards);
    TRelation compareCells(bool ByColumn, int ColRow, int A, int B);
    void exchange(bool ByColumn, int A, int B);
    // SortColRow of the lines First..Last at Level, X the relation of a line that goes before the pivot.
    void sortLines(int ColRow, int First, int Last, bool ByColumn, TRelation X, TSortLevel Level,
                   int DepthLimit);
    void hideEditorOn(bool rows, int A, int B, bool &wasShown);
    // PropRow when Rows is set, else PropCol.
    TSlotList<TCellProps> &lineStore(bool Rows);
    // InsertRow, the properties' part of RowMoved and ExchangeRows when Rows is set, else their column forms.
    void insertLine(bool Rows, int At);
    void moveLineProperties(bool Rows, int FromIndex, int ToIndex);
    void exchangeLines(bool Rows, int A, int B);
    TGridRect normalisedRange(TGridRect Range) const;
    void readStoredProperty(const TStreamProperty &Property, TAlignGridSettings &Settings,
                            TAlignGridStores &Stores) const;
    void applySettings(const TAlignGridSettings &Settings);

    TAlignGridSettings FSettings;
    TAlignGridStores FStores;
    TMyFont FFixedFont;
    TMyBrush FFixedBrush{clBtnFace, bsSolid};

    bool FEditing = false;
    bool FReopen = false;
    int FSavedSelStart = 0;
    int FSavedSelLength = -1;
    TGridCoord FHintCell;
};
