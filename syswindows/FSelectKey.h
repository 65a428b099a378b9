#pragma once
// "Klucz systemu": the modeless dialog, a child window of the main window, in which the player chooses
// the numbers that stand for a system's positions 1..N and their order: on a pad of number buttons (a
// chosen button dragged with the right mouse button onto another chosen one exchanges their places),
// typed, read from the saved number sets, as the default key 1..N, at random, or the chosen numbers
// shuffled. It reports to its system window by WM_SYS_KEY_DONE: 1 after OK (NewKey holds the key), 0
// when it closes, whatever the way.

#include "core/DynArrays.h"
#include "shell/NumberChoiceBoxes.h"
#include "shell/UGeneralForm.h"

#include <QPointer>

#include <cstdint>

class QAction;
class QPushButton;
class TNumberPad;

class TfrmSelectKey : public TGenForm, public TNumberChoiceBoxes {
    Q_OBJECT

public:
    explicit TfrmSelectKey(QWidget *Owner = nullptr);

    // Set before Start: the key's length, the game's highest number, the system's key and the window
    // the notices go to (none once it is gone).
    uint8_t N = 0;
    uint8_t MaxNumber = 0;
    TDynByteArr Key;
    QPointer<QObject> Owner;

    // After OK: the chosen numbers in their order.
    TDynByteArr NewKey;

    // Builds the pad and chooses the key's numbers in the key's order.
    void Start();

    TNumberPad *gbKey;
    QPushButton *btnDef;
    QPushButton *btnPerm;
    QPushButton *btnRnd;
    QPushButton *btnReset;
    QPushButton *btnRead;
    QPushButton *btnOK;
    QPushButton *btnCancel;
    QAction *actEnter;
    QAction *actEsc;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow() override;
    void CreateControls();
    void SelectionChanged();
    void btnDefClick();
    void btnPermClick();
    void btnRndClick();
    void btnReadNumsClick();
    void btnReadClick();
    void btnOKClick();
    void Notify(int Accepted);
};
