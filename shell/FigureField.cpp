#include "shell/FigureField.h"

#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

// QLineEdit keeps its text this far from each side of its contents, and a pixel for the cursor past it.
constexpr int LineEditTextMargin = 2;
constexpr int CursorWidth = 1;

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
    const QSize text(fontMetrics().horizontalAdvance(QLineEdit::text()) + 2 * LineEditTextMargin + CursorWidth +
                         margins.left() + margins.right(),
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
