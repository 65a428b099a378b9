#include "controls/XPMenuStyle.h"

#include "controls/ComponentTag.h"
#include "controls/XPColors.h"
#include "controls/XPMenu.h"
#include "controls/XPPaint.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace {

constexpr int MenuFrameWidth = 3;
// The extra width of a menu-bar item.
constexpr int MenuBarItemExtra = 8;
constexpr int OwnerDrawPadding = 12;

int deviceDepth(const QPainter *painter)
{
    return painter->device() ? painter->device()->depth() : 32;
}

QString captionOf(const QString &text)
{
    return text.section(QLatin1Char('\t'), 0, 0);
}

QString shortCutOf(const QString &text)
{
    return text.section(QLatin1Char('\t'), 1);
}

// The action an option stands for: the one under its rectangle while drawing, the first with its
// caption while measuring (a measured option has no place yet).
QAction *actionOf(const QStyleOptionMenuItem *item, const QWidget *widget, bool measuring)
{
    QList<QAction *> actions;
    if (const auto *menu = qobject_cast<const QMenu *>(widget)) {
        if (!measuring)
            return menu->actionAt(item->rect.center());
        actions = menu->actions();
    } else if (const auto *bar = qobject_cast<const QMenuBar *>(widget)) {
        if (!measuring)
            return bar->actionAt(item->rect.center());
        actions = bar->actions();
    }
    if (item->menuItemType == QStyleOptionMenuItem::Separator)
        return nullptr;
    const QString caption = captionOf(item->text);
    for (QAction *action : actions)
        if (!action->isSeparator() && captionOf(action->text()) == caption)
            return action;
    return nullptr;
}

// The icon drawn onto an opaque bitmap of the menu's colour, one pixel wider and higher, so that its
// bottom-left pixel, which keys transparency, is always the background.
QImage workBitmap(const QIcon &icon, int size, TColor background)
{
    if (icon.isNull())
        return {};
    QImage bitmap(size + 1, size + 1, QImage::Format_RGB32);
    bitmap.fill(toQColor(background));
    QPainter painter(&bitmap);
    icon.paint(&painter, QRect(0, 0, size, size));
    return bitmap;
}

// The check of a checked item in the image box.
void drawCheck(QPainter &painter, const TXPColors &colors, const TRect &box, bool radio, bool hasImage,
               bool selected, bool enabled)
{
    const TColor fill = selected ? colors.CheckedSelectedFill : colors.CheckedFill;
    const TColor frame = !enabled              ? colors.DisabledText
                         : (radio || hasImage) ? colors.SelectBorder
                                               : colors.CheckFrame;
    if (radio) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(toQColor(frame));
        painter.setBrush(toQColor(fill));
        const QRect rect(box.Left, box.Top, box.Width() - 1, box.Height() - 1);
        if (hasImage)
            painter.drawRoundedRect(rect, 3, 3);
        else
            painter.drawEllipse(rect);
        painter.restore();
        return;
    }
    XPRectangle(painter, box, frame, fill);
    if (hasImage)
        return;
    const TColor tick = enabled ? clBlack : colors.DisabledText;
    const int l = box.Left, t = box.Top, r = box.Right, b = box.Bottom;
    XPLine(painter, {l + 1, t + 5}, {l + 4, b - 2}, tick);
    XPLine(painter, {l + 2, t + 5}, {l + 4, b - 3}, tick);
    XPLine(painter, {l + 2, t + 4}, {l + 5, b - 3}, tick);
    XPLine(painter, {l + 4, b - 3}, {r + 2, t - 1}, tick);
    XPLine(painter, {l + 4, b - 2}, {r - 2, t + 3}, tick);
}

} // namespace

TXPMenuStyle::TXPMenuStyle(TXPMenu *Menu) : FMenu(Menu)
{
    setParent(Menu);
}

int TXPMenuStyle::pixelMetric(PixelMetric Metric, const QStyleOption *Option, const QWidget *Widget) const
{
    if (Metric == PM_XPIconWidth)
        return FMenu->IconWidth();
    if (FMenu->Active() && qobject_cast<const QMenu *>(Widget)) {
        switch (Metric) {
        case PM_MenuPanelWidth:
            return MenuFrameWidth;
        case PM_MenuHMargin:
        case PM_MenuVMargin:
            return 0;
        default:
            break;
        }
    }
    return QProxyStyle::pixelMetric(Metric, Option, Widget);
}

