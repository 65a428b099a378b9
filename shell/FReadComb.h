#pragma once
// "Wczytaj zbiór liczb": the modal dialog that picks one of the saved number sets, as the file holds
// them when the dialog is shown.

#include "core/DynArrays.h"
#include "shell/CombSets.h"
#include "shell/FirstShow.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class TStringAlignGrid;

class TfrmReadComb : public TFirstShow<QDialog> {
    Q_OBJECT

public:
    explicit TfrmReadComb(QWidget *parent = nullptr);

    // After OK: the numbers of the chosen set, in their stored order.
    int Count = 0;
    TDynByteArr Numbers;

    TStringAlignGrid *Grid;
    QLabel *Label1;
    QPlainTextEdit *txtDesc;
    QPushButton *btnOK;
    QPushButton *btnCancel;

private:
    void FormShow() override;
    void btnOKClick();

    TCombSets FSets;
};

// Runs the dialog modally; the chosen set's numbers, or nothing when the user cancels.
std::optional<TDynByteArr> ReadCombSet(QWidget *Owner);
