#pragma once
// The opening of statistics windows from the main window's statistics menu and selector and from a
// system window's statistics command, through the installed openers (WindowOpeners).

class TGenForm;

// Opens the window of statistic StatIndex: over the current game's draws when Parent is null, else
// over the system of the system window Parent, as its dependent window. Nothing happens before an opener
// is installed.
void OpenStatWindow(int StatIndex, TGenForm *Parent = nullptr);

// The reduction prediction of the tools menu, opened on the current game.
void OpenPredReduct();
