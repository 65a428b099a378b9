#include "platform/gui/HelpContext.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>

namespace platform {
namespace {

constexpr const char *HelpContextProperty = "korvantileHelpContext";

} // namespace

void setHelpContext(QWidget *Widget, int Context)
{
    Widget->setProperty(HelpContextProperty, Context);
}

int helpContextOf(const QWidget *Widget)
{
    for (; Widget; Widget = Widget->parentWidget())
        if (const int context = Widget->property(HelpContextProperty).toInt(); context != 0)
            return context;
    return 0;
}

int focusedHelpContext(const QWidget *Window)
{
    const QWidget *focus = QApplication::focusWidget();
    return helpContextOf(focus && Window->isAncestorOf(focus) ? focus : Window);
}

} // namespace platform
