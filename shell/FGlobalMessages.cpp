#include "shell/FGlobalMessages.h"

#include <QApplication>

#include <exception>

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

void ShowReportWriteFailure(const std::string &Path)
{
    MsgBox(QStringLiteral("Nie można zapisać raportu.\n") + QString::fromStdString(Path), QString(), MsgFlagsNotice);
}

void ShowReportOpenFailure(const std::string &Path)
{
    MsgBox(QStringLiteral("Nie można otworzyć raportu.\n") + QString::fromStdString(Path), QString(), MsgFlagsNotice);
}

void ShowCurrentFailure()
{
    try {
        throw;
    } catch (const std::exception &error) {
        MsgBox(QString::fromUtf8(error.what()), QString(), MsgFlagsNotice);
    } catch (...) {
        qWarning("unknown exception");
    }
}
