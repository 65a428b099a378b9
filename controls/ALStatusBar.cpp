#include "controls/ALStatusBar.h"

#include <QPainter>

namespace {

constexpr int PanelTop = 2;
constexpr int TextIndent = 2;

} // namespace

TALStatusBar::TALStatusBar(QWidget *parent)
    : QStatusBar(parent)
{
}

TRect TALStatusBar::PanelRect(int index) const
{
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += Panels[size_t(i)].Width;
    const bool last = index + 1 == int(Panels.size());
    const int right = last ? width() : left + Panels[size_t(index)].Width;
    return {left, PanelTop, right, height()};
}

void TALStatusBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    for (int i = 0; i < int(Panels.size()); ++i) {
        const TRect r = PanelRect(i);
        if (r.isEmpty())
            continue;
        // A lowered bevel: shadow on the top and left, light on the bottom and right.
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(r.Left, r.Top, r.Right - 2, r.Top);
        painter.drawLine(r.Left, r.Top, r.Left, r.Bottom - 1);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(r.Left, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
        painter.drawLine(r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1);
        const TRect textRect{r.Left + 1 + TextIndent, r.Top + 1, r.Right - 1, r.Bottom - 1};
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(textRect.toQRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         Panels[size_t(i)].Text);
    }
}
