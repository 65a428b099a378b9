#pragma once
// The parameters of a composite full system: two full systems over two disjoint sets of numbers, N1
// numbers taking K1 per combination and N2 taking K2, each combination of the first joined with each
// of the second; with what the joined system costs and wins. The last values are kept per game.

#include "syswindows/FParSysGeneral.h"

class QLineEdit;

class TfrmParSysFullComp : public TGenParSysForm {
    Q_OBJECT

public:
    explicit TfrmParSysFullComp(QWidget *parent = nullptr);

    // Empty: from the values kept for the game and Kind; otherwise from the parts' values. N and K of the
    // base are the first part's.
    void Init(const TGameData *Game, int Kind, bool Empty, int AN1, int AK1, int AN2, int AK2);

    // The second part after OK; N and K hold the first.
    int N2 = 1;
    int K2 = 1;

    QGroupBox *gbSys1;
    QGroupBox *gbSys2;
    // seCNum and seCDraws are the first part's.
    TFloatSpin *seCNum2;
    TFloatSpin *seCDraws2;
    QLineEdit *eCComb1;
    QLineEdit *eCComb2;
    QLineEdit *eCCombSyst;

protected:
    // "k1", "k2", "n1", "n2", each 1 when missing.
    void ReadStoredParams() override;
    void WriteStoredParams() const override;
    // Each part takes at least one number and less than the game's largest bet, both together at most
    // that bet; each part's N lies within its K and the game's highest number but one, both together
    // within the game's numbers.
    void CorrectParams() override;
    void ShowParams() override;
    // Each part's N at least its K, both together within the game's numbers; the parts' counts.
    void UpdateRanges() override;
    int SystemN() const override;
    int SystemK() const override;
    // C(N1, K1) x C(N2, K2).
    int64_t SystemCount() const override;
    // The joined system while a system may hold it.
    std::optional<int64_t> CostedCombinations() const override;
    // The two-part table of the joined system while a system may hold it.
    void ShowHits() override;
    // The sums of the parts and the joined system's count.
    void ShowOwnFigures() override;
    // A part's K raised past the game's largest bet lowers the other part's.
    void SpinEdited(const TFloatSpin *Spin) override;
    // A joined system larger than a system may hold is refused.
    bool AcceptParams() override;
    void TakeOwnResults() override;

private:
    bool Listed() const;
};
