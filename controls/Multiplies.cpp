#include "controls/Multiplies.h"

#include "controls/FloatSpin.h"
#include "controls/FloatText.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <optional>

namespace {

enum TMultCol : int { mcNumber, mcWeight, mcFixed };

constexpr int RowHeight = 21;
constexpr int CheckBoxSize = 14;
constexpr double MaxWeight = 4294967295.0;
// As the editor writes its value.
constexpr int WeightDigits = 10;

} // namespace

QString MultWeightText(double Weight)
{
    return formatFloatFixed(Weight, WeightDigits, 1, localeDecimalSeparator());
}

TMultiplies::TMultiplies(QWidget *parent) : TStringAlignGrid(parent), FEditor(new TFloatSpin(viewport()))
{
    setColCount(3);
    setFixedCols(0);
    setFixedRows(1);
    setDefaultRowHeight(RowHeight);
    setColWidths(mcNumber, 50);
    setColWidths(mcWeight, 96);
    setColWidths(mcFixed, 50);
    for (int col = mcNumber; col <= mcFixed; ++col) {
        SetAlignCol(col, alCenter);
        SetFixedAlignCol(col, alCenter);
    }
    SetFixedAlignRow(0, alCenter);
    SetGridFont(Font());
    setCells(mcNumber, 0, QStringLiteral("Numer"));
    setCells(mcWeight, 0, QStringLiteral("Wielokrotność"));
    setCells(mcFixed, 0, QStringLiteral("Stała"));
    // The weights have their own editor; the grid's text editor never opens.
    setEditable(false);
    setSelectedCellColor(clWindow);
    setSelectedFontColor(clWindowText);

    FEditor->hide();
    FEditor->SetPrecision(1);
    FEditor->SetMinValue(1.0);
    FEditor->SetMaxValue(MaxWeight);
    FEditor->Increment = 0.1;
    FEditor->LargeInc = 1.0;
    FEditor->SetValue(1.0);
    FEditor->SetAlignment(taCenter);
    FEditor->setFrame(false);
    FEditor->OnChange = [this](QObject *) { editorChanged(); };
    FEditor->installEventFilter(this);
    SetMultCount(1);
}

void TMultiplies::SetGridFont(const TFont &Font)
{
    setFont(Font);
    setFixedFont(Font);
    TFont header = Font;
    header.Style |= fsBold;
    FontFixedRow(0) = header;
    // The weights' own fonts take the new one too.
    for (int row = 1; row <= MultCount(); ++row)
        showWeight(row);
}

void TMultiplies::SetMultCount(int Value)
{
    EndWeightEdit(false);
    FWeights.assign(size_t(Value), 1.0);
    FFixed.assign(size_t(Value), false);
    setRowCount(Value + 1);
    for (int row = 1; row <= Value; ++row) {
        setCells(mcNumber, row, QString::number(row));
        showWeight(row);
    }
    InvalidateGrid();
}

void TMultiplies::SetRowValues(int Row, double AWeight, bool AFixed)
{
    FWeights[size_t(Row) - 1] = AWeight;
    FFixed[size_t(Row) - 1] = AFixed;
    showWeight(Row);
    InvalidateGrid();
}

void TMultiplies::showWeight(int Row)
{
    setCells(mcWeight, Row, MultWeightText(Weight(Row)));
    TFont font = Font();
    font.Color = Fixed(Row) ? clGrayText : clWindowText;
    FontCell(mcWeight, Row) = font;
}

TFloatSpin *TMultiplies::WeightEditor() const
{
    return FEditRow > 0 ? FEditor : nullptr;
}

void TMultiplies::EditWeight(int Row)
{
    if (!dataRow(Row) || Fixed(Row) || FEditRow == Row)
        return;
    EndWeightEdit(false);
    const TRect rect = CellRect(mcWeight, Row);
    if (rect.isEmpty())
        return;
    FEditRow = Row;
    {
        FUpdating = true;
        FEditor->setText(Cells(mcWeight, Row));
        FUpdating = false;
    }
    FEditor->setGeometry(rect.toQRect());
    FEditor->show();
    FEditor->setFocus(Qt::OtherFocusReason);
    FEditor->selectAll();
}

void TMultiplies::EndWeightEdit(bool FocusGrid)
{
    if (FEditRow == 0)
        return;
    const int row = FEditRow;
    FUpdating = true;
    FEditor->Commit();
    FUpdating = false;
    if (!askWeight(row, FEditor->Value())) {
        FUpdating = true;
        FEditor->SetValue(Weight(row));
        FUpdating = false;
    }
    FEditRow = 0;
    setCells(mcWeight, row, FEditor->text());
    FEditor->hide();
    if (FocusGrid)
        setFocus(Qt::OtherFocusReason);
}

