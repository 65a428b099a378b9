#include "syswindows/FParSysVar.h"

#include "controls/FloatSpin.h"
#include "core/UComb.h"
#include "core/UGlobalRegistry.h"
#include "engine/UGameMan.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalControls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QScopedValueRollback>

#include <algorithm>

TfrmParSysVar::TfrmParSysVar(QWidget *parent)
    : TGenParSysForm(parent, QStringLiteral("Parametry - System skrócony - zmienny"),
                     {.Count = true, .Hits = false})
{
    platform::setHelpContext(this, 303);
    seCVar = AddParamSpin(QStringLiteral("Ilość liczb &zmiennych:"));
    chkRandom = new QCheckBox(QStringLiteral("System losowy"), GroupBox1);
    AddParamRow(chkRandom);
}

void TfrmParSysVar::Init(const TGameData *Game, int Kind, bool Empty, int AN, bool ARandom, int ACount, int AV,
                         int AK)
{
    if (!Empty) {
        chkRandom->setChecked(ARandom);
        V = AV;
    }
    TGenParSysForm::Init(Game, Kind, Empty, AN, AK, ACount);
}

void TfrmParSysVar::ReadStoredParams()
{
    TGenParSysForm::ReadStoredParams();
    V = ProgramReg.ReadInteger("v", 1);
    chkRandom->setChecked(ProgramReg.ReadBool("Rnd", false));
}

void TfrmParSysVar::WriteStoredParams() const
{
    TGenParSysForm::WriteStoredParams();
    ProgramReg.WriteInteger("v", V);
    ProgramReg.WriteBool("Rnd", Random);
}

void TfrmParSysVar::CorrectParams()
{
    // K and N first, the count within C(N, K); K = 1 (given, or the game's default) becomes 2, N at
    // least K; then V, and the count within its own limit.
    FLimitV = 0;
    TGenParSysForm::CorrectParams();
    if (K == 1) {
        K = 2;
        N = std::max(N, K);
    }
    if (V < 1 || V >= K)
        V = 1;
    FLimitV = V;
    if (Count > MaxCount(N, K))
        Count = 1;
}

void TfrmParSysVar::ShowParams()
{
    seCDraws->SetMinValue(2);
    seCNum->SetMinValue(2);
    seCVar->SetMaxValue(K - 1);
    seCVar->SetValue(V);
    TGenParSysForm::ShowParams();
}

void TfrmParSysVar::UpdateRanges()
{
    {
        const QScopedValueRollback<bool> quiet(FUpdating, true);
        seCVar->SetMaxValue(SpinValue(seCDraws) - 1);
    }
    FLimitV = SpinValue(seCVar);
    TGenParSysForm::UpdateRanges();
}

int64_t TfrmParSysVar::CountLimit(int AN, int AK) const
{
    return Newton[size_t(AN - FLimitV)][size_t(AK - FLimitV)];
}

void TfrmParSysVar::TakeOwnResults()
{
    V = SpinValue(seCVar);
    Random = chkRandom->isChecked();
}
