#pragma once
// A window's first showing: FormShow runs once, when the window is first shown and after the base
// class's own showEvent, with no exception leaving it (a failure is shown as the program's notice).
// The child windows have it through TGenForm; another window derives from TFirstShow over its own base
// (TFirstShow<QDialog>, TFirstShow<QMainWindow>).

#include "shell/FGlobalMessages.h"

#include <QShowEvent>

template <class Base>
class TFirstShow : public Base {
public:
    using Base::Base;

protected:
    // The window's first showing; nothing by default.
    virtual void FormShow() {}
    // Whether the window has been shown: true from the start of FormShow on.
    bool Shown() const { return FShown; }

    void showEvent(QShowEvent *event) override
    {
        Base::showEvent(event);
        if (FShown)
            return;
        FShown = true;
        RunGuarded([this] { FormShow(); });
    }

private:
    bool FShown = false;
};
