#include "syswindows/FSysStage.h"

#include "controls/FloatSpin.h"
#include "controls/FloatText.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "core/ProgramParams.h"
#include "core/UComb.h"
#include "engine/UGameMan.h"
#include "engine/USysFull.h"
#include "engine/USysStage.h"
#include "output/FExcelReport.h"
#include "output/FGlobalReport.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "shell/ParamsRecord.h"
#include "syswindows/FSysGeneralLayout.h"
#include "syswindows/FSysWindows.h"
#include "syswindows/StageParams.h"
#include "syswindows/SysFormats.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTabWidget>

#include <algorithm>
#include <cmath>

namespace {

// The plan grid's columns before the hit columns.
enum TPlanCol : int { pcDraw, pcStake, pcBets, pcCost, pcGameCost, pcFirstHit };

std::string SettingsKey(const TGameData &Game)
{
    return ParamsKey("Systems\\", Game.Info.Id, skStage);
}

bool ProfitInRange(int64_t Count)
{
    return Count >= 0 && Count <= int64_t(TfrmSysStage::MaxProfit) * Currency::Scale;
}

// "0.00" of an amount x 10000.
QString ProfitText(int64_t Count)
{
    return QString::fromStdString(FormatFloat("0.00", double(Count) / Currency::Scale));
}

} // namespace

TfrmSysStage::TfrmSysStage(QWidget *Owner) : TGenSysForm(Owner)
{
    platform::setHelpContext(this, 307);
    BuildLayout();
    SysKind = skStage;
    State = 1;
    WindowNo = NextWindowNumber();
}

TfrmSysStage::~TfrmSysStage() = default;

void TfrmSysStage::BindSystem(TSystem *NewSystem)
{
    SysStage = dynamic_cast<TSysStage *>(NewSystem);
}

bool TfrmSysStage::HasPlan() const
{
    return State == 0 && SysStage && SysStage->PlanRows > 0;
}

long double TfrmSysStage::FullCount() const
{
    return NewtonExt[size_t(SpinValue(seN))][size_t(SpinValue(seK))];
}

void TfrmSysStage::SetGame(TGameData *NewGame)
{
    Game = NewGame;
    State = 1;
    HitFinder = std::make_unique<TSysStage>(Game);
    TakeSystem(std::make_unique<TSysStage>(Game));
    const TGameInfo &info = Game->Info;
    {
        const QScopedValueRollback<bool> quiet(FReady, false);
        seK->SetMinValue(info.MinK);
        seK->SetMaxValue(info.MaxSize);
        seN->SetMinValue(info.MinK);
        seN->SetMaxValue(info.MaxNumber);
        seD->SetMinValue(1);
        seD->SetMaxValue(MaxDraws);
        seMinProfitHit->SetMinValue(info.MinK);
        seMinProfitHit->SetMaxValue(info.Drawn);
        seMinProfit->SetMinValue(0);
        seMinProfit->SetMaxValue(MaxProfit);
        ReadSettings();
    }
    FReady = true;
    UpdateMenu();
    UpdateCaption();
}

void TfrmSysStage::ReadSettings()
{
    const TStoredRecord stored = ReadParamsRecord(SettingsKey(*Game), TStageParams::Size);
    TStageParams params = ReadStageParams(stored.Bytes).value_or(TStageParams{});
    if (!stored.Valid())
        params.N = params.K = Game->Info.MinK;
    SetStoredValue(seK, params.K);
    seN->SetMinValue(SpinValue(seK));
    SetStoredValue(seN, params.N);
    SetStoredValue(seD, params.D);
    seDChange();
    ShowFullSystem();
    FindPayingHit();
    SetStoredValue(seMinProfitHit, params.MinHit);
    if (params.Profit >= seMinProfit->MinValue() * Currency::Scale &&
        params.Profit <= seMinProfit->MaxValue() * Currency::Scale)
        seMinProfit->SetValue(double(params.Profit) / Currency::Scale);
    (params.Individual ? rbMultiProfit : rbSingleProfit)->setChecked(true);
    ProfitModeClick();
    for (int i = 0; i < MaxDraws; ++i)
        if (ProfitInRange(params.Profits[size_t(i)]))
            StageProfits[size_t(i)] = params.Profits[size_t(i)];
    ShowProfits();
}

void TfrmSysStage::WriteSettings() const
{
    TStageParams params;
    params.N = SpinValue(seN);
    params.K = SpinValue(seK);
    params.D = SpinValue(seD);
    params.MinHit = SpinValue(seMinProfitHit);
    params.Profit = std::llround(seMinProfit->Value() * Currency::Scale);
    params.Individual = rbMultiProfit->isChecked();
    for (int i = 0; i < MaxDraws; ++i)
        params.Profits[size_t(i)] = StageProfits[size_t(i)];
    WriteParamsRecord(SettingsKey(*Game), WriteStageParams(params));
}

