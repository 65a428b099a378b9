#pragma once
// A game's definition and the calculations on it: the cost of a set of combinations, the win of a
// histogram of hits, the hit levels that win for a combination size, and the tables that turn the hits of
// a large combination into the hits of the simple bets it stands for.

#include "core/Currency.h"
#include "core/DynArrays.h"
#include "engine/UDrawsDB.h"

#include <cstdint>
#include <string>
#include <vector>

// Sizes of the names in the game file, in Windows-1250 characters.
constexpr size_t GameNameLength = 124;
constexpr size_t GameShortNameLength = 10;

// The entry of Prizes for a size and hit count that wins nothing.
constexpr Currency NoPrize = Currency::fromCount(-Currency::Scale);

struct TGameInfo {
    uint8_t Id = 0;
    uint8_t MaxNumber = 0;  // numbers run 1..MaxNumber
    uint8_t Drawn = 0;      // numbers drawn per draw
    uint8_t MinK = 0;       // smallest combination size the tables cover
    uint8_t MaxK = 0;       // largest combination size the tables cover; Prizes is MaxK x MaxK
    uint8_t MultiFrom = 0;  // with HasSystems: sizes from here on are played as all their (MultiFrom - 1)-bets
    uint8_t BetSize = 0;    // the simple bet; first size of the level table
    uint8_t MaxSize = 0;    // largest size of the level tables
    bool HasSystems = false;
    bool PrizeByStake = false; // fixed prizes per unit of WinStake, else the user's own table
    Currency BasicStake;       // price of one simple bet
    Currency WinStake;         // multiplier of every prize
    uint8_t Reserved = 0;
    std::string Name;      // UTF-8
    std::string ShortName; // UTF-8; also names the draws file
    TDynByteArr MinHits;   // [K-1]: fewest hits that win anything with K numbers
    std::vector<std::vector<Currency>> Prizes; // [K-1][H-1], per unit of WinStake; NoPrize where none
    uint8_t MaxFreqLen = 0;
    TDrawsFormat Line;
    TDynByteArr LevelCounts;                       // computed: winning hit levels per size
    std::vector<std::vector<TDynIntArr>> HitsTable; // computed with HasSystems: [S-1][M-1][level]
};

// The most a stake (the price of a simple bet, the multiplier of the prizes) may be: up to it, any 32-bit
// count of simple bets has a cost.
constexpr Currency MaxStake = Currency::fromCount(INT64_MAX / INT32_MAX);
// 0..MaxStake.
bool StakeInRange(Currency Stake);

// True when every count of a full system of N numbers with K per combination is exact in 64 bits: its
// combinations at each hit level for any number of the drawn ones among its numbers, and, when K is a
// multi-bet size, the simple bets they stand for.
bool FullSystemCountsExact(const TGameInfo &G, int N, int K);

// An empty text when the definition can be used; otherwise what is wrong with it. The routines below
// rely on these rules for their indexes, the hits table on its counts fitting 32 bits and on a
// combination of a multi-bet size hitting at most BetSize numbers, and every full system the game allows
// on its counts being exact in 64 bits.
std::string GameInfoFault(const TGameInfo &G);

bool IsMultiBet(const TGameInfo &G, int K);
// Count combinations of K numbers; a multi-bet costs all its simple bets.
Currency BetCost(const TGameInfo &G, int K, int32_t Count);
int MinWinHits(const TGameInfo &G, int K);
int HitLevelCount(const TGameInfo &G, int K);
// Vec[i]: combinations with TopHits - i hits. A level without a prize (below zero) pays nothing. Throws
// std::overflow_error when a count held at its type's largest value wins a prize, or when the win leaves
// the range of money.
Currency WinAmount(const TGameInfo &G, int K, int TopHits, const int32_t *Vec, int Len);
// The same over 64-bit counts.
Currency WinAmount(const TGameInfo &G, int K, int TopHits, const int64_t *Vec, int Len);
// The same counting only the entries whose hits lie in LowHits..HighHits.
Currency WinAmountInLevels(const TGameInfo &G, int K, int TopHits, const int64_t *Vec, int LowHits, int HighHits,
                           int Len);
// Turns, in place, the hit vector of combinations of S numbers into that of the simple bets they stand for,
// from the hits table. S is a multi-bet size, TopHits at most BetSize, Len at most the simple bet's level
// count (a shorter vector holds the lowest winning levels). A count beyond the vector's type holds the
// type's largest value. Throws std::out_of_range when the table has no row for S (above MaxSize, or a game
// without systems).
void ExpandHits(const TGameInfo &G, int S, int TopHits, int32_t *Vec, int Len);
// The same over 64-bit counts, which hold the expansion of counts beyond 32 bits.
void ExpandHits(const TGameInfo &G, int S, int TopHits, int64_t *Vec, int Len);
// The same for a combination of any size S from BetSize up to MaxNumber, its bets counted rather than read
// from the table: with M of its S numbers drawn, C(M, j) x C(S - M, BetSize - j) of them hit j. Throws
// std::out_of_range for a size outside BetSize..MaxNumber.
void ExpandHitsOfAnySize(const TGameInfo &G, int S, int TopHits, int64_t *Vec, int Len);
// A full system of N numbers, K per combination, M of them drawn: Vec[i] := the combinations at hit level
// Len + Offset - 1 - i. Throws std::overflow_error when a count leaves 32 bits.
void HitsInFullVector(int N, int K, int M, int32_t *Vec, int Len, int Offset);
// The same over 64-bit counts; throws std::overflow_error when a count is not exact in 64 bits.
void HitsInFullVector(int N, int K, int M, int64_t *Vec, int Len, int Offset);
void BuildLevelCounts(TGameInfo &G);
// False when a count of the table leaves 32 bits.
bool BuildHitsTable(TGameInfo &G);

// The axes of a hit table for a system of N numbers with K per combination.
struct THitsInfo {
    void Init(const TGameInfo &G, int N, int K, bool FromOne);

    int LowHits = 0;
    int HighHits = 0;
    int LevelCount = 0;
    int RowCount = 0;
    int FirstLevel = 0;
    TStrArray RowLabels; // HighHits, HighHits - 1, ...
    int TopDrawn = 0;
    int ColCount = 0;
    TStrArray ColLabels; // LowHits, LowHits + 1, ...
};
