#pragma once
// Reference filters: how many numbers a combination shares with a chosen combination (TFltComb), and
// whether it shares a given count with at least one past draw of a draws range (TFltDBCN).

#include "engine/CommonNumbersCounter.h"
#include "engine/UDrawsRange.h"
#include "engine/UFilters.h"
#include "engine/UStatDrawsMan.h"

#include <cstdint>
#include <string>

// The reference numbers (RefCount of them) and the count of common numbers. RefFlags is built from
// RefNumbers when the condition is added. Stored as RefCount u32, the numbers, then the count block.
struct TCombCond {
    TDynByteArr RefNumbers;
    int32_t RefCount = 0;
    TDynBoolArr RefFlags; // entry n - 1 True for each reference number n
    TRangeBlock Count;
};

class TFltComb : public TCondFilter<TCombCond> {
public:
    TFltComb(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);

    // The game's highest number: the most reference numbers.
    int32_t MaxNumber() const;

    std::string GetName() const override;
    std::string GetDescription() const override;
    bool SameAs(const TFilter &Other) const override;
    bool Test(const uint8_t *Comb) override;

protected:
    void ReadParams(platform::ByteReader &Stream, TCombCond &Cond) override;
    void WriteParams(platform::ByteWriter &Stream, const TCombCond &Cond) const override;
    // The reference keeps its first RefCount numbers that lie within 1..MaxNumber and repeat none of
    // the earlier ones; RefCount follows it. Then the count block.
    void ClampParams(TCombCond &Cond) const override;
    void NormaliseCondition(TCombCond &Cond) const override;
};

// A draws range and the count of numbers shared with one of its draws. RangeDraws holds the range's
// draws from TakeDraws to Finish, Common counts over them from Prepare to Finish. Stored as the 116-byte
// range record, then the count block.
struct TDBCNCond {
    TDrawsRange Range;
    TRangeBlock Count;
    TStatDraws RangeDraws;
    TCommonNumbersCounter Common;
};

class TFltDBCN : public TCondFilter<TDBCNCond> {
public:
    TFltDBCN(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);

    // The smaller of the game's numbers drawn and K: the "all" count.
    int32_t MaxCount() const;

    // The range record, the count block and DrawsManager.
    void Assign(const TFilter &Source) override;
    std::string GetName() const override;
    std::string GetDescription() const override;
    bool SameAs(const TFilter &Other) const override;
    // Copies the draws of every condition's range from DrawsManager (whose marks are left alone); without
    // a manager no condition has draws.
    void TakeDraws() override;
    // Counts over the draws taken; DrawsManager is not read. std::logic_error when TakeDraws has not run
    // since the last Finish, so a forgotten step fails loudly instead of rejecting every combination.
    void Prepare() override;
    // A condition holds when some draw of its range shares between min and max numbers with Comb; a
    // range without draws never holds, nor one whose draws were not taken and counted.
    bool Test(const uint8_t *Comb) override;
    void Finish() override;
    void SetDrawsManager(const TDrawsManager *Manager) override;

    const TDrawsManager *DrawsManager = nullptr;

protected:
    // The range record is repaired after reading.
    void ReadParams(platform::ByteReader &Stream, TDBCNCond &Cond) override;
    void WriteParams(platform::ByteWriter &Stream, const TDBCNCond &Cond) const override;
    void ClampParams(TDBCNCond &Cond) const override;
    void NormaliseCondition(TDBCNCond &Cond) const override;

private:
    bool DrawsTaken = false;
};
