#include "platform/gui/MessageBox.h"

#include "platform/gui/ModalHooks.h"
#include "platform/gui/OpenModals.h"

#include <QMessageBox>
#include <QPushButton>

namespace platform {
namespace {

constexpr int ButtonsMask = 0xF;
constexpr int IconMask = 0xF0;
constexpr int DefaultButtonMask = 0xF00;

QMessageBox::Icon iconOf(int flags)
{
    switch (flags & IconMask) {
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int messageBox(QWidget *parent, const QString &text, const QString &caption, int flags)
{
    const ModalScope modal;
    if (const auto &hook = messageBoxHook())
        return hook(text, caption, flags);

    QMessageBox box(iconOf(flags), caption, text, QMessageBox::NoButton, parent);
    keepOnlyCloseButton(box);
    const int buttons = flags & ButtonsMask;
    if (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) {
        QPushButton *yes = box.addButton(QStringLiteral("&Tak"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("&Nie"), QMessageBox::NoRole);
        QPushButton *cancel =
            buttons == MB_YESNOCANCEL ? box.addButton(QStringLiteral("&Anuluj"), QMessageBox::RejectRole) : nullptr;
        box.setDefaultButton((flags & DefaultButtonMask) == MB_DEFBUTTON2 ? no : yes);
        box.setEscapeButton(cancel ? cancel : no);
        box.exec();
        if (box.clickedButton() == yes)
            return IDYES;
        return cancel && box.clickedButton() != no ? IDCANCEL : IDNO;
    }
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return IDOK;
}

} // namespace platform
