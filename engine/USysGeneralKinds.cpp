// The system factory. A new kind adds its header and one line to the table.
#include "engine/USysGeneral.h"
#include "engine/USysShort.h"
#include "engine/USysUser.h"

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
    {skShort2, make<TSysShort2>},
    {skUser, make<TSysUser>},
};

} // namespace

std::unique_ptr<TSystem> CreateSystem(int32_t Kind, const TGameData *Game)
{
    for (const TSystemMaker &maker : SystemMakers)
        if (maker.Kind == Kind)
            return maker.Make(Game);
    return nullptr;
}
