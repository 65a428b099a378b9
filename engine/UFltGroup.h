#pragma once
// Group-pattern filters: how many groups of a given size a combination has, the groups being runs of
// consecutive numbers, numbers sharing a first or a last digit, or repeated differences between
// neighbouring numbers; optionally no group of another size may exist.

#include "engine/FilterDigitSet.h"
#include "engine/FilterQuantities.h"
#include "engine/UFilters.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// How many groups (Count) have a size within Size; Exclusive 1 forbids groups of other sizes.
// Stored as the size block, the count block, then Exclusive.
struct TGroupCond {
    TRangeBlock Count;
    TRangeBlock Size;
    uint8_t Exclusive = 0;

    bool operator==(const TGroupCond &) const = default;
};

// The record, bounds, text and normalisation shared by the run and the difference kinds.
class TFltGroupCount : public TCondFilter<TGroupCond> {
public:
    int32_t MaxGroupCount() const;
    static constexpr int32_t MinGroupSize = 2;
    virtual int32_t MaxGroupSize() const = 0;

    std::string GetDescription() const override;
    bool SameAs(const TFilter &Other) const override;

protected:
    using TCondFilter::TCondFilter;

    void ReadParams(platform::ByteReader &Stream, TGroupCond &Cond) override;
    void WriteParams(platform::ByteWriter &Stream, const TGroupCond &Cond) const override;
    void ClampParams(TGroupCond &Cond) const override;
    void NormaliseCondition(TGroupCond &Cond) const override;
};

// Groups are maximal runs of two or more consecutive numbers; a group's size is the run's length.
class TFltSucc : public TFltGroupCount {
public:
    TFltSucc(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);

    int32_t MaxGroupSize() const override;
    std::string GetName() const override;
    bool Test(const uint8_t *Comb) override;

private:
    std::vector<int32_t> RunCounts; // runs per length 0..MaxGroupSize
};

// Groups are difference values that occur two or more times among the differences of neighbouring
// numbers; a group's size is how many times its difference occurs.
class TFltDiffsConf : public TFltGroupCount {
public:
    TFltDiffsConf(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);

    int32_t MaxGroupSize() const override;
    // The lowest group size the editor offers: 1 when the combination has differences, else 0.
    int32_t IsUsable() const;
    std::string GetName() const override;
    // A combination of one number has no difference and never passes.
    bool Test(const uint8_t *Comb) override;

protected:
    // A size max below 2 is raised to MaxGroupSize rather than to 2.
    void ClampParams(TGroupCond &Cond) const override;

private:
    TDiffGroups Diffs;
};

// Digit groups: the condition's digit set as a text and, once the condition is added, as flags.
// Stored as the count block, the size block, ten u32 for the digits, then Exclusive.
struct TDigitGroupCond {
    TRangeBlock Count;
    TRangeBlock Size;
    std::string Digits;
    TDigitFlags Flags{};
    uint8_t Exclusive = 0;

    bool operator==(const TDigitGroupCond &) const = default;
};

// Groups are the numbers sharing a first digit (TFltGDigit1) or a last digit (TFltGDigit2), two or
// more of them; a group's size is how many share the digit. Within one Test a condition counts the
// groups of its own digits and of those chosen by the conditions before it.
class TFltGDigit : public TCondFilter<TDigitGroupCond> {
public:
    const bool FirstDigit;

    virtual int32_t MaxGroupCount() const = 0;
    static constexpr int32_t MinGroupSize = 2;
    virtual int32_t MaxGroupSize() const = 0;

    std::string GetDescription() const override;
    bool SameAs(const TFilter &Other) const override;
    bool Test(const uint8_t *Comb) override;

protected:
    // SizeAtMostMin: the smallest size an "at most" size block admits.
    TFltGDigit(uint32_t Kind, const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers,
               bool FirstDigit, int32_t SizeAtMostMin);

    void ReadParams(platform::ByteReader &Stream, TDigitGroupCond &Cond) override;
    void WriteParams(platform::ByteWriter &Stream, const TDigitGroupCond &Cond) const override;
    void ClampParams(TDigitGroupCond &Cond) const override;
    void NormaliseCondition(TDigitGroupCond &Cond) const override;

private:
    const int32_t SizeAtMostMin;
    std::array<int32_t, 10> DigitCounts{}; // numbers per digit value
};

class TFltGDigit1 : public TFltGDigit {
public:
    TFltGDigit1(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);
    int32_t MaxGroupCount() const override;
    int32_t MaxGroupSize() const override;
    std::string GetName() const override;
};

class TFltGDigit2 : public TFltGDigit {
public:
    TFltGDigit2(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers);
    int32_t MaxGroupCount() const override;
    int32_t MaxGroupSize() const override;
    std::string GetName() const override;
};
