// TStringAlignGrid: the in-place editing protocol, next-cell moves, keys, focus, fixed-cell clicks and
// cell hints.
#include "controls/StringAlignGrid.h"

#include "controls/NewInplaceEdit.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

#include <exception>

TInplaceEdit *TStringAlignGrid::CreateEditor()
{
    return new TNewInplaceEdit(this);
}

TNewInplaceEdit *TStringAlignGrid::Editor() const
{
    return static_cast<TNewInplaceEdit *>(InplaceEditor());
}

void TStringAlignGrid::post(std::function<void()> f)
{
    QMetaObject::invokeMethod(
        this,
        [f = std::move(f)] {
            try {
                f();
            } catch (const std::exception &error) {
                qWarning("grid: %s", error.what());
            } catch (...) {
                qWarning("grid: unknown exception");
            }
        },
        Qt::QueuedConnection);
}

bool TStringAlignGrid::validCell(int ACol, int ARow) const
{
    return ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount();
}

bool TStringAlignGrid::CanEditShow()
{
    if ((Options() & goAlwaysShowEditor) && !EditorVisible())
        FEditorMode = true;
    bool result = TStringGrid::CanEditShow();
    TNewInplaceEdit *editor = Editor();
    // Only an open edit is confirmed when the editor moves on; one confirmed or cancelled already is not.
    if (editor && FEditing && (editor->Col != Col() || editor->Row != Row())) {
        if (validCell(editor->Col, editor->Row)) {
            const int col = editor->Col;
            const int row = editor->Row;
            post([this, col, row] { EditLeft(col, row); });
        }
        editor->Started = false;
    }
    result = result && GetEditCell(Col(), Row());
    if (result) {
        editor = static_cast<TNewInplaceEdit *>(EnsureEditor());
        editor->setAlignment(GetAlignCell(Col(), Row()));
        editor->setCellLook(GetFontCell(Col(), Row()), GetBrushCell(Col(), Row()));
        editor->Col = Col();
        editor->Row = Row();
        editor->Multiline = EditMultiline();
        if (!editor->Started) {
            editor->Started = true;
            EditBegun(Col(), Row());
            editor->SavedText = Cells(Col(), Row());
        }
    } else {
        if (editor) {
            editor->Col = -1;
            editor->Row = -1;
        }
        FEditorMode = false;
    }
    return result;
}

void TStringAlignGrid::EditBegun(int col, int row)
{
    if (col >= 0 && row >= 0 && OnBeforeEdit)
        OnBeforeEdit(this, col, row);
    FEditing = true;
}

void TStringAlignGrid::EditCancelled(int col, int row)
{
    FEditing = false;
    if (TNewInplaceEdit *editor = Editor())
        editor->Started = false;
    if (col >= 0 && row >= 0 && OnCancelEdit)
        OnCancelEdit(this, col, row);
}

bool TStringAlignGrid::confirmCell(int col, int row)
{
    bool result = true;
    if (OnValidateEdit)
        OnValidateEdit(this, col, row, result);
    if (!result) {
        // Back into the same edit: it stays begun, so Esc still restores the text from before it.
        FocusCell(col, row, true);
        setFocus();
        if (TNewInplaceEdit *editor = Editor()) {
            editor->Col = col;
            editor->Row = row;
            editor->Started = true;
        }
        ShowEditor();
        FEditing = true;
        return false;
    }
    if (OnAfterEdit)
        OnAfterEdit(this, col, row);
    return true;
}

void TStringAlignGrid::EditConfirmed(int col, int row)
{
    FEditing = false;
    if (TNewInplaceEdit *editor = Editor())
        editor->Started = false;
    if (!validCell(col, row))
        return;
    if (!confirmCell(col, row) || !AutoEditNextCell())
        return;
    const TGridCoord start = FCurrent;
    int nextCol = start.X;
    int nextRow = start.Y;
    for (;;) {
        const bool added = MoveToNextCell(NextCellEdit(), AfterLastCellEdit(), nextRow, nextCol);
        if (added || nextCol < 0 || (nextCol == start.X && nextRow == start.Y) || GetEditCell(nextCol, nextRow))
            break;
    }
    if (nextCol < 0 || (nextCol == start.X && nextRow == start.Y))
        return;
    if (TNewInplaceEdit *editor = Editor()) {
        editor->Col = -1;
        editor->Row = -1;
    }
    FocusCell(nextCol, nextRow, true);
    ShowEditor();
    FEditing = true;
}