bool TMultiplies::askWeight(int Row, double Value)
{
    if (Value == Weight(Row))
        return true;
    bool accept = true;
    if (OnAnySpinChange)
        OnAnySpinChange(Row, Value, accept);
    if (accept)
        FWeights[size_t(Row) - 1] = Value;
    return accept;
}

void TMultiplies::editorChanged()
{
    if (FUpdating || FEditRow == 0)
        return;
    // A text still being typed (empty, "2,", below the least weight) waits for the edit's end.
    const std::optional<double> value = parseFloatText(FEditor->text(), localeDecimalSeparator());
    if (!value || *value < FEditor->MinValue() || *value > FEditor->MaxValue())
        return;
    if (askWeight(FEditRow, *value)) {
        setCells(mcWeight, FEditRow, FEditor->text());
        return;
    }
    FUpdating = true;
    FEditor->SetValue(Weight(FEditRow));
    FUpdating = false;
    setCells(mcWeight, FEditRow, FEditor->text());
}

void TMultiplies::ToggleFixed(int Row)
{
    if (!dataRow(Row))
        return;
    if (FEditRow == Row)
        EndWeightEdit(false);
    const bool checked = !Fixed(Row);
    bool accept = true;
    if (OnAnyCheckClick)
        OnAnyCheckClick(Row, checked, accept, Weight(Row));
    if (accept)
        FFixed[size_t(Row) - 1] = checked;
    showWeight(Row);
    InvalidateGrid();
}

void TMultiplies::DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
    if (ACol != mcFixed || !dataRow(ARow)) {
        TStringAlignGrid::DrawCell(ACol, ARow, ARect, AState);
        return;
    }
    QPainter &canvas = *Canvas();
    canvas.save();
    canvas.fillRect(ARect.toQRect(), toQColor(GetColorCell(ACol, ARow), palette()));
    drawCheck(ARect, Fixed(ARow));
    canvas.restore();
}

void TMultiplies::drawCheck(const TRect &Rect, bool Checked)
{
    QPainter &canvas = *Canvas();
    const int left = Rect.Left + (Rect.Width() - CheckBoxSize) / 2;
    const int top = Rect.Top + (Rect.Height() - CheckBoxSize) / 2;
    const TRect box = TRect::Bounds(left, top, CheckBoxSize, CheckBoxSize).inflated(-1, -1);
    canvas.setBrush(Qt::NoBrush);
    canvas.setPen(QPen(Qt::black, 1));
    canvas.drawRect(box.Left, box.Top, box.Width() - 1, box.Height() - 1);
    if (!Checked)
        return;
    const TRect cross = box.inflated(-3, -3);
    canvas.setPen(QPen(Qt::black, 2));
    canvas.drawLine(cross.Left, cross.Top, cross.Right - 1, cross.Bottom - 1);
    canvas.drawLine(cross.Left, cross.Bottom - 1, cross.Right - 1, cross.Top);
}

void TMultiplies::KeyDown(QKeyEvent *event)
{
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    bool handled = true;
    if (Col() == mcWeight && enter && FEditRow == 0)
        EditWeight(Row());
    else if (Col() == mcFixed && (enter || key == Qt::Key_Space))
        ToggleFixed(Row());
    else
        handled = false;
    TStringAlignGrid::KeyDown(event);
    // Nothing else acts on the key: the window does not take an Enter, nor the grid a Space.
    if (handled)
        event->accept();
}

void TMultiplies::mousePressEvent(QMouseEvent *event)
{
    TStringAlignGrid::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    const TGridCoord cell = MouseCoord(point.x(), point.y());
    if (cell.X == mcWeight)
        EditWeight(cell.Y);
    else if (cell.X == mcFixed)
        ToggleFixed(cell.Y);
}

void TMultiplies::TopLeftChanged()
{
    TStringAlignGrid::TopLeftChanged();
    EndWeightEdit(false);
}

void TMultiplies::ColWidthsChanged()
{
    TStringAlignGrid::ColWidthsChanged();
    if (FEditRow > 0)
        FEditor->setGeometry(CellRect(mcWeight, FEditRow).toQRect());
}

bool TMultiplies::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == FEditor && FEditRow > 0) {
        if (Event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(Event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
                EndWeightEdit(true);
                return true;
            }
        } else if (Event->type() == QEvent::FocusOut &&
                   static_cast<QFocusEvent *>(Event)->reason() != Qt::PopupFocusReason) {
            // The editor's own context menu is not leaving it.
            EndWeightEdit(false);
        }
    }
    return TStringAlignGrid::eventFilter(Watched, Event);
}
