#include "platform/gui/DesktopLaunch.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include <utility>

namespace platform {
namespace {

OpenDocumentHook g_openDocumentHook;

} // namespace

bool openDocument(const QString &FileName)
{
    if (g_openDocumentHook)
        return g_openDocumentHook(FileName);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(FileName));
}

void setOpenDocumentHook(OpenDocumentHook Hook)
{
    g_openDocumentHook = std::move(Hook);
}

bool startCalculator()
{
    for (const char *program : {"gnome-calculator", "kcalc", "mate-calc", "galculator", "qalculate-gtk", "xcalc"})
        if (QProcess::startDetached(QString::fromLatin1(program), {}))
            return true;
    return false;
}

} // namespace platform
