#pragma once
// The buttons in an MDI sub-window's title bar answer the first click. Qt's sub-window takes the button
// under the pointer only from a move that begins outside its title's drag area (and outside its resize
// edges); a move that comes straight from there leaves the title as the part under the pointer, and the
// click that follows does nothing. A busy event loop hands the way from the title to a button over as
// one move.

class QMdiSubWindow;

namespace platform {

// Before each left press on Window, tells it twice where the pointer is: the first move ends the drag or
// resize state the pointer left, the second takes the part under the pointer.
void keepTitleButtonsClickable(QMdiSubWindow &Window);

} // namespace platform
