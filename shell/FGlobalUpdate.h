#pragma once
// The draws update, which the main window's update command and the draws editor start. Its windows are
// built in the output layer; it runs through the installed openers (WindowOpeners).

class QWidget;

// Nothing happens before an opener is installed.
void OpenDrawsUpdate(QWidget *Owner);
