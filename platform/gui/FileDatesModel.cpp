#include "platform/gui/FileDatesModel.h"

#include <QFileSystemModel>
#include <QLocale>

namespace platform {
namespace {

// The file system model's column of modification dates.
constexpr int DateColumn = 3;

} // namespace

QVariant TFileDatesModel::data(const QModelIndex &Index, int Role) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    if (!files || Index.column() != DateColumn || Role != Qt::DisplayRole)
        return QIdentityProxyModel::data(Index, Role);
    return QLocale().toString(files->lastModified(mapToSource(Index)), QLocale::ShortFormat);
}

} // namespace platform
