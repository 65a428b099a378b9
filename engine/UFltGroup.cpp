#include "engine/UFltGroup.h"

#include "engine/FilterBlocks.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <numeric>

namespace {

constexpr uint32_t CountModes = 0b1111;     // exact, range, at least, at most
constexpr uint32_t SizeModes = 0b11111;     // exact, range, at least, at most, any size
constexpr uint32_t DigitSizeModes = 0b1111; // exact, range, from a number, up to a number

constexpr TModeWords GroupCountWords{"co najmniej ", "co najwyżej ", nullptr, nullptr};
constexpr TModeWords GroupSizeWords{"co najmniej ", "co najwyżej ", "dowolna", nullptr};
constexpr TModeWords DigitCountWords{"co najmniej ", "co najwyżej ", "dowolna", nullptr};
constexpr TModeWords DigitSizeWords{"od liczby ", "do liczby ", nullptr, nullptr};

// Matched groups have the condition's sizes; Other groups are the rest.
bool GroupsHold(const TRangeBlock &Count, uint8_t Exclusive, int32_t Matched, int32_t Other)
{
    return Count.Holds(Matched) && (Exclusive == 0 || Other == 0);
}

std::string OtherGroupsText(uint8_t Exclusive)
{
    return std::string("Dozwolone inne grupy: ") + (Exclusive == 1 ? "Nie" : "Tak") + "; ";
}

} // namespace

int32_t TFltGroupCount::MaxGroupCount() const
{
    return static_cast<int32_t>(K / 2);
}

std::string TFltGroupCount::GetDescription() const
{
    return "Liczba grup: " + RangeText(Params.Count, GroupCountWords) + "; " + "Ilość liczb w grupie: " +
           RangeText(Params.Size, GroupSizeWords) + "; " + OtherGroupsText(Params.Exclusive);
}

bool TFltGroupCount::SameAs(const TFilter &Other) const
{
    return TFilter::SameAs(Other) && static_cast<const TFltGroupCount &>(Other).Params == Params;
}

void TFltGroupCount::ReadParams(platform::ByteReader &Stream, TGroupCond &Cond)
{
    Cond.Size.Read(Stream);
    Cond.Count.Read(Stream);
    Stream.get(Cond.Exclusive);
}

void TFltGroupCount::WriteParams(platform::ByteWriter &Stream, const TGroupCond &Cond) const
{
    Cond.Size.Write(Stream);
    Cond.Count.Write(Stream);
    Stream.put(Cond.Exclusive);
}

void TFltGroupCount::ClampParams(TGroupCond &Cond) const
{
    Cond.Count.Clamp(CountModes, rmExact, 0, MaxGroupCount());
    Cond.Size.RaiseTo(MinGroupSize); // a group has two numbers or more
    Cond.Size.Clamp(SizeModes, rmExact, MinGroupSize, MaxGroupSize());
}

void TFltGroupCount::NormaliseCondition(TGroupCond &Cond) const
{
    NormaliseBlock(Cond.Count, 0, std::numeric_limits<int32_t>::max());
    NormaliseBlock(Cond.Size, MinGroupSize, MaxGroupSize());
}

