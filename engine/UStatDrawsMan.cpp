#include "engine/UStatDrawsMan.h"

#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"

#include <algorithm>

TStatDrawsMan StatDrawsMan;

namespace {

void AppendDraw(TStatDraws &Arr, const TDraw &Draw, int32_t No, size_t Drawn)
{
    TStatDraw &rec = Arr.emplace_back();
    rec.No = No;
    rec.Date = Draw.Date;
    rec.Numbers.assign(Draw.Numbers.begin(), Draw.Numbers.begin() + std::min(Drawn, Draw.Numbers.size()));
}

} // namespace

int32_t TStatDrawsMan::LoadSelected(TStatDraws &Arr, const TDrawsManager &Manager) const
{
    Clear(Arr);
    const size_t drawn = Manager.GetGame()->Info.Drawn;
    for (int32_t i = 0; i < Manager.Count(); ++i) {
        const TDraw &draw = Manager.GetDraw(i);
        if (draw.Mark == 1)
            AppendDraw(Arr, draw, draw.No, drawn);
    }
    return static_cast<int32_t>(Arr.size());
}

int32_t TStatDrawsMan::LoadRange(TStatDraws &Arr, const TDrawsManager &Manager, TDrawsRange &Range) const
{
    // The marks belong to the shared history: the range is resolved without writing them.
    Clear(Arr);
    std::vector<int32_t> indexes;
    Manager.ResolveRange(Range, indexes);
    const size_t drawn = Manager.GetGame()->Info.Drawn;
    for (const int32_t i : indexes)
        AppendDraw(Arr, Manager.GetDraw(i), i + 1, drawn);
    return static_cast<int32_t>(Arr.size());
}

int32_t TStatDrawsMan::LoadSystem(TStatDraws &Arr, const TSystem &System) const
{
    Clear(Arr);
    const int32_t count = System.ViewCount();
    Arr.resize(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        TStatDraw &rec = Arr[static_cast<size_t>(i)];
        rec.No = i + 1;
        rec.Date = i;
        System.CopyComb(i, true, rec.Numbers);
    }
    return count;
}

int32_t TStatDrawsMan::CopyDraws(const TStatDraws &Source, TStatDraws &Dest, int32_t First, int32_t Count) const
{
    Clear(Dest);
    const int64_t size = static_cast<int64_t>(Source.size());
    const int64_t first = std::clamp<int64_t>(First, 0, size);
    const int64_t last = Count <= 0 ? size : std::min<int64_t>(first + Count, size);
    Dest.assign(Source.begin() + first, Source.begin() + last);
    return static_cast<int32_t>(Dest.size());
}

void TStatDrawsMan::BuildHitMaps(const TGameInfo &Game, TStatDraws &Arr) const
{
    BuildHitMaps(Arr, Game.MaxNumber, Game.Drawn);
}

void TStatDrawsMan::BuildHitMaps(TStatDraws &Arr, int32_t MaxNumber, int32_t Len) const
{
    const size_t size = static_cast<size_t>(std::max(MaxNumber, 0));
    for (TStatDraw &rec : Arr) {
        rec.Hits.assign(size, false);
        const size_t len = std::min(rec.Numbers.size(), static_cast<size_t>(std::max(Len, 0)));
        for (size_t j = 0; j < len; ++j) {
            const uint8_t number = rec.Numbers[j];
            if (number >= 1 && number <= size)
                rec.Hits[number - 1u] = true;
        }
    }
}

void TStatDrawsMan::Clear(TStatDraws &Arr) const
{
    TStatDraws().swap(Arr);
}

void TStatDrawsMan::SortByDate(TStatDraws &Arr, int32_t Dir) const
{
    if (Dir > 0)
        std::sort(Arr.begin(), Arr.end(), [](const TStatDraw &A, const TStatDraw &B) { return A.Date > B.Date; });
    else
        std::sort(Arr.begin(), Arr.end(), [](const TStatDraw &A, const TStatDraw &B) { return A.Date < B.Date; });
}

void TStatDrawsMan::SortByMark(TStatDraws &Arr, int32_t Dir) const
{
    if (Dir > 0)
        std::sort(Arr.begin(), Arr.end(), [](const TStatDraw &A, const TStatDraw &B) { return A.Mark > B.Mark; });
    else
        std::sort(Arr.begin(), Arr.end(), [](const TStatDraw &A, const TStatDraw &B) { return A.Mark < B.Mark; });
}
