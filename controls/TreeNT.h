#pragma once
// A tree of nodes with check boxes, a font per node, vetoable expansion, collapse and selection
// (asked before anything changes, whether the mouse, a key or code asks for it), single-expand mode,
// info tips, Enter to the next node, sorting and the nodes stored as the property "Items.Data".
//
// Each node lives in its QTreeWidgetItem; deleting the item deletes the node.

#include "controls/Component.h"
#include "controls/Graphics.h"
#include "controls/ImageList.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QTreeWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

class ETreeNTError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TCustomTreeNT;
class TTreeNTNode;
class TTreeNTNodes;

enum TNodeState : uint16_t {
    nsChecked = 1 << 0, nsCut = 1 << 1, nsDisabled = 1 << 2, nsDropHilited = 1 << 3,
    nsExpanded = 1 << 4, nsExpandedOnce = 1 << 5, nsFocused = 1 << 6, nsGrayed = 1 << 7,
    nsHot = 1 << 8, nsIndeterminate = 1 << 9, nsMarked = 1 << 10, nsSelected = 1 << 11
};
using TNodeStates = uint16_t;

// Where a point lies against the tree and its nodes (a point on a node's state image, image or label is
// also htOnItem).
enum THitTest : uint16_t {
    htAbove = 1 << 0, htBelow = 1 << 1, htNowhere = 1 << 2, htOnItem = 1 << 3, htOnButton = 1 << 4,
    htOnIcon = 1 << 5, htOnIndent = 1 << 6, htOnLabel = 1 << 7, htOnRight = 1 << 8,
    htOnStateIcon = 1 << 9, htToLeft = 1 << 10, htToRight = 1 << 11
};
using THitTests = uint16_t;

enum TTreeOption : uint16_t {
    toCheckBoxes = 1 << 0, toFullRowSelect = 1 << 1, toHideSelection = 1 << 2, toHotTrack = 1 << 3,
    toInfoTip = 1 << 4, toNoScroll = 1 << 5, toReadOnly = 1 << 6, toToolTips = 1 << 7,
    toShowButtons = 1 << 8, toShowLines = 1 << 9, toShowRoot = 1 << 10, toSingleExpand = 1 << 11,
    toWantReturn = 1 << 12
};
using TTreeOptions = uint16_t;

enum TSortType : uint8_t { stNone, stData, stText, stBoth };
// dmAutomatic starts a drag when the mouse is pressed on a node and moved.
enum TDragMode : uint8_t { dmManual, dmAutomatic };

// A sort order of two nodes (negative, 0, positive) with the caller's data.
using TTVCompare = std::function<int(TTreeNTNode *Node1, TTreeNTNode *Node2, int Data)>;

class TTreeNTNode {
public:
    TTreeNTNode(TTreeNTNodes &Owner, QTreeWidgetItem &Item) : FOwner(Owner), FItem(Item) {}
    virtual ~TTreeNTNode() = default;

    TTreeNTNodes &Owner() const { return FOwner; }
    QTreeWidgetItem &ItemId() const { return FItem; }

    QString Text() const;
    void setText(const QString &Value);
    intptr_t Data() const { return FData; }
    void setData(intptr_t Value);

    int ImageIndex = -1;
    int SelectedIndex = -1;
    int OverlayIndex = -1;
    int StateIndex = -1;

    // State image 2 is checked, 1 unchecked.
    bool Checked() const { return StateIndex == 2; }
    void setChecked(bool Value);

    bool Expanded() const { return FItem.isExpanded(); }
    // Asks OnExpanding or OnCollapsing first.
    void setExpanded(bool Value);
    bool Selected() const;
    void setSelected(bool Value);
    // The node has the focus rectangle: it is the selected node of a focused tree.
    bool Focused() const;
    // The node is marked as cut (for a later paste): its image is drawn ghosted.
    bool Cut() const { return FCut; }
    void setCut(bool Value);
    // The node is highlighted as the target of a drag.
    bool DropTarget() const;
    void setDropTarget(bool Value);
    bool HasChildren() const;
    void setHasChildren(bool Value);

    // The node's own font, used while ParentFont is false; setting it clears ParentFont.
    const TFont &Font() const { return FFont; }
    void setFont(const TFont &Value);
    bool ParentFont = true;
    TColor Color() const { return FColor; }
    void setColor(TColor Value);
    bool ParentColor = true;

    TTreeNTNode *Parent() const;
    int Count() const { return FItem.childCount(); }
    // The Index-th child; throws ETreeNTError for an index outside the children.
    TTreeNTNode *Item(int Index) const;
    int Index() const;
    int AbsoluteIndex() const;
    int IndexOf(const TTreeNTNode *Child) const;
    bool HasAsParent(const TTreeNTNode *Node) const;

    TTreeNTNode *GetFirstChild() const;
    TTreeNTNode *GetLastChild() const;
    TTreeNTNode *GetNextSibling() const;
    TTreeNTNode *GetPrevSibling() const;
    // The sibling after Node; null for null.
    TTreeNTNode *GetNextChild(const TTreeNTNode *Node) const;
    TTreeNTNode *GetNext() const;
    TTreeNTNode *GetPrev() const;

