// TStringAlignGrid: the property model, rows and columns with their properties, and cell drawing.
#include "controls/StringAlignGrid.h"

#include "controls/NewInplaceEdit.h"
#include "controls/TextDraw.h"

#include <QApplication>
#include <QPainter>

namespace {

// The grid whose OnGetCellFormat is fetching a text on this thread; its cells draw nothing meanwhile.
thread_local const TStringAlignGrid *tl_fetchingGrid = nullptr;

TRelation compareTexts(const QString &a, const QString &b)
{
    const int order = QString::compare(a, b, Qt::CaseSensitive);
    return order < 0 ? rel_less : order > 0 ? rel_greater : rel_equal;
}

// The cell's row (Rows) or column.
int &lineOf(TGridCoord &Cell, bool Rows)
{
    return Rows ? Cell.Y : Cell.X;
}

} // namespace

TStringAlignGrid::TStringAlignGrid(QWidget *parent) : TStringGrid(parent)
{
    OnCompareCol = [](TStringAlignGrid *grid, int colrow, int compare1, int compare2) {
        return compareTexts(grid->Cells(colrow, compare1), grid->Cells(colrow, compare2));
    };
    OnCompareRow = [](TStringAlignGrid *grid, int colrow, int compare1, int compare2) {
        return compareTexts(grid->Cells(compare1, colrow), grid->Cells(compare2, colrow));
    };
    FFixedBrush.Color = FixedColor();
    connect(qApp, &QApplication::focusChanged, this, &TStringAlignGrid::applicationFocusChanged);
}

TStringAlignGrid::~TStringAlignGrid()
{
    // The base destructors still move the focus; this grid must not hear of it any more.
    disconnect(qApp, &QApplication::focusChanged, this, &TStringAlignGrid::applicationFocusChanged);
}

void TStringAlignGrid::Loaded()
{
    TStringGrid::Loaded();
    if (FStores.PendingCells) {
        ClearCellTexts(0, 0, ColCount() - 1, RowCount() - 1);
        FStores.PendingCells->forEach([this](int col, int row, const QString &text) {
            if (col < ColCount() && row < RowCount())
                setCells(col, row, text);
        });
        FStores.PendingCells.reset();
    }
    FReopen = Options() & goAlwaysShowEditor;
    if (SelectEditText())
        FSavedSelLength = -1;
    HideEdit();
}

TCellTable<QString> &TStringAlignGrid::PendingCells()
{
    if (!FStores.PendingCells)
        FStores.PendingCells.emplace();
    return *FStores.PendingCells;
}

// ---- Grid-wide settings ------------------------------------------------------------------------------

void TStringAlignGrid::setAlignment(TMyAlign value)
{
    FSettings.Alignment = value;
    InvalidateGrid();
}

void TStringAlignGrid::setWordwrap(TWordWrap value)
{
    FSettings.Wordwrap = value;
    InvalidateGrid();
}

void TStringAlignGrid::setEditable(bool value)
{
    FSettings.Editable = value;
}

void TStringAlignGrid::setFixedColor(TColor value)
{
    FSettings.FixedColor = value;
    FFixedBrush.Color = value;
    TStringGrid::setFixedColor(value);
}

void TStringAlignGrid::setSelectedCellColor(TColor value)
{
    FSettings.SelectedCellColor = value;
    InvalidateGrid();
}

void TStringAlignGrid::setSelectedFontColor(TColor value)
{
    FSettings.SelectedFontColor = value;
    InvalidateGrid();
}

void TStringAlignGrid::setDrawSelection(bool value)
{
    FSettings.DrawSelection = value;
    InvalidateGrid();
}

void TStringAlignGrid::setAutoAdjustLastCol(bool value)
{
    FSettings.AutoAdjustLastCol = value;
    if (value)
        AdjustLastCol();
}

void TStringAlignGrid::setGridLineWidth(int value)
{
    FSettings.GridLineWidth = value;
    TStringGrid::setGridLineWidth(value);
    if (AutoAdjustLastCol())
        AdjustLastCol();
}

void TStringAlignGrid::setRedrawWhileScroll(bool value)
{
    FSettings.RedrawWhileScroll = value;
    UpdateScrollTracking();
}

bool TStringAlignGrid::ThumbTracking() const
{
    return TStringGrid::ThumbTracking() || FSettings.RedrawWhileScroll;
}

