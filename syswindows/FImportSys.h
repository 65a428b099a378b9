#pragma once
// A user system typed or pasted as text, one combination per line, and the frame's two roads of import:
// a text file, or this dialog; either opens the system in a user system window.

#include "shell/FGlobalSystems.h"
#include "shell/FirstShow.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class TSysUser;
struct TGameData;

class TfrmImportSys : public TFirstShow<QDialog> {
    Q_OBJECT

public:
    explicit TfrmImportSys(QWidget *parent = nullptr);
    ~TfrmImportSys() override;

    // A new empty system of Game and an empty editor.
    void Init(const TGameData *Game);
    // After OK: the system read from the editor's lines.
    std::unique_ptr<TSysUser> TakeSystem();

    QPlainTextEdit *RichEdit1;
    QLabel *Label1;
    QLabel *lblRow; // the caret's line number
    QPushButton *btnOk;
    QPushButton *btnCancel;

private:
    void ShowRow();
    // The editor's lines into the system; without a combination "Brak kombinacji." and the dialog stays.
    void btnOkClick();

    std::unique_ptr<TSysUser> System;
};

// The frame's import of a user system for Game (SetSystemImporter).
void ImportUserSystem(TSystemImport From, TGameData *Game);
