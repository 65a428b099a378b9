#include "controls/TreeNT.h"

#include "controls/TreeNTDelegate.h"

#include <QApplication>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <vector>

namespace {

// Asks the tree before the current node changes; a selection aimed at a node that did not become
// current is dropped, so a vetoed click or key leaves the selection as it was.
class TTreeNTSelectionModel : public QItemSelectionModel {
public:
    TTreeNTSelectionModel(TCustomTreeNT &Tree) : QItemSelectionModel(Tree.model(), &Tree), FTree(Tree) {}

    using QItemSelectionModel::select;

    void setCurrentIndex(const QModelIndex &index, SelectionFlags command) override
    {
        if (index != currentIndex()
            && !FTree.AllowChange(TTreeNTNodes::GetNode(FTree.itemFromIndex(index))))
            return;
        FPending = index;
        QItemSelectionModel::setCurrentIndex(index, command);
        FPending = QPersistentModelIndex();
    }

    void select(const QItemSelection &selection, SelectionFlags command) override
    {
        if ((command & (Select | Toggle)) && !selection.isEmpty()
            && !selection.contains(currentIndex()) && !selection.contains(FPending))
            return;
        QItemSelectionModel::select(selection, command);
    }

private:
    TCustomTreeNT &FTree;
    QPersistentModelIndex FPending;
};

} // namespace

TCustomTreeNT::TCustomTreeNT(QWidget *parent) : QTreeWidget(parent), FItems(*this)
{
    resize(121, 97);
    setColumnCount(1);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setFocusPolicy(Qt::StrongFocus);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(false);
    setItemDelegate(new TTreeNTDelegate(*this));
    QItemSelectionModel *old = selectionModel();
    setSelectionModel(new TTreeNTSelectionModel(*this));
    delete old;
    // QTreeWidget's current-item signal stays with the replaced model, so listen to the new one.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (OnChange)
                    OnChange(this, TTreeNTNodes::GetNode(itemFromIndex(current)));
            });
    applyOptions();
    // Scrolling during a drag is the tree's own (TreeNTDrag.cpp).
    QTreeWidget::setAutoScroll(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDragEnabled(false);
    viewport()->setAcceptDrops(true);
    FScrollTimer.setSingleShot(false);
    connect(&FScrollTimer, &QTimer::timeout, this, [this] { dragScrollTick(); });
}

TCustomTreeNT::~TCustomTreeNT()
{
    disconnect(selectionModel(), nullptr, this, nullptr);
    OnChanging = nullptr;
    OnDeletion = nullptr;
    clear();
}

void TCustomTreeNT::applyOptions()
{
    setRootIsDecorated(FOptions & toShowRoot);
    setEditTriggers((FOptions & toReadOnly)
                        ? QAbstractItemView::NoEditTriggers
                        : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    const Qt::ScrollBarPolicy policy = (FOptions & toNoScroll) ? Qt::ScrollBarAlwaysOff
                                                               : Qt::ScrollBarAsNeeded;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
    setMouseTracking(FOptions & toHotTrack);
    if (FOptions & toCheckBoxes)
        for (TTreeNTNode *node = FItems.GetFirstNode(); node; node = node->GetNext())
            if (node->StateIndex < 1)
                node->StateIndex = 1;
    doItemsLayout();
    viewport()->update();
}

void TCustomTreeNT::setOptions(TTreeOptions Value)
{
    if (Value == FOptions)
        return;
    FOptions = Value;
    applyOptions();
}

void TCustomTreeNT::setSortType(TSortType Value)
{
    if (Value == FSortType)
        return;
    FSortType = Value;
    if (Value == stText || Value == stBoth || (Value == stData && OnCompare))
        AlphaSort();
}

void TCustomTreeNT::setAutoScroll(bool Value)
{
    FAutoScroll = Value;
}

int TCustomTreeNT::ItemHeight() const
{
    if (FItemHeight > 0)
        return FItemHeight;
    int height = fontMetrics().height() + 2;
    if (FImages)
        height = std::max(height, FImages->Height());
    if (FStateImages)
        height = std::max(height, FStateImages->Height());
    else if (FOptions & toCheckBoxes)
        height = std::max(height, style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this));
    return height;
}

void TCustomTreeNT::setItemHeight(int Value)
{
    FItemHeight = Value < 1 ? 0 : Value;
    doItemsLayout();
}

void TCustomTreeNT::setScrollTime(int Value)
{
    FScrollTime = std::max(100, Value);
}

QString TCustomTreeNT::SearchString() const
{
    if (!FSearchTimer.isValid() || FSearchTimer.elapsed() > QApplication::keyboardInputInterval())
        return {};
    return FSearch;
}

void TCustomTreeNT::keyboardSearch(const QString &search)
{
    if (SearchString().isEmpty())
        FSearch.clear();
    FSearch += search;
    FSearchTimer.restart();
    QTreeWidget::keyboardSearch(search);
}

