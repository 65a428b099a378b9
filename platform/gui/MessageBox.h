#pragma once
// The program's message box: Windows-style flags and results over QMessageBox, with Polish buttons.

#include <QString>

class QWidget;

namespace platform {

// Flags: the buttons in the low four bits, the icon in the next four, the default button above them.
enum MessageBoxFlag : int {
    MB_OK = 0x0,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON2 = 0x100,
};

// The button pressed.
enum MessageBoxResult : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDYES = 6,
    IDNO = 7,
};

// Shows the box modally (or hands it to the message-box hook of ModalHooks.h) and answers the button
// pressed. A Yes/No box closed with Esc answers IDNO, a Yes/No/Cancel box IDCANCEL, an OK box IDOK.
int messageBox(QWidget *parent, const QString &text, const QString &caption, int flags);

} // namespace platform
