#include "controls/TextDraw.h"

#include <QStringList>

#include <algorithm>

namespace {

// A single line never wraps.
bool wraps(uint32_t flags)
{
    return (flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE);
}

int qtFlags(uint32_t flags)
{
    int result = 0;
    if (flags & DT_RIGHT)
        result |= Qt::AlignRight;
    else if (flags & DT_CENTER)
        result |= Qt::AlignHCenter;
    else
        result |= Qt::AlignLeft;

    if (flags & DT_SINGLELINE) {
        result |= Qt::TextSingleLine;
        if (flags & DT_BOTTOM)
            result |= Qt::AlignBottom;
        else if (flags & DT_VCENTER)
            result |= Qt::AlignVCenter;
        else
            result |= Qt::AlignTop;
    } else {
        result |= Qt::AlignTop;
    }
    if (wraps(flags))
        result |= Qt::TextWordWrap;
    if (!(flags & DT_NOPREFIX))
        result |= Qt::TextShowMnemonic;
    return result;
}

// End ellipsis on every line that is too wide (a single-line text is one line).
QString elideLines(const QFontMetrics &metrics, const QString &text, int width, uint32_t flags)
{
    if (!(flags & DT_END_ELLIPSIS) || wraps(flags))
        return text;
    if (flags & DT_SINGLELINE)
        return metrics.elidedText(text, Qt::ElideRight, width, Qt::TextSingleLine);
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = metrics.elidedText(line, Qt::ElideRight, width);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

int CalcTextRect(const QFontMetrics &metrics, const QString &text, TRect &rect, uint32_t flags)
{
    const int unbounded = 1 << 20;
    const int width = wraps(flags) ? std::max(rect.Width(), 1) : unbounded;
    const QRect bounds = metrics.boundingRect(QRect(rect.Left, rect.Top, width, unbounded),
                                              qtFlags(flags) & ~(Qt::AlignVCenter | Qt::AlignBottom), text);
    if (!wraps(flags))
        rect.Right = rect.Left + bounds.width();
    rect.Bottom = rect.Top + bounds.height();
    return bounds.height();
}

int DrawText(QPainter &painter, const QString &text, TRect &rect, uint32_t flags)
{
    const QFontMetrics metrics(painter.font());
    if (flags & DT_CALCRECT)
        return CalcTextRect(metrics, text, rect, flags);
    const QString shown = elideLines(metrics, text, rect.Width(), flags);
    QRect drawn;
    painter.save();
    painter.setClipRect(rect.toQRect(), Qt::IntersectClip);
    painter.drawText(rect.toQRect(), qtFlags(flags), shown, &drawn);
    painter.restore();
    return drawn.height();
}

void SelectFont(QPainter &painter, const TFont &font)
{
    painter.setFont(toQFont(font));
    painter.setPen(toQColor(font.Color));
}

void FillRect(QPainter &painter, const TRect &rect, const TBrush &brush)
{
    if (brush.Style != bsClear)
        painter.fillRect(rect.toQRect(), toQBrush(brush));
}