void TfrmSysStage::ShowFullSystem()
{
    eCombCount->clear();
    eSystemCost->clear();
    if (FullCount() > Limits.MaxCombOutput)
        return;
    const int k = SpinValue(seK);
    const int64_t count = Newton[size_t(SpinValue(seN))][size_t(k)];
    eCombCount->setText(CountText(count));
    eSystemCost->setText(CostText(SystemCost(Game->Info, k, int32_t(count))));
}

void TfrmSysStage::FindPayingHit()
{
    FPaying = false;
    if (FullCount() > Limits.MaxCombOutput)
        return;
    HitFinder->SetParams(SpinValue(seN), SpinValue(seK), 0, 0, Currency(), false, {});
    if (!HitFinder->PrepareHits())
        return;
    const int first = HitFinder->FirstPayingHit();
    const int top = HitFinder->HitInfo.LowHits + HitFinder->HitInfo.ColCount - 1;
    if (first > top)
        return;
    FPaying = true;
    const QScopedValueRollback<bool> quiet(FReady, false);
    seMinProfitHit->SetMinValue(first);
    seMinProfitHit->SetMaxValue(top);
    if (SpinValue(seMinProfitHit) < first || SpinValue(seMinProfitHit) > top)
        seMinProfitHit->SetValue(first);
}

void TfrmSysStage::seKChange()
{
    if (!FReady)
        return;
    {
        const QScopedValueRollback<bool> quiet(FReady, false);
        if (SpinValue(seN) < SpinValue(seK))
            seN->SetValue(SpinValue(seK));
        seN->SetMinValue(SpinValue(seK));
    }
    ShowFullSystem();
    FindPayingHit();
    UpdateMenu();
}

void TfrmSysStage::seNChange()
{
    if (!FReady || seN->Value() < seN->MinValue())
        return;
    ShowFullSystem();
    FindPayingHit();
    UpdateMenu();
}

void TfrmSysStage::seDChange()
{
    if (seD->Value() < seD->MinValue())
        return;
    sgProfit->setRowCount(SpinValue(seD) + 1);
    ShowProfits();
}

void TfrmSysStage::ProfitModeClick()
{
    seMinProfit->setEnabled(rbSingleProfit->isChecked());
    sgProfit->setEnabled(!rbSingleProfit->isChecked());
}

void TfrmSysStage::ShowProfits()
{
    for (int row = 1; row < sgProfit->RowCount(); ++row) {
        sgProfit->setCells(0, row, QString::number(row));
        sgProfit->setCells(1, row, ProfitText(StageProfits[size_t(row) - 1]));
    }
}

void TfrmSysStage::sgProfitValidateEdit(int ACol, int ARow, bool &Valid)
{
    if (ACol != 1 || ARow < 1 || ARow > MaxDraws)
        return;
    Valid = false;
    const std::optional<double> value = parseFloatText(sgProfit->Cells(ACol, ARow).trimmed(), localeDecimalSeparator());
    if (!value || !(*value >= 0 && *value <= MaxProfit))
        return;
    StageProfits[size_t(ARow) - 1] = Currency::fromDouble(*value).count();
    Valid = true;
    sgProfit->setCells(ACol, ARow, ProfitText(StageProfits[size_t(ARow) - 1]));
}

void TfrmSysStage::UpdateMenu()
{
    btnCreateSys->setEnabled(false);
    EnableCommands(cmdAll, false);
    EnableCommands(cmdRead, true);
    const long double count = FullCount();
    if (count <= Limits.MaxCombOutput) {
        if (FPaying)
            EnableCommands(cmdStart, true);
        // A full system above MaxComb may not be generated.
        btnCreateSys->setEnabled(count <= Limits.MaxComb);
    }
    if (HasPlan())
        EnableCommands(cmdSave | cmdReport, true);
}

bool TfrmSysStage::HandleCommand(CommandEvent &Command)
{
    const QEvent::Type code = Command.type();
    if (code == WM_TASK_START && FPaying && FullCount() <= Limits.MaxCombOutput)
        Compute();
    else if (code == WM_SYS_REPORT)
        ReportPlan();
    else if (code == WM_SYS_SAVE && HasPlan())
        return TGenSysForm::HandleCommand(Command);
    else
        return false;
    return true;
}

void TfrmSysStage::Compute()
{
    TDynCurrArray profits;
    for (int64_t profit : StageProfits)
        profits.push_back(Currency::fromCount(profit));
    SysStage->SetParams(SpinValue(seN), SpinValue(seK), uint32_t(SpinValue(seD)), uint32_t(SpinValue(seMinProfitHit)),
                        Currency::fromCount(std::llround(seMinProfit->Value() * Currency::Scale)),
                        rbMultiProfit->isChecked(), profits);
    const bool planned = SysStage->Calculate();
    State = 0;
    UpdateMenu();
    UpdateCaption();
    // The plan's tab first: the window fits the grid's width as laid out there.
    PageControl1->setCurrentWidget(TabSheet2);
    ShowPlan();
    if (!planned)
        MsgBox(QStringLiteral("Wygrana przy minimalnym trafieniu nie pokrywa kosztu systemu."), QString(),
               MsgFlagsNotice);
}

