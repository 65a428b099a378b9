#include "syswindows/CombCheck.h"

#include "core/MoneyRange.h"
#include "core/UComb.h"

#include <algorithm>
#include <utility>

void TCombCheck::Reset(const TGameInfo &AGame, const TDynByteArr &AComb)
{
    *this = TCombCheck();
    Game = &AGame;
    Comb = AComb;
    HitsInfo.Init(AGame, AGame.MaxNumber, int(Comb.size()), true);
}

void TCombCheck::Check(TStatDraws ADraws, int From, int To, TProgress &Progress)
{
    Draws = std::move(ADraws);
    HitFrom = From;
    HitTo = To;
    DrawResults.clear();
    NumberRows.clear();
    const int top = HitsInfo.HighHits;
    const size_t rowCount = size_t(HitsInfo.RowCount);
    // Per number 1..MaxNumber, the draws by the level of the hits it was among.
    std::vector<TDynInt64Arr> numberHits(size_t(Game->MaxNumber) + 1, TDynInt64Arr(rowCount, 0));
    TDynByteArr common(Comb.size(), 0);
    DrawResults.reserve(Draws.size());
    for (size_t i = 0; i < Draws.size(); ++i) {
        const TStatDraw &draw = Draws[i];
        TCheckRow row;
        row.Index = int32_t(i);
        row.Date = draw.Date;
        row.Hits.assign(rowCount, 0);
        const int hits = CombIntersect(int(Comb.size()), int(draw.Numbers.size()), Comb.data(), draw.Numbers.data(),
                                       common.data());
        if (hits >= 1 && top >= 1) {
            const size_t element = HitElement(hits, top);
            row.Hits[element] = 1;
            row.Win = BandWin(row.Hits);
            for (int j = 0; j < hits; ++j)
                ++numberHits[common[size_t(j)]][element];
        }
        row.Sum = BandSum(row.Hits);
        DrawResults.push_back(std::move(row));
        Progress.Advance(1);
    }
    for (const uint8_t number : Comb)
        NumberRows.push_back(NumberRow(number, numberHits[number]));
}

TCheckRow TCombCheck::NumberRow(uint8_t Number, const TDynInt64Arr &Hits) const
{
    TCheckRow row;
    row.Index = Number;
    row.Hits = Hits;
    row.Sum = BandSum(Hits);
    row.Win = BandWin(Hits);
    return row;
}

void TCombCheck::Group(TCheckGroup AGroup)
{
    Shown = GroupCheckRows(DrawResults, AGroup);
    Totals = TCheckRow{};
    Totals.Hits.assign(size_t(HitsInfo.RowCount), 0);
    for (TCheckRow &row : Shown) {
        row.Sum = BandSum(row.Hits);
        for (size_t i = 0; i < row.Hits.size(); ++i)
            Totals.Hits[i] += row.Hits[i];
        Totals.Win = SumInRange(Totals.Win, row.Win);
    }
    Totals.Sum = BandSum(Totals.Hits);
    const double count = double(std::max<size_t>(Shown.size(), 1));
    Means.assign(Totals.Hits.size(), 0);
    for (size_t i = 0; i < Means.size(); ++i)
        Means[i] = double(Totals.Hits[i]) / count;
    MeanSum = Shown.empty() ? 0 : Totals.Sum / int64_t(Shown.size());
    MeanWin = Shown.empty() ? Currency() : Totals.Win ? *Totals.Win / int(Shown.size()) : std::optional<Currency>();
}

std::optional<Currency> TCombCheck::BandWin(const TDynInt64Arr &Hits) const
{
    const int k = int(Comb.size());
    // The levels below the winning ones pay nothing.
    const size_t levels = std::min(Hits.size(), size_t(std::max(HitsInfo.LevelCount, 0)));
    TDynInt64Arr counts(Hits.begin(), Hits.begin() + std::ptrdiff_t(levels));
    if (IsMultiBet(*Game, k))
        ExpandHitsOfAnySize(*Game, k, HitsInfo.HighHits, counts.data(), int(levels));
    return InMoneyRange([&] { return WinAmountInLevels(*Game, k, HitsInfo.HighHits, counts.data(), HitFrom, HitTo, int(levels)); });
}

int64_t TCombCheck::BandSum(const TDynInt64Arr &Hits) const
{
    int64_t sum = 0;
    for (int level = HitFrom; level <= HitTo; ++level)
        sum += Hits[HitElement(level, HitsInfo.HighHits)];
    return sum;
}
