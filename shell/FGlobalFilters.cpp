#include "shell/FGlobalFilters.h"

#include "engine/UFilters.h"

#include <utility>

namespace {

TDrawsFilterOpener &DrawsFilterOpener()
{
    static TDrawsFilterOpener opener;
    return opener;
}

} // namespace

void SetDrawsFilterOpener(TDrawsFilterOpener Opener)
{
    DrawsFilterOpener() = std::move(Opener);
}

std::optional<TDrawsFilterChoice> OpenDrawsFilter(QWidget *Parent, TGameData *Game, TDrawsManager &Manager)
{
    if (!DrawsFilterOpener())
        return std::nullopt;
    return DrawsFilterOpener()(Parent, Game, Manager);
}
