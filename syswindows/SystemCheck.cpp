#include "syswindows/SystemCheck.h"

#include "core/UComb.h"
#include "core/UGlobalProgress.h"
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

TCheckRow TSystemCheck::Check(const TSystem &System, const uint8_t *Drawn, int D, TProgress &Progress) const
{
    TCheckRow row;
    row.Hits.assign(size_t(HitsInfo.RowCount), 0);
    for (int i = 0; i < System.ViewCount(); ++i) {
        const int hits = std::min(CountHits(D, K, Drawn, System.GetComb(i, true)), Top);
        if (hits >= 1)
            ++row.Hits[size_t(Top - hits)];
        Progress.Advance(1);
    }
    if (IsMultiBet(*Game, K))
        ExpandHits(*Game, K, Top, row.Hits.data(), HitsInfo.LevelCount);
    row.Win = WinAmount(*Game, K, Top, row.Hits.data(), HitsInfo.LevelCount);
    return row;
}

void TSystemCheck::AddResult(TCheckRow Row)
{
    for (size_t i = 0; i < Totals.Hits.size(); ++i)
        Totals.Hits[i] += Row.Hits[i];
    Totals.Win += Row.Win;
    DrawResults.push_back(std::move(Row));
}

void TSystemCheck::Group(TCheckGroup Group)
{
    if (Group == cgDay) {
        Shown = DrawResults;
        return;
    }
    Shown.clear();
    for (const TCheckRow &row : DrawResults) {
        const TDateTime key = GroupKey(row.Date, Group);
        if (Shown.empty() || Shown.back().Date != key) {
            TCheckRow opened;
            opened.Date = key;
            opened.Hits.assign(row.Hits.size(), 0);
            Shown.push_back(std::move(opened));
        }
        TCheckRow &open = Shown.back();
        for (size_t i = 0; i < row.Hits.size(); ++i)
            open.Hits[i] += row.Hits[i];
        open.Win += row.Win;
    }
}

void TSystemCheck::Sort(int Key, int Direction)
{
    // -1, 0 or 1 as A's key is smaller, equal or larger.
    const auto compareKeys = [Key](const TCheckRow &A, const TCheckRow &B) {
        if (Key == ckHits) {
            const auto [a, b] = std::mismatch(A.Hits.begin(), A.Hits.end(), B.Hits.begin());
            return a == A.Hits.end() ? 0 : *a < *b ? -1 : 1;
        }
        if (Key == ckWin)
            return A.Win == B.Win ? 0 : A.Win < B.Win ? -1 : 1;
        return A.Date == B.Date ? 0 : A.Date < B.Date ? -1 : 1;
    };
    std::stable_sort(Shown.begin(), Shown.end(), [&](const TCheckRow &A, const TCheckRow &B) {
        const int order = compareKeys(A, B);
        if (order != 0)
            return Direction > 0 ? order > 0 : order < 0;
        return A.Date > B.Date;
    });
}
