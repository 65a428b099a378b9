#include "shell/FGlobalMessages.h"

#include <QApplication>

static_assert(MsgFlagsNotice == 48 && MsgFlagsQuestion == 292);

int MsgBox(const QString &Text, const QString &Caption, int Flags)
{
    return platform::messageBox(QApplication::activeWindow(), Text, Caption.isEmpty() ? ApplicationTitle : Caption,
                                Flags);
}

void ShowWriteFailure(const std::string &FileName)
{
    MsgBox(QStringLiteral("Nie można zapisać pliku.\n") + QString::fromStdString(FileName), QString(), MsgFlagsNotice);
}
