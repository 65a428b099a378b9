#pragma once
// The system windows by system kind, and what the program asks of them as a whole.

#include <string>

class TGenSysForm;
struct TGameData;
struct TWindowOpeners;

// A new empty system window of the kind, placed in the main window; nullptr for a kind without a
// window. The caller then gives it a game (SetGame) or a system (OpenSystem).
TGenSysForm *NewSysWindow(int Kind);

// Reads a system file of the kind for Game and opens it in a new window of that kind; false (nothing
// opened) when the kind has no window or the file does not read as such a system.
bool OpenSystemFile(TGameData *Game, int Kind, const std::string &FileName);

// The open system windows that hold a system.
int CountSystemWindows();

// Fills the openers by which the main window's system selector and menu open system windows, its import
// commands user systems, its read command, history item and logical operations their windows, and the
// draws editor the filter editor.
void InstallSystemWindows(TWindowOpeners &Openers);
