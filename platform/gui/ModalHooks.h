#pragma once
// Every modal road of the program runs through here, so that a test can answer it instead of a user:
// message boxes, dialogs and the file dialogs. With no hook set, the real modal window is shown. Each
// road counts as an open modal window while it runs, hooked or not (OpenModals.h).

#include <QString>

#include <functional>

class QDialog;
class QWidget;

namespace platform {

// Answers a message box in place of the user: the result is the button "pressed".
using MessageBoxHook = std::function<int(const QString &text, const QString &caption, int flags)>;
void setMessageBoxHook(MessageBoxHook hook);
const MessageBoxHook &messageBoxHook();

// Runs a dialog modally and answers its result (QDialog::Accepted or Rejected, or what done() set). The
// dialog opens fitted to its screen (WindowFit.h), with only the close button in its title bar.
// While a hook is set, the dialog is shown without a nested event loop, the hook plays the user (sets
// controls, clicks buttons), and a dialog the hook left open is rejected.
int execModal(QDialog &dialog);
using ModalHook = std::function<void(QDialog &dialog)>;
void setModalHook(ModalHook hook);
// A modal window's title bar holds only the close button.
void keepOnlyCloseButton(QWidget &window);

// The open and save dialogs. Filter is Qt's ("Plik tekstowy (*.txt);;Wszystkie pliki (*)"). The answer
// is the chosen file, empty when the user cancelled.
enum class FileDialogKind { Open, Save };
QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter);
QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter);
using FileNameHook = std::function<QString(FileDialogKind kind, const QString &caption, const QString &filter)>;
void setFileNameHook(FileNameHook hook);

} // namespace platform
