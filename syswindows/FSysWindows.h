#pragma once
// The system windows by system kind, and what the program asks of them as a whole.

class TGenSysForm;

// A new empty system window of the kind, placed in the main window; nullptr for a kind without a
// window. The caller then gives it a game (SetGame) or a system (OpenSystem).
TGenSysForm *NewSysWindow(int Kind);

// The open system windows that hold a system.
int CountSystemWindows();

// Lets the main window's system selector and menu open system windows, and the draws editor the filter
// editor.
void InstallSystemWindows();
