#pragma once
// The window of the guaranteed system: the fewest combinations of K of the player's N numbers such that
// whenever H of the drawn numbers are among the N, some combination holds G of them. The search runs on
// the window's worker and shows its progress on the window's own panel; Stop ends it.

#include "shell/TaskRunner.h"
#include "shell/WindowWorkerRunner.h"
#include "syswindows/FSysGeneral.h"

class TProgressPanel;
class TSysGuar;

class TfrmSysGuar : public TGenSysForm {
    Q_OBJECT

public:
    explicit TfrmSysGuar(QWidget *Owner = nullptr);

    // State 2: the search is running.
    static constexpr uint8_t Searching = 2;

    uint8_t G = 0; // guaranteed hits
    uint8_t H = 0; // drawn numbers among the N
    // Parameters are set, so the search can be started again.
    bool CanStart = false;
    TSysGuar *SysGuar = nullptr;
    TProgressPanel *Panel1;

    void BindSystem(TSystem *NewSystem) override;
    void ReadParams() override;
    void ShowInfo() override;
    void UpdateMenu() override;
    // The search's progress on the window's panel.
    void DoProgress(int Pos, int Step) override;

protected:
    bool HandleCommand(CommandEvent &Command) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The parameter dialog, then a search.
    void SetParams();
    // A search of N, K, G and H in the window's system, whose dependent windows close first.
    void StartSearch();
    // Ends the search and waits for its worker; the window holds no system then.
    void StopSearch();
    // The worker's end, on the GUI thread: the system found, or the reason there is none.
    void SearchFinished();
    // The panel gone, the window's state shown.
    void EndSearch(uint8_t NewState);

    // Declared last: the search stops before the system it builds goes.
    TTaskRunner FSearch;
    TWindowWorkerRunner FSearchRunner{FSearch};
};