void TStringAlignGrid::setSortByClick(bool value)
{
    FSettings.SortByClick = value;
    SortCols.clear();
    if (value)
        SortCols.resize(size_t(ColCount()));
}

void TStringAlignGrid::setFixedFont(const TMyFont &value)
{
    FFixedFont = value;
    InvalidateGrid();
}

void TStringAlignGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    TStringGrid::SizeChanged(OldColCount, OldRowCount);
    if (SortByClick() && OldColCount != ColCount()) {
        SortCols.resize(size_t(ColCount()));
        for (TSortCol &entry : SortCols)
            entry.SortKey = 0;
    }
}

// ---- Effective values ----------------------------------------------------------------------------------

bool TStringAlignGrid::IsFixedCell(int ACol, int ARow) const
{
    return ACol < FixedCols() || ARow < FixedRows() || ACol < ExtraFixedCols || ARow < ExtraFixedRows;
}

const TCellProperties *TStringAlignGrid::cellRecord(int ACol, int ARow) const
{
    return FStores.PropCell.at(ACol, ARow).get();
}

const TCellProperties *TStringAlignGrid::colRecord(int ACol, bool fixed) const
{
    return (fixed ? FStores.PropFixedCol : FStores.PropCol).at(ACol).get();
}

const TCellProperties *TStringAlignGrid::rowRecord(int ARow, bool fixed) const
{
    return (fixed ? FStores.PropFixedRow : FStores.PropRow).at(ARow).get();
}

TMyAlign TStringAlignGrid::GetAlignCell(int ACol, int ARow) const
{
    const bool fixed = IsFixedCell(ACol, ARow);
    for (const TCellProperties *record : {cellRecord(ACol, ARow), colRecord(ACol, fixed), rowRecord(ARow, fixed)})
        if (record && record->Align != alDefault)
            return record->Align;
    return Alignment() == alDefault ? alLeft : Alignment();
}

TWordWrap TStringAlignGrid::GetWordwrapCell(int ACol, int ARow) const
{
    const bool fixed = IsFixedCell(ACol, ARow);
    for (const TCellProperties *record : {cellRecord(ACol, ARow), colRecord(ACol, fixed), rowRecord(ARow, fixed)})
        if (record && record->Wordwrap != ww_default)
            return record->Wordwrap;
    return Wordwrap() == ww_default ? ww_none : Wordwrap();
}

bool TStringAlignGrid::GetEditCell(int ACol, int ARow) const
{
    const bool fixed = IsFixedCell(ACol, ARow);
    for (const TCellProperties *record : {cellRecord(ACol, ARow), colRecord(ACol, fixed), rowRecord(ARow, fixed)})
        if (record && record->Editable != EditInherit)
            return record->Editable == EditableByte(true);
    return Editable();
}

TMyFont TStringAlignGrid::GetFontCell(int ACol, int ARow) const
{
    const bool fixed = IsFixedCell(ACol, ARow);
    for (const TCellProperties *record : {cellRecord(ACol, ARow), colRecord(ACol, fixed), rowRecord(ARow, fixed)})
        if (record && record->Font)
            return *record->Font;
    return fixed ? FFixedFont : Font();
}

TMyBrush TStringAlignGrid::GetBrushCell(int ACol, int ARow) const
{
    const bool fixed = IsFixedCell(ACol, ARow);
    for (const TCellProperties *record : {cellRecord(ACol, ARow), colRecord(ACol, fixed), rowRecord(ARow, fixed)})
        if (record && record->Brush)
            return *record->Brush;
    return fixed ? FFixedBrush : Brush();
}

TColor TStringAlignGrid::GetColorCell(int ACol, int ARow) const
{
    return GetBrushCell(ACol, ARow).Color;
}

TColor TStringAlignGrid::GetSelectedColorCell(int ACol, int ARow) const
{
    for (const TCellProperties *record : {cellRecord(ACol, ARow), colRecord(ACol, false), rowRecord(ARow, false)})
        if (record && record->SelectedBrush)
            return record->SelectedBrush->Color;
    return SelectedCellColor();
}

TColor TStringAlignGrid::GetSelectedFontColorCell(int ACol, int ARow) const
{
    for (const TCellProperties *record : {cellRecord(ACol, ARow), colRecord(ACol, false), rowRecord(ARow, false)})
        if (record && record->SelectedFont)
            return record->SelectedFont->Color;
    return SelectedFontColor();
}

