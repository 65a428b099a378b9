#pragma once
// The window that prints the visible rows of a system onto play slips of its game, one row per panel:
// the layout, the margins, the number of draws and the stake where the layout has boxes for them, and
// which slips to print. Margins, draws and stake are kept per game and layout in the registry.

#include "shell/FirstShow.h"

#include <QDialog>

#include <string>
#include <utility>

class QAction;
class QComboBox;
class QGroupBox;
class QPushButton;
class TFloatSpin;
class TPrintForm;
class TSystem;

class TfrmPrintSystem : public TFirstShow<QDialog> {
    Q_OBJECT

public:
    explicit TfrmPrintSystem(QWidget *parent = nullptr);

    // Set by the opener before the window is shown; the layouts are those of PrintForms.
    TSystem *System = nullptr;
    TPrintForm *Layout = nullptr;

    QComboBox *cbForms;
    QGroupBox *gbMargins;
    TFloatSpin *sePosY;
    TFloatSpin *sePosX;
    QGroupBox *gbExtra;
    TFloatSpin *seDraws;
    TFloatSpin *seRate;
    QGroupBox *gbSlips;
    TFloatSpin *seFrom;
    TFloatSpin *seTo;
    QPushButton *btnPrint;
    QPushButton *btnTest;
    QPushButton *btnClose;
    QAction *Enter;
    QAction *Esc;

    // The chosen slips From..To, each clamped to the slips there are; From is above To when there is
    // none to print.
    std::pair<int, int> ChosenSlips() const;
    // One job of the slips From..To; false when the printer does not start it.
    bool PrintSlips(int From, int To);
    // The rows of slip P on its panels, the extra boxes, the caption and the marker; a new page after
    // every slip but LastSlip.
    void PrintSlip(int P, int LastSlip);

protected:
    // Every way of closing keeps the chosen layout's settings.
    void done(int Result) override;

private:
    void FormShow() override;
    void cbFormsChange(int Index);
    void seToChange();
    void btnPrintClick();
    void btnTestClick();
    // "Blanc\<game id>\<layout id>".
    std::string RegistrySection() const;
    // The margins; the draws and stake of the layout where they lie in their edits' ranges.
    void LoadSettings();
    void SaveSettings();
    void SetRanges();
    // The draws and stake edits on or off, with the ranges and first values of the layout's grids.
    void SetExtraEdits();
    // Slips needed for the visible rows.
    int SlipCount() const;
    // The origin from the margins, kept within their ranges.
    void SetLayoutOrigin();

};
