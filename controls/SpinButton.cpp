#include "controls/SpinButton.h"

#include <QResizeEvent>
#include <QToolButton>

namespace {

QToolButton *makeArrowButton(QWidget *parent, Qt::ArrowType arrow)
{
    auto *button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TSpinButton::TSpinButton(QWidget *parent)
    : QWidget(parent)
    , FUpButton(makeArrowButton(this, Qt::UpArrow))
    , FDownButton(makeArrowButton(this, Qt::DownArrow))
{
    setFocusPolicy(Qt::NoFocus);
    connect(FUpButton, &QToolButton::pressed, this, &TSpinButton::focusControl);
    connect(FDownButton, &QToolButton::pressed, this, &TSpinButton::focusControl);
    connect(FUpButton, &QToolButton::clicked, this, [this] {
        if (OnUpClick)
            OnUpClick(this);
    });
    connect(FDownButton, &QToolButton::clicked, this, [this] {
        if (OnDownClick)
            OnDownClick(this);
    });
}

void TSpinButton::focusControl()
{
    if (FocusControl && !FocusControl->hasFocus())
        FocusControl->setFocus(Qt::MouseFocusReason);
}

void TSpinButton::resizeEvent(QResizeEvent *event)
{
    // The upper button takes the odd pixel.
    const int upHeight = (height() + 1) / 2;
    FUpButton->setGeometry(0, 0, width(), upHeight);
    FDownButton->setGeometry(0, upHeight, width(), height() - upHeight);
    QWidget::resizeEvent(event);
}
