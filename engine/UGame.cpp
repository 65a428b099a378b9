#include "engine/UGame.h"

#include "core/UComb.h"
#include "core/UGlobalFiles.h"
#include "engine/UHitsInFull.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>

bool StakeInRange(Currency Stake)
{
    return Stake >= Currency() && Stake <= MaxStake;
}

bool FullSystemCountsExact(const TGameInfo &G, int N, int K)
{
    if (K < 0 || K > N || size_t(N) >= Newton.size())
        return false;
    // The binomials and at-least counts the counting uses grow with the drawn numbers among the N: where
    // the most of them give exact counts, fewer do too.
    THitsInFull hits;
    hits.Init(uint8_t(N), uint8_t(K), uint8_t(std::min(int(G.Drawn), N)));
    hits.CountAtLeast();
    hits.MakeExact();
    if (std::find(hits.Counts.begin(), hits.Counts.end(), THitsInFull::Saturated) != hits.Counts.end())
        return false;
    if (!IsMultiBet(G, K))
        return true;
    // Every expanded count is at most the system's simple bets.
    using TWide = unsigned __int128;
    const int64_t betsEach = Newton[size_t(K)][size_t(G.MultiFrom) - 1];
    return betsEach != THitsInFull::Saturated &&
           TWide(Newton[size_t(N)][size_t(K)]) * TWide(betsEach) < TWide(THitsInFull::Saturated);
}

std::string GameInfoFault(const TGameInfo &G)
{
    if (G.Id == 0)
        return "the game id is 0";
    if (!NamesAFile(G.ShortName))
        return "the short name names the draws file and cannot stand as a file name";
    if (G.MaxNumber < 1 || G.MaxNumber > 99)
        return "MaxNumber is outside 1..99";
    if (G.Drawn < 1 || G.Drawn > G.MaxNumber)
        return "Drawn is outside 1..MaxNumber";
    if (G.MinK < 1 || G.MinK > G.MaxK)
        return "MinK is outside 1..MaxK";
    if (G.MaxK > G.MaxSize)
        return "MaxK is above MaxSize";
    if (G.MaxSize > G.MaxNumber)
        return "MaxSize is above MaxNumber";
    if (G.BetSize < 1 || G.BetSize > G.MaxSize)
        return "BetSize is outside 1..MaxSize";
    if (G.HasSystems && G.MultiFrom != G.BetSize + 1)
        return "MultiFrom is not BetSize + 1 in a game with systems";
    if (G.HasSystems && G.BetSize > G.MaxK)
        return "BetSize is above MaxK in a game with systems";
    // The hits table and the vectors of a multi-bet size reach BetSize hits only, which a combination
    // takes past only when both it and the draw hold more numbers than a bet.
    if (G.HasSystems && std::min(G.Drawn, G.MaxSize) > G.BetSize)
        return "a combination of MaxSize numbers can take more hits than BetSize in a game with systems";
    if (G.MinHits.size() != G.MaxSize)
        return "MinHits does not hold MaxSize entries";
    for (int k = std::min(G.MinK, G.BetSize); k <= G.MaxSize; ++k) {
        const int minHits = G.MinHits[size_t(k) - 1];
        if (minHits < 1 || minHits > k)
            return "MinHits of size " + std::to_string(k) + " is outside 1.." + std::to_string(k);
        if (IsMultiBet(G, k) && minHits > G.BetSize)
            return "MinHits of size " + std::to_string(k) + " is above BetSize";
        // A multi-bet's winning levels are those of its simple bets, or fewer of them.
        if (IsMultiBet(G, k) && minHits < G.MinHits[size_t(G.BetSize) - 1])
            return "MinHits of size " + std::to_string(k) + " is below that of BetSize";
    }
    if (G.Prizes.size() != G.MaxK)
        return "Prizes does not hold MaxK rows";
    for (const auto &row : G.Prizes)
        if (row.size() != G.MaxK)
            return "a row of Prizes does not hold MaxK entries";
    if (!StakeInRange(G.BasicStake) || !StakeInRange(G.WinStake))
        return "a stake is outside 0.." + CurrToStr(MaxStake);
    if (G.HasSystems && Newton[G.MaxSize][G.BetSize] > INT32_MAX)
        return "the simple bets of MaxSize numbers leave 32 bits";
    for (int k = 1; k <= G.MaxSize; ++k)
        if (!FullSystemCountsExact(G, G.MaxNumber, k))
            return "the counts of a full system of MaxNumber numbers, " + std::to_string(k) +
                   " per combination, leave 64 bits";
    return {};
}

