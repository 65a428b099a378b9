#pragma once
// The window of the random system: as many distinct combinations of K of the player's N numbers as
// asked for, drawn at random; Start draws them again.

#include "syswindows/FSysGeneral.h"

#include <cstdint>

class TSysRnd;

class TfrmSysRnd : public TGenSysForm {
    Q_OBJECT

public:
    explicit TfrmSysRnd(QWidget *Owner = nullptr);

    TSysRnd *SysRnd = nullptr;
    // The number of combinations last drawn.
    int64_t Count = 0;

    void BindSystem(TSystem *NewSystem) override;
    void ReadParams() override;
    void UpdateMenu() override;

protected:
    bool HandleCommand(CommandEvent &Command) override;

private:
    // The parameter dialog, then a new draw.
    void SetParams();
    // A new system of these parameters drawn on the window's worker; the shown one stays until it is
    // complete.
    void Generate(int NewN, int NewK, int64_t NewCount);
};
