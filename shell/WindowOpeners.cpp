#include "shell/WindowOpeners.h"

#include <utility>

namespace {

TWindowOpeners &Installed()
{
    static TWindowOpeners openers;
    return openers;
}

} // namespace

void InstallWindowOpeners(TWindowOpeners Openers)
{
    Installed() = std::move(Openers);
}

const TWindowOpeners &WindowOpeners()
{
    return Installed();
}
