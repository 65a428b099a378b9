#pragma once
// A button that starts a run and reads "Stop" while the run goes. A click does what the button read when
// it was pressed: one pressed while the run went is a Stop, also when the run ends before the release,
// and never starts a run. The second press of a double click makes no click.

#include <QObject>

#include <functional>

class QAbstractButton;

class TRunButtonPress : public QObject {
public:
    // Lives as Button's child; Running tells whether the run goes.
    TRunButtonPress(QAbstractButton *Button, std::function<bool()> Running);

    // Within the button's click: whether it was pressed while the run went.
    bool PressedOnStop() const { return FPressedOnStop; }

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    std::function<bool()> FRunning;
    bool FPressedOnStop = false;
};
