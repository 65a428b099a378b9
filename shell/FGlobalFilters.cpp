#include "shell/FGlobalFilters.h"

#include "engine/UFilters.h"
#include "shell/WindowOpeners.h"

std::optional<TDrawsFilterChoice> OpenDrawsFilter(QWidget *Parent, TGameData *Game, TDrawsManager &Manager)
{
    return CallOpener(WindowOpeners().DrawsFilter, Parent, Game, Manager);
}
