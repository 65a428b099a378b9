#pragma once
// The parameters of a classic abbreviated system: how many numbers, how many per combination, how many
// combinations and whether ties are broken at random; with what such a system costs and is expected to
// win. The last values are kept per game in the registry.

#include "syswindows/FParSysGeneral.h"

class QCheckBox;

class TfrmParSysShort : public TGenParSysForm {
    Q_OBJECT

public:
    explicit TfrmParSysShort(QWidget *parent = nullptr);

    // Empty: the window holds no system yet, so the dialog starts from the values kept for the game;
    // otherwise from the window's AN, AK, ACount and ARandom. Kind is the system's kind. Values out of
    // range are corrected.
    void Init(const TGameData *Game, int AN, bool Empty, bool ARandom, int Kind, int ACount, int AK);

    // The random option after OK.
    bool Random = false;

    QCheckBox *chkRandom;

protected:
    // Besides the base's values "Rnd", the random option.
    void ReadStoredParams() override;
    void WriteStoredParams() const override;
    void TakeOwnResults() override;
};