bool IsMultiBet(const TGameInfo &G, int K)
{
    return G.HasSystems && K >= G.MultiFrom;
}

Currency BetCost(const TGameInfo &G, int K, int32_t Count)
{
    Currency cost = G.BasicStake * Count;
    if (IsMultiBet(G, K))
        cost = cost * Newton[size_t(K)][size_t(G.MultiFrom) - 1];
    return cost;
}

namespace {

int ClampK(const TGameInfo &G, int K)
{
    return std::clamp(K, int(G.MinK), int(G.MaxK));
}

// Entries whose hits fall outside HitsFrom..HitsTo, or outside the prize row, add nothing.
template <typename TCount>
Currency SumWins(const TGameInfo &G, int K, int TopHits, const TCount *Vec, int Len, int HitsFrom, int HitsTo)
{
    const auto &prizes = G.Prizes[size_t(ClampK(G, K)) - 1];
    const int low = std::max(HitsFrom, 1);
    const int high = std::min(HitsTo, int(prizes.size()));
    Currency win;
    for (int i = 0; i < Len; ++i) {
        const int hits = TopHits - i;
        if (Vec[i] == 0 || hits < low || hits > high)
            continue;
        const Currency prize = prizes[size_t(hits) - 1];
        // A level without a prize ("-", below zero) pays nothing.
        if (prize <= Currency())
            continue;
        // A count held at its type's largest value stands for more bets than it says.
        if (Vec[i] == std::numeric_limits<TCount>::max())
            throw std::overflow_error("WinAmount: more winning bets than a count holds");
        win += prize * Vec[i] * G.WinStake;
    }
    return win;
}

// Each count of combinations at a level (entry i holds TopHits - i hits) becomes the counts of the simple
// bets they stand for: BetsAt(M, j) of the bets of a combination with M hits count at entry j. A count
// beyond the vector's type holds the type's largest value.
template <typename TCount, typename TBetsAt>
void ExpandHitCounts(int TopHits, TCount *Vec, int Len, const TBetsAt &BetsAt)
{
    using TWide = __int128;
    const TWide most = std::numeric_limits<TCount>::max();
    for (int i = Len - 1; i >= 0; --i) {
        const TCount count = Vec[i];
        if (count == 0)
            continue;
        Vec[i] = 0;
        for (int j = i; j < Len; ++j) {
            // Both factors are below 2^63: their product and a sum with a count fit in 127 bits.
            const TWide expanded = TWide(Vec[j]) + TWide(count) * TWide(BetsAt(TopHits - i, j));
            Vec[j] = TCount(std::min(expanded, most));
        }
    }
}

template <typename TCount>
void ExpandTableHits(const TGameInfo &G, int S, int TopHits, TCount *Vec, int Len)
{
    if (S < 1 || size_t(S) > G.HitsTable.size())
        throw std::out_of_range("ExpandHits: the hits table has no row for " + std::to_string(S) + " numbers");
    const auto &rows = G.HitsTable[size_t(S) - 1];
    const int betLevels = G.LevelCounts[size_t(G.BetSize) - 1];
    ExpandHitCounts(TopHits, Vec, Len, [&rows, betLevels, Len](int M, int j) {
        return rows[size_t(M) - 1][size_t(betLevels - Len + j)];
    });
}

// C(N, K); 0 when K is outside 0..N.
int64_t Choose(int N, int K)
{
    return K < 0 || K > N ? 0 : Newton[size_t(N)][size_t(K)];
}

// The exact counts of a full system, highest level first; a count the vector cannot hold throws.
template <typename TCount>
void CopyHitsInFull(int N, int K, int M, TCount *Vec, int Len, int Offset)
{
    THitsInFull hits;
    hits.Init(uint8_t(N), uint8_t(K), uint8_t(M));
    hits.CountAtLeast();
    hits.MakeExact();
    for (int i = 0; i < Len; ++i) {
        const int level = Len + Offset - 1 - i;
        const int64_t count = level >= 0 && level <= K ? hits.Counts[size_t(level)] : 0;
        bool fits = count != THitsInFull::Saturated;
        if constexpr (sizeof(TCount) < sizeof(int64_t))
            fits = fits && count <= std::numeric_limits<TCount>::max();
        if (!fits)
            throw std::overflow_error("HitsInFullVector: a count leaves the vector's range");
        Vec[i] = TCount(count);
    }
}

} // namespace

int MinWinHits(const TGameInfo &G, int K)
{
    return G.MinHits[size_t(ClampK(G, K)) - 1];
}

