#include "controls/NewInplaceEdit.h"

#include "controls/StringAlignGrid.h"

#include <QKeyEvent>

TNewInplaceEdit::TNewInplaceEdit(TStringAlignGrid *grid) : TInplaceEdit(grid)
{
    setTextAlignment(Qt::AlignLeft);
}

TStringAlignGrid *TNewInplaceEdit::alignGrid() const
{
    return static_cast<TStringAlignGrid *>(Grid());
}

void TNewInplaceEdit::setAlignment(TMyAlign value)
{
    if (value == FAlignment)
        return;
    FAlignment = value;
    const int start = SelStart();
    const int length = SelLength();
    switch (value) {
    case alRight:
        setTextAlignment(Qt::AlignRight);
        break;
    case alCenter:
    case alCenterCenter:
        setTextAlignment(Qt::AlignHCenter);
        break;
    default:
        setTextAlignment(Qt::AlignLeft);
        break;
    }
    setSelection(start, length);
}

void TNewInplaceEdit::setCellLook(const TMyFont &font, const TMyBrush &brush)
{
    setFont(toQFont(font));
    QPalette look = palette();
    look.setColor(QPalette::Text, toQColor(font.Color));
    look.setColor(QPalette::Base, toQColor(brush.Color));
    setPalette(look);
}

void TNewInplaceEdit::UpdateContents()
{
    TInplaceEdit::UpdateContents();
    if (!alignGrid()->SelectEditText())
        Deselect();
}

bool TNewInplaceEdit::keepsNavigationKey(const QKeyEvent *event) const
{
    if (!Multiline)
        return false;
    switch (event->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

void TNewInplaceEdit::keyPressEvent(QKeyEvent *event)
{
    if (Col < 0 || Row < 0) {
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (Multiline) {
            QPlainTextEdit::keyPressEvent(event);
            return;
        }
        {
            const int col = Col;
            const int row = Row;
            alignGrid()->post([grid = alignGrid(), col, row] { grid->EditConfirmed(col, row); });
        }
        break;
    case Qt::Key_Escape:
        if (!Multiline) {
            setText(SavedText);
            const int col = Col;
            const int row = Row;
            alignGrid()->post([grid = alignGrid(), col, row] { grid->EditCancelled(col, row); });
        }
        break;
    default:
        break;
    }
    TInplaceEdit::keyPressEvent(event);
}
