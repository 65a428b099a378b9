#include "shell/FGlobalUpdate.h"

#include <utility>

namespace {

TDrawsUpdateOpener &DrawsUpdateOpener()
{
    static TDrawsUpdateOpener opener;
    return opener;
}

} // namespace

void SetDrawsUpdateOpener(TDrawsUpdateOpener Opener)
{
    DrawsUpdateOpener() = std::move(Opener);
}

void OpenDrawsUpdate(QWidget *Owner)
{
    if (DrawsUpdateOpener())
        DrawsUpdateOpener()(Owner);
}
