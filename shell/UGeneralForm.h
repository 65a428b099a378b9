#pragma once
// The base of the child windows that open dependent windows of their own and must know about them: the
// list of dependents with a state byte each, their closing, and the dependent's detaching from its parent.

#include "core/UGeneralList.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>

class TGenForm;

struct TChildWindowRec {
    TGenForm *Form = nullptr;
    uint8_t State = 0; // the parent's own meaning (say, whether a guarantee window still computes)
};

// ChildKind of a dependent window.
enum TChildKind : int {
    cwNone = 0,
    cwCheckSystem = 1,
    cwGuarantee = 2,
    cwStat = 3,
};

class TGenForm : public QWidget {
    Q_OBJECT

public:
    explicit TGenForm(QWidget *Owner = nullptr);

    bool Closing = false; // true only while CloseChildWindows runs
    TGeneralList<TChildWindowRec> ChildWindows; // unsorted, owning its records
    int ChildKind = cwNone;
    int WindowNo = 0;
    QPointer<TGenForm> ParentWindow; // the window that opened this one; null when opened from the frame

    // A dependent window has closed and left the list.
    virtual void ChildClosed(TGenForm *Child);
    // A dependent window's state byte has changed.
    virtual void ChildChanged(TGenForm *Child);
    // Called on a dependent window just before its parent closes it.
    virtual void ParentClosing();

    void AddChildWindow(TGenForm *Child, uint8_t State);
    // Called on a closing dependent window with itself: leaves the parent's list and tells the parent,
    // unless the parent is closing its dependents itself.
    void DetachFromParent(TGenForm *Child);
    void SetChildState(TGenForm *Child, uint8_t State);
    // Closes the dependents of Kind (every one for 0), the last added first.
    void CloseChildWindows(int Kind);
    int CountChildWindows(int Kind, uint8_t State) const;

    // Closes the window: the MDI sub-window that holds the form, or the form itself when it has none.
    bool Close();

protected:
    // A close that went through (no handler refused it) detaches the window from its parent; the
    // window itself is deleted later by Qt.
    bool event(QEvent *e) override;

private:
    int IndexOfChild(const TGenForm *Child) const;
};
