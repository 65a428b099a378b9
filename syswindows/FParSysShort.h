#pragma once
// The parameters of a classic abbreviated system: how many numbers, how many per combination, how many
// combinations and whether ties are broken at random; with what such a system costs and is expected to
// win. The last values are kept per game in the registry.

#include "shell/FirstShow.h"

#include <QDialog>

#include <string>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TFloatSpin;
class TStringAlignGrid;
struct TGameData;

class TfrmParSysShort : public TFirstShow<QDialog> {
    Q_OBJECT

public:
    explicit TfrmParSysShort(QWidget *parent = nullptr);

    // Empty: the window holds no system yet, so the dialog starts from the values kept for the game;
    // otherwise from the window's AN, AK, ACount and ARandom. Kind is the system's kind. Values out of
    // range are corrected.
    void Init(const TGameData *Game, int AN, bool Empty, bool ARandom, int Kind, int ACount, int AK);

    // The result after OK (modal result 1; "Anuluj" gives 2).
    int N = 0;
    int K = 0;
    int Count = 1;
    bool Random = false;

    QGroupBox *GroupBox1;
    TFloatSpin *seCDraws; // K
    TFloatSpin *seCNum;   // N
    TFloatSpin *seCComb;  // Count
    QCheckBox *chkRandom;
    TStringAlignGrid *sgStat;
    QLabel *Label4;
    TStringAlignGrid *sgGuar;
    QPushButton *btnOk;
    QPushButton *btnCancel;
    QAction *actEnter;
    QAction *actEsc;

private:
    // The stake and the figures, as the game gives them when the dialog shows.
    void FormShow() override;
    // "Systems\<game id>\<kind>".
    std::string RegistrySection() const;
    void ReadStoredParams();
    // Whether no field holds a value below its minimum, which is still being typed: until then the
    // figures wait.
    bool FieldsComplete() const;
    // Clamps every field visibly into its range (K first, as the other ranges follow it) and shows the
    // figures of what the fields then hold: what OK takes is what the dialog shows.
    void CommitFields();
    void seCDrawsChange();
    void seCNumChange();
    void seCCombChange();
    // The ranges (with Ranges), the hit table and the costs of the values shown; nothing that fails
    // here leaves the change handler.
    void Refresh(bool Ranges);
    void UpdateRanges();
    void ShowCost();
    // The value column as wide as the values it shows.
    void FitStatValues();
    void ShowHits();
    void btnOkClick();
    void btnCancelClick();

    const TGameData *FGame = nullptr;
    int FKind = 0;
    bool Ready = false;
    // True while the dialog sets its own spins: their change handlers wait.
    bool FUpdating = false;
};
