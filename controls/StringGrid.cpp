#include "controls/StringGrid.h"

#include "controls/TextDraw.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>
#include <climits>
#include <exception>

namespace {

constexpr TColor FixedLineColor = clBtnShadow;
constexpr TColor LineColor = clSilver;
constexpr int SizingMargin = 3;
constexpr int NotShown = INT_MIN;

} // namespace

// ---- TInplaceEdit -----------------------------------------------------------------------------------

TInplaceEdit::TInplaceEdit(TStringGrid *grid) : QPlainTextEdit(grid->viewport()), FGrid(grid)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    document()->setDocumentMargin(1);
    hide();
    connect(this, &QPlainTextEdit::textChanged, this, &TInplaceEdit::textEdited);
}

void TInplaceEdit::setText(const QString &text)
{
    setPlainText(text);
}

void TInplaceEdit::SelectAll()
{
    selectAll();
}

void TInplaceEdit::Deselect()
{
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
}

int TInplaceEdit::SelStart() const
{
    return textCursor().selectionStart();
}

int TInplaceEdit::SelLength() const
{
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TInplaceEdit::setSelection(int start, int length)
{
    if (length < 0) {
        SelectAll();
        return;
    }
    const int end = int(toPlainText().size());
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(start, 0, end));
    cursor.setPosition(std::clamp(start + length, 0, end), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void TInplaceEdit::setTextAlignment(Qt::Alignment alignment)
{
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(alignment);
    document()->setDefaultTextOption(option);
}

void TInplaceEdit::UpdateContents()
{
    FUpdating = true;
    setPlainText(FGrid->GetEditText(FGrid->FInplaceCell.X, FGrid->FInplaceCell.Y));
    FUpdating = false;
    SelectAll();
}

void TInplaceEdit::textEdited()
{
    if (!FUpdating)
        FGrid->SetEditText(FGrid->FInplaceCell.X, FGrid->FInplaceCell.Y, toPlainText());
}

bool TInplaceEdit::keepsNavigationKey(const QKeyEvent *) const
{
    return false;
}

void TInplaceEdit::forwardToGrid(QKeyEvent *event)
{
    FGrid->keyPressEvent(event);
}

bool TInplaceEdit::event(QEvent *event)
{
    try {
        return QPlainTextEdit::event(event);
    } catch (const std::exception &error) {
        qWarning("grid editor: %s", error.what());
    } catch (...) {
        qWarning("grid editor: unknown exception");
    }
    return true;
}

void TInplaceEdit::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        forwardToGrid(event);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        FGrid->EditorKey(event);
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (!keepsNavigationKey(event)) {
            forwardToGrid(event);
            return;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End: {
        if (keepsNavigationKey(event))
            break;
        const QTextCursor cursor = textCursor();
        const bool atStart = !cursor.hasSelection() && cursor.atStart();
        const bool atEnd = !cursor.hasSelection() && cursor.atEnd();
        const bool leaves = ((key == Qt::Key_Home || key == Qt::Key_End) && ctrl)
                            || (key == Qt::Key_Left && atStart) || (key == Qt::Key_Right && atEnd);
        if (leaves) {
            forwardToGrid(event);
            return;
        }
        break;
    }
    default:
        break;
    }
    QPlainTextEdit::keyPressEvent(event);
}

// ---- TStringGrid: construction and properties ----------------------------------------------------------

TStringGrid::TStringGrid(QWidget *parent) : QAbstractScrollArea(parent)
{
    installFontSubstitutes();
    FColWidths.assign(size_t(FColCount), FDefaultColWidth);
    FTabStops.assign(size_t(FColCount), true);
    FCurrent = FAnchor = {FFixedCols, FFixedRows};
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    QAbstractScrollArea::setFont(toQFont(FFont));
    updateFrame();
    setScrollBars(ssBoth);
    UpdateScrollTracking();
    resize(320, 120);
}

TStringGrid::~TStringGrid() = default;

void TStringGrid::setColCount(int value)
{
    value = std::max(value, 1);
    if (value == FColCount)
        return;
    const int old = FColCount;
    FColCount = value;
    FFixedCols = std::min(FFixedCols, FColCount - 1);
    FColWidths.resize(size_t(FColCount), FDefaultColWidth);
    FTabStops.resize(size_t(FColCount), true);
    FCells.truncate(FColCount, FRowCount);
    FObjects.truncate(FColCount, FRowCount);
    clampCurrent();
    setTopLeft(FTopLeft.X, FTopLeft.Y);
    updateScrollBars();
    SizeChanged(old, FRowCount);
    InvalidateGrid();
}

void TStringGrid::setRowCount(int value)
{
    value = std::max(value, 1);
    if (value == FRowCount)
        return;
    const int old = FRowCount;
    FRowCount = value;
    FFixedRows = std::min(FFixedRows, FRowCount - 1);
    FRowHeights.erase(FRowHeights.lower_bound(FRowCount), FRowHeights.end());
    FCells.truncate(FColCount, FRowCount);
    FObjects.truncate(FColCount, FRowCount);
    clampCurrent();
    setTopLeft(FTopLeft.X, FTopLeft.Y);
    updateScrollBars();
    SizeChanged(FColCount, old);
    InvalidateGrid();
}

void TStringGrid::setFixedCols(int value)
{
    FFixedCols = std::clamp(value, 0, FColCount - 1);
    clampCurrent();
    setTopLeft(FFixedCols, FTopLeft.Y);
    updateScrollBars();
    InvalidateGrid();
}

void TStringGrid::setFixedRows(int value)
{
    FFixedRows = std::clamp(value, 0, FRowCount - 1);
    clampCurrent();
    setTopLeft(FTopLeft.X, FFixedRows);
    updateScrollBars();
    InvalidateGrid();
}

void TStringGrid::setDefaultColWidth(int value)
{
    FDefaultColWidth = std::max(value, 0);
    std::fill(FColWidths.begin(), FColWidths.end(), FDefaultColWidth);
    ColWidthsChanged();
}

void TStringGrid::setDefaultRowHeight(int value)
{
    FDefaultRowHeight = std::max(value, 0);
    FRowHeights.clear();
    RowHeightsChanged();
}

int TStringGrid::ColWidths(int ACol) const
{
    return ACol >= 0 && ACol < FColCount ? FColWidths[size_t(ACol)] : FDefaultColWidth;
}

void TStringGrid::setColWidths(int ACol, int value)
{
    if (ACol < 0 || ACol >= FColCount)
        return;
    FColWidths[size_t(ACol)] = std::max(value, 0);
    ColWidthsChanged();
}

int TStringGrid::RowHeights(int ARow) const
{
    const auto found = FRowHeights.find(ARow);
    return found == FRowHeights.end() ? FDefaultRowHeight : found->second;
}

void TStringGrid::setRowHeights(int ARow, int value)
{
    if (ARow < 0 || ARow >= FRowCount)
        return;
    value = std::max(value, 0);
    if (value == FDefaultRowHeight)
        FRowHeights.erase(ARow);
    else
        FRowHeights[ARow] = value;
    RowHeightsChanged();
}

void TStringGrid::setGridLineWidth(int value)
{
    FGridLineWidth = std::max(value, 0);
    updateScrollBars();
    PlaceEditor();
    InvalidateGrid();
}

void TStringGrid::setOptions(TGridOptions value)
{
    const TGridOptions old = FOptions;
    FOptions = value;
    UpdateScrollTracking();
    if ((FOptions & goRowSelect) && !(old & goRowSelect))
        FAnchor = FCurrent;
    if (!(FOptions & goEditing) || (FOptions & goRowSelect))
        HideEditor();
    else if ((FOptions & goAlwaysShowEditor) && IsActiveControl())
        ShowEditor();
    updateScrollBars();
    InvalidateGrid();
}

bool TStringGrid::ThumbTracking() const
{
    return FOptions & goThumbTracking;
}

void TStringGrid::UpdateScrollTracking()
{
    const bool tracking = ThumbTracking();
    horizontalScrollBar()->setTracking(tracking);
    verticalScrollBar()->setTracking(tracking);
}

bool TStringGrid::TabStops(int ACol) const
{
    return ACol >= 0 && ACol < FColCount ? bool(FTabStops[size_t(ACol)]) : true;
}

void TStringGrid::setTabStops(int ACol, bool value)
{
    if (ACol >= 0 && ACol < FColCount)
        FTabStops[size_t(ACol)] = value;
}

void TStringGrid::setScrollBars(TScrollStyle value)
{
    FScrollBars = value;
    const bool horizontal = value == ssHorizontal || value == ssBoth;
    const bool vertical = value == ssVertical || value == ssBoth;
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    updateScrollBars();
}

void TStringGrid::setBorderStyle(TGridBorderStyle value)
{
    FBorderStyle = value;
    updateFrame();
}

void TStringGrid::setCtl3D(bool value)
{
    FCtl3D = value;
    updateFrame();
}

void TStringGrid::updateFrame()
{
    if (FBorderStyle == bsNone) {
        setFrameStyle(QFrame::NoFrame);
    } else {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(FCtl3D ? 2 : 1);
    }
}

void TStringGrid::setColor(TColor value)
{
    FColor = value;
    InvalidateGrid();
}

void TStringGrid::setFixedColor(TColor value)
{
    FFixedColor = value;
    InvalidateGrid();
}

void TStringGrid::setFont(const TFont &value)
{
    FFont = value;
    QAbstractScrollArea::setFont(toQFont(FFont));
    InvalidateGrid();
}

void TStringGrid::setDefaultDrawing(bool value)
{
    FDefaultDrawing = value;
    InvalidateGrid();
}

void TStringGrid::setCells(int ACol, int ARow, const QString &value)
{
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
        return;
    FCells.set(ACol, ARow, value);
    InvalidateCell(ACol, ARow);
}

void TStringGrid::setObjects(int ACol, int ARow, intptr_t value)
{
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
        return;
    FObjects.set(ACol, ARow, value);
}

// ---- Geometry ----------------------------------------------------------------------------------------

int TStringGrid::vertLineWidth(int ACol) const
{
    const TGridOptions option = ACol < FFixedCols ? goFixedVertLine : goVertLine;
    return (FOptions & option) ? FGridLineWidth : 0;
}

int TStringGrid::horzLineWidth(int ARow) const
{
    const TGridOptions option = ARow < FFixedRows ? goFixedHorzLine : goHorzLine;
    return (FOptions & option) ? FGridLineWidth : 0;
}

int TStringGrid::fixedWidth() const
{
    int width = 0;
    for (int c = 0; c < FFixedCols; ++c)
        width += ColWidths(c) + vertLineWidth(c);
    return width;
}

int TStringGrid::fixedHeight() const
{
    int height = 0;
    for (int r = 0; r < FFixedRows; ++r)
        height += RowHeights(r) + horzLineWidth(r);
    return height;
}

// The left edge of a column, NotShown when it is scrolled out to the left; the walk stops beyond the
// right edge of the viewport, so far columns cost no more than the visible ones.
int TStringGrid::colLeft(int ACol) const
{
    const int limit = viewport()->width();
    int x = 0;
    int c = 0;
    if (ACol >= FFixedCols) {
        if (ACol < FTopLeft.X)
            return NotShown;
        x = fixedWidth();
        c = FTopLeft.X;
    }
    for (; c < ACol && x < limit; ++c)
        x += ColWidths(c) + vertLineWidth(c);
    return x;
}

int TStringGrid::rowTop(int ARow) const
{
    const int limit = viewport()->height();
    int y = 0;
    int r = 0;
    if (ARow >= FFixedRows) {
        if (ARow < FTopLeft.Y)
            return NotShown;
        y = fixedHeight();
        r = FTopLeft.Y;
    }
    for (; r < ARow && y < limit; ++r)
        y += RowHeights(r) + horzLineWidth(r);
    return y;
}

TRect TStringGrid::CellRect(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
        return {};
    const int x = colLeft(ACol);
    const int y = rowTop(ARow);
    if (x == NotShown || y == NotShown || x >= viewport()->width() || y >= viewport()->height())
        return {};
    return TRect::Bounds(x, y, ColWidths(ACol), RowHeights(ARow));
}

TGridCoord TStringGrid::MouseCoord(int X, int Y) const
{
    if (X < 0 || Y < 0)
        return {};
    TGridCoord result;
    int x = 0;
    for (int c = FFixedCols > 0 ? 0 : FTopLeft.X; c < FColCount && x < viewport()->width();
         c = (c + 1 == FFixedCols ? std::max(c + 1, FTopLeft.X) : c + 1)) {
        const int next = x + ColWidths(c) + vertLineWidth(c);
        if (X < next) {
            result.X = c;
            break;
        }
        x = next;
    }
    int y = 0;
    for (int r = FFixedRows > 0 ? 0 : FTopLeft.Y; r < FRowCount && y < viewport()->height();
         r = (r + 1 == FFixedRows ? std::max(r + 1, FTopLeft.Y) : r + 1)) {
        const int next = y + RowHeights(r) + horzLineWidth(r);
        if (Y < next) {
            result.Y = r;
            break;
        }
        y = next;
    }
    if (result.X < 0 || result.Y < 0)
        return {};
    return result;
}

void TStringGrid::MouseToCell(int X, int Y, int &ACol, int &ARow) const
{
    const TGridCoord cell = MouseCoord(X, Y);
    ACol = cell.X;
    ARow = cell.Y;
}

int TStringGrid::maxTopRow() const
{
    if (FRowCount <= FFixedRows)
        return FFixedRows;
    const int available = viewport()->height() - fixedHeight();
    int r = FRowCount - 1;
    int used = RowHeights(r) + horzLineWidth(r);
    while (r > FFixedRows && used + RowHeights(r - 1) + horzLineWidth(r - 1) <= available) {
        --r;
        used += RowHeights(r) + horzLineWidth(r);
    }
    return r;
}

int TStringGrid::maxLeftCol() const
{
    if (FColCount <= FFixedCols)
        return FFixedCols;
    const int available = viewport()->width() - fixedWidth();
    int c = FColCount - 1;
    int used = ColWidths(c) + vertLineWidth(c);
    while (c > FFixedCols && used + ColWidths(c - 1) + vertLineWidth(c - 1) <= available) {
        --c;
        used += ColWidths(c) + vertLineWidth(c);
    }
    return c;
}

int TStringGrid::VisibleRowCount() const
{
    const int limit = viewport()->height();
    int y = fixedHeight();
    int count = 0;
    for (int r = FTopLeft.Y; r < FRowCount; ++r) {
        y += RowHeights(r);
        if (y > limit)
            break;
        ++count;
        y += horzLineWidth(r);
    }
    return count;
}

int TStringGrid::VisibleColCount() const
{
    const int limit = viewport()->width();
    int x = fixedWidth();
    int count = 0;
    for (int c = FTopLeft.X; c < FColCount; ++c) {
        x += ColWidths(c);
        if (x > limit)
            break;
        ++count;
        x += vertLineWidth(c);
    }
    return count;
}

int TStringGrid::ScrollBarExtent() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

// ---- Scrolling -------------------------------------------------------------------------------------

void TStringGrid::updateScrollBars()
{
    FSyncingScrollBars = true;
    QScrollBar *vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, maxTopRow() - FFixedRows));
    vertical->setPageStep(std::max(1, VisibleRowCount()));
    vertical->setSingleStep(1);
    vertical->setValue(FTopLeft.Y - FFixedRows);
    QScrollBar *horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, maxLeftCol() - FFixedCols));
    horizontal->setPageStep(std::max(1, VisibleColCount()));
    horizontal->setSingleStep(1);
    horizontal->setValue(FTopLeft.X - FFixedCols);
    FSyncingScrollBars = false;
}

