#pragma once
// The opening of statistics windows from the main window's statistics menu and selector and from a
// system window's statistics command. The windows are built in a layer above the system windows, which
// installs here how they open.

#include <functional>

class TGenForm;

// Opens the window of statistic StatIndex: over the current game's draws when Parent is null, else
// over the system of the system window Parent, as its dependent window.
using TStatWindowOpener = std::function<void(int StatIndex, TGenForm *Parent)>;
void SetStatWindowOpener(TStatWindowOpener Opener);

// Nothing happens before an opener is installed.
void OpenStatWindow(int StatIndex, TGenForm *Parent = nullptr);

// The reduction prediction of the tools menu, opened on the current game; installed the same way.
using TPredReductOpener = std::function<void()>;
void SetPredReductOpener(TPredReductOpener Opener);
void OpenPredReduct();
