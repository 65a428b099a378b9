#include "controls/XPColors.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

TColor rgb(int r, int g, int b)
{
    return TColor(std::clamp(r, 0, 255)) | (TColor(std::clamp(g, 0, 255)) << 8) |
           (TColor(std::clamp(b, 0, 255)) << 16);
}

// A channel on a grid of 2^Bits levels.
int quantise(int channel, int bits)
{
    const int levels = (1 << bits) - 1;
    const int level = int(std::lround(channel * levels / 255.0));
    return int(std::lround(level * 255.0 / levels));
}

// The static colours of a palette canvas.
constexpr std::array<TColor, 20> StaticColors = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0, 0xC0DCC0, 0xF0CAA6,
    0xF0FBFF, 0xA4A0A0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

TColor fromPixel(QRgb pixel)
{
    return rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

QRgb toPixel(TColor color)
{
    return qRgb(RedOf(color), GreenOf(color), BlueOf(color));
}

// Replaces every pixel through Map, computing once per run of equal source pixels.
template <typename Map> void mapPixels(QImage &bitmap, Map map)
{
    if (bitmap.format() != QImage::Format_RGB32)
        bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
    QRgb lastSource = 0;
    QRgb lastResult = 0;
    bool cached = false;
    for (int y = 0; y < bitmap.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(bitmap.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x) {
            if (!cached || line[x] != lastSource) {
                lastSource = line[x];
                lastResult = toPixel(map(fromPixel(lastSource)));
                cached = true;
            }
            line[x] = lastResult;
        }
    }
}

QRgb transparentPixel(const QImage &bitmap)
{
    return bitmap.pixel(0, bitmap.height() - 1) | 0xFF000000u;
}

// The bitmap as ARGB with its transparent colour cleared; Paint gives the colour of the other pixels.
template <typename Paint> QImage maskedImage(const QImage &bitmap, Paint paint)
{
    QImage image(bitmap.size(), QImage::Format_ARGB32);
    const QRgb key = transparentPixel(bitmap);
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) {
            const QRgb pixel = bitmap.pixel(x, y) | 0xFF000000u;
            image.setPixel(x, y, pixel == key ? 0u : paint(pixel));
        }
    return image;
}

} // namespace

TColor NearestColor(TColor Color, int Depth)
{
    const TColor c = ColorToRGB(Color);
    if (Depth >= 24)
        return c;
    if (Depth >= 15) {
        const int greenBits = Depth == 16 ? 6 : 5;
        return rgb(quantise(RedOf(c), 5), quantise(GreenOf(c), greenBits), quantise(BlueOf(c), 5));
    }
    auto distance = [c](TColor s) {
        const int dr = RedOf(c) - RedOf(s), dg = GreenOf(c) - GreenOf(s), db = BlueOf(c) - BlueOf(s);
        return dr * dr + dg * dg + db * db;
    };
    return *std::min_element(StaticColors.begin(), StaticColors.end(),
                             [&](TColor a, TColor b) { return distance(a) < distance(b); });
}

TColor LightenColor(TColor Color, int Percent, int Depth)
{
    const TColor c = ColorToRGB(Color);
    const int p = std::min(Percent, 100);
    auto lighten = [p](int channel) { return channel + int(std::lround((255 - channel) * p / 100.0)); };
    return NearestColor(rgb(lighten(RedOf(c)), lighten(GreenOf(c)), lighten(BlueOf(c))), Depth);
}

TColor ShadeColor(TColor Color, int Value)
{
    const TColor c = ColorToRGB(Color);
    return rgb(RedOf(c) - Value, GreenOf(c) - Value + 2, BlueOf(c) - Value);
}

TColor GreyLevelColor(TColor Color, int Value)
{
    const TColor c = ColorToRGB(Color);
    const int level = std::clamp((RedOf(c) + GreenOf(c) + BlueOf(c)) / 3 + Value, 0, 240);
    return rgb(level, level, level);
}

void GreyBitmap(QImage &Bitmap, int Value)
{
    mapPixels(Bitmap, [Value](TColor c) { return GreyLevelColor(c, Value); });
}

void LightenBitmap(QImage &Bitmap, int Percent, int Depth)
{
    const int p = std::min(Percent, 100);
    mapPixels(Bitmap, [p, Depth](TColor c) { return LightenColor(c, p, Depth); });
}

void PaintBitmapShadow(QPainter &Painter, const QImage &Bitmap, int X, int Y, TColor Color)
{
    if (Bitmap.isNull())
        return;
    const QRgb shadow = toPixel(ColorToRGB(Color));
    Painter.drawImage(X, Y, maskedImage(Bitmap, [shadow](QRgb) { return shadow; }));
}

void DrawBitmapTransparent(QPainter &Painter, const QImage &Bitmap, int X, int Y)
{
    if (Bitmap.isNull())
        return;
    Painter.drawImage(X, Y, maskedImage(Bitmap, [](QRgb pixel) { return pixel; }));
}