bool TXPMenuStyle::DrawsItem(const QStyleOptionMenuItem *Item, const QWidget *Widget, bool Measuring) const
{
    if (!FMenu->Active())
        return false;
    const QAction *action = actionOf(Item, Widget, Measuring);
    return !action || ComponentTag(action) != XPKeepTag;
}

QSize TXPMenuStyle::sizeFromContents(ContentsType Type, const QStyleOption *Option, const QSize &Size,
                                     const QWidget *Widget) const
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(Option);
    if (item && (Type == CT_MenuItem || Type == CT_MenuBarItem) && DrawsItem(item, Widget, true)) {
        // The platform widens an owner-drawn item beyond its measured width by a check mark less one.
        const QSize measured = MeasureItem(item, Size, Type == CT_MenuBarItem);
        return {measured.width() + OwnerDrawPadding, measured.height()};
    }
    return QProxyStyle::sizeFromContents(Type, Option, Size, Widget);
}

QSize TXPMenuStyle::MeasureItem(const QStyleOptionMenuItem *Item, const QSize &Size, bool MenuBarItem) const
{
    const QFontMetrics metrics(toQFont(FMenu->Font()));
    const bool separator = Item->menuItemType == QStyleOptionMenuItem::Separator;
    QString text = separator ? QString() : captionOf(Item->text);
    const QString shortCut = shortCutOf(Item->text);
    if (!separator && !shortCut.trimmed().isEmpty())
        text += shortCut + QStringLiteral("WWW");

    int width = metrics.horizontalAdvance(text) + 5;
    if (text.contains(QLatin1Char('&')))
        width -= metrics.horizontalAdvance(QLatin1Char('&'));
    const int iconSize = Item->icon.isNull() ? 0 : QProxyStyle::pixelMetric(PM_SmallIconSize, Item, nullptr);
    const int stripWidth = proxy()->pixelMetric(PM_XPIconWidth, Item, nullptr);
    const int imageWidth = MenuBarItem ? iconSize : std::max(iconSize, stripWidth);
    if (imageWidth > 0)
        width += imageWidth;
    if (MenuBarItem)
        width += MenuBarItemExtra;

    int height = 4;
    if (!separator) {
        const int textHeight = metrics.height();
        height = std::max(textHeight + int(std::lround(textHeight * 0.75)), iconSize + 6);
        height = std::max(Size.height(), height);
    }
    return {std::max(Size.width(), width), height};
}

void TXPMenuStyle::drawControl(ControlElement Element, const QStyleOption *Option, QPainter *Painter,
                               const QWidget *Widget) const
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(Option);
    if (item && FMenu->Active()) {
        switch (Element) {
        case CE_MenuItem:
        case CE_MenuBarItem:
            if (DrawsItem(item, Widget, false)) {
                DrawItem(item, Painter, Widget, Element == CE_MenuBarItem);
                return;
            }
            // A kept item stands on the platform's menu colour, not on the strip.
            Painter->fillRect(Option->rect, Option->palette.brush(QPalette::Window));
            break;
        case CE_MenuEmptyArea:
            XPMenuBackground(*Painter, *FMenu, FMenu->WorkingColors(deviceDepth(Painter)),
                             TRect::fromQRect(Option->rect), MenuFrameWidth);
            return;
        case CE_MenuBarEmptyArea:
            if (FMenu->DrawMenuBar()) {
                XPFill(*Painter, TRect::fromQRect(Option->rect),
                       FMenu->WorkingColors(deviceDepth(Painter)).MenuBarColor);
                return;
            }
            break;
        default:
            break;
        }
    }
    QProxyStyle::drawControl(Element, Option, Painter, Widget);
}

