#pragma once
// The window of the staking system: for the full system of K out of N numbers, a plan of stakes over a
// number of draws that wins back what was staked and a wanted profit whenever at least the minimum hit
// falls. It has none of the other kinds' controls: "Parametry" holds the full system, the draws and the
// profits, "System" the plan, a row per draw.

#include "syswindows/FSysGeneral.h"

#include <array>
#include <cstdint>
#include <memory>

class QGroupBox;
class QTabWidget;
class TFloatSpin;
class TSysStage;

class TfrmSysStage : public TGenSysForm {
    Q_OBJECT

public:
    explicit TfrmSysStage(QWidget *Owner = nullptr);
    ~TfrmSysStage() override;

    // The most per-draw profits, and of draws in a plan.
    static constexpr int MaxDraws = 32;
    // The most a profit may be, in whole currency units.
    static constexpr int MaxProfit = 1000000;

    // The per-draw profits (currency x 10000), entry d - 1 for draw d, edited in sgProfit.
    std::array<int64_t, MaxDraws> StageProfits{};
    TSysStage *SysStage = nullptr;
    // Finds the lowest paying hit of the spins' full system.
    std::unique_ptr<TSysStage> HitFinder;

    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    TFloatSpin *seD;
    QGroupBox *GroupBox1;
    QRadioButton *rbSingleProfit;
    TFloatSpin *seMinProfit;
    QRadioButton *rbMultiProfit;
    TStringAlignGrid *sgProfit;
    QPushButton *btnWriteFlts;
    QPushButton *btnReadFlts;
    TFloatSpin *seMinProfitHit;
    QGroupBox *GroupBox2;
    TFloatSpin *seK;
    TFloatSpin *seN;
    QLineEdit *eCombCount;
    QLineEdit *eSystemCost;
    QPushButton *btnCreateSys;

    void BindSystem(TSystem *NewSystem) override;
    // The window keeps no copy of the system's parameters: they are in its spins.
    void ReadParams() override {}
    void UpdateMenu() override;
    // The game's two staking systems, its ranges and the settings kept for it.
    void SetGame(TGameData *NewGame) override;
    // A saved plan: its parameters into the spins, then the plan computed again.
    void OpenSystem(TGameData *NewGame, std::unique_ptr<TSystem> NewSystem) override;
    // The plan is computed at once: no progress to show.
    void DoProgress(int, int) override {}

    // The plan has rows.
    bool HasPlan() const;

protected:
    bool HandleCommand(CommandEvent &Command) override;
    void FormShow() override;
    void closeEvent(QCloseEvent *event) override;

private:
    // FSysStageLayout.cpp
    void BuildLayout();

    // C(N, K) of the spins, in extended precision.
    long double FullCount() const;
    // The count and cost of the spins' full system, while it may be output.
    void ShowFullSystem();
    // The minimum hit's range from the lowest hit that pays more than the full system costs to the top
    // hit; no such hit leaves the range and keeps Start off.
    void FindPayingHit();
    void ReadSettings();
    void WriteSettings() const;
    void seKChange();
    void seNChange();
    void seDChange();
    void ProfitModeClick();
    void ShowProfits();
    // A profit typed into the grid: a number within 0..MaxProfit.
    void sgProfitValidateEdit(int ACol, int ARow, bool &Valid);
    // The plan of the spins' values, shown on "System".
    void Compute();
    void ShowPlan();
    void ReportPlan();
    // The spins' full system in a new full system window.
    void CreateFullSystem();

    bool FPaying = false;
    // False while the window sets its own spins: their change handlers wait.
    bool FReady = false;
};
