// The flat look of the tool bars a TXPMenu takes: buttons, the handle and the separators.
#include "controls/ComponentTag.h"
#include "controls/XPColors.h"
#include "controls/XPMenu.h"
#include "controls/XPMenuStyle.h"
#include "controls/XPPaint.h"

#include <QAction>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QToolBar>
#include <QToolButton>

#include <cmath>

namespace {

constexpr int DropDownWidth = 13;

int deviceDepth(const QPainter *painter)
{
    return painter->device() ? painter->device()->depth() : 32;
}

// A black arrow of three lines, 5, 3 and 1 pixels long, the first starting at (X, Y).
void drawArrow(QPainter &painter, int x, int y)
{
    for (int line = 0; line < 3; ++line)
        XPFill(painter, {x + line, y + line, x + 5 - line, y + line + 1}, clBlack);
}

} // namespace

void TXPMenuStyle::DrawToolButton(const QStyleOptionComplex *Option, QPainter *Painter,
                                  const QWidget *Widget) const
{
    const auto *button = qstyleoption_cast<const QStyleOptionToolButton *>(Option);
    if (!button)
        return;
    QPainter &p = *Painter;
    p.save();
    const TXPColors colors = FMenu->WorkingColors(deviceDepth(Painter));
    const TColor barColor = fromQColor(Widget->parentWidget()->palette().color(QPalette::Button));
    const TColor hotColor = colors.HighColor && !FMenu->UseSystemColors()
                                ? LightenColor(FMenu->SelectColor(), 68)
                                : colors.SelectFill;
    const bool enabled = button->state & State_Enabled;
    const bool hot = enabled && (button->state & State_MouseOver);
    const bool down = button->state & (State_Sunken | State_On);
    const bool checked = button->state & State_On;
    const bool pressed = button->state & State_Sunken;
    const bool split = button->features & QStyleOptionToolButton::MenuButtonPopup;
    const bool hasMenu = button->features & QStyleOptionToolButton::HasMenu;
    const TRect r = TRect::fromQRect(button->rect);

    XPFill(p, r, colors.HighColor ? LightenColor(barColor, 16) : barColor);
    bool framed = false;
    if (hot) {
        XPFill(p, r, down ? colors.CheckedSelectedFill : hotColor);
        framed = true;
    } else if (checked) {
        XPFill(p, r, colors.CheckedFill);
        framed = true;
    }
    if (framed) {
        if (split) {
            XPRectangle(p, {r.Left, r.Top + 1, r.Right - DropDownWidth, r.Bottom - 1}, colors.SelectBorder,
                        std::nullopt);
            XPRectangle(p, {r.Right - DropDownWidth - 1, r.Top + 1, r.Right - 1, r.Bottom - 1},
                        colors.SelectBorder, std::nullopt);
        } else {
            XPRectangle(p, {r.Left, r.Top + 1, r.Right - 1, r.Bottom - 1}, colors.SelectBorder, std::nullopt);
        }
    }
    if (pressed && hasMenu)
        XPTabLook(p, colors, r, barColor);
    if (split)
        drawArrow(p, r.Right - 10, r.Top + (r.Height() - 3) / 2 + 1);

    TRect content = r;
    if (split)
        content.Right -= DropDownWidth - 1;
    const int iconSize = button->iconSize.width();
    const bool showIcon = !button->icon.isNull() && button->toolButtonStyle != Qt::ToolButtonTextOnly;
    const bool showText = button->toolButtonStyle != Qt::ToolButtonIconOnly && !button->text.isEmpty();
    const bool beside = button->toolButtonStyle == Qt::ToolButtonTextBesideIcon;
    int imageWidth = 0;
    if (showIcon) {
        QImage bitmap(button->iconSize, QImage::Format_RGB32);
        bitmap.fill(toQColor(barColor));
        {
            QPainter icon(&bitmap);
            button->icon.paint(&icon, QRect(QPoint(0, 0), button->iconSize));
        }
        imageWidth = bitmap.width();
        const int x =
            beside ? content.Left + 3 : int(std::lround((content.Width() - imageWidth) / 2.0 + content.Left));
        const int y = showText && !beside ? content.Top + 2 : content.Top + (content.Height() - iconSize) / 2;
        XPMenuImage(p, *FMenu, colors, bitmap, x, y, {hot || pressed, enabled, checked, true});
    }
    if (showText) {
        const QFontMetrics metrics(toQFont(FMenu->Font()));
        const int textWidth = metrics.horizontalAdvance(QLatin1Char(' ') + button->text);
        TRect box = content;
        if (beside && showIcon) {
            box.Left = content.Left + imageWidth + 6;
            box.Top = content.Top + (content.Height() - metrics.height()) / 2;
        } else {
            box.Left = content.Left + (content.Width() - textWidth) / 2;
            box.Top = showIcon ? content.Bottom - metrics.height() - 6
                               : content.Top + (content.Height() - metrics.height()) / 2;
        }
        if (down && !enabled)
            box = box.translated(-1, -1);
        XPMenuText(p, *FMenu, colors, box, button->text, QString(), {pressed, enabled, false, false},
                   hot ? hotColor : barColor);
    }
    p.restore();
}

void TXPMenuStyle::DrawToolBarHandle(const QStyleOption *Option, QPainter *Painter) const
{
    QPainter &p = *Painter;
    const TXPColors colors = FMenu->WorkingColors(deviceDepth(Painter));
    const TColor barColor = fromQColor(Option->palette.color(QPalette::Button));
    const TRect r = TRect::fromQRect(Option->rect);
    XPFill(p, r, colors.HighColor ? LightenColor(barColor, 6) : barColor);
    int shade = 30;
    for (int y = r.Top + 5; y < r.Bottom - 5; y += 2, shade += 7)
        XPLine(p, {r.Left + 3, y}, {r.Left + 6, y}, ShadeColor(barColor, shade));
}

void TXPMenuStyle::DrawToolBarSeparator(const QStyleOption *Option, QPainter *Painter,
                                        const QWidget *Widget) const
{
    QPainter &p = *Painter;
    const TRect r = TRect::fromQRect(Option->rect);
    const auto *toolBar = qobject_cast<const QToolBar *>(Widget->parentWidget());
    const TColor barColor = fromQColor(toolBar->palette().color(QPalette::Button));
    XPFill(p, r,
           FMenu->WorkingColors(deviceDepth(Painter)).HighColor ? LightenColor(barColor, 16) : barColor);
    const QAction *separator = toolBar->actionAt(Widget->geometry().center());
    if (ComponentTag(separator) > 0) {
        const int x = r.Left + r.Width() / 2;
        XPLine(p, {x, r.Top + 2}, {x, r.Bottom - 1}, ShadeColor(barColor, 30));
    }
}
