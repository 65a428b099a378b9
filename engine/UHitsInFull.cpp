#include "engine/UHitsInFull.h"

#include "core/UComb.h"

#include <algorithm>

namespace {

// Products of two binomials below 2^63, and the sums of the surplus (never above the base), fit here.
using TWide = unsigned __int128;

bool Known(int64_t V)
{
    return V != THitsInFull::Saturated;
}

int64_t Narrowed(TWide V)
{
    return V >= TWide(THitsInFull::Saturated) ? THitsInFull::Saturated : int64_t(V);
}

} // namespace

void THitsInFull::Init(uint8_t N_, uint8_t K_, uint8_t M_)
{
    N = N_;
    K = K_;
    M = M_;
    Top = std::min(M, K);
    Counts.assign(size_t(K) + 1, 0);
}

void THitsInFull::CountAtLeast()
{
    for (int j = Top; j >= 0; --j)
        CalcLevel(j);
}

// At least J hits: every choice of J drawn numbers and K - J other numbers, less the combinations with
// i > J hits that this counts C(i, J) times instead of once.
void THitsInFull::CalcLevel(int J)
{
    if (J == 0) {
        const int64_t all = Newton[N][K];
        Counts[0] = K == 0 ? all : Known(all) && Known(Counts[1]) ? all - Counts[1] : Saturated;
        return;
    }
    if (J > K)
        return;
    Counts[J] = Saturated; // until every input is known
    if (!Known(Newton[M][J]) || !Known(Newton[N - J][K - J]))
        return;
    const TWide base = TWide(Newton[M][J]) * TWide(Newton[N - J][K - J]);
    TWide surplus = 0;
    for (int i = Top; i > J; --i) {
        const int64_t above = i < Top ? Counts[i + 1] : 0;
        if (!Known(Newton[i][J]) || !Known(Counts[i]) || !Known(above))
            return;
        surplus += TWide(Newton[i][J] - 1) * TWide(Counts[i] - above);
    }
    Counts[J] = Narrowed(base - surplus);
}

void THitsInFull::MakeExact()
{
    for (int j = 1; j < Top; ++j)
        Counts[j] = Known(Counts[j]) && Known(Counts[j + 1]) ? Counts[j] - Counts[j + 1] : Saturated;
}
