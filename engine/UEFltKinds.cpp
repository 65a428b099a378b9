#include "engine/UEFltKinds.h"

#include "core/USort.h"
#include "engine/UGameMan.h"

#include <algorithm>
#include <stdexcept>

namespace {

int32_t HighestNumber(const TGameData *Game)
{
    return Game->Info.MaxNumber;
}

// The sum of the K largest of 1..Highest.
int32_t LargestSum(int32_t Highest, int64_t K)
{
    int32_t sum = 0;
    for (int64_t i = 0; i < K && i < Highest; ++i)
        sum += Highest - int32_t(i);
    return sum;
}

} // namespace

TEFltValue::TEFltValue(uint32_t Kind_, const TGameData *Game_, int64_t N_, const TDynByteArr &Numbers_,
                       int64_t Total_, int64_t K_, int32_t MaxValue_, bool PatternRows_)
    : TEFilter(Kind_, Game_, N_, Numbers_, Total_, K_, PatternRows_), MaxValue(std::max(MaxValue_, 0))
{
}

void TEFltValue::Reset()
{
    TEFilter::Reset();
    Counts.assign(size_t(MaxValue) + 1, 0);
    CounterHits.assign(Comparing ? Counts.size() * size_t(LevelCount()) : 0, 0);
}

void TEFltValue::AddComb(const uint8_t *C)
{
    const auto value = size_t(ValueOf(C));
    ++Counts[value];
    if (Comparing) {
        CountHits(C);
        int64_t *hits = CounterHits.data() + value * CurHits.size();
        for (size_t level = 0; level < CurHits.size(); ++level)
            hits[level] += CurHits[level];
    }
}

void TEFltValue::FreeCounters()
{
    Counts = {};
    CounterHits = {};
}

void TEFltValue::Finish()
{
    for (size_t value = 0; value < Counts.size(); ++value) {
        if (Counts[value] == 0)
            continue;
        TEFilterRow &row = AddRow(Counts[value], CounterHits.data() + value * CurHits.size());
        row.Value = int32_t(value);
        DescribeRow(row);
    }
    TEFilter::Finish();
}

void TEFltValue::DescribeRow(TEFilterRow &) const {}

TEFltPar::TEFltPar(const TGameData *Game_, int64_t N_, const TDynByteArr &Numbers_, int64_t Total_, int64_t K_)
    : TEFltValue(efltPar, Game_, N_, Numbers_, Total_, K_, int32_t(K_), true)
{
}

int32_t TEFltPar::ValueOf(const uint8_t *C) const
{
    return CountEven(C, uint32_t(K));
}

void TEFltPar::DescribeRow(TEFilterRow &Row) const
{
    Row.Pattern = {uint8_t(Row.Value), uint8_t(K - Row.Value)};
}

std::string TEFltPar::GetRowText(const TEFilterRow &Row) const
{
    return std::to_string(Row.Value) + "P|" + std::to_string(K - Row.Value) + "N";
}

// Sized by the game's highest number: a row added by hand may hold numbers outside the pool.
TEFltSum::TEFltSum(const TGameData *Game_, int64_t N_, const TDynByteArr &Numbers_, int64_t Total_, int64_t K_)
    : TEFltValue(efltSum, Game_, N_, Numbers_, Total_, K_, LargestSum(HighestNumber(Game_), K_))
{
}

int32_t TEFltSum::ValueOf(const uint8_t *C) const
{
    return CombSum(C, uint32_t(K));
}

TEFltSDigit::TEFltSDigit(uint32_t Kind_, const TGameData *Game_, int64_t N_, const TDynByteArr &Numbers_,
                         int64_t Total_, int64_t K_, int32_t (*Digits_)(uint8_t))
    : TEFltValue(Kind_, Game_, N_, Numbers_, Total_, K_, int32_t(18 * K_)), Digits(Digits_)
{
}

int32_t TEFltSDigit::ValueOf(const uint8_t *C) const
{
    return SumOf(C, uint32_t(K), Digits);
}

TEFltSDigit1::TEFltSDigit1(const TGameData *Game_, int64_t N_, const TDynByteArr &Numbers_, int64_t Total_,
                           int64_t K_)
    : TEFltSDigit(efltSDigit1, Game_, N_, Numbers_, Total_, K_, FirstDigit)
{
}

TEFltSDigit2::TEFltSDigit2(const TGameData *Game_, int64_t N_, const TDynByteArr &Numbers_, int64_t Total_,
                           int64_t K_)
    : TEFltSDigit(efltSDigit2, Game_, N_, Numbers_, Total_, K_, LastDigit)
{
}

TEFltSDigit12::TEFltSDigit12(const TGameData *Game_, int64_t N_, const TDynByteArr &Numbers_, int64_t Total_,
                             int64_t K_)
    : TEFltSDigit(efltSDigit12, Game_, N_, Numbers_, Total_, K_, BothDigits)
{
}

TEFltDist::TEFltDist(const TGameData *Game_, int64_t N_, const TDynByteArr &Numbers_, int64_t Total_, int64_t K_)
    : TEFltValue(efltDist, Game_, N_, Numbers_, Total_, K_, HighestNumber(Game_) - 1)
{
}

int32_t TEFltDist::ValueOf(const uint8_t *C) const
{
    return CombSpread(C, uint32_t(K));
}

