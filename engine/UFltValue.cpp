#include "engine/UFltValue.h"

#include "engine/FilterBlocks.h"

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

namespace {

constexpr uint32_t ValueModes = 0b1111; // exact, range, at least, at most

constexpr TModeWords ValueWords{"co najmniej ", "co najwyżej ", nullptr, nullptr};
constexpr TModeWords PositionWords{"od liczby ", "do liczby ", nullptr, nullptr};

// Sums of the K smallest and the K largest of Values (fewer when there are fewer values).
std::pair<int32_t, int32_t> SumBounds(std::vector<int32_t> Values, uint32_t K)
{
    std::sort(Values.begin(), Values.end());
    const auto k = static_cast<std::ptrdiff_t>(std::min<size_t>(K, Values.size()));
    return {std::accumulate(Values.begin(), Values.begin() + k, 0), std::accumulate(Values.end() - k, Values.end(), 0)};
}

} // namespace

TFltValueRange::TFltValueRange(uint32_t Kind_, const TGameData *Game_, uint32_t N_, uint32_t K_,
                               const TDynByteArr &Numbers_, uint8_t ModeFallback_, const char *Label_)
    : TCondFilter(Kind_, Game_, N_, K_, Numbers_), ModeFallback(ModeFallback_), Label(Label_)
{
}

void TFltValueRange::SetBounds(int32_t Lowest_, int32_t Highest_)
{
    Lowest = Lowest_;
    Highest = Highest_;
    Params = TRangeBlock{rmRange, Lowest, Highest};
}

std::string TFltValueRange::GetDescription() const
{
    return Label + RangeText(Params, ValueWords) + "; ";
}

bool TFltValueRange::SameAs(const TFilter &Other) const
{
    return TFilter::SameAs(Other) && static_cast<const TFltValueRange &>(Other).Params == Params;
}

void TFltValueRange::ReadParams(platform::ByteReader &Stream, TRangeBlock &Cond)
{
    Cond.Read(Stream);
}

void TFltValueRange::WriteParams(platform::ByteWriter &Stream, const TRangeBlock &Cond) const
{
    Cond.Write(Stream);
}

void TFltValueRange::ClampParams(TRangeBlock &Cond) const
{
    Cond.Clamp(ValueModes, ModeFallback, Lowest, Highest);
}

void TFltValueRange::NormaliseCondition(TRangeBlock &Cond) const
{
    NormaliseBlock(Cond, Lowest, Highest);
}

