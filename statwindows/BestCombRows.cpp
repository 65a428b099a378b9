#include "statwindows/BestCombRows.h"

#include <utility>

void TBestCombBatches::Add(TBestCombRow Row)
{
    bool ask = false;
    {
        const std::lock_guard lock(FLock);
        FPending.push_back(std::move(Row));
        ask = !std::exchange(FTakeAsked, true);
    }
    if (ask)
        FPost();
}

std::vector<TBestCombRow> TBestCombBatches::Take()
{
    const std::lock_guard lock(FLock);
    FTakeAsked = false;
    return std::exchange(FPending, {});
}

void TBestCombBatches::Reset()
{
    const std::lock_guard lock(FLock);
    FPending.clear();
    FTakeAsked = false;
}
