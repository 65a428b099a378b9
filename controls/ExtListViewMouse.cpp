// The mouse on TCustomExtListView: check-box clicks, hot tracking with selection after a hover, and the
// marquee (rubber-band) selection dragged from empty space.
#include "controls/ExtListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QRubberBand>

void TCustomExtListView::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if ((FExtendedStyles & lvxCheckboxes) && event->button() == Qt::LeftButton && index.isValid()
        && StateImageRect(index.row()).contains(pos))
        SetChecked(index.row(), !IsChecked(index.row()));
    const bool multiSelect = selectionMode() == ExtendedSelection || selectionMode() == MultiSelection;
    FMarquee = TMarquee::None;
    if (event->button() == Qt::LeftButton && !index.isValid() && multiSelect) {
        FMarquee = TMarquee::Pending;
        FMarqueeOrigin = pos + QPoint(horizontalOffset(), verticalOffset());
    }
    TCustomEnhListView::mousePressEvent(event);
}

void TCustomExtListView::mouseMoveEvent(QMouseEvent *event)
{
    if (FMarquee != TMarquee::None && (event->buttons() & Qt::LeftButton)) {
        DragMarquee(*event);
        return;
    }
    if (event->buttons() == Qt::NoButton && (FExtendedStyles & lvxTrackSelect))
        TrackHotItem(event->position().toPoint());
    TCustomEnhListView::mouseMoveEvent(event);
}

void TCustomExtListView::mouseReleaseEvent(QMouseEvent *event)
{
    FMarquee = TMarquee::None;
    if (FRubberBand)
        FRubberBand->hide();
    TCustomEnhListView::mouseReleaseEvent(event);
}

// Past the drag distance the marquee begins (unless refused); it selects every row it spans.
void TCustomExtListView::DragMarquee(QMouseEvent &event)
{
    event.accept();
    const QPoint pos = event.position().toPoint();
    const QPoint offset(horizontalOffset(), verticalOffset());
    if (FMarquee == TMarquee::Pending
        && (pos + offset - FMarqueeOrigin).manhattanLength() >= QApplication::startDragDistance())
        FMarquee = MarqueeBegin() ? TMarquee::Active : TMarquee::Refused;
    if (FMarquee != TMarquee::Active)
        return;
    const QRect band = QRect(FMarqueeOrigin - offset, pos).normalized();
    if (!FRubberBand)
        FRubberBand = new QRubberBand(QRubberBand::Rectangle, viewport());
    FRubberBand->setGeometry(band);
    FRubberBand->show();
    const int x = header()->sectionViewportPosition(header()->logicalIndex(0));
    setSelection(QRect(QPoint(x, band.top()), QPoint(x, band.bottom())), QItemSelectionModel::ClearAndSelect);
}

void TCustomExtListView::TrackHotItem(QPoint pos)
{
    const QModelIndex index = indexAt(pos);
    int item = index.isValid() ? index.row() : -1;
    const bool allowSelect = HotTrack(item, index.isValid() ? index.column() : 0, pos);
    SetHotItem(allowSelect ? item : -1);
}

void TCustomExtListView::SetHotItem(int item)
{
    if (item < 0 || item >= ItemCount())
        item = -1;
    if (item == FHotItem)
        return;
    FHotItem = item;
    if (item < 0)
        FHoverTimer.stop();
    else
        FHoverTimer.start(HoverTime >= 0 ? HoverTime : style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, this));
}

bool TCustomExtListView::HotTrack(int &itemIndex, int subItemIndex, QPoint location)
{
    bool allowSelect = true;
    if (OnHotTrack)
        OnHotTrack(this, itemIndex, subItemIndex, location, allowSelect);
    return allowSelect;
}

bool TCustomExtListView::MarqueeBegin()
{
    bool canBegin = true;
    if (OnMarqueeBegin)
        OnMarqueeBegin(this, canBegin);
    return canBegin;
}
