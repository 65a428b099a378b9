#pragma once
// A list view in report mode: a QTreeView without root decoration over a QStandardItemModel, one row per
// item (column 0 the caption, column k + 1 sub-item k). Adds sorting on header clicks with a smart
// comparison (dates, numbers, text), a per-pair sort hook, typing search, saved settings and caption
// editing (F2 or a click on the selected item; a list is made read-only with NoEditTriggers), and draws
// its rows, cells and header sections itself with events that can take over any of them
// (EnhListViewPaint.cpp).

#include "controls/Alignment.h"
#include "controls/Component.h"
#include "controls/Graphics.h"
#include "controls/ImageList.h"

#include <QFontMetrics>
#include <QPixmap>
#include <QPointer>
#include <QStandardItemModel>
#include <QString>
#include <QTreeView>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

enum class TAutoColumnSort { acsNoSort, acsSort, acsSortToggle };
enum class TAutoSortStyle { assSmart, assDefault };
enum class TSortAs { saNone, saText, saNumber, saDate };
enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum class TLVStyle { lvStandard, lvOwnerDrawFixed };

// The state of a row being drawn.
using TOwnerDrawState = uint16_t;
constexpr TOwnerDrawState odSelected = 1 << 0;
constexpr TOwnerDrawState odDisabled = 1 << 2;
constexpr TOwnerDrawState odFocused = 1 << 4;

// Model roles of a row's caption cell (image and state image) and of a sub-item cell (its image), and
// of a header section (the column's TAlignment, the alignment of its header image).
constexpr int ImageIndexRole = Qt::UserRole + 1;
constexpr int StateIndexRole = Qt::UserRole + 2;
constexpr int ColumnAlignmentRole = Qt::UserRole + 3;
constexpr int HeaderImageAlignmentRole = Qt::UserRole + 4;

class TCustomEnhListView;

// One row of the list; a handle that stays with its row while rows are sorted or moved.
class TListItem {
public:
    TListItem(TCustomEnhListView *owner, QStandardItem *caption) : FOwner(owner), FItem(caption) {}

    int Index() const;
    QString Caption() const;
    void setCaption(const QString &text);
    int SubItemCount() const;
    // A sub-item the row lacks reads as empty.
    QString SubItem(int index) const;
    void setSubItem(int index, const QString &text);
    bool Selected() const;
    bool Focused() const;
    // The image in SmallImages and the image in StateImages; -1 for none.
    int ImageIndex() const;
    void setImageIndex(int index);
    int StateIndex() const;
    void setStateIndex(int index);
    bool operator==(const TListItem &other) const { return FItem == other.FItem; }

private:
    TCustomEnhListView *FOwner;
    QStandardItem *FItem;
};

// Where and what of the saved settings: values under RegistryKey in the program's settings store.
struct TdfsEnhLVSaveSettings {
    bool AutoSave = false;
    QString RegistryKey;
    bool SaveColumnSizes = true;
    bool SaveCurrentSort = true;
    bool SaveViewStyle = true;
};

class TCustomEnhListView : public QTreeView, public LoadedComponent {
    Q_OBJECT
public:
    explicit TCustomEnhListView(QWidget *parent = nullptr);
    ~TCustomEnhListView() override;

    void Loaded() override;

    // Columns and items.
    int AddColumn(const QString &caption, int width, TAlignment alignment = taLeftJustify);
    int ColumnCount() const;
    int ColumnWidth(int index) const { return columnWidth(index); }
    void SetColumnWidth(int index, int width) { setColumnWidth(index, width); }
    QString ColumnCaption(int index) const;
    TAlignment ColumnAlignment(int index) const;
    int ItemCount() const;
    // An item the list holds itself (not in a virtual list).
    TListItem Item(int index) const;
    // Appends (or inserts at index) an item, raises OnInsert and resorts when AutoResort.
    TListItem AddItem(const QString &caption, const QStringList &subItems = {});
    TListItem InsertItem(int index, const QString &caption, const QStringList &subItems = {});
    void DeleteItem(int index);
    int SelectedIndex() const; // the first selected item, -1 when none
    void SelectItem(int index);

    // Properties.
    TAutoColumnSort AutoColumnSort() const { return FAutoColumnSort; }
    void SetAutoColumnSort(TAutoColumnSort value);
    TAutoSortStyle AutoSortStyle() const { return FAutoSortStyle; }
    void SetAutoSortStyle(TAutoSortStyle value);
    bool AutoResort = true;
    bool AutoSortAscending() const { return FAutoSortAscending; }
    void SetAutoSortAscending(bool value);
    bool ColumnSearch = false;
    // Columns keep their widths against divider drags and divider double-clicks; code may still set them.
    bool NoColumnResize() const { return FNoColumnResize; }
    void SetNoColumnResize(bool value);
    TdfsEnhLVSaveSettings &SaveSettings() { return *FSaveSettings; }
    TViewStyle ViewStyle = TViewStyle::vsReport; // kept; the control shows report view only
    QString Version() const { return GetVersion(); }

