#pragma once
// The extended list view: the enhanced list view with extended styles (grid lines, check boxes, full-row
// select, sub-item images, info tips, movable columns), a column order saved with the other settings,
// per-column header images and a per-column switch that forbids resizing, hot tracking, marquee selection,
// and a virtual mode in which the items live in the owner and are fetched through OnVMGetItemInfo.

#include "controls/EnhListView.h"

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <vector>

// The extended styles as their list-view flag values; a set is their sum.
using TLVExtendedStyles = uint32_t;
constexpr TLVExtendedStyles lvxGridLines = 0x1;
constexpr TLVExtendedStyles lvxSubItemImages = 0x2;
constexpr TLVExtendedStyles lvxCheckboxes = 0x4;
constexpr TLVExtendedStyles lvxTrackSelect = 0x8;
constexpr TLVExtendedStyles lvxHeaderDragDrop = 0x10;
constexpr TLVExtendedStyles lvxFullRowSelect = 0x20;
constexpr TLVExtendedStyles lvxOneClickActivate = 0x40; // kept
constexpr TLVExtendedStyles lvxTwoClickActivate = 0x80; // kept
constexpr TLVExtendedStyles lvxFlatScrollBar = 0x100;   // kept
constexpr TLVExtendedStyles lvxInfoTip = 0x400;
constexpr TLVExtendedStyles lvxUnderlineHot = 0x800;  // kept
constexpr TLVExtendedStyles lvxUnderlineCold = 0x1000; // kept
constexpr TLVExtendedStyles lvxLabelTip = 0x4000;      // kept

enum class TColumnImageAlign { ciaLeftOfText, ciaRightOfText };

class TdfsExtListColumns;

// The format of one list column: its header image, where the image stands, and whether the user may
// resize the column.
class TdfsExtListColumn {
public:
    explicit TdfsExtListColumn(TdfsExtListColumns &owner) : FOwner(owner) {}

    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TColumnImageAlign ImageAlignment() const { return FImageAlignment; }
    void SetImageAlignment(TColumnImageAlign value);
    bool AllowResize() const { return FAllowResize; }
    void SetAllowResize(bool value);
    int Index() const;

private:
    friend class TdfsExtListColumns;
    TdfsExtListColumns &FOwner;
    int FImageIndex = -1;
    TColumnImageAlign FImageAlignment = TColumnImageAlign::ciaRightOfText;
    bool FAllowResize = true;
};

// Item i formats list column i; every change is announced with the item's index (-1: all items).
class TdfsExtListColumns {
public:
    explicit TdfsExtListColumns(std::function<void(int)> changed) : FChanged(std::move(changed)) {}

    int Count() const { return static_cast<int>(FItems.size()); }
    TdfsExtListColumn &Item(int index) { return *FItems.at(static_cast<size_t>(index)); }
    const TdfsExtListColumn &Item(int index) const { return *FItems.at(static_cast<size_t>(index)); }
    TdfsExtListColumn &Add();
    void Clear();
    // Copies image index and alignment of every item (and the item count).
    void Assign(const TdfsExtListColumns &source);
    void Changed(int index) const { FChanged(index); }
    int IndexOf(const TdfsExtListColumn *item) const;

private:
    std::function<void(int)> FChanged;
    std::vector<std::unique_ptr<TdfsExtListColumn>> FItems;
};

struct TdfsExtLVSaveSettings : TdfsEnhLVSaveSettings {
    bool SaveColumnOrder = true;
};

// The parts of an item a virtual list asks its owner for.
using TLVVMMaskItems = uint32_t;
constexpr TLVVMMaskItems lvifText = 1;
constexpr TLVVMMaskItems lvifImage = 2;
constexpr TLVVMMaskItems lvifParam = 4;
constexpr TLVVMMaskItems lvifState = 8;
constexpr TLVVMMaskItems lvifIndent = 16;

// What OnVMGetItemInfo answers for one item (SubItem -1) or one sub-item; Mask says what is asked.
// StateImage 1 draws an unchecked box, 2 a checked one (0: no state image).
struct TLVVMItemInfo {
    TLVVMMaskItems Mask = 0;
    int Image = -1;
    uint16_t OverlayImage = 0;
    uint16_t StateImage = 0;
    int Param = 0;
    uint32_t State = 0;
    uint32_t StateMask = 0;
    int Indent = 0;
    QString Text;
};

