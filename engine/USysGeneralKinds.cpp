// The system factory. A new kind adds its header and one line to the table.
#include "engine/USysFull.h"
#include "engine/USysFullComp.h"
#include "engine/USysGeneral.h"
#include "engine/USysGuar.h"
#include "engine/USysRnd.h"
#include "engine/USysShort.h"
#include "engine/USysStage.h"
#include "engine/USysUser.h"
#include "engine/USysVar.h"

#include <stdexcept>

namespace {

template <typename TKind> std::unique_ptr<TSystem> make(const TGameData *Game)
{
    return std::make_unique<TKind>(Game);
}

struct TSystemMaker {
    int32_t Kind;
    std::unique_ptr<TSystem> (*Make)(const TGameData *Game);
};

constexpr TSystemMaker SystemMakers[] = {
    {skShort, make<TSysShort>},
    {skVar, make<TSysVar>},
    {skFull, make<TSysFull>},
    {skFullComp, make<TSysFullComp>},
    {skRnd, make<TSysRnd>},
    {skStage, make<TSysStage>},
    {skShort2, make<TSysShort2>},
    {skUser, make<TSysUser>},
    {skGuar, make<TSysGuar>},
};

} // namespace

std::unique_ptr<TSystem> CreateSystem(int32_t Kind, const TGameData *Game)
{
    for (const TSystemMaker &maker : SystemMakers)
        if (maker.Kind == Kind)
            return maker.Make(Game);
    return nullptr;
}

std::unique_ptr<TSystem> CopySystem(const TSystem &Source)
{
    std::unique_ptr<TSystem> copy = CreateSystem(Source.Kind, Source.Game);
    if (!copy)
        throw std::logic_error("CopySystem: a system of an unknown kind");
    copy->Assign(Source);
    copy->Progress.OnProgress = nullptr;
    return copy;
}