void TStringAlignGrid::EditLeft(int col, int row)
{
    if (validCell(col, row))
        confirmCell(col, row);
}

void TStringAlignGrid::EditReshown()
{
    ShowEditor();
    if (TNewInplaceEdit *editor = Editor(); editor && EditorVisible())
        editor->setSelection(FSavedSelStart, FSavedSelLength);
}

void TStringAlignGrid::EndEdit(bool Cancel)
{
    TNewInplaceEdit *editor = Editor();
    if (Cancel) {
        if (editor && EditorVisible()) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(editor, &escape);
        }
        return;
    }
    FEditing = false;
    if (editor && EditorVisible()) {
        HideEdit();
        EditLeft(Col(), Row());
    }
}

// ---- Next-cell moves -------------------------------------------------------------------------------------

namespace {

// A direction as its main axis and the steps along both axes.
struct NextCellStep {
    bool alongRow; // columns change first
    int dCol;
    int dRow;
};

NextCellStep stepOf(TNextCell direction)
{
    switch (direction) {
    case nc_rightdown: return {true, 1, 1};
    case nc_downright: return {false, 1, 1};
    case nc_leftdown: return {true, -1, 1};
    case nc_downleft: return {false, -1, 1};
    case nc_leftup: return {true, -1, -1};
    case nc_upleft: return {false, -1, -1};
    case nc_rightup: return {true, 1, -1};
    case nc_upright: return {false, 1, -1};
    }
    return {true, 1, 1};
}

} // namespace

bool TStringAlignGrid::MoveToNextCell(TNextCell Direction, TLastCell AtEnd, int &Row, int &Col)
{
    const NextCellStep step = stepOf(Direction);
    const int F = FixedCols();
    const int G = FixedRows();
    const int L = ColCount() - 1;
    const int B = RowCount() - 1;
    bool pastEnd = false;
    if (step.alongRow) {
        Col += step.dCol;
        if (Col > L || Col < F) {
            Col = step.dCol > 0 ? F : L;
            Row += step.dRow;
            pastEnd = Row > B || Row < G;
        }
    } else {
        Row += step.dRow;
        if (Row > B || Row < G) {
            Row = step.dRow > 0 ? G : B;
            Col += step.dCol;
            pastEnd = Col > L || Col < F;
        }
    }
    if (!pastEnd)
        return false;
    Col = -1;
    Row = -1;
    switch (AtEnd) {
    case lc_stop:
        return false;
    case lc_first:
        Col = step.dCol > 0 ? F : L;
        Row = step.dRow > 0 ? G : B;
        return false;
    case lc_exit:
        QAbstractScrollArea::focusNextPrevChild(true);
        return false;
    case lc_newcolrow:
        if (step.alongRow) {
            InsertRow(step.dRow > 0 ? RowCount() : G);
            Row = step.dRow > 0 ? RowCount() - 1 : G;
            Col = step.dCol > 0 ? F : ColCount() - 1;
        } else {
            InsertColumn(step.dCol > 0 ? ColCount() : F);
            Col = step.dCol > 0 ? ColCount() - 1 : F;
            Row = step.dRow > 0 ? G : RowCount() - 1;
        }
        return true;
    }
    return false;
}

void TStringAlignGrid::tabMove(bool backwards)
{
    const TNextCell direction = backwards ? TNextCell((NextCellTab() + 4) % NextCellCount) : NextCellTab();
    const TGridCoord start = FCurrent;
    int col = start.X;
    int row = start.Y;
    for (;;) {
        // A move that added a row or column ends the walk too, or a grid without tab stops would grow
        // without end.
        const bool added = MoveToNextCell(direction, AfterLastCellTab(), row, col);
        if (added || col < 0 || (col == start.X && row == start.Y) || TabStops(col))
            break;
    }
    if (col < 0)
        return;
    FocusCell(col, row, true);
}