// The rows a virtual list is about to draw.
struct TLVCacheHint {
    int From = 0;
    int To = -1;
};

// A typing search in a virtual list: the first item from Start whose caption begins with Text (any case).
struct TLVFindInfo {
    QString Text;
    int Start = 0;
    bool Partial = true;
    bool Wrap = true;
};

// A range of items of a virtual list whose selection changed.
constexpr uint32_t LVIS_FOCUSED = 1;
constexpr uint32_t LVIS_SELECTED = 2;
struct TLVODStateChange {
    int From = 0;
    int To = 0;
    uint32_t NewState = 0;
    uint32_t OldState = 0;
};

// SetItemCountEx options.
constexpr uint32_t LVSICF_NOINVALIDATEALL = 1;
constexpr uint32_t LVSICF_NOSCROLL = 2;

class QRubberBand;
class TCustomExtListView;

// The rows of a virtual list: their count is set by the owner and every cell is asked for through
// OnVMGetItemInfo when it is drawn or read; the columns are the list's own.
class TExtListVirtualModel : public QAbstractTableModel {
    Q_OBJECT

public:
    TExtListVirtualModel(TCustomExtListView &list, QAbstractItemModel &columns);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    // Captions are editable; the edit ends at the owner (OnVMCaptionEdited).
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetCount(int count);
    void Clear() { SetCount(0); }

private:
    TCustomExtListView &FList;
    QAbstractItemModel &FColumns;
    int FCount = 0;
};

class TCustomExtListView : public TCustomEnhListView {
    Q_OBJECT

public:
    explicit TCustomExtListView(QWidget *parent = nullptr);
    ~TCustomExtListView() override;

    void Loaded() override;

    TdfsExtLVSaveSettings &SaveSettings() { return static_cast<TdfsExtLVSaveSettings &>(TCustomEnhListView::SaveSettings()); }

    // lvxUnderlineCold without lvxOneClickActivate adds it; so does lvxUnderlineHot without either
    // activation style.
    TLVExtendedStyles ExtendedStyles() const { return FExtendedStyles; }
    void SetExtendedStyles(TLVExtendedStyles value);

    TdfsExtListColumns &ColumnsFormat() { return FColumnsFormat; }
    void SetColumnsFormat(const TdfsExtListColumns &value) { FColumnsFormat.Assign(value); }
    void UpdateColumnImage(int index);
    void UpdateColumnImages();

    // The display order: entry p is the column shown at position p. An order that is not a permutation
    // of the columns is refused (false) and the order stays.
    std::vector<int> GetColumnOrder() const;
    bool SetColumnOrder(const std::vector<int> &order);

    // An item is checked when its state image is 2 or more (1 is the unchecked box).
    bool IsChecked(int index) const;
    // Changes the check state and raises OnItemChecked; a virtual list only reports it to its owner.
    void SetChecked(int index, bool value);
    // The image of sub-item subItem (list column subItem + 1); -1 for none.
    int GetSubItemImage(int index, int subItem) const;
    void SetSubItemImage(int index, int subItem, int image);

    bool VirtualMode() const { return FVirtualMode; }
    // Switching clears the items; a virtual list holds SetItemCountEx rows.
    void SetVirtualMode(bool value);
    // Without LVSICF_NOINVALIDATEALL every row is drawn again.
    void SetItemCountEx(int count, uint32_t flags = 0);

    // Kept value: nothing in the control depends on it.
    int SelectionMark = -1;
    // With lvxTrackSelect, how long (ms) the mouse rests on an item before it is selected; -1: the
    // style's hover delay.
    int HoverTime = -1;

    void SetShowSortArrows(bool value) override;
    int ActualColumnIndex(int index) const override;
    int GetColumnFromIndex(int index) const override;
    void GetSubItemText(int index, int subItem, QString &text) const override;
    void DefaultDrawHeader(QPainter &painter, int index, const TRect &rect, bool selected) override;
    bool StoreSettings() override;
    bool LoadSettings() override;
    bool StringSelect(const QString &findStr, int columnIndex) override;

