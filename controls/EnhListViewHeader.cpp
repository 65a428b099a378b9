#include "controls/EnhListViewHeader.h"

#include "controls/EnhListView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

TEnhListViewHeader::TEnhListViewHeader(TCustomEnhListView &list) : QHeaderView(Qt::Horizontal, &list), FList(list)
{
}

void TEnhListViewHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!FList.HeaderOwnerDraw()) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    QStyleOptionHeader option;
    initStyleOptionForIndex(&option, logicalIndex);
    option.rect = rect;
    option.text.clear();
    option.icon = QIcon();
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
    painter->save();
    FList.DrawHeader(*painter, logicalIndex, TRect::fromQRect(rect), logicalIndex == FPressed);
    painter->restore();
}

void TEnhListViewHeader::initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    const QVariant iconAlignment = model() ? model()->headerData(logicalIndex, Qt::Horizontal, HeaderImageAlignmentRole)
                                           : QVariant();
    if (iconAlignment.isValid())
        option->iconAlignment = Qt::Alignment(iconAlignment.toInt()) | Qt::AlignVCenter;
}

void TEnhListViewHeader::mousePressEvent(QMouseEvent *event)
{
    const int section = logicalIndexAt(event->position().toPoint());
    FPressed = sectionsClickable() && event->button() == Qt::LeftButton ? section : -1;
    QHeaderView::mousePressEvent(event);
    if (FPressed >= 0)
        viewport()->update();
}

void TEnhListViewHeader::mouseReleaseEvent(QMouseEvent *event)
{
    QHeaderView::mouseReleaseEvent(event);
    if (FPressed >= 0) {
        FPressed = -1;
        viewport()->update();
    }
}
