#pragma once
// The window of the variable abbreviated system: a classic abbreviated system in which V of the numbers
// carry a weight or are fixed. The parameter dialog sets N, K, V and the count; the window then holds the
// parameters without rows (State 2) while the weights are set in the per-number grid, and Start builds
// the system.

#include "syswindows/FSysGeneral.h"

#include <cstdint>

class TMultiplies;
class TSysVar;

class TfrmSysVar : public TGenSysForm {
    Q_OBJECT

public:
    explicit TfrmSysVar(QWidget *Owner = nullptr);
    ~TfrmSysVar() override;

    // One row per variable number: its weight and whether it is fixed.
    TMultiplies *sgParam;

    // The window's copies of the system's count and number of variable numbers.
    int64_t Count = 0;
    uint8_t V = 0;
    TSysVar *SysVar = nullptr;

    // The new key, and the grid's numbers through it.
    void SystemChanged(const TDynByteArr &NewKey) override;
    // The description replaces the name only once the rows are built (State 0).
    void UpdateCaption() override;
    void BindSystem(TSystem *NewSystem) override;
    void ReadParams() override;
    // The base text, then the variable numbers on one line: each "number:weight" or "number:stała".
    void GetParamsText(int Width, std::string &S) const override;
    void UpdateMenu() override;

protected:
    bool HandleCommand(CommandEvent &Command) override;

private:
    // The parameter dialog; on OK the parameters without rows (State 2).
    void SetParams();
    // A copy of the system built on the window's worker with the weights set.
    void Generate();
    // Column 0 of the grid: the key's number of each variable position.
    void ShowNumbers();
    void sgParamAnySpinChange(int Row, double Weight, bool &Accept);
    void sgParamAnyCheckClick(int Row, bool Checked, bool &Accept, double Weight);
};
