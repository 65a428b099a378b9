#pragma once
// "Zbiory liczb": the window in which the user keeps saved number sets (up to 80 numbers of 1..80 with a
// comment each). The sets are read from their file when the window opens and written back when it
// closes; one such window is open at a time.

#include "shell/CombSets.h"
#include "shell/FirstShow.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TNumberPad;
class TStringAlignGrid;

class TfrmToolCombs : public TFirstShow<QWidget> {
    Q_OBJECT

public:
    explicit TfrmToolCombs(QWidget *parent = nullptr);

    TStringAlignGrid *Grid;
    QLabel *Label1;
    QPlainTextEdit *txtDesc;
    QPushButton *btnReadComb;
    QPushButton *btnDelete;
    TNumberPad *gbKey;
    QLineEdit *eInput;
    QPushButton *btnReadNums;
    QLabel *Label2;
    QPlainTextEdit *txtSelNums;
    QPushButton *btnWrite;
    QPushButton *btnReplace;
    QPushButton *btnClear;

protected:
    void closeEvent(QCloseEvent *event) override;
    // Enter in the comment does not start a new line.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void FormShow() override;
    void FormClose();
    void PadChanged();
    void ButtonRule();
    void FillGrid();
    // The set of the grid's current row, or null.
    TCombSetRec *CurrentSet();
    void btnWriteClick();
    void btnReplaceClick();
    void btnDeleteClick();
    void btnReadCombClick();
    void btnReadNumsClick();

    TCombSetsFile FFile;
    std::string FFileName;
    bool FClosed = false;
};

// Brings the open number-sets window forward, or opens one in the main window.
void OpenToolCombs();