void TCustomTreeNT::setImages(TImageList *Value)
{
    if (FImages)
        disconnect(FImages, nullptr, this, nullptr);
    FImages = Value;
    if (Value)
        connect(Value, &TImageList::Change, this, [this] { doItemsLayout(); });
    doItemsLayout();
}

void TCustomTreeNT::setStateImages(TImageList *Value)
{
    if (FStateImages)
        disconnect(FStateImages, nullptr, this, nullptr);
    FStateImages = Value;
    if (Value)
        connect(Value, &TImageList::Change, this, [this] { doItemsLayout(); });
    doItemsLayout();
}

QRect TCustomTreeNT::StateImageRect(const QTreeWidgetItem &Item) const
{
    const TTreeNTNode *node = TTreeNTNodes::GetNode(&Item);
    if (!node || node->StateIndex < 1)
        return {};
    QSize size;
    if (FStateImages)
        size = QSize(FStateImages->Width(), FStateImages->Height());
    else if (FOptions & toCheckBoxes)
        size = QSize(style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this),
                     style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this));
    else
        return {};
    const QRect item = visualItemRect(&Item);
    return QRect(QPoint(item.left() + 1, item.top() + (item.height() - size.height()) / 2), size);
}

std::unique_ptr<TTreeNTNode> TCustomTreeNT::CreateNode(QTreeWidgetItem &Item)
{
    return std::make_unique<TTreeNTNode>(FItems, Item);
}

TTreeNTNode *TCustomTreeNT::Selected() const
{
    return TTreeNTNodes::GetNode(currentItem());
}

void TCustomTreeNT::setSelected(TTreeNTNode *Node)
{
    setCurrentItem(Node ? &Node->ItemId() : nullptr);
}

TTreeNTNode *TCustomTreeNT::TopItem() const
{
    return TTreeNTNodes::GetNode(itemAt(0, 0));
}

void TCustomTreeNT::setTopItem(TTreeNTNode *Node)
{
    if (Node)
        scrollToItem(&Node->ItemId(), QAbstractItemView::PositionAtTop);
}

TTreeNTNode *TCustomTreeNT::GetNodeAt(int X, int Y) const
{
    return TTreeNTNodes::GetNode(itemAt(X, Y));
}

void TCustomTreeNT::FullExpand()
{
    for (int i = 0; i < topLevelItemCount(); ++i)
        TTreeNTNodes::GetNode(topLevelItem(i))->Expand(true);
}

bool TCustomTreeNT::AllowChange(TTreeNTNode *Node)
{
    bool allow = true;
    if (OnChanging)
        OnChanging(this, Node, allow);
    return allow;
}

bool TCustomTreeNT::ExpandNode(TTreeNTNode &Node)
{
    if (Node.Expanded())
        return false;
    bool allow = true;
    if (OnExpanding)
        OnExpanding(this, &Node, allow);
    if (!allow)
        return false;
    if (FOptions & toSingleExpand) {
        QTreeWidgetItem *parent = Node.ItemId().parent() ? Node.ItemId().parent() : invisibleRootItem();
        for (int i = 0; i < parent->childCount(); ++i) {
            TTreeNTNode *sibling = TTreeNTNodes::GetNode(parent->child(i));
            if (sibling == &Node || !sibling->Expanded())
                continue;
            bool autoCollapse = true;
            if (OnSingleExpanded)
                OnSingleExpanded(this, &Node, autoCollapse);
            if (autoCollapse)
                CollapseNode(*sibling);
        }
    }
    Node.ItemId().setExpanded(true);
    Node.FExpandedOnce = true;
    if (OnExpanded)
        OnExpanded(this, &Node);
    return true;
}

bool TCustomTreeNT::CollapseNode(TTreeNTNode &Node)
{
    if (!Node.Expanded())
        return false;
    bool allow = true;
    if (OnCollapsing)
        OnCollapsing(this, &Node, allow);
    if (!allow)
        return false;
    Node.ItemId().setExpanded(false);
    if (OnCollapsed)
        OnCollapsed(this, &Node);
    return true;
}

void TCustomTreeNT::toggleExpansion(TTreeNTNode &Node)
{
    if (Node.Expanded())
        CollapseNode(Node);
    else
        ExpandNode(Node);
}

int TCustomTreeNT::CompareNodes(TTreeNTNode &Node1, TTreeNTNode &Node2)
{
    if (FCompare)
        return (*FCompare)(&Node1, &Node2, FCompareData);
    if (OnCompare) {
        int compare = 0;
        OnCompare(this, &Node1, &Node2, 0, compare);
        return compare;
    }
    return QString::localeAwareCompare(Node1.Text(), Node2.Text());
}

