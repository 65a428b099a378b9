#pragma once
// The dialog "Zakres losowań": which draws of a game a computation uses (all, the last one, a date range,
// periods counted from a date, or draw indexes), narrowed to days of the week, days of the month, months
// and quarters. On OK the record becomes the game's default range or its draws-editor range, in memory
// and in the registry.

#include "engine/UDrawsRange.h"
#include "shell/FirstShow.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class TDrawsManager;
class TRichView;
struct TGameData;

class TfrmDrawsFilter : public TFirstShow<QDialog> {
    Q_OBJECT

public:
    explicit TfrmDrawsFilter(QWidget *parent = nullptr);

    // Set by the caller before showing; Range is read back after OK.
    TDrawsRange Range;
    TGameData *Game = nullptr;
    TDrawsManager *DrawsMan = nullptr;
    bool DefaultMode = true; // OK stores the default range ("Filters\FltDateDef"), else the editor's range

    TRichView *txtDateDesc;
    TRichView *txtDrawsInfo;
    QTabWidget *PageControl1;
    QRadioButton *rbFltTypeAll;
    QRadioButton *rbFltTypeLast;
    QRadioButton *rbFltTypeRange;
    QRadioButton *rbFltTypePeriods;
    QRadioButton *rbFltTypePos;
    QGroupBox *gb2;
    QLabel *lblRange1;
    QCheckBox *chkRange1; // the check box of ddtRange1
    QDateEdit *ddtRange1;
    QLabel *lblRange2;
    QCheckBox *chkRange2;
    QDateEdit *ddtRange2;
    QGroupBox *gb3;
    QGroupBox *gbDir;
    QRadioButton *prbDir1;
    QRadioButton *prbDir2;
    QCheckBox *pchkDate;
    QDateEdit *pdtDate;
    QLabel *lblPeriodType;
    QComboBox *pcbPeriodType;
    QLabel *lblPeriodCount;
    QSpinBox *psePeriodCount;
    QGroupBox *gb4;
    QLabel *lblIndexFrom;
    QSpinBox *iseIndexFrom;
    QLabel *lblIndexTo;
    QSpinBox *iseIndexTo;
    QListWidget *lbWeekDays;
    QListWidget *lbMonthDays;
    QListWidget *lbMonths;
    QListWidget *lbQuarters;
    std::array<QToolButton *, 4> btnSelectAll;
    std::array<QToolButton *, 4> btnClearAll;
    QPushButton *btnOK;
    QPushButton *btnCancel;

private:
    void CreateControls();
    QWidget *CreateParamsPage();
    QWidget *CreateLimitsPage();

    void FormShow() override;
    void FillControls();
    // The record as the controls set it, not yet resolved.
    TDrawsRange ReadControls() const;
    void UpdateEnabling();
    void ShowDrawsInfo();
    void RefreshSummary();
    void ModeChanged();
    void PeriodTypeChanged(int Index);
    void IndexFromChanged(int Value);
    void SetAllItems(int Tag, bool Value);
    QListWidget *FlagList(int Tag) const;
    void btnOKClick();

    bool Events = false; // while false, control changes do not refresh the summary
};
