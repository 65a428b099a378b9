#pragma once
// The file dialog's model as the program shows it: modification dates written in the program's locale
// (the file system model writes them in the system's, English on a desktop without a Polish setting).

#include <QIdentityProxyModel>

namespace platform {

class TFileDatesModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &Index, int Role) const override;
};

} // namespace platform
