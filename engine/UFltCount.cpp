#include "engine/UFltCount.h"

#include "core/UComb.h"
#include "engine/FilterBlocks.h"
#include "engine/FilterQuantities.h"

#include <cassert>

namespace {

constexpr uint32_t CountModes = 0b101111; // exact, range, at least, at most, all
constexpr uint32_t ScopeModes = 0b101110; // range, from a number, up to a number, all
constexpr uint32_t DiffModes = 0b1111;    // exact, range, from a number, up to a number

constexpr TModeWords CountWords{"co najmniej ", "co najwyżej ", nullptr, "wszystkie"};
constexpr TModeWords DigitCountWords{"co najmniej ", "co najwyżej ", nullptr, "wszystkie "};
constexpr TModeWords ScopeWords{"od liczby ", "do liczby ", nullptr, "wszystkie"};

bool IsOdd(uint8_t Number)
{
    return Number < EvenTable.size() && !EvenTable[Number];
}

bool IsPrime(uint8_t Number)
{
    return Number >= 1 && Number <= PrimeTable.size() && PrimeTable[Number - 1u];
}

bool IsAnyNumber(uint8_t)
{
    return true;
}

} // namespace

bool TCountCondFilter::SameAs(const TFilter &Other) const
{
    return TFilter::SameAs(Other) && static_cast<const TCountCondFilter &>(Other).Params == Params;
}

void TCountCondFilter::ReadParams(platform::ByteReader &Stream, TCountCond &Cond)
{
    Cond.Scope.Read(Stream);
    Cond.Count.Read(Stream);
}

void TCountCondFilter::WriteParams(platform::ByteWriter &Stream, const TCountCond &Cond) const
{
    Cond.Scope.Write(Stream);
    Cond.Count.Write(Stream);
}

TFltScopeCount::TFltScopeCount(uint32_t Kind_, const TGameData *Game_, uint32_t N_, uint32_t K_,
                               const TDynByteArr &Numbers_, bool (*HasProperty)(uint8_t), const char *CountLabel_,
                               uint8_t ScopeFallback_, int32_t AtMostMin_)
    : TCountCondFilter(Kind_, Game_, N_, K_, Numbers_), CountLabel(CountLabel_), ScopeFallback(ScopeFallback_),
      AtMostMin(AtMostMin_)
{
    for (uint32_t n = 1; n < Counted.size(); ++n)
        Counted[n] = HasProperty(static_cast<uint8_t>(n)) ? 1 : 0;
    Params.Count = TRangeBlock{rmExact, 1, 1};
    Params.Scope = TRangeBlock{rmAll, 1, GameMaxNumber()};
}

uint32_t TFltScopeCount::MaxCountInRange(int32_t From, int32_t To) const
{
    uint32_t count = 0;
    for (const uint8_t number : Numbers) {
        if (count >= K || number > To)
            break;
        if (number >= From && Counted[number])
            ++count;
    }
    return count;
}

std::string TFltScopeCount::GetDescription() const
{
    return std::string(CountLabel) + RangeText(Params.Count, CountWords) + "; " + "Zakres liczb: " +
           RangeText(Params.Scope, ScopeWords) + "; ";
}

bool TFltScopeCount::Test(const uint8_t *Comb)
{
    return TestConds([this, Comb](const TCountCond &Cond) {
        int32_t count = 0;
        for (uint32_t i = 0; i < K; ++i) {
            const uint8_t number = Comb[i];
            if (number >= Cond.Scope.Min && number <= Cond.Scope.Max)
                count += Counted[number];
        }
        return Cond.Count.Holds(count);
    });
}

void TFltScopeCount::ClampParams(TCountCond &Cond) const
{
    Cond.Count.Clamp(CountModes, rmExact, 0, GameMaxNumber());
    Cond.Scope.Clamp(ScopeModes, ScopeFallback, 1, GameMaxNumber());
}

// The scope first: "od liczby" runs to the highest number, "do liczby" from 1, "wszystkie" over all;
// the "at least" and "all" counts are then what the pool holds within it.
void TFltScopeCount::NormaliseCondition(TCountCond &Cond) const
{
    TRangeBlock &scope = Cond.Scope;
    if (scope.Mode == rmAtLeast || scope.Mode == rmAll)
        scope.Max = GameMaxNumber();
    if (scope.Mode == rmAtMost || scope.Mode == rmAll)
        scope.Min = 1;

    NormaliseBlock(Cond.Count, AtMostMin, static_cast<int32_t>(MaxCountInRange(scope.Min, scope.Max)));
}

