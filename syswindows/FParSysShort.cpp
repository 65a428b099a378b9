#include "syswindows/FParSysShort.h"

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
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
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>
#include <exception>

namespace {

// Rows of the cost grid.
enum TCostRow : int {
    crAll = 1,
    crReduction,
    crStake,
    crCost,
};

constexpr int StatValueWidth = 110;

// The count is a 32-bit value: a spin allows no more combinations than it can hold.
double MaxCount(int N, int K)
{
    return double(std::min<int64_t>(Newton[size_t(N)][size_t(K)], INT32_MAX));
}

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

TfrmParSysShort::TfrmParSysShort(QWidget *parent) : TFirstShow<QDialog>(parent)
{
    setWindowTitle(QStringLiteral("Parametry - System skrócony - klasyczny"));

    GroupBox1 = new QGroupBox(QStringLiteral("Parametry"), this);
    seCDraws = NewIntSpin(GroupBox1, 1, 1, 1);
    seCNum = NewIntSpin(GroupBox1, 1, 1, 1);
    seCComb = NewIntSpin(GroupBox1, 1, 1, 1);
    seCComb->LargeInc = 10;
    chkRandom = new QCheckBox(QStringLiteral("System losowy"), GroupBox1);
    auto *params = new QGridLayout(GroupBox1);
    const auto addSpin = [&](int Row, const QString &Caption, TFloatSpin *Spin) {
        auto *label = new QLabel(Caption, GroupBox1);
        label->setBuddy(Spin);
        params->addWidget(label, Row, 0);
        params->addWidget(Spin, Row, 1);
    };
    addSpin(0, QStringLiteral("Liczba &skreśleń:"), seCDraws);
    addSpin(1, QStringLiteral("Ilość &liczb:"), seCNum);
    addSpin(2, QStringLiteral("Liczba &kombinacji:"), seCComb);
    params->addWidget(chkRandom, 3, 0, 1, 2);
    seCDraws->OnChange = guardedCall(this, &TfrmParSysShort::seCDrawsChange);
    seCNum->OnChange = guardedCall(this, &TfrmParSysShort::seCNumChange);
    seCComb->OnChange = guardedCall(this, &TfrmParSysShort::seCCombChange);

    sgStat = NewParamGrid(this, 2, 5);
    sgStat->setCells(0, crAll, QStringLiteral("Wszystkich kombinacji"));
    sgStat->setCells(0, crReduction, QStringLiteral("Skrócenie"));
    sgStat->setCells(0, crStake, QStringLiteral("Koszt 1 kombinacji"));
    sgStat->setCells(0, crCost, QStringLiteral("Koszt systemu"));
    SetHeader(sgStat, {QStringLiteral("Parametr"), QStringLiteral("Wartość")}, {122, StatValueWidth});
    sgStat->setScrollBars(ssNone);
    FitGridHeight(sgStat);
    FitGridWidth(sgStat);

    Label4 = new QLabel(QStringLiteral("Gwarancja:"), this);
    sgGuar = NewParamGrid(this, 2, 2);
    sgGuar->setCells(0, 0, QStringLiteral("Traf."));
    sgGuar->setCells(1, 0, QStringLiteral("Wygrana"));
    sgGuar->SetFixedAlignCol(0, alCenter);
    Label4->setBuddy(sgGuar);

    btnOk = new QPushButton(QStringLiteral("&OK"), this);
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    connectGuarded(btnOk, &QPushButton::clicked, this, &TfrmParSysShort::btnOkClick);
    connectGuarded(btnCancel, &QPushButton::clicked, this, &TfrmParSysShort::btnCancelClick);
    actEnter = new QAction(this);
    actEnter->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    connectGuarded(actEnter, &QAction::triggered, this, &TfrmParSysShort::btnOkClick);
    actEsc = new QAction(this);
    actEsc->setShortcut(QKeySequence(Qt::Key_Escape));
    connectGuarded(actEsc, &QAction::triggered, this, &TfrmParSysShort::btnCancelClick);
    addActions({actEnter, actEsc});

    auto *top = new QHBoxLayout;
    top->addWidget(GroupBox1);
    top->addWidget(sgStat, 0, Qt::AlignTop);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Label4);
    layout->addWidget(sgGuar, 1);
    layout->addLayout(buttons);
    resize(ScaledSize(520, 360));
}

std::string TfrmParSysShort::RegistrySection() const
{
    return "Systems\\" + std::to_string(FGame->Info.Id) + "\\" + std::to_string(FKind);
}

