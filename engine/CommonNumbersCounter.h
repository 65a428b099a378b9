#pragma once
// Whether some draw of a fixed list shares between Min and Max numbers with a combination.
//
// Where its tables fit in memory, the counter counts once how many draws hold each subset of up to L
// numbers (L the smaller of the combination's length and the longest draw). A test then sums, for each
// size s, the counts of the combination's s-subsets (A(s)); the number of draws sharing exactly m
// numbers with it follows by inclusion-exclusion, E(m) = sum over s >= m of (-1)^(s - m) C(s, m) A(s),
// without a pass over the draws. A subset held by no draw has no superset held by one, so the subsets
// are walked from the smallest size needed upwards and a branch ends at the first count of 0; the
// series cut after the next size mostly decides already.
// Where the tables do not fit, each draw is compared as a bit mask.

#include "core/NumberMask.h"
#include "engine/UStatDrawsMan.h"

#include <cstdint>
#include <vector>

class TCommonNumbersCounter {
public:
    // Counts over Draws' numbers (those within 1..MaxNumber) for combinations of K numbers. The draws
    // are not kept.
    void Build(const TStatDraws &Draws, int32_t MaxNumber, int32_t K);
    void Clear();
    // True when some draw shares between Min and Max numbers with the K numbers of Comb (numbers
    // outside 1..MaxNumber are in no draw); never with no draws.
    bool AnyShares(const uint8_t *Comb, int32_t Min, int32_t Max) const;
    // True when the subset tables were built, False when the draws are compared one by one.
    bool HasTables() const { return !Tables.empty(); }

private:
    // The tables hold C(MaxNumber, s) counts for s = 1..Sizes and take one addition per subset of up
    // to Sizes numbers of each draw; False when the memory or the additions are too much.
    bool TablesFit() const;
    // From Masks, which it then frees; without the memory it leaves no tables and keeps Masks.
    void BuildTables();
    // Rank of a set of s numbers a1 < ... < as (0-based) among the s-subsets: sum C(ai, i), i = 1..s.
    uint64_t RankTerm(uint8_t Value, int Size) const { return RankTerms[size_t(Size) * MaxNumber + Value]; }
    // Adds to Sums[s], s = First..Last, the counts of the s-subsets made of the subset of Size numbers
    // of rank Rank and numbers of Values[From..Len).
    void AddSubsets(const uint8_t *Values, int Len, int From, int Size, uint64_t Rank, int First, int Last,
                    int64_t *Sums) const;
    // From the sums A(s) of sizes Low..Depth: 1 when E(m) > 0 for some m of Low..High, 0 when for none,
    // -1 when the sums do not tell. With Exact the larger sizes add nothing; otherwise the sum of
    // E(m)'s series cut at Depth bounds E(m) from below when Depth - m is odd and from above when even.
    static int Verdict(const int64_t *Sums, int Low, int High, int Depth, bool Exact);

    int32_t MaxNumber = 0;
    int32_t K = 0;
    int32_t Sizes = 0; // the largest subset size counted: min(K, longest draw)
    int64_t DrawCount = 0;
    std::vector<TNumberMask> Masks;            // one per draw, without tables
    std::vector<std::vector<uint32_t>> Tables; // Tables[s][rank]: draws holding that s-subset
    std::vector<uint64_t> RankTerms;           // C(value, size) by size, then 0-based value
};
