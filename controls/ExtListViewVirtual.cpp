#include "controls/ExtListView.h"

#include <algorithm>

TExtListVirtualModel::TExtListVirtualModel(TCustomExtListView &list, QAbstractItemModel &columns)
    : QAbstractTableModel(&list), FList(list), FColumns(columns)
{
    connect(&columns, &QAbstractItemModel::columnsAboutToBeInserted, this,
            [this](const QModelIndex &, int first, int last) { beginInsertColumns({}, first, last); });
    connect(&columns, &QAbstractItemModel::columnsInserted, this, [this] { endInsertColumns(); });
    connect(&columns, &QAbstractItemModel::columnsAboutToBeRemoved, this,
            [this](const QModelIndex &, int first, int last) { beginRemoveColumns({}, first, last); });
    connect(&columns, &QAbstractItemModel::columnsRemoved, this, [this] { endRemoveColumns(); });
    connect(&columns, &QAbstractItemModel::headerDataChanged, this, &QAbstractItemModel::headerDataChanged);
}

int TExtListVirtualModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : FCount; }

int TExtListVirtualModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FColumns.columnCount();
}

QVariant TExtListVirtualModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    TLVVMItemInfo info;
    const int subItem = index.column() - 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        info.Mask = lvifText;
        FList.VMGetItemInfo(index.row(), subItem, info);
        return info.Text;
    case ImageIndexRole:
        info.Mask = lvifImage;
        FList.VMGetItemInfo(index.row(), subItem, info);
        return info.Image;
    case StateIndexRole:
        if (subItem >= 0)
            return {};
        info.Mask = lvifState;
        FList.VMGetItemInfo(index.row(), subItem, info);
        return static_cast<int>(info.StateImage) - 1;
    default:
        return {};
    }
}

Qt::ItemFlags TExtListVirtualModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.isValid() && index.column() == 0 ? flags | Qt::ItemIsEditable : flags;
}

QVariant TExtListVirtualModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return FColumns.headerData(section, orientation, role);
}

void TExtListVirtualModel::SetCount(int count)
{
    count = std::max(0, count);
    if (count > FCount) {
        beginInsertRows({}, FCount, count - 1);
        FCount = count;
        endInsertRows();
    } else if (count < FCount) {
        beginRemoveRows({}, count, FCount - 1);
        FCount = count;
        endRemoveRows();
    }
}
