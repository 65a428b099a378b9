#pragma once
// The statistics windows by statistic index, and their opening from the main window and from system
// windows.

class QWidget;
class TGenStatForm;
struct TWindowOpeners;

// A new window of the statistic; nullptr for an index whose window is not built.
TGenStatForm *NewStatWindow(int StatIndex);

// The window of this statistic opened last from the main window; nullptr once it has closed.
TGenStatForm *StatWindow(int StatIndex);

// Fills the openers by which the main window's statistics menu and selector, and the system windows'
// statistics command, open statistics windows, and the tools menu the reduction prediction.
void InstallStatWindows(TWindowOpeners &Openers);
