#include "controls/PBEdit.h"

#include "controls/MessageBeep.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

TPBEdit::TPBEdit(QWidget *parent)
    : QLineEdit(parent)
{
    resize(100, height());
}

void TPBEdit::SetAlignment(TAlignment value)
{
    FAlignment = value;
    setAlignment(toQtAlignment(value) | Qt::AlignVCenter);
}

void TPBEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (QGuiApplication::mouseButtons() & Qt::LeftButton)
        FEnteredWithMouse = true;
    if (AutoSelect)
        selectAll();
}

void TPBEdit::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    const bool left = event->button() == Qt::LeftButton || (event->buttons() & Qt::LeftButton);
    if (left && FEnteredWithMouse) {
        FEnteredWithMouse = false;
        // The click that focused the field must not drop the selection made on entering.
        if (AutoSelect)
            selectAll();
    }
}

bool TPBEdit::clickDefaultButtons()
{
    QList<QPointer<QPushButton>> buttons;
    for (QPushButton *button : window()->findChildren<QPushButton *>())
        buttons.append(button);
    bool clicked = false;
    // A button's handler may delete other buttons of the window.
    for (const QPointer<QPushButton> &button : buttons) {
        if (!button || !button->isDefault() || !button->isEnabled())
            continue;
        button->setFocus(Qt::OtherFocusReason);
        button->click();
        clicked = true;
    }
    return clicked;
}

void TPBEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QLineEdit::keyPressEvent(event);
        FEnteredWithMouse = false;
        return;
    }
    event->accept();
    FEnteredWithMouse = false;
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    const int selLength = int(selectedText().size());
    const QPointer<TPBEdit> self(this);
    if (!clickDefaultButtons()) {
        MessageBeep(0);
        return;
    }
    if (!self)
        return;
    setFocus(Qt::OtherFocusReason);
    if (AutoSelect)
        selectAll();
    else if (selLength > 0)
        setSelection(selStart, selLength);
    else
        setCursorPosition(selStart);
}
