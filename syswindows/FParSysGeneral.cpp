#include "syswindows/FParSysGeneral.h"

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/Currency.h"
#include "core/UComb.h"
#include "core/UGlobalRegistry.h"
#include "engine/UGameMan.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalMessages.h"
#include "shell/GuardedConnect.h"
#include "syswindows/FSysGeneralLayout.h"
#include "syswindows/SysFormats.h"
#include "syswindows/SysHitTable.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace {

constexpr int StatValueWidth = 110;

// A parameter grid: a fixed header row and a fixed caption column, in the system grids' colours.
TStringAlignGrid *NewParamGrid(QWidget *Parent, int Cols, int Rows)
{
    auto *grid = NewGrid(Parent, Cols, Rows, 1, 1);
    grid->setColor(SysGridColor);
    grid->setSelectedCellColor(SysSelectedColor);
    grid->setSelectedFontColor(clWindowText);
    return grid;
}

} // namespace

TGenParSysForm::TGenParSysForm(QWidget *parent, const QString &Caption, TParts Parts) : TFirstShow<QDialog>(parent)
{
    setWindowTitle(Caption);

    GroupBox1 = new QGroupBox(QStringLiteral("Parametry"), this);
    FParams = new QGridLayout(GroupBox1);
    if (!Parts.OwnSpins) {
        seCDraws = AddParamSpin(QStringLiteral("Liczba &skreśleń:"));
        seCNum = AddParamSpin(QStringLiteral("Ilość &liczb:"));
    }
    if (Parts.Count) {
        seCComb = AddParamSpin(QStringLiteral("Liczba &kombinacji:"));
        seCComb->LargeInc = 10;
    }

    QStringList rows = Parts.LeadRows;
    FRowAll = int(rows.size()) + 1;
    rows << QStringLiteral("Wszystkich kombinacji");
    if (Parts.Estimate) {
        FRowEstimate = int(rows.size()) + 1;
        rows << QStringLiteral("Szac. liczba kombinacji");
    }
    if (Parts.Count || Parts.Reduction || Parts.Estimate) {
        FRowReduction = int(rows.size()) + 1;
        rows << (Parts.Estimate ? QStringLiteral("Szac. skrócenie") : QStringLiteral("Skrócenie"));
    }
    FRowStake = int(rows.size()) + 1;
    FRowCost = FRowStake + 1;
    rows << QStringLiteral("Koszt 1 kombinacji")
         << (Parts.Estimate ? QStringLiteral("Szac. koszt systemu") : QStringLiteral("Koszt systemu"));
    sgStat = NewParamGrid(this, 2, int(rows.size()) + 1);
    for (int row = 1; row <= rows.size(); ++row)
        sgStat->setCells(0, row, rows[row - 1]);
    SetHeader(sgStat, {QStringLiteral("Parametr"), QStringLiteral("Wartość")}, {122, StatValueWidth});
    sgStat->setScrollBars(ssNone);
    FitGridHeight(sgStat);
    FitGridWidth(sgStat);

    FWholeHits = Parts.WholeHits;
    if (Parts.Hits) {
        Label4 = new QLabel(QStringLiteral("Gwarancja:"), this);
        sgGuar = NewParamGrid(this, 2, 2);
        sgGuar->setCells(0, 0, QStringLiteral("Traf."));
        sgGuar->setCells(1, 0, QStringLiteral("Wygrana"));
        sgGuar->SetFixedAlignCol(0, alCenter);
        Label4->setBuddy(sgGuar);
    }

    btnOk = new QPushButton(QStringLiteral("&OK"), this);
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    connectGuarded(btnOk, &QPushButton::clicked, this, &TGenParSysForm::btnOkClick);
    connectGuarded(btnCancel, &QPushButton::clicked, this, &TGenParSysForm::btnCancelClick);
    actEnter = new QAction(this);
    actEnter->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    connectGuarded(actEnter, &QAction::triggered, this, &TGenParSysForm::btnOkClick);
    actEsc = new QAction(this);
    actEsc->setShortcut(QKeySequence(Qt::Key_Escape));
    connectGuarded(actEsc, &QAction::triggered, this, &TGenParSysForm::btnCancelClick);
    addActions({actEnter, actEsc});

    auto *top = new QHBoxLayout;
    top->addWidget(GroupBox1, 0, Qt::AlignTop);
    top->addWidget(sgStat, 0, Qt::AlignTop);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    if (sgGuar) {
        layout->addWidget(Label4);
        layout->addWidget(sgGuar, 1);
    } else {
        layout->addStretch(1);
    }
    layout->addLayout(buttons);
    resize(sgGuar ? ScaledSize(520, 360) : ScaledSize(460, 200));
}

