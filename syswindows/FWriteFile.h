#pragma once
// The small dialog in which the user names what is about to be saved (a system, a guarantee or a filter
// set) and may comment on it, and the saving road built on it.

#include "shell/FirstShow.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Mode of the dialog: what is being saved.
enum TWriteFileMode : int {
    wfSystem = 0,
    wfGuarantee = 1,
    wfFilterSet = 5,
};

class TfrmWriteFile : public TFirstShow<QDialog> {
    Q_OBJECT

public:
    explicit TfrmWriteFile(QWidget *parent = nullptr);

    // The title field of a saved file holds 255 characters; the comment is kept to 10240.
    static constexpr int MaxTitleLength = 255;
    static constexpr int MaxCommentLength = 10240;

    // Set by the caller before the dialog is shown; Title proposes the name.
    int Mode = wfSystem;
    // After "Zapisz" (result 1): the name and the comment typed.
    QString Title;
    QString Comment;

    QLabel *Label1;
    QLineEdit *Edit1;
    QLabel *Label2;
    QPlainTextEdit *Memo1;
    QPushButton *btnSave;
    QPushButton *btnCancel;

protected:
    // Enter in the comment saves instead of starting a new line.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow() override;
    void btnSaveClick();
};

// Writes FileName with the title and the comment the user typed; false when it cannot be written.
using TNamedFileWriter =
    std::function<bool(const std::string &FileName, const std::string &Title, const std::string &Comment)>;

// The dialog of Mode, proposing Title, over Parent; after "Zapisz", Write stores the file under the next
// free name of Folder. A name that cannot be found, or a file that cannot be written, is told to the user.
void WriteNamedFile(QWidget *Parent, int Mode, const QString &Title, const std::string &Folder,
                    const TNamedFileWriter &Write);
