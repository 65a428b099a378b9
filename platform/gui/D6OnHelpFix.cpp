#include "platform/gui/D6OnHelpFix.h"

#include "platform/gui/HelpContext.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace platform {
namespace {

THelpEvent &ApplicationHelpHandler()
{
    static THelpEvent handler;
    return handler;
}

class TD6OnHelpFix : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        if (Event->type() != QEvent::KeyPress || !Watched->isWidgetType())
            return false;
        const auto *key = static_cast<QKeyEvent *>(Event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
            return false;
        const int context = helpContextOf(static_cast<QWidget *>(Watched));
        const THelpEvent handler = ApplicationHelpHandler();
        if (context == 0 || !handler)
            return false;
        bool callHelp = false;
        const QPoint cursor = QCursor::pos();
        handler(HELP_SETPOPUP_POS, MakePopupPos(cursor.x(), cursor.y()), callHelp);
        handler(HELP_CONTEXT, context, callHelp);
        return true;
    }
};

} // namespace

THelpEvent SetApplicationHelpHandler(THelpEvent Handler)
{
    static TD6OnHelpFix *listener = nullptr;
    if (!listener) {
        listener = new TD6OnHelpFix(qApp);
        qApp->installEventFilter(listener);
    }
    return std::exchange(ApplicationHelpHandler(), std::move(Handler));
}

} // namespace platform
