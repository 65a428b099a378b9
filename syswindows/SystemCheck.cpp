#include "syswindows/SystemCheck.h"

#include "core/HitHistogram.h"
#include "core/MoneyRange.h"
#include "core/UGlobalThreads.h"
#include "engine/USysGeneral.h"

#include <algorithm>
#include <cmath>
#include <utility>

TDateTime GroupKey(TDateTime Date, TCheckGroup Group)
{
    const TDateTime day = std::floor(Date);
    int year = 0, month = 0, dayOfMonth = 0;
    switch (Group) {
    case cgWeek:
        return day - (DayOfTheWeek(day) - 1);
    case cgMonth:
        DecodeDate(day, year, month, dayOfMonth);
        return EncodeDate(year, month, 1);
    case cgYear:
        DecodeDate(day, year, month, dayOfMonth);
        return EncodeDate(year, 1, 1);
    default:
        return Date;
    }
}

void TSystemCheck::Reset(const TGameInfo &AGame, int N, int AK)
{
    Game = &AGame;
    K = AK;
    HitsInfo.Init(AGame, N, AK, true);
    Top = HitsInfo.HighHits;
    DrawResults.clear();
    Shown.clear();
    Totals = TCheckRow{};
    Totals.Hits.assign(size_t(HitsInfo.RowCount), 0);
}

void TSystemCheck::AddResult(TCheckRow Row)
{
    for (size_t i = 0; i < Totals.Hits.size(); ++i)
        Totals.Hits[i] += Row.Hits[i];
    Totals.Win = SumInRange(Totals.Win, Row.Win);
    DrawResults.push_back(std::move(Row));
}

void TSystemCheck::Group(TCheckGroup Group)
{
    Shown = GroupCheckRows(DrawResults, Group);
}

std::vector<TCheckRow> GroupCheckRows(const std::vector<TCheckRow> &Rows, TCheckGroup Group)
{
    if (Group == cgDay)
        return Rows;
    std::vector<TCheckRow> grouped;
    for (const TCheckRow &row : Rows) {
        const TDateTime key = GroupKey(row.Date, Group);
        if (grouped.empty() || grouped.back().Date != key) {
            TCheckRow opened;
            opened.Date = key;
            opened.Hits.assign(row.Hits.size(), 0);
            grouped.push_back(std::move(opened));
        }
        TCheckRow &open = grouped.back();
        for (size_t i = 0; i < row.Hits.size(); ++i)
            open.Hits[i] += row.Hits[i];
        open.Win = SumInRange(open.Win, row.Win);
    }
    return grouped;
}

void TSystemCheck::Sort(int Key, int Direction)
{
    SortCheckRows(Shown, {Key, Direction});
}

void SortCheckRows(std::vector<TCheckRow> &Rows, const TCheckOrder &Order)
{
    // -1, 0 or 1 as A's key is smaller, equal or larger.
    const auto first = [&Order](const TCheckRow &A, const TCheckRow &B) {
        if (Order.ByIndex)
            return A.Index == B.Index ? 0 : A.Index < B.Index ? -1 : 1;
        return A.Date == B.Date ? 0 : A.Date < B.Date ? -1 : 1;
    };
    const auto compareKeys = [&Order, &first](const TCheckRow &A, const TCheckRow &B) {
        switch (Order.Key) {
        case ckHits: {
            const size_t from = std::min(Order.FirstHit, A.Hits.size());
            const size_t to = from + std::min(Order.HitCount, A.Hits.size() - from);
            const auto [a, b] = std::mismatch(A.Hits.begin() + from, A.Hits.begin() + to, B.Hits.begin() + from);
            return a == A.Hits.begin() + to ? 0 : *a < *b ? -1 : 1;
        }
        case ckWin: // a win beyond the range of money above every other
            return A.Win == B.Win ? 0 : !B.Win || (A.Win && *A.Win < *B.Win) ? -1 : 1;
        case ckSum:
            return A.Sum == B.Sum ? 0 : A.Sum < B.Sum ? -1 : 1;
        default:
            return first(A, B);
        }
    };
    std::stable_sort(Rows.begin(), Rows.end(), [&](const TCheckRow &A, const TCheckRow &B) {
        const int order = compareKeys(A, B);
        if (order != 0)
            return Order.Direction > 0 ? order > 0 : order < 0;
        return Order.ByIndex ? first(A, B) < 0 : first(A, B) > 0;
    });
}

std::vector<TCheckDraw> CheckDrawsOf(const TStatDraws &Draws)
{
    std::vector<TCheckDraw> checked;
    checked.reserve(Draws.size());
    for (const TStatDraw &draw : Draws)
        checked.push_back({MaskOf(draw.Numbers.data(), int(draw.Numbers.size())), int32_t(checked.size()), draw.Date});
    return checked;
}

TCheckJob::TCheckJob(const TSystemCheck &Levels, const TSystem &System, std::vector<TCheckDraw> Draws)
    : FGame(*Levels.Game), FK(Levels.K), FTop(Levels.Top), FRowCount(Levels.HitsInfo.RowCount),
      FLevelCount(Levels.HitsInfo.LevelCount), FSystemNumbers(System.ViewNumbers()), FDraws(std::move(Draws)),
      FLevels((size_t(FK) + 1) * HitLanes, 0)
{
}

void TCheckJob::BuildRowMasks()
{
    if (FSystemNumbers.empty())
        return;
    FSystemRows.reserve(FSystemNumbers.size() / size_t(FK));
    for (size_t at = 0; at < FSystemNumbers.size(); at += size_t(FK))
        FSystemRows.push_back(MaskOf(FSystemNumbers.data() + at, FK));
    FWide = std::any_of(FSystemRows.begin(), FSystemRows.end(), [](const TNumberMask &M) { return M.Hi != 0; });
    FSystemNumbers = TDynByteArr();
}

void TCheckJob::Execute(const TMyThread &Thread)
{
    BuildRowMasks();
    Rows.reserve(FDraws.size());
    const int32_t perDraw = int32_t(FSystemRows.size());
    for (const TCheckDraw &draw : FDraws) {
        if (Thread.GetTerminated())
            return;
        TCheckRow row = Check(draw.Numbers);
        row.Index = draw.Index;
        row.Date = draw.Date;
        Rows.push_back(std::move(row));
        Progress.Advance(perDraw);
    }
}

TCheckRow TCheckJob::Check(const TNumberMask &Drawn)
{
    BuildRowMasks();
    const size_t stride = size_t(FK) + 1;
    HitHistogram(FSystemRows.data(), FSystemRows.size(), Drawn, FWide, FLevels.data(), stride);
    TCheckRow row;
    row.Hits.assign(size_t(FRowCount), 0);
    for (size_t hits = 1; hits < stride; ++hits) {
        int64_t rows = 0;
        for (size_t lane = 0; lane < HitLanes; ++lane)
            rows += FLevels[lane * stride + hits];
        row.Hits[HitElement(int(hits), FTop)] += rows;
    }
    std::fill(FLevels.begin(), FLevels.end(), 0);
    if (IsMultiBet(FGame, FK))
        ExpandHits(FGame, FK, FTop, row.Hits.data(), FLevelCount);
    row.Win = InMoneyRange([&] { return WinAmount(FGame, FK, FTop, row.Hits.data(), FLevelCount); });
    return row;
}