TFltSum::TFltSum(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TFltValueRange(fltSum, Game_, N_, K_, Numbers_, rmRange, "Suma liczb: ")
{
    const auto [lowest, highest] = SumBounds(std::vector<int32_t>(Numbers.begin(), Numbers.end()), K);
    SetBounds(lowest, highest);
}

std::string TFltSum::GetName() const
{
    return "Suma liczb";
}

bool TFltSum::Test(const uint8_t *Comb)
{
    const int32_t sum = CombSum(Comb, K);
    return TestConds([sum](const TRangeBlock &Cond) { return Cond.Holds(sum); });
}

TFltSDigit::TFltSDigit(uint32_t Kind_, const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_,
                       TDigitMode DigitMode_)
    : TFltValueRange(Kind_, Game_, N_, K_, Numbers_, rmExact, "Suma cyfr: "), DigitMode(DigitMode_)
{
    int32_t (*value)(uint8_t) = DigitMode == dmFirst ? FirstDigit : DigitMode == dmLast ? LastDigit : BothDigits;
    for (size_t number = 0; number < DigitValues.size(); ++number)
        DigitValues[number] = value(uint8_t(number));
    std::vector<int32_t> values;
    values.reserve(Numbers.size());
    for (const uint8_t number : Numbers)
        values.push_back(DigitValues[number]);
    const auto [lowest, highest] = SumBounds(std::move(values), K);
    SetBounds(lowest, highest);
}

bool TFltSDigit::Test(const uint8_t *Comb)
{
    const int32_t sum = SumOf(Comb, K, [this](uint8_t Number) { return DigitValues[Number]; });
    return TestConds([sum](const TRangeBlock &Cond) { return Cond.Holds(sum); });
}

TFltSDigit1::TFltSDigit1(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TFltSDigit(fltSDigit1, Game_, N_, K_, Numbers_, dmFirst)
{
}

std::string TFltSDigit1::GetName() const
{
    return "Suma 1 cyfry";
}

TFltSDigit2::TFltSDigit2(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TFltSDigit(fltSDigit2, Game_, N_, K_, Numbers_, dmLast)
{
}

std::string TFltSDigit2::GetName() const
{
    return "Suma 2 cyfry";
}

TFltSDigit12::TFltSDigit12(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TFltSDigit(fltSDigit12, Game_, N_, K_, Numbers_, dmBoth)
{
}

std::string TFltSDigit12::GetName() const
{
    return "Suma cyfr";
}

TFltDist::TFltDist(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TFltValueRange(fltDist, Game_, N_, K_, Numbers_, rmRange, "Rozpiętość: ")
{
    int32_t lowest = 0;
    int32_t highest = 0;
    if (K > 1 && Numbers.size() >= K) {
        highest = Numbers.back() - Numbers.front();
        lowest = highest;
        for (size_t i = 0; i + K <= Numbers.size(); ++i)
            lowest = std::min(lowest, Numbers[i + K - 1] - Numbers[i]);
    }
    SetBounds(lowest, highest);
}

std::string TFltDist::GetName() const
{
    return "Rozpiętość kombinacji";
}

bool TFltDist::Test(const uint8_t *Comb)
{
    if (K <= 1)
        return false;
    const int32_t spread = CombSpread(Comb, K);
    return TestConds([spread](const TRangeBlock &Cond) { return Cond.Holds(spread); });
}

TFltPosition::TFltPosition(uint32_t Kind_, const TGameData *Game_, uint32_t N_, uint32_t K_,
                           const TDynByteArr &Numbers_, int32_t Shift)
    : TCondFilter(Kind_, Game_, N_, K_, Numbers_), PositionCount(static_cast<int32_t>(K) + Shift),
      MaxValue(GameMaxNumber() + Shift)
{
    Params = TPositionCond{1, TRangeBlock{rmExact, 1, 1}};
}

std::string TFltPosition::GetDescription() const
{
    return "Pozycja: " + std::to_string(Params.Position) + "; " + "Zakres: " + RangeText(Params.Value, PositionWords) +
           "; ";
}

bool TFltPosition::SameAs(const TFilter &Other) const
{
    return TFilter::SameAs(Other) && static_cast<const TFltPosition &>(Other).Params == Params;
}

void TFltPosition::ReadParams(platform::ByteReader &Stream, TPositionCond &Cond)
{
    Cond.Value.Read(Stream);
    Stream.get(Cond.Position);
}

void TFltPosition::WriteParams(platform::ByteWriter &Stream, const TPositionCond &Cond) const
{
    Cond.Value.Write(Stream);
    Stream.put(Cond.Position);
}

void TFltPosition::ClampParams(TPositionCond &Cond) const
{
    Cond.Position = std::clamp(Cond.Position, 1, std::max(1, PositionCount));
    Cond.Value.Clamp(ValueModes, rmExact, 1, MaxValue);
}

void TFltPosition::NormaliseCondition(TPositionCond &Cond) const
{
    NormaliseBlock(Cond.Value, 1, MaxValue);
}

TFltDiffPos::TFltDiffPos(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TFltPosition(fltDiffPos, Game_, N_, K_, Numbers_, -1)
{
}

std::string TFltDiffPos::GetName() const
{
    return "Różnice - pozycje";
}

bool TFltDiffPos::Test(const uint8_t *Comb)
{
    if (K <= 1)
        return false;
    return TestConds([Comb](const TPositionCond &Cond) {
        return Cond.Value.Holds(Comb[Cond.Position] - Comb[Cond.Position - 1]);
    });
}

TFltNumPos::TFltNumPos(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TFltPosition(fltNumPos, Game_, N_, K_, Numbers_, 0)
{
}

std::string TFltNumPos::GetName() const
{
    return "Liczby - pozycje";
}

bool TFltNumPos::Test(const uint8_t *Comb)
{
    return TestConds([Comb](const TPositionCond &Cond) { return Cond.Value.Holds(Comb[Cond.Position - 1]); });
}
