#include "controls/RVScroller.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int PageSteps = 10;
constexpr int ChildTopLimit = 10000;

// A Windows-style range (min 0, max, page) as the largest position of a Qt scroll bar.
int lastPosition(int max, int page)
{
    return std::max(0, max - std::max(page - 1, 0));
}

} // namespace

TRVScroller::TRVScroller(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetScrollRanges(viewport()->width(), viewport()->height() / StepHeight);
}

void TRVScroller::SetTracking(bool value)
{
    FTracking = value;
    verticalScrollBar()->setTracking(value);
    horizontalScrollBar()->setTracking(value);
}

void TRVScroller::SetVScrollVisible(bool value)
{
    FVScrollVisible = value;
    setVerticalScrollBarPolicy(value ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TRVScroller::SetScrollRanges(int width, int steps)
{
    DocWidth = width;
    DocSteps = steps;
    FSettingRanges = true;
    QScrollBar *vertical = verticalScrollBar();
    const int page = viewport()->height() / StepHeight;
    vertical->setPageStep(std::max(page, 1));
    vertical->setRange(0, lastPosition(DocSteps, page));
    vertical->setValue(ScrollY);
    // Disabled rather than removed when everything fits.
    vertical->setEnabled(vertical->maximum() > 0);
    QScrollBar *horizontal = horizontalScrollBar();
    horizontal->setPageStep(std::max(viewport()->width(), 1));
    horizontal->setRange(0, lastPosition(DocWidth - 1, viewport()->width()));
    horizontal->setValue(ScrollX);
    FSettingRanges = false;
    ScrollY = vertical->value();
    ScrollX = horizontal->value();
}

void TRVScroller::ScrollVertTo(int step)
{
    verticalScrollBar()->setValue(step);
}

void TRVScroller::ScrollHorzTo(int pixel)
{
    horizontalScrollBar()->setValue(pixel);
}

void TRVScroller::ScrollToPixel(int y)
{
    ScrollVertTo(y / StepHeight);
}

void TRVScroller::scrollContentsBy(int dx, int dy)
{
    ScrollX = horizontalScrollBar()->value();
    ScrollY = verticalScrollBar()->value();
    if (FSettingRanges)
        return;
    if (dy != 0) {
        if (RedrawOnScroll) {
            MoveChildren(0, dy * StepHeight);
            viewport()->update();
        } else {
            // Only the contents scroll here; the children follow through their Tag.
            viewport()->scroll(0, dy * StepHeight, viewport()->rect());
            MoveChildren(0, dy * StepHeight);
        }
        if (OnVScrolled)
            OnVScrolled(this);
    }
    if (dx != 0) {
        if (RedrawOnScroll) {
            MoveChildren(dx, 0);
            viewport()->update();
        } else {
            viewport()->scroll(dx, 0, viewport()->rect());
            MoveChildren(dx, 0);
        }
    }
}

void TRVScroller::PlaceChildTop(QWidget *control)
{
    if (const auto *component = dynamic_cast<LoadedComponent *>(control))
        control->move(control->x(), std::clamp(component->Tag, -ChildTopLimit, ChildTopLimit));
}

void TRVScroller::MoveChildren(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    for (QWidget *child : viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (dy != 0) {
            if (auto *component = dynamic_cast<LoadedComponent *>(child)) {
                component->Tag += dy;
                PlaceChildTop(child);
            } else {
                child->move(child->x(), child->y() + dy);
            }
        }
        if (dx != 0)
            child->move(child->x() + dx, child->y());
    }
}

void TRVScroller::paintEvent(QPaintEvent *event)
{
    // The bare scroller shows its step rows numbered.
    QPainter painter(viewport());
    const QRect clip = event->rect();
    painter.fillRect(clip, palette().brush(QPalette::Window));
    QFont font = painter.font();
    font.setPointSize(2);
    painter.setFont(font);
    painter.setPen(Qt::red);
    const int ascent = QFontMetrics(font).ascent();
    const int bottom = clip.y() + clip.height();
    for (int i = clip.y() / StepHeight - 1; i <= bottom / StepHeight + 1; ++i)
        painter.drawText(-ScrollX, i * StepHeight + ascent, QString::number(ScrollY + i));
}

void TRVScroller::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageUp:
        ScrollVertTo(ScrollY - PageSteps);
        break;
    case Qt::Key_PageDown:
        ScrollVertTo(ScrollY + PageSteps);
        break;
    case Qt::Key_End:
        ScrollVertTo(DocSteps);
        break;
    case Qt::Key_Home:
        ScrollVertTo(0);
        break;
    case Qt::Key_Up:
        ScrollVertTo(ScrollY - 1);
        break;
    case Qt::Key_Down:
        ScrollVertTo(ScrollY + 1);
        break;
    case Qt::Key_Left:
        ScrollHorzTo(ScrollX - StepHeight);
        break;
    case Qt::Key_Right:
        ScrollHorzTo(ScrollX + StepHeight);
        break;
    default:
        break;
    }
    KeyDown(event);
}

void TRVScroller::KeyDown(QKeyEvent *event)
{
    QWidget::keyPressEvent(event);
}
