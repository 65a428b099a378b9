#pragma once
// Count filters: how many numbers of a combination are even, odd, prime, within a range, or have a
// chosen digit, and how many differences between neighbouring numbers lie within a range.

#include "engine/FilterDigitSet.h"
#include "engine/UFilters.h"

#include <array>
#include <cstdint>
#include <string>

// A count block and the block that narrows what is counted: the scope of numbers, or the range of
// differences. Stored as the second block, then the count block.
struct TCountCond {
    TRangeBlock Count;
    TRangeBlock Scope;

    bool operator==(const TCountCond &) const = default;
};

// A filter whose conditions are count records: their stream order and their comparison.
class TCountCondFilter : public TCondFilter<TCountCond> {
public:
    using TCondFilter::TCondFilter;

    bool SameAs(const TFilter &Other) const override;

protected:
    void ReadParams(platform::ByteReader &Stream, TCountCond &Cond) override;
    void WriteParams(platform::ByteWriter &Stream, const TCountCond &Cond) const override;
};

// How many numbers of the combination within From..To have the kind's property.
class TFltScopeCount : public TCountCondFilter {
public:
    // Pool numbers within From..To with the property, counted upward and no further than K.
    uint32_t MaxCountInRange(int32_t From, int32_t To) const;

    std::string GetDescription() const override;
    bool Test(const uint8_t *Comb) override;

protected:
    // HasProperty(n) tells whether n is counted; CountLabel opens the description; a scope mode that
    // is not kept becomes ScopeFallback; an "at most" count asks for at least AtMostMin numbers.
    TFltScopeCount(uint32_t Kind, const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers,
                   bool (*HasProperty)(uint8_t), const char *CountLabel, uint8_t ScopeFallback, int32_t AtMostMin);

    void ClampParams(TCountCond &Cond) const override;
    void NormaliseCondition(TCountCond &Cond) const override;

private:
    std::array<uint8_t, 256> Counted{};
    const char *CountLabel;
    uint8_t ScopeFallback;
    int32_t AtMostMin;
};

class TFltPar : public TFltScopeCount {
public:
    TFltPar(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);
    std::string GetName() const override;
};

class TFltNPar : public TFltScopeCount {
public:
    TFltNPar(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);
    std::string GetName() const override;
};

class TFltFirst : public TFltScopeCount {
public:
    TFltFirst(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);
    std::string GetName() const override;
};

class TFltInt : public TFltScopeCount {
public:
    TFltInt(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);
    std::string GetName() const override;
};

// DigitKind 0 counts by the first (tens) digit, 1 by the second (last) digit; Flags are built from
// Digits when the condition is added.
struct TDigitCountCond {
    uint8_t DigitKind = 0;
    TRangeBlock Count;
    std::string Digits;
    TDigitFlags Flags{};

    bool operator==(const TDigitCountCond &) const = default;
};

// How many numbers of the combination have their first or second digit in the digit set.
class TFltDigit : public TCondFilter<TDigitCountCond> {
public:
    TFltDigit(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);

    int32_t MaxCount() const;

    std::string GetName() const override;
    std::string GetDescription() const override;
    bool SameAs(const TFilter &Other) const override;
    bool Test(const uint8_t *Comb) override;

protected:
    void ReadParams(platform::ByteReader &Stream, TDigitCountCond &Cond) override;
    void WriteParams(platform::ByteWriter &Stream, const TDigitCountCond &Cond) const override;
    void ClampParams(TDigitCountCond &Cond) const override;
    void NormaliseCondition(TDigitCountCond &Cond) const override;
};

// How many differences between neighbouring numbers lie within the difference block (Scope).
class TFltDiffs : public TCountCondFilter {
public:
    TFltDiffs(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);

    int32_t MaxCount() const;
    int32_t MaxDiff() const;

    std::string GetName() const override;
    std::string GetDescription() const override;
    // A combination of one number has no difference and never passes.
    bool Test(const uint8_t *Comb) override;

protected:
    void ClampParams(TCountCond &Cond) const override;
    void NormaliseCondition(TCountCond &Cond) const override;
};
