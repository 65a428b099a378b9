#include "shell/ProgramIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>

#include <array>

namespace {

struct TBall {
    double X; // centre, as a share of the icon's side
    double Y;
    QColor Color;
};

// A ball: its colour shaded to a sphere, with the white disc that carries a ball's number.
void DrawBall(QPainter &Painter, double Side, const TBall &Ball)
{
    const double radius = Side * 0.21;
    const QPointF centre(Ball.X * Side, Ball.Y * Side);
    QRadialGradient shade(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.3);
    shade.setColorAt(0, Ball.Color.lighter(150));
    shade.setColorAt(1, Ball.Color.darker(130));
    Painter.setPen(QPen(Ball.Color.darker(170), Side / 64.0));
    Painter.setBrush(shade);
    Painter.drawEllipse(centre, radius, radius);
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(Qt::white);
    Painter.drawEllipse(centre, radius * 0.48, radius * 0.48);
}

QPixmap DrawIcon(int Side)
{
    QPixmap pixmap(Side, Side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = Side;
    QLinearGradient tile(0, 0, 0, side);
    tile.setColorAt(0, QColor(0x43, 0xA0, 0x47));
    tile.setColorAt(1, QColor(0x1B, 0x5E, 0x20));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(0, 0, side, side), side * 0.18, side * 0.18);
    static const std::array<TBall, 3> balls = {{
        {0.30, 0.68, QColor(0xE5, 0x39, 0x35)},
        {0.70, 0.68, QColor(0x1E, 0x88, 0xE5)},
        {0.50, 0.32, QColor(0xFB, 0xC0, 0x2D)},
    }};
    for (const TBall &ball : balls)
        DrawBall(painter, side, ball);
    return pixmap;
}

} // namespace

QIcon ProgramIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(DrawIcon(side));
    return icon;
}
