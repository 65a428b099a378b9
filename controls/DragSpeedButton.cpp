#include "controls/DragSpeedButton.h"

#include <QMouseEvent>

TDragSpeedButton::TDragSpeedButton(QWidget *parent) : QToolButton(parent)
{
    setCheckable(true);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
}

void TDragSpeedButton::BeginDrag()
{
    FDragging = true;
    setCursor(Qt::ForbiddenCursor);
}

void TDragSpeedButton::mousePressEvent(QMouseEvent *event)
{
    if (OnMouseDown)
        OnMouseDown(this, event->button());
    if (event->button() == Qt::LeftButton && !FDragging)
        QToolButton::mousePressEvent(event);
    else
        event->accept();
}

void TDragSpeedButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!FDragging) {
        QToolButton::mouseMoveEvent(event);
        return;
    }
    setCursor(DropTargetAt(event->position().toPoint()) ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    event->accept();
}

void TDragSpeedButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!FDragging) {
        QToolButton::mouseReleaseEvent(event);
        return;
    }
    TDragSpeedButton *target = DropTargetAt(event->position().toPoint());
    EndDrag();
    event->accept();
    if (target && target->OnDragDrop)
        target->OnDragDrop(target, this);
}

TDragSpeedButton *TDragSpeedButton::DropTargetAt(const QPoint &Pos)
{
    QWidget *area = parentWidget() ? parentWidget() : this;
    auto *target = qobject_cast<TDragSpeedButton *>(area->childAt(mapTo(area, Pos)));
    if (!target || target == this || !target->OnDragOver)
        return nullptr;
    bool accept = true;
    target->OnDragOver(target, this, accept);
    return accept ? target : nullptr;
}

void TDragSpeedButton::EndDrag()
{
    FDragging = false;
    unsetCursor();
}
