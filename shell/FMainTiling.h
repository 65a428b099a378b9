#pragma once
// The two tilings of the child windows over the main window's client area.

#include <QRect>

#include <vector>

// Count rectangles filling Area. Horizontal: wide windows one above another, in floor(sqrt(Count))
// columns; Vertical: tall windows side by side, in floor(sqrt(Count)) rows. Columns (rows) take
// Count / columns windows each and the last Count % columns of them one more.
std::vector<QRect> TileRects(const QRect &Area, int Count, bool Horizontal);
