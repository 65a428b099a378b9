#pragma once
// What the number-choosing dialogs show beside their pad of number buttons: the group "Wybrane liczby"
// (how many numbers are to be chosen, how many are, and which) and the group where numbers are typed
// and read in.

#include "core/DynArrays.h"

#include <QString>

#include <optional>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;
class TNumberPad;

struct TNumberChoiceBoxes {
    QGroupBox *gbSelected;
    QLabel *lblToSelect;
    QLabel *lblSelected;
    QPlainTextEdit *txtSelected;
    QGroupBox *gbInput;
    QPlainTextEdit *eInput;
    QPushButton *btnReadNums;

    // "Wybrano :" and the chosen numbers in their order.
    void ShowChosen(const TDynByteArr &Chosen) const;
    // The numbers typed: those of 1..MaxNumber without repeats, in typed order (ascending when Sorted),
    // at most Length of them; nothing when no number was found.
    std::optional<TDynByteArr> TypedNumbers(int MaxNumber, int Length, bool Sorted) const;
};

TNumberChoiceBoxes BuildNumberChoiceBoxes(QWidget *Parent);

// The dialogs' pad: a button of 27 x 27 pixels for each of 1..MaxNumber, ten to a row.
void BuildChoicePad(TNumberPad &Pad, int MaxNumber);

// The numbers each written by Fmt (one %d directive), without the last character.
QString NumbersText(const TDynByteArr &Numbers, const char *Fmt);
