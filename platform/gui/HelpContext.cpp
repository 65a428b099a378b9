#include "platform/gui/HelpContext.h"

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

} // namespace platform