void TStringGrid::scrollContentsBy(int, int)
{
    if (!FSyncingScrollBars)
        syncFromScrollBars();
}

void TStringGrid::syncFromScrollBars()
{
    setTopLeft(horizontalScrollBar()->value() + FFixedCols, verticalScrollBar()->value() + FFixedRows);
}

void TStringGrid::setTopRow(int value)
{
    setTopLeft(FTopLeft.X, value);
}

void TStringGrid::setLeftCol(int value)
{
    setTopLeft(value, FTopLeft.Y);
}

void TStringGrid::setTopLeft(int ACol, int ARow)
{
    const TGridCoord clamped{std::clamp(ACol, FFixedCols, std::max(FFixedCols, maxLeftCol())),
                             std::clamp(ARow, FFixedRows, std::max(FFixedRows, maxTopRow()))};
    if (clamped == FTopLeft)
        return;
    FTopLeft = clamped;
    updateScrollBars();
    PlaceEditor();
    TopLeftChanged();
    InvalidateGrid();
}

void TStringGrid::TopLeftChanged()
{
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

void TStringGrid::clampInView()
{
    int left = FTopLeft.X;
    int top = FTopLeft.Y;
    if (FCurrent.X >= FFixedCols) {
        if (FCurrent.X < left) {
            left = FCurrent.X;
        } else {
            // The current column's right edge must fit: walk left from it while the columns fit.
            const int available = viewport()->width() - fixedWidth();
            int used = ColWidths(FCurrent.X) + vertLineWidth(FCurrent.X);
            int first = FCurrent.X;
            while (first > left && used + ColWidths(first - 1) + vertLineWidth(first - 1) <= available) {
                --first;
                used += ColWidths(first) + vertLineWidth(first);
            }
            left = std::max(left, first);
        }
    }
    if (FCurrent.Y >= FFixedRows) {
        if (FCurrent.Y < top) {
            top = FCurrent.Y;
        } else {
            const int available = viewport()->height() - fixedHeight();
            int used = RowHeights(FCurrent.Y) + horzLineWidth(FCurrent.Y);
            int first = FCurrent.Y;
            while (first > top && used + RowHeights(first - 1) + horzLineWidth(first - 1) <= available) {
                --first;
                used += RowHeights(first) + horzLineWidth(first);
            }
            top = std::max(top, first);
        }
    }
    setTopLeft(left, top);
}

// ---- Current cell and selection ---------------------------------------------------------------------

void TStringGrid::clampCurrent()
{
    auto clampCell = [this](TGridCoord &cell) {
        cell.X = std::min(std::max(cell.X, FFixedCols), FColCount - 1);
        cell.Y = std::min(std::max(cell.Y, FFixedRows), FRowCount - 1);
    };
    clampCell(FCurrent);
    clampCell(FAnchor);
}

TGridRect TStringGrid::Selection() const
{
    if (FOptions & goRowSelect)
        return {FFixedCols, std::min(FAnchor.Y, FCurrent.Y), FColCount - 1, std::max(FAnchor.Y, FCurrent.Y)};
    return {std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y),
            std::max(FAnchor.X, FCurrent.X), std::max(FAnchor.Y, FCurrent.Y)};
}

