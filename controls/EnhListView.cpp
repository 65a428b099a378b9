#include "controls/EnhListView.h"

#include "controls/EnhListViewDelegate.h"
#include "controls/EnhListViewHeader.h"
#include "controls/MessageBeep.h"
#include "platform/RegistryStore.h"

#include <QDateTime>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

namespace {

constexpr unsigned MB_ICONHAND = 0x10;
constexpr int64_t SearchPauseMs = 1000;

template <typename T>
int sign(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int compareText(const QString &a, const QString &b)
{
    return sign(QString::localeAwareCompare(a, b), 0);
}

// The first character of a date or time format that is not part of a field.
QChar separatorOf(const QString &format, QChar fallback)
{
    for (QChar c : format)
        if (!c.isLetter())
            return c;
    return fallback;
}

// The locale's short format with one- or two-digit days and months.
QString lenientDateFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    format.replace(QStringLiteral("dd"), QStringLiteral("d")).replace(QStringLiteral("MM"), QStringLiteral("M"));
    return format;
}

bool readDate(const QString &text, QDate &date)
{
    date = QDate::fromString(text, lenientDateFormat());
    if (!date.isValid())
        date = QDate::fromString(text, QLocale().dateFormat(QLocale::ShortFormat));
    return date.isValid();
}

bool readTime(const QString &text, QChar separator, QTime &time)
{
    for (QString format : {QStringLiteral("H:m:s"), QStringLiteral("H:m")}) {
        time = QTime::fromString(text, format.replace(QLatin1Char(':'), separator));
        if (time.isValid())
            return true;
    }
    return false;
}

std::string keyOf(const QString &registryKey, const char *section)
{
    const std::string base = registryKey.toStdString();
    return base.empty() ? std::string(section) : base + "\\" + section;
}

int readInt(const std::string &key, const char *name, int fallback)
{
    const auto value = platform::RegistryStore::instance().value(key, name);
    if (!value)
        return fallback;
    if (const auto *dword = std::get_if<uint32_t>(&*value))
        return static_cast<int32_t>(*dword);
    if (const auto *text = std::get_if<std::string>(&*value)) {
        bool ok = false;
        const int number = QString::fromStdString(*text).trimmed().toInt(&ok);
        return ok ? number : fallback;
    }
    return fallback;
}

} // namespace

int TListItem::Index() const { return FItem->row(); }

QString TListItem::Caption() const { return FItem->text(); }

void TListItem::setCaption(const QString &text) { FItem->setText(text); }

int TListItem::SubItemCount() const
{
    const int row = Index();
    int count = 0;
    while (FOwner->FModel->item(row, count + 1))
        ++count;
    return count;
}

QString TListItem::SubItem(int index) const { return FOwner->CellText(Index(), index); }

void TListItem::setSubItem(int index, const QString &text)
{
    const int row = Index();
    for (int k = SubItemCount(); k < index; ++k)
        FOwner->FModel->setItem(row, k + 1, new QStandardItem);
    if (QStandardItem *cell = FOwner->FModel->item(row, index + 1))
        cell->setText(text);
    else
        FOwner->FModel->setItem(row, index + 1, new QStandardItem(text));
}

bool TListItem::Selected() const { return FOwner->selectionModel()->isRowSelected(Index(), QModelIndex()); }

bool TListItem::Focused() const { return FOwner->currentIndex().isValid() && FOwner->currentIndex().row() == Index(); }

int TListItem::ImageIndex() const { return FOwner->CellRole(Index(), 0, ImageIndexRole); }

void TListItem::setImageIndex(int index) { FItem->setData(index, ImageIndexRole); }

int TListItem::StateIndex() const { return FOwner->CellRole(Index(), 0, StateIndexRole); }

void TListItem::setStateIndex(int index) { FItem->setData(index, StateIndexRole); }

TCustomEnhListView::TCustomEnhListView(QWidget *parent)
    : TCustomEnhListView(parent, std::make_unique<TdfsEnhLVSaveSettings>())
{
}