QString TStringAlignGrid::CellHint(int ACol, int ARow) const
{
    return FStores.HintCell.at(ACol, ARow);
}

void TStringAlignGrid::GetCellText(int ACol, int ARow, QString &S) const
{
    S = Cells(ACol, ARow);
    if (!S.isEmpty() || !OnGetCellFormat)
        return;
    TCellFormat format{QString(), GetAlignCell(ACol, ARow), GetFontCell(ACol, ARow), GetBrushCell(ACol, ARow),
                       GetWordwrapCell(ACol, ARow)};
    const TStringAlignGrid *outer = tl_fetchingGrid;
    tl_fetchingGrid = this;
    struct Restore {
        const TStringAlignGrid *grid;
        ~Restore() { tl_fetchingGrid = grid; }
    } restore{outer};
    OnGetCellFormat(ACol, ARow, format);
    S = format.Text;
}

TCellFormat TStringAlignGrid::DrawnCellFormat(int ACol, int ARow) const
{
    TCellFormat format{Cells(ACol, ARow), GetAlignCell(ACol, ARow), GetFontCell(ACol, ARow),
                       GetBrushCell(ACol, ARow), GetWordwrapCell(ACol, ARow)};
    if (OnGetCellFormat)
        OnGetCellFormat(ACol, ARow, format);
    return format;
}

static TMyAlign storeAlign(const TCellProperties *record, TMyAlign fallback)
{
    return record && record->Align != alDefault ? record->Align : fallback;
}

TMyAlign TStringAlignGrid::GetAlignCol(int ACol) const
{
    return storeAlign(colRecord(ACol, false), Alignment());
}

TMyAlign TStringAlignGrid::GetFixedAlignCol(int ACol) const
{
    return storeAlign(colRecord(ACol, true), Alignment());
}

TMyAlign TStringAlignGrid::GetAlignRow(int ARow) const
{
    return storeAlign(rowRecord(ARow, false), Alignment());
}

TMyAlign TStringAlignGrid::GetFixedAlignRow(int ARow) const
{
    return storeAlign(rowRecord(ARow, true), Alignment());
}

TMyFont TStringAlignGrid::GetFontCol(int ACol) const
{
    const TCellProperties *record = colRecord(ACol, false);
    return record && record->Font ? *record->Font : Font();
}

TMyFont TStringAlignGrid::GetFontFixedCol(int ACol) const
{
    const TCellProperties *record = colRecord(ACol, true);
    return record && record->Font ? *record->Font : Font();
}

TMyFont TStringAlignGrid::GetFontRow(int ARow) const
{
    const TCellProperties *record = rowRecord(ARow, false);
    return record && record->Font ? *record->Font : Font();
}

TMyFont TStringAlignGrid::GetFontFixedRow(int ARow) const
{
    const TCellProperties *record = rowRecord(ARow, true);
    return record && record->Font ? *record->Font : Font();
}

TColor TStringAlignGrid::GetColorCol(int ACol) const
{
    const TCellProperties *record = colRecord(ACol, false);
    return record && record->Brush ? record->Brush->Color : Color();
}

TColor TStringAlignGrid::GetColorFixedCol(int ACol) const
{
    const TCellProperties *record = colRecord(ACol, true);
    return record && record->Brush ? record->Brush->Color : Color();
}

TColor TStringAlignGrid::GetColorRow(int ARow) const
{
    const TCellProperties *record = rowRecord(ARow, false);
    return record && record->Brush ? record->Brush->Color : Color();
}

TColor TStringAlignGrid::GetColorFixedRow(int ARow) const
{
    const TCellProperties *record = rowRecord(ARow, true);
    return record && record->Brush ? record->Brush->Color : Color();
}

// ---- Setters -----------------------------------------------------------------------------------------

TCellProperties &TStringAlignGrid::ensureCell(int ACol, int ARow)
{
    return FStores.PropCell.ref(ACol, ARow).ensure();
}

TCellProperties &TStringAlignGrid::ensureIn(TSlotList<TCellProps> &store, int index)
{
    return store.ref(index).ensure();
}

void TStringAlignGrid::SetAlignCell(int ACol, int ARow, TMyAlign Value)
{
    if (ACol < 0 || ARow < 0)
        return;
    ensureCell(ACol, ARow).Align = Value;
    InvalidateGrid();
}

