#include "shell/ProgramStart.h"

#include "core/Knutt.h"
#include "core/RuntimeRandom.h"
#include "platform/RegistryStore.h"
#include "shell/FGlobalMessages.h"
#include "shell/FMain.h"

#include <QApplication>

namespace {

// A settings file that could not be read was kept aside and the defaults are used: the user is told so.
void ReportRefusedSettings()
{
    if (const auto aside = platform::RegistryStore::instance().takeRefusedFile())
        MsgBox(QStringLiteral("Plik ustawień jest uszkodzony. Zapisano go jako:\n") +
                   QString::fromStdString(aside->string()) + QStringLiteral("\nProgram użyje ustawień domyślnych."),
               QString(), MsgFlagsNotice);
}

} // namespace

int RunProgram()
{
    RuntimeRandomize();
    RandomizeFromClock();
    TfrmMain frame;
    ReportRefusedSettings();
    if (frame.GamesMissing()) {
        MsgBox(QStringLiteral("Praca z programem jest niemożliwa.\nBrak zdefiniowanych gier."), QString(),
               MsgFlagsNotice);
        return 0;
    }
    frame.showMaximized();
    return QApplication::exec();
}
