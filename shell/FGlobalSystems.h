#pragma once
// The system kinds as the shell knows them: their short captions, a system's one-line description in a
// viewer, and the opening of a system window from the main window's selector and menu.

#include "shell/WindowOpeners.h"

#include <QString>

class TRichView;
class TSystem;

// Empty for kind 10 and for the kinds that are not assigned (8, 9, above 10).
QString SystemKindName(int Kind);

// Clears the viewer and shows the system's description (style 6), then formats it.
void ShowSystemDescription(const TSystem &System, TRichView *View);

// Opens the window of the system selector's item Index empty on the current game; nothing happens for
// another index, without a current game or before an opener is installed (WindowOpeners).
void OpenSystemWindow(int Index);

// The saved-systems window, the play-history browser, the combination check (only with a current game)
// and the logical operations; nothing happens before their openers are installed.
void OpenReadWindow();
void OpenHistoryWindow();
void OpenCheckComb();
void OpenLogicalOps();

// The import of a user system; nothing happens before its opener is installed or without a current game.
void ImportSystem(TSystemImport From);
