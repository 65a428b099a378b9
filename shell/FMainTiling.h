#pragma once
// The two tilings of the child windows over the main window's client area, and the place of a new one.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

// Count rectangles filling Area. Horizontal: wide windows one above another, in floor(sqrt(Count))
// columns; Vertical: tall windows side by side, in floor(sqrt(Count)) rows. Columns (rows) take
// Count / columns windows each and the last Count % columns of them one more.
std::vector<QRect> TileRects(const QRect &Area, int Count, bool Horizontal);

// Where a new window of Size opens in an area of AreaSize while the Active one has the focus: one cascade
// Step right of and below it. A window that would reach past the area starts again at its top left
// corner, unless the active one is there.
QPoint CascadePosition(const QRect &Active, const QSize &Size, const QSize &AreaSize, int Step);
