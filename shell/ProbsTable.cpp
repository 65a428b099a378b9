#include "shell/ProbsTable.h"

#include "core/ProgramLocale.h"
#include "core/UComb.h"
#include "engine/UGame.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr double LeastShownProbability = 1e-10;

// The whole part of a non-negative value, every digit of it, however far beyond 64 bits.
std::string WholeDigits(long double Value)
{
    char digits[64];
    const auto result = std::to_chars(std::begin(digits), std::end(digits), std::floor(Value),
                                      std::chars_format::fixed, 0);
    return {digits, result.ptr};
}

} // namespace

TProbsRange ProbsRange(const TGameInfo &G)
{
    TProbsRange range;
    range.MinPicks = G.BetSize;
    range.MaxPicks = G.HasSystems ? G.MultiFrom - 1 : G.MaxSize;
    range.Low = range.MaxPicks;
    for (int p = range.MinPicks; p <= range.MaxPicks; ++p)
        range.Low = std::min<int>(range.Low, G.MinHits[size_t(p) - 1]);
    return range;
}

std::string ProbsCellText(int N, int Drawn, int LowDeg, int P, int H)
{
    if (H < LowDeg || H > P || H > Drawn || P - H > N - Drawn)
        return {};
    // Extended precision throughout: the 64-bit counts saturate once C(N, P) passes 2^63 - 1.
    const long double all = NewtonExt[size_t(N)][size_t(P)];
    const long double wins = NewtonExt[size_t(Drawn)][size_t(H)] * NewtonExt[size_t(N - Drawn)][size_t(P - H)];
    const double probability = double(wins / all);
    return "1 : " + WholeDigits(all / wins) + " = \n" +
           (probability >= LeastShownProbability ? FormatFloat("0.0000000000", probability) : "<0.0000000001");
}
