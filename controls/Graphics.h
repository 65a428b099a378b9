#pragma once
// The drawing vocabulary of the program's controls: colours as $00BBGGRR values (system colours as
// $800000nn, resolved through the palette when drawn), rectangles with exclusive right and bottom edges,
// and fonts and brushes as plain values that become QFont and QBrush only when painting.
//
// Text drawing with the alignment flags lives in controls/TextDraw.h, the Tag and Loaded() convention
// and the owner-draw rule in controls/Component.h.

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>

// ---- Colours ---------------------------------------------------------------------------------------

using TColor = uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
// "No colour": resolves to a transparent QColor.
constexpr TColor clNone = 0x1FFFFFFF;

// The components of an RGB colour value.
constexpr int RedOf(TColor c) { return int(c & 0xFF); }
constexpr int GreenOf(TColor c) { return int((c >> 8) & 0xFF); }
constexpr int BlueOf(TColor c) { return int((c >> 16) & 0xFF); }

// System colours: the high bit set, the low byte indexes the desktop's colour table.
constexpr TColor clSystemColor = 0x80000000;
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;
constexpr TColor clHotLight = clSystemColor | 26;
constexpr TColor clGradientActiveCaption = clSystemColor | 27;
constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
constexpr TColor clMenuHighlight = clSystemColor | 29;
constexpr TColor clMenuBar = clSystemColor | 30;

constexpr bool isSystemColor(TColor color) { return (color & clSystemColor) != 0; }

// The colour as drawn: a plain colour decoded in BGR order, a system colour looked up in the palette
// (the application's palette when none is given), clNone transparent.
QColor toQColor(TColor color);
QColor toQColor(TColor color, const QPalette &palette);
// A system colour resolved to its plain $00BBGGRR value; plain colours pass unchanged.
TColor ColorToRGB(TColor color);
// The plain $00BBGGRR value of a QColor (alpha dropped).
TColor fromQColor(const QColor &color);

// ---- Rectangles -----------------------------------------------------------------------------------

// Right and Bottom are exclusive: Width = Right - Left. Convert at the Qt boundary with toQRect and
// fromQRect, never through QRect::right()/bottom().
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool isEmpty() const { return Right <= Left || Bottom <= Top; }
    bool contains(QPoint point) const
    {
        return point.x() >= Left && point.x() < Right && point.y() >= Top && point.y() < Bottom;
    }
    // Grows by dx on the left and right and by dy on the top and bottom (negative values shrink).
    TRect inflated(int dx, int dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
    TRect translated(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }

    QRect toQRect() const { return QRect(Left, Top, Width(), Height()); }
    static TRect fromQRect(const QRect &rect)
    {
        return {rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()};
    }
    static TRect Bounds(int left, int top, int width, int height)
    {
        return {left, top, left + width, top + height};
    }
    friend bool operator==(const TRect &, const TRect &) = default;
};

// ---- Fonts ----------------------------------------------------------------------------------------

enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };

// A set of font styles in the bits the stored forms use.
using TFontStyles = uint8_t;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

// The pixels per inch the forms were laid out at: font sizes in points convert to heights through it.
constexpr int FormPixelsPerInch = 96;

// A font as the forms describe it. Height < 0 is the character height in pixels (the forms use -11),
// Height > 0 the cell height including the internal leading, 0 the default height (-11).
struct TFont {
    TColor Color = clWindowText;
    int32_t Height = -11;
    QString Name = QStringLiteral("MS Sans Serif");
    TFontPitch Pitch = fpDefault;
    TFontStyles Style = 0;

    // The size in points at FormPixelsPerInch, and its setter (which sets a negative Height).
    int Size() const;
    void setSize(int points);

    friend bool operator==(const TFont &, const TFont &) = default;
};

// The QFont that draws this font; the forms' faces are mapped onto installed ones.
QFont toQFont(const TFont &font);
// Maps the forms' face names ("MS Sans Serif", "Arial", "Tahoma", "System" to DejaVu Sans,
// "Courier New" to DejaVu Sans Mono, "Times New Roman" to DejaVu Serif). Idempotent; toQFont calls it.
void installFontSubstitutes();

// ---- Brushes --------------------------------------------------------------------------------------

// Brush styles in the order the stored forms number them.
enum TBrushStyle : uint8_t {
    bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};
constexpr int BrushStyleCount = 8;

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;

    friend bool operator==(const TBrush &, const TBrush &) = default;
};

// bsClear gives Qt::NoBrush.
QBrush toQBrush(const TBrush &brush);
QBrush toQBrush(const TBrush &brush, const QPalette &palette);
