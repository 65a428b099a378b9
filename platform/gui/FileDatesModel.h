#pragma once
// The file dialog's model as the program shows it: modification dates written in the program's locale
// (the file system model writes them in the system's, English on a desktop without a Polish setting).

#include <QIdentityProxyModel>

class QFileDialog;

namespace platform {

class TFileDatesModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &Index, int Role) const override;
};

// The dialog's list of details shows its dates whole: the date column as wide as the widest date.
void fitDateColumn(QFileDialog &Dialog);

} // namespace platform
