// The flat looks that TControlSubClass paints over its control, after the control painted itself.
#include "controls/ControlSubClass.h"

#include "controls/ComponentTag.h"
#include "controls/XPColors.h"
#include "controls/XPPaint.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QToolButton>

namespace {

// Controls with this Tag take their faces from the parent's colour.
constexpr int ParentColorTag = 1000;

TColor colorOf(const QWidget *widget, QPalette::ColorRole role = QPalette::Window)
{
    return widget ? fromQColor(widget->palette().color(role)) : ColorToRGB(clBtnFace);
}

int thumbWidth(const QWidget *control)
{
    return control->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, control);
}

// A caption centred in Rect through the menu text routine.
void centredCaption(QPainter &painter, const TXPMenu &menu, const TXPColors &colors, const TRect &rect,
                    const QString &caption, bool enabled, TColor background)
{
    const QFontMetrics metrics(toQFont(menu.Font()));
    const int width = metrics.horizontalAdvance(QLatin1Char(' ') + caption) -
                      (caption.contains(QLatin1Char('&')) ? metrics.horizontalAdvance(QLatin1Char('&')) : 0);
    TRect box = rect;
    box.Left = rect.Left + (rect.Width() - width) / 2;
    box.Top = rect.Top + (rect.Height() - metrics.height()) / 2;
    XPMenuText(painter, menu, colors, box, caption, QString(), {false, enabled, false, false}, background);
}

QImage glyphOf(const QIcon &icon, QSize size, TColor background)
{
    if (icon.isNull())
        return {};
    QImage bitmap(size, QImage::Format_RGB32);
    bitmap.fill(toQColor(background));
    QPainter painter(&bitmap);
    icon.paint(&painter, QRect(QPoint(0, 0), size));
    return bitmap;
}

} // namespace