    // Every ancestor is expanded, so the node has a place in the tree's rows.
    bool IsVisible() const;
    // In viewport coordinates: the node's label, or its whole line; empty when the node is not visible.
    TRect DisplayRect(bool TextOnly) const;

    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    void AlphaSort();
    // Sorts the children by Compare.
    void CustomSort(const TTVCompare &Compare, int Data);
    void Delete();
    bool IsEqual(const TTreeNTNode &Node) const { return Text() == Node.Text() && FData == Node.FData; }
    // Copies text, data, the image indexes, the drop-target, cut and has-children marks, ParentFont,
    // ParentColor and the font; not the colour. The state index (which holds the check state) is copied
    // only when the tree has state images.
    void Assign(const TTreeNTNode &Source);
    // The states a node keeps: checked, cut, drop target, expanded, expanded once, focused, selected;
    // the others exist only while the node is drawn and read false.
    bool GetState(TNodeState NodeState) const;

private:
    friend class TCustomTreeNT;
    TTreeNTNodes &FOwner;
    QTreeWidgetItem &FItem;
    intptr_t FData = 0;
    TFont FFont;
    TColor FColor = 0;
    bool FCut = false;
    bool FExpandedOnce = false;
};

// The nodes of a tree in depth-first order.
class TTreeNTNodes {
public:
    explicit TTreeNTNodes(TCustomTreeNT &Owner) : FOwner(Owner) {}

    TCustomTreeNT &Owner() const { return FOwner; }
    int Count() const;
    // The node at a depth-first index; throws ETreeNTError for an index outside the nodes.
    TTreeNTNode *Item(int Index) const;
    TTreeNTNode *GetFirstNode() const;
    static TTreeNTNode *GetNode(const QTreeWidgetItem *Item);

    // A new last sibling of Sibling (a root node when Sibling is null).
    TTreeNTNode *Add(TTreeNTNode *Sibling, const QString &S, intptr_t Data = 0);
    // A new last child of Parent (a root node when Parent is null).
    TTreeNTNode *AddChild(TTreeNTNode *Parent, const QString &S, intptr_t Data = 0);
    void Delete(TTreeNTNode *Node);
    void Clear();
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }
    void Assign(const TTreeNTNodes &Source);

    // The stored form of all nodes ("Items.Data").
    QByteArray WriteData() const;
    // Replaces all nodes by the stored ones; throws ETreeNTError on a truncated or malformed
    // stream, leaving the nodes as they were.
    void ReadData(const QByteArray &Stream);

private:
    TCustomTreeNT &FOwner;
    int FUpdateCount = 0;
};

class TCustomTreeNT : public QTreeWidget, public LoadedComponent {
    Q_OBJECT

public:
    explicit TCustomTreeNT(QWidget *parent = nullptr);
    ~TCustomTreeNT() override;

    TTreeNTNodes &Items() { return FItems; }
    const TTreeNTNodes &Items() const { return FItems; }

    TTreeOptions Options() const { return FOptions; }
    void setOptions(TTreeOptions Value);
    TSortType SortType() const { return FSortType; }
    void setSortType(TSortType Value);
    // Scrolling while a drag is held near an edge.
    bool AutoScroll() const { return FAutoScroll; }
    void setAutoScroll(bool Value);
    TDragMode DragMode() const { return FDragMode; }
    void setDragMode(TDragMode Value);
    int Indent() const { return indentation(); }
    void setIndent(int Value) { setIndentation(Value); }
    // Item height in pixels; a value below 1 returns to the default height.
    int ItemHeight() const;
    void setItemHeight(int Value);
    // Scroll time in ms, at least 100.
    int ScrollTime() const { return FScrollTime; }
    void setScrollTime(int Value);
    // The incremental-search text typed so far ("" once the typing pause has passed).
    QString SearchString() const;

    TImageList *Images() const { return FImages; }
    void setImages(TImageList *Value);
    TImageList *StateImages() const { return FStateImages; }
    void setStateImages(TImageList *Value);

    TTreeNTNode *Selected() const;
    // Asks OnChanging first.
    void setSelected(TTreeNTNode *Node);
    // The node highlighted under a drag; null when none.
    TTreeNTNode *DropTarget() const;
    void setDropTarget(TTreeNTNode *Node);
    TTreeNTNode *TopItem() const;
    void setTopItem(TTreeNTNode *Node);
    TTreeNTNode *GetNodeAt(int X, int Y) const;
    // Where the viewport point (X, Y) lies: outside the viewport, on no node, or on a part of a node.
    THitTests GetHitTestInfoAt(int X, int Y) const;
    void FullExpand();
    void AlphaSort();
    // Sorts the root level and then every node's children by Compare.
    void CustomSort(const TTVCompare &Compare, int Data);

    // The stored properties ("Items.Data" when there are nodes) and their reading; a malformed
    // "Items.Data" throws ETreeNTError and leaves the nodes as they were.
    QByteArray WriteProperties() const;
    void ReadProperties(const QByteArray &Stream);