    // lvOwnerDrawFixed raises the drawing events; lvStandard draws every row the default way.
    TLVStyle Style() const { return FStyle; }
    void SetStyle(TLVStyle value);
    // The selection of an unfocused list is not shown.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);
    TImageList *SmallImages() const { return FSmallImages; }
    void SetSmallImages(TImageList *value);
    TImageList *StateImages() const { return FStateImages; }
    void SetStateImages(TImageList *value);
    bool ShowSortArrows() const { return FShowSortArrows; }
    virtual void SetShowSortArrows(bool value);
    bool ReverseSortArrows() const { return FReverseSortArrows; }
    void SetReverseSortArrows(bool value);
    // The height of every row: the larger of the small images' height and the font's "Wy" + 1,
    // then OnMeasureItem.
    int RowHeight() const;

    bool CurrentSortAscending() const { return FCurrentSortAscending; }
    void SetCurrentSortAscending(bool value);
    int SortColumnIndex() const { return FSortColumnIndex; }
    void SetLastColumnClicked(int index);
    int UpdateCount() const { return FUpdateCount; }

    // Events.
    std::function<void(TCustomEnhListView *, TListItem, TListItem, int SortColumn, TSortAs &, int &CompResult)>
        OnSortItems;
    std::function<void(TCustomEnhListView *, int SortColumn, bool Ascending)> OnSortBegin;
    std::function<void(TCustomEnhListView *, int SortColumn, bool Ascending)> OnSortFinished;
    std::function<void(TCustomEnhListView *, int Column)> OnColumnClick;
    std::function<void(TCustomEnhListView *, TListItem)> OnInsert;
    // A caption edit ended: OnEdited may change the entered text before the caption takes it (and the
    // list resorts when AutoResort); OnEditCanceled when the edit was cancelled.
    std::function<void(TCustomEnhListView *, TListItem, QString &S)> OnEdited;
    std::function<void(TCustomEnhListView *, TListItem)> OnEditCanceled;
    std::function<void(TCustomEnhListView *, QPainter &, int Index, TRect &ARect, bool Selected,
                       bool &DefaultDrawing)>
        OnDrawHeader;
    std::function<void(TCustomEnhListView *, uint32_t &AHeight)> OnMeasureItem;
    std::function<void(TCustomEnhListView *, QPainter &, int Index, const TRect &, TOwnerDrawState,
                       bool &DefaultDrawing, bool &FullRowSelect)>
        OnDrawItem;
    std::function<void(TCustomEnhListView *, QPainter &, int Index, int SubItem, const TRect &, TOwnerDrawState,
                       bool &DefaultDrawing)>
        OnDrawSubItem;
    std::function<void(TCustomEnhListView *, QPainter &, int Index, const TRect &, TOwnerDrawState)>
        OnAfterDefaultDrawItem;

    // Operations.
    virtual void ColumnClick(int index);
    virtual void SortColumn(int index, bool ascending);
    virtual void Resort();
    virtual void EditCanceled(TListItem item);
    virtual void BeginUpdate();
    virtual void EndUpdate();
    virtual void ResizeColumns(bool useHeader);
    virtual void MoveItem(int curIndex, int newIndex);
    virtual bool StringSelect(const QString &findStr, int columnIndex);
    virtual bool SubStringSelect(const QString &findStr, int columnIndex);
    virtual bool StoreSettings();
    virtual bool LoadSettings();
    void StoreSettingsIfAuto();
    bool LoadSettingsIfAuto();

    // Drawing (the painter stands for the canvas: its brush fills, its pen is the font colour).
    virtual void InvalidateColumnHeader(int index);
    virtual void MeasureItem(uint32_t &height);
    virtual void DrawItem(QPainter &painter, int index, const TRect &rect, TOwnerDrawState state);
    virtual void DefaultDrawItem(QPainter &painter, int index, const TRect &rect, TOwnerDrawState state,
                                 bool fullRowSelect);
    virtual void DefaultDrawSubItem(QPainter &painter, int index, int subItem, const TRect &rect,
                                    TOwnerDrawState state);
    virtual void DrawHeader(QPainter &painter, int index, const TRect &rect, bool selected);
    virtual void DefaultDrawHeader(QPainter &painter, int index, const TRect &rect, bool selected);
    // The position of column index in the display order, and the column at a display position
    // (-1 past the last column).
    virtual int ActualColumnIndex(int index) const;
    virtual int GetColumnFromIndex(int index) const;
    // The text shown in sub-item subItem of an item (-1: the caption).
    virtual void GetSubItemText(int index, int subItem, QString &text) const;
    // The two sort arrows, drawn for the font; null pixmaps when the font is too small for them.
    virtual void CreateSortBmps(QPixmap &up, QPixmap &down) const;
    // The arrow drawn for a sort in this direction (ReverseSortArrows swaps them).
    QPixmap SortArrow(bool ascending) const;
    // Where a row's state image (check box) lies, in viewport coordinates; empty without one.
    QRect StateImageRect(int row) const;
    // The header sections are drawn by the list: OnDrawHeader is set or sort arrows are shown.
    bool HeaderOwnerDraw() const { return static_cast<bool>(OnDrawHeader) || FShowSortArrows; }

