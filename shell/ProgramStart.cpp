#include "shell/ProgramStart.h"

#include "core/Knutt.h"
#include "core/RuntimeRandom.h"
#include "shell/FGlobalMessages.h"
#include "shell/FMain.h"

#include <QApplication>

int RunProgram()
{
    RuntimeRandomize();
    RandomizeFromClock();
    TfrmMain frame;
    if (frame.GamesMissing()) {
        MsgBox(QStringLiteral("Praca z programem jest niemożliwa.\nBrak zdefiniowanych gier."), QString(),
               MsgFlagsNotice);
        return 0;
    }
    frame.showMaximized();
    return QApplication::exec();
}