void TXPMenuStyle::DrawItem(const QStyleOptionMenuItem *Item, QPainter *Painter, const QWidget *Widget,
                            bool MenuBarItem) const
{
    QPainter &p = *Painter;
    p.save();
    const TXPColors colors = FMenu->WorkingColors(deviceDepth(Painter));
    const int iconWidth = proxy()->pixelMetric(PM_XPIconWidth, Item, Widget);
    const bool enabled = Item->state & State_Enabled;
    const bool selected = MenuBarItem ? (Item->state & State_Selected) && (Item->state & State_Sunken)
                                      : bool(Item->state & State_Selected);
    const bool separator = Item->menuItemType == QStyleOptionMenuItem::Separator;
    const bool checked = Item->checkType != QStyleOptionMenuItem::NotCheckable && Item->checked;
    const bool radio = Item->checkType == QStyleOptionMenuItem::Exclusive;

    TRect r = TRect::fromQRect(Item->rect);
    r.Bottom -= 1;

    const int iconSize = QProxyStyle::pixelMetric(PM_SmallIconSize, Item, Widget);
    const QImage image =
        workBitmap(Item->icon, iconSize, MenuBarItem ? colors.MenuBarColor : colors.MenuColor);
    const bool hasImage = !image.isNull();

    const TRect iconBox{r.Left, r.Top, r.Left + iconWidth, r.Bottom};
    TRect imageBox;
    if (hasImage) {
        imageBox = {iconBox.Left + 1, iconBox.Top + 2, iconBox.Right - 3, iconBox.Bottom - 2};
        if (image.width() > iconWidth)
            imageBox.Right = imageBox.Left + image.width() + 2;
    } else {
        imageBox = TRect::Bounds(iconBox.Left + (iconWidth - 10) / 2,
                                 iconBox.Top + (iconBox.Height() - 10) / 2, 10, 10);
    }
    if (MenuBarItem)
        imageBox = imageBox.translated(0, -1);

    TRect textBox{r.Left + iconWidth, r.Top, r.Right, r.Bottom};
    if (hasImage && image.width() > iconWidth)
        textBox.Left = r.Left + image.width() + 4;
    if (MenuBarItem)
        textBox.Left = hasImage ? r.Left + image.width() + 4 - 5 : r.Left;

    // Background and selection.
    TColor textBackground = colors.MenuColor;
    if (MenuBarItem) {
        XPFill(p, r, colors.MenuBarColor);
        textBackground = colors.MenuBarColor;
        if (selected && FMenu->DrawSelect()) {
            XPTabLook(p, colors, r, colors.MenuBarColor);
            textBackground = colors.SelectFill;
        }
    } else {
        XPMenuBackground(p, *FMenu, colors, {r.Left, r.Top, r.Right + 2, r.Bottom}, r.Left);
        if (selected && enabled && FMenu->DrawSelect()) {
            const TRect box{r.Left, r.Top + 1, r.Right - (FMenu->FlatMenu() ? 1 : 0), r.Bottom - 1};
            XPRectangle(p, box, colors.SelectBorder, colors.SelectFill);
            textBackground = colors.SelectFill;
        }
    }

    if (checked)
        drawCheck(p, colors, imageBox, radio, hasImage, selected, enabled);
    if (hasImage) {
        int x =
            image.width() < iconWidth ? iconBox.Left + (iconWidth - image.width()) / 2 - 1 : iconBox.Left + 2;
        if (MenuBarItem)
            x = r.Left + 1;
        XPMenuImage(p, *FMenu, colors, image, x, iconBox.Top + 3, {selected, enabled, checked, !MenuBarItem});
    }

    if (separator) {
        const int y = textBox.Top + int(std::lround(textBox.Height() / 2.0));
        XPLine(p, {textBox.Left + 7, y}, {textBox.Right, y}, colors.SeparatorColor);
    } else {
        const QFontMetrics metrics(toQFont(FMenu->Font()));
        TRect box = textBox;
        box.Left += 3;
        box.Top += (box.Height() - metrics.boundingRect(QLatin1Char('W')).height()) / 2;
        const bool isDefault = Item->menuItemType == QStyleOptionMenuItem::DefaultItem;
        XPMenuText(p, *FMenu, colors, box, captionOf(Item->text), shortCutOf(Item->text),
                   {selected, enabled, isDefault, MenuBarItem}, textBackground);
        if (Item->menuItemType == QStyleOptionMenuItem::SubMenu) {
            QStyleOptionMenuItem arrow = *Item;
            arrow.rect = QRect(r.Right - 14, r.Top, 10, r.Height());
            const QColor color = toQColor(enabled ? colors.FontColor : colors.DisabledText);
            for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
                arrow.palette.setColor(role, color);
            QProxyStyle::drawPrimitive(PE_IndicatorArrowRight, &arrow, &p, Widget);
        }
    }
    p.restore();

    // Menus added to this item since the last hooking take the look too.
    if (const auto *menu = qobject_cast<const QMenu *>(Widget))
        if (QAction *action = menu->actionAt(Item->rect.center()); action && action->menu())
            FMenu->HookMenu(action->menu(), false);
}

