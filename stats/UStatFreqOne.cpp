#include "stats/UStatFreq.h"

#include <algorithm>

TStatFreqOne::TStatFreqOne(const TGameInfo *Game) : TStat(Game, nullptr, nullptr) {}

void TStatFreqOne::Calculate()
{
    Count = N;
    Rows.assign(static_cast<size_t>(std::max(N, 0)), TFreqItem{});
    for (int32_t position = 0; position < K; ++position) {
        for (size_t d = 0; d < Draws.size(); ++d) {
            const TDynByteArr &numbers = Draws[d].Numbers;
            if (static_cast<size_t>(position) >= numbers.size())
                continue;
            const uint8_t number = numbers[static_cast<size_t>(position)];
            if (number < 1 || number > N)
                continue;
            TFreqItem &row = Rows[number - 1u];
            ++row.Freq;
            if (d < row.Last)
                row.Last = static_cast<uint32_t>(d);
        }
    }
    for (size_t i = 0; i < Rows.size(); ++i)
        Rows[i].Code = static_cast<int64_t>(i + 1);
}