void TCustomTreeNT::sortLevel(QTreeWidgetItem &Parent, bool Recurse)
{
    Parent.sortChildren(0, Qt::AscendingOrder);
    if (!Recurse)
        return;
    std::vector<QTreeWidgetItem *> parents;
    for (QTreeWidgetItemIterator it(&Parent); *it; ++it)
        if ((*it)->childCount() > 0)
            parents.push_back(*it);
    for (QTreeWidgetItem *item : parents)
        item->sortChildren(0, Qt::AscendingOrder);
}

void TCustomTreeNT::AlphaSort()
{
    sortLevel(*invisibleRootItem(), true);
}

void TCustomTreeNT::customSortLevel(QTreeWidgetItem &Parent, bool Recurse, const TTVCompare &Compare,
                                    int Data)
{
    FCompare = &Compare;
    FCompareData = Data;
    sortLevel(Parent, Recurse);
    FCompare = nullptr;
}

void TCustomTreeNT::CustomSort(const TTVCompare &Compare, int Data)
{
    customSortLevel(*invisibleRootItem(), true, Compare, Data);
}

void TCustomTreeNT::SortAfterChange(TTreeNTNode *Parent, bool TextChanged)
{
    if (FItems.Updating())
        return;
    const bool sort = TextChanged ? (FSortType == stText || FSortType == stBoth)
                                  : ((FSortType == stData || FSortType == stBoth) && OnCompare);
    if (!sort)
        return;
    if (Parent)
        sortLevel(Parent->ItemId(), false);
    else
        AlphaSort();
}

void TCustomTreeNT::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    QTreeWidgetItem *item = itemAt(pos);
    if (item && event->button() == Qt::LeftButton) {
        TTreeNTNode &node = *TTreeNTNodes::GetNode(item);
        const QRect rect = visualItemRect(item);
        if (pos.x() < rect.left() && pos.x() >= rect.left() - indentation()) {
            if (node.HasChildren())
                toggleExpansion(node);
            event->accept();
            return;
        }
        if ((FOptions & toCheckBoxes) && StateImageRect(*item).contains(pos))
            node.setChecked(!node.Checked());
    }
    QTreeWidget::mousePressEvent(event);
}

void TCustomTreeNT::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    QTreeWidgetItem *item = itemAt(pos);
    if (item && event->button() == Qt::LeftButton && pos.x() >= visualItemRect(item).left()) {
        TTreeNTNode &node = *TTreeNTNodes::GetNode(item);
        if (node.HasChildren())
            toggleExpansion(node);
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}

void TCustomTreeNT::keyPressEvent(QKeyEvent *event)
{
    TTreeNTNode *node = Selected();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!(FOptions & toWantReturn))
            break;
        {
            TTreeNTNode *next = node ? node->GetNext() : nullptr;
            setSelected(next ? next : FItems.GetFirstNode());
        }
        event->accept();
        return;
    case Qt::Key_Space:
        if (!node || !(FOptions & toCheckBoxes))
            break;
        node->setChecked(!node->Checked());
        event->accept();
        return;
    case Qt::Key_Plus:
    case Qt::Key_Minus:
    case Qt::Key_Asterisk:
        if (node) {
            if (event->key() == Qt::Key_Plus)
                ExpandNode(*node);
            else if (event->key() == Qt::Key_Minus)
                CollapseNode(*node);
            else
                node->Expand(true);
        }
        event->accept();
        return;
    case Qt::Key_Left:
        if (node && node->Expanded()) {
            CollapseNode(*node);
            event->accept();
            return;
        }
        break;
    case Qt::Key_Right:
        if (node && node->HasChildren() && !node->Expanded()) {
            ExpandNode(*node);
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    QTreeWidget::keyPressEvent(event);
}

bool TCustomTreeNT::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && (FOptions & toInfoTip) && OnHint) {
        auto *help = static_cast<QHelpEvent *>(event);
        if (TTreeNTNode *node = GetNodeAt(help->pos().x(), help->pos().y()))
            QToolTip::showText(help->globalPos(), OnHint(this, node), viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return QTreeWidget::viewportEvent(event);
}

void TCustomTreeNT::paintEvent(QPaintEvent *event)
{
    if (BeforePaint) {
        QPainter painter(viewport());
        BeforePaint(this, &painter);
    }
    QTreeWidget::paintEvent(event);
    if (AfterPaint) {
        QPainter painter(viewport());
        AfterPaint(this, &painter);
    }
}

bool TCustomTreeNT::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if ((FOptions & toReadOnly) || state() == QAbstractItemView::DraggingState)
        return false;
    if (trigger != QAbstractItemView::AllEditTriggers && !(editTriggers() & trigger))
        return QTreeWidget::edit(index, trigger, event);
    bool allow = true;
    if (OnEditing && index.isValid())
        OnEditing(this, TTreeNTNodes::GetNode(itemFromIndex(index)), allow);
    return allow && QTreeWidget::edit(index, trigger, event);
}
