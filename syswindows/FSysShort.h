#pragma once
// The window of the classic abbreviated system: the player's N numbers, K of them per combination, and
// as many combinations as asked for, the numbers used as evenly as possible.

#include "syswindows/FSysGeneral.h"

#include <cstdint>
#include <functional>
#include <memory>

class QGroupBox;
class QTabWidget;
class TMyThread;
class TMyThread2;
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
    // A worker is building a new system; the window keeps showing the old one meanwhile.
    bool Generating() const;

protected:
    bool HandleCommand(CommandEvent &Command) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The parameter dialog, then a new system.
    void SetParams();
    // A random system again with the same parameters.
    void GenerateAgain();
    // Builds a new system of the window's kind on a worker; only a complete one replaces the shown one.
    void StartGeneration(int NewN, int NewK, int32_t NewCount, bool Random);
    // Stops the worker and waits for it; the old system stays.
    void StopGeneration();
    // On the GUI thread when the worker has ended.
    void GenerationEnded(const TMyThread &Sender);

    uint32_t RunNo = 0; // tells the progress of the current run from that of a stopped one
    bool NextBuilt = false;
    std::unique_ptr<TSysShort> NextSystem;
    std::unique_ptr<TMyThread2> Worker; // declared last: stopped and joined before the members it uses go
};

