#pragma once
// Two arrow buttons stacked in one small control; held down, each repeats its click.

#include "controls/Component.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QToolButton;

class TSpinButton : public QWidget, public LoadedComponent {
    Q_OBJECT
public:
    explicit TSpinButton(QWidget *parent = nullptr);

    // The control that takes the focus when either button is pressed.
    QPointer<QWidget> FocusControl;

    std::function<void(QObject *Sender)> OnUpClick;
    std::function<void(QObject *Sender)> OnDownClick;

    QToolButton *upButton() const { return FUpButton; }
    QToolButton *downButton() const { return FDownButton; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void focusControl();

    QToolButton *FUpButton;
    QToolButton *FDownButton;
};
