#include "syswindows/FParSysGuar.h"

#include "controls/FloatSpin.h"
#include "engine/UGameMan.h"
#include "engine/USysGuar.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalControls.h"
#include "shell/ParamsRecord.h"

#include <QScopedValueRollback>

#include <algorithm>

platform::Bytes WriteGuarParams(const TGuarParams &Params)
{
    platform::ByteWriter record;
    record.put<uint8_t>(1);
    for (int value : {Params.N, Params.K, Params.G, Params.H})
        record.put<uint8_t>(uint8_t(value));
    return record.take();
}

std::optional<TGuarParams> ReadGuarParams(const platform::Bytes &Record)
{
    if (Record.size() < TGuarParams::Size || Record[0] != 1)
        return std::nullopt;
    return TGuarParams{Record[1], Record[2], Record[3], Record[4]};
}

TfrmParSysGuar::TfrmParSysGuar(QWidget *parent)
    : TGenParSysForm(parent, QStringLiteral("Parametry - System skrócony - klasyczny"),
                     {.Count = false, .Hits = false, .Estimate = true})
{
    platform::setHelpContext(this, 308);
    seGuarHit = AddParamSpin(QStringLiteral("Gwarancja:"));
    seHit = AddParamSpin(QStringLiteral("Liczba trafień:"));
}

void TfrmParSysGuar::Init(const TGameData *Game, int Kind, bool Empty, int AN, int AK, int AG, int AH)
{
    if (!Empty) {
        G = AG;
        H = AH;
    }
    TGenParSysForm::Init(Game, Kind, Empty, AN, AK);
}

void TfrmParSysGuar::ReadStoredParams()
{
    const TStoredRecord stored = ReadParamsRecord(RegistrySection(), TGuarParams::Size);
    if (const std::optional<TGuarParams> params = ReadGuarParams(stored.Bytes); params) {
        N = params->N;
        K = params->K;
        G = params->G;
        H = params->H;
        return;
    }
    K = FGame->Info.BetSize == 1 ? 3 : FGame->Info.BetSize;
    N = K + 2;
    G = 2;
    H = 2;
}

void TfrmParSysGuar::WriteStoredParams() const
{
    WriteParamsRecord(RegistrySection(), WriteGuarParams({N, K, G, H}));
}

void TfrmParSysGuar::CorrectParams()
{
    TGenParSysForm::CorrectParams();
    const int drawn = FGame->Info.Drawn;
    G = std::clamp(G, 1, std::min(K, drawn));
    if (H > N || H > drawn)
        H = N;
    H = std::clamp(H, G, std::min(N, drawn));
}

void TfrmParSysGuar::ShowParams()
{
    TGenParSysForm::ShowParams();
    seGuarHit->SetMaxValue(FGame->Info.MaxSize);
    seHit->SetMaxValue(FGame->Info.Drawn);
    seGuarHit->SetValue(G);
    seHit->SetValue(H);
    UpdateRanges();
}

void TfrmParSysGuar::UpdateRanges()
{
    TGenParSysForm::UpdateRanges();
    const QScopedValueRollback<bool> quiet(FUpdating, true);
    const int drawn = FGame->Info.Drawn;
    // More guaranteed hits than numbers drawn cannot be had.
    seGuarHit->SetMaxValue(std::min(SpinValue(seCDraws), drawn));
    seGuarHit->SetValue(std::min(SpinValue(seGuarHit), int(seGuarHit->MaxValue())));
    const int g = SpinValue(seGuarHit);
    seHit->SetMinValue(g);
    seHit->SetMaxValue(std::min(SpinValue(seCNum), drawn));
    seHit->SetValue(std::clamp(SpinValue(seHit), g, int(seHit->MaxValue())));
}

std::optional<int64_t> TfrmParSysGuar::CostedCombinations() const
{
    return GuarMinCombs(SpinValue(seCNum), SpinValue(seCDraws), SpinValue(seGuarHit), SpinValue(seHit));
}

void TfrmParSysGuar::TakeOwnResults()
{
    G = SpinValue(seGuarHit);
    H = SpinValue(seHit);
}