TFltSucc::TFltSucc(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TFltGroupCount(fltSucc, Game_, N_, K_, Numbers_), RunCounts(static_cast<size_t>(MaxGroupSize()) + 1)
{
    Params.Count = TRangeBlock{rmExact, 1, MaxGroupCount()};
    Params.Size = TRangeBlock{rmExact, 2, 2};
}

int32_t TFltSucc::MaxGroupSize() const
{
    return std::max(static_cast<int32_t>(K), MinGroupSize);
}

std::string TFltSucc::GetName() const
{
    return "Kolejne liczby";
}

bool TFltSucc::Test(const uint8_t *Comb)
{
    std::fill(RunCounts.begin(), RunCounts.end(), 0);
    ForEachRun(Comb, K, [this](uint32_t Length) { ++RunCounts[Length]; });
    const int32_t total = std::accumulate(RunCounts.begin(), RunCounts.end(), 0);
    return TestConds([this, total](const TGroupCond &Cond) {
        // Sizes the condition asks for beyond the longest run match no run.
        const int32_t last = static_cast<int32_t>(RunCounts.size()) - 1;
        const int32_t from = std::max(Cond.Size.Min, 0);
        const int32_t to = std::min(Cond.Size.Max, last);
        const int32_t matched =
            from > to ? 0 : std::accumulate(RunCounts.begin() + from, RunCounts.begin() + to + 1, 0);
        return GroupsHold(Cond.Count, Cond.Exclusive, matched, total - matched);
    });
}

TFltDiffsConf::TFltDiffsConf(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TFltGroupCount(fltDiffsConf, Game_, N_, K_, Numbers_)
{
    Params.Count = TRangeBlock{rmExact, 1, 1};
    Params.Size = TRangeBlock{rmExact, 2, 2};
}

int32_t TFltDiffsConf::MaxGroupSize() const
{
    return static_cast<int32_t>(K) - 1;
}

int32_t TFltDiffsConf::IsUsable() const
{
    return K > 1 ? 1 : 0;
}

std::string TFltDiffsConf::GetName() const
{
    return "Różnice - układy";
}

bool TFltDiffsConf::Test(const uint8_t *Comb)
{
    if (K <= 1)
        return false;
    Diffs.Form(Comb, K);
    const auto total = static_cast<int32_t>(Diffs.Groups.size());
    const bool passes = TestConds([this, total](const TGroupCond &Cond) {
        int32_t matched = 0;
        for (const uint8_t diff : Diffs.Groups)
            if (Cond.Size.Holds(Diffs.CountOf(diff)))
                ++matched;
        return GroupsHold(Cond.Count, Cond.Exclusive, matched, total - matched);
    });
    Diffs.Clear(Comb, K);
    return passes;
}

void TFltDiffsConf::ClampParams(TGroupCond &Cond) const
{
    if (Cond.Size.Max < MinGroupSize)
        Cond.Size.Max = MaxGroupSize();
    TFltGroupCount::ClampParams(Cond);
}

TFltGDigit::TFltGDigit(uint32_t Kind_, const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_,
                       bool FirstDigit_, int32_t SizeAtMostMin_)
    : TCondFilter(Kind_, Game_, N_, K_, Numbers_), FirstDigit(FirstDigit_), SizeAtMostMin(SizeAtMostMin_)
{
    assert(GameMaxNumber() < 100); // a tens digit indexes the ten digit counts
    Params.Count = TRangeBlock{rmExact, 1, 1};
    Params.Size = TRangeBlock{rmExact, 2, 2};
    Params.Digits = "1111111111";
}

std::string TFltGDigit::GetDescription() const
{
    const uint32_t values = DigitValueCount(FirstDigit, GameMaxNumber());
    std::string digits = ChosenDigitsText(Params.Digits, values);
    if (digits.size() == values)
        digits = "wszystkie";
    return "Liczba grup: " + RangeText(Params.Count, DigitCountWords) + "; " + "Ilość liczb w grupie: " +
           RangeText(Params.Size, DigitSizeWords) + "; " + "Cyfry: " + digits + "; " +
           OtherGroupsText(Params.Exclusive);
}

bool TFltGDigit::SameAs(const TFilter &Other) const
{
    return TFilter::SameAs(Other) && static_cast<const TFltGDigit &>(Other).Params == Params;
}

bool TFltGDigit::Test(const uint8_t *Comb)
{
    CountDigits(Comb, K, FirstDigit, DigitCounts);
    const auto total =
        static_cast<int32_t>(std::count_if(DigitCounts.begin(), DigitCounts.end(), [](int32_t c) { return c > 1; }));
    // Marks accumulate over the conditions of one Test: condition j counts the groups of the digits
    // chosen by conditions 1..j.
    TDigitFlags marked{};
    return TestConds([this, total, &marked](const TDigitGroupCond &Cond) {
        int32_t matched = 0;
        int32_t other = total;
        for (size_t digit = 0; digit < DigitCounts.size(); ++digit) {
            marked[digit] = marked[digit] || Cond.Flags[digit];
            const int32_t count = DigitCounts[digit];
            if (marked[digit] && Cond.Size.Holds(count)) {
                ++matched;
                if (count > 1)
                    --other;
            }
        }
        return GroupsHold(Cond.Count, Cond.Exclusive, matched, other);
    });
}

void TFltGDigit::ReadParams(platform::ByteReader &Stream, TDigitGroupCond &Cond)
{
    Cond.Count.Read(Stream);
    Cond.Size.Read(Stream);
    ReadDigitSet(Stream, Cond.Digits);
    Stream.get(Cond.Exclusive);
}

void TFltGDigit::WriteParams(platform::ByteWriter &Stream, const TDigitGroupCond &Cond) const
{
    Cond.Count.Write(Stream);
    Cond.Size.Write(Stream);
    WriteDigitSet(Stream, Cond.Digits);
    Stream.put(Cond.Exclusive);
}

void TFltGDigit::ClampParams(TDigitGroupCond &Cond) const
{
    Cond.Count.Clamp(CountModes, rmExact, 0, MaxGroupCount());
    Cond.Size.RaiseTo(MinGroupSize); // a group has two numbers or more
    Cond.Size.Clamp(DigitSizeModes, rmExact, MinGroupSize, MaxGroupSize());
}

void TFltGDigit::NormaliseCondition(TDigitGroupCond &Cond) const
{
    Cond.Flags = DigitFlags(Cond.Digits);
    NormaliseBlock(Cond.Count, 0, MaxGroupCount());
    NormaliseBlock(Cond.Size, SizeAtMostMin, MaxGroupSize());
}

TFltGDigit1::TFltGDigit1(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TFltGDigit(fltGDigit1, Game_, N_, K_, Numbers_, true, MinGroupSize)
{
}

int32_t TFltGDigit1::MaxGroupCount() const
{
    return std::min(GameMaxNumber() / 10 + 1, static_cast<int32_t>(K));
}

int32_t TFltGDigit1::MaxGroupSize() const
{
    if (K < 10)
        return static_cast<int32_t>(K);
    return GameMaxNumber() < 20 ? 9 : 10;
}

std::string TFltGDigit1::GetName() const
{
    return "Cyfry 1 - układy";
}

// An "at most" size also counts a digit held by a single number, as a group of one.
TFltGDigit2::TFltGDigit2(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TFltGDigit(fltGDigit2, Game_, N_, K_, Numbers_, false, 1)
{
}

int32_t TFltGDigit2::MaxGroupCount() const
{
    return std::min(static_cast<int32_t>(K), 10);
}

int32_t TFltGDigit2::MaxGroupSize() const
{
    return std::min(static_cast<int32_t>(K), (GameMaxNumber() + 9) / 10);
}

std::string TFltGDigit2::GetName() const
{
    return "Cyfry 2 - układy";
}
