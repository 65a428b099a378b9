#include "stats/PoolHitSweep.h"

#include "core/NumberMask.h"

#include <algorithm>
#include <bit>

namespace {

constexpr size_t WordBits = 64;

// Dst := Src plus one for every draw of Set (Dst may be Src); Carry holds Words words. The counts stay
// below 2^Planes.
void AddSet(const uint64_t *Src, const uint64_t *Set, uint64_t *Dst, int32_t Planes, size_t Words,
            uint64_t *Carry)
{
    std::copy(Set, Set + Words, Carry);
    for (int32_t b = 0; b < Planes; ++b) {
        const uint64_t *digit = Src + size_t(b) * Words;
        uint64_t *sum = Dst + size_t(b) * Words;
        for (size_t w = 0; w < Words; ++w) {
            const uint64_t d = digit[w];
            sum[w] = d ^ Carry[w];
            Carry[w] &= d;
        }
    }
}

// Equal := the draws whose count (Planes bit sets of Words words) is Value.
void CountEquals(const uint64_t *Counter, int32_t Value, int32_t Planes, size_t Words, uint64_t *Equal)
{
    std::fill(Equal, Equal + Words, ~uint64_t{0});
    for (int32_t b = 0; b < Planes; ++b) {
        const uint64_t *digit = Counter + size_t(b) * Words;
        if ((Value >> b & 1) != 0)
            for (size_t w = 0; w < Words; ++w)
                Equal[w] &= digit[w];
        else
            for (size_t w = 0; w < Words; ++w)
                Equal[w] &= ~digit[w];
    }
}

// AtLeast := the draws whose count is Value or more; Equal is work room of Words words.
void CountAtLeast(const uint64_t *Counter, int32_t Value, int32_t Planes, size_t Words, uint64_t *AtLeast,
                  uint64_t *Equal)
{
    std::fill(AtLeast, AtLeast + Words, 0);
    std::fill(Equal, Equal + Words, ~uint64_t{0});
    for (int32_t b = Planes - 1; b >= 0; --b) {
        const uint64_t *digit = Counter + size_t(b) * Words;
        if ((Value >> b & 1) != 0)
            for (size_t w = 0; w < Words; ++w)
                Equal[w] &= digit[w];
        else
            for (size_t w = 0; w < Words; ++w) {
                AtLeast[w] |= Equal[w] & digit[w];
                Equal[w] &= ~digit[w];
            }
    }
    for (size_t w = 0; w < Words; ++w)
        AtLeast[w] |= Equal[w];
}

POPCOUNT_CLONES int32_t CountCommon(const uint64_t *A, const uint64_t *B, size_t Words)
{
    int32_t count = 0;
    for (size_t w = 0; w < Words; ++w)
        count += std::popcount(A[w] & B[w]);
    return count;
}

// The draws of Listed that are in Set.
int32_t CountListed(const uint32_t *Listed, const uint32_t *End, const uint64_t *Set)
{
    int32_t count = 0;
    for (; Listed != End; ++Listed)
        count += int32_t(Set[*Listed / WordBits] >> *Listed % WordBits & 1);
    return count;
}

POPCOUNT_CLONES int32_t CountBits(const uint64_t *A, size_t Words)
{
    int32_t count = 0;
    for (size_t w = 0; w < Words; ++w)
        count += std::popcount(A[w]);
    return count;
}

} // namespace

TPoolHitSweep::TPoolHitSweep(const TStatDraws &Draws, const TDynByteArr &Pool, const TDynByteArr &Fixed,
                             int32_t GeneCount, int32_t TopHits, int32_t LowHits, int32_t HighHits)
    : GeneCount(GeneCount), PoolCount(int32_t(Pool.size())), TopHits(TopHits), LowHits(LowHits),
      HighHits(HighHits), Words((Draws.size() + WordBits - 1) / WordBits),
      LastWordMask(Draws.size() % WordBits == 0 ? ~TWord{0} : (TWord{1} << Draws.size() % WordBits) - 1),
      Planes(std::bit_width(unsigned(GeneCount) + unsigned(Fixed.size()))),
      FirstCount(std::max(LowHits - 1, 0)),
      MaskCount(std::max(std::min(HighHits, TopHits - 1) - FirstCount + 1, 0)),
      TopReachable(TopHits <= HighHits && TopHits <= std::max(GeneCount - 1, 0) + int32_t(Fixed.size()))
{
    const auto setOf = [&](uint8_t Number, TWord *Set) {
        for (size_t d = 0; d < Draws.size(); ++d)
            if (Draws[d].Hits[Number - 1u])
                Set[d / WordBits] |= TWord{1} << d % WordBits;
    };
    PoolSets.assign(Pool.size() * Words, 0);
    for (size_t p = 0; p < Pool.size(); ++p)
        setOf(Pool[p], &PoolSets[p * Words]);
    Counters.assign(size_t(std::max(GeneCount, 1)) * size_t(Planes) * Words, 0);
    Work.assign(Words, 0);
    std::vector<TWord> fixedSet(Words);
    for (uint8_t number : Fixed) {
        std::fill(fixedSet.begin(), fixedSet.end(), 0);
        setOf(number, fixedSet.data());
        AddSet(Counter(0), fixedSet.data(), Counter(0), Planes, Words, Work.data());
    }
    CountSets.assign(size_t(MaskCount) * Words, 0);
    AtCount.assign(size_t(MaskCount), 0);
    Listings.assign(size_t(MaskCount), {});
    Listed.reserve(size_t(MaskCount) * Words / 2);
    TopSet.assign(Words, 0);
    Moved.assign(size_t(MaskCount), 0);
    Hist.assign(size_t(std::max(HighHits - LowHits + 1, 0)), 0);
    Positions.assign(size_t(std::max(GeneCount, 1)), 0);
}