void TStringGrid::setSelection(const TGridRect &value)
{
    FAnchor = {value.Right, value.Bottom};
    FocusCell(value.Left, value.Top, false);
    FAnchor = {value.Right, value.Bottom};
    clampCurrent();
    InvalidateGrid();
}

void TStringGrid::setCol(int value)
{
    FocusCell(value, FCurrent.Y, true);
}

void TStringGrid::setRow(int value)
{
    FocusCell(FCurrent.X, value, true);
}

bool TStringGrid::SelectCell(int ACol, int ARow)
{
    bool CanSelect = true;
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, CanSelect);
    return CanSelect;
}

void TStringGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
    ACol = std::clamp(ACol, std::min(FFixedCols, FColCount - 1), FColCount - 1);
    ARow = std::clamp(ARow, std::min(FFixedRows, FRowCount - 1), FRowCount - 1);
    const TGridCoord target{ACol, ARow};
    const bool anchorMoves = MoveAnchor || !(FOptions & goRangeSelect);
    if (target == FCurrent && (!anchorMoves || FAnchor == FCurrent))
        return;
    if (target != FCurrent && !SelectCell(ACol, ARow))
        return;
    const bool moved = target != FCurrent;
    FCurrent = target;
    if (anchorMoves)
        FAnchor = FCurrent;
    clampInView();
    InvalidateGrid();
    if (FEditorMode)
        UpdateEdit();
    if (moved && OnClick)
        OnClick(this);
}