void TControlSubClass::PaintLook()
{
    QWidget *control = FControl;
    QPainter p(control);
    const TXPColors colors = FXPMenu->WorkingColors(p.device()->depth());
    const TXPMenu &menu = *FXPMenu;
    const TRect client = TRect::fromQRect(control->rect());
    const TColor parentColor = colorOf(control->parentWidget());
    const TColor ownColor = colorOf(control, QPalette::Base);
    const bool enabled = control->isEnabled();
    const bool hotOrFocused = FHot || FFocused;
    const bool parentTagged = ComponentTag(control) == ParentColorTag;

    switch (FLook) {
    case TXPLook::Edit:
    case TXPLook::RichEdit: {
        TColor frame = FPrevFrame ? ShadeColor(parentColor, 60) : parentColor;
        if (hotOrFocused)
            frame = LightenColor(colors.SelectBorder, FLook == TXPLook::RichEdit || FPrevFrame ? 60 : 80);
        XPRectangle(p, client, frame, std::nullopt);
        break;
    }
    case TXPLook::Combo: {
        const auto *combo = static_cast<QComboBox *>(control);
        const bool dropped = combo->view() && combo->view()->isVisible();
        TColor border = ownColor;
        TColor buttonFill = parentTagged ? LightenColor(parentColor, 16) : ColorToRGB(clBtnFace);
        if (FHot) {
            border = colors.SelectBorder;
            buttonFill = colors.SelectFill;
        } else if (FFocused) {
            border = LightenColor(colors.SelectBorder, 60);
            buttonFill = colors.CheckedFill;
        }
        if (dropped) {
            border = colors.SelectBorder;
            buttonFill = colors.CheckedSelectedFill;
        }
        XPRectangle(p, client, parentColor, std::nullopt);
        XPFill(p, {client.Left + 1, client.Top + 1, client.Right - 1, client.Top + 2}, parentColor);
        const int inset = hotOrFocused ? 1 : 2;
        TRect ring{client.Left + 1, client.Top + inset, client.Right - 1, client.Bottom - inset};
        XPRectangle(p, ring, ownColor, std::nullopt);
        ring.Bottom += 1;
        XPRectangle(p, ring, border, std::nullopt);
        const int buttonWidth = thumbWidth(control) + 1 + (hotOrFocused ? 1 : 0);
        const TRect button{ring.Right - 1 - buttonWidth, ring.Top + 1, ring.Right - 1, ring.Bottom - 1};
        XPFill(p, button, buttonFill);
        XPFill(p, {button.Left, button.Top, button.Left + 5, button.Bottom}, ownColor);
        XPFill(p, {button.Left + 5, button.Top, button.Left + 6, button.Bottom}, border);
        const TColor arrow = !enabled || dropped ? clWhite : clBlack;
        const int x = client.Right - 10;
        for (int line = 0; line < 3; ++line)
            XPFill(p, {x + line, client.Top + 10 + line, x + 5 - line, client.Top + 11 + line}, arrow);
        break;
    }
    case TXPLook::CheckBox:
    case TXPLook::RadioButton: {
        const bool checkBox = FLook == TXPLook::CheckBox;
        const auto *button = static_cast<QAbstractButton *>(control);
        QStyleOptionButton option;
        option.initFrom(control);
        const TRect indicator = TRect::fromQRect(control->style()->subElementRect(
            checkBox ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator, &option, control));
        const Qt::CheckState state = checkBox ? static_cast<const QCheckBox *>(control)->checkState()
                                              : (button->isChecked() ? Qt::Checked : Qt::Unchecked);
        const bool pressed = FMouseDown || FSpaceDown;
        TColor fill = ColorToRGB(clWindow);
        TColor frame = ColorToRGB(clBtnShadow);
        if (FHot) {
            fill = colors.SelectFill;
            frame = colors.SelectBorder;
        }
        if (FFocused) {
            fill = colors.SelectFill;
            if (checkBox)
                frame = colors.SelectBorder;
        }
        if (checkBox && pressed)
            fill = colors.CheckedSelectedFill;
        if (checkBox && state == Qt::PartiallyChecked)
            fill = clSilver;
        XPFill(p, indicator, colorOf(control));
        const TRect box = indicator.inflated(-1, -1);
        if (checkBox) {
            XPRectangle(p, box, frame, fill);
            if (state != Qt::Unchecked) {
                const TColor tick = !enabled                        ? colors.DisabledText
                                    : pressed                       ? ColorToRGB(clWindow)
                                    : state == Qt::PartiallyChecked ? clGray
                                                                    : ColorToRGB(clHighlight);
                for (int k = 0; k < 3; ++k) {
                    XPLine(p, {box.Left + 2, box.Bottom - 5 - k}, {box.Left + 4, box.Bottom - 3 - k}, tick);
                    XPLine(p, {box.Left + 4, box.Bottom - 3 - k}, {box.Left + 9, box.Bottom - 8 - k}, tick);
                }
            }
        } else {
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(toQColor(frame));
            p.setBrush(toQColor(fill));
            p.drawEllipse(QRect(box.Left, box.Top, box.Width() - 1, box.Height() - 1));
            if (state == Qt::Checked) {
                const QColor dot = toQColor(enabled ? ColorToRGB(clHighlight) : colors.DisabledText);
                p.setPen(dot);
                p.setBrush(dot);
                const TRect inner = box.inflated(-3, -3);
                p.drawEllipse(QRect(inner.Left, inner.Top, inner.Width() - 1, inner.Height() - 1));
            }
        }
        break;
    }
    case TXPLook::Button:
    case TXPLook::BitBtn: {
        const auto *button = static_cast<QPushButton *>(control);
        TColor face = parentTagged ? LightenColor(parentColor, 16) : colors.IconColor;
        if (FHot)
            face = parentTagged ? LightenColor(parentColor, 40) : LightenColor(clBtnFace, 40);
        const TColor frame = hotOrFocused ? LightenColor(colors.SelectBorder, 60) : ColorToRGB(clBtnShadow);
        XPFill(p, client, parentColor);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(toQColor(LightenColor(frame, 30)));
        p.setBrush(toQColor(face));
        p.drawRoundedRect(QRect(client.Left, client.Top, client.Width() - 1, client.Height() - 1), 2, 2);
        if (enabled) {
            const bool pressed = FSpaceDown || (FMouseDown && FHot) || button->isDown();
            const TColor edge = ShadeColor(frame, 50);
            const TRect inner = client.inflated(-1, -1);
            if (pressed) {
                XPFill(p, {inner.Left, inner.Top, inner.Right, inner.Top + 1}, edge);
                XPFill(p, {inner.Left, inner.Top, inner.Left + 1, inner.Bottom}, edge);
            } else {
                XPFill(p, {inner.Left, inner.Bottom - 1, inner.Right, inner.Bottom}, edge);
                XPFill(p, {inner.Right - 1, inner.Top, inner.Right, inner.Bottom}, edge);
            }
        }
        TRect textRect = client;
        if (FLook == TXPLook::BitBtn) {
            const QImage glyph = glyphOf(button->icon(), button->iconSize(), face);
            const QFontMetrics metrics(toQFont(menu.Font()));
            const int total = glyph.width() + 4 + metrics.horizontalAdvance(button->text());
            const int x = client.Left + (client.Width() - total) / 2;
            XPMenuImage(p, menu, colors, glyph, x, client.Top + (client.Height() - glyph.height()) / 2,
                        {FHot, enabled, false, false});
            textRect.Left = x + glyph.width() + 4;
            textRect.Right = textRect.Left + total - glyph.width();
        }
        centredCaption(p, menu, colors, textRect, button->text(), enabled, face);
        break;
    }
    case TXPLook::SpeedButton: {
        const auto *button = static_cast<QToolButton *>(control);
        const bool flat = button->autoRaise();
        const bool down = button->isChecked() || button->isDown();
        TColor face = flat ? parentColor : colors.IconColor;
        TColor frame = ColorToRGB(clBtnShadow);
        if (parentTagged)
            face = LightenColor(parentColor, FHot ? 40 : 16);
        else if (FHot)
            face = flat ? colors.SelectFill : LightenColor(clBtnFace, 40);
        if (FHot)
            frame = LightenColor(colors.SelectBorder, 60);
        if (down) {
            face = FHot ? colors.CheckedSelectedFill : colors.CheckedFill;
            frame = colors.SelectBorder;
        }
        if (!enabled)
            frame = ColorToRGB(clBtnShadow);
        const bool outlined = !(flat && !FHot && !down);
        XPRectangle(p, client, outlined ? LightenColor(frame, 30) : face, face);
        if (enabled) {
            const TColor edge = ShadeColor(frame, 50);
            const TRect inner = client.inflated(-1, -1);
            if (flat && (FMouseDown || down)) {
                XPRectangle(p, client, frame, std::nullopt);
                XPFill(p, {inner.Left, inner.Top, inner.Right, inner.Top + 1}, edge);
                XPFill(p, {inner.Left, inner.Top, inner.Left + 1, inner.Bottom}, edge);
            } else if (flat && FHot) {
                XPRectangle(p, client, colors.SelectBorder, std::nullopt);
            } else if (!flat && (FMouseDown || down)) {
                XPFill(p, {inner.Left, inner.Top, inner.Right, inner.Top + 1}, edge);
                XPFill(p, {inner.Left, inner.Top, inner.Left + 1, inner.Bottom}, edge);
            } else if (!flat) {
                XPFill(p, {inner.Left, inner.Bottom - 1, inner.Right, inner.Bottom}, edge);
                XPFill(p, {inner.Right - 1, inner.Top, inner.Right, inner.Bottom}, edge);
            }
        }
        const QImage glyph = glyphOf(button->icon(), button->iconSize(), face);
        if (!glyph.isNull())
            XPMenuImage(p, menu, colors, glyph, client.Left + (client.Width() - glyph.width()) / 2,
                        client.Top + (client.Height() - glyph.height()) / 2, {FHot, enabled, down, false});
        else
            centredCaption(p, menu, colors, client, button->text(), enabled, face);
        break;
    }
    case TXPLook::Panel: {
        const auto *frame = static_cast<QFrame *>(control);
        if (frame->frameShadow() == QFrame::Plain || frame->frameShape() == QFrame::NoFrame)
            break;
        const TColor color = colorOf(control);
        const TColor shadow = ShadeColor(color, 60);
        const TColor light = LightenColor(color, 60);
        const bool raised = frame->frameShadow() == QFrame::Raised;
        TRect ring = client;
        for (int i = 0; i < frame->lineWidth(); ++i, ring = ring.inflated(-1, -1)) {
            const TColor topLeft = raised ? light : shadow;
            const TColor bottomRight = raised ? shadow : light;
            XPFill(p, {ring.Left, ring.Top, ring.Right, ring.Top + 1}, topLeft);
            XPFill(p, {ring.Left, ring.Top, ring.Left + 1, ring.Bottom}, topLeft);
            XPFill(p, {ring.Left, ring.Bottom - 1, ring.Right, ring.Bottom}, bottomRight);
            XPFill(p, {ring.Right - 1, ring.Top, ring.Right, ring.Bottom}, bottomRight);
        }
        break;
    }
    case TXPLook::GroupBox: {
        auto *group = static_cast<QGroupBox *>(control);
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QStyle *style = control->style();
        const TRect label = TRect::fromQRect(
            style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group));
        const int top = label.isEmpty() ? 0 : label.Top + label.Height() / 2;
        const TRect frame{client.Left, top, client.Right, client.Bottom};
        const TColor color = colorOf(control);
        const TColor light = LightenColor(color, 60);
        const TColor shadow = ShadeColor(color, 60);
        // The old frame goes under the control's colour.
        XPRectangle(p, frame, color, std::nullopt);
        XPRectangle(p, frame.inflated(-1, -1), color, std::nullopt);
        XPFill(p, {client.Left, client.Top, client.Right, top}, parentColor);
        XPFill(p, label, color);
        XPFill(p, {frame.Left, frame.Top, frame.Left + 1, frame.Bottom}, light);
        XPFill(p, {frame.Left, frame.Bottom - 1, frame.Right, frame.Bottom}, shadow);
        XPFill(p, {frame.Right - 1, frame.Top, frame.Right, frame.Bottom}, shadow);
        XPFill(p, {frame.Left, frame.Top, label.Left - 2, frame.Top + 1}, light);
        XPFill(p, {label.Right + 2, frame.Top, frame.Right, frame.Top + 1}, light);
        p.setFont(group->font());
        p.setPen(toQColor(enabled ? colorOf(control, QPalette::WindowText) : colors.DisabledText));
        p.drawText(label.toQRect(), Qt::AlignCenter | Qt::TextShowMnemonic, group->title());
        break;
    }
    case TXPLook::None:
        break;
    }
}
