#pragma once
// The base of the main window's child windows: their first showing (FormShow, FirstShow.h), the commands
// and activation notices the main window sends them (routed to virtual hooks, no exception leaving the
// event), the window's progress from any thread, and, for windows that open dependent windows of their
// own, the list of dependents with a state byte each, their closing, and the dependent's detaching from
// its parent.

#include "core/UGeneralList.h"
#include "core/UGlobalProgress.h"
#include "shell/FirstShow.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>

class CommandEvent;
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

class TGenForm : public TFirstShow<QWidget> {
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

    // The window's progress: the main status bar's progress bar. Runs on the GUI thread.
    virtual void DoProgress(int Pos, int Step);
    // A progress handler for the window's engine objects, callable from any thread: each report reaches
    // DoProgress on the GUI thread (at once when called there), and none once the window is gone.
    TProgressProc ProgressHandler();

protected:
    // A command of the main window (FMainCommands.h); answers whether this window handled it. A sent
    // command's Result is 1 when it did. The base handles none.
    virtual bool HandleCommand(CommandEvent &Command);
    // The window became the main window's active child: it switches the commands to its own set.
    virtual void FormActivate();
    // Another child took its place: the base leaves only the read command on.
    virtual void FormDeactivate();
    // The window that holds this form: its MDI sub-window, else the form itself.
    QWidget *WindowFrame();
    bool IsActiveChild() const;
    // Runs a command or handler so that no exception leaves it: a failure is shown as a message.
    void Guarded(const std::function<void()> &Run);

    void customEvent(QEvent *event) override;
    // A close that went through (no handler refused it) detaches the window from its parent; the
    // window itself is deleted later by Qt.
    bool event(QEvent *e) override;

private:
    int IndexOfChild(const TGenForm *Child) const;
};
