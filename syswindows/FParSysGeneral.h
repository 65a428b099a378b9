#pragma once
// The base of the systems' parameter dialogs: how many numbers and how many per combination (and, for
// the kinds that take one, how many combinations), with what such a system costs and, where the kind
// shows it, what it is expected to win. The last values are kept per game and kind in the registry.
// A kind's dialog adds its own fields through the hooks below.

#include "shell/FirstShow.h"

#include <QDialog>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Currency;
class QAction;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class TFloatSpin;
class TStringAlignGrid;
struct TGameData;

class TGenParSysForm : public TFirstShow<QDialog> {
    Q_OBJECT

public:
    // The parts a kind's dialog has besides the numbers and the numbers per combination.
    struct TParts {
        bool Count = true;      // the number of combinations, with the reduction row
        bool Hits = true;       // the hit table "Gwarancja:"
        bool WholeHits = false; // its counts are whole (a full system's) and shown without decimals
        bool Reduction = false; // the reduction row without a count
        // The kind lays out seCDraws and seCNum itself (AddParamSpin) instead of the two first rows.
        bool OwnSpins = false;
        QStringList LeadRows{}; // the kind's own rows of the cost grid, above "Wszystkich kombinacji"
        // The combinations the cost rows price are the kind's estimate: a row shows it, and the reduction
        // and cost rows say they are estimated.
        bool Estimate = false;
    };

    TGenParSysForm(QWidget *parent, const QString &Caption, TParts Parts);

    // Empty: the window holds no system yet, so the dialog starts from the values kept for the game and
    // Kind; otherwise from AN, AK and ACount. Values out of range are corrected.
    void Init(const TGameData *Game, int Kind, bool Empty, int AN, int AK, int ACount = 1);

    // The result after OK (modal result 1; "Anuluj" gives 2).
    int N = 0;
    int K = 0;
    int Count = 1;

    QGroupBox *GroupBox1;
    TFloatSpin *seCDraws = nullptr; // K
    TFloatSpin *seCNum = nullptr;   // N
    TFloatSpin *seCComb = nullptr; // Count, in a dialog with a count
    TStringAlignGrid *sgStat;
    QLabel *Label4 = nullptr;
    TStringAlignGrid *sgGuar = nullptr; // in a dialog with the hit table
    QPushButton *btnOk;
    QPushButton *btnCancel;
    QAction *actEnter;
    QAction *actEsc;

protected:
    // A spin of whole numbers as a new row of the parameter group (or of Into); its changes refresh the
    // ranges and the figures, and it is clamped with the others when OK is pressed, in the order the
    // spins were added.
    TFloatSpin *AddParamSpin(const QString &Caption, QGridLayout *Into = nullptr);
    // Another control (a check box) as a new row of the parameter group.
    void AddParamRow(QWidget *Widget);

    // The fields from the values kept under RegistrySection: "k", "n" and, with a count, "Ns".
    virtual void ReadStoredParams();
    // The fields as those values.
    virtual void WriteStoredParams() const;
    // The fields brought into range: K within the game's bets, N within its numbers and at least K, the
    // count within 1..the count's limit.
    virtual void CorrectParams();
    // The fields into the spins.
    virtual void ShowParams();
    // The ranges that follow the spins' values: N at least K, the count at most its limit.
    virtual void UpdateRanges();
    // How many combinations a system of AN numbers, AK per combination, may hold: C(AN, AK).
    virtual int64_t CountLimit(int AN, int AK) const;
    // The number of combinations the cost and reduction rows price (the count; none leaves them empty).
    virtual std::optional<int64_t> CostedCombinations() const;
    // The divisor of the full system's prizes in the hit table (C(N, K) / the count; none leaves the
    // table empty).
    virtual std::optional<double> HitScale() const;
    // The numbers and the numbers per combination of the system the spins describe: N and K.
    virtual int SystemN() const;
    virtual int SystemK() const;
    // The combinations such a system holds: the count, or C(N, K) without one.
    virtual int64_t SystemCount() const;
    // The hit table of the values shown: the full system's hits divided by HitScale.
    virtual void ShowHits();
    // After the ranges, the hit table and the costs: the kind's own figures.
    virtual void ShowOwnFigures() {}
    // A spin the user changed, before the ranges follow it; the spins it sets stay quiet.
    virtual void SpinEdited(const TFloatSpin * /*Spin*/) {}
    // After OK has committed the spins: false keeps the dialog open, the kind having said why.
    virtual bool AcceptParams() { return true; }
    // After OK has taken N, K and Count from the spins: the kind's own results.
    virtual void TakeOwnResults() {}

    // "Systems\<game id>\<kind>".
    std::string RegistrySection() const;
    // CountLimit within the 32 bits of the count.
    double MaxCount(int AN, int AK) const;
    // C(N, K) of the spins (SystemN, SystemK).
    int64_t AllCombinations() const;


    const TGameData *FGame = nullptr;
    int FKind = 0;
    // True while the dialog sets its own spins: their change handlers wait.
    bool FUpdating = false;

private:
    // Whether no spin holds a value below its minimum, which is still being typed: until then the
    // figures wait.
    bool FieldsComplete() const;
    // Clamps every spin visibly into its range (in the order added, as the later ranges follow the
    // earlier values) and shows the figures of what the spins then hold: what OK takes is what the
    // dialog shows.
    void CommitFields();
    void SpinChanged(const TFloatSpin *Spin);
    // The kind's answer to the spin the user changed (Edited), the ranges (with Ranges), the hit table
    // and the figures of the values shown; nothing that fails here leaves the change handler.
    void Refresh(bool Ranges, const TFloatSpin *Edited = nullptr);
    void ShowCost();
    // The cost of so many combinations of AK numbers; none past the 32 bits of a count or the range of
    // money.
    std::optional<Currency> CostOf(int AK, int64_t Combinations) const;
    // The value column as wide as the values it shows.
    void FitStatValues();
    void btnOkClick();
    void btnCancelClick();

    // A row added by a kind's dialog after the others were created still follows them from the keyboard.
    void FollowInTabOrder(QWidget *Widget);

    QGridLayout *FParams;
    std::vector<TFloatSpin *> FSpins;
    bool FWholeHits = false;
    // The parameter group's last control in the tab order.
    QWidget *FLastParam = nullptr;
    // Rows of the cost grid below the kind's own; no reduction row without a count, a reduction or an
    // estimate.
    int FRowAll = 1;
    int FRowEstimate = -1;
    int FRowReduction = -1;
    int FRowStake = 0;
    int FRowCost = 0;
    bool Ready = false;
};
