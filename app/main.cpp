#include "output/FGlobalReport.h"
#include "output/UpdateDraws.h"
#include "platform/gui/QtDispatcher.h"
#include "platform/gui/QtTranslations.h"
#include "shell/GuardedApplication.h"
#include "shell/ProgramStart.h"
#include "shell/WindowOpeners.h"
#include "statwindows/FStatWindows.h"
#include "syswindows/FSysWindows.h"

#include <QLocale>

#include <memory>
#include <utility>

int main(int argc, char *argv[])
{
    InstallTerminateReport();
    TGuardedApplication app(argc, argv);
    platform::installDispatcher(std::make_shared<platform::QtDispatcher>());
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    platform::installQtTranslations(app);
    TWindowOpeners openers;
    InstallReports(openers);
    InstallSystemWindows(openers);
    InstallStatWindows(openers);
    openers.DrawsUpdate = UpdateDrawsFromInternet;
    InstallWindowOpeners(std::move(openers));
    return RunProgram();
}
