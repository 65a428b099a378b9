#include "platform/gui/hh_funcs.h"

#include "platform/ProgramDir.h"
#include "platform/gui/HelpWindow.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/hh.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSysInfo>

#include <utility>

namespace platform {
namespace {

const QString LogName = QStringLiteral("HHDebug.txt");
const QString RuleLine = QString(60, QLatin1Char('='));
const QString GroupLine = QString(60, QLatin1Char('-'));

struct THelpLog {
    bool Debug = false;
    QString File;
};

THelpLog &Log()
{
    static THelpLog log;
    return log;
}

QString ProgramFolder()
{
    return QString::fromStdString(programDir());
}

// The program folder when a file can be created there, else the temporary folder.
QString LogFolder()
{
    QFile probe(QDir(ProgramFolder()).filePath(QStringLiteral("$_Temp_$.$$$")));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        return ProgramFolder();
    }
    return QDir::tempPath();
}

bool DebugRequested(const QStringList &Parameters)
{
    for (const QString &parameter : Parameters)
        if (parameter.compare(QStringLiteral("/debug"), Qt::CaseInsensitive) == 0 ||
            parameter.compare(QStringLiteral("-debug"), Qt::CaseInsensitive) == 0)
            return true;
    return QFile::exists(QDir(ProgramFolder()).filePath(QStringLiteral("debug.debug")));
}

void WriteLog(const QStringList &Lines)
{
    if (!Log().Debug)
        return;
    QFile file(Log().File);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    for (const QString &line : Lines)
        file.write((line + QLatin1Char('\n')).toUtf8());
}

// One line: the routine's name and its arguments in parentheses.
void LogCall(const QString &Name, const QStringList &Arguments)
{
    WriteLog({Name + QLatin1Char('(') + Arguments.join(QStringLiteral(", ")) + QLatin1Char(')')});
}

QString Quoted(const QString &Text)
{
    return QLatin1Char('"') + Text + QLatin1Char('"');
}

QString HostNumber(THelpHost HostType)
{
    return QString::number(int(HostType));
}

void WriteOpeningReport(const QStringList &Parameters)
{
    const QLocale locale;
    WriteLog({
        RuleLine,
        QStringLiteral("Program file: ") + QCoreApplication::applicationFilePath(),
        QStringLiteral("Date: ") + QDateTime::currentDateTime().toString(Qt::ISODate),
        GroupLine,
        QStringLiteral("System: ") + QSysInfo::prettyProductName() + QStringLiteral(", ") + QSysInfo::kernelType() +
            QLatin1Char(' ') + QSysInfo::kernelVersion(),
        QStringLiteral("Locale: ") + locale.name() + QStringLiteral(" (system ") + QLocale::system().name() +
            QLatin1Char(')'),
        QStringLiteral("Decimal separator: ") + locale.decimalPoint(),
        GroupLine,
        QStringLiteral("Program path: ") + ProgramFolder(),
        QStringLiteral("Parameters: ") + Parameters.join(QLatin1Char(' ')),
        QStringLiteral("Run folder: ") + QDir::currentPath(),
        GroupLine,
        QStringLiteral("Help folder: ") + QString::fromStdString(HtmlHelpFolder()),
        QStringLiteral("Help installed: ") + (HtmlHelpInstalled() ? QStringLiteral("YES") : QStringLiteral("NO")),
        RuleLine,
    });
}

} // namespace

void InitHelpLog(const QStringList &Parameters)
{
    THelpLog &log = Log();
    log.File = QDir(LogFolder()).filePath(LogName);
    QFile::remove(log.File);
    log.Debug = DebugRequested(Parameters);
    WriteOpeningReport(Parameters);
}

QString HelpLogFile()
{
    return Log().File;
}

THookHelpSystem::THookHelpSystem(const QString &ChmFile, const QString &WinDef, THelpHost HostType)
    : FChmFile(ChmFile), FWinDef(WinDef), FHostType(HostType)
{
    LogCall(QStringLiteral("THookHelpSystem.Create"), {Quoted(ChmFile), Quoted(WinDef), HostNumber(HostType)});
    FPreviousHandler = SetApplicationHelpHandler(
        [this](uint16_t Command, intptr_t Data, bool &CallHelp) { return HelpHook(Command, Data, CallHelp); });
}

THookHelpSystem::~THookHelpSystem()
{
    if (FHostType == THelpHost::HtmlHelp)
        HtmlHelpCloseAll();
    SetApplicationHelpHandler(std::move(FPreviousHandler));
}

bool THookHelpSystem::HelpHook(uint16_t Command, intptr_t Data, bool &CallHelp)
{
    LogCall(QStringLiteral("THookHelpSystem.HelpHook"), {QString::number(Command), QString::number(Data)});
    CallHelp = false;
    switch (Command) {
    case HELP_CONTEXT:
    case HELP_CONTEXTPOPUP:
        HelpContext(int(Data));
        break;
    case HELP_SETPOPUP_POS:
        FPopupPos = QPoint(int16_t(Data & 0xFFFF), int16_t(Data >> 16 & 0xFFFF));
        break;
    default:
        CallHelp = true;
    }
    return true;
}

int THookHelpSystem::HelpContext(int ContextId)
{
    const int result = HHHelpContext(FChmFile, ContextId, FWinDef, FHostType);
    HHShowError(result);
    return result;
}

int HHHelpContext(const QString &ChmFile, int ContextId, const QString &WinDef, THelpHost HostType)
{
    LogCall(QStringLiteral("HHHelpContext"),
            {Quoted(ChmFile), QString::number(ContextId), Quoted(WinDef), HostNumber(HostType)});
    const QString path = WinDef.isEmpty() ? ChmFile : ChmFile + QLatin1Char('>') + WinDef;
    return ShowContext(path, ContextId, HostType);
}

int ShowContext(const QString &Path, int ContextId, THelpHost HostType)
{
    LogCall(QStringLiteral("ShowContext"), {Quoted(Path), QString::number(ContextId), HostNumber(HostType)});
    if (!HtmlHelpInstalled())
        return HH_NOT_INSTALLED;
    switch (HostType) {
    case THelpHost::KeyHH:
        return HH_NO_KEYHH;
    case THelpHost::HH:
        return HH_NO_HH;
    case THelpHost::HtmlHelp:
        break;
    }
    HtmlHelpShowContext(ContextId);
    return HH_OK;
}

void HHShowError(int Code)
{
    QString text;
    switch (Code) {
    case HH_OK:
        break;
    case HH_NOT_INSTALLED:
        text = QStringLiteral("Pomoc programu nie jest zainstalowana.");
        break;
    case HH_NO_KEYHH:
        text = QStringLiteral("System file KeyHH.EXE was not found in the Windows folder.");
        break;
    case HH_NO_HH:
        text = QStringLiteral("System file HH.EXE was not found in the Windows folder.");
        break;
    default:
        text = QStringLiteral("Unknown error returned by HHHelpContext");
    }
    LogCall(QStringLiteral("HHShowError"), text.isEmpty() ? QStringList{QString::number(Code)}
                                                          : QStringList{QString::number(Code), Quoted(text)});
    if (!text.isEmpty())
        messageBox(QApplication::activeWindow(), text, HelpCaption, MB_ICONEXCLAMATION | MB_OK);
}

} // namespace platform
