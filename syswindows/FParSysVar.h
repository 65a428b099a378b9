#pragma once
// The parameters of a variable abbreviated system: those of the classic one and how many of the numbers
// are variable (carry a weight or are fixed); V of them leave C(N - V, K - V) combinations at most.

#include "syswindows/FParSysGeneral.h"

class QCheckBox;

class TfrmParSysVar : public TGenParSysForm {
    Q_OBJECT

public:
    explicit TfrmParSysVar(QWidget *parent = nullptr);

    // As the base's, with the window's ARandom and AV when it holds a system.
    void Init(const TGameData *Game, int Kind, bool Empty, int AN, bool ARandom, int ACount, int AV, int AK);

    // The results after OK besides the base's.
    int V = 1;
    bool Random = false;

    TFloatSpin *seCVar; // V
    QCheckBox *chkRandom;

protected:
    // Besides the base's values "v" and "Rnd".
    void ReadStoredParams() override;
    void WriteStoredParams() const override;
    // K at least 2, V within 1..K - 1, then the base's corrections with the count's limit of that V.
    void CorrectParams() override;
    void ShowParams() override;
    // Besides the base's: V at most K - 1.
    void UpdateRanges() override;
    // C(AN - V, AK - V): the combinations that hold all V numbers, so that any of them can be fixed.
    int64_t CountLimit(int AN, int AK) const override;
    void TakeOwnResults() override;

private:
    // The V the count's limit is taken for: the field while the values are corrected, then the spin's.
    int FLimitV = 0;
};
