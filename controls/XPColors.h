#pragma once
// The colour model of the flat look: colour functions over $00BBGGRR values (system colours resolved
// first) and the work bitmaps of menu and button images drawn with them.
//
// A work bitmap is opaque; its bottom-left pixel gives the colour that counts as transparent.

#include "controls/Graphics.h"

#include <QImage>

class QPainter;

// The nearest colour a canvas of Depth bits per pixel shows: itself at 24 bits and more, the 5-6-5
// (15 bits: 5-5-5) grid below, the twenty static colours of a palette canvas at 8 bits and less.
TColor NearestColor(TColor Color, int Depth);

// Each channel c becomes c + Round((255 - c) * min(Percent, 100) / 100), mapped to the canvas's
// nearest colour.
TColor LightenColor(TColor Color, int Percent, int Depth = 32);
// red - Value, green - Value + 2, blue - Value, each clamped to 0..255 (a negative Value lightens).
TColor ShadeColor(TColor Color, int Value);
// A grey of level min(mean of the channels + Value, 240).
TColor GreyLevelColor(TColor Color, int Value);

// Every pixel replaced by GreyLevelColor(pixel, Value) or LightenColor(pixel, Percent).
void GreyBitmap(QImage &Bitmap, int Value);
void LightenBitmap(QImage &Bitmap, int Percent, int Depth = 32);
// Every pixel of Bitmap that is not of its transparent colour painted in Color at (X + column, Y + row).
void PaintBitmapShadow(QPainter &Painter, const QImage &Bitmap, int X, int Y, TColor Color);
// Bitmap drawn at (X, Y) without the pixels of its transparent colour.
void DrawBitmapTransparent(QPainter &Painter, const QImage &Bitmap, int X, int Y);
