#pragma once
// The modal dialog in which the user picks a combination of one game: on a pad of number buttons, by
// typing the numbers, or from the saved number sets; in draw mode also the draw's date, which must not
// be one the draws database already holds.

#include "core/DateTime.h"
#include "core/DynArrays.h"
#include "shell/NumberChoiceBoxes.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>

class QDateEdit;
class QGroupBox;
class QPushButton;
class TDrawsManager;
class TNumberPad;

// What the dialog picks.
enum TSelectCombMode : uint8_t {
    scmNumbers = 0, // a set of numbers
    scmDraw = 1,    // a draw: numbers and a date
    scmComb = 2,    // a combination of a system
};

class TfrmSelectComb : public QDialog, public TNumberChoiceBoxes {
    Q_OBJECT

public:
    explicit TfrmSelectComb(QWidget *parent = nullptr);

    // The input, set between Clear and Prepare.
    int MinLen = 1;
    int MaxLen = 1;
    int MaxNumber = 1;
    uint8_t Mode = scmNumbers;
    TDynByteArr Default; // shown as chosen at the start
    TDynByteArr Key;     // when not empty, only its numbers can be chosen
    bool Editing = false;
    bool Sorted = true;  // else the numbers keep the order of choice and can be dragged into another
    const TDrawsManager *DrawsMan = nullptr; // draw mode: the dates a new date must avoid
    TDateTime Date = 0;  // draw mode: the date shown when Editing; after OK the date chosen

    // After OK: the chosen numbers in the kept order.
    int Count = 0;
    TDynByteArr Numbers;

    // The input's defaults.
    void Clear();
    // Builds the pad and shows the input.
    void Prepare();

    TNumberPad *gbKey;
    QPushButton *btnReset;
    QPushButton *btnRead;
    QPushButton *btnOK;
    QPushButton *btnCancel;
    QGroupBox *gbDate;
    QDateEdit *dtDateDraw;

private:
    void CreateControls();
    // Chooses the numbers of Comb that can be chosen, instead of the current choice.
    void ApplyComb(const TDynByteArr &Comb);
    void SelectionChanged();
    void btnReadNumsClick();
    void btnReadClick();
    void btnOKClick();
};

// What the dialog answers on OK.
struct TSelectedComb {
    TDynByteArr Numbers;
    TDateTime Date = 0; // draw mode
};

// Runs the dialog modally: Setup gives it its input after Clear; nothing when the user cancels.
std::optional<TSelectedComb> SelectComb(QWidget *Owner, const std::function<void(TfrmSelectComb &)> &Setup);

// What a set of numbers is picked from: MinLen to MaxLen numbers of 1..MaxNumber, Default chosen at the
// start and, when Key is not empty, only Key's numbers choosable.
struct TNumbersChoice {
    int MinLen = 1;
    int MaxLen = 1;
    int MaxNumber = 1;
    TDynByteArr Default;
    TDynByteArr Key;
};

// Runs the dialog modally for a set of numbers; nothing when the user cancels.
std::optional<TSelectedComb> SelectNumbers(QWidget *Owner, const TNumbersChoice &Choice);
