// Jumps, mouse selection, clicked words and copying of the rich-text viewer.

#include "controls/RichView.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegion>
#include <QTimer>
#include <QtDebug>

#include <algorithm>
#include <exception>

namespace {

constexpr int AutoScrollInterval = 100;
constexpr int FastAutoScrollMargin = 20;
constexpr int JumpRepaintMargin = 5;

bool holds(const TDrawLineInfo &fragment, int x, int y)
{
    return fragment.Left <= x && x < fragment.Left + fragment.Width && fragment.Top <= y && y < fragment.Bottom();
}

// Runs an event's work; an exception (a style number no longer among the styles) ends it quietly.
template <typename Work>
void guarded(Work &&work)
{
    try {
        work();
    } catch (const std::exception &error) {
        qWarning() << "TRichView:" << error.what();
    }
}

} // namespace

// ---- selection

TSelBounds TRichView::GetSelBounds() const
{
    const bool anchorFirst = FSelAnchor.Item < FSelEnd.Item
                          || (FSelAnchor.Item == FSelEnd.Item && FSelAnchor.Offset <= FSelEnd.Offset);
    const TSelPoint &start = anchorFirst ? FSelAnchor : FSelEnd;
    const TSelPoint &end = anchorFirst ? FSelEnd : FSelAnchor;
    return {start.Item, end.Item, start.Offset, end.Offset};
}

bool TRichView::SelectionExists() const
{
    return FSelAnchor.Item != -1 && FSelEnd.Item != -1
        && (FSelAnchor.Item != FSelEnd.Item || FSelAnchor.Offset != FSelEnd.Offset);
}

