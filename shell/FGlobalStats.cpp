#include "shell/FGlobalStats.h"

#include <utility>

namespace {

TStatWindowOpener &StatWindowOpener()
{
    static TStatWindowOpener opener;
    return opener;
}

TPredReductOpener &PredReductOpener()
{
    static TPredReductOpener opener;
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

void SetPredReductOpener(TPredReductOpener Opener)
{
    PredReductOpener() = std::move(Opener);
}

void OpenPredReduct()
{
    if (PredReductOpener())
        PredReductOpener()();
}