TFltPar::TFltPar(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TFltScopeCount(fltPar, Game_, N_, K_, Numbers_, IsEvenNumber, "Liczba parzystych: ", rmRange, 0)
{
}

std::string TFltPar::GetName() const
{
    return "Liczby parzyste";
}

TFltNPar::TFltNPar(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TFltScopeCount(fltNPar, Game_, N_, K_, Numbers_, IsOdd, "Liczba nieparzystych: ", rmRange, 1)
{
}

std::string TFltNPar::GetName() const
{
    return "Liczby nieparzyste";
}

TFltFirst::TFltFirst(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TFltScopeCount(fltFirst, Game_, N_, K_, Numbers_, IsPrime, "Liczba pierwszych: ", rmRange, 1)
{
}

std::string TFltFirst::GetName() const
{
    return "Liczby pierwsze";
}

TFltInt::TFltInt(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TFltScopeCount(fltInt, Game_, N_, K_, Numbers_, IsAnyNumber, "Ilość liczb: ", rmAll, 0)
{
}

std::string TFltInt::GetName() const
{
    return "Przedział liczbowy";
}

TFltDigit::TFltDigit(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TCondFilter(fltDigit, Game_, N_, K_, Numbers_)
{
    assert(GameMaxNumber() < 100); // a tens digit indexes the ten digit flags
    Params.DigitKind = 0;
    Params.Count = TRangeBlock{rmExact, 1, 1};
    Params.Digits = "1100000000";
}

int32_t TFltDigit::MaxCount() const
{
    return static_cast<int32_t>(K);
}

std::string TFltDigit::GetName() const
{
    return "Cyfry";
}

std::string TFltDigit::GetDescription() const
{
    return std::string("Rodzaj cyfry: ") + (Params.DigitKind == 1 ? "druga cyfra" : "pierwsza cyfra") + "; " +
           "Ilość liczb: " + RangeText(Params.Count, DigitCountWords) + "; " + "Cyfry: " +
           ChosenDigitsText(Params.Digits, 10) + "; ";
}

bool TFltDigit::SameAs(const TFilter &Other) const
{
    return TFilter::SameAs(Other) && static_cast<const TFltDigit &>(Other).Params == Params;
}

bool TFltDigit::Test(const uint8_t *Comb)
{
    return TestConds([this, Comb](const TDigitCountCond &Cond) {
        int32_t count = 0;
        if (Cond.DigitKind == 0) {
            for (uint32_t i = 0; i < K; ++i)
                count += Cond.Flags[Comb[i] / 10];
        } else {
            for (uint32_t i = 0; i < K; ++i)
                count += Cond.Flags[Comb[i] % 10];
        }
        return Cond.Count.Holds(count);
    });
}

void TFltDigit::ReadParams(platform::ByteReader &Stream, TDigitCountCond &Cond)
{
    Stream.get(Cond.DigitKind);
    Cond.Count.Read(Stream);
    ReadDigitSet(Stream, Cond.Digits);
}

void TFltDigit::WriteParams(platform::ByteWriter &Stream, const TDigitCountCond &Cond) const
{
    Stream.put(Cond.DigitKind);
    Cond.Count.Write(Stream);
    WriteDigitSet(Stream, Cond.Digits);
}

void TFltDigit::ClampParams(TDigitCountCond &Cond) const
{
    if (Cond.DigitKind > 1)
        Cond.DigitKind = 0;
    Cond.Count.Clamp(CountModes, rmExact, 0, MaxCount());
}

void TFltDigit::NormaliseCondition(TDigitCountCond &Cond) const
{
    Cond.Flags = DigitFlags(Cond.Digits);
    NormaliseBlock(Cond.Count, 1, MaxCount());
}

TFltDiffs::TFltDiffs(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TCountCondFilter(fltDiffs, Game_, N_, K_, Numbers_)
{
    Params.Count = TRangeBlock{rmExact, 1, 1};
    Params.Scope = TRangeBlock{rmExact, 1, 1};
}

int32_t TFltDiffs::MaxCount() const
{
    return static_cast<int32_t>(K) - 1;
}

int32_t TFltDiffs::MaxDiff() const
{
    return GameMaxNumber() - 1;
}

std::string TFltDiffs::GetName() const
{
    return "Różnice";
}

std::string TFltDiffs::GetDescription() const
{
    return "Liczba różnic: " + RangeText(Params.Count, CountWords) + "; " + "Różnica: " +
           RangeText(Params.Scope, ScopeWords) + "; ";
}

bool TFltDiffs::Test(const uint8_t *Comb)
{
    if (K <= 1)
        return false;
    return TestConds([this, Comb](const TCountCond &Cond) {
        int32_t count = 0;
        for (uint32_t i = 1; i < K; ++i)
            if (Cond.Scope.Holds(Comb[i] - Comb[i - 1]))
                ++count;
        return Cond.Count.Holds(count);
    });
}

void TFltDiffs::ClampParams(TCountCond &Cond) const
{
    Cond.Count.Clamp(CountModes, rmExact, 0, MaxCount());
    Cond.Scope.Clamp(DiffModes, rmExact, 1, MaxDiff());
}

void TFltDiffs::NormaliseCondition(TCountCond &Cond) const
{
    NormaliseBlock(Cond.Scope, 1, MaxDiff());
    NormaliseBlock(Cond.Count, 0, MaxCount());
}
