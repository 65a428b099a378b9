#include "shell/FGlobalStats.h"

#include <utility>

namespace {

TStatWindowOpener &StatWindowOpener()
{
    static TStatWindowOpener opener;
    return opener;
}

} // namespace

void SetStatWindowOpener(TStatWindowOpener Opener)
{
    StatWindowOpener() = std::move(Opener);
}

void OpenStatWindow(int StatIndex, TGenForm *Parent)
{
    if (StatWindowOpener())
        StatWindowOpener()(StatIndex, Parent);
}
