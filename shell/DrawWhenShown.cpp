#include "shell/DrawWhenShown.h"

#include "shell/FGlobalMessages.h"

#include <QEvent>
#include <QWidget>

#include <utility>

TDrawWhenShown::TDrawWhenShown(QWidget *View, std::function<void()> Draw)
    : QObject(View), FView(View), FDraw(std::move(Draw))
{
    FView->installEventFilter(this);
}

void TDrawWhenShown::Request()
{
    if (FView->isVisible())
        DrawNow();
    else
        FPending = true;
}

bool TDrawWhenShown::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == FView && Event->type() == QEvent::Show && FPending)
        DrawNow();
    return QObject::eventFilter(Watched, Event);
}

void TDrawWhenShown::DrawNow()
{
    FPending = false;
    RunGuarded(FDraw);
}