void TStringGrid::moveBy(int dCol, int dRow, bool extend)
{
    FocusCell(FCurrent.X + dCol, FCurrent.Y + dRow, !extend);
}

void TStringGrid::pageBy(int direction, bool extend)
{
    const int page = std::max(1, VisibleRowCount());
    const int top = std::clamp(FTopLeft.Y + direction * page, FFixedRows, std::max(FFixedRows, maxTopRow()));
    const int row = FCurrent.Y + (top - FTopLeft.Y);
    setTopRow(top);
    FocusCell(FCurrent.X, top == FTopLeft.Y && row == FCurrent.Y ? FCurrent.Y + direction * page : row, !extend);
}

void TStringGrid::InvalidateCell(int ACol, int ARow)
{
    const TRect rect = CellRect(ACol, ARow);
    if (!rect.isEmpty())
        viewport()->update(rect.inflated(FGridLineWidth, FGridLineWidth).toQRect());
}

void TStringGrid::InvalidateGrid()
{
    viewport()->update();
}

// ---- Moving rows and columns -----------------------------------------------------------------------------

void TStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= FRowCount || ToIndex >= FRowCount)
        return;
    std::map<int, int> heights;
    for (const auto &[row, height] : FRowHeights)
        heights[movedIndex(row, FromIndex, ToIndex)] = height;
    FRowHeights = std::move(heights);
    RowMoved(FromIndex, ToIndex);
    FCurrent.Y = movedIndex(FCurrent.Y, FromIndex, ToIndex);
    FAnchor.Y = movedIndex(FAnchor.Y, FromIndex, ToIndex);
    FInplaceCell.Y = movedIndex(FInplaceCell.Y, FromIndex, ToIndex);
    clampCurrent();
    updateScrollBars();
    PlaceEditor();
    InvalidateGrid();
}

void TStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= FColCount || ToIndex >= FColCount)
        return;
    auto moveItem = [&](auto &items) {
        auto item = items[size_t(FromIndex)];
        items.erase(items.begin() + FromIndex);
        items.insert(items.begin() + ToIndex, item);
    };
    moveItem(FColWidths);
    moveItem(FTabStops);
    ColumnMoved(FromIndex, ToIndex);
    FCurrent.X = movedIndex(FCurrent.X, FromIndex, ToIndex);
    FAnchor.X = movedIndex(FAnchor.X, FromIndex, ToIndex);
    FInplaceCell.X = movedIndex(FInplaceCell.X, FromIndex, ToIndex);
    clampCurrent();
    updateScrollBars();
    PlaceEditor();
    InvalidateGrid();
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    FCells.moveRow(FromIndex, ToIndex);
    FObjects.moveRow(FromIndex, ToIndex);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    FCells.moveColumn(FromIndex, ToIndex);
    FObjects.moveColumn(FromIndex, ToIndex);
}

void TStringGrid::ExchangeCellData(bool Rows, int A, int B)
{
    FCells.exchangeLines(Rows, A, B);
    FObjects.exchangeLines(Rows, A, B);
    int &editorLine = Rows ? FInplaceCell.Y : FInplaceCell.X;
    editorLine = exchangedIndex(editorLine, A, B);
    InvalidateGrid();
}

void TStringGrid::ShiftCellData(bool Rows, int At)
{
    FCells.insertLine(Rows, At);
    FObjects.insertLine(Rows, At);
    FCells.truncate(FColCount, FRowCount);
    FObjects.truncate(FColCount, FRowCount);
    InvalidateGrid();
}

void TStringGrid::ClearCellTexts(int Col1, int Row1, int Col2, int Row2)
{
    const int lastCol = std::min(Col2, FCells.ColumnCount() - 1);
    for (int c = std::max(Col1, 0); c <= lastCol; ++c) {
        const int lastRow = std::min(Row2, FCells.column(c).Count() - 1);
        for (int r = std::max(Row1, 0); r <= lastRow; ++r)
            if (FCells.has(c, r))
                FCells.ref(c, r).clear();
    }
    InvalidateGrid();
}

void TStringGrid::SizeChanged(int, int) {}

void TStringGrid::ColWidthsChanged()
{
    updateScrollBars();
    PlaceEditor();
    InvalidateGrid();
}

void TStringGrid::RowHeightsChanged()
{
    updateScrollBars();
    PlaceEditor();
    InvalidateGrid();
}

// ---- Editing -----------------------------------------------------------------------------------------

