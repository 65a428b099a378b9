#pragma once
// The string grid the program's tables derive from: fixed rows and columns are ordinary cells drawn
// at the top and left, the rest scrolls by whole rows and columns; one rectangular selection; an
// in-place editor over the current cell; columns and rows sized with the mouse. Cell texts and objects
// are sparse (nothing is held for a cell never set) and row heights are a default plus overrides, so
// a grid of a million rows costs only the rows it shows.

#include "controls/Component.h"
#include "controls/Graphics.h"
#include "controls/SlotList.h"

#include <QAbstractScrollArea>
#include <QPlainTextEdit>

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

class QPainter;
class TStringGrid;

using TGridOptions = uint32_t;
constexpr TGridOptions goFixedVertLine = 1u << 0;
constexpr TGridOptions goFixedHorzLine = 1u << 1;
constexpr TGridOptions goVertLine = 1u << 2;
constexpr TGridOptions goHorzLine = 1u << 3;
constexpr TGridOptions goRangeSelect = 1u << 4;
constexpr TGridOptions goDrawFocusSelected = 1u << 5;
constexpr TGridOptions goRowSizing = 1u << 6;
constexpr TGridOptions goColSizing = 1u << 7;
constexpr TGridOptions goRowMoving = 1u << 8;
constexpr TGridOptions goColMoving = 1u << 9;
constexpr TGridOptions goEditing = 1u << 10;
constexpr TGridOptions goTabs = 1u << 11;
constexpr TGridOptions goRowSelect = 1u << 12;
constexpr TGridOptions goAlwaysShowEditor = 1u << 13;
constexpr TGridOptions goThumbTracking = 1u << 14;
constexpr TGridOptions DefaultGridOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

using TGridDrawState = uint8_t;
constexpr TGridDrawState gdSelected = 1;
constexpr TGridDrawState gdFocused = 2;
constexpr TGridDrawState gdFixed = 4;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };
enum TGridBorderStyle { bsNone, bsSingle };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

struct TGridCoord {
    int X = -1;
    int Y = -1;
    friend bool operator==(const TGridCoord &, const TGridCoord &) = default;
};

// A block of cells; all four edges are inclusive.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool contains(int ACol, int ARow) const { return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom; }
    friend bool operator==(const TGridRect &, const TGridRect &) = default;
};

// The editor the grid shows over its current cell. It edits the grid's text live: every change goes
// to the grid's SetEditText. Keys that move between cells go to the grid.
class TInplaceEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TInplaceEdit(TStringGrid *grid);

    TStringGrid *Grid() const { return FGrid; }
    QString Text() const { return toPlainText(); }
    void setText(const QString &text);
    void SelectAll();
    // Caret at the end, nothing selected.
    void Deselect();
    int SelStart() const;
    int SelLength() const;
    void setSelection(int start, int length);
    void setTextAlignment(Qt::Alignment alignment);

    // Takes the text of the grid's current cell.
    virtual void UpdateContents();

protected:
    // Keeps exceptions from the grid's handlers inside the editor.
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Hands a key to the grid as if it had been pressed there.
    void forwardToGrid(QKeyEvent *event);
    // Keys the editor keeps that the base editor would give the grid (multi-line editors keep the
    // movement keys).
    virtual bool keepsNavigationKey(const QKeyEvent *event) const;

private:
    void textEdited();

    TStringGrid *FGrid;
    bool FUpdating = false;
};

class TStringGrid : public QAbstractScrollArea, public LoadedComponent {
    Q_OBJECT
    friend class TInplaceEdit;

public:
    explicit TStringGrid(QWidget *parent = nullptr);
    ~TStringGrid() override;

