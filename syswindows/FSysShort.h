#pragma once
// The window of the classic abbreviated system: the player's N numbers, K of them per combination, and
// as many combinations as asked for, the numbers used as evenly as possible.

#include "syswindows/FSysGeneral.h"

#include <cstdint>

class TSysShort;

class TfrmSysShort : public TGenSysForm {
    Q_OBJECT

public:
    explicit TfrmSysShort(QWidget *Owner = nullptr);
    ~TfrmSysShort() override;

    // The number of combinations last asked for.
    int32_t Count = 0;
    TSysShort *SysShort = nullptr;

    void BindSystem(TSystem *NewSystem) override;
    void ReadParams() override;
    void UpdateMenu() override;

protected:
    bool HandleCommand(CommandEvent &Command) override;

private:
    // The parameter dialog, then a new system.
    void SetParams();
    // A random system again with the same parameters.
    void GenerateAgain();
    // A new system of the window's kind with these parameters, built on the window's worker.
    void Generate(int NewN, int NewK, int32_t NewCount, bool Random);
};