TFloatSpin *TGenParSysForm::AddParamSpin(const QString &Caption, QGridLayout *Into)
{
    QGridLayout *rows = Into ? Into : FParams;
    auto *spin = NewIntSpin(GroupBox1, 1, 1, 1);
    auto *label = new QLabel(Caption, GroupBox1);
    label->setBuddy(spin);
    const int row = rows->rowCount();
    rows->addWidget(label, row, 0);
    rows->addWidget(spin, row, 1);
    spin->OnChange = guardedCall([this, spin] { SpinChanged(spin); });
    FSpins.push_back(spin);
    FollowInTabOrder(spin);
    return spin;
}

void TGenParSysForm::AddParamRow(QWidget *Widget)
{
    FParams->addWidget(Widget, FParams->rowCount(), 0, 1, 2);
    FollowInTabOrder(Widget);
}

void TGenParSysForm::FollowInTabOrder(QWidget *Widget)
{
    if (FLastParam)
        QWidget::setTabOrder(FLastParam, Widget);
    FLastParam = Widget;
}

std::string TGenParSysForm::RegistrySection() const
{
    return "Systems\\" + std::to_string(FGame->Info.Id) + "\\" + std::to_string(FKind);
}

double TGenParSysForm::MaxCount(int AN, int AK) const
{
    return double(std::min<int64_t>(CountLimit(AN, AK), INT32_MAX));
}

int64_t TGenParSysForm::CountLimit(int AN, int AK) const
{
    return Newton[size_t(AN)][size_t(AK)];
}

int64_t TGenParSysForm::AllCombinations() const
{
    return Newton[size_t(SystemN())][size_t(SystemK())];
}

int TGenParSysForm::SystemN() const
{
    return SpinValue(seCNum);
}

int TGenParSysForm::SystemK() const
{
    return SpinValue(seCDraws);
}

int64_t TGenParSysForm::SystemCount() const
{
    return seCComb ? SpinValue(seCComb) : AllCombinations();
}

void TGenParSysForm::Init(const TGameData *Game, int Kind, bool Empty, int AN, int AK, int ACount)
{
    FGame = Game;
    FKind = Kind;
    Ready = false;
    const TGameInfo &info = Game->Info;
    {
        const QScopedValueRollback<bool> quiet(FUpdating, true);
        seCDraws->SetMinValue(1);
        seCDraws->SetMaxValue(info.MaxSize);
        seCNum->SetMinValue(1);
        seCNum->SetMaxValue(info.MaxNumber);
        if (Empty) {
            ReadStoredParams();
        } else {
            N = AN;
            K = AK;
            Count = ACount;
        }
        CorrectParams();
        ShowParams();
    }
    sgStat->setCells(1, FRowStake, MoneyText(info.BasicStake));
    Ready = true;
    Refresh(true);
}

void TGenParSysForm::ReadStoredParams()
{
    const TGameInfo &info = FGame->Info;
    ProgramReg.SetSection(RegistrySection());
    K = ProgramReg.ReadInteger("k", info.BetSize);
    N = ProgramReg.ReadInteger("n", info.BetSize);
    if (seCComb)
        Count = ProgramReg.ReadInteger("Ns", 1);
}

void TGenParSysForm::WriteStoredParams() const
{
    ProgramReg.SetSection(RegistrySection());
    ProgramReg.WriteInteger("k", K);
    ProgramReg.WriteInteger("n", N);
    if (seCComb)
        ProgramReg.WriteInteger("Ns", Count);
}

void TGenParSysForm::CorrectParams()
{
    const TGameInfo &info = FGame->Info;
    if (K < 1 || K > info.MaxSize)
        K = info.BetSize;
    if (info.BetSize > N || N > info.MaxNumber)
        N = info.BetSize;
    if (K > N)
        N = K;
    if (Count < 1 || Count > MaxCount(N, K))
        Count = 1;
}