void TfrmSysStage::ShowPlan()
{
    const TSysStage &plan = *SysStage;
    if (plan.PlanRows == 0) {
        sgSystem->setColCount(pcFirstHit);
        sgSystem->setRowCount(2);
        sgSystem->ClearRows(1, 1);
        return;
    }
    const int hits = int(plan.Columns);
    sgSystem->setColCount(pcFirstHit + hits);
    sgSystem->setRowCount(int(plan.PlanRows) + 1);
    for (int j = 0; j < hits; ++j) {
        sgSystem->setCells(pcFirstHit + j, 0, QString::number(plan.MinDrawn + uint32_t(j)));
        sgSystem->SetAlignCol(pcFirstHit + j, alLeft);
    }
    for (uint32_t d = 0; d < plan.PlanRows; ++d) {
        const TSysItem &item = plan.Plan[d];
        const int row = int(d) + 1;
        sgSystem->setCells(pcDraw, row, QString::number(row));
        sgSystem->setCells(pcStake, row, CountText(item.Multiplier));
        sgSystem->setCells(pcBets, row, CountText(item.Combinations));
        sgSystem->setCells(pcCost, row, MoneyText(item.Cost));
        sgSystem->setCells(pcGameCost, row, MoneyText(item.CumulativeCost));
        for (int j = 0; j < hits; ++j)
            sgSystem->setCells(pcFirstHit + j, row, MoneyText(item.NetWins[size_t(j)]));
    }
    static constexpr int designWidths[] = {27, 65, 65, 75, 80};
    for (int col = 0; col < sgSystem->ColCount(); ++col)
        SetColWidth(sgSystem, col, designWidths[std::min(col, int(pcGameCost))], ColTexts(sgSystem, col));
    // Every hit column in view while the main window has room.
    FitWindowToGrid(this, sgSystem, sgSystem->CalcGridWidth(true), false);
}

void TfrmSysStage::OpenSystem(TGameData *NewGame, std::unique_ptr<TSystem> NewSystem)
{
    SetGame(NewGame);
    TakeSystem(std::move(NewSystem));
    const TSysStage &saved = *SysStage;
    {
        const QScopedValueRollback<bool> quiet(FReady, false);
        seK->SetValue(saved.K);
        seN->SetMinValue(saved.K);
        seN->SetValue(saved.N);
        seD->SetValue(saved.DrawCount);
        seDChange();
        ShowFullSystem();
        FindPayingHit();
        seMinProfitHit->SetValue(saved.MinDrawn);
        seMinProfit->SetValue(saved.Profit.toDouble());
        (saved.IndividualProfits ? rbMultiProfit : rbSingleProfit)->setChecked(true);
        ProfitModeClick();
        for (size_t d = 0; d < std::min<size_t>(saved.DrawCount, MaxDraws); ++d)
            StageProfits[d] = saved.Profits[d].count();
        ShowProfits();
    }
    Compute();
    UpdateMenu();
}

void TfrmSysStage::ReportPlan()
{
    if (!HasPlan() || !ExcelAvailable())
        return;
    const TSysStage &plan = *SysStage;
    const std::string header = plan.GetDescription(false) + "#" + " #" + "Parametry:#" +
                               " Liczba skreśleń     : " + std::to_string(plan.K) + "#" +
                               " Ilość liczb         : " + std::to_string(plan.N) + "#" +
                               " Liczba losowań      : " + std::to_string(plan.PlanRows) + "#" +
                               " Minimalne trafienie : " + std::to_string(plan.MinDrawn) + "#";
    RunTablesReport(this, header, 11, {{"System", TReportGrid::Take(*sgSystem)}});
}

void TfrmSysStage::CreateFullSystem()
{
    auto full = std::make_unique<TSysFull>(Game);
    full->SetParams(SpinValue(seN), SpinValue(seK));
    full->Progress.OnProgress = ProgressHandler();
    if (!full->Generate())
        return;
    if (TGenSysForm *window = NewSysWindow(skFull))
        window->OpenSystem(Game, std::move(full));
}

void TfrmSysStage::FormShow()
{
    TGenSysForm::FormShow();
    sgProfit->setColor(SysGridColor);
    sgProfit->setSelectedCellColor(SysSelectedColor);
    sgProfit->setSelectedFontColor(clWindowText);
    sgSystem->setSelectedCellColor(SysSelectedColor);
    sgSystem->setSelectedFontColor(clWindowText);
}

void TfrmSysStage::closeEvent(QCloseEvent *event)
{
    if (Game)
        WriteSettings();
    HitFinder.reset();
    TGenSysForm::closeEvent(event);
}