int HitLevelCount(const TGameInfo &G, int K)
{
    if (K > G.MaxK)
        return G.LevelCounts[size_t(G.MaxK) - 1];
    if (K < G.MinK)
        return std::max(0, K - G.MinHits[size_t(G.MinK) - 1] + 1);
    return G.LevelCounts[size_t(K) - 1];
}

Currency WinAmount(const TGameInfo &G, int K, int TopHits, const int32_t *Vec, int Len)
{
    return SumWins(G, K, TopHits, Vec, Len, 1, TopHits);
}

Currency WinAmount(const TGameInfo &G, int K, int TopHits, const int64_t *Vec, int Len)
{
    return SumWins(G, K, TopHits, Vec, Len, 1, TopHits);
}

Currency WinAmountInLevels(const TGameInfo &G, int K, int TopHits, const int64_t *Vec, int LowHits, int HighHits,
                           int Len)
{
    return SumWins(G, K, TopHits, Vec, Len, LowHits, HighHits);
}

void ExpandHits(const TGameInfo &G, int S, int TopHits, int32_t *Vec, int Len)
{
    ExpandTableHits(G, S, TopHits, Vec, Len);
}

void ExpandHits(const TGameInfo &G, int S, int TopHits, int64_t *Vec, int Len)
{
    ExpandTableHits(G, S, TopHits, Vec, Len);
}

void ExpandHitsOfAnySize(const TGameInfo &G, int S, int TopHits, int64_t *Vec, int Len)
{
    if (S < G.BetSize || S > G.MaxNumber)
        throw std::out_of_range("ExpandHitsOfAnySize: no simple bets of " + std::to_string(S) + " numbers");
    const int bet = G.BetSize;
    ExpandHitCounts(TopHits, Vec, Len, [S, bet, TopHits](int M, int j) {
        const int hits = TopHits - j;
        return Choose(M, hits) * Choose(S - M, bet - hits);
    });
}

void HitsInFullVector(int N, int K, int M, int32_t *Vec, int Len, int Offset)
{
    CopyHitsInFull(N, K, M, Vec, Len, Offset);
}

void HitsInFullVector(int N, int K, int M, int64_t *Vec, int Len, int Offset)
{
    CopyHitsInFull(N, K, M, Vec, Len, Offset);
}

void BuildLevelCounts(TGameInfo &G)
{
    G.LevelCounts.assign(G.MaxSize, 0);
    for (int k = G.BetSize; k <= G.MaxSize; ++k) {
        const int minHits = G.MinHits[size_t(k) - 1];
        G.LevelCounts[size_t(k) - 1] =
            uint8_t(IsMultiBet(G, k) ? G.MultiFrom - minHits : k - minHits + 1);
    }
}

bool BuildHitsTable(TGameInfo &G)
{
    const int bet = G.BetSize;
    const int betMinHits = G.MinHits[size_t(bet) - 1];
    G.HitsTable.assign(G.MaxSize, std::vector<TDynIntArr>(size_t(bet), TDynIntArr(G.LevelCounts[size_t(bet) - 1], 0)));
    THitsInFull hits;
    for (int s = G.MultiFrom; s <= G.MaxSize; ++s) {
        for (int m = betMinHits; m <= bet; ++m) {
            hits.Init(uint8_t(s), uint8_t(bet), uint8_t(m));
            hits.CountAtLeast();
            hits.MakeExact();
            TDynIntArr &levels = G.HitsTable[size_t(s) - 1][size_t(m) - 1];
            for (int j = betMinHits; j <= m; ++j) {
                if (hits.Counts[size_t(j)] > INT32_MAX)
                    return false;
                levels[size_t(bet - j)] = int32_t(hits.Counts[size_t(j)]);
            }
        }
    }
    return true;
}

void THitsInfo::Init(const TGameInfo &G, int N, int K, bool FromOne)
{
    LowHits = MinWinHits(G, K);
    HighHits = IsMultiBet(G, K) ? G.MultiFrom - 1 : std::min(K, int(G.MaxK));
    LevelCount = std::max(0, HighHits - LowHits + 1);
    RowCount = FromOne ? std::max(0, HighHits) : LevelCount;
    FirstLevel = FromOne ? 1 : LowHits;
    RowLabels.clear();
    for (int r = 0; r < RowCount; ++r)
        RowLabels.push_back(std::to_string(HighHits - r));
    TopDrawn = std::min(int(G.Drawn), N);
    ColCount = std::max(0, TopDrawn - LowHits + 1);
    ColLabels.clear();
    for (int c = 0; c < ColCount; ++c)
        ColLabels.push_back(std::to_string(LowHits + c));
}
