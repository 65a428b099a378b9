#include "output/FGlobalReport.h"
#include "platform/gui/QtDispatcher.h"
#include "shell/ProgramStart.h"
#include "statwindows/FStatWindows.h"
#include "syswindows/FSysWindows.h"

#include <QApplication>
#include <QLocale>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    platform::installDispatcher(std::make_shared<platform::QtDispatcher>());
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    InstallReports();
    InstallSystemWindows();
    InstallStatWindows();
    return RunProgram();
}
