#include "shell/FGlobalMessages.h"

#include <QApplication>

static_assert(MsgFlagsNotice == 48 && MsgFlagsQuestion == 292);

int MsgBox(const QString &Text, const QString &Caption, int Flags)
{
    return platform::messageBox(QApplication::activeWindow(), Text, Caption.isEmpty() ? ApplicationTitle : Caption,
                                Flags);
}