void TXPMenuStyle::drawPrimitive(PrimitiveElement Element, const QStyleOption *Option, QPainter *Painter,
                                 const QWidget *Widget) const
{
    if (FMenu->Active()) {
        switch (Element) {
        case PE_PanelMenu:
            if (qobject_cast<const QMenu *>(Widget)) {
                XPMenuBackground(*Painter, *FMenu, FMenu->WorkingColors(deviceDepth(Painter)),
                                 TRect::fromQRect(Option->rect), MenuFrameWidth);
                return;
            }
            break;
        case PE_FrameMenu:
            if (qobject_cast<const QMenu *>(Widget)) {
                DrawMenuFrame(Option, Painter, Widget);
                return;
            }
            break;
        case PE_IndicatorToolBarHandle:
            if (qobject_cast<const QToolBar *>(Widget)) {
                DrawToolBarHandle(Option, Painter);
                return;
            }
            break;
        case PE_IndicatorToolBarSeparator:
            if (Widget && qobject_cast<const QToolBar *>(Widget->parentWidget())) {
                DrawToolBarSeparator(Option, Painter, Widget);
                return;
            }
            break;
        default:
            break;
        }
    }
    QProxyStyle::drawPrimitive(Element, Option, Painter, Widget);
}

void TXPMenuStyle::DrawMenuFrame(const QStyleOption *Option, QPainter *Painter, const QWidget *Widget) const
{
    QPainter &p = *Painter;
    const TRect whole = TRect::fromQRect(Widget->rect());
    if (!FMenu->FlatMenu()) {
        XPFill(p, whole, ColorToRGB(clMenu));
        QProxyStyle::drawPrimitive(PE_FrameMenu, Option, Painter, Widget);
        return;
    }
    const TXPColors colors = FMenu->WorkingColors(deviceDepth(Painter));
    const TRect frame{whole.Left, whole.Top, whole.Right - 2, whole.Bottom - 2};
    XPMenuBackground(p, *FMenu, colors,
                     {frame.Left + 1, frame.Top + 1, frame.Right - 1, frame.Top + MenuFrameWidth},
                     MenuFrameWidth);
    XPFill(p, {frame.Left + 1, frame.Top + 1, frame.Left + MenuFrameWidth, frame.Bottom - 1},
           colors.IconColor);
    XPRectangle(p, frame, colors.FrameLight, std::nullopt);
    XPFill(p, {whole.Left, whole.Bottom - 2, whole.Right, whole.Bottom}, colors.FrameDark);
    XPFill(p, {whole.Right - 2, whole.Top, whole.Right, whole.Bottom}, colors.FrameDark);
    XPFill(p, {whole.Left, whole.Bottom - 2, whole.Left + 2, whole.Bottom}, ColorToRGB(clBtnFace));
    XPFill(p, {whole.Right - 2, whole.Top, whole.Right, whole.Top + 2}, ColorToRGB(clBtnFace));
}

void TXPMenuStyle::drawComplexControl(ComplexControl Control, const QStyleOptionComplex *Option,
                                      QPainter *Painter, const QWidget *Widget) const
{
    if (Control == CC_ToolButton && FMenu->Active() && Widget &&
        qobject_cast<const QToolBar *>(Widget->parentWidget())) {
        DrawToolButton(Option, Painter, Widget);
        return;
    }
    QProxyStyle::drawComplexControl(Control, Option, Painter, Widget);
}
