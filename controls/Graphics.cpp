#include "controls/Graphics.h"

#include <QFontMetrics>
#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>

namespace {

// Where a system colour comes from: a palette role (of the active group, or the disabled one), or a
// fixed colour for the entries the palette has no role for.
struct SystemColorSource {
    bool fromPalette;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    QRgb fixed;
};

constexpr SystemColorSource role(QPalette::ColorRole r)
{
    return {true, QPalette::Active, r, 0};
}
constexpr SystemColorSource disabledRole(QPalette::ColorRole r)
{
    return {true, QPalette::Disabled, r, 0};
}
constexpr SystemColorSource fixed(QRgb rgb)
{
    return {false, QPalette::Active, QPalette::NoRole, rgb};
}

// Indexed by the low byte of a system colour.
constexpr std::array<SystemColorSource, 31> systemColors = {
    role(QPalette::Button),               // 0 scroll bar
    fixed(0xFF3A6EA5),                    // 1 desktop background
    role(QPalette::Highlight),            // 2 active caption
    fixed(0xFF808080),                    // 3 inactive caption
    role(QPalette::Window),               // 4 menu
    role(QPalette::Base),                 // 5 window
    role(QPalette::Shadow),               // 6 window frame
    role(QPalette::WindowText),           // 7 menu text
    role(QPalette::Text),                 // 8 window text
    role(QPalette::HighlightedText),      // 9 caption text
    role(QPalette::Window),               // 10 active border
    role(QPalette::Window),               // 11 inactive border
    role(QPalette::Dark),                 // 12 application workspace
    role(QPalette::Highlight),            // 13 highlight
    role(QPalette::HighlightedText),      // 14 highlighted text
    role(QPalette::Button),               // 15 button face
    role(QPalette::Dark),                 // 16 button shadow
    disabledRole(QPalette::Text),         // 17 grey text
    role(QPalette::ButtonText),           // 18 button text
    fixed(0xFFC0C0C0),                    // 19 inactive caption text
    role(QPalette::Light),                // 20 button highlight
    role(QPalette::Shadow),               // 21 3D dark shadow
    role(QPalette::Midlight),             // 22 3D light
    role(QPalette::ToolTipText),          // 23 info text
    role(QPalette::ToolTipBase),          // 24 info background
    fixed(0xFF000000),                    // 25 unassigned
    role(QPalette::Link),                 // 26 hot-tracked item
    fixed(0xFF1084D0),                    // 27 gradient of the active caption
    fixed(0xFFB5B5B5),                    // 28 gradient of the inactive caption
    role(QPalette::Highlight),            // 29 menu highlight
    role(QPalette::Window),               // 30 menu bar
};

QColor fromBgr(TColor color)
{
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

// a * b / c rounded to the nearest, halves away from zero.
int mulDiv(int a, int b, int c)
{
    return int(std::lround(double(a) * b / c));
}

} // namespace

QColor toQColor(TColor color, const QPalette &palette)
{
    if (color == clNone)
        return QColor(Qt::transparent);
    if (!isSystemColor(color))
        return fromBgr(color & 0xFFFFFF);
    const unsigned index = color & 0xFF;
    if (index >= systemColors.size())
        return QColor(Qt::black);
    const SystemColorSource &source = systemColors[index];
    if (!source.fromPalette)
        return QColor::fromRgb(source.fixed);
    return palette.color(source.group, source.role);
}

QColor toQColor(TColor color)
{
    if (!isSystemColor(color))
        return toQColor(color, QPalette());
    return toQColor(color, QGuiApplication::palette());
}

TColor fromQColor(const QColor &color)
{
    const QRgb rgb = color.rgb();
    return TColor(qRed(rgb)) | (TColor(qGreen(rgb)) << 8) | (TColor(qBlue(rgb)) << 16);
}

TColor ColorToRGB(TColor color)
{
    return isSystemColor(color) ? fromQColor(toQColor(color)) : color;
}

int TFont::Size() const
{
    return -mulDiv(Height, 72, FormPixelsPerInch);
}

void TFont::setSize(int points)
{
    Height = -mulDiv(points, FormPixelsPerInch, 72);
}

void installFontSubstitutes()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const QString sans = QStringLiteral("DejaVu Sans");
        for (const char *face : {"MS Sans Serif", "Arial", "Tahoma", "System"})
            QFont::insertSubstitution(QString::fromLatin1(face), sans);
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono"));
        QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("DejaVu Serif"));
    });
}

QFont toQFont(const TFont &font)
{
    installFontSubstitutes();
    QFont result(font.Name);
    if (font.Pitch == fpFixed) {
        result.setFixedPitch(true);
        result.setStyleHint(QFont::Monospace);
    }
    result.setBold(font.Style & fsBold);
    result.setItalic(font.Style & fsItalic);
    result.setUnderline(font.Style & fsUnderline);
    result.setStrikeOut(font.Style & fsStrikeOut);

    const int height = font.Height == 0 ? TFont().Height : font.Height;
    if (height < 0) {
        result.setPixelSize(-height);
    } else {
        // A cell height: scale the character height so that ascent + descent come out at it.
        result.setPixelSize(height);
        const int cell = QFontMetrics(result).height();
        if (cell > 0)
            result.setPixelSize(std::max(1, height * height / cell));
    }
    return result;
}

QBrush toQBrush(const TBrush &brush, const QPalette &palette)
{
    static constexpr std::array<Qt::BrushStyle, BrushStyleCount> styles = {
        Qt::SolidPattern, Qt::NoBrush, Qt::HorPattern, Qt::VerPattern,
        Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern,
    };
    const auto style = brush.Style < BrushStyleCount ? styles[brush.Style] : Qt::SolidPattern;
    if (style == Qt::NoBrush)
        return QBrush();
    return QBrush(toQColor(brush.Color, palette), style);
}

QBrush toQBrush(const TBrush &brush)
{
    return toQBrush(brush, QGuiApplication::palette());
}
