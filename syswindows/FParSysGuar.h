#pragma once
// The parameters of a guaranteed system: how many numbers, how many per combination, how many hits are
// guaranteed and among how many drawn numbers, with the estimated size and cost of such a system. The
// last values are kept per game as a 5-byte record.

#include "syswindows/FParSysGeneral.h"

#include "platform/ByteStream.h"

// The stored record: valid byte (1 once written), N, K, G, H.
struct TGuarParams {
    static constexpr size_t Size = 5;
    int N = 0;
    int K = 0;
    int G = 0;
    int H = 0;
};
platform::Bytes WriteGuarParams(const TGuarParams &Params);
// The values of a valid record; nothing for a missing or unwritten one.
std::optional<TGuarParams> ReadGuarParams(const platform::Bytes &Record);

class TfrmParSysGuar : public TGenParSysForm {
    Q_OBJECT

public:
    explicit TfrmParSysGuar(QWidget *parent = nullptr);

    // Empty: the window holds no system yet, so the dialog starts from the record kept for the game and
    // Kind; otherwise from AN, AK, AG and AH. Values out of range are corrected.
    void Init(const TGameData *Game, int Kind, bool Empty, int AN, int AK, int AG, int AH);

    // The results after OK, besides N and K.
    int G = 2;
    int H = 2;

    TFloatSpin *seGuarHit; // G
    TFloatSpin *seHit;     // H

protected:
    void ReadStoredParams() override;
    void WriteStoredParams() const override;
    void CorrectParams() override;
    void ShowParams() override;
    // Besides the base's: G at most K (and the drawn count), H from G to N (and the drawn count).
    void UpdateRanges() override;
    // The size no covering of these parameters can go below.
    std::optional<int64_t> CostedCombinations() const override;
    void TakeOwnResults() override;
};
