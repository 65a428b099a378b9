#include "engine/CommonNumbersCounter.h"

#include "core/MemoryEstimate.h"
#include "core/UComb.h"

#include <algorithm>
#include <array>

namespace {

// Filling the tables costs one addition per subset of a draw; beyond this many the one-time count
// would outweigh what it saves.
constexpr long double MaxAdditions = 1 << 27;

// The numbers n of Mask as MaxNumber - n, ascending; answers their count. Ranked this way, the sets
// whose highest numbers differ lie close together: a system's rows in lexicographic order read the
// tables almost in turn.
int ValuesOf(const TNumberMask &Mask, int MaxNumber, uint8_t *Values)
{
    std::array<uint8_t, 128> numbers;
    const int count = Mask.Numbers(numbers.data());
    for (int i = 0; i < count; ++i)
        Values[i] = static_cast<uint8_t>(MaxNumber - numbers[size_t(count - 1 - i)]);
    return count;
}

} // namespace

void TCommonNumbersCounter::Build(const TStatDraws &Draws, int32_t MaxNumber_, int32_t K_)
{
    Clear();
    MaxNumber = std::clamp(MaxNumber_, 0, 128);
    K = std::max(K_, 0);
    DrawCount = static_cast<int64_t>(Draws.size());
    Masks.reserve(Draws.size());
    int longest = 0;
    for (const TStatDraw &draw : Draws) {
        TNumberMask &mask = Masks.emplace_back();
        for (const uint8_t number : draw.Numbers)
            if (number >= 1 && number <= MaxNumber)
                mask.Add(number);
        longest = std::max(longest, mask.Count());
    }
    Sizes = std::min(K, longest);
    if (TablesFit())
        BuildTables();
}

void TCommonNumbersCounter::Clear()
{
    *this = TCommonNumbersCounter();
}

bool TCommonNumbersCounter::TablesFit() const
{
    if (Sizes == 0 || static_cast<size_t>(MaxNumber) >= NewtonExt.size())
        return false;
    long double entries = 0;
    for (int s = 1; s <= Sizes; ++s)
        entries += NewtonExt[size_t(MaxNumber)][size_t(s)];
    long double additions = 0;
    for (const TNumberMask &mask : Masks) {
        const int len = mask.Count();
        for (int s = 1; s <= std::min(len, Sizes); ++s)
            additions += NewtonExt[size_t(len)][size_t(s)];
    }
    return additions <= MaxAdditions && TableFits(entries, sizeof(uint32_t), MemoryShareArray);
}

void TCommonNumbersCounter::BuildTables()
{
    // Every C(value, size) read is below C(MaxNumber, size), a table size that fits: Newton is exact there.
    RankTerms.assign(size_t(Sizes + 1) * size_t(MaxNumber), 0);
    for (int s = 1; s <= Sizes; ++s)
        for (int v = s; v < MaxNumber; ++v)
            RankTerms[size_t(s) * MaxNumber + size_t(v)] =
                static_cast<uint64_t>(Newton[size_t(v)][size_t(s)]);
    Tables.resize(size_t(Sizes + 1));
    for (int s = 1; s <= Sizes; ++s) {
        if (!TryAllocate(Tables[size_t(s)], static_cast<uint64_t>(Newton[size_t(MaxNumber)][size_t(s)]))) {
            Tables.clear();
            RankTerms.clear();
            return;
        }
    }
    // Each draw adds 1 to the count of each of its subsets of 1..Sizes numbers.
    std::array<uint8_t, 128> values{};
    struct TFrame {
        int Next;
        uint64_t Rank;
    };
    std::array<TFrame, 130> stack{};
    for (const TNumberMask &mask : Masks) {
        const int len = ValuesOf(mask, MaxNumber, values.data());
        int depth = 0; // the subset in hand has depth numbers
        stack[0] = TFrame{0, 0};
        while (depth >= 0) {
            TFrame &frame = stack[size_t(depth)];
            if (frame.Next >= len || depth == Sizes) {
                --depth;
                continue;
            }
            const uint8_t value = values[size_t(frame.Next++)];
            const uint64_t rank = frame.Rank + RankTerm(value, depth + 1);
            ++Tables[size_t(depth + 1)][rank];
            stack[size_t(depth + 1)] = TFrame{frame.Next, rank};
            ++depth;
        }
    }
    std::vector<TNumberMask>().swap(Masks);
}

void TCommonNumbersCounter::AddSubsets(const uint8_t *Values, int Len, int From, int Size, uint64_t Rank,
                                       int First, int Last, int64_t *Sums) const
{
    const int next = Size + 1;
    // Below First the subsets are only passed through: enough numbers must remain to reach it.
    const int last = next < First ? Len - (First - next) : Len;
    for (int j = From; j < last; ++j) {
        const uint64_t rank = Rank + RankTerm(Values[j], next);
        if (next >= First) {
            const uint32_t count = Tables[size_t(next)][rank];
            if (count == 0)
                continue;
            Sums[next] += count;
        }
        if (next < Last)
            AddSubsets(Values, Len, j + 1, next, rank, First, Last, Sums);
    }
}

int TCommonNumbersCounter::Verdict(const int64_t *Sums, int Low, int High, int Depth, bool Exact)
{
    bool unknown = false;
    for (int m = Low; m <= High && m <= Depth; ++m) {
        int64_t partial = 0;
        for (int s = m; s <= Depth; ++s) {
            const int64_t term = Newton[size_t(s)][size_t(m)] * Sums[s];
            partial += (s - m) % 2 == 0 ? term : -term;
        }
        // Cut after an odd number of further sizes the sum is at most E(m), after an even number at least.
        if (partial > 0 && (Exact || (Depth - m) % 2 == 1))
            return 1;
        if (!Exact && (partial > 0 || (Depth - m) % 2 == 1))
            unknown = true;
    }
    if (!Exact && High > Depth)
        unknown = true;
    return unknown ? -1 : 0;
}

bool TCommonNumbersCounter::AnyShares(const uint8_t *Comb, int32_t Min, int32_t Max) const
{
    if (DrawCount == 0 || Min > Max)
        return false;
    TNumberMask comb;
    for (int i = 0; i < K; ++i)
        if (Comb[i] >= 1 && Comb[i] <= MaxNumber)
            comb.Add(Comb[i]);
    if (!HasTables()) {
        return std::any_of(Masks.begin(), Masks.end(), [&comb, Min, Max](const TNumberMask &Draw) {
            const int common = (Draw & comb).Count();
            return Min <= common && common <= Max;
        });
    }
    std::array<uint8_t, 128> values;
    const int len = ValuesOf(comb, MaxNumber, values.data());
    // No draw shares more than top numbers with the combination.
    const int top = std::min(len, Sizes);
    const int low = std::max(Min, 0);
    const int high = std::min(Max, top);
    if (low > high)
        return false;
    // Sizes low and low + 1 mostly decide; the rest only when they do not.
    std::array<int64_t, 130> sums;
    for (const int depth : {std::min(low + 1, top), top}) {
        std::fill(sums.begin(), sums.begin() + top + 1, 0);
        sums[0] = DrawCount;
        AddSubsets(values.data(), len, 0, 0, 0, std::max(low, 1), depth, sums.data());
        const int verdict = Verdict(sums.data(), low, high, depth, depth == top || sums[size_t(depth)] == 0);
        if (verdict >= 0)
            return verdict == 1;
    }
    return false;
}
