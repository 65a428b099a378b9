#pragma once
// A window's first showing: FormShow runs once, when the window is first shown and after the base
// class's own showEvent, with no exception leaving it (a failure is shown as the program's notice).
// The child windows have it through TGenForm; another window derives from TFirstShow over its own base
// (TFirstShow<QDialog>, TFirstShow<QMainWindow>). A dialog that FormShow filled appears at the size its
// content then needs, centred over its owner at that size.

#include "platform/gui/WindowFit.h"
#include "shell/FGlobalMessages.h"

#include <QDialog>
#include <QShowEvent>

#include <type_traits>

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
        if constexpr (std::is_base_of_v<QDialog, Base>) {
            // Qt has centred the dialog (unless its caller placed it) at the size it had before FormShow.
            const bool placed = this->testAttribute(Qt::WA_Moved);
            const QSize size = this->size();
            RunGuarded([this] { FormShow(); });
            platform::refitNow(*this);
            if (!placed && this->size() != size) {
                this->adjustPosition(this->parentWidget());
                this->setAttribute(Qt::WA_Moved, false);
            }
        } else {
            RunGuarded([this] { FormShow(); });
        }
    }

private:
    bool FShown = false;
};
