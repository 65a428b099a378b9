#pragma once
// The application's help handler and the help requests that reach it: F1 pressed in a window whose
// shortcuts do not take it (a modal dialog) asks for the help context of the focused control
// (HelpContext.h), after setting the popup position to the cursor.

#include <cstdint>
#include <functional>

namespace platform {

// The help commands.
constexpr uint16_t HELP_CONTEXT = 1;
constexpr uint16_t HELP_CONTEXTPOPUP = 8;
constexpr uint16_t HELP_SETPOPUP_POS = 13;

// A position packed as the help commands carry it: x in the low 16 bits, y in the next 16.
constexpr intptr_t MakePopupPos(int X, int Y)
{
    return intptr_t(uint16_t(X)) | intptr_t(uint16_t(Y)) << 16;
}

// Answers True when it took the request; sets CallHelp when the standard handling is to go on.
using THelpEvent = std::function<bool(uint16_t Command, intptr_t Data, bool &CallHelp)>;

// Installs the application's help handler and answers the previous one. The first call starts
// listening for F1.
THelpEvent SetApplicationHelpHandler(THelpEvent Handler);

} // namespace platform
