#pragma once
// A list view in report mode: a QTreeView without root decoration over a QStandardItemModel, one row per
// item (column 0 the caption, column k + 1 sub-item k). Adds sorting on header clicks with a smart
// comparison (dates, numbers, text), a per-pair sort hook, typing search and saved settings.

#include "controls/Component.h"

#include <QStandardItemModel>
#include <QString>
#include <QTreeView>

#include <cstdint>
#include <functional>

enum class TAutoColumnSort { acsNoSort, acsSort, acsSortToggle };
enum class TAutoSortStyle { assSmart, assDefault };
enum class TSortAs { saNone, saText, saNumber, saDate };
enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

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
    int AddColumn(const QString &caption, int width);
    int ColumnCount() const;
    int ColumnWidth(int index) const { return columnWidth(index); }
    void SetColumnWidth(int index, int width) { setColumnWidth(index, width); }
    int ItemCount() const;
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
    TdfsEnhLVSaveSettings SaveSettings;
    TViewStyle ViewStyle = TViewStyle::vsReport; // kept; the control shows report view only
    QString Version() const { return QStringLiteral("TdfsEnhListView v3.70"); }

    bool CurrentSortAscending() const { return FCurrentSortAscending; }
    void SetCurrentSortAscending(bool value) { FCurrentSortAscending = value; }
    int SortColumnIndex() const { return FSortColumnIndex; }
    void SetLastColumnClicked(int index) { FSortColumnIndex = index; }
    int UpdateCount() const { return FUpdateCount; }

    // Events.
    std::function<void(TCustomEnhListView *, TListItem, TListItem, int SortColumn, TSortAs &, int &CompResult)>
        OnSortItems;
    std::function<void(TCustomEnhListView *, int SortColumn, bool Ascending)> OnSortBegin;
    std::function<void(TCustomEnhListView *, int SortColumn, bool Ascending)> OnSortFinished;
    std::function<void(TCustomEnhListView *, int Column)> OnColumnClick;
    std::function<void(TCustomEnhListView *, TListItem)> OnInsert;

    // Operations.
    virtual void ColumnClick(int index);
    virtual void SortColumn(int index, bool ascending);
    virtual void Resort();
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

    // The time source of the typing search, in milliseconds (tests inject their own).
    void setSearchClock(std::function<int64_t()> clock) { FClock = std::move(clock); }

    // The smart comparison's readings; false when the text is no number or date.
    static bool TextToNumber(const QString &text, double &value);
    static bool TextToDate(const QString &text, double &value);

    QStandardItemModel *Model() const { return FModel; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    friend class TListItem;
    // Text column -1 is the caption, k sub-item k; any other reads as empty.
    QString CellText(int row, int textColumn) const;
    int Compare(int row1, int row2, int textColumn, int direction);
    void ItemInserted(QStandardItem *caption);
    bool SelectWhere(int columnIndex, const std::function<bool(const QString &)> &matches);

    QStandardItemModel *FModel;
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
};