TEFltPattern::TEFltPattern(uint32_t Kind_, const TGameData *Game_, int64_t N_, const TDynByteArr &Numbers_,
                           int64_t Total_, int64_t K_)
    : TEFilter(Kind_, Game_, N_, Numbers_, Total_, K_, true), KeyWeights(size_t(std::max<int64_t>(K_, 2)), 0),
      WorkPattern(size_t(K_ / 2), 0)
{
    // Group sizes as digits of a mixed radix: at most K div s groups have size s, so equal keys are
    // equal multisets. Unsigned arithmetic wraps only beyond the sizes the table can hold.
    KeyWeights[1] = 1;
    for (size_t n = 2; n < KeyWeights.size(); ++n) {
        uint64_t weight = 1;
        for (size_t j = 1; j < n; ++j)
            weight += uint64_t(K / int64_t(j + 1)) * uint64_t(KeyWeights[j]);
        KeyWeights[n] = int64_t(weight);
    }
}

void TEFltPattern::Reset()
{
    TEFilter::Reset();
    PatternCount = 0;
    Table.assign(TableSize, TSlot());
    TablePatterns.assign(size_t(TableSize) * WorkPattern.size(), 0);
    TableHits.assign(Comparing ? size_t(TableSize) * size_t(LevelCount()) : 0, 0);
}

void TEFltPattern::AddComb(const uint8_t *C)
{
    std::fill(WorkPattern.begin(), WorkPattern.end(), 0);
    Found = 0;
    FormPattern(C);
    uint64_t key = 0;
    for (size_t i = 0; i < Found; ++i)
        key += uint64_t(KeyWeights[size_t(WorkPattern[i]) - 1]);
    size_t slot = size_t(key % TableSize);
    for (int32_t probes = 0; Table[slot].Count != 0 && uint64_t(Table[slot].Key) != key; ++probes) {
        if (probes == TableSize)
            throw std::runtime_error("The pattern table is full");
        slot = (slot + 1) % TableSize;
    }
    TSlot &entry = Table[slot];
    if (entry.Count == 0) {
        entry.Key = int64_t(key);
        std::copy(WorkPattern.begin(), WorkPattern.end(), TablePatterns.begin() + std::ptrdiff_t(slot * WorkPattern.size()));
        ++PatternCount;
    }
    ++entry.Count;
    if (Comparing) {
        CountHits(C);
        int64_t *hits = TableHits.data() + slot * CurHits.size();
        for (size_t level = 0; level < CurHits.size(); ++level)
            hits[level] += CurHits[level];
    }
}

void TEFltPattern::FreeCounters()
{
    Table = {};
    TablePatterns = {};
    TableHits = {};
}

void TEFltPattern::Finish()
{
    Rows.reserve(PatternCount);
    const size_t width = WorkPattern.size();
    for (size_t slot = 0; slot < Table.size(); ++slot) {
        if (Table[slot].Count == 0)
            continue;
        TEFilterRow &row = AddRow(Table[slot].Count, TableHits.data() + slot * CurHits.size());
        row.Pattern.assign(TablePatterns.begin() + std::ptrdiff_t(slot * width),
                           TablePatterns.begin() + std::ptrdiff_t((slot + 1) * width));
        SortBytes(row.Pattern.data(), int(width));
        row.Groups = int32_t(std::count_if(row.Pattern.begin(), row.Pattern.end(), [](uint8_t s) { return s >= 2; }));
        MaxGroups = std::max(MaxGroups, row.Groups);
    }
    std::sort(Rows.begin(), Rows.end(),
              [](const TEFilterRow &A, const TEFilterRow &B) { return A.Pattern < B.Pattern; });
    TEFilter::Finish();
}

TEFltSucc::TEFltSucc(const TGameData *Game_, int64_t N_, const TDynByteArr &Numbers_, int64_t Total_, int64_t K_)
    : TEFltPattern(efltSucc, Game_, N_, Numbers_, Total_, K_)
{
}

void TEFltSucc::FormPattern(const uint8_t *C)
{
    ForEachRun(C, uint32_t(K), [this](uint32_t Length) { WorkPattern[Found++] = uint8_t(Length); });
}

TEFltGDigit::TEFltGDigit(uint32_t Kind_, const TGameData *Game_, int64_t N_, const TDynByteArr &Numbers_,
                         int64_t Total_, int64_t K_, bool First_)
    : TEFltPattern(Kind_, Game_, N_, Numbers_, Total_, K_), First(First_)
{
}

void TEFltGDigit::FormPattern(const uint8_t *C)
{
    CountDigits(C, uint32_t(K), First, DigitCounts);
    for (const int32_t count : DigitCounts)
        if (count > 1)
            WorkPattern[Found++] = uint8_t(count);
}

TEFltGDigit1::TEFltGDigit1(const TGameData *Game_, int64_t N_, const TDynByteArr &Numbers_, int64_t Total_,
                           int64_t K_)
    : TEFltGDigit(efltGDigit1, Game_, N_, Numbers_, Total_, K_, true)
{
}

TEFltGDigit2::TEFltGDigit2(const TGameData *Game_, int64_t N_, const TDynByteArr &Numbers_, int64_t Total_,
                           int64_t K_)
    : TEFltGDigit(efltGDigit2, Game_, N_, Numbers_, Total_, K_, false)
{
}

TEFltDiffConf::TEFltDiffConf(const TGameData *Game_, int64_t N_, const TDynByteArr &Numbers_, int64_t Total_,
                             int64_t K_)
    : TEFltPattern(efltDiffConf, Game_, N_, Numbers_, Total_, K_)
{
}

void TEFltDiffConf::FormPattern(const uint8_t *C)
{
    Diffs.Form(C, uint32_t(K));
    for (const uint8_t diff : Diffs.Groups)
        WorkPattern[Found++] = uint8_t(Diffs.CountOf(diff));
    Diffs.Clear(C, uint32_t(K));
}