TCustomEnhListView::TCustomEnhListView(QWidget *parent, std::unique_ptr<TdfsEnhLVSaveSettings> settings)
    : QTreeView(parent), FModel(new QStandardItemModel(this)), FSaveSettings(std::move(settings))
{
    setHeader(new TEnhListViewHeader(*this));
    setModel(FModel);
    setItemDelegate(new TEnhListViewDelegate(*this));
    header()->setSectionsMovable(false);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int index) { ColumnClick(index); });
}

TCustomEnhListView::~TCustomEnhListView() { StoreSettingsOnce(); }

void TCustomEnhListView::StoreSettingsOnce()
{
    if (!FSettingsStored)
        StoreSettingsIfAuto();
    FSettingsStored = true;
}

void TCustomEnhListView::Loaded()
{
    LoadedComponent::Loaded();
    FUpdateCount = 0;
    const bool loaded = LoadSettingsIfAuto();
    if (!(loaded && FSaveSettings->SaveCurrentSort) && ColumnCount() > 0) {
        FSortColumnIndex = 0;
        Resort();
    }
}

int TCustomEnhListView::AddColumn(const QString &caption, int width, TAlignment alignment)
{
    const int index = ColumnCount();
    auto *item = new QStandardItem(caption);
    item->setData(static_cast<int>(alignment), ColumnAlignmentRole);
    item->setTextAlignment(toQtAlignment(alignment) | Qt::AlignVCenter);
    FModel->setHorizontalHeaderItem(index, item);
    setColumnWidth(index, width);
    UpdateResizeModes();
    return index;
}

int TCustomEnhListView::ColumnCount() const { return FModel->columnCount(); }

QString TCustomEnhListView::ColumnCaption(int index) const
{
    const QStandardItem *item = FModel->horizontalHeaderItem(index);
    return item ? item->text() : QString();
}

TAlignment TCustomEnhListView::ColumnAlignment(int index) const
{
    const QStandardItem *item = FModel->horizontalHeaderItem(index);
    return item ? static_cast<TAlignment>(item->data(ColumnAlignmentRole).toInt()) : taLeftJustify;
}

int TCustomEnhListView::ItemCount() const { return model()->rowCount(); }

int TCustomEnhListView::CellRole(int row, int column, int role) const
{
    const QVariant value = model()->index(row, column).data(role);
    return value.isValid() ? value.toInt() : -1;
}

TListItem TCustomEnhListView::Item(int index) const
{
    return TListItem(const_cast<TCustomEnhListView *>(this), FModel->item(index, 0));
}

TListItem TCustomEnhListView::AddItem(const QString &caption, const QStringList &subItems)
{
    return InsertItem(ItemCount(), caption, subItems);
}

TListItem TCustomEnhListView::InsertItem(int index, const QString &caption, const QStringList &subItems)
{
    QList<QStandardItem *> row{new QStandardItem(caption)};
    for (const QString &text : subItems)
        row.append(new QStandardItem(text));
    FModel->insertRow(std::clamp(index, 0, FModel->rowCount()), row);
    ItemInserted(row.front());
    return TListItem(this, row.front());
}

void TCustomEnhListView::DeleteItem(int index) { FModel->removeRow(index); }

int TCustomEnhListView::SelectedIndex() const
{
    int first = -1;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        if (first < 0 || index.row() < first)
            first = index.row();
    return first;
}