void TStringAlignGrid::SetAlignCol(int ACol, TMyAlign Value)
{
    if (ACol < 0)
        return;
    ensureIn(FStores.PropCol, ACol).Align = Value;
    InvalidateGrid();
}

void TStringAlignGrid::SetFixedAlignCol(int ACol, TMyAlign Value)
{
    if (ACol < 0)
        return;
    ensureIn(FStores.PropFixedCol, ACol).Align = Value;
    InvalidateGrid();
}

void TStringAlignGrid::SetAlignRow(int ARow, TMyAlign Value)
{
    if (ARow < 0)
        return;
    ensureIn(FStores.PropRow, ARow).Align = Value;
    InvalidateGrid();
}

void TStringAlignGrid::SetFixedAlignRow(int ARow, TMyAlign Value)
{
    if (ARow < 0)
        return;
    ensureIn(FStores.PropFixedRow, ARow).Align = Value;
    InvalidateGrid();
}

void TStringAlignGrid::SetEditCell(int ACol, int ARow, bool Value)
{
    if (ACol >= 0 && ARow >= 0)
        ensureCell(ACol, ARow).Editable = EditableByte(Value);
}

void TStringAlignGrid::SetEditCol(int ACol, bool Value)
{
    if (ACol >= 0)
        ensureIn(FStores.PropCol, ACol).Editable = EditableByte(Value);
}

void TStringAlignGrid::SetEditRow(int ARow, bool Value)
{
    if (ARow >= 0)
        ensureIn(FStores.PropRow, ARow).Editable = EditableByte(Value);
}

TMyBrush &TStringAlignGrid::BrushCell(int ACol, int ARow)
{
    TCellProperties &record = ensureCell(std::max(ACol, 0), std::max(ARow, 0));
    if (!record.Brush)
        record.Brush = Brush();
    InvalidateGrid();
    return *record.Brush;
}

static TMyBrush &brushOf(TCellProperties &record, const TMyBrush &initial)
{
    if (!record.Brush)
        record.Brush = initial;
    return *record.Brush;
}

static TMyFont &fontOf(TCellProperties &record, const TMyFont &initial)
{
    if (!record.Font)
        record.Font = initial;
    return *record.Font;
}

TMyBrush &TStringAlignGrid::BrushCol(int ACol)
{
    InvalidateGrid();
    return brushOf(ensureIn(FStores.PropCol, std::max(ACol, 0)), Brush());
}

TMyBrush &TStringAlignGrid::BrushFixedCol(int ACol)
{
    InvalidateGrid();
    return brushOf(ensureIn(FStores.PropFixedCol, std::max(ACol, 0)), Brush());
}

TMyBrush &TStringAlignGrid::BrushRow(int ARow)
{
    InvalidateGrid();
    return brushOf(ensureIn(FStores.PropRow, std::max(ARow, 0)), Brush());
}

TMyBrush &TStringAlignGrid::BrushFixedRow(int ARow)
{
    InvalidateGrid();
    return brushOf(ensureIn(FStores.PropFixedRow, std::max(ARow, 0)), Brush());
}

TMyFont &TStringAlignGrid::FontCell(int ACol, int ARow)
{
    InvalidateGrid();
    return fontOf(ensureCell(std::max(ACol, 0), std::max(ARow, 0)), Font());
}

TMyFont &TStringAlignGrid::FontCol(int ACol)
{
    InvalidateGrid();
    return fontOf(ensureIn(FStores.PropCol, std::max(ACol, 0)), Font());
}

TMyFont &TStringAlignGrid::FontFixedCol(int ACol)
{
    InvalidateGrid();
    return fontOf(ensureIn(FStores.PropFixedCol, std::max(ACol, 0)), Font());
}

TMyFont &TStringAlignGrid::FontRow(int ARow)
{
    InvalidateGrid();
    return fontOf(ensureIn(FStores.PropRow, std::max(ARow, 0)), Font());
}

TMyFont &TStringAlignGrid::FontFixedRow(int ARow)
{
    InvalidateGrid();
    return fontOf(ensureIn(FStores.PropFixedRow, std::max(ARow, 0)), Font());
}

void TStringAlignGrid::ResetFontCol(int ACol)
{
    if (FStores.PropCol.has(ACol))
        FStores.PropCol.ref(ACol)->Font.reset();
    InvalidateGrid();
}

void TStringAlignGrid::SetColorCell(int ACol, int ARow, TColor Value)
{
    BrushCell(ACol, ARow).Color = Value;
}

