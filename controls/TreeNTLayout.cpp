// Where the parts of TCustomTreeNT's nodes lie: a node's label and line, and the hit test of a point.
#include "controls/TreeNT.h"

#include "controls/TreeNTDelegate.h"

#include <QHeaderView>

#include <algorithm>

QStyleOptionViewItem TCustomTreeNT::nodeOption(const TTreeNTNode &Node) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualItemRect(&Node.ItemId());
    if (Node.Selected())
        option.state |= QStyle::State_Selected;
    const auto &delegate = static_cast<const TTreeNTDelegate &>(*itemDelegate());
    return delegate.NodeOption(option, indexFromItem(&Node.ItemId()), Node, false);
}

// The text's width with the style's margins on both sides, inside the text area.
TRect TCustomTreeNT::labelRect(const QStyleOptionViewItem &Option) const
{
    const QRect area = style()->subElementRect(QStyle::SE_ItemViewItemText, &Option, this);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, &Option, this) + 1;
    const int width = Option.fontMetrics.horizontalAdvance(Option.text) + 2 * margin;
    return TRect::Bounds(area.left(), area.top(), std::min(width, area.width()), area.height());
}

TRect TCustomTreeNT::nodeRect(const TTreeNTNode &Node, bool TextOnly) const
{
    if (TextOnly)
        return labelRect(nodeOption(Node));
    const QRect item = visualItemRect(&Node.ItemId());
    return TRect::Bounds(0, item.top(), viewport()->width(), item.height());
}

THitTests TCustomTreeNT::GetHitTestInfoAt(int X, int Y) const
{
    THitTests outside = 0;
    if (Y < 0)
        outside |= htAbove;
    else if (Y >= viewport()->height())
        outside |= htBelow;
    if (X < 0)
        outside |= htToLeft;
    else if (X >= viewport()->width())
        outside |= htToRight;
    if (outside)
        return outside;

    // The node on the row, wherever X lies along it.
    const TTreeNTNode *node = GetNodeAt(header()->sectionViewportPosition(0), Y);
    if (!node)
        return htNowhere;
    const QRect item = visualItemRect(&node->ItemId());
    if (X < item.left())
        return X >= item.left() - indentation() && node->HasChildren() ? htOnButton : htOnIndent;
    const QStyleOptionViewItem option = nodeOption(*node);
    if (X < option.rect.left())
        return htOnItem | htOnStateIcon;
    const TRect label = labelRect(option);
    if (X < label.Left)
        return htOnItem | htOnIcon;
    if (X < label.Right)
        return htOnItem | htOnLabel;
    return htOnRight;
}
