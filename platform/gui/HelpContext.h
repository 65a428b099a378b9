#pragma once
// Help context numbers on windows and controls: the page of the help that F1 shows for them.

class QWidget;

namespace platform {

// Gives the widget its help context (0 takes none, so its parent's counts).
void setHelpContext(QWidget *Widget, int Context);
// The context of the widget or, when it has none, of the nearest parent that has one; 0 for none.
int helpContextOf(const QWidget *Widget);
// The context F1 shows in Window: that of the focused widget when it lies in Window (a child window's own,
// or the nearest one above it), else Window's.
int focusedHelpContext(const QWidget *Window);

} // namespace platform
