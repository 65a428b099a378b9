#pragma once
// The window of the classic abbreviated system: the player's N numbers, K of them per combination, and
// as many combinations as asked for, the numbers used as evenly as possible.

#include "syswindows/FSysGeneral.h"

#include <cstdint>
#include <functional>

class QGroupBox;
class QTabWidget;
class TMyThread;
class TSysShort;

class TfrmSysShort : public TGenSysForm {
    Q_OBJECT

public:
    explicit TfrmSysShort(QWidget *Owner = nullptr);
    ~TfrmSysShort() override;

    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    QGroupBox *GroupBox1;

    // The number of combinations last asked for.
    int32_t Count = 0;
    TSysShort *SysShort = nullptr;

    void ShowInfo() override;
    void UpdateCaption() override;
    void BindSystem(TSystem *NewSystem) override;
    void ReadParams() override;
    void UpdateMenu() override;

    // What the worker runs to build a new system; TSysShort::Generate with equal quotas unless replaced
    // (before a generation starts; tests make it fail through it).
    std::function<bool(TSysShort &NewSystem, const TMyThread &Thread)> Generator;

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

