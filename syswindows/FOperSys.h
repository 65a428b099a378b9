#pragma once
// The logical operations on the systems of the open system windows: the operation, the first system (A)
// among the ready windows and, for the operations of several operands, further systems (B) among those
// compatible with A. "Przelicz" counts the result, OK builds it and opens it in a new user system
// window. The operation runs on the dialog's worker; "A&nuluj" stops it.

#include "engine/USysOper.h"
#include "shell/FirstShow.h"
#include "shell/TaskRunner.h"

#include <QDialog>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TALProgressBar;
class TMyThread;
class TPBEdit;
class TStringAlignGrid;
class TSystem;
class TStringGrid;
struct TRect;

class TfrmOperSys : public TFirstShow<QDialog> {
    Q_OBJECT

public:
    // A listed system window.
    struct TEntry {
        int WindowNo = 0;
        std::string Name;              // the system's short name
        const TSystem *System = nullptr; // the window's, not owned
    };

    explicit TfrmOperSys(QWidget *parent = nullptr);
    ~TfrmOperSys() override;

    TStringAlignGrid *sgA;
    QComboBox *cbOper;
    TStringAlignGrid *sgB;
    QPushButton *btnSelAll;
    QPushButton *btnDeselAll;
    QGroupBox *gbResult;
    QLineEdit *eCombCount;
    TPBEdit *PBEdit1;
    QPushButton *btnDoOper;
    QPushButton *btnOK;
    QPushButton *btnCancel;
    TALProgressBar *ProgressBar1;
    QLabel *lblProgress;

    // The ready system windows by window number, those of them compatible with A and their ticks, and
    // the difference's B (the current row of sgB).
    const std::vector<TEntry> &EntriesA() const { return ListA; }
    const std::vector<TEntry> &EntriesB() const { return ListB; }
    const std::vector<bool> &Ticks() const { return Checked; }
    const TSystem *DifferenceB() const { return SystemB; }

    // sgBClick on the tick column: toggles entry Index of ListB. Ticking is refused for the composition
    // when the joined combination would be longer than the game's largest bet.
    void ToggleTick(int Index);
    // Ticks (unticks) every entry in order by the same rule.
    void SetAllTicks(bool Tick);
    bool Running() const { return Runner.Running(); }

    // When set, runs on the worker in place of the operation, which it is given: tests make a run wait.
    std::function<bool(const TMyThread &Thread, const std::function<bool()> &Operation)> RunHook;

protected:
    void FormShow() override;
    // Esc and the close box: as "A&nuluj".
    void reject() override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    uint8_t Oper = soUnion;
    // The ready system windows by window number, and those of them compatible with A.
    std::vector<TEntry> ListA;
    std::vector<TEntry> ListB;
    std::vector<bool> Checked; // per ListB entry
    int SelA = 0;
    const TSystem *SystemA = nullptr;
    const TSystem *SystemB = nullptr; // the difference's B: the current row of sgB

    void CreateControls();
    void cbOperChange();
    // The B area by the operation: hidden for the complement, the tick buttons off for the difference.
    void ApplyLayout();
    bool HasTicks() const { return Oper != soDifference; }
    bool Compatible(const TSystem &S) const;
    void RebuildListB();
    void ShowListB();
    void SelectA(int Row);
    bool CanTick(int Index) const;
    void sgBDrawCell(TStringGrid *Sender, int ACol, int ARow, const TRect &Rect);
    // Starts the operation on the worker: counting only, or building the result (Build).
    void RunOperation(bool Build);
    void RunEnded(const TTaskEnd &End);
    // What the ended run gives: the count, the notices and, after OK, the result's window.
    void ShowOutcome();
    // The ended run's result stops short of all its combinations.
    bool Shortened() const;
    void EnableControls(bool Enabled);
    void ClearProgress();
    void btnCancelClick();
    void WriteParams() const;

    int DefaultHeightA = 0;
    std::unique_ptr<TSysOper> SysOper;
    // The run going on or ended last: its operation, operands, whether it builds, and its answer (set
    // by the worker before its end is reported).
    uint8_t RunOper = soUnion;
    std::vector<const TSystem *> RunOperands;
    bool RunBuild = false;
    bool RunAnswer = false;
    // Where the focus was when the run started: it goes back there when the controls come back on.
    QPointer<QWidget> RunFocus;
    TTaskRunner Runner; // declared last: stopped before what its operation reads goes
};

// The main window's logical-operations command: the dialog, modal.
void OpenOperSysDialog();
