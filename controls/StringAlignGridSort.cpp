// TStringAlignGrid: header-click sorting, the built-in sort, clipboard exchange and width calculations.
#include "controls/StringAlignGrid.h"

#include "controls/GridSupport.h"

#include <QMouseEvent>

#include <climits>
#include <random>

// ---- Sort marks and header clicks ------------------------------------------------------------------------

void TStringAlignGrid::SetSortDirection(int SortKey, int Direction, bool ResetOthers)
{
    if (!SortByClick())
        return;
    for (TSortCol &entry : SortCols) {
        if (entry.SortKey == SortKey)
            entry.Direction = int8_t(Direction);
        else if (ResetOthers)
            entry.Direction = 2;
    }
}

QString TStringAlignGrid::unmarkedCaption(int ACol) const
{
    QString text = Cells(ACol, 0);
    if (!SortByClick() || ACol < 0 || ACol >= int(SortCols.size()) || SortCols[size_t(ACol)].SortKey == 0)
        return text;
    qsizetype mark = text.indexOf(QStringLiteral(" -"));
    if (mark < 0)
        mark = text.indexOf(QStringLiteral(" +"));
    if (mark >= 0)
        text.remove(mark, 2);
    return text;
}

QString TStringAlignGrid::MarkedCaption(const QString &Caption, int Direction)
{
    if (Direction == -1)
        return Caption + QStringLiteral(" +");
    if (Direction == 1)
        return Caption + QStringLiteral(" -");
    return Caption;
}

void TStringAlignGrid::UpdateSortMarks()
{
    if (!SortByClick())
        return;
    for (int col = 0; col < int(SortCols.size()) && col < ColCount(); ++col) {
        const TSortCol &entry = SortCols[size_t(col)];
        if (entry.SortKey == 0)
            continue;
        setCells(col, 0, MarkedCaption(unmarkedCaption(col), entry.Direction));
    }
}

void TStringAlignGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const TGridState state = GridState();
    TStringGrid::mouseReleaseEvent(event);
    const bool sizingOrMoving = state == gsColSizing || state == gsRowSizing || state == gsColMoving || state == gsRowMoving;
    if (!IsActiveControl() || !SortByClick() || sizingOrMoving || FixedRows() < 1
        || viewport()->cursor().shape() == Qt::SplitHCursor || !OnSortColumn)
        return;
    const QPoint point = event->position().toPoint();
    const TGridCoord cell = MouseCoord(point.x(), point.y());
    if (cell.Y == 0 && cell.X >= 0 && cell.X < int(SortCols.size()) && SortCols[size_t(cell.X)].SortKey != 0) {
        TSortCol &entry = SortCols[size_t(cell.X)];
        entry.Direction = entry.Direction == 1 ? -1 : 1;
        OnSortColumn(this, cell.X, entry);
    }
    if (AutoAdjustLastCol())
        AdjustLastCol();
}

// ---- Built-in sort ------------------------------------------------------------------------------------

TRelation TStringAlignGrid::compareCells(bool ByColumn, int ColRow, int A, int B)
{
    const auto &compare = ByColumn ? OnCompareCol : OnCompareRow;
    return compare ? compare(this, ColRow, A, B) : rel_equal;
}

void TStringAlignGrid::exchange(bool ByColumn, int A, int B)
{
    if (ByColumn)
        ExchangeRows(A, B);
    else
        ExchangeCols(A, B);
}

void TStringAlignGrid::SortColRow(int ColRow, int First, int Last, bool ByColumn, bool Ascending)
{
    if (First < Last)
        sortLines(ColRow, First, Last, ByColumn, Ascending ? rel_less : rel_greater, {},
                  SortDepthLimit(Last - First + 1));
}

void TStringAlignGrid::sortLines(int ColRow, int First, int Last, bool ByColumn, TRelation X,
                                 TSortLevel Level, int DepthLimit)
{
    int lo = First;
    int hi = Last;
    // The smaller part is sorted by recursion and the larger one by the loop, and the pivot is taken
    // from a place that depends on the range (moved to its end), so data in order, in reverse order or
    // in any regular pattern costs n log n comparisons and a logarithmic depth, not n squared and n.
    while (hi - lo >= 1) {
        if (Level.HeapSorts(hi - lo + 1, DepthLimit)) {
            HeapSortRange(
                lo, hi, [&](int A, int B) { return compareCells(ByColumn, ColRow, A, B) == X; },
                [&](int A, int B) { exchange(ByColumn, A, B); }, [](int) { return false; });
            return;
        }
        std::minstd_rand placeOf(uint32_t(lo) * 2654435761u ^ uint32_t(hi));
        const int place = lo + int(placeOf() % uint32_t(hi - lo + 1));
        if (place != hi)
            exchange(ByColumn, place, hi);
        const int pivot = hi;
        int i = lo;
        int j = hi - 1;
        for (;;) {
            // The bounds on i and j only matter for a comparison that contradicts itself.
            if (i < hi && compareCells(ByColumn, ColRow, i, pivot) == X) {
                ++i;
                continue;
            }
            while (j > i && compareCells(ByColumn, ColRow, pivot, j) == X)
                --j;
            if (j <= i)
                break;
            exchange(ByColumn, i, j);
            ++i;
            --j;
        }
        exchange(ByColumn, i, hi);
        const bool lowerSmaller = i - lo < hi - i;
        Level = Level.Below(hi - lo + 1, lowerSmaller ? i - lo : hi - i);
        if (lowerSmaller) {
            sortLines(ColRow, lo, i - 1, ByColumn, X, Level, DepthLimit);
            lo = i + 1;
        } else {
            sortLines(ColRow, i + 1, hi, ByColumn, X, Level, DepthLimit);
            hi = i - 1;
        }
    }
}

