#pragma once
// The draws update, which the main window's update command and the draws editor start. Its windows are
// built in the output layer, which installs here how it runs.

#include <functional>

class QWidget;

using TDrawsUpdateOpener = std::function<void(QWidget *Owner)>;
void SetDrawsUpdateOpener(TDrawsUpdateOpener Opener);

// Nothing happens before an opener is installed.
void OpenDrawsUpdate(QWidget *Owner);