void TStringAlignGrid::SetColorCol(int ACol, TColor Value)
{
    BrushCol(ACol).Color = Value;
}

void TStringAlignGrid::SetColorFixedCol(int ACol, TColor Value)
{
    BrushFixedCol(ACol).Color = Value;
}

void TStringAlignGrid::SetColorRow(int ARow, TColor Value)
{
    BrushRow(ARow).Color = Value;
}

void TStringAlignGrid::SetColorFixedRow(int ARow, TColor Value)
{
    BrushFixedRow(ARow).Color = Value;
}

void TStringAlignGrid::SetSelectedColorCell(int ACol, int ARow, TColor Value)
{
    if (ACol < 0 || ARow < 0)
        return;
    ensureCell(ACol, ARow).SelectedBrush = TMyBrush{Value, bsSolid};
    InvalidateGrid();
}

void TStringAlignGrid::SetSelectedColorCol(int ACol, TColor Value)
{
    if (ACol < 0)
        return;
    ensureIn(FStores.PropCol, ACol).SelectedBrush = TMyBrush{Value, bsSolid};
    InvalidateGrid();
}

void TStringAlignGrid::SetSelectedColorRow(int ARow, TColor Value)
{
    if (ARow < 0)
        return;
    ensureIn(FStores.PropRow, ARow).SelectedBrush = TMyBrush{Value, bsSolid};
    InvalidateGrid();
}

// ---- Rows and columns with their properties ------------------------------------------------------------

void TStringAlignGrid::InsertColumn(int ACol)
{
    insertLine(false, ACol);
}

void TStringAlignGrid::InsertRow(int ARow)
{
    insertLine(true, ARow);
}

void TStringAlignGrid::RowMoved(int FromIndex, int ToIndex)
{
    moveLineProperties(true, FromIndex, ToIndex);
    TStringGrid::RowMoved(FromIndex, ToIndex);
}

void TStringAlignGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    moveLineProperties(false, FromIndex, ToIndex);
    TStringGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringAlignGrid::ExchangeRows(int R1, int R2)
{
    exchangeLines(true, R1, R2);
}

void TStringAlignGrid::ExchangeCols(int C1, int C2)
{
    exchangeLines(false, C1, C2);
}

TSlotList<TCellProps> &TStringAlignGrid::lineStore(bool Rows)
{
    return Rows ? FStores.PropRow : FStores.PropCol;
}

void TStringAlignGrid::insertLine(bool Rows, int At)
{
    const int point = std::max(At, Rows ? FixedRows() : FixedCols());
    const bool hidden = EditorVisible() && InplaceEditor() && (Rows ? Row() : Col()) >= point;
    if (hidden)
        HideEdit();
    if (Rows)
        setRowCount(RowCount() + 1);
    else
        setColCount(ColCount() + 1);
    lineStore(Rows).insertSlot(point);
    FStores.PropCell.insertLine(Rows, point);
    FStores.HintCell.insertLine(Rows, point);
    ShiftCellData(Rows, point);
    int &current = lineOf(FCurrent, Rows);
    int &anchor = lineOf(FAnchor, Rows);
    if (current >= point) {
        const int last = (Rows ? RowCount() : ColCount()) - 1;
        current = std::min(current + 1, last);
        anchor = std::min(anchor + 1, last);
    }
    if (hidden)
        UpdateEdit();
    InvalidateGrid();
}

void TStringAlignGrid::moveLineProperties(bool Rows, int FromIndex, int ToIndex)
{
    lineStore(Rows).move(FromIndex, ToIndex);
    FStores.PropCell.moveLine(Rows, FromIndex, ToIndex);
    FStores.HintCell.moveLine(Rows, FromIndex, ToIndex);
    // The editor's line follows its data (also when a line moves past it).
    if (TNewInplaceEdit *editor = Editor()) {
        int &editorLine = Rows ? editor->Row : editor->Col;
        if (editorLine >= 0)
            editorLine = movedIndex(editorLine, FromIndex, ToIndex);
    }
}

void TStringAlignGrid::hideEditorOn(bool rows, int A, int B, bool &wasShown)
{
    const TNewInplaceEdit *editor = Editor();
    const int at = editor ? (rows ? editor->Row : editor->Col) : -1;
    wasShown = EditorVisible() && (at == A || at == B);
    if (wasShown)
        HideEdit();
}

