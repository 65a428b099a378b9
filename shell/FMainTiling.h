#pragma once
// The two tilings of the child windows over the main window's client area, and the place of a new one.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

// What a tiled window needs: at least Least (its content whole), Wanted where the area allows (a few rows
// of its grids besides).
struct TTileNeed {
    QSize Least;
    QSize Wanted;
};

// One rectangle per window filling Area. Horizontal: wide windows one above another, in floor(sqrt(Count))
// columns; Vertical: tall windows side by side, in floor(sqrt(Count)) rows. Where what the windows need at
// least does not fit the area so, the nearest number of columns (rows) that lets it fit, more before fewer;
// where none does, the number with which the windows reach past the area least. Columns (rows) take
// Count / columns windows each and the last Count % columns of them one more. Each column (row, window)
// gets what it wants and an equal part of the rest; where the area lacks that, what it needs at least and
// a part of the rest in proportion to what it wants beyond; where the area lacks even that, what it needs
// at least, and the rectangles reach past the area.
std::vector<QRect> TileRects(const QRect &Area, const std::vector<TTileNeed> &Needs, bool Horizontal);

// One rectangle per window cascading down Area from its top left corner, Step apart: each window of its
// size, made smaller where it would reach past the area. Where a window would be left less than half the
// area (or than its size), the cascade starts again at the corner.
std::vector<QRect> CascadeRects(const QRect &Area, const std::vector<QSize> &Sizes, int Step);

// Where a new window of Size opens in an area of AreaSize while the Active one has the focus: one cascade
// Step right of and below it; none when it would reach past the area there (it stays where it opened).
std::optional<QPoint> CascadePosition(const QRect &Active, const QSize &Size, const QSize &AreaSize,
                                      int Step);
