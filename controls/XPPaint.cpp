#include "controls/XPPaint.h"

#include "controls/TextDraw.h"
#include "controls/XPColors.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

void XPFill(QPainter &Painter, const TRect &Rect, TColor Color)
{
    if (!Rect.isEmpty())
        Painter.fillRect(Rect.toQRect(), toQColor(Color));
}

void XPRectangle(QPainter &Painter, const TRect &Rect, TColor Pen, std::optional<TColor> Brush)
{
    if (Rect.isEmpty())
        return;
    if (Brush)
        XPFill(Painter, Rect.inflated(-1, -1), *Brush);
    XPFill(Painter, {Rect.Left, Rect.Top, Rect.Right, Rect.Top + 1}, Pen);
    XPFill(Painter, {Rect.Left, Rect.Bottom - 1, Rect.Right, Rect.Bottom}, Pen);
    XPFill(Painter, {Rect.Left, Rect.Top, Rect.Left + 1, Rect.Bottom}, Pen);
    XPFill(Painter, {Rect.Right - 1, Rect.Top, Rect.Right, Rect.Bottom}, Pen);
}

void XPLine(QPainter &Painter, QPoint From, QPoint To, TColor Color)
{
    const int dx = std::abs(To.x() - From.x());
    const int dy = -std::abs(To.y() - From.y());
    const int sx = From.x() < To.x() ? 1 : -1;
    const int sy = From.y() < To.y() ? 1 : -1;
    int error = dx + dy;
    QPoint point = From;
    const QColor color = toQColor(Color);
    while (point != To) {
        Painter.fillRect(QRect(point, QSize(1, 1)), color);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            point.rx() += sx;
        }
        if (twice <= dx) {
            error += dx;
            point.ry() += sy;
        }
    }
}

void XPMenuBackground(QPainter &Painter, const TXPMenu &Menu, const TXPColors &Colors, const TRect &Rect,
                      int StripLeft)
{
    if (!Menu.Gradient() || !Colors.HighColor) {
        XPFill(Painter, Rect, Colors.MenuColor);
        XPFill(Painter, {std::max(Rect.Left, StripLeft), Rect.Top, StripLeft + Menu.IconWidth(), Rect.Bottom},
               Colors.IconColor);
        return;
    }
    const int depth = Painter.device() ? Painter.device()->depth() : 32;
    int step = 1;
    for (int x = Rect.Left; x < Rect.Right; ++x) {
        XPFill(Painter, {x, Rect.Top, x + 1, Rect.Bottom}, LightenColor(Colors.IconColor, step, depth));
        step = std::min(96, step + (x - StripLeft < Menu.IconWidth() + 5 ? 3 : 1));
    }
}

void XPTabLook(QPainter &Painter, const TXPColors &Colors, const TRect &Rect, TColor BarColor)
{
    const TRect &r = Rect;
    XPFill(Painter, r, Colors.SelectFill);
    const TColor border = Colors.SelectBorder;
    if (Colors.HighColor) {
        const int edge = r.Right - 8;
        XPFill(Painter, {r.Left, r.Top, r.Left + 1, r.Bottom}, border);
        XPFill(Painter, {r.Left, r.Top, edge + 1, r.Top + 1}, border);
        XPFill(Painter, {edge, r.Top, edge + 1, r.Bottom}, border);
        static constexpr int tops[] = {0, 3, 5, 6};
        static constexpr int ends[] = {0, 2, 3, 5};
        static constexpr int shades[] = {10, 30, 60, 100};
        for (int band = 0; band < 4; ++band)
            XPFill(Painter, {edge + 1, r.Top + tops[band], r.Right - ends[band], r.Bottom},
                   ShadeColor(BarColor, shades[band]));
        // The shadow's top corner, rounded off.
        XPFill(Painter, {edge + 1, r.Top, r.Right, r.Top + 1}, BarColor);
        XPLine(Painter, {edge + 1, r.Top + 1}, {edge + 4, r.Top + 1}, BarColor);
        XPLine(Painter, {edge + 4, r.Top + 1}, {r.Right, r.Top + 1}, ShadeColor(BarColor, 10));
        XPLine(Painter, {edge + 4, r.Top + 2}, {edge + 5, r.Top + 2}, ShadeColor(BarColor, 30));
        XPLine(Painter, {edge + 5, r.Top + 3}, {edge + 6, r.Top + 3}, ShadeColor(BarColor, 40));
    } else {
        const int edge = r.Right - 3;
        XPFill(Painter, {r.Left, r.Top, r.Left + 1, r.Bottom}, border);
        XPFill(Painter, {r.Left, r.Top, edge + 1, r.Top + 1}, border);
        XPFill(Painter, {edge, r.Top, edge + 1, r.Bottom}, border);
        XPFill(Painter, {edge + 1, r.Top, r.Right, r.Top + 2}, BarColor);
        XPFill(Painter, {edge + 1, r.Top + 2, r.Right, r.Bottom}, ShadeColor(BarColor, 70));
    }
}

