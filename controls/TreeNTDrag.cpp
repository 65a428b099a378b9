// Dragging nodes of TCustomTreeNT: the drag image of the dragged node, the drop target under the
// mouse, and scrolling that speeds up while a drag is held near an edge.
#include "controls/TreeNT.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int ScrollInterval = 100;
constexpr int ScrollAcceleration = 8;
constexpr QPoint DragHotSpot(2, 2);

// One line towards the end in the given direction; false once that end is reached.
bool scrollLine(QScrollBar &bar, bool forward)
{
    bar.setValue(bar.value() + (forward ? bar.singleStep() : -bar.singleStep()));
    return forward ? bar.value() < bar.maximum() : bar.value() > bar.minimum();
}

} // namespace

void TCustomTreeNT::setDragMode(TDragMode Value)
{
    FDragMode = Value;
    setDragEnabled(Value == dmAutomatic);
}

TTreeNTNode *TCustomTreeNT::DropTarget() const
{
    return FDropTarget.isValid() ? TTreeNTNodes::GetNode(itemFromIndex(FDropTarget)) : nullptr;
}

void TCustomTreeNT::setDropTarget(TTreeNTNode *Node)
{
    const QModelIndex index = Node ? indexFromItem(&Node->ItemId()) : QModelIndex();
    if (index == FDropTarget)
        return;
    FDropTarget = index;
    viewport()->update();
}

void TCustomTreeNT::startDrag(Qt::DropActions supportedActions)
{
    QTreeWidgetItem *item = currentItem();
    if (!item)
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(model()->mimeData({indexFromItem(item)}));
    drag->setPixmap(viewport()->grab(visualItemRect(item)));
    drag->setHotSpot(DragHotSpot);
    drag->exec(supportedActions, Qt::MoveAction);
    endDrag();
}

void TCustomTreeNT::dragOver(QDropEvent &event)
{
    const QPoint pos = event.position().toPoint();
    FScrollDirections = 0;
    if (FAutoScroll) {
        const int margin = std::max(1, ItemHeight() / 2);
        const QScrollBar &horizontal = *horizontalScrollBar();
        const QScrollBar &vertical = *verticalScrollBar();
        if (pos.x() < margin && horizontal.value() > horizontal.minimum())
            FScrollDirections |= sdLeft;
        if (pos.x() >= viewport()->width() - margin && horizontal.value() < horizontal.maximum())
            FScrollDirections |= sdRight;
        if (pos.y() < margin && vertical.value() > vertical.minimum())
            FScrollDirections |= sdUp;
        if (pos.y() >= viewport()->height() - margin && vertical.value() < vertical.maximum())
            FScrollDirections |= sdDown;
    }
    if (!FScrollDirections) {
        FScrollTimer.stop();
    } else if (!FScrollTimer.isActive()) {
        FScrollCounter = 0;
        FScrollTimer.start(ScrollInterval);
    }
    setDropTarget(GetNodeAt(pos.x(), pos.y()));

    bool accept = static_cast<bool>(OnDragOver);
    if (OnDragOver)
        OnDragOver(this, event.source(), pos.x(), pos.y(), accept);
    if (accept)
        event.acceptProposedAction();
    else
        event.ignore();
}

void TCustomTreeNT::dragScrollTick()
{
    FScrollCounter += ScrollAcceleration;
    if (FScrollCounter < ScrollInterval)
        FScrollTimer.setInterval(ScrollInterval - FScrollCounter);
    if ((FScrollDirections & sdLeft) && !scrollLine(*horizontalScrollBar(), false))
        FScrollDirections &= ~sdLeft;
    if ((FScrollDirections & sdRight) && !scrollLine(*horizontalScrollBar(), true))
        FScrollDirections &= ~sdRight;
    if ((FScrollDirections & sdUp) && !scrollLine(*verticalScrollBar(), false))
        FScrollDirections &= ~sdUp;
    if ((FScrollDirections & sdDown) && !scrollLine(*verticalScrollBar(), true))
        FScrollDirections &= ~sdDown;
    if (!FScrollDirections)
        FScrollTimer.stop();
}

void TCustomTreeNT::endDrag()
{
    FScrollTimer.stop();
    FScrollDirections = 0;
    setDropTarget(nullptr);
}

// Entering is always accepted, so that every move is asked about and OnDragOver can change its mind.
void TCustomTreeNT::dragEnterEvent(QDragEnterEvent *event)
{
    dragOver(*event);
    event->accept();
}

void TCustomTreeNT::dragMoveEvent(QDragMoveEvent *event) { dragOver(*event); }

void TCustomTreeNT::dragLeaveEvent(QDragLeaveEvent *event)
{
    endDrag();
    event->accept();
}

void TCustomTreeNT::dropEvent(QDropEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (OnDragDrop)
        OnDragDrop(this, event->source(), pos.x(), pos.y());
    event->acceptProposedAction();
    endDrag();
}
