#pragma once
// The window of the full system: every combination of K of the player's N numbers. One with more
// combinations than a system may list keeps none (State 2): it can be given a key and a filter, and
// filtering lists the combinations that pass.

#include "syswindows/FSysGeneral.h"

#include <cstdint>

class TSysFull;

class TfrmSysFull : public TGenSysForm {
    Q_OBJECT

public:
    explicit TfrmSysFull(QWidget *Owner = nullptr);

    // C(N, K) of the parameters last accepted.
    int64_t Count = 0;
    TSysFull *SysFull = nullptr;

    void BindSystem(TSystem *NewSystem) override;
    void ReadParams() override;
    void UpdateMenu() override;
    // A new key drops what a filter kept of a system too large to list.
    void SystemChanged(const TDynByteArr &NewKey) override;

protected:
    bool StateTakesKey() const override;
    bool HandleCommand(CommandEvent &Command) override;
    // A system kept only as what its filter passed goes back to no rows (State 2).
    void btnFltDelClick() override;

private:
    // The parameter dialog, then the new system: listed on the window's worker, or kept without rows.
    void SetParams();
    // No rows while a key and a filter may be set.
    void ShowUnlisted();
};