namespace {

bool isDark(TColor color)
{
    return (RedOf(color) + BlueOf(color)) / 2 < 151 && GreenOf(color) < 201;
}

} // namespace

void XPMenuText(QPainter &Painter, const TXPMenu &Menu, const TXPColors &Colors, TRect Box,
                const QString &Caption, const QString &ShortCut, const TXPTextState &State, TColor Background)
{
    TColor color = Colors.FontColor;
    if (!State.Enabled)
        color = Colors.DisabledText;
    else if (State.Selected && State.MenuBarItem && Menu.UseSystemColors())
        color = isDark(Colors.IconColor) ? LightenColor(Colors.IconColor, 90) : Colors.FontColor;
    else if (State.Selected)
        color = Colors.SelectFont;

    Painter.setFont(toQFont(Menu.Font()));
    const QString text = QLatin1Char(' ') + Caption;
    constexpr uint32_t flags = DT_LEFT | DT_SINGLELINE;
    if (State.Default && State.Enabled) {
        struct Halo {
            int dx, dy, wider, shade;
        };
        static constexpr Halo halo[] = {{1, 0, 0, 30}, {1, 2, 1, 30}, {0, 1, 0, 40}, {1, 1, 0, 60}};
        for (const Halo &h : halo) {
            TRect r = Box.translated(h.dx, h.dy);
            r.Right += h.wider;
            Painter.setPen(toQColor(ShadeColor(Background, h.shade)));
            DrawText(Painter, text, r, flags);
        }
    }
    Painter.setPen(toQColor(color));
    DrawText(Painter, text, Box, flags);
    if (ShortCut.isEmpty())
        return;
    TRect shortCutBox = Box;
    shortCutBox.Right -= 10;
    Painter.setPen(toQColor(Colors.HighColor ? ShadeColor(color, -40) : color));
    DrawText(Painter, ShortCut + QLatin1Char(' '), shortCutBox, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
}

void XPMenuImage(QPainter &Painter, const TXPMenu &Menu, const TXPColors &Colors, const QImage &Bitmap, int X,
                 int Y, const TXPImageState &State)
{
    if (Bitmap.isNull())
        return;
    const int depth = Painter.device() ? Painter.device()->depth() : 32;
    QImage image = Bitmap;
    if (!State.Enabled) {
        GreyBitmap(image, Menu.GrayLevel());
        LightenBitmap(image, 40, depth);
    } else if (State.Selected && !State.Checked) {
        PaintBitmapShadow(Painter, image, X + 2, Y + 2, ShadeColor(Colors.SelectFill, 50));
        if (State.DropDown) {
            --X;
            --Y;
        }
    } else if (!State.Checked && Colors.HighColor) {
        LightenBitmap(image, Menu.DimLevel(), depth);
    }
    DrawBitmapTransparent(Painter, image, X, Y);
}
