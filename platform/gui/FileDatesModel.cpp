#include "platform/gui/FileDatesModel.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLocale>
#include <QStyle>
#include <QTreeView>

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

void fitDateColumn(QFileDialog &Dialog)
{
    auto *details = Dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!details)
        return;
    const QString widest = QLocale().toString(QDateTime(QDate(2000, 12, 28), QTime(20, 58)), QLocale::ShortFormat);
    const int margin = details->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, details);
    const int width = details->fontMetrics().horizontalAdvance(widest) + 4 * margin;
    // The dialog widens by what the column gains, so that nothing scrolls sideways for it.
    const int gain = width - details->header()->sectionSize(DateColumn);
    details->header()->resizeSection(DateColumn, width);
    if (gain > 0)
        Dialog.resize(Dialog.sizeHint().expandedTo(Dialog.size()) + QSize(gain, 0));
}

} // namespace platform