void TGenParSysForm::ShowParams()
{
    seCDraws->SetValue(K);
    seCNum->SetMinValue(K);
    seCNum->SetValue(N);
    if (seCComb) {
        seCComb->SetMaxValue(MaxCount(N, K));
        seCComb->SetValue(Count);
    }
}

bool TGenParSysForm::FieldsComplete() const
{
    return std::all_of(FSpins.begin(), FSpins.end(),
                       [](const TFloatSpin *Spin) { return Spin->Value() >= Spin->MinValue(); });
}

void TGenParSysForm::SpinChanged(const TFloatSpin *Spin)
{
    if (Ready && !FUpdating && FieldsComplete())
        Refresh(Spin != seCComb, Spin);
}

void TGenParSysForm::CommitFields()
{
    {
        const QScopedValueRollback<bool> quiet(FUpdating, true);
        for (TFloatSpin *spin : FSpins) {
            spin->Commit();
            UpdateRanges();
        }
    }
    Refresh(false);
}

void TGenParSysForm::Refresh(bool Ranges, const TFloatSpin *Edited)
{
    try {
        if (Edited) {
            const QScopedValueRollback<bool> quiet(FUpdating, true);
            SpinEdited(Edited);
        }
        if (Ranges)
            UpdateRanges();
        if (sgGuar)
            ShowHits();
        ShowCost();
        ShowOwnFigures();
        FitStatValues();
    } catch (const std::exception &error) {
        qWarning("system parameters: %s", error.what());
    }
}

void TGenParSysForm::UpdateRanges()
{
    const int k = SpinValue(seCDraws);
    const QScopedValueRollback<bool> quiet(FUpdating, true);
    if (SpinValue(seCNum) < k)
        seCNum->SetValue(k);
    seCNum->SetMinValue(k);
    if (seCComb)
        seCComb->SetMaxValue(MaxCount(SpinValue(seCNum), k));
}

std::optional<int64_t> TGenParSysForm::CostedCombinations() const
{
    return SystemCount();
}

std::optional<double> TGenParSysForm::HitScale() const
{
    return double(AllCombinations()) / double(SystemCount());
}

void TGenParSysForm::ShowCost()
{
    const int64_t all = AllCombinations();
    sgStat->setCells(1, FRowAll, CountText(all));
    const std::optional<int64_t> costed = CostedCombinations();
    if (FRowEstimate >= 0)
        sgStat->setCells(1, FRowEstimate, costed ? CountText(*costed) : QString());
    if (FRowReduction >= 0) {
        const std::optional<int64_t> reduced = FRowEstimate >= 0 ? costed : std::optional<int64_t>(SystemCount());
        sgStat->setCells(1, FRowReduction, reduced ? ReductionText(double(*reduced) / double(all)) : QString());
    }
    sgStat->setCells(1, FRowCost, costed ? CostText(CostOf(SystemK(), *costed)) : QString());
    FitStatValues();
}

std::optional<Currency> TGenParSysForm::CostOf(int AK, int64_t Combinations) const
{
    if (Combinations > INT32_MAX)
        return std::nullopt;
    return SystemCost(FGame->Info, AK, int32_t(Combinations));
}

void TGenParSysForm::FitStatValues()
{
    SetColWidth(sgStat, 1, StatValueWidth, ColTexts(sgStat, 1));
    FitGridWidth(sgStat);
}

void TGenParSysForm::ShowHits()
{
    const std::optional<double> scale = HitScale();
    if (!scale) {
        sgGuar->ClearRows(1, -1);
        sgGuar->setRowCount(2);
        return;
    }
    ShowHitTable(sgGuar, FullSystemHits(FGame->Info, SystemN(), SystemK()), *scale, FWholeHits);
}

void TGenParSysForm::btnOkClick()
{
    CommitFields();
    N = SpinValue(seCNum);
    K = SpinValue(seCDraws);
    if (seCComb)
        Count = SpinValue(seCComb);
    if (!AcceptParams())
        return;
    if (const std::optional<int64_t> costed = CostedCombinations(); costed && !CostOf(SystemK(), *costed)) {
        MsgBox(QStringLiteral("Koszt takiego systemu przekracza zakres kwot programu."), QString(), MsgFlagsNotice);
        return;
    }
    TakeOwnResults();
    WriteStoredParams();
    done(1);
}

void TGenParSysForm::btnCancelClick()
{
    done(2);
}
