#include "platform/gui/TitleBarClicks.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>

namespace platform {
namespace {

class TTitlePressFilter : public QObject {
public:
    explicit TTitlePressFilter(QMdiSubWindow &Window) : QObject(&Window) { Window.installEventFilter(this); }

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        if (Event->type() != QEvent::MouseButtonPress)
            return false;
        const auto *press = static_cast<const QMouseEvent *>(Event);
        if (press->button() != Qt::LeftButton)
            return false;
        for (int i = 0; i < 2; ++i) {
            QMouseEvent move(QEvent::MouseMove, press->position(), press->scenePosition(), press->globalPosition(),
                             Qt::NoButton, Qt::NoButton, press->modifiers(), press->pointingDevice());
            QCoreApplication::sendEvent(Watched, &move);
        }
        return false;
    }
};

} // namespace

void keepTitleButtonsClickable(QMdiSubWindow &Window)
{
    new TTitlePressFilter(Window);
}

} // namespace platform
