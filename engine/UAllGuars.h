#pragma once
// The number categories from which the guarantee variants of a system are built (each category is a
// group of the system's numbers, positions 1..N, that share one role), the groups of a hit
// configuration that a chosen variant hands to the guarantee calculation, and the variants themselves.

#include "core/DynArrays.h"
#include "core/UGeneralList.h"

#include <cstdint>
#include <string>
#include <vector>

struct TGameData;

// Weight: -2.0 any number (categories merged), -1.0 any variable number, 0.0 fixed numbers, 1.0 ordinary
// numbers, above 1.0 numbers of that multiplicity.
struct TAGParam {
    double Weight = 0.0;
    uint8_t Count = 0;   // numbers in the category
    TDynByteArr Numbers; // Count numbers, ascending
};

using TAGParams = std::vector<TAGParam>;

// One group of a hit configuration: Hits of the drawn numbers fall among its Size numbers. Counter and
// Subset walk the group's h-subsets in lexicographic order while a guarantee is computed.
struct TBlock {
    uint8_t Size = 0;    // s: numbers in the group
    uint8_t Hits = 0;    // h: drawn numbers among them
    TDynByteArr Numbers; // s numbers
    TDynByteArr Subset;  // h positions 1..s: the current h-subset
    uint8_t Fixed = 0;   // 1 when s = h: the whole group is drawn
    int64_t Counter = 0; // 1-based lexicographic rank of the current subset
    int64_t Total = 0;   // C(s, h)
};

using TBlocks = std::vector<TBlock>;

// One hit configuration of the draw: how many drawn numbers fall into each category.
struct TOneOfAllGuars {
    uint8_t Total = 0;       // drawn numbers of the configuration: the sum of its hits
    std::string LongText;    // " 3 liczby", " 1 stała 2 zmienne (2,0)", ...
    std::string CaptionText; // the caption of the guarantee computed for it
    TBlocks Parts;           // one group per category with hits, in category order
    TDynByteArr Key;         // the hits per category
    bool Selected = false;   // chosen for a guarantee
};

// The hit configurations worth a guarantee, built from a system's number categories: List2 combines
// several categories (only when fixed or heavier numbers exist), List1 runs over one category (the only
// one, or all of them merged). Both lists are kept in descending order of Key.
class TAllGuars {
public:
    // Mode: the system's kind.
    TAllGuars(const TGameData *Game, int K, int32_t Mode);
    TAllGuars(const TAllGuars &) = delete;
    TAllGuars &operator=(const TAllGuars &) = delete;

    // Fills both lists from Categories (the system's GetNumberGroups); when List1 needs several
    // categories merged, Categories is left holding the merged one.
    void Build();
    // Count, a blank and the Polish words for Count numbers of the weight's kind (the short code when
    // Short); a weight of a multiplicity other than 1.0 follows as " (2,5)".
    std::string Describe(int Count, double Weight, bool Short) const;

    const TGameData *Game;
    uint8_t K;
    int32_t Mode;
    bool FullBet; // K is at least the game's smallest bet
    TAGParams Categories;
    TGeneralList<TOneOfAllGuars> List1;
    TGeneralList<TOneOfAllGuars> List2;

private:
    // Adds to List a configuration for every count of hits per category that can be drawn, wins
    // something with FullBet (else has a hit) and, for List2, has hits beyond the first category.
    void Generate(TGeneralList<TOneOfAllGuars> &List, const TAGParams &Groups);
    TOneOfAllGuars *makeVariant(const TAGParams &Groups, const TDynByteArr &Digits, int Sum) const;
};
