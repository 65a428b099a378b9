#include "shell/RunButtonPress.h"

#include <QAbstractButton>
#include <QEvent>

#include <utility>

TRunButtonPress::TRunButtonPress(QAbstractButton *Button, std::function<bool()> Running)
    : QObject(Button), FRunning(std::move(Running))
{
    Button->installEventFilter(this);
    // Every click is pressed first: by the mouse, the keyboard, a mnemonic or click().
    connect(Button, &QAbstractButton::pressed, this, [this] { FPressedOnStop = FRunning(); });
}

bool TRunButtonPress::eventFilter(QObject *, QEvent *Event)
{
    return Event->type() == QEvent::MouseButtonDblClick;
}
