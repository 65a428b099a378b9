#pragma once
// Text drawing with the alignment flags of the program's drawing code.

#include "controls/Graphics.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include <cstdint>

constexpr uint32_t DT_TOP = 0x0000;
constexpr uint32_t DT_LEFT = 0x0000;
constexpr uint32_t DT_CENTER = 0x0001;
constexpr uint32_t DT_RIGHT = 0x0002;
constexpr uint32_t DT_VCENTER = 0x0004;   // honoured with DT_SINGLELINE only
constexpr uint32_t DT_BOTTOM = 0x0008;    // honoured with DT_SINGLELINE only
constexpr uint32_t DT_WORDBREAK = 0x0010;  // not with DT_SINGLELINE
constexpr uint32_t DT_SINGLELINE = 0x0020; // line breaks in the text are drawn as spaces
constexpr uint32_t DT_CALCRECT = 0x0400;
constexpr uint32_t DT_NOPREFIX = 0x0800;  // without it "&x" underlines x and "&&" draws one '&'
constexpr uint32_t DT_END_ELLIPSIS = 0x8000; // a line too long for the rectangle ends in "…" (not with DT_WORDBREAK)

// Draws text in rect with the painter's font and pen, clipped to rect, and answers the height of the
// text drawn. With DT_CALCRECT nothing is drawn: rect's right and bottom edges are moved to fit the
// text (with DT_WORDBREAK the width stays and only the bottom moves).
int DrawText(QPainter &painter, const QString &text, TRect &rect, uint32_t flags);

// The same measurement as DrawText with DT_CALCRECT, for a font without a painter.
int CalcTextRect(const QFontMetrics &metrics, const QString &text, TRect &rect, uint32_t flags);

// The painter takes the font and its colour as pen.
void SelectFont(QPainter &painter, const TFont &font);
// Fills the rectangle with the brush (nothing for bsClear).
void FillRect(QPainter &painter, const TRect &rect, const TBrush &brush);
