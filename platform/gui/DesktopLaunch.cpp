#include "platform/gui/DesktopLaunch.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace platform {

bool openInBrowser(const QString &Url)
{
    return QDesktopServices::openUrl(QUrl(Url));
}

bool startCalculator()
{
    for (const char *program : {"gnome-calculator", "kcalc", "mate-calc", "galculator", "qalculate-gtk", "xcalc"})
        if (QProcess::startDetached(QString::fromLatin1(program), {}))
            return true;
    return false;
}

} // namespace platform
