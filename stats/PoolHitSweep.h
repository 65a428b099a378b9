#pragma once
// The hit histograms of every combination of a pool's numbers, each completed by the same fixed numbers,
// over a set of draws, in lexicographic order of the pool positions. Every draw's count of the numbers
// chosen so far is kept bit-sliced (one bit set over the draws per binary digit of the count), so the
// combinations sharing a prefix share its counting, and the combinations that differ only in their last
// number are counted from the sets of draws at each count: one popcount per 64 draws of a count that many
// draws have, one test per draw of a count that few have.

#include "core/DynArrays.h"
#include "engine/UStatDrawsMan.h"

#include <cstdint>
#include <functional>
#include <vector>

class TPoolHitSweep {
public:
    // Positions: GeneCount ascending 1-based positions in the pool; Hist[i]: the draws with HighHits - i
    // hits, for LowHits..HighHits.
    using TVisit = std::function<bool(const uint8_t *Positions, const int32_t *Hist)>;

    // The hits of a draw are the numbers of the combination in its hit map, at most TopHits. The draws
    // need their hit maps; Pool and Fixed are ascending, 1 <= TopHits <= GeneCount + Fixed's size.
    TPoolHitSweep(const TStatDraws &Draws, const TDynByteArr &Pool, const TDynByteArr &Fixed,
                  int32_t GeneCount, int32_t TopHits, int32_t LowHits, int32_t HighHits);

    // Visit for every GeneCount-combination of the pool positions, in lexicographic order (once, without
    // positions, when GeneCount is 0). Ends at the first Visit that answers False, and answers False then.
    bool Run(const TVisit &Visit);

private:
    using TWord = uint64_t;

    const TWord *PoolSet(int32_t Position) const;
    TWord *Counter(int32_t Depth);
    // The counter of Depth + 1: the counter of Depth plus one for every draw of the pool number at
    // Position.
    void AddNumber(int32_t Depth, int32_t Position);
    bool Descend(int32_t Depth, int32_t From, const TVisit &Visit);
    // The draw sets and base counts of the counter of Depth, for the combinations it lacks one number of.
    void PrepareLast(int32_t Depth);
    // Hist of the prepared counter with the draws of LastSet (none: nullptr) counted once more.
    void FillHist(const TWord *LastSet);
    bool SweepLast(int32_t From, const TVisit &Visit);

    int32_t GeneCount, PoolCount, TopHits, LowHits, HighHits;
    size_t Words;       // 64 draws each
    TWord LastWordMask; // the draws of the last word
    int32_t Planes;     // binary digits of a count
    // The counts whose draws the last number moves up: FirstCount .. FirstCount + MaskCount - 1.
    int32_t FirstCount, MaskCount;
    std::vector<TWord> PoolSets;  // per pool position, the draws holding its number
    std::vector<TWord> Counters;  // per depth, Planes bit sets over the draws
    std::vector<TWord> CountSets; // per one of those counts, the draws at it
    std::vector<int32_t> AtCount; // their sizes
    // Per count, whether its draws are few, and where Listed holds them then.
    struct TListing {
        bool Few = false;
        size_t From = 0, To = 0;
    };
    std::vector<TListing> Listings;
    std::vector<uint32_t> Listed;
    // TopHits is a winning level that the counter PrepareLast prepares can reach.
    bool TopReachable;
    std::vector<TWord> TopSet;  // the draws at TopHits or more
    int32_t AtTop = 0;          // their count
    std::vector<int32_t> Moved; // of those at each count, the draws that hold the last number
    std::vector<TWord> Work;    // Words words of work room
    TDynIntArr Hist;
    TDynByteArr Positions;
};
