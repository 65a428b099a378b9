#include "shell/DeferredDraw.h"

#include "shell/FGlobalMessages.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <utility>

TDeferredDraw::TDeferredDraw(QWidget *View, std::function<void()> Draw)
    : QObject(View), FView(View), FDraw(std::move(Draw))
{
    FView->installEventFilter(this);
}

void TDeferredDraw::Request()
{
    if (FView->isVisible()) {
        DrawNow();
        return;
    }
    if (FPending)
        return;
    FPending = true;
    QTimer::singleShot(0, this, [this] {
        if (FPending)
            DrawNow();
    });
}

bool TDeferredDraw::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == FView && Event->type() == QEvent::Show && FPending)
        DrawNow();
    return QObject::eventFilter(Watched, Event);
}

void TDeferredDraw::DrawNow()
{
    FPending = false;
    RunGuarded(FDraw);
}
