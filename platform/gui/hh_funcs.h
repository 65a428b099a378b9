#pragma once
// The program's help requests: THookHelpSystem takes the application's help requests and turns each
// help context into a page of the help viewer (hh.h); the diagnostic log "HHDebug.txt" records every
// help call when the program runs with "/debug" or "-debug", or a file "debug.debug" lies in its folder.

#include "platform/gui/D6OnHelpFix.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace platform {

// Who shows the help: the help window, or the Windows programs KeyHH.EXE and HH.EXE, which do not
// exist here.
enum class THelpHost : uint8_t { HtmlHelp = 0, KeyHH = 1, HH = 2 };

// Error codes of ShowContext.
enum HHError : int { HH_OK = 0, HH_NOT_INSTALLED = 1, HH_NO_KEYHH = 2, HH_NO_HH = 3 };

// The help folder's map: the name the help requests carry.
inline const QString HelpMapFile = QStringLiteral("Help/contexts.txt");

// At start-up, after LoadHtmlHelp: deletes a log left from an earlier run and, with the diagnostic flag
// (from the command-line Parameters or "debug.debug"), writes the opening report.
void InitHelpLog(const QStringList &Parameters);
// The log file: in the program folder when a file can be created there, else in the temporary folder.
QString HelpLogFile();

class THookHelpSystem {
public:
    THookHelpSystem(const QString &ChmFile, const QString &WinDef, THelpHost HostType);
    // Closes the help window and gives the application its previous help handler back.
    ~THookHelpSystem();
    THookHelpSystem(const THookHelpSystem &) = delete;
    THookHelpSystem &operator=(const THookHelpSystem &) = delete;

    // Contexts 1 and 8 show context Data, 13 keeps the popup position packed in Data; every other
    // command is left to the standard handling (CallHelp). Answers true.
    bool HelpHook(uint16_t Command, intptr_t Data, bool &CallHelp);
    // Shows the context and reports a failure; answers the error code.
    int HelpContext(int ContextId);

    QPoint PopupPos() const { return FPopupPos; }

private:
    THelpEvent FPreviousHandler;
    QString FChmFile;
    QString FWinDef;
    THelpHost FHostType;
    QPoint FPopupPos;
};

// The help path (the file, then ">" and the window definition when one is given) shown by ShowContext.
int HHHelpContext(const QString &ChmFile, int ContextId, const QString &WinDef, THelpHost HostType);
// HH_NOT_INSTALLED without the help; HH_NO_KEYHH and HH_NO_HH for the Windows programs; else shows the
// context's page and raises the help window.
int ShowContext(const QString &Path, int ContextId, THelpHost HostType);
// Nothing for HH_OK; else the error's message (flags 48).
void HHShowError(int Code);

} // namespace platform