// ---- Keys -----------------------------------------------------------------------------------------------

void TStringAlignGrid::KeyDown(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const int key = event->key();
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && !(modifiers & Qt::AltModifier)) {
        tabMove(key == Qt::Key_Backtab || (modifiers & Qt::ShiftModifier));
        event->accept();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && EditMultiline()) {
        event->accept();
        return;
    }
    if (key == Qt::Key_Insert && (modifiers & Qt::ControlModifier))
        ClipboardCopy();
    else if (key == Qt::Key_Insert && (modifiers & Qt::ShiftModifier))
        ClipboardPaste();
    else if (key == Qt::Key_Delete && (modifiers & Qt::ShiftModifier))
        ClipboardCut();
    TStringGrid::KeyDown(event);
}

// ---- Focus ----------------------------------------------------------------------------------------------

void TStringAlignGrid::applicationFocusChanged(QWidget *old, QWidget *now)
{
    auto inside = [this](QWidget *widget) { return widget && (widget == this || isAncestorOf(widget)); };
    try {
        if (inside(old) && now && !inside(now))
            gridExit();
        else if (!inside(old) && inside(now))
            gridEnter();
    } catch (const std::exception &error) {
        qWarning("grid: %s", error.what());
    } catch (...) {
        qWarning("grid: unknown exception");
    }
}

void TStringAlignGrid::gridExit()
{
    TNewInplaceEdit *editor = Editor();
    if (!editor || !EditorVisible())
        return;
    FReopen = true;
    FSavedSelStart = editor->SelStart();
    FSavedSelLength = editor->SelLength();
    EndEdit(false);
    // A rejected validation has taken the focus back with the editor open.
    if (!FEditing)
        FEditorMode = false;
}

void TStringAlignGrid::gridEnter()
{
    if (FReopen && (Options() & goAlwaysShowEditor))
        post([this] { EditReshown(); });
}

// ---- Mouse and hints -------------------------------------------------------------------------------------

void TStringAlignGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (point.x() >= 0 || point.y() >= 0) {
        const TGridCoord cell = MouseCoord(point.x(), point.y());
        if (cell.X >= 0 && !(cell.X < FixedCols() && cell.Y < FixedRows())) {
            if (cell.X < FixedCols()) {
                if (OnFixedRowClick)
                    OnFixedRowClick(this, cell.Y);
            } else if (cell.Y < FixedRows()) {
                if (OnFixedColClick)
                    OnFixedColClick(this, cell.X);
            }
        }
    }
    TStringGrid::mousePressEvent(event);
}

void TStringAlignGrid::mouseMoveEvent(QMouseEvent *event)
{
    if (FHintCell.X >= 0) {
        const QPoint point = event->position().toPoint();
        if (MouseCoord(point.x(), point.y()) != FHintCell) {
            QToolTip::hideText();
            FHintCell = {};
        }
    }
    TStringGrid::mouseMoveEvent(event);
}

bool TStringAlignGrid::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip || !ShowCellHints())
        return TStringGrid::viewportEvent(event);
    try {
        const QPoint point = static_cast<QHelpEvent *>(event)->pos();
        const TGridCoord cell = MouseCoord(point.x(), point.y());
        if (cell.X < 0) {
            QToolTip::hideText();
            return true;
        }
        FHintCell = cell;
        const TRect rect = CellRect(cell.X, cell.Y);
        THintInfo HintInfo{viewport()->mapToGlobal(QPoint(rect.Left, rect.Bottom + 6)), rect};
        QString HintStr = CellHint(cell.X, cell.Y);
        bool CanShow = true;
        if (OnShowHintCell)
            OnShowHintCell(this, cell.X, cell.Y, HintStr, CanShow, HintInfo);
        if (CanShow && !HintStr.isEmpty())
            QToolTip::showText(HintInfo.HintPos, HintStr, viewport(), HintInfo.CursorRect.toQRect());
        else
            QToolTip::hideText();
    } catch (const std::exception &error) {
        qWarning("grid: %s", error.what());
    }
    return true;
}