void TCustomEnhListView::SelectItem(int index)
{
    selectionModel()->setCurrentIndex(model()->index(index, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TCustomEnhListView::SetAutoColumnSort(TAutoColumnSort value)
{
    FAutoColumnSort = value;
    if (value != TAutoColumnSort::acsNoSort)
        Resort();
}

void TCustomEnhListView::SetAutoSortStyle(TAutoSortStyle value)
{
    if (value == FAutoSortStyle)
        return;
    FAutoSortStyle = value;
    Resort();
}

void TCustomEnhListView::SetAutoSortAscending(bool value)
{
    FAutoSortAscending = value;
    FCurrentSortAscending = value;
}

void TCustomEnhListView::SetNoColumnResize(bool value)
{
    FNoColumnResize = value;
    UpdateResizeModes();
}

bool TCustomEnhListView::ColumnResizable(int) const { return !FNoColumnResize; }

void TCustomEnhListView::UpdateResizeModes()
{
    for (int column = 0; column < header()->count(); ++column)
        header()->setSectionResizeMode(column, ColumnResizable(column) ? QHeaderView::Interactive
                                                                       : QHeaderView::Fixed);
}

void TCustomEnhListView::SetCurrentSortAscending(bool value)
{
    if (value == FCurrentSortAscending)
        return;
    FCurrentSortAscending = value;
    InvalidateColumnHeader(FSortColumnIndex);
}

void TCustomEnhListView::SetLastColumnClicked(int index)
{
    if (index == FSortColumnIndex)
        return;
    const int previous = FSortColumnIndex;
    FSortColumnIndex = index;
    if (FShowSortArrows) {
        InvalidateColumnHeader(previous);
        InvalidateColumnHeader(index);
    }
}

void TCustomEnhListView::ColumnClick(int index)
{
    if (FAutoColumnSort == TAutoColumnSort::acsSortToggle)
        SetCurrentSortAscending(index == FSortColumnIndex ? !FCurrentSortAscending : FAutoSortAscending);
    if (OnColumnClick)
        OnColumnClick(this, index);
    if (FAutoColumnSort != TAutoColumnSort::acsNoSort)
        SortColumn(index, FCurrentSortAscending);
    SetLastColumnClicked(index);
}

QString TCustomEnhListView::CellText(int row, int textColumn) const
{
    if (textColumn < -1)
        return {};
    return model()->index(row, textColumn + 1).data(Qt::DisplayRole).toString();
}

bool TCustomEnhListView::TextToNumber(const QString &text, double &value)
{
    const QString head = text.section(QLatin1Char(' '), 0, 0);
    bool ok = false;
    double number = head.toDouble(&ok);
    if (!ok) {
        const QLocale locale;
        QString plain = head;
        plain.remove(locale.groupSeparator());
        plain.replace(locale.decimalPoint(), QStringLiteral("."));
        number = plain.toDouble(&ok);
    }
    if (!ok || !std::isfinite(number))
        return false;
    value = number;
    return true;
}

bool TCustomEnhListView::TextToDate(const QString &text, double &value)
{
    const QLocale locale;
    const QChar dateSeparator = separatorOf(locale.dateFormat(QLocale::ShortFormat), QLatin1Char('.'));
    const QChar timeSeparator = separatorOf(locale.timeFormat(QLocale::ShortFormat), QLatin1Char(':'));
    const int first = text.indexOf(dateSeparator);
    const bool hasDate = first >= 0 && (first == text.size() - 1 || text.indexOf(dateSeparator, first + 1) >= 0);
    const bool hasTime = text.contains(timeSeparator);
    const QString trimmed = text.trimmed();
    QDate date(1899, 12, 30);
    QTime time(0, 0);
    bool ok = false;
    if (hasDate && hasTime)
        ok = readDate(trimmed.section(QLatin1Char(' '), 0, 0), date)
             && readTime(trimmed.section(QLatin1Char(' '), 1).trimmed(), timeSeparator, time);
    else if (hasDate)
        ok = readDate(trimmed, date);
    else if (hasTime)
        ok = readTime(trimmed, timeSeparator, time);
    if (!ok)
        return false;
    value = static_cast<double>(date.toJulianDay()) + time.msecsSinceStartOfDay() / 86400000.0;
    return true;
}

int TCustomEnhListView::Compare(int row1, int row2, int textColumn, int direction)
{
    const QString text1 = CellText(row1, textColumn);
    const QString text2 = CellText(row2, textColumn);
    int result = 0;
    if (OnSortItems) {
        TSortAs sortAs = TSortAs::saNone;
        OnSortItems(this, Item(row1), Item(row2), textColumn, sortAs, result);
        double a = 0;
        double b = 0;
        switch (sortAs) {
        case TSortAs::saNone:
            break;
        case TSortAs::saText:
            result = compareText(text1, text2);
            break;
        case TSortAs::saNumber:
            TextToNumber(text1, a);
            TextToNumber(text2, b);
            result = sign(a, b);
            break;
        case TSortAs::saDate:
            TextToDate(text1, a);
            TextToDate(text2, b);
            result = sign(a, b);
            break;
        }
    } else if (FAutoSortStyle == TAutoSortStyle::assDefault) {
        result = compareText(text1, text2);
    } else {
        double a = 0;
        double b = 0;
        if (TextToDate(text1, a) && TextToDate(text2, b))
            result = sign(a, b);
        else if (TextToNumber(text1, a) && TextToNumber(text2, b))
            result = sign(a, b);
        else
            result = compareText(text1, text2);
    }
    return result * direction;
}

void TCustomEnhListView::SortColumn(int index, bool ascending)
{
    FResortPending = false;
    SetLastColumnClicked(index);
    if (OnSortBegin)
        OnSortBegin(this, index, !ascending);

    const int textColumn = index - 1;
    const int direction = ascending ? 1 : -1;
    const int count = OwnsItems() ? ItemCount() : 0; // a virtual list keeps its owner's order
    std::vector<int> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return Compare(a, b, textColumn, direction) < 0; });

    if (OwnsItems() && !std::is_sorted(order.begin(), order.end())) {
        std::vector<QStandardItem *> selected;
        for (const QModelIndex &row : selectionModel()->selectedRows())
            selected.push_back(FModel->item(row.row(), 0));
        QStandardItem *current = currentIndex().isValid() ? FModel->item(currentIndex().row(), 0) : nullptr;

        std::vector<QList<QStandardItem *>> rows(static_cast<size_t>(count));
        for (int row = count - 1; row >= 0; --row)
            rows[static_cast<size_t>(row)] = FModel->takeRow(row);
        for (int row : order)
            FModel->appendRow(rows[static_cast<size_t>(row)]);

        for (QStandardItem *item : selected)
            selectionModel()->select(item->index(), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        if (current)
            selectionModel()->setCurrentIndex(current->index(), QItemSelectionModel::NoUpdate);
    }

    if (OnSortFinished)
        OnSortFinished(this, index, !ascending);
}

void TCustomEnhListView::Resort()
{
    FResortPending = true;
    const bool validColumn = FSortColumnIndex >= 0 && FSortColumnIndex < ColumnCount();
    if ((FAutoColumnSort != TAutoColumnSort::acsNoSort && validColumn) || OnSortItems) {
        if (FUpdateCount > 0)
            return;
        SortColumn(FSortColumnIndex, FCurrentSortAscending);
    }
}

void TCustomEnhListView::BeginUpdate() { ++FUpdateCount; }

void TCustomEnhListView::EndUpdate()
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    if (FUpdateCount == 0 && FResortPending)
        Resort();
}

void TCustomEnhListView::ItemInserted(QStandardItem *caption)
{
    if (OnInsert)
        OnInsert(this, TListItem(this, caption));
    if (AutoResort)
        Resort();
}

void TCustomEnhListView::ResizeColumns(bool useHeader)
{
    BeginUpdate();
    for (int column = 0; column < ColumnCount(); ++column) {
        if (useHeader)
            resizeColumnToContents(column);
        else
            setColumnWidth(column, sizeHintForColumn(column));
    }
    EndUpdate();
}

void TCustomEnhListView::MoveItem(int curIndex, int newIndex)
{
    const int count = ItemCount();
    if (curIndex < 0 || curIndex >= count || newIndex < 0 || newIndex > count || curIndex == newIndex)
        return;
    BeginUpdate();
    const TListItem item = Item(curIndex);
    const bool selected = item.Selected();
    const bool focused = item.Focused();
    const QList<QStandardItem *> row = FModel->takeRow(curIndex);
    FModel->insertRow(std::min(newIndex, count - 1), row);
    const QModelIndex moved = row.front()->index();
    if (selected)
        selectionModel()->select(moved, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (focused)
        selectionModel()->setCurrentIndex(moved, QItemSelectionModel::NoUpdate);
    EndUpdate();
}

bool TCustomEnhListView::SelectWhere(int columnIndex, const std::function<bool(const QString &)> &matches)
{
    const int count = ItemCount();
    if (count == 0)
        return false;
    const int selected = SelectedIndex();
    const int start = (selected < 0 ? 1 : selected + 1) % count;
    for (int i = 0; i < count; ++i) {
        const int row = (start + i) % count;
        if (matches(CellText(row, columnIndex - 1))) {
            SelectItem(row);
            return true;
        }
    }
    return false;
}

bool TCustomEnhListView::StringSelect(const QString &findStr, int columnIndex)
{
    const QLocale locale;
    const QString wanted = locale.toLower(findStr);
    return SelectWhere(columnIndex, [&](const QString &text) { return locale.toLower(text).startsWith(wanted); });
}

bool TCustomEnhListView::SubStringSelect(const QString &findStr, int columnIndex)
{
    return SelectWhere(columnIndex, [&](const QString &text) { return text.contains(findStr); });
}

void TCustomEnhListView::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (!ColumnSearch || text.size() != 1 || text[0].unicode() < 32 || text[0].unicode() > 127) {
        QTreeView::keyPressEvent(event);
        return;
    }
    const int64_t now = FClock ? FClock() : QDateTime::currentMSecsSinceEpoch();
    if (now - FLastSearchKey > SearchPauseMs)
        FSearchString.clear();
    FSearchString += text;
    FLastSearchKey = now;
    event->accept();
    if (!StringSelect(FSearchString, FSortColumnIndex)) {
        MessageBeep(MB_ICONHAND);
        FSearchString.chop(1);
    }
}

bool TCustomEnhListView::StoreSettings()
{
    platform::RegistryStore &store = platform::RegistryStore::instance();
    if (FSaveSettings->SaveColumnSizes) {
        QStringList widths;
        for (int column = 0; column < ColumnCount(); ++column)
            widths.append(QString::number(columnWidth(column)));
        store.setValue(SettingsKey("Columns"), "Sizes", widths.join(QLatin1Char(',')).toStdString());
    }
    if (FSaveSettings->SaveCurrentSort) {
        const std::string key = SettingsKey("Sort");
        store.setValue(key, "Ascending", uint32_t{FCurrentSortAscending});
        store.setValue(key, "SortCol", static_cast<uint32_t>(FSortColumnIndex));
    }
    if (FSaveSettings->SaveViewStyle)
        store.setValue(SettingsKey("ViewStyle"), "ViewStyle", static_cast<uint32_t>(ViewStyle));
    return true;
}

bool TCustomEnhListView::LoadSettings()
{
    const int columns = ColumnCount();
    if (FSaveSettings->SaveColumnSizes && columns > 0) {
        const auto value = platform::RegistryStore::instance().value(SettingsKey("Columns"), "Sizes");
        const std::string *sizes = value ? std::get_if<std::string>(&*value) : nullptr;
        if (sizes && !sizes->empty()) {
            const QStringList parts = QString::fromStdString(*sizes).split(QLatin1Char(','));
            for (int column = 0; column < std::min(columns, static_cast<int>(parts.size())); ++column) {
                bool ok = false;
                const int width = parts[column].trimmed().toInt(&ok);
                if (ok && width >= 0)
                    setColumnWidth(column, width);
            }
        }
    }
    if (FSaveSettings->SaveCurrentSort) {
        const std::string key = SettingsKey("Sort");
        const bool ascending = readInt(key, "Ascending", 1) != 0;
        const int column = std::max(0, std::min(readInt(key, "SortCol", 0), columns - 1));
        BeginUpdate();
        SetCurrentSortAscending(ascending);
        SetLastColumnClicked(column);
        Resort();
        EndUpdate();
    }
    if (FSaveSettings->SaveViewStyle) {
        const int style = readInt(SettingsKey("ViewStyle"), "ViewStyle", -1);
        if (style >= 0 && style <= 3)
            ViewStyle = static_cast<TViewStyle>(style);
    }
    return true;
}

std::string TCustomEnhListView::SettingsKey(const char *section) const
{
    return keyOf(FSaveSettings->RegistryKey, section);
}

void TCustomEnhListView::StoreSettingsIfAuto()
{
    if (FSaveSettings->AutoSave && !Loading())
        StoreSettings();
}

bool TCustomEnhListView::LoadSettingsIfAuto() { return FSaveSettings->AutoSave && LoadSettings(); }
