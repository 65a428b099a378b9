#include "shell/FMainSelectors.h"

int SystemSelectorKind(int Index)
{
    // Classic, variable, random, full, composite full, staking, guaranteed.
    static constexpr std::array<int, 7> kinds = {0, 1, 4, 2, 3, 6, 7};
    if (Index < 0 || Index >= int(kinds.size()))
        return -1;
    return kinds[size_t(Index)];
}

QString StatCaption(int StatIndex)
{
    for (const TStatItem &item : StatItems)
        if (item.StatIndex == StatIndex)
            return item.Caption;
    return QString();
}
