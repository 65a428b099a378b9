#include "output/FGlobalReport.h"
#include "output/UpdateDraws.h"
#include "platform/gui/QtDispatcher.h"
#include "platform/gui/QtTranslations.h"
#include "shell/FGlobalUpdate.h"
#include "shell/GuardedApplication.h"
#include "shell/ProgramStart.h"
#include "statwindows/FStatWindows.h"
#include "syswindows/FSysWindows.h"

#include <QLocale>

#include <memory>

int main(int argc, char *argv[])
{
    InstallTerminateReport();
    TGuardedApplication app(argc, argv);
    platform::installDispatcher(std::make_shared<platform::QtDispatcher>());
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    platform::installQtTranslations(app);
    InstallReports();
    InstallSystemWindows();
    InstallStatWindows();
    SetDrawsUpdateOpener(UpdateDrawsFromInternet);
    return RunProgram();
}
