#include "syswindows/FWriteFile.h"

#include "controls/Cp1250Validator.h"
#include "core/UGlobalFiles.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalMessages.h"
#include "shell/GuardedConnect.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmWriteFile::TfrmWriteFile(QWidget *parent) : TFirstShow<QDialog>(parent)
{
    setWindowTitle(QStringLiteral("Zapisz ..."));
    Label1 = new QLabel(QStringLiteral("&Nazwa systemu:"), this);
    Edit1 = new QLineEdit(this);
    Edit1->setMaxLength(MaxTitleLength);
    Edit1->setValidator(new TCp1250Validator(Edit1));
    Label1->setBuddy(Edit1);
    Label2 = new QLabel(QStringLiteral("&Komentarz:"), this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->installEventFilter(this);
    TCp1250Validator::Restrict(Memo1);
    Label2->setBuddy(Memo1);
    LimitLength(Memo1, MaxCommentLength);
    btnSave = new QPushButton(QStringLiteral("&Zapisz"), this);
    btnSave->setDefault(true);
    connectGuarded(btnSave, &QPushButton::clicked, this, &TfrmWriteFile::btnSaveClick);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    connectGuarded(btnCancel, &QPushButton::clicked, this, [this] { done(2); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnSave);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Edit1);
    layout->addWidget(Label2);
    layout->addWidget(Memo1, 1);
    layout->addLayout(buttons);
    resize(380, 260);
}

void TfrmWriteFile::FormShow()
{
    // The proposed title is selected, so that typing replaces it.
    Edit1->setText(Title);
    Edit1->setFocus(Qt::OtherFocusReason);
    Edit1->selectAll();
    switch (Mode) {
    case wfSystem:
        setWindowTitle(QStringLiteral("Zapis systemu"));
        Label1->setText(QStringLiteral("&Nazwa systemu:"));
        break;
    case wfGuarantee:
        setWindowTitle(QStringLiteral("Zapis gwarancji"));
        Label1->setText(QStringLiteral("&Nazwa gwarancji:"));
        break;
    case wfFilterSet:
        setWindowTitle(QStringLiteral("Zapis filtru"));
        Label1->setText(QStringLiteral("&Nazwa filtru:"));
        break;
    default:
        break;
    }
}

bool TfrmWriteFile::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Memo1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnSaveClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmWriteFile::btnSaveClick()
{
    Comment = Memo1->toPlainText();
    Title = Edit1->text();
    done(1);
}

void WriteNamedFile(QWidget *Parent, int Mode, const QString &Title, const std::string &Folder,
                    const TNamedFileWriter &Write)
{
    TfrmWriteFile dialog(Parent);
    dialog.Mode = Mode;
    dialog.Title = Title;
    if (platform::execModal(dialog) != 1)
        return;
    const std::string fileName = NextFileName(Folder);
    if (fileName.empty()) {
        ShowWriteFailure(Folder);
        return;
    }
    if (!Write(fileName, dialog.Title.toStdString(), dialog.Comment.toStdString()))
        ShowWriteFailure(fileName);
}
