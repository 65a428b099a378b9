#include "syswindows/FParSysFullComp.h"

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramParams.h"
#include "core/UComb.h"
#include "core/UGlobalRegistry.h"
#include "engine/UGameMan.h"
#include "engine/USysFullCompGuaranty.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalMessages.h"
#include "syswindows/SysFormats.h"
#include "syswindows/SysHitTable.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>

#include <utility>

namespace {

// Rows of the cost grid above the common ones.
constexpr int RowSumK = 1;
constexpr int RowSumN = 2;

QLineEdit *NewCountEdit(QWidget *Parent)
{
    auto *edit = new QLineEdit(Parent);
    edit->setReadOnly(true);
    return edit;
}

} // namespace

TfrmParSysFullComp::TfrmParSysFullComp(QWidget *parent)
    : TGenParSysForm(parent, QStringLiteral("Parametry - System pełny - złożony"),
                     {.Count = false,
                      .Hits = true,
                      .Reduction = true,
                      .OwnSpins = true,
                      .LeadRows = {QStringLiteral("Suma skreśleń"), QStringLiteral("Suma liczb")}})
{
    platform::setHelpContext(this, 306);
    const auto addPart = [this](const QString &Caption, const QString &NumCaption, const QString &DrawsCaption,
                                TFloatSpin *&Num, TFloatSpin *&Draws, QLineEdit *&Comb) {
        auto *group = new QGroupBox(Caption, GroupBox1);
        auto *rows = new QGridLayout(group);
        Num = AddParamSpin(NumCaption, rows);
        Draws = AddParamSpin(DrawsCaption, rows);
        Comb = NewCountEdit(group);
        rows->addWidget(new QLabel(QStringLiteral("Liczba kombinacji:"), group), rows->rowCount(), 0);
        rows->addWidget(Comb, rows->rowCount() - 1, 1);
        AddParamRow(group);
        return group;
    };
    gbSys1 = addPart(QStringLiteral("Parametry dla 1 systemu pełnego"), QStringLiteral("I&lość liczb:"),
                     QStringLiteral("L&iczba skreśleń:"), seCNum, seCDraws, eCComb1);
    gbSys2 = addPart(QStringLiteral("Parametry dla 2 systemu pełnego"), QStringLiteral("Ilość licz&b:"),
                     QStringLiteral("Liczba &skreśleń:"), seCNum2, seCDraws2, eCComb2);
    AddParamRow(new QLabel(QStringLiteral("Liczba kombinacji połączonych systemów pełnych:"), GroupBox1));
    eCCombSyst = NewCountEdit(GroupBox1);
    AddParamRow(eCCombSyst);
    // The two parts stand above the hit table.
    resize(ScaledSize(560, 620));
}

void TfrmParSysFullComp::Init(const TGameData *Game, int Kind, bool Empty, int AN1, int AK1, int AN2, int AK2)
{
    N2 = AN2;
    K2 = AK2;
    TGenParSysForm::Init(Game, Kind, Empty, AN1, AK1);
}

void TfrmParSysFullComp::ReadStoredParams()
{
    ProgramReg.SetSection(RegistrySection());
    K = ProgramReg.ReadInteger("k1", 1);
    K2 = ProgramReg.ReadInteger("k2", 1);
    N = ProgramReg.ReadInteger("n1", 1);
    N2 = ProgramReg.ReadInteger("n2", 1);
}

void TfrmParSysFullComp::WriteStoredParams() const
{
    ProgramReg.SetSection(RegistrySection());
    ProgramReg.WriteInteger("n1", N);
    ProgramReg.WriteInteger("k1", K);
    ProgramReg.WriteInteger("n2", N2);
    ProgramReg.WriteInteger("k2", K2);
}

void TfrmParSysFullComp::CorrectParams()
{
    const TGameInfo &info = FGame->Info;
    const int maxSize = info.MaxSize;
    const int maxNumber = info.MaxNumber;
    if (K < 1 || K >= maxSize)
        K = 1;
    if (K2 < 1 || K2 >= maxSize)
        K2 = 1;
    if (K + K2 > maxSize)
        K2 = maxSize - K;
    if (N < K || N >= maxNumber)
        N = K;
    if (N2 < K2 || N2 >= maxNumber)
        N2 = K2;
    if (N + N2 > maxNumber)
        N2 = K2;
    if (N + N2 > maxNumber)
        N = K;
}