QString TRichView::GetSelText() const
{
    if (!SelectionExists())
        return {};
    const TSelBounds bounds = GetSelBounds();
    const ItemPoint start = toItemPoint({bounds.StartItem, bounds.StartOffset});
    const ItemPoint end = toItemPoint({bounds.EndItem, bounds.EndOffset});
    const auto &items = FLineList;
    if (start.Item == end.Item)
        return items[size_t(start.Item)].Text.mid(start.Offset - 1, std::max(0, end.Offset - start.Offset));

    QString text = items[size_t(start.Item)].Text.mid(start.Offset - 1);
    for (int i = start.Item + 1; i <= end.Item; ++i) {
        if (!items[size_t(i)].SameParagraph)
            text += QLatin1Char('\r');
        text += i == end.Item ? items[size_t(i)].Text.left(std::max(0, end.Offset - 1)) : items[size_t(i)].Text;
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void TRichView::CopySelection() const
{
    if (!SelectionExists())
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(GetSelText());
}

void TRichView::Deselect()
{
    FSelecting = false;
    FSelAnchor = {};
    FSelEnd = {};
    if (OnSelect)
        OnSelect(this);
}

int TRichView::fittingChars(const QString &text, int width, int styleCode) const
{
    const QFontMetrics metrics(toQFont(FStyle->TextStyles.Items(styleCode)));
    // The longest prefix whose extent fits.
    int low = 0;
    int high = int(text.size());
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(text.left(middle)) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

int TRichView::FindItemAt(int x, int y) const
{
    const int count = int(FDrawList.size());
    if (count == 0)
        return -1;
    if (holds(FDrawList[0], x, y))
        return 0;
    if (count == 1)
        return -1;
    int low = 1;
    int high = count - 1;
    while (high - low >= 2) {
        const int middle = (high + low) / 2;
        if (FDrawList[size_t(middle)].Top > y)
            high = middle;
        else
            low = middle;
    }
    while (low > 0 && FDrawList[size_t(low - 1)].Bottom() > FDrawList[size_t(low)].Top)
        --low;
    // The fragments of that visual line, then those of the following one.
    int i = low;
    for (int line = 0; line < 2 && i < count; ++line) {
        const int lineBottom = FDrawList[size_t(i)].Bottom() - 1;
        for (; i < count && FDrawList[size_t(i)].Top <= lineBottom; ++i) {
            if (holds(FDrawList[size_t(i)], x, y))
                return i;
        }
    }
    return -1;
}

TSelPoint TRichView::FindSelectionPoint(int x, int y) const
{
    const int count = int(FDrawList.size());
    if (count == 0)
        return {};
    const auto fragment = [this](int i) -> const TDrawLineInfo & { return FDrawList[size_t(i)]; };

    // The visual line holding y, found by its last fragment that begins at or above y.
    int index = 0;
    if (y >= fragment(0).Bottom()) {
        int low = 0;
        int high = count - 1;
        while (low < high) {
            const int middle = (low + high + 1) / 2;
            if (fragment(middle).Top <= y)
                low = middle;
            else
                high = middle - 1;
        }
        index = low;
    }
    int first = index;
    while (first > 0 && fragment(first - 1).Bottom() > fragment(first).Top)
        --first;
    int last = index;
    while (last < count - 1 && fragment(last + 1).Top < fragment(last).Bottom())
        ++last;
    TRect box{fragment(first).Left, fragment(first).Top, fragment(first).Left + fragment(first).Width,
              fragment(first).Bottom()};
    for (int i = first + 1; i <= last; ++i) {
        box.Left = std::min(box.Left, fragment(i).Left);
        box.Top = std::min(box.Top, fragment(i).Top);
        box.Right = std::max(box.Right, fragment(i).Left + fragment(i).Width);
        box.Bottom = std::max(box.Bottom, fragment(i).Bottom());
    }

    if (y < box.Top || x < box.Left)
        return {first, 1};
    if (x <= box.Right && y < box.Bottom) {
        int holder = -1;
        for (int i = first; i <= last; ++i) {
            if (fragment(i).Left <= x && x <= fragment(i).Left + fragment(i).Width)
                holder = i;
        }
        if (holder < 0) {
            // In a gap between fragments: after the end of the nearest fragment to the left.
            for (int i = first; i <= last; ++i) {
                if (fragment(i).Left <= x)
                    holder = i;
            }
            return {holder, int(fragment(holder).Text.size()) + 1};
        }
        const TDrawLineInfo &hit = fragment(holder);
        const int length = int(hit.Text.size());
        const int styleCode = FLineList[size_t(hit.LineIndex)].StyleCode;
        return {holder, std::min(fittingChars(hit.Text, x - hit.Left, styleCode) + 1, std::max(length, 1))};
    }
    if (last + 1 < count)
        return {last + 1, 1};
    return {count - 1, int(fragment(count - 1).Text.size()) + 1};
}

TClickedWord TRichView::GetClickedWord() const
{
    const int x = FClickPos.x() + ScrollX;
    const int index = FindItemAt(x, DocOffsetY() + FClickPos.y());
    if (index < 0)
        return {};
    const TDrawLineInfo &fragment = FDrawList[size_t(index)];
    const QString &text = fragment.Text;
    TClickedWord result{text, FLineList[size_t(fragment.LineIndex)].StyleCode, true};
    const int length = int(text.size());
    const int n = std::min(fittingChars(text, x - fragment.Left, result.StyleCode) + 1, length);
    if (n < 1 || Delimiters.contains(text[n - 1])) {
        result.Word.clear();
        return result;
    }
    int from = n;
    while (from > 1 && !Delimiters.contains(text[from - 2]))
        --from;
    int to = n;
    while (to < length && !Delimiters.contains(text[to]))
        ++to;
    result.Word = text.mid(from - 1, to - from + 1);
    return result;
}

// ---- jumps

QRect TRichView::jumpClientRect(const TJumpInfo &jump) const
{
    return QRect(jump.Left - ScrollX, jump.Top - DocOffsetY(), jump.Width, jump.Height);
}

int TRichView::jumpAt(QPoint point, bool edgesIncluded) const
{
    for (const TJumpInfo &jump : FJumpList) {
        TRect r = TRect::fromQRect(jumpClientRect(jump));
        if (edgesIncluded)
            r = {r.Left, r.Top, r.Right + 1, r.Bottom + 1};
        if (r.contains(point))
            return jump.JumpId;
    }
    return -1;
}

void TRichView::InvalidateJump(int id)
{
    if (!FStyle)
        return;
    if (FStyle->FullRedraw) {
        viewport()->repaint();
        return;
    }
    QRegion region;
    for (const TJumpInfo &jump : FJumpList) {
        if (jump.JumpId == id)
            region += jumpClientRect(jump).adjusted(-JumpRepaintMargin, -JumpRepaintMargin, JumpRepaintMargin,
                                                    JumpRepaintMargin);
    }
    if (!region.isEmpty())
        viewport()->repaint(region);
}

void TRichView::leaveJumps()
{
    if (FHoverActive && FHoverJump != -1) {
        FHoverActive = false;
        InvalidateJump(FHoverJump);
    }
    // Forgotten also without a handler, so that one assigned later hears of the next jump entered.
    const bool wasOnJump = FHoverJump != -1;
    FHoverJump = -1;
    if (OnRVMouseMove && wasOnJump)
        OnRVMouseMove(this, -1);
}

// ---- mouse

void TRichView::stopAutoScroll()
{
    if (FAutoScrollTimer) {
        FAutoScrollTimer->stop();
        FAutoScrollTimer->deleteLater();
        FAutoScrollTimer = nullptr;
    }
}

void TRichView::autoScrollTick()
{
    if (FAutoScrollSpeed == 0)
        return;
    ScrollVertTo(ScrollY + FAutoScrollSpeed);
    mouseMoveAt(FDragPos);
}

void TRichView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    guarded([&] {
        FClickPending = true;
        FClickPos = event->position().toPoint();
        FPressedJump = jumpAt(FClickPos, false);
        if (AllowSelection) {
            FSelAnchor = FindSelectionPoint(FClickPos.x() + ScrollX, DocOffsetY() + FClickPos.y());
            FSelEnd = FSelAnchor;
            FSelecting = FSelAnchor.Item != -1;
            viewport()->update();
            if (!FAutoScrollTimer) {
                FAutoScrollTimer = new QTimer(this);
                FAutoScrollTimer->setInterval(AutoScrollInterval);
                connect(FAutoScrollTimer, &QTimer::timeout, this, [this] { guarded([this] { autoScrollTick(); }); });
                FAutoScrollTimer->start();
            }
        }
        if (SingleClick && OnRVDblClick) {
            const TClickedWord clicked = GetClickedWord();
            if (clicked.Found)
                OnRVDblClick(this, clicked.Word, clicked.StyleCode);
        }
    });
}

void TRichView::mouseMoveEvent(QMouseEvent *event)
{
    guarded([&] { mouseMoveAt(event->position().toPoint()); });
}

void TRichView::mouseMoveAt(QPoint point)
{
    const int clientHeight = viewport()->height();
    FAutoScrollSpeed = 0;
    if (point.y() < -FastAutoScrollMargin)
        FAutoScrollSpeed = -10;
    else if (point.y() < 0)
        FAutoScrollSpeed = -1;
    else if (point.y() > clientHeight + FastAutoScrollMargin)
        FAutoScrollSpeed = 10;
    else if (point.y() > clientHeight)
        FAutoScrollSpeed = 1;

    if (FSelecting) {
        FDragPos = point;
        FSelEnd = FindSelectionPoint(point.x() + ScrollX, DocOffsetY() + std::min(point.y(), clientHeight));
        viewport()->update();
    }
    if (!FStyle)
        return;
    const int jump = jumpAt({point.x(), std::max(point.y(), 0)}, true);
    if (jump != -1) {
        viewport()->setCursor(ScreenCursor(FStyle->JumpCursor));
        if (OnRVMouseMove && jump != FHoverJump)
            OnRVMouseMove(this, jump + FirstJumpNo);
        if (FHoverActive && FHoverJump != -1 && FHoverJump != jump) {
            FHoverActive = false;
            InvalidateJump(FHoverJump);
        }
        FHoverJump = jump;
        if (FStyle->HoverColor != clNone && !FHoverActive) {
            FHoverActive = true;
            InvalidateJump(FHoverJump);
        }
    } else {
        viewport()->unsetCursor();
        leaveJumps();
        if (FSelecting)
            viewport()->update();
    }
}

void TRichView::mouseReleaseEvent(QMouseEvent *event)
{
    guarded([&] {
        const QPoint point = event->position().toPoint();
        const bool left = event->button() == Qt::LeftButton;
        // A left press and release on the control is a click: the control takes the focus.
        if (left && FClickPending) {
            FClickPending = false;
            if (viewport()->rect().contains(point)) {
                setFocus(Qt::MouseFocusReason);
                if (OnClick)
                    OnClick(this);
            }
        }
        stopAutoScroll();
        FClickPos = point;
        if (FSelecting && left) {
            FSelEnd = FindSelectionPoint(point.x() + ScrollX, DocOffsetY() + std::min(point.y(), viewport()->height()));
            FSelecting = false;
            viewport()->update();
            if (OnSelect)
                OnSelect(this);
        }
        if (event->button() == Qt::RightButton) {
            if (OnRVRightClick) {
                const TClickedWord clicked = GetClickedWord();
                if (clicked.Found) {
                    const QPoint screen = viewport()->mapToGlobal(point);
                    OnRVRightClick(this, clicked.Word, clicked.StyleCode, screen.x(), screen.y());
                }
            }
            return;
        }
        if (left && FPressedJump != -1 && OnJump) {
            const int pressed = FPressedJump;
            FPressedJump = -1;
            const QPoint at(point.x(), std::max(point.y(), 0));
            for (const TJumpInfo &jump : FJumpList) {
                if (jump.JumpId == pressed && TRect::fromQRect(jumpClientRect(jump)).contains(at)) {
                    OnJump(this, pressed + FirstJumpNo);
                    break;
                }
            }
        }
    });
}

void TRichView::mouseDoubleClickEvent(QMouseEvent *event)
{
    guarded([&] {
        if (!SingleClick && OnRVDblClick && event->button() == Qt::LeftButton) {
            const TClickedWord clicked = GetClickedWord();
            if (clicked.Found)
                OnRVDblClick(this, clicked.Word, clicked.StyleCode);
        }
    });
    // The second press of a double click presses as the first did.
    mousePressEvent(event);
}

// ---- keys and resizing

void TRichView::KeyDown(QKeyEvent *event)
{
    if (SelectionExists() && (event->modifiers() & Qt::ControlModifier)) {
        if (event->key() == Qt::Key_C || event->key() == Qt::Key_Insert)
            CopySelection();
        event->accept();
        return;
    }
    if (OnKeyDown)
        OnKeyDown(this, event);
    TRVScroller::KeyDown(event);
}

bool TRichView::viewportEvent(QEvent *event)
{
    const bool handled = TRVScroller::viewportEvent(event);
    if (event->type() == QEvent::Leave)
        guarded([this] { leaveJumps(); });
    if (event->type() == QEvent::Resize) {
        guarded([this] { formatDocument(true, 0); });
        if (OnResized)
            OnResized(this);
    }
    return handled;
}
