// Painting of the rich-text viewer: background, fragments with the selection and the hovered jump.

#include "controls/RichView.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QtDebug>

#include <exception>

namespace {

// Text is drawn this many pixels below its layout position.
constexpr int TextDrop = 2;

} // namespace

void TRichView::drawBackground(QPainter &painter, const TRect &clip)
{
    const int width = viewport()->width();
    const int height = viewport()->height();
    const QPixmap &bitmap = FBackgroundBitmap;
    painter.save();
    painter.setClipRect(clip.toQRect());
    if (!bitmap.isNull() && FBackgroundStyle == bsStretched) {
        painter.drawPixmap(QRect(0, 0, width, height), bitmap);
    } else if (!bitmap.isNull() && FBackgroundStyle == bsTiled) {
        // Tiles on a grid fixed to the client origin.
        for (int row = clip.Top / bitmap.height(); row <= clip.Bottom / bitmap.height(); ++row)
            for (int column = clip.Left / bitmap.width(); column <= clip.Right / bitmap.width(); ++column)
                painter.drawPixmap(column * bitmap.width(), row * bitmap.height(), bitmap);
    } else if (!bitmap.isNull() && FBackgroundStyle == bsTiledAndScrolled) {
        // Tiles on a grid fixed to the document origin.
        const int offsetY = DocOffsetY();
        for (int row = (offsetY + clip.Top) / bitmap.height(); row <= (offsetY + clip.Bottom) / bitmap.height(); ++row)
            for (int column = (clip.Left + ScrollX) / bitmap.width();
                 column <= (clip.Right + ScrollX) / bitmap.width(); ++column)
                painter.drawPixmap(column * bitmap.width() - ScrollX, row * bitmap.height() - offsetY, bitmap);
    } else {
        painter.fillRect(clip.toQRect(), toQColor(FStyle->Color, palette()));
    }
    painter.restore();
}

void TRichView::drawFragment(QPainter &painter, int index, const TSelBounds &bounds)
{
    const TDrawLineInfo &fragment = FDrawList[size_t(index)];
    const TLineInfo &item = FLineList[size_t(fragment.LineIndex)];
    const TFontInfo &style = FStyle->TextStyles.Items(item.StyleCode);
    const QFont font = toQFont(style);
    const QFontMetrics metrics(font);
    painter.setFont(font);

    const bool hover = item.StyleCode >= FirstJumpStyle && item.StyleCode <= LastJumpStyle && FHoverActive
                    && item.ImageOrJumpNo == FHoverJump;
    const QColor normalColor = toQColor(hover ? FStyle->HoverColor : style.Color, palette());
    const QColor selectedColor = hover ? normalColor : toQColor(FStyle->SelTextColor, palette());
    const QColor selectedBack = toQColor(FStyle->SelColor, palette());

    const int baseline = fragment.Top - DocOffsetY() + TextDrop + metrics.ascent();
    int x = fragment.Left - ScrollX;
    // Draws T[from .. to] (1-based, inclusive) at x and moves x past it.
    const auto draw = [&](int from, int to, bool selected) {
        const QString part = fragment.Text.mid(from - 1, std::max(0, to - from + 1));
        const int width = metrics.horizontalAdvance(part);
        if (selected && !part.isEmpty())
            painter.fillRect(x, baseline - metrics.ascent(), width, metrics.height(), selectedBack);
        painter.setPen(selected ? selectedColor : normalColor);
        painter.drawText(x, baseline, part);
        x += width;
    };

    const int length = int(fragment.Text.size());
    const auto [startItem, endItem, startOffset, endOffset] = bounds;
    if (index < startItem || index > endItem) {
        draw(1, length, false);
    } else if ((startItem < index && index < endItem) || (index == startItem && startItem != endItem && startOffset < 2)
               || (index == endItem && endItem != startItem && endOffset > length)) {
        draw(1, length, true);
    } else if (index == endItem && endItem != startItem) {
        draw(1, endOffset - 1, true);
        draw(endOffset, length, false);
    } else {
        draw(1, startOffset - 1, false);
        if (index == endItem && endOffset <= length) {
            draw(startOffset, endOffset - 1, true);
            draw(endOffset, length, false);
        } else {
            draw(startOffset, length, true);
        }
    }
}

void TRichView::paintEvent(QPaintEvent *event)
{
    // Qt's backing store is the off-screen picture: the view never shows half a paint.
    QPainter painter(viewport());
    const TRect clip = TRect::fromQRect(event->rect());
    if (!FStyle) {
        painter.fillRect(clip.toQRect(), toQColor(clWindow, palette()));
        return;
    }
    try {
        const TSelBounds bounds = GetSelBounds();
        drawBackground(painter, clip);
        const int offsetY = DocOffsetY();
        const int count = int(FDrawList.size());
        bool pastBottom = false;
        for (int i = FirstItemToPaint(clip.Top + offsetY - TextDrop); i < count; ++i) {
            // Past the clip, stop where the next visual line starts.
            if (pastBottom && FDrawList[size_t(i)].Left <= FDrawList[size_t(i - 1)].Left)
                break;
            drawFragment(painter, i, bounds);
            if (FDrawList[size_t(i)].Top > clip.Bottom + offsetY - TextDrop)
                pastBottom = true;
        }
    } catch (const std::exception &error) {
        // A style number that is no longer among the styles.
        qWarning() << "TRichView:" << error.what();
    }
}

int TRichView::FirstItemToPaint(int y) const
{
    const int count = int(FDrawList.size());
    if (count == 0 || y <= FDrawList[0].Top)
        return 0;
    int low = 1;
    int high = count - 1;
    int middle = 1;
    while (high - low >= 2) {
        middle = (high + low) / 2;
        if (y > FDrawList[size_t(middle)].Top)
            low = middle;
        else if (y > FDrawList[size_t(middle - 1)].Top)
            break;
        else
            high = middle;
    }
    middle = std::min(middle, count - 1);
    const auto lineStart = [this](int i) {
        while (i > 0 && !FDrawList[size_t(i)].StartsLine)
            --i;
        return i;
    };
    // Back to the start of the line before, and one fragment more.
    middle = lineStart(middle);
    middle = lineStart(std::max(0, middle - 1));
    return std::max(0, middle - 1);
}
