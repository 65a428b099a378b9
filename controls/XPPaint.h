#pragma once
// The drawing routines of the flat look that menus, tool buttons and flat controls share: rectangles and
// lines placed as the forms' canvas places them, the menu background, the tab look, and the text and
// image routines of a menu item.

#include "controls/Graphics.h"
#include "controls/XPMenu.h"

#include <QImage>
#include <QString>

#include <optional>

class QPainter;

// The outline of Rect (right and bottom exclusive) in Pen, its inside filled with Brush when given.
void XPRectangle(QPainter &Painter, const TRect &Rect, TColor Pen, std::optional<TColor> Brush);
// Rect filled with one colour.
void XPFill(QPainter &Painter, const TRect &Rect, TColor Color);
// A line from From up to, but not including, To.
void XPLine(QPainter &Painter, QPoint From, QPoint To, TColor Color);

// A drop-down menu's background over Rect: the menu colour with the icon strip of IconWidth pixels
// starting at StripLeft, or with Gradient on a high-colour canvas a strip fading column by column.
void XPMenuBackground(QPainter &Painter, const TXPMenu &Menu, const TXPColors &Colors, const TRect &Rect,
                      int StripLeft);
// The selected menu-bar item: filled, outlined on three sides, with a shadow at its right.
void XPTabLook(QPainter &Painter, const TXPColors &Colors, const TRect &Rect, TColor BarColor);

struct TXPTextState {
    bool Selected = false;
    bool Enabled = true;
    bool Default = false;
    bool MenuBarItem = false;
};
// The caption (after one space) left in Box, vertically placed by the height of "W", with the default
// item's halo, and ShortCut right-aligned 10 pixels inside Box. Background is the colour under the text.
void XPMenuText(QPainter &Painter, const TXPMenu &Menu, const TXPColors &Colors, TRect Box,
                const QString &Caption, const QString &ShortCut, const TXPTextState &State,
                TColor Background);

struct TXPImageState {
    bool Selected = false;
    bool Enabled = true;
    bool Checked = false;
    bool DropDown = true; // a selected image in a drop-down menu rises by one pixel
};
// The work bitmap drawn at (X, Y): shadowed when selected, dimmed when at rest, greyed when disabled.
void XPMenuImage(QPainter &Painter, const TXPMenu &Menu, const TXPColors &Colors, const QImage &Bitmap, int X,
                 int Y, const TXPImageState &State);
