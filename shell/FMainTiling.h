#pragma once
// The two tilings of the child windows over the main window's client area, and the place of a new one.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

// One rectangle per window filling Area, for windows that need the sizes Needs. Horizontal: wide windows
// one above another, in floor(sqrt(Count)) columns; Vertical: tall windows side by side, in
// floor(sqrt(Count)) rows. Columns (rows) take Count / columns windows each and the last Count % columns
// of them one more. Each column (row, window) gets what it needs and an equal part of the rest; where the
// needs exceed the area, just what it needs, and the rectangles reach past the area.
std::vector<QRect> TileRects(const QRect &Area, const std::vector<QSize> &Needs, bool Horizontal);

// One rectangle per window cascading down Area from its top left corner, Step apart: each window of its
// size, made smaller where it would reach past the area. Where a window would be left less than half the
// area (or than its size), the cascade starts again at the corner.
std::vector<QRect> CascadeRects(const QRect &Area, const std::vector<QSize> &Sizes, int Step);

// Where a new window of Size opens in an area of AreaSize while the Active one has the focus: one cascade
// Step right of and below it; none when it would reach past the area there (it stays where it opened).
std::optional<QPoint> CascadePosition(const QRect &Active, const QSize &Size, const QSize &AreaSize,
                                      int Step);
