#pragma once
// The last guard of the program: an exception that a window's own guard missed is stopped where Qt
// delivers the event that raised it, shown as the program's notice, and the program goes on. What ends
// the program all the same (an exception where none may pass) is reported before the end.

#include <QApplication>

class TGuardedApplication : public QApplication {
public:
    TGuardedApplication(int &argc, char **argv);

    bool notify(QObject *Receiver, QEvent *Event) override;
};

// Makes the end of the program through std::terminate write what ended it to the standard error.
void InstallTerminateReport();