bool TPoolHitSweep::Run(const TVisit &Visit)
{
    if (GeneCount > 0)
        return Descend(0, 1, Visit);
    PrepareLast(0);
    FillHist(nullptr);
    return Visit(Positions.data(), Hist.data());
}

const TPoolHitSweep::TWord *TPoolHitSweep::PoolSet(int32_t Position) const
{
    return &PoolSets[size_t(Position - 1) * Words];
}

TPoolHitSweep::TWord *TPoolHitSweep::Counter(int32_t Depth)
{
    return &Counters[size_t(Depth) * size_t(Planes) * Words];
}

void TPoolHitSweep::AddNumber(int32_t Depth, int32_t Position)
{
    AddSet(Counter(Depth), PoolSet(Position), Counter(Depth + 1), Planes, Words, Work.data());
}

bool TPoolHitSweep::Descend(int32_t Depth, int32_t From, const TVisit &Visit)
{
    if (Depth == GeneCount - 1)
        return SweepLast(From, Visit);
    for (int32_t p = From; p <= PoolCount - (GeneCount - 1 - Depth); ++p) {
        Positions[size_t(Depth)] = uint8_t(p);
        AddNumber(Depth, p);
        if (!Descend(Depth + 1, p + 1, Visit))
            return false;
    }
    return true;
}

void TPoolHitSweep::PrepareLast(int32_t Depth)
{
    const TWord *counter = Counter(Depth);
    Listed.clear();
    for (int32_t m = 0; m < MaskCount; ++m) {
        TWord *set = &CountSets[size_t(m) * Words];
        CountEquals(counter, FirstCount + m, Planes, Words, set);
        set[Words - 1] &= LastWordMask;
        AtCount[size_t(m)] = CountBits(set, Words);
        // A count that few draws have: its draws are checked one by one.
        TListing &listing = Listings[size_t(m)];
        listing.Few = size_t(AtCount[size_t(m)]) <= Words / 2;
        listing.From = Listed.size();
        if (listing.Few)
            for (size_t w = 0; w < Words; ++w)
                for (TWord word = set[w]; word != 0; word &= word - 1)
                    Listed.push_back(uint32_t(w * WordBits + size_t(std::countr_zero(word))));
        listing.To = Listed.size();
    }
    AtTop = 0;
    if (TopReachable) {
        CountAtLeast(counter, TopHits, Planes, Words, TopSet.data(), Work.data());
        AtTop = CountBits(TopSet.data(), Words);
    }
}

void TPoolHitSweep::FillHist(const TWord *LastSet)
{
    for (int32_t m = 0; m < MaskCount; ++m) {
        const TListing &listing = Listings[size_t(m)];
        Moved[size_t(m)] =
            LastSet == nullptr ? 0
            : listing.Few ? CountListed(Listed.data() + listing.From, Listed.data() + listing.To, LastSet)
                          : CountCommon(&CountSets[size_t(m) * Words], LastSet, Words);
    }
    for (int32_t hits = LowHits; hits <= HighHits; ++hits) {
        int32_t &draws = Hist[size_t(HighHits - hits)];
        const int32_t m = hits - FirstCount;
        if (hits > TopHits)
            draws = 0;
        else if (hits == TopHits)
            draws = AtTop + Moved[size_t(m - 1)];
        else
            draws = AtCount[size_t(m)] - Moved[size_t(m)] + (m > 0 ? Moved[size_t(m - 1)] : 0);
    }
}

bool TPoolHitSweep::SweepLast(int32_t From, const TVisit &Visit)
{
    PrepareLast(GeneCount - 1);
    for (int32_t p = From; p <= PoolCount; ++p) {
        Positions[size_t(GeneCount - 1)] = uint8_t(p);
        FillHist(PoolSet(p));
        if (!Visit(Positions.data(), Hist.data()))
            return false;
    }
    return true;
}
