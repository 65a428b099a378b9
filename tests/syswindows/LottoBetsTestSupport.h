#pragma once
// Lotto's simple bets counted plainly for the check tests: how many bets of six a combination of any
// size holds at each count of hits, what they win, and the numbers a combination shares with a draw.

#include "core/DynArrays.h"

#include <algorithm>
#include <array>
#include <cstdint>

// Lotto's prizes in złoty by hits.
inline constexpr std::array<int64_t, 7> LottoPrize = {0, 0, 0, 24, 150, 4000, 2000000};

inline int64_t Choose(int N, int K)
{
    if (K < 0 || K > N)
        return 0;
    int64_t result = 1;
    for (int i = 1; i <= K; ++i)
        result = result * (N - K + i) / i;
    return result;
}

// The simple bets of Size numbers with Hits of the drawn: how many of them have each count of hits.
inline std::array<int64_t, 7> Bets(int Size, int Hits)
{
    std::array<int64_t, 7> bets{};
    for (int j = 0; j <= 6; ++j)
        bets[size_t(j)] = Choose(Hits, j) * Choose(Size - Hits, 6 - j);
    return bets;
}

// The win in złoty of a combination of Size numbers with Hits, its bets paid at the levels From..To.
inline int64_t WinOf(int Size, int Hits, int From = 3, int To = 6)
{
    const std::array<int64_t, 7> bets = Bets(Size, Hits);
    int64_t win = 0;
    for (int j = std::max(From, 3); j <= std::min(To, 6); ++j)
        win += bets[size_t(j)] * LottoPrize[size_t(j)];
    return win;
}

// How many of the drawn numbers belong to Comb.
inline int Common(const TDynByteArr &Comb, const TDynByteArr &Drawn)
{
    return int(std::count_if(Drawn.begin(), Drawn.end(),
                             [&Comb](uint8_t N) { return std::find(Comb.begin(), Comb.end(), N) != Comb.end(); }));
}
