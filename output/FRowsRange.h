#pragma once
// "Wybór wierszy": all rows of a long grid or a range of its data rows for the report.

#include "shell/FirstShow.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;
class TFloatSpin;

class TfrmRowsRange : public TFirstShow<QDialog> {
    Q_OBJECT

public:
    explicit TfrmRowsRange(QWidget *Owner = nullptr);

    // A range never reaches past this grid row, below the rows of a worksheet.
    static constexpr int MaxRangeRow = 64000;

    QRadioButton *rbType1;
    QRadioButton *rbType2;
    QLabel *Label5;
    TFloatSpin *sbFrom;
    QLabel *Label6;
    TFloatSpin *sbTo;
    QPushButton *btnOK;
    QPushButton *btnCancel;

    // Set by the caller: the grid's data rows (RowCount - 1).
    int MaxRow = 0;
    // The choice on OK: every row, or the data rows FromRow..ToRow (1 <= FromRow <= ToRow <= MaxRow).
    bool AllRows = false;
    int FromRow = 1;
    int ToRow = 1;

private:
    void FormShow() override;
    void UpdateControls(bool Enabled);
    void btnOKClick();

};