// ---- Clipboard ----------------------------------------------------------------------------------------

TGridRect TStringAlignGrid::normalisedRange(TGridRect Range) const
{
    if (Range.Right < Range.Left || Range.Right < 0)
        Range.Right = ColCount() - 1;
    if (Range.Bottom < Range.Top || Range.Bottom < 0)
        Range.Bottom = RowCount() - 1;
    Range.Left = std::max(Range.Left, 0);
    Range.Top = std::max(Range.Top, 0);
    Range.Right = std::min(Range.Right, ColCount() - 1);
    Range.Bottom = std::min(Range.Bottom, RowCount() - 1);
    return Range;
}

QByteArray TStringAlignGrid::CopyToStream(QChar Separator, TGridRect Range) const
{
    Range = normalisedRange(Range);
    QByteArray stream;
    QString text;
    for (int row = Range.Top; row <= Range.Bottom; ++row) {
        QString line;
        for (int col = Range.Left; col <= Range.Right; ++col) {
            if (col > Range.Left)
                line += Separator;
            GetCellText(col, row, text);
            line += text;
        }
        line += QStringLiteral("\r\n");
        WriteStringToStream(stream, line);
    }
    return stream;
}

void TStringAlignGrid::CopyToClipboard(QChar Separator, TGridRect Range) const
{
    StreamToClipboard(CopyToStream(Separator, Range));
}

void TStringAlignGrid::PasteFromStream(const QByteArray &Stream, QChar Separator, TGridRect Range)
{
    Range.Left = std::max(Range.Left, 0);
    Range.Top = std::max(Range.Top, 0);
    if (Range.Right < Range.Left)
        Range.Right = INT_MAX;
    if (Range.Bottom < Range.Top)
        Range.Bottom = INT_MAX;
    QString text = QString::fromUtf8(Stream);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    int row = Range.Top;
    for (qsizetype k = 0; k < lines.size() && row <= Range.Bottom; ++k, ++row) {
        if (row >= RowCount())
            setRowCount(row + 1);
        QString rest = lines[k] + Separator;
        int col = Range.Left;
        while (col <= Range.Right && rest.size() > 1) {
            if (col >= ColCount())
                setColCount(col + 1);
            const qsizetype end = rest.indexOf(Separator);
            if (!ClipboardEditableOnly || GetEditCell(col, row))
                setCells(col, row, rest.left(end));
            rest.remove(0, end + 1);
            ++col;
        }
    }
}

void TStringAlignGrid::PasteFromClipboard(QChar Separator, TGridRect Range)
{
    PasteFromStream(ClipboardToStream(), Separator, Range);
}

void TStringAlignGrid::ClipboardCopy()
{
    if (ClipboardEnabled)
        CopyToClipboard(QLatin1Char('\t'), Selection());
}

void TStringAlignGrid::ClipboardCut()
{
    if (!ClipboardEnabled)
        return;
    const TGridRect range = normalisedRange(Selection());
    CopyToClipboard(QLatin1Char('\t'), range);
    for (int col = range.Left; col <= range.Right; ++col)
        for (int row = range.Top; row <= range.Bottom; ++row)
            if (!ClipboardEditableOnly || GetEditCell(col, row))
                setCells(col, row, QString());
}

void TStringAlignGrid::ClipboardPaste()
{
    if (ClipboardEnabled)
        PasteFromClipboard(QLatin1Char('\t'), Selection());
}

// ---- Sizing ---------------------------------------------------------------------------------------------

void TStringAlignGrid::AdjustLastCol()
{
    const int last = ColCount() - 1;
    int W = 0;
    for (int col = 0; col < last; ++col)
        W += ColWidths(col);
    const int L = (Options() & (goVertLine | goFixedVertLine)) ? ColCount() * GridLineWidth() : 0;
    if (W < viewport()->width()) {
        if (AdjustedColMinWidth() == 0 || viewport()->width() - W - L >= AdjustedColMinWidth()) {
            setColWidths(last, 1);
            setColWidths(last, viewport()->width() - W - L);
        }
    }
    ColWidthsChanged();
}

int TStringAlignGrid::CalcGridWidth(bool WithScrollBar) const
{
    int width = 2 * frameWidth();
    for (int col = 0; col < ColCount(); ++col)
        width += ColWidths(col);
    width += ColCount() * GridLineWidth();
    if (WithScrollBar || ScrollBarInUse(this, true))
        width += ScrollBarExtent();
    return width;
}

void TStringAlignGrid::ColWidthsChanged()
{
    TStringGrid::ColWidthsChanged();
    if (OnColWidthsChanged)
        OnColWidthsChanged(this);
}

void TStringAlignGrid::RowHeightsChanged()
{
    TStringGrid::RowHeightsChanged();
    if (OnRowHeightsChanged)
        OnRowHeightsChanged(this);
}

void TStringAlignGrid::resizeEvent(QResizeEvent *event)
{
    TStringGrid::resizeEvent(event);
    if (AutoAdjustLastCol())
        AdjustLastCol();
    if (OnResize)
        OnResize(this);
}
