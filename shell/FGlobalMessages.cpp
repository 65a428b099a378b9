#include "shell/FGlobalMessages.h"

#include <QApplication>

#include <exception>

static_assert(MsgFlagsNotice == 48 && MsgFlagsQuestion == 292 && MsgFlagsSaveQuestion == 35);

int MsgBox(const QString &Text, const QString &Caption, int Flags)
{
    return platform::messageBox(QApplication::activeWindow(), Text, Caption.isEmpty() ? ApplicationTitle : Caption,
                                Flags);
}

namespace {

// Text, then the path on a second line, as a notice.
void ShowPathNotice(const QString &Text, const std::string &Path)
{
    MsgBox(Text + QLatin1Char('\n') + QString::fromStdString(Path), QString(), MsgFlagsNotice);
}

} // namespace

void ShowWriteFailure(const std::string &FileName)
{
    ShowPathNotice(QStringLiteral("Nie można zapisać pliku."), FileName);
}

void ShowReadFailure(const std::string &FileName)
{
    ShowPathNotice(QStringLiteral("Nie można odczytać pliku."), FileName);
}

void ShowDeleteFailure(const std::vector<std::string> &FileNames)
{
    std::string paths;
    for (const std::string &name : FileNames)
        paths += (paths.empty() ? "" : "\n") + name;
    ShowPathNotice(FileNames.size() == 1 ? QStringLiteral("Nie można usunąć pliku.") : QStringLiteral("Nie można usunąć plików."),
                   paths);
}

void ShowReportWriteFailure(const std::string &Path)
{
    ShowPathNotice(QStringLiteral("Nie można zapisać raportu."), Path);
}

void ShowReportOpenFailure(const std::string &Path)
{
    ShowPathNotice(QStringLiteral("Nie można otworzyć raportu."), Path);
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
