#include "engine/UFltRef.h"

#include "core/UComb.h"
#include "engine/FilterBlocks.h"
#include "engine/UGameMan.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr uint32_t CountModes = 0b101111; // exact, range, at least, at most, all
constexpr TModeWords CountWords{"co najmniej ", "co najwyżej ", nullptr, "wszystkie"};

platform::Bytes RangeBytes(const TDrawsRange &Range)
{
    platform::ByteWriter stream;
    WriteDrawsRange(stream, Range);
    return stream.take();
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// TFltComb

TFltComb::TFltComb(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TCondFilter(fltComb, Game_, N_, K_, Numbers_)
{
    Params.Count = TRangeBlock{rmAll, 1, MaxNumber()};
}

int32_t TFltComb::MaxNumber() const
{
    return GameMaxNumber();
}

std::string TFltComb::GetName() const
{
    return "Kombinacja";
}

std::string TFltComb::GetDescription() const
{
    const size_t count = std::min(Params.RefNumbers.size(), static_cast<size_t>(std::max(Params.RefCount, 0)));
    std::string numbers;
    CombToStr(Params.RefNumbers.data(), static_cast<uint8_t>(std::min<size_t>(count, 255)), "%2d ", numbers, 1);
    return "Kombinacja: " + numbers + "; " + "Ilość wspólnych liczb: " + RangeText(Params.Count, CountWords) + "; ";
}

bool TFltComb::SameAs(const TFilter &Other) const
{
    if (!TFilter::SameAs(Other))
        return false;
    const TCombCond &other = static_cast<const TFltComb &>(Other).Params;
    if (other.RefCount != Params.RefCount || !(other.Count == Params.Count))
        return false;
    const auto numbersOf = [](const TCombCond &Cond) {
        const size_t count = std::min(Cond.RefNumbers.size(), static_cast<size_t>(std::max(Cond.RefCount, 0)));
        return TDynByteArr(Cond.RefNumbers.begin(), Cond.RefNumbers.begin() + static_cast<ptrdiff_t>(count));
    };
    return numbersOf(other) == numbersOf(Params);
}

bool TFltComb::Test(const uint8_t *Comb)
{
    return TestConds([this, Comb](const TCombCond &Cond) {
        int32_t count = 0;
        for (uint32_t i = 0; i < K; ++i) {
            const uint8_t number = Comb[i];
            if (number >= 1 && number <= Cond.RefFlags.size() && Cond.RefFlags[number - 1u])
                ++count;
        }
        return Cond.Count.Holds(count);
    });
}

void TFltComb::ReadParams(platform::ByteReader &Stream, TCombCond &Cond)
{
    uint32_t length = 0;
    if (!Stream.get(length))
        return;
    // A length beyond the record's bytes is not believed.
    const size_t count = std::min<size_t>(length, Stream.remaining());
    Stream.getBytes(Cond.RefNumbers, count);
    Cond.RefCount = static_cast<int32_t>(count);
    Cond.Count.Read(Stream);
}

void TFltComb::WriteParams(platform::ByteWriter &Stream, const TCombCond &Cond) const
{
    const size_t count = std::min(Cond.RefNumbers.size(), static_cast<size_t>(std::max(Cond.RefCount, 0)));
    Stream.put(static_cast<uint32_t>(count));
    Stream.putBytes(std::span<const uint8_t>(Cond.RefNumbers.data(), count));
    Cond.Count.Write(Stream);
}

void TFltComb::ClampParams(TCombCond &Cond) const
{
    const int32_t highest = MaxNumber();
    TDynBoolArr seen(static_cast<size_t>(highest), false);
    TDynByteArr kept;
    const size_t count = std::min(Cond.RefNumbers.size(), static_cast<size_t>(std::max(Cond.RefCount, 0)));
    for (size_t i = 0; i < count; ++i) {
        const uint8_t number = Cond.RefNumbers[i];
        if (number < 1 || number > highest || seen[number - 1u])
            continue;
        seen[number - 1u] = true;
        kept.push_back(number);
    }
    Cond.RefNumbers = std::move(kept);
    Cond.RefCount = static_cast<int32_t>(Cond.RefNumbers.size());
    Cond.Count.Clamp(CountModes, rmAll, 0, Cond.RefCount);
}

void TFltComb::NormaliseCondition(TCombCond &Cond) const
{
    Cond.RefFlags.assign(static_cast<size_t>(MaxNumber()), false);
    for (const uint8_t number : Cond.RefNumbers)
        Cond.RefFlags[number - 1u] = true;
    NormaliseBlock(Cond.Count, 0, Cond.RefCount);
}

// ---------------------------------------------------------------------------------------------------
// TFltDBCN

TFltDBCN::TFltDBCN(const TGameData *Game_, uint32_t N_, uint32_t K_, const TDynByteArr &Numbers_)
    : TCondFilter(fltDBCN, Game_, N_, K_, Numbers_)
{
    DefaultDrawsRange(Params.Range);
    Params.Count = TRangeBlock{rmAll, 1, MaxCount()};
}

int32_t TFltDBCN::MaxCount() const
{
    return std::min<int32_t>(GameDrawn(), static_cast<int32_t>(K));
}

void TFltDBCN::Assign(const TFilter &Source)
{
    const auto &source = static_cast<const TFltDBCN &>(Source);
    AndMode = source.AndMode;
    Params.Range = source.Params.Range;
    Params.Count = source.Params.Count;
    DrawsManager = source.DrawsManager;
}

std::string TFltDBCN::GetName() const
{
    return "Losowane liczby";
}

std::string TFltDBCN::GetDescription() const
{
    return "Ilość liczb: " + RangeText(Params.Count, CountWords) + ";   " + DrawsRangeSummary(Params.Range, true);
}

bool TFltDBCN::SameAs(const TFilter &Other) const
{
    if (!TFilter::SameAs(Other))
        return false;
    const TDBCNCond &other = static_cast<const TFltDBCN &>(Other).Params;
    return other.Count == Params.Count && RangeBytes(other.Range) == RangeBytes(Params.Range);
}

void TFltDBCN::TakeDraws()
{
    for (TDBCNCond &cond : Conds) {
        StatDrawsMan.Clear(cond.RangeDraws);
        if (DrawsManager)
            StatDrawsMan.LoadRange(cond.RangeDraws, *DrawsManager, cond.Range);
    }
    DrawsTaken = true;
}

void TFltDBCN::Prepare()
{
    if (!DrawsTaken)
        throw std::logic_error("TFltDBCN: Prepare before TakeDraws");
    for (TDBCNCond &cond : Conds)
        cond.Common.Build(cond.RangeDraws, GameMaxNumber(), static_cast<int32_t>(K));
}

bool TFltDBCN::Test(const uint8_t *Comb)
{
    return TestConds(
        [Comb](const TDBCNCond &Cond) { return Cond.Common.AnyShares(Comb, Cond.Count.Min, Cond.Count.Max); });
}

void TFltDBCN::Finish()
{
    for (TDBCNCond &cond : Conds) {
        StatDrawsMan.Clear(cond.RangeDraws);
        cond.Common.Clear();
    }
    DrawsTaken = false;
}

void TFltDBCN::SetDrawsManager(const TDrawsManager *Manager)
{
    DrawsManager = Manager;
}

void TFltDBCN::ReadParams(platform::ByteReader &Stream, TDBCNCond &Cond)
{
    ReadDrawsRange(Stream, Cond.Range);
    RepairDrawsRange(Cond.Range);
    Cond.Count.Read(Stream);
}

void TFltDBCN::WriteParams(platform::ByteWriter &Stream, const TDBCNCond &Cond) const
{
    WriteDrawsRange(Stream, Cond.Range);
    Cond.Count.Write(Stream);
}

void TFltDBCN::ClampParams(TDBCNCond &Cond) const
{
    Cond.Count.Clamp(CountModes, rmAll, 0, MaxCount());
}

void TFltDBCN::NormaliseCondition(TDBCNCond &Cond) const
{
    NormaliseBlock(Cond.Count, 1, MaxCount());
}
