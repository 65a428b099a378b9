#include "engine/UHitsInFull.h"

#include "core/UComb.h"

#include <algorithm>

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
        Counts[0] = static_cast<int32_t>(K == 0 ? Newton[N][K] : Newton[N][K] - Counts[1]);
        return;
    }
    if (J > K)
        return;
    const int64_t base = Newton[M][J] * Newton[N - J][K - J];
    if (J == M) {
        Counts[J] = static_cast<int32_t>(base);
        return;
    }
    int64_t surplus = 0;
    for (int i = Top; i > J; --i) {
        const int64_t above = i < Top ? Counts[i + 1] : 0;
        surplus += (Newton[i][J] - 1) * (Counts[i] - above);
    }
    Counts[J] = static_cast<int32_t>(base - surplus);
}

void THitsInFull::MakeExact()
{
    for (int j = 1; j < Top; ++j)
        Counts[j] -= Counts[j + 1];
}