bool TStringGrid::IsActiveControl() const
{
    return hasFocus() || (FInplaceEdit && FInplaceEdit->hasFocus());
}

bool TStringGrid::CanEditShow()
{
    const bool cellEditable = FCurrent.X >= FFixedCols && FCurrent.Y >= FFixedRows;
    return (FOptions & (goRowSelect | goEditing)) == goEditing && FEditorMode && cellEditable
           && ((FOptions & goAlwaysShowEditor) || IsActiveControl());
}

TInplaceEdit *TStringGrid::EnsureEditor()
{
    if (!FInplaceEdit)
        FInplaceEdit = CreateEditor();
    return FInplaceEdit;
}

TInplaceEdit *TStringGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

QString TStringGrid::GetEditText(int ACol, int ARow)
{
    return Cells(ACol, ARow);
}

void TStringGrid::SetEditText(int ACol, int ARow, const QString &Value)
{
    setCells(ACol, ARow, Value);
}

void TStringGrid::setEditorMode(bool value)
{
    if (value)
        ShowEditor();
    else
        HideEditor();
}

void TStringGrid::ShowEditor()
{
    FEditorMode = true;
    UpdateEdit();
}

void TStringGrid::HideEditor()
{
    FEditorMode = false;
    HideEdit();
}

void TStringGrid::UpdateEdit()
{
    if (!CanEditShow()) {
        HideEdit();
        return;
    }
    EnsureEditor();
    const bool refresh = !FEditorShown || FInplaceCell != FCurrent;
    const bool focused = IsActiveControl();
    FInplaceCell = FCurrent;
    FEditorShown = true;
    if (refresh)
        FInplaceEdit->UpdateContents();
    PlaceEditor();
    if (focused && FInplaceEdit->isVisible())
        FInplaceEdit->setFocus();
}

void TStringGrid::HideEdit()
{
    FEditorShown = false;
    if (!FInplaceEdit || !FInplaceEdit->isVisible())
        return;
    // The grid takes the focus first, so that hiding the editor does not pass it to another control.
    if (FInplaceEdit->hasFocus())
        setFocus();
    FInplaceEdit->hide();
}

void TStringGrid::PlaceEditor()
{
    if (!FInplaceEdit || !FEditorShown)
        return;
    const TRect rect = CellRect(FInplaceCell.X, FInplaceCell.Y);
    if (rect.isEmpty()) {
        if (FInplaceEdit->hasFocus())
            setFocus();
        FInplaceEdit->hide();
        return;
    }
    FInplaceEdit->setGeometry(rect.toQRect());
    FInplaceEdit->show();
}

void TStringGrid::EditorKey(QKeyEvent *)
{
    if (FOptions & goAlwaysShowEditor) {
        if (FInplaceEdit)
            FInplaceEdit->SelectAll();
    } else {
        HideEditor();
    }
}

// ---- Painting ----------------------------------------------------------------------------------------

void TStringGrid::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), toQColor(FColor, palette()));
    paintCells(painter, event->rect());
}

void TStringGrid::paintCells(QPainter &painter, const QRect &area)
{
    const int width = viewport()->width();
    const int height = viewport()->height();
    const bool focused = IsActiveControl();
    const TGridRect selection = Selection();
    auto nextCol = [this](int c) { return c + 1 == FFixedCols ? std::max(c + 1, FTopLeft.X) : c + 1; };
    auto nextRow = [this](int r) { return r + 1 == FFixedRows ? std::max(r + 1, FTopLeft.Y) : r + 1; };
    struct CanvasReset {
        QPainter *&canvas;
        ~CanvasReset() { canvas = nullptr; }
    } canvasReset{FCanvas};
    int y = 0;
    for (int r = FFixedRows > 0 ? 0 : FTopLeft.Y; r < FRowCount && y < height; r = nextRow(r)) {
        const int rowHeight = RowHeights(r);
        int x = 0;
        for (int c = FFixedCols > 0 ? 0 : FTopLeft.X; c < FColCount && x < width; c = nextCol(c)) {
            const int colWidth = ColWidths(c);
            const TRect rect = TRect::Bounds(x, y, colWidth, rowHeight);
            const TRect withLines{rect.Left, rect.Top, rect.Right + vertLineWidth(c), rect.Bottom + horzLineWidth(r)};
            if (withLines.toQRect().intersects(area)) {
                TGridDrawState state = 0;
                const bool fixed = c < FFixedCols || r < FFixedRows;
                if (fixed)
                    state |= gdFixed;
                else if (selection.contains(c, r))
                    state |= gdSelected;
                if (focused && !fixed && c == FCurrent.X && r == FCurrent.Y)
                    state |= gdFocused;
                painter.save();
                FCanvas = &painter;
                if (FDefaultDrawing) {
                    const bool highlighted = (state & gdSelected)
                        && (!(state & gdFocused) || (FOptions & (goDrawFocusSelected | goRowSelect)));
                    TFont font = FFont;
                    TColor background = fixed ? FFixedColor : FColor;
                    if (highlighted) {
                        background = clHighlight;
                        font.Color = clHighlightText;
                    }
                    painter.fillRect(rect.toQRect(), toQColor(background, palette()));
                    SelectFont(painter, font);
                }
                DrawCell(c, r, rect, state);
                FCanvas = nullptr;
                painter.restore();
                if (FDefaultDrawing && (state & gdFocused) && !(FOptions & goRowSelect) && !FEditorShown) {
                    QPen pen(toQColor(clWindowText, palette()));
                    pen.setStyle(Qt::DotLine);
                    painter.setPen(pen);
                    painter.setBrush(Qt::NoBrush);
                    painter.drawRect(rect.toQRect().adjusted(0, 0, -1, -1));
                }
                drawGridLines(painter, c, r, rect);
            }
            x = withLines.Right;
        }
        y += rowHeight + horzLineWidth(r);
    }
}

