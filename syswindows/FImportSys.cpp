#include "syswindows/FImportSys.h"

#include "engine/USysUser.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalMessages.h"
#include "shell/FMain.h"
#include "shell/GuardedConnect.h"
#include "shell/TextFileNames.h"
#include "syswindows/FSysGeneral.h"
#include "syswindows/FSysWindows.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include <utility>

TfrmImportSys::TfrmImportSys(QWidget *parent) : TFirstShow<QDialog>(parent)
{
    setWindowTitle(QStringLiteral("Import systemu"));
    setWindowFlags(windowFlags() | Qt::Tool);
    RichEdit1 = new QPlainTextEdit(this);
    RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Label1 = new QLabel(QStringLiteral("Numer wiersza:"), this);
    lblRow = new QLabel(QStringLiteral("1"), this);
    btnOk = new QPushButton(QStringLiteral("&OK"), this);
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    connectGuarded(btnOk, &QPushButton::clicked, this, &TfrmImportSys::btnOkClick);
    connectGuarded(btnCancel, &QPushButton::clicked, this, [this] { done(2); });
    // Every edit and every move of the caret, by key or mouse, moves the caret's line.
    connect(RichEdit1, &QPlainTextEdit::cursorPositionChanged, this, &TfrmImportSys::ShowRow);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Label1);
    bottom->addWidget(lblRow);
    bottom->addStretch(1);
    bottom->addWidget(btnOk);
    bottom->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(RichEdit1, 1);
    layout->addLayout(bottom);
    resize(ScaledSize(360, 320));
}

TfrmImportSys::~TfrmImportSys() = default;

void TfrmImportSys::Init(const TGameData *Game)
{
    System = std::make_unique<TSysUser>(Game);
    RichEdit1->clear();
    ShowRow();
}

std::unique_ptr<TSysUser> TfrmImportSys::TakeSystem()
{
    return std::move(System);
}

void TfrmImportSys::ShowRow()
{
    lblRow->setText(QString::number(RichEdit1->textCursor().blockNumber() + 1));
}

void TfrmImportSys::btnOkClick()
{
    TStrArray lines;
    for (QTextBlock block = RichEdit1->document()->begin(); block.isValid(); block = block.next())
        lines.push_back(block.text().toStdString());
    if (!System->LoadFromStrings(lines)) {
        MsgBox(QStringLiteral("Brak kombinacji."), QString(), MsgFlagsNotice);
        return;
    }
    done(1);
}

void ImportUserSystem(TSystemImport From, TGameData *Game)
{
    std::unique_ptr<TSysUser> system;
    if (From == TSystemImport::File) {
        const QString name = platform::getOpenFileName(frmMain, QStringLiteral("Importuj system z pliku"), QString(),
                                                       TextFileFilter + QStringLiteral(";;") + AnyFileFilter);
        if (name.isEmpty())
            return;
        system = std::make_unique<TSysUser>(Game);
        if (!system->LoadFromTextFile(LocalFileName(name))) {
            MsgBox(QStringLiteral("W podanym pliku nie znaleziono żadnej kombinacji."), QString(), MsgFlagsNotice);
            return;
        }
    } else {
        TfrmImportSys dialog(frmMain);
        dialog.Init(Game);
        if (platform::execModal(dialog) != 1)
            return;
        system = dialog.TakeSystem();
    }
    if (TGenSysForm *window = NewSysWindow(skUser))
        window->OpenSystem(Game, std::move(system));
}