    virtual void ItemChecked(int itemIndex, bool checked);
    // A marquee (rubber-band) selection dragged from empty space is about to begin; false refuses it.
    virtual bool MarqueeBegin();
    virtual void ItemActivate();
    // With lvxTrackSelect, the mouse moved over the list (itemIndex -1: over no item); the handler may
    // make another item hot; false keeps the hot item from being selected.
    virtual bool HotTrack(int &itemIndex, int subItemIndex, QPoint location);
    // The info tip of an item: with OnInfoTip what it adds, else (outside virtual mode) the caption.
    virtual QString InfoTip(int itemIndex, int subItemIndex);
    virtual void VMCacheHint(TLVCacheHint &hintInfo);
    virtual int VMFindItem(TLVFindInfo &findInfo);
    virtual void VMStateChanged(TLVODStateChange &stateInfo);
    // Asks OnVMGetItemInfo for one item or sub-item of a virtual list.
    virtual void VMGetItemInfo(int item, int subItem, TLVVMItemInfo &info);
    // A caption edit of a virtual list ended; the owner keeps the text.
    virtual void VMCaptionEdited(int item, bool canceled, const QString &text);

    std::function<void(TCustomExtListView *, int ItemIndex, bool Checked)> OnItemChecked;
    std::function<void(TCustomExtListView *)> OnItemActivate;
    std::function<void(TCustomExtListView *, bool &CanBegin)> OnMarqueeBegin;
    std::function<void(TCustomExtListView *, int &ItemIndex, int SubItemIndex, QPoint Location, bool &AllowSelect)>
        OnHotTrack;
    std::function<void(TCustomExtListView *, int ItemIndex, int SubItemIndex, const QString &Current,
                       QString &Additional)>
        OnInfoTip;
    std::function<void(TCustomExtListView *, int Item, int SubItem, TLVVMItemInfo &)> OnVMGetItemInfo;
    std::function<void(TCustomExtListView *, TLVCacheHint &)> OnVMCacheHint;
    std::function<void(TCustomExtListView *, TLVFindInfo &, int &Found)> OnVMFindItem;
    std::function<void(TCustomExtListView *, TLVODStateChange &)> OnVMStateChanged;
    std::function<void(TCustomExtListView *, int Item, bool Canceled, const QString &Text)> OnVMCaptionEdited;

protected:
    QString GetVersion() const override { return QStringLiteral("TdfsExtListView v3.70"); }
    void DrawItemEvent(QPainter &painter, int index, const TRect &rect, TOwnerDrawState state, bool &defaultDrawing,
                       bool &fullRowSelect) override;
    bool ColumnResizable(int index) const override;
    QSize StateImageSize() const override;
    void DrawStateImage(QPainter &painter, QPoint topLeft, int stateIndex) const override;
    bool DrawsSubItemImages() const override { return FExtendedStyles & lvxSubItemImages; }
    void ImagesChanged() override;

    void drawRow(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyboardSearch(const QString &search) override;
    bool viewportEvent(QEvent *event) override;
    void EndLabelEdit(int index, bool canceled, const QString &text) override;

private:
    void ColumnFormatChanged(int index);
    void ToggleChecks();
    void ConnectSelection();
    void TrackHotItem(QPoint pos);
    void SetHotItem(int item);
    void DragMarquee(QMouseEvent &event);

    TLVExtendedStyles FExtendedStyles = lvxInfoTip;
    TdfsExtListColumns FColumnsFormat;
    TExtListVirtualModel *FVirtualModel;
    bool FVirtualMode = false;
    QString FVMSearch;
    QElapsedTimer FVMSearchTimer;
    // Hot tracking: the hot item and the wait before it is selected.
    int FHotItem = -1;
    QTimer FHoverTimer;
    // A press on empty space may start a marquee once the mouse moves; the band's origin is kept in
    // content coordinates, so that it stays put while the list scrolls.
    enum class TMarquee { None, Pending, Active, Refused };
    TMarquee FMarquee = TMarquee::None;
    QPoint FMarqueeOrigin;
    QRubberBand *FRubberBand = nullptr;
};

class TdfsExtListView : public TCustomExtListView {
    Q_OBJECT

public:
    using TCustomExtListView::TCustomExtListView;
};
