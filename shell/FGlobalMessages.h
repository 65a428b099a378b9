#pragma once
// The message box every window uses, and the application's title that captions it by default.

#include "platform/gui/MessageBox.h"

#include <QString>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// The caption of a message box shown without one.
inline const QString ApplicationTitle = QStringLiteral("Korvantile");

// Flags 48 (exclamation, OK) for errors and notices, 292 (question, Yes and No, No the default) for
// questions; answers the button pressed (IDNO = 7, IDCANCEL = 2). An empty Caption gives ApplicationTitle.
int MsgBox(const QString &Text, const QString &Caption, int Flags);

constexpr int MsgFlagsNotice = platform::MB_ICONEXCLAMATION | platform::MB_OK;                        // 48
constexpr int MsgFlagsInformation = platform::MB_ICONINFORMATION | platform::MB_OK;                    // 64
constexpr int MsgFlagsQuestion = platform::MB_ICONQUESTION | platform::MB_YESNO | platform::MB_DEFBUTTON2; // 292
// 35, Yes the default: whether to save unsaved work before it goes (Yes saves, No drops it, Cancel or
// Esc keeps it and stops what would drop it).
constexpr int MsgFlagsSaveQuestion = platform::MB_ICONQUESTION | platform::MB_YESNOCANCEL;

// "Nie można zapisać pliku." with the file's path on a second line (flags 48): every window's message
// for a file it cannot write.
void ShowWriteFailure(const std::string &FileName);
// "Nie można odczytać pliku." with the file's path on a second line (flags 48): a chosen file that turns
// out damaged.
void ShowReadFailure(const std::string &FileName);
// "Nie można usunąć pliku." ("plików." for more than one) with each file's path on a line of its own
// (flags 48): files the user chose to delete that stay.
void ShowDeleteFailure(const std::vector<std::string> &FileNames);

// The report's messages (flags 48), each with the path on a second line: "Nie można zapisać raportu."
// for a workbook or folder that cannot be written, "Nie można otworzyć raportu." for a written workbook
// that the desktop did not open.
void ShowReportWriteFailure(const std::string &Path);
void ShowReportOpenFailure(const std::string &Path);

// Shows the exception being handled as a notice (its text, flags 48); called inside a catch block. An
// exception that carries no text is only logged.
void ShowCurrentFailure();

// Runs a command or handler so that no exception leaves it: a failure is shown as a notice.
template <typename Work>
void RunGuarded(Work &&Run)
{
    try {
        std::forward<Work>(Run)();
    } catch (...) {
        ShowCurrentFailure();
    }
}