    // ---- size and layout ----
    int ColCount() const { return FColCount; }
    void setColCount(int value);
    int RowCount() const { return FRowCount; }
    void setRowCount(int value);
    int FixedCols() const { return FFixedCols; }
    void setFixedCols(int value);
    int FixedRows() const { return FFixedRows; }
    void setFixedRows(int value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    // Every column takes the new width.
    void setDefaultColWidth(int value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    // Every row takes the new height.
    void setDefaultRowHeight(int value);
    int ColWidths(int ACol) const;
    void setColWidths(int ACol, int value);
    int RowHeights(int ARow) const;
    void setRowHeights(int ARow, int value);
    int GridLineWidth() const { return FGridLineWidth; }
    virtual void setGridLineWidth(int value);
    TGridOptions Options() const { return FOptions; }
    void setOptions(TGridOptions value);
    bool TabStops(int ACol) const;
    void setTabStops(int ACol, bool value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void setScrollBars(TScrollStyle value);
    TGridBorderStyle BorderStyle() const { return FBorderStyle; }
    void setBorderStyle(TGridBorderStyle value);
    bool Ctl3D() const { return FCtl3D; }
    void setCtl3D(bool value);

    // ---- look ----
    TColor Color() const { return FColor; }
    void setColor(TColor value);
    TColor FixedColor() const { return FFixedColor; }
    virtual void setFixedColor(TColor value);
    const TFont &Font() const { return FFont; }
    void setFont(const TFont &value);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void setDefaultDrawing(bool value);

    // ---- data ----
    // Plain reads of the stored data: no widget calls, safe to call from a worker while the GUI paints.
    QString Cells(int ACol, int ARow) const { return FCells.at(ACol, ARow); }
    void setCells(int ACol, int ARow, const QString &value);
    intptr_t Objects(int ACol, int ARow) const { return FObjects.at(ACol, ARow); }
    void setObjects(int ACol, int ARow, intptr_t value);

    // ---- current cell, selection, scrolling ----
    int Col() const { return FCurrent.X; }
    void setCol(int value);
    int Row() const { return FCurrent.Y; }
    void setRow(int value);
    TGridRect Selection() const;
    void setSelection(const TGridRect &value);
    int TopRow() const { return FTopLeft.Y; }
    void setTopRow(int value);
    int LeftCol() const { return FTopLeft.X; }
    void setLeftCol(int value);
    // Non-fixed rows (columns) wholly visible from TopRow (LeftCol).
    int VisibleRowCount() const;
    int VisibleColCount() const;
    // The cell's rectangle in viewport coordinates; empty when the cell is scrolled out of view.
    TRect CellRect(int ACol, int ARow) const;
    // The cell at a viewport point, (-1, -1) outside every cell.
    TGridCoord MouseCoord(int X, int Y) const;
    void MouseToCell(int X, int Y, int &ACol, int &ARow) const;
    // The cell under the mouse at the last double click, (-1, -1) outside every cell; set before
    // OnDblClick runs.
    TGridCoord DblClickCell() const { return FDblClickCell; }
    // The row of that cell counted from the first row below the fixed ones; -1 on a fixed row or
    // outside every cell.
    int DblClickDataRow() const
    {
        return FDblClickCell.X >= 0 && FDblClickCell.Y >= FFixedRows ? FDblClickCell.Y - FFixedRows : -1;
    }
    TGridState GridState() const { return FGridState; }
    // Moves the current cell; with MoveAnchor false and goRangeSelect the selection stretches to it.
    void FocusCell(int ACol, int ARow, bool MoveAnchor);

    // ---- editing ----
    bool EditorMode() const { return FEditorMode; }
    void setEditorMode(bool value);
    void ShowEditor();
    void HideEditor();
    TInplaceEdit *InplaceEditor() const { return FInplaceEdit; }

    // Moves a row (column) with its texts, objects and height; the rows between close up.
    void MoveRow(int FromIndex, int ToIndex);
    void MoveColumn(int FromIndex, int ToIndex);

    // The painter of the paint in progress (OnDrawCell draws through it); null outside painting.
    QPainter *Canvas() const { return FCanvas; }

    void InvalidateCell(int ACol, int ARow);
    void InvalidateGrid();
    bool EditorVisible() const { return FEditorShown; }

    // ---- events ----
    std::function<void(TStringGrid *Sender, int ACol, int ARow, const TRect &Rect, TGridDrawState State)> OnDrawCell;
    std::function<void(TStringGrid *Sender, int ACol, int ARow, bool &CanSelect)> OnSelectCell;
    std::function<void(TStringGrid *Sender)> OnTopLeftChanged;
    std::function<void(TStringGrid *Sender)> OnClick;
    std::function<void(TStringGrid *Sender)> OnDblClick;

protected:
    virtual void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState);
    virtual bool SelectCell(int ACol, int ARow);
    virtual bool CanEditShow();
    virtual TInplaceEdit *CreateEditor();
    virtual QString GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const QString &Value);
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void TopLeftChanged();
    // Moves the texts and objects; called by MoveRow / MoveColumn after the heights (widths) moved.
    virtual void RowMoved(int FromIndex, int ToIndex);
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    // Keys and characters the grid handles; the editor forwards its movement keys here.
    virtual void KeyDown(QKeyEvent *event);
    virtual void KeyPress(QChar key);
    // A key from the editor that closes it (Enter, Esc): hides the editor unless goAlwaysShowEditor.
    virtual void EditorKey(QKeyEvent *event);
    // Places the editor over the current cell when CanEditShow allows it, else hides it.
    void UpdateEdit();
    void HideEdit();
    // Puts the editor over the current cell (hidden while that cell is scrolled out of view).
    void PlaceEditor();
    // The grid or its editor has the keyboard focus.
    bool IsActiveControl() const;
    // Exchanges the texts and objects of two rows (columns); the editor's cell follows its data.
    void ExchangeCellData(bool Rows, int A, int B);
    // Vertical scroll-bar width of the style, for width calculations.
    int ScrollBarExtent() const;
    // The editor, created on first use.
    TInplaceEdit *EnsureEditor();
    // Texts and objects of the rows (columns) from At on move one place down (right); At is left empty.
    void ShiftCellData(bool Rows, int At);
    // Empties the texts of the block (inclusive edges); costs only the texts stored there.
    void ClearCellTexts(int Col1, int Row1, int Col2, int Row2);
    const TCellTable<QString> &CellTexts() const { return FCells; }
    // Whether the scroll bars follow the thumb while it is dragged.
    virtual bool ThumbTracking() const;
    void UpdateScrollTracking();

    // Qt overrides. event() and viewportEvent() keep exceptions from the handlers inside the grid.
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;

    TGridCoord FCurrent;
    TGridCoord FDblClickCell;
    TGridCoord FAnchor;
    bool FEditorMode = false;

private:
    int vertLineWidth(int ACol) const;
    int horzLineWidth(int ARow) const;
    int fixedWidth() const;
    int fixedHeight() const;
    int maxTopRow() const;
    int maxLeftCol() const;
    void updateScrollBars();
    void syncFromScrollBars();
    void setTopLeft(int ACol, int ARow);
    void clampInView();
    void clampCurrent();
    void updateFrame();
    void paintCells(QPainter &painter, const QRect &area);
    void drawGridLines(QPainter &painter, int ACol, int ARow, const TRect &rect);
    void moveBy(int dCol, int dRow, bool extend);
    void pageBy(int direction, bool extend);
    // The column (row) border under a viewport point that the mouse may drag, -1 when none.
    int sizingColumnAt(QPoint point) const;
    int sizingRowAt(QPoint point) const;
    void updateCursor(QPoint point);
    int colLeft(int ACol) const;
    int rowTop(int ARow) const;

    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    TGridOptions FOptions = DefaultGridOptions;
    TScrollStyle FScrollBars = ssBoth;
    TGridBorderStyle FBorderStyle = bsSingle;
    bool FCtl3D = true;
    TColor FColor = clWindow;
    TColor FFixedColor = clBtnFace;
    TFont FFont;
    bool FDefaultDrawing = true;

    std::vector<int> FColWidths;
    std::vector<bool> FTabStops;
    std::map<int, int> FRowHeights; // rows whose height differs from the default
    TCellTable<QString> FCells;
    TCellTable<intptr_t> FObjects;

    TGridCoord FTopLeft{1, 1};
    TGridState FGridState = gsNormal;
    int FSizingIndex = -1;
    int FSizingOrigin = 0;
    int FMoveFrom = -1;
    bool FSyncingScrollBars = false;

    bool FEditorShown = false;
    TInplaceEdit *FInplaceEdit = nullptr;
    TGridCoord FInplaceCell;
    QPainter *FCanvas = nullptr;
};