void TStringGrid::drawGridLines(QPainter &painter, int ACol, int ARow, const TRect &rect)
{
    const int vertical = vertLineWidth(ACol);
    const int horizontal = horzLineWidth(ARow);
    const bool fixed = ACol < FFixedCols || ARow < FFixedRows;
    const QColor color = toQColor(fixed ? FixedLineColor : LineColor, palette());
    if (vertical > 0)
        painter.fillRect(QRect(rect.Right, rect.Top, vertical, rect.Height() + horizontal), color);
    if (horizontal > 0)
        painter.fillRect(QRect(rect.Left, rect.Bottom, rect.Width() + vertical, horizontal), color);
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
    if (FDefaultDrawing) {
        TRect textRect = ARect.inflated(-2, -2);
        DrawText(*FCanvas, Cells(ACol, ARow), textRect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, ARect, AState);
}

void TStringGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    setTopLeft(FTopLeft.X, FTopLeft.Y);
    PlaceEditor();
}

// ---- Events ------------------------------------------------------------------------------------------

bool TStringGrid::event(QEvent *event)
{
    try {
        return QAbstractScrollArea::event(event);
    } catch (const std::exception &error) {
        qWarning("grid: %s", error.what());
    } catch (...) {
        qWarning("grid: unknown exception");
    }
    return true;
}

bool TStringGrid::viewportEvent(QEvent *event)
{
    try {
        return QAbstractScrollArea::viewportEvent(event);
    } catch (const std::exception &error) {
        qWarning("grid: %s", error.what());
    } catch (...) {
        qWarning("grid: unknown exception");
    }
    return true;
}

// ---- Keyboard ----------------------------------------------------------------------------------------

