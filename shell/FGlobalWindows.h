#pragma once
// The services through which every window works with the main window: its commands, its child
// windows, and the broadcast of a command to all of them. Without a main window they do nothing, except
// AddChildForm, which then shows the form as a window of its own.

#include <QEvent>
#include <QString>
#include <QStringList>

class QMdiSubWindow;
class QWidget;
struct TGameData;

// Switches the main window's commands of every bit of Mask (FMainCommands.h) on or off.
void EnableCommands(int Mask, bool Enabled);

// The titles of the windows whose workers run, once each (a worker of no window gives an empty title);
// empty when no worker runs.
QStringList WindowsAtWork();

// Places a new child window in the main window (in a sub-window that deletes itself when closed) and
// shows it fitted to the main window's client area (platform/gui/WindowFit.h); answers the sub-window.
// The form is built by then: runners made afterwards belong to no window.
QMdiSubWindow *AddChildForm(QWidget *Form);
// The same for a window that stands on its own (a calculator, a window over another's result): centred in
// the client area rather than one cascade step from the active window.
QMdiSubWindow *AddCentredChildForm(QWidget *Form);

// Brings the child window forward and gives it the focus: its sub-window becomes the main window's
// active one (or the window itself is activated when it has no sub-window).
void ActivateChildForm(QWidget *Form);

// Posts (Post true) or sends the command to every child window, in the order they were opened.
void BroadcastToChildren(QEvent::Type Msg, int WParam, int LParam, bool Post);

// Fits the child window's sub-window to the main window's client area and centres it there.
void CenterChildForm(QWidget *Form);
// Places the child window where a new one opens beside the child window Beside: centred (CenterChildForm),
// or one cascade step from Beside where it fits there.
void PlaceChildForm(QWidget *Form, const QWidget *Beside);

// Resizes the window of Form so that Grid (or a list), which follows the window's width through the
// form's layout, is Width wide: only wider unless Narrow, never narrower than the form's content needs
// nor wider than the window's area. A maximised or minimised window keeps its size.
void FitWindowToGrid(QWidget *Form, const QWidget *Grid, int Width, bool Narrow);

// The tag that begins the captions of the windows on a game and of the windows opened from them: "<",
// the game's short name (at most 11 characters), " #" and the window number.
QString WindowTag(const TGameData &Game, int WindowNo);