    // The time source of the typing search, in milliseconds (tests inject their own).
    void setSearchClock(std::function<int64_t()> clock) { FClock = std::move(clock); }

    // The smart comparison's readings; false when the text is no number or date.
    static bool TextToNumber(const QString &text, double &value);
    static bool TextToDate(const QString &text, double &value);

    QStandardItemModel *Model() const { return FModel; }

protected:
    TCustomEnhListView(QWidget *parent, std::unique_ptr<TdfsEnhLVSaveSettings> settings);

    void keyPressEvent(QKeyEvent *event) override;
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void changeEvent(QEvent *event) override;
    // Every edit opens on the caption of the row; it ends with the editor's text or cancelled.
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    // The end of a caption edit of item index; text is what was entered (canceled: nothing).
    virtual void EndLabelEdit(int index, bool canceled, const QString &text);

    virtual QString GetVersion() const { return QStringLiteral("TdfsEnhListView v3.70"); }
    // Raises OnDrawItem; the descendant chooses where full-row select starts.
    virtual void DrawItemEvent(QPainter &painter, int index, const TRect &rect, TOwnerDrawState state,
                               bool &defaultDrawing, bool &fullRowSelect);
    // Whether a divider drag may resize this column.
    virtual bool ColumnResizable(int index) const;
    void UpdateResizeModes();
    // The state image of a row: its size (empty when none is drawn) and its drawing.
    virtual QSize StateImageSize() const;
    virtual void DrawStateImage(QPainter &painter, QPoint topLeft, int stateIndex) const;
    // Sub-item images are drawn in the cells.
    virtual bool DrawsSubItemImages() const { return false; }
    // The image lists or their images changed.
    virtual void ImagesChanged();
    // Fills a header section the default way and answers the area inside its 2-pixel border.
    static TRect FillHeaderSection(QPainter &painter, const TRect &rect, bool selected);
    // The text box of a header section without sort arrow and image: 4 pixels in on the aligned side.
    static TRect HeaderTextBox(const TRect &rect, TAlignment alignment);
    // The caption's measured width placed in box as aligned, over area's height and clipped to area.
    static TRect HeaderCaptionRect(const QFontMetrics &metrics, const QString &caption, const TRect &box,
                                   const TRect &area, TAlignment alignment);
    // The settings store's key of a section of the saved settings.
    std::string SettingsKey(const char *section) const;
    // The items the list holds itself are in the view (not a virtual model).
    bool OwnsItems() const { return model() == FModel; }
    // Text column -1 is the caption, k sub-item k; any other reads as empty.
    QString CellText(int row, int textColumn) const;
    // An int role of a cell, -1 when it has none.
    int CellRole(int row, int column, int role) const;
    void StoreSettingsOnce();

    QStandardItemModel *FModel;

private:
    friend class TListItem;
    friend class TEnhListViewDelegate;
    int Compare(int row1, int row2, int textColumn, int direction);
    void ItemInserted(QStandardItem *caption);
    bool SelectWhere(int columnIndex, const std::function<bool(const QString &)> &matches);
    void ImagesReplaced(QPointer<TImageList> &slot, TImageList *value);
    void RebuildSortArrows();

    std::unique_ptr<TdfsEnhLVSaveSettings> FSaveSettings;
    TLVStyle FStyle = TLVStyle::lvStandard;
    bool FHideSelection = true;
    QPointer<TImageList> FSmallImages;
    QPointer<TImageList> FStateImages;
    bool FShowSortArrows = false;
    bool FReverseSortArrows = false;
    QPixmap FArrowUp;
    QPixmap FArrowDown;
    mutable int FRowHeight = 0;
    bool FSettingsStored = false;
    TAutoColumnSort FAutoColumnSort = TAutoColumnSort::acsNoSort;
    TAutoSortStyle FAutoSortStyle = TAutoSortStyle::assSmart;
    bool FAutoSortAscending = true;
    bool FCurrentSortAscending = true;
    int FSortColumnIndex = -1;
    bool FResortPending = false;
    bool FNoColumnResize = false;
    int FUpdateCount = 1;
    QString FSearchString;
    int64_t FLastSearchKey = 0;
    std::function<int64_t()> FClock;
    // The caption being edited and the text its editor committed.
    QPersistentModelIndex FEditIndex;
    std::optional<QString> FEditText;
};
