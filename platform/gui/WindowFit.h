#pragma once
// How a window takes its place in the area it opens in (a dialog on its screen, a child window in the
// main window's client area): never larger than the area and inside it, and at least as large as its
// content needs when the area has that room. A window given less room than its content needs scrolls the
// content instead of cutting it.

#include <QRect>
#include <QSize>

class QWidget;

namespace platform {

// Moves Form's layout, with the widgets it holds, into a borderless scroll area that fills Form. Does
// nothing to a form without a layout or to one already scrollable.
void makeScrollable(QWidget &Form);

// The room Form's content needs: the minimum of its layout (of the content inside the scroll area once
// scrollable), or of its explicit minimum size where that is larger.
QSize contentMinimum(const QWidget &Form);

// The window that shows Form: the MDI sub-window holding it, or Form's top-level window.
QWidget &windowFrame(QWidget &Form);

// The area Frame lies in, in the coordinates of its position: the client area of the MDI area holding
// it, or the available part of its screen.
QRect windowArea(const QWidget &Frame);

// Resizes the window that shows Form to Size (as that window's own size counts, a top-level window's
// decoration aside), no larger than its area allows, and moves it where needed to lie inside the area.
// A maximised or minimised window keeps its geometry.
void resizeInArea(QWidget &Form, QSize Size);

// Makes Form scrollable and fits its window in its area: at least the content minimum (as far as the
// area allows), at most the area, inside it. Whenever the content comes to need more room than before,
// the window grows again within the area. A top-level window is not shrunk by hand below its content's
// minimum either, as far as the area allows.
void fitToArea(QWidget &Form);

// Fits the window of Form again at once, its content measured anew, as its fitting does by itself later on:
// for a window whose content grew while it is being shown, so that it appears at the size it keeps. Does
// nothing to a form that fitToArea has not fitted.
void refitNow(QWidget &Form);

// Moves the top-level Window so that it opens centred over Owner's window, inside the available part of
// the screen.
void centreOver(QWidget &Window, const QWidget &Owner);

} // namespace platform
