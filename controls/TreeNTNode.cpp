#include "controls/TreeNT.h"

#include <QTreeWidgetItemIterator>

namespace {

// The item that owns its node and orders itself by the tree's comparison.
class TTreeNTItem : public QTreeWidgetItem {
public:
    explicit TTreeNTItem(TTreeNTNodes &Nodes) : Node(Nodes.Owner().CreateNode(*this))
    {
        setFlags(flags() | Qt::ItemIsEditable);
    }

    bool operator<(const QTreeWidgetItem &other) const override
    {
        const auto &that = static_cast<const TTreeNTItem &>(other);
        return Node->Owner().Owner().CompareNodes(*Node, *that.Node) < 0;
    }

    std::unique_ptr<TTreeNTNode> Node;
};

TTreeNTNode *nodeOf(const QTreeWidgetItem *item)
{
    return item ? static_cast<const TTreeNTItem *>(item)->Node.get() : nullptr;
}

QTreeWidgetItem *parentItem(const QTreeWidgetItem &item)
{
    QTreeWidgetItem *parent = item.parent();
    return parent ? parent : item.treeWidget()->invisibleRootItem();
}

} // namespace

// ---- Node ------------------------------------------------------------------------------------------

QString TTreeNTNode::Text() const
{
    return FItem.text(0);
}

void TTreeNTNode::setText(const QString &Value)
{
    if (Value == FItem.text(0))
        return;
    FItem.setText(0, Value);
    FOwner.Owner().SortAfterChange(Parent(), true);
}

void TTreeNTNode::setData(intptr_t Value)
{
    if (Value == FData)
        return;
    FData = Value;
    if (FItem.treeWidget())
        FOwner.Owner().SortAfterChange(Parent(), false);
}

void TTreeNTNode::setChecked(bool Value)
{
    StateIndex = Value ? 2 : 1;
    FOwner.Owner().viewport()->update();
}

void TTreeNTNode::setExpanded(bool Value)
{
    if (Value)
        Expand(false);
    else
        Collapse(false);
}

bool TTreeNTNode::Selected() const
{
    return FOwner.Owner().currentItem() == &FItem;
}

void TTreeNTNode::setSelected(bool Value)
{
    TCustomTreeNT &tree = FOwner.Owner();
    if (Value)
        tree.setSelected(this);
    else if (Selected())
        tree.setSelected(nullptr);
}

bool TTreeNTNode::Focused() const
{
    return Selected() && FOwner.Owner().hasFocus();
}

void TTreeNTNode::setCut(bool Value)
{
    FCut = Value;
    FOwner.Owner().viewport()->update();
}

bool TTreeNTNode::DropTarget() const
{
    return FOwner.Owner().DropTarget() == this;
}

void TTreeNTNode::setDropTarget(bool Value)
{
    TCustomTreeNT &tree = FOwner.Owner();
    if (Value)
        tree.setDropTarget(this);
    else if (DropTarget())
        tree.setDropTarget(nullptr);
}

bool TTreeNTNode::HasChildren() const
{
    return FItem.childCount() > 0
        || FItem.childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
}

