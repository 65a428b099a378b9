#pragma once
// The window of the composite full system: two full systems over two disjoint sets of the player's
// numbers, N1 taking K1 per combination and N2 taking K2, every combination of the first joined with
// every one of the second. The guarantee of a system still as generated is counted at once.

#include "syswindows/FSysGeneral.h"

#include <cstdint>

class TSysFullComp;

class TfrmSysFullComp : public TGenSysForm {
    Q_OBJECT

public:
    explicit TfrmSysFullComp(QWidget *Owner = nullptr);

    // The parts of the system shown.
    uint8_t N1 = 0;
    uint8_t K1 = 0;
    uint8_t N2 = 0;
    uint8_t K2 = 0;
    TSysFullComp *SysFullComp = nullptr;

    void BindSystem(TSystem *NewSystem) override;
    void ReadParams() override;
    void UpdateMenu() override;
    // Each part's K and N, then the joined system's rows as the kinds show them.
    void ShowInfo() override;

protected:
    bool HandleCommand(CommandEvent &Command) override;

private:
    // The parameter dialog, then the new system built on the window's worker.
    void SetParams();
    // A system still as generated: its hit table at once in a window of its own; a changed one: the
    // common guarantee command.
    void ShowCompositeGuarantee();
};
