#pragma once
// The window of a user system: combinations entered, imported, read or made by an operation on other
// systems rather than generated. It takes its system through OpenSystem; its rows can be added,
// changed and deleted like any system's.

#include "syswindows/FSysGeneral.h"

class TfrmSysUser : public TGenSysForm {
    Q_OBJECT

public:
    explicit TfrmSysUser(QWidget *Owner = nullptr);

    // A user system asks nothing of its window beyond what the base knows of every system.
    void BindSystem(TSystem *NewSystem) override;
    void ReadParams() override;

protected:
    bool HandleCommand(CommandEvent &Command) override;
};