void TfrmParSysShort::Init(const TGameData *Game, int AN, bool Empty, bool ARandom, int Kind, int ACount, int AK)
{
    FGame = Game;
    FKind = Kind;
    Ready = false;
    const TGameInfo &info = Game->Info;
    FUpdating = true;
    seCDraws->SetMinValue(1);
    seCDraws->SetMaxValue(info.MaxSize);
    seCNum->SetMinValue(1);
    seCNum->SetMaxValue(info.MaxNumber);
    if (Empty) {
        ReadStoredParams();
    } else {
        chkRandom->setChecked(ARandom);
        K = AK;
        N = AN;
        Count = ACount;
    }
    if (K < 1 || K > info.MaxSize)
        K = info.BetSize;
    if (info.BetSize > N || N > info.MaxNumber)
        N = info.BetSize;
    if (K > N)
        N = K;
    if (Count < 1 || Count > MaxCount(N, K))
        Count = 1;
    seCDraws->SetValue(K);
    seCNum->SetMinValue(K);
    seCNum->SetValue(N);
    seCComb->SetMaxValue(MaxCount(N, K));
    seCComb->SetValue(Count);
    FUpdating = false;
    Ready = true;
    Refresh(true);
}

void TfrmParSysShort::ReadStoredParams()
{
    const TGameInfo &info = FGame->Info;
    ProgramReg.SetSection(RegistrySection());
    K = ProgramReg.ReadInteger("k", info.BetSize);
    N = ProgramReg.ReadInteger("n", info.BetSize);
    Count = ProgramReg.ReadInteger("Ns", 1);
    chkRandom->setChecked(ProgramReg.ReadBool("Rnd", false));
}

void TfrmParSysShort::FormShow()
{
    if (FGame) {
        sgStat->setCells(1, crStake, MoneyText(FGame->Info.BasicStake));
        FitStatValues();
    }
}

bool TfrmParSysShort::FieldsComplete() const
{
    for (const TFloatSpin *spin : {seCDraws, seCNum, seCComb})
        if (spin->Value() < spin->MinValue())
            return false;
    return true;
}

void TfrmParSysShort::seCDrawsChange()
{
    if (Ready && !FUpdating && FieldsComplete())
        Refresh(true);
}

void TfrmParSysShort::seCNumChange()
{
    if (Ready && !FUpdating && FieldsComplete())
        Refresh(true);
}

void TfrmParSysShort::seCCombChange()
{
    if (Ready && !FUpdating && FieldsComplete())
        Refresh(false);
}

void TfrmParSysShort::CommitFields()
{
    {
        const QScopedValueRollback<bool> quiet(FUpdating, true);
        seCDraws->Commit();
        UpdateRanges();
        seCNum->Commit();
        UpdateRanges();
        seCComb->Commit();
    }
    Refresh(false);
}

void TfrmParSysShort::Refresh(bool Ranges)
{
    try {
        if (Ranges)
            UpdateRanges();
        ShowHits();
        ShowCost();
    } catch (const std::exception &error) {
        qWarning("classic system parameters: %s", error.what());
    }
}

void TfrmParSysShort::UpdateRanges()
{
    const int k = SpinValue(seCDraws);
    const QScopedValueRollback<bool> quiet(FUpdating, true);
    if (SpinValue(seCNum) < k)
        seCNum->SetValue(k);
    seCNum->SetMinValue(k);
    seCComb->SetMaxValue(MaxCount(SpinValue(seCNum), k));
}

void TfrmParSysShort::ShowCost()
{
    const int k = SpinValue(seCDraws);
    const int count = SpinValue(seCComb);
    const int64_t all = Newton[size_t(SpinValue(seCNum))][size_t(k)];
    sgStat->setCells(1, crAll, CountText(all));
    sgStat->setCells(1, crReduction, ReductionText(double(count) / double(all)));
    sgStat->setCells(1, crCost, CostText(SystemCost(FGame->Info, k, count)));
    FitStatValues();
}

void TfrmParSysShort::FitStatValues()
{
    SetColWidth(sgStat, 1, StatValueWidth, ColTexts(sgStat, 1));
    FitGridWidth(sgStat);
}

void TfrmParSysShort::ShowHits()
{
    const int n = SpinValue(seCNum);
    const int k = SpinValue(seCDraws);
    const double scale = double(Newton[size_t(n)][size_t(k)]) / SpinValue(seCComb);
    ShowHitTable(sgGuar, FullSystemHits(FGame->Info, n, k), scale);
}

void TfrmParSysShort::btnOkClick()
{
    CommitFields();
    N = SpinValue(seCNum);
    K = SpinValue(seCDraws);
    Count = SpinValue(seCComb);
    if (!SystemCost(FGame->Info, K, Count)) {
        MsgBox(QStringLiteral("Koszt takiego systemu przekracza zakres kwot programu."), QString(), MsgFlagsNotice);
        return;
    }
    Random = chkRandom->isChecked();
    ProgramReg.SetSection(RegistrySection());
    ProgramReg.WriteInteger("k", K);
    ProgramReg.WriteInteger("n", N);
    ProgramReg.WriteInteger("Ns", Count);
    ProgramReg.WriteBool("Rnd", Random);
    done(1);
}

void TfrmParSysShort::btnCancelClick()
{
    done(2);
}