bool TStringGrid::focusNextPrevChild(bool next)
{
    if (FOptions & goTabs)
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void TStringGrid::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    KeyDown(event);
    if (event->isAccepted())
        return;
    const QString text = event->text();
    if (!text.isEmpty() && (text[0] >= QChar(32) || text[0] == QChar(8))) {
        event->accept();
        for (const QChar ch : text)
            KeyPress(ch);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void TStringGrid::KeyDown(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool extend = (modifiers & Qt::ShiftModifier) && (FOptions & goRangeSelect);
    switch (event->key()) {
    case Qt::Key_Up:
        moveBy(0, -1, extend);
        break;
    case Qt::Key_Down:
        moveBy(0, 1, extend);
        break;
    case Qt::Key_Left:
        moveBy(-1, 0, extend);
        break;
    case Qt::Key_Right:
        moveBy(1, 0, extend);
        break;
    case Qt::Key_PageUp:
        pageBy(-1, extend);
        break;
    case Qt::Key_PageDown:
        pageBy(1, extend);
        break;
    case Qt::Key_Home:
        if (ctrl)
            FocusCell(FCurrent.X, FFixedRows, !extend);
        else
            FocusCell(FFixedCols, FCurrent.Y, !extend);
        break;
    case Qt::Key_End:
        if (ctrl)
            FocusCell(FCurrent.X, FRowCount - 1, !extend);
        else
            FocusCell(FColCount - 1, FCurrent.Y, !extend);
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        if (!(FOptions & goTabs)) {
            event->ignore();
            return;
        }
        const int step = event->key() == Qt::Key_Backtab || (modifiers & Qt::ShiftModifier) ? -1 : 1;
        int c = FCurrent.X + step;
        int r = FCurrent.Y;
        if (c >= FColCount) {
            c = FFixedCols;
            r = std::min(r + 1, FRowCount - 1);
        } else if (c < FFixedCols) {
            c = FColCount - 1;
            r = std::max(r - 1, FFixedRows);
        }
        FocusCell(c, r, true);
        break;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if ((FOptions & goEditing) && !(FOptions & goAlwaysShowEditor))
            setEditorMode(!FEditorMode);
        else
            event->ignore();
        break;
    case Qt::Key_F2:
        if (FOptions & goEditing)
            ShowEditor();
        else
            event->ignore();
        break;
    default:
        event->ignore();
        break;
    }
}

void TStringGrid::KeyPress(QChar key)
{
    if (!(FOptions & goEditing) || (FOptions & goRowSelect))
        return;
    ShowEditor();
    if (FEditorShown && FInplaceEdit) {
        QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QString(key));
        QCoreApplication::sendEvent(FInplaceEdit, &typed);
    }
}

// ---- Mouse and focus ---------------------------------------------------------------------------------

int TStringGrid::sizingColumnAt(QPoint point) const
{
    if (!(FOptions & goColSizing) || (FFixedRows > 0 && point.y() >= fixedHeight()))
        return -1;
    int x = 0;
    for (int c = FFixedCols > 0 ? 0 : FTopLeft.X; c < FColCount && x < viewport()->width();
         c = (c + 1 == FFixedCols ? std::max(c + 1, FTopLeft.X) : c + 1)) {
        x += ColWidths(c);
        const int border = x + vertLineWidth(c) / 2;
        if (std::abs(point.x() - border) <= SizingMargin)
            return c;
        x += vertLineWidth(c);
    }
    return -1;
}

int TStringGrid::sizingRowAt(QPoint point) const
{
    if (!(FOptions & goRowSizing) || (FFixedCols > 0 && point.x() >= fixedWidth()))
        return -1;
    int y = 0;
    for (int r = FFixedRows > 0 ? 0 : FTopLeft.Y; r < FRowCount && y < viewport()->height();
         r = (r + 1 == FFixedRows ? std::max(r + 1, FTopLeft.Y) : r + 1)) {
        y += RowHeights(r);
        const int border = y + horzLineWidth(r) / 2;
        if (std::abs(point.y() - border) <= SizingMargin)
            return r;
        y += horzLineWidth(r);
    }
    return -1;
}

void TStringGrid::updateCursor(QPoint point)
{
    if (sizingColumnAt(point) >= 0)
        viewport()->setCursor(Qt::SplitHCursor);
    else if (sizingRowAt(point) >= 0)
        viewport()->setCursor(Qt::SplitVCursor);
    else
        viewport()->unsetCursor();
}

void TStringGrid::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const bool wasActive = IsActiveControl();
    if (!wasActive)
        setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    if (const int column = sizingColumnAt(point); column >= 0) {
        FGridState = gsColSizing;
        FSizingIndex = column;
        FSizingOrigin = point.x() - ColWidths(column);
        return;
    }
    if (const int row = sizingRowAt(point); row >= 0) {
        FGridState = gsRowSizing;
        FSizingIndex = row;
        FSizingOrigin = point.y() - RowHeights(row);
        return;
    }
    const TGridCoord cell = MouseCoord(point.x(), point.y());
    if (cell.X < 0)
        return;
    if ((FOptions & goRowMoving) && cell.X < FFixedCols && cell.Y >= FFixedRows) {
        FGridState = gsRowMoving;
        FMoveFrom = cell.Y;
        return;
    }
    if ((FOptions & goColMoving) && cell.Y < FFixedRows && cell.X >= FFixedCols) {
        FGridState = gsColMoving;
        FMoveFrom = cell.X;
        return;
    }
    if (cell.X < FFixedCols || cell.Y < FFixedRows)
        return;
    if (cell == FCurrent && wasActive && (FOptions & goEditing) && !FEditorMode) {
        ShowEditor();
        return;
    }
    const bool extend = (event->modifiers() & Qt::ShiftModifier) && (FOptions & goRangeSelect);
    FocusCell(cell.X, cell.Y, !extend);
    if (FOptions & goRangeSelect)
        FGridState = gsSelecting;
}

void TStringGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    switch (FGridState) {
    case gsColSizing:
        setColWidths(FSizingIndex, point.x() - FSizingOrigin);
        break;
    case gsRowSizing:
        setRowHeights(FSizingIndex, point.y() - FSizingOrigin);
        break;
    case gsSelecting: {
        const TGridCoord cell = MouseCoord(point.x(), point.y());
        if (cell.X >= FFixedCols && cell.Y >= FFixedRows)
            FocusCell(cell.X, cell.Y, false);
        break;
    }
    case gsNormal:
        updateCursor(point);
        break;
    default:
        break;
    }
}

void TStringGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    const TGridCoord cell = MouseCoord(point.x(), point.y());
    if (FGridState == gsRowMoving && cell.Y >= FFixedRows)
        MoveRow(FMoveFrom, cell.Y);
    else if (FGridState == gsColMoving && cell.X >= FFixedCols)
        MoveColumn(FMoveFrom, cell.X);
    FGridState = gsNormal;
    FMoveFrom = -1;
    FSizingIndex = -1;
    updateCursor(point);
}

void TStringGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QAbstractScrollArea::mouseDoubleClickEvent(event);
    const QPoint point = event->position().toPoint();
    FDblClickCell = MouseCoord(point.x(), point.y());
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
}

void TStringGrid::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    if ((FOptions & goAlwaysShowEditor) && (FOptions & goEditing))
        ShowEditor();
    InvalidateGrid();
}

void TStringGrid::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    InvalidateGrid();
}