void TfrmParSysFullComp::ShowParams()
{
    const TGameInfo &info = FGame->Info;
    for (TFloatSpin *draws : {seCDraws, seCDraws2})
        draws->SetMaxValue(info.MaxSize - 1);
    for (TFloatSpin *num : {seCNum, seCNum2})
        num->SetMaxValue(info.MaxNumber - 1);
    seCDraws->SetValue(K);
    seCDraws2->SetValue(K2);
    seCNum->SetMinValue(K);
    seCNum->SetValue(N);
    seCNum2->SetMinValue(K2);
    seCNum2->SetValue(N2);
}

void TfrmParSysFullComp::UpdateRanges()
{
    const QScopedValueRollback<bool> quiet(FUpdating, true);
    const int maxNumber = FGame->Info.MaxNumber;
    for (auto [num, draws] : {std::pair{seCNum, seCDraws}, std::pair{seCNum2, seCDraws2}}) {
        if (SpinValue(num) < SpinValue(draws))
            num->SetValue(SpinValue(draws));
        num->SetMinValue(SpinValue(draws));
    }
    // Each part leaves the other's numbers free; the first part, raised with its K, pushes the second down.
    seCNum2->SetMaxValue(maxNumber - SpinValue(seCNum));
    seCNum->SetMaxValue(maxNumber - SpinValue(seCNum2));
    eCComb1->setText(CountText(Newton[size_t(SpinValue(seCNum))][size_t(SpinValue(seCDraws))]));
    eCComb2->setText(CountText(Newton[size_t(SpinValue(seCNum2))][size_t(SpinValue(seCDraws2))]));
}

int TfrmParSysFullComp::SystemN() const
{
    return SpinValue(seCNum) + SpinValue(seCNum2);
}

int TfrmParSysFullComp::SystemK() const
{
    return SpinValue(seCDraws) + SpinValue(seCDraws2);
}

int64_t TfrmParSysFullComp::SystemCount() const
{
    return Newton[size_t(SpinValue(seCNum))][size_t(SpinValue(seCDraws))] *
           Newton[size_t(SpinValue(seCNum2))][size_t(SpinValue(seCDraws2))];
}

bool TfrmParSysFullComp::Listed() const
{
    return SystemCount() <= Limits.MaxComb;
}

std::optional<int64_t> TfrmParSysFullComp::CostedCombinations() const
{
    if (!Listed())
        return std::nullopt;
    return SystemCount();
}

void TfrmParSysFullComp::ShowHits()
{
    TFCSGuaranty hits(FGame, {}, uint8_t(SpinValue(seCNum)), uint8_t(SpinValue(seCDraws)),
                      uint8_t(SpinValue(seCNum2)), uint8_t(SpinValue(seCDraws2)));
    if (!Listed() || !hits.Calculate())
        hits.Rows.clear();
    ShowCompositeHitTable(sgGuar, hits.HitInfo, hits.Rows, {.LevelWidth = 50, .LevelStep = -1, .WinWidth = 115});
}

void TfrmParSysFullComp::ShowOwnFigures()
{
    sgStat->setCells(1, RowSumK, QString::number(SystemK()));
    sgStat->setCells(1, RowSumN, QString::number(SystemN()));
    eCCombSyst->setText(CountText(SystemCount()));
}

void TfrmParSysFullComp::SpinEdited(const TFloatSpin *Spin)
{
    const int maxSize = FGame->Info.MaxSize;
    if (Spin == seCDraws && SpinValue(seCDraws) + SpinValue(seCDraws2) > maxSize)
        seCDraws2->SetValue(maxSize - SpinValue(seCDraws));
    else if (Spin == seCDraws2 && SpinValue(seCDraws) + SpinValue(seCDraws2) > maxSize)
        seCDraws->SetValue(maxSize - SpinValue(seCDraws2));
}

bool TfrmParSysFullComp::AcceptParams()
{
    if (Listed())
        return true;
    MsgBox(QStringLiteral("Liczba kombinacji w systemie pełnym  - złożonym nie może być większa niż ") +
               QString::number(Limits.MaxComb),
           QString(), MsgFlagsNotice);
    return false;
}

void TfrmParSysFullComp::TakeOwnResults()
{
    N2 = SpinValue(seCNum2);
    K2 = SpinValue(seCDraws2);
}