void TTreeNTNode::setHasChildren(bool Value)
{
    FItem.setChildIndicatorPolicy(Value ? QTreeWidgetItem::ShowIndicator
                                        : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void TTreeNTNode::setFont(const TFont &Value)
{
    FFont = Value;
    ParentFont = false;
    FOwner.Owner().viewport()->update();
}

void TTreeNTNode::setColor(TColor Value)
{
    FColor = Value;
    ParentColor = false;
}

TTreeNTNode *TTreeNTNode::Parent() const
{
    return nodeOf(FItem.parent());
}

TTreeNTNode *TTreeNTNode::Item(int Index) const
{
    if (Index < 0 || Index >= FItem.childCount())
        throw ETreeNTError("Element o podanym indeksie nie istnieje");
    return nodeOf(FItem.child(Index));
}

int TTreeNTNode::Index() const
{
    return parentItem(FItem)->indexOfChild(&FItem);
}

int TTreeNTNode::AbsoluteIndex() const
{
    int index = 0;
    for (const TTreeNTNode *node = FOwner.GetFirstNode(); node; node = node->GetNext(), ++index)
        if (node == this)
            return index;
    return -1;
}

int TTreeNTNode::IndexOf(const TTreeNTNode *Child) const
{
    return Child ? FItem.indexOfChild(&Child->FItem) : -1;
}

bool TTreeNTNode::HasAsParent(const TTreeNTNode *Node) const
{
    for (const TTreeNTNode *node = this; node; node = node->Parent())
        if (node == Node)
            return true;
    return false;
}

TTreeNTNode *TTreeNTNode::GetFirstChild() const
{
    return nodeOf(FItem.child(0));
}

TTreeNTNode *TTreeNTNode::GetLastChild() const
{
    return nodeOf(FItem.child(FItem.childCount() - 1));
}

TTreeNTNode *TTreeNTNode::GetNextSibling() const
{
    return nodeOf(parentItem(FItem)->child(Index() + 1));
}

TTreeNTNode *TTreeNTNode::GetPrevSibling() const
{
    return nodeOf(parentItem(FItem)->child(Index() - 1));
}

TTreeNTNode *TTreeNTNode::GetNextChild(const TTreeNTNode *Node) const
{
    return Node ? Node->GetNextSibling() : nullptr;
}

TTreeNTNode *TTreeNTNode::GetNext() const
{
    if (TTreeNTNode *child = GetFirstChild())
        return child;
    for (const TTreeNTNode *node = this; node; node = node->Parent())
        if (TTreeNTNode *sibling = node->GetNextSibling())
            return sibling;
    return nullptr;
}

TTreeNTNode *TTreeNTNode::GetPrev() const
{
    TTreeNTNode *node = GetPrevSibling();
    if (!node)
        return Parent();
    while (TTreeNTNode *last = node->GetLastChild())
        node = last;
    return node;
}

bool TTreeNTNode::IsVisible() const
{
    for (const QTreeWidgetItem *parent = FItem.parent(); parent; parent = parent->parent())
        if (!parent->isExpanded())
            return false;
    return true;
}

TRect TTreeNTNode::DisplayRect(bool TextOnly) const
{
    return IsVisible() ? FOwner.Owner().nodeRect(*this, TextOnly) : TRect{};
}

void TTreeNTNode::Assign(const TTreeNTNode &Source)
{
    setText(Source.Text());
    setData(Source.Data());
    ImageIndex = Source.ImageIndex;
    SelectedIndex = Source.SelectedIndex;
    OverlayIndex = Source.OverlayIndex;
    if (FOwner.Owner().StateImages())
        StateIndex = Source.StateIndex;
    setDropTarget(Source.DropTarget());
    setCut(Source.Cut());
    setHasChildren(Source.HasChildren());
    FFont = Source.FFont;
    ParentFont = Source.ParentFont;
    ParentColor = Source.ParentColor;
}

bool TTreeNTNode::GetState(TNodeState NodeState) const
{
    switch (NodeState) {
    case nsChecked:
        return Checked();
    case nsCut:
        return FCut;
    case nsDropHilited:
        return DropTarget();
    case nsExpanded:
        return Expanded();
    case nsExpandedOnce:
        return FExpandedOnce;
    case nsFocused:
        return Focused();
    case nsSelected:
        return Selected();
    default:
        return false;
    }
}

void TTreeNTNode::Expand(bool Recurse)
{
    TCustomTreeNT &tree = FOwner.Owner();
    if (!Recurse) {
        tree.ExpandNode(*this);
        return;
    }
    for (TTreeNTNode *node = this; node && node->HasAsParent(this); node = node->GetNext())
        tree.ExpandNode(*node);
}

void TTreeNTNode::Collapse(bool Recurse)
{
    TCustomTreeNT &tree = FOwner.Owner();
    if (!Recurse) {
        tree.CollapseNode(*this);
        return;
    }
    for (TTreeNTNode *node = this; node && node->HasAsParent(this); node = node->GetNext())
        tree.CollapseNode(*node);
}

void TTreeNTNode::AlphaSort()
{
    FItem.sortChildren(0, Qt::AscendingOrder);
}

void TTreeNTNode::CustomSort(const TTVCompare &Compare, int Data)
{
    FOwner.Owner().customSortLevel(FItem, false, Compare, Data);
}

void TTreeNTNode::Delete()
{
    FOwner.Delete(this);
}

// ---- Nodes -----------------------------------------------------------------------------------------

int TTreeNTNodes::Count() const
{
    int count = 0;
    for (QTreeWidgetItemIterator it(&FOwner); *it; ++it)
        ++count;
    return count;
}

TTreeNTNode *TTreeNTNodes::Item(int Index) const
{
    if (Index >= 0) {
        int index = 0;
        for (TTreeNTNode *node = GetFirstNode(); node; node = node->GetNext(), ++index)
            if (index == Index)
                return node;
    }
    throw ETreeNTError("Invalid index");
}

TTreeNTNode *TTreeNTNodes::GetFirstNode() const
{
    return nodeOf(FOwner.topLevelItem(0));
}

TTreeNTNode *TTreeNTNodes::GetNode(const QTreeWidgetItem *Item)
{
    return nodeOf(Item);
}

TTreeNTNode *TTreeNTNodes::Add(TTreeNTNode *Sibling, const QString &S, intptr_t Data)
{
    return AddChild(Sibling ? Sibling->Parent() : nullptr, S, Data);
}

TTreeNTNode *TTreeNTNodes::AddChild(TTreeNTNode *Parent, const QString &S, intptr_t Data)
{
    auto *item = new TTreeNTItem(*this);
    TTreeNTNode &node = *item->Node;
    item->setText(0, S);
    node.setData(Data);
    if (FOwner.Options() & toCheckBoxes)
        node.StateIndex = 1;
    if (Parent)
        Parent->ItemId().addChild(item);
    else
        FOwner.addTopLevelItem(item);
    FOwner.SortAfterChange(Parent, true);
    return &node;
}

void TTreeNTNodes::Delete(TTreeNTNode *Node)
{
    if (!Node)
        return;
    QTreeWidgetItem *item = &Node->ItemId();
    if (FOwner.OnDeletion) {
        for (TTreeNTNode *node = Node; node && node->HasAsParent(Node); node = node->GetNext())
            FOwner.OnDeletion(&FOwner, node);
    }
    TTreeNTNode *parent = Node->Parent();
    delete item;
    if (parent && parent->Count() == 0) {
        parent->ItemId().setExpanded(false);
        parent->setHasChildren(false);
    }
}

void TTreeNTNodes::Clear()
{
    BeginUpdate();
    while (TTreeNTNode *node = GetFirstNode())
        Delete(node);
    EndUpdate();
}

void TTreeNTNodes::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        FOwner.setUpdatesEnabled(false);
}

void TTreeNTNodes::EndUpdate()
{
    if (FUpdateCount == 0 || --FUpdateCount > 0)
        return;
    FOwner.setUpdatesEnabled(true);
    FOwner.viewport()->update();
    FOwner.SortAfterChange(nullptr, true);
}

void TTreeNTNodes::Assign(const TTreeNTNodes &Source)
{
    if (&Source != this)
        ReadData(Source.WriteData());
}
