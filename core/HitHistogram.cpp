#include "core/HitHistogram.h"

#include <bit>

namespace {

template <bool Wide>
[[gnu::always_inline]] inline int commonNumbers(const TNumberMask &Row, const TNumberMask &Drawn)
{
    int hits = std::popcount(Row.Lo & Drawn.Lo);
    if constexpr (Wide)
        hits += std::popcount(Row.Hi & Drawn.Hi);
    return hits;
}

template <bool Wide>
[[gnu::always_inline]] inline void histogram(const TNumberMask *Rows, size_t Count, TNumberMask Drawn,
                                             int32_t *Levels, size_t Stride)
{
    int32_t *lane[HitLanes];
    for (size_t l = 0; l < HitLanes; ++l)
        lane[l] = Levels + l * Stride;
    size_t i = 0;
    for (; i + HitLanes <= Count; i += HitLanes)
        for (size_t l = 0; l < HitLanes; ++l)
            ++lane[l][commonNumbers<Wide>(Rows[i + l], Drawn)];
    for (; i < Count; ++i)
        ++lane[0][commonNumbers<Wide>(Rows[i], Drawn)];
}

} // namespace

POPCOUNT_CLONES void HitHistogram(const TNumberMask *Rows, size_t Count, TNumberMask Drawn, bool Wide,
                                  int32_t *Levels, size_t Stride)
{
    if (Wide)
        histogram<true>(Rows, Count, Drawn, Levels, Stride);
    else
        histogram<false>(Rows, Count, Drawn, Levels, Stride);
}
