#include "platform/gui/ModalHooks.h"

#include "platform/gui/FileDatesModel.h"
#include "platform/gui/OpenModals.h"
#include "platform/gui/WindowFit.h"

#include <QDialog>
#include <QFileDialog>

namespace platform {
namespace {

MessageBoxHook g_messageBoxHook;
ModalHook g_modalHook;
FileNameHook g_fileNameHook;

// The file the user picks in a file dialog (Qt's own, or the desktop's), empty when cancelled.
QString askFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                    QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setProxyModel(new TFileDatesModel(&dialog));
    fitDateColumn(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace

void setMessageBoxHook(MessageBoxHook hook)
{
    g_messageBoxHook = std::move(hook);
}

const MessageBoxHook &messageBoxHook()
{
    return g_messageBoxHook;
}

void setModalHook(ModalHook hook)
{
    g_modalHook = std::move(hook);
}

void keepOnlyCloseButton(QWidget &window)
{
    const Qt::WindowFlags buttons = Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint;
    window.setWindowFlags((window.windowFlags() & ~buttons) | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

int execModal(QDialog &dialog)
{
    const ModalScope modal;
    keepOnlyCloseButton(dialog);
    fitToArea(dialog);
    if (!g_modalHook)
        return dialog.exec();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    g_modalHook(dialog);
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result();
}

void setFileNameHook(FileNameHook hook)
{
    g_fileNameHook = std::move(hook);
}

QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    const ModalScope modal;
    if (g_fileNameHook)
        return g_fileNameHook(FileDialogKind::Open, caption, filter);
    return askFileName(parent, caption, dir, filter, QFileDialog::AcceptOpen);
}

QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    const ModalScope modal;
    if (g_fileNameHook)
        return g_fileNameHook(FileDialogKind::Save, caption, filter);
    return askFileName(parent, caption, dir, filter, QFileDialog::AcceptSave);
}

} // namespace platform
