#include "platform/gui/ModalHooks.h"

#include "platform/gui/OpenModals.h"
#include "platform/gui/WindowFit.h"

#include <QDialog>
#include <QFileDialog>

namespace platform {
namespace {

MessageBoxHook g_messageBoxHook;
ModalHook g_modalHook;
FileNameHook g_fileNameHook;

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

int execModal(QDialog &dialog)
{
    const ModalScope modal;
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
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    const ModalScope modal;
    if (g_fileNameHook)
        return g_fileNameHook(FileDialogKind::Save, caption, filter);
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

} // namespace platform