    std::function<void(TCustomTreeNT *, QPainter *)> BeforePaint;
    std::function<void(TCustomTreeNT *, QPainter *)> AfterPaint;
    std::function<void(TCustomTreeNT *, TTreeNTNode *, bool &)> OnEditing;
    std::function<void(TCustomTreeNT *, TTreeNTNode *, QString &)> OnEdited;
    std::function<void(TCustomTreeNT *, TTreeNTNode *, bool &)> OnExpanding;
    std::function<void(TCustomTreeNT *, TTreeNTNode *, bool &)> OnCollapsing;
    std::function<void(TCustomTreeNT *, TTreeNTNode *)> OnExpanded;
    std::function<void(TCustomTreeNT *, TTreeNTNode *)> OnCollapsed;
    std::function<void(TCustomTreeNT *, TTreeNTNode *, bool &)> OnChanging;
    std::function<void(TCustomTreeNT *, TTreeNTNode *)> OnChange;
    std::function<void(TCustomTreeNT *, TTreeNTNode *, TTreeNTNode *, int, int &)> OnCompare;
    std::function<void(TCustomTreeNT *, TTreeNTNode *)> OnDeletion;
    // Fired before a node's image or selected image is drawn; they may set its indexes.
    std::function<void(TCustomTreeNT *, TTreeNTNode *)> OnGetImageIndex;
    std::function<void(TCustomTreeNT *, TTreeNTNode *)> OnGetSelectedIndex;
    std::function<QString(TCustomTreeNT *, TTreeNTNode *)> OnHint;
    std::function<void(TCustomTreeNT *, TTreeNTNode *, bool &)> OnSingleExpanded;
    // A drag over the tree is accepted only when OnDragOver is set and lets it; Source is the widget
    // the drag started from (null for another program).
    std::function<void(TCustomTreeNT *, QObject *Source, int X, int Y, bool &Accept)> OnDragOver;
    std::function<void(TCustomTreeNT *, QObject *Source, int X, int Y)> OnDragDrop;
    std::function<void(TCustomTreeNT *, TTreeNTNode *, QPainter *, const TRect &, TNodeStates)>
        BeforeItemPaint;
    std::function<void(TCustomTreeNT *, TTreeNTNode *, QPainter *, const TRect &, TNodeStates)>
        AfterItemPaint;

    // The vetoable steps every expansion, collapse and selection change goes through.
    bool ExpandNode(TTreeNTNode &Node);
    bool CollapseNode(TTreeNTNode &Node);
    bool AllowChange(TTreeNTNode *Node);
    // The order sorting uses: a CustomSort's routine, else OnCompare, else the locale's text order.
    int CompareNodes(TTreeNTNode &Node1, TTreeNTNode &Node2);
    // Sorts Parent's children (the root level when null) as SortType asks.
    void SortAfterChange(TTreeNTNode *Parent, bool TextChanged);
    // The rectangle of the node's state image (check box), empty without one.
    QRect StateImageRect(const QTreeWidgetItem &Item) const;
    // Makes the node object of every new item; a descendant returns its own kind of node.
    virtual std::unique_ptr<TTreeNTNode> CreateNode(QTreeWidgetItem &Item);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyboardSearch(const QString &search) override;
    bool viewportEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The option a visible node is drawn with, and its label inside it.
    QStyleOptionViewItem nodeOption(const TTreeNTNode &Node) const;
    TRect labelRect(const QStyleOptionViewItem &Option) const;
    TRect nodeRect(const TTreeNTNode &Node, bool TextOnly) const;
    void applyOptions();
    void toggleExpansion(TTreeNTNode &Node);
    void sortLevel(QTreeWidgetItem &Parent, bool Recurse);
    friend class TTreeNTNode;
    void customSortLevel(QTreeWidgetItem &Parent, bool Recurse, const TTVCompare &Compare, int Data);
    // Drag over: the drop target, the edges that scroll, and the answer of OnDragOver.
    void dragOver(QDropEvent &event);
    void dragScrollTick();
    void endDrag();

    TTreeNTNodes FItems;
    TTreeOptions FOptions = toShowLines | toShowRoot;
    TSortType FSortType = stNone;
    int FItemHeight = 0;
    int FScrollTime = 300;
    QString FSearch;
    QElapsedTimer FSearchTimer;
    QPointer<TImageList> FImages;
    QPointer<TImageList> FStateImages;
    bool FAutoScroll = true;
    TDragMode FDragMode = dmManual;
    QPersistentModelIndex FDropTarget;
    // Auto-scroll while dragging: the directions, the timer and its acceleration counter.
    enum ScrollDirection : uint8_t { sdLeft = 1, sdRight = 2, sdUp = 4, sdDown = 8 };
    uint8_t FScrollDirections = 0;
    QTimer FScrollTimer;
    int FScrollCounter = 0;
    const TTVCompare *FCompare = nullptr;
    int FCompareData = 0;
};

class TTreeNT : public TCustomTreeNT {
    Q_OBJECT

public:
    using TCustomTreeNT::TCustomTreeNT;
};