void TStringAlignGrid::exchangeLines(bool Rows, int A, int B)
{
    const int count = Rows ? RowCount() : ColCount();
    if (A == B || A < 0 || B < 0 || A >= count || B >= count)
        return;
    bool wasShown = false;
    hideEditorOn(Rows, A, B, wasShown);
    lineStore(Rows).exchange(A, B);
    FStores.PropCell.exchangeLines(Rows, A, B);
    FStores.HintCell.exchangeLines(Rows, A, B);
    ExchangeCellData(Rows, A, B);
    int &current = lineOf(FCurrent, Rows);
    int &anchor = lineOf(FAnchor, Rows);
    current = exchangedIndex(current, A, B);
    anchor = exchangedIndex(anchor, A, B);
    if (TNewInplaceEdit *editor = Editor()) {
        int &editorLine = Rows ? editor->Row : editor->Col;
        editorLine = exchangedIndex(editorLine, A, B);
    }
    if (wasShown)
        UpdateEdit();
}

void TStringAlignGrid::ClearRows(int FromRow, int ToRow)
{
    ClearCellTexts(0, FromRow == -1 ? 0 : FromRow, ColCount() - 1, ToRow == -1 ? RowCount() - 1 : ToRow);
}

void TStringAlignGrid::ClearCells(int Row1, int Col1, int Row2, int Col2)
{
    ClearCellTexts(Col1, Row1, Col2, Row2);
}

void TStringAlignGrid::SaveCellsToList(TCellTable<QString> &List) const
{
    CellTexts().forEach([&](int col, int row, const QString &text) { List.set(col, row, text); });
}

// ---- Drawing ---------------------------------------------------------------------------------------------

void TStringAlignGrid::DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
    DrawCellText(ACol, ARow, ARect, AState);
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, ARect, AState);
}

TRect TStringAlignGrid::applyFormat(int ACol, int ARow, const TRect &ARect, TGridDrawState AState,
                                    const TMyFont &Font, const TMyBrush &Brush)
{
    QPainter &canvas = *Canvas();
    TMyFont font = Font;
    TMyBrush brush = Brush;
    if (DrawSelection() && (AState & gdSelected)) {
        const bool apply = !(AState & gdFocused) || (Options() & (goDrawFocusSelected | goRowSelect));
        if (apply) {
            brush.Color = GetSelectedColorCell(ACol, ARow);
            font.Color = GetSelectedFontColorCell(ACol, ARow);
        }
    }
    SelectFont(canvas, font);
    canvas.setBrush(toQBrush(brush, palette()));
    TRect rect = ARect;
    if (DefaultDrawing()) {
        FillRect(canvas, rect, brush);
        const bool fixed = IsFixedCell(ACol, ARow);
        const TGridOptions vertical = fixed ? goFixedVertLine : goVertLine;
        const TGridOptions horizontal = fixed ? goFixedHorzLine : goHorzLine;
        if (!(Options() & vertical))
            rect.Bottom += GridLineWidth();
        if (!(Options() & horizontal))
            rect.Right += GridLineWidth();
        canvas.setBackgroundMode(Qt::TransparentMode);
    }
    return rect;
}

void TStringAlignGrid::PrepareCanvas(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
    applyFormat(ACol, ARow, ARect, AState, GetFontCell(ACol, ARow), GetBrushCell(ACol, ARow));
}

void TStringAlignGrid::DrawCellText(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
    if (tl_fetchingGrid == this)
        return;
    const TCellFormat format = DrawnCellFormat(ACol, ARow);
    QPainter &canvas = *Canvas();
    canvas.save();
    const TRect rect = applyFormat(ACol, ARow, ARect, AState, format.Font, format.Brush).inflated(-2, -2);
    uint32_t flags = DT_NOPREFIX;
    switch (format.Alignment) {
    case alRight:
        flags |= DT_RIGHT;
        break;
    case alCenter:
        flags |= DT_CENTER;
        break;
    case alCenterCenter:
        flags |= DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        break;
    default:
        flags |= DT_LEFT;
        break;
    }
    if (format.Wordwrap == ww_wordwrap)
        flags |= DT_WORDBREAK;
    else if (format.Wordwrap == ww_ellipsis)
        flags |= DT_END_ELLIPSIS;
    TRect textRect = rect;
    DrawText(canvas, format.Text, textRect, flags);
    canvas.restore();
}
