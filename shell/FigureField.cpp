#include "shell/FigureField.h"

#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLayout>

#include <algorithm>

namespace {

// QLineEdit keeps its text this far from each side of its contents; past the width of the text's layout
// it wants a pixel for the cursor, and it aligns a text to the right a pixel short of its end.
constexpr int LineEditTextMargin = 2;
constexpr int CursorWidth = 1;
constexpr int RightAlignedShift = 1;

} // namespace

TFigureField::TFigureField(QWidget *Parent, Qt::Alignment Align) : QLineEdit(Parent)
{
    setReadOnly(true);
    setAlignment(Align);
    connect(this, &QLineEdit::textChanged, this, [this] { updateGeometry(); });
}

int TFigureField::WholeTextWidth() const
{
    const QMargins margins = textMargins() + contentsMargins();
    // The text measured as QLineEdit measures it.
    QTextLayout layout(QLineEdit::text(), font());
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const int textWidth = qRound(line.naturalTextWidth());
    const QSize text(textWidth + 2 * LineEditTextMargin + CursorWidth + RightAlignedShift + margins.left() +
                         margins.right(),
                     fontMetrics().height());
    QStyleOptionFrame frame;
    initStyleOption(&frame);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &frame, text, this).width();
}

QSize TFigureField::sizeHint() const
{
    QSize size = QLineEdit::sizeHint();
    size.setWidth(std::max(size.width(), WholeTextWidth()));
    return size;
}

QSize TFigureField::minimumSizeHint() const
{
    QSize size = QLineEdit::minimumSizeHint();
    size.setWidth(std::max(size.width(), WholeTextWidth()));
    return size;
}
