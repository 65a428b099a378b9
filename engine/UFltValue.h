#pragma once
// Value filters: the sum of a combination's numbers, the sums of their digits, its spread, the
// difference at a position and the number at a position, each tested against a value block.

#include "engine/FilterQuantities.h"
#include "engine/UFilters.h"

#include <array>
#include <cstdint>
#include <string>

// A value of the whole combination within Lowest..Highest, the bounds the pool allows.
class TFltValueRange : public TCondFilter<TRangeBlock> {
public:
    std::string GetDescription() const override;
    bool SameAs(const TFilter &Other) const override;

    int32_t Lowest = 0;
    int32_t Highest = 0;

protected:
    // A mode outside 0..3 becomes ModeFallback; Label opens the description.
    TFltValueRange(uint32_t Kind, const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers,
                   uint8_t ModeFallback, const char *Label);
    // Sets the bounds and the default range Lowest..Highest.
    void SetBounds(int32_t Lowest, int32_t Highest);

    void ReadParams(platform::ByteReader &Stream, TRangeBlock &Cond) override;
    void WriteParams(platform::ByteWriter &Stream, const TRangeBlock &Cond) const override;
    void ClampParams(TRangeBlock &Cond) const override;
    void NormaliseCondition(TRangeBlock &Cond) const override;

private:
    uint8_t ModeFallback;
    const char *Label;
};

class TFltSum : public TFltValueRange {
public:
    TFltSum(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);
    std::string GetName() const override;
    bool Test(const uint8_t *Comb) override;
};

// The sum of the first digits, of the last digits or of both digits of the numbers.
class TFltSDigit : public TFltValueRange {
public:
    enum TDigitMode : uint8_t { dmFirst = 1, dmLast = 2, dmBoth = 3 };

    const TDigitMode DigitMode;

    bool Test(const uint8_t *Comb) override;

protected:
    TFltSDigit(uint32_t Kind, const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers,
               TDigitMode DigitMode);

private:
    std::array<int32_t, 256> DigitValues{}; // by number, in DigitMode
};

class TFltSDigit1 : public TFltSDigit {
public:
    TFltSDigit1(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);
    std::string GetName() const override;
};

class TFltSDigit2 : public TFltSDigit {
public:
    TFltSDigit2(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);
    std::string GetName() const override;
};

class TFltSDigit12 : public TFltSDigit {
public:
    TFltSDigit12(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);
    std::string GetName() const override;
};

// The spread: the highest number less the lowest. Lowest is the narrowest spread of K pool numbers.
class TFltDist : public TFltValueRange {
public:
    TFltDist(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);
    std::string GetName() const override;
    // A combination of one number has no spread and never passes.
    bool Test(const uint8_t *Comb) override;
};

// Position 1..MaxPosition; the value block within 1..MaxValue. Stored as the value block, then the position.
struct TPositionCond {
    int32_t Position = 1;
    TRangeBlock Value;

    bool operator==(const TPositionCond &) const = default;
};

// A value taken at a position of the combination, one position per condition.
class TFltPosition : public TCondFilter<TPositionCond> {
public:
    int32_t MaxPosition() const { return PositionCount; }

    std::string GetDescription() const override;
    bool SameAs(const TFilter &Other) const override;

protected:
    // Shift 0: positions 1..K, values 1..highest; -1: positions 1..K - 1, values 1..highest - 1.
    TFltPosition(uint32_t Kind, const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers,
                 int32_t Shift);

    void ReadParams(platform::ByteReader &Stream, TPositionCond &Cond) override;
    void WriteParams(platform::ByteWriter &Stream, const TPositionCond &Cond) const override;
    void ClampParams(TPositionCond &Cond) const override;
    void NormaliseCondition(TPositionCond &Cond) const override;

    const int32_t PositionCount;
    const int32_t MaxValue;
};

// The difference between the numbers at positions P + 1 and P.
class TFltDiffPos : public TFltPosition {
public:
    TFltDiffPos(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);
    int32_t MaxDiff() const { return MaxValue; }
    std::string GetName() const override;
    // A combination of one number has no difference and never passes.
    bool Test(const uint8_t *Comb) override;
};

// The number at position P.
class TFltNumPos : public TFltPosition {
public:
    TFltNumPos(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);
    int32_t MaxNumber() const { return MaxValue; }
    std::string GetName() const override;
    bool Test(const uint8_t *Comb) override;
};
