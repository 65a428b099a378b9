#include "engine/USysStage.h"

#include "core/ProgramParams.h"
#include "core/UComb.h"
#include "engine/UGameMan.h"

#include <algorithm>
#include <stdexcept>

TSysStage::TSysStage(const TGameData *Game) : TSystem(Game)
{
    Kind = skStage;
}

void TSysStage::SetParams(int NewN, int NewK, uint32_t NewDrawCount, uint32_t NewMinDrawn, Currency NewProfit,
                          bool NewIndividualProfits, const TDynCurrArray &NewProfits)
{
    TSystem::SetParams(NewN, NewK);
    Levels.clear();
    Plan.clear();
    PlanRows = 0;
    Columns = 0;
    DrawCount = std::clamp<uint32_t>(NewDrawCount, 1, MaxDraws);
    MinDrawn = NewMinDrawn;
    Profit = NewProfit;
    IndividualProfits = NewIndividualProfits;
    Profits.fill(Currency());
    std::copy_n(NewProfits.begin(), std::min<size_t>(DrawCount, NewProfits.size()), Profits.begin());
    HitInfo.Init(Game->Info, N, K, false);
}

bool TSysStage::PrepareHits()
{
    Levels.clear();
    Plan.assign(DrawCount, TSysItem());
    if (K < 1 || GetCount() == 0 || GetCount() > Limits.MaxCombOutput)
        return false;
    const TGameInfo &game = Game->Info;
    const int len = HitInfo.LevelCount;
    Levels.resize(size_t(std::max(0, HitInfo.ColCount)), TDynInt64Arr(size_t(len)));
    for (size_t c = 0; c < Levels.size(); ++c) {
        // Entry 0 holds HitInfo.HighHits hits.
        HitsInFullVector(N, K, HitInfo.LowHits + int(c), Levels[c].data(), len, HitInfo.LowHits);
        if (IsMultiBet(game, K))
            ExpandHits(game, K, HitInfo.HighHits, Levels[c].data(), len);
    }
    return true;
}

int TSysStage::FirstPayingHit() const
{
    try {
        const Currency cost = combinationCost() * GetCount();
        for (size_t c = 0; c < Levels.size(); ++c)
            if (columnWin(c) > cost)
                return HitInfo.LowHits + int(c);
    } catch (const std::overflow_error &) {
        // Money beyond the Currency range: no column is offered.
    }
    return HitInfo.LowHits + HitInfo.ColCount;
}

bool TSysStage::Calculate()
{
    const bool prepared = PrepareHits();
    PlanRows = 0;
    Columns = 0;
    const int64_t column = int64_t(MinDrawn) - HitInfo.LowHits;
    if (!prepared || column < 0 || column >= int64_t(Levels.size()))
        return false;
    Currency netWin;
    try {
        netWin = columnWin(size_t(column)) - combinationCost() * GetCount();
    } catch (const std::overflow_error &) {
        return false;
    }
    if (netWin <= Currency())
        return false;
    Columns = uint32_t(Levels.size() - size_t(column));
    planDraws(netWin);
    return true;
}

void TSysStage::planDraws(Currency NetWin)
{
    const int64_t total = GetCount();
    const size_t first = size_t(MinDrawn) - size_t(HitInfo.LowHits);
    Currency cumulative;
    try {
        const Currency stake = combinationCost();
        for (uint32_t i = 0; i < DrawCount; ++i) {
            const Currency profit = IndividualProfits ? Profits[i] : Profit;
            // Ceil((profit + cumulative) / NetWin), at least 1.
            const __int128 wanted = __int128(profit.count()) + cumulative.count();
            const __int128 multiplier = wanted <= 0 ? 1 : (wanted + NetWin.count() - 1) / NetWin.count();
            if (multiplier > INT32_MAX / total)
                return;
            TSysItem row;
            row.Multiplier = uint32_t(multiplier);
            row.Combinations = uint32_t(multiplier * total);
            row.Cost = stake * row.Combinations;
            row.CumulativeCost = cumulative + row.Cost;
            for (uint32_t j = 0; j < Columns; ++j)
                row.NetWins.push_back(columnWin(first + j) * row.Multiplier - row.CumulativeCost);
            cumulative = row.CumulativeCost;
            Plan[i] = std::move(row);
            ++PlanRows;
        }
    } catch (const std::overflow_error &) {
        // The draw's money leaves the Currency range: the plan ends before it.
    }
}

Currency TSysStage::combinationCost() const
{
    return BetCost(Game->Info, K, 1);
}

Currency TSysStage::columnWin(size_t Column) const
{
    const TDynInt64Arr &hits = Levels[Column];
    return WinAmount(Game->Info, K, HitInfo.HighHits, hits.data(), int(hits.size()));
}

int64_t TSysStage::GetCount() const
{
    return K >= 0 && K <= N && size_t(N) < Newton.size() ? Newton[size_t(N)][size_t(K)] : 0;
}

bool TSysStage::LoadFromStream(platform::ByteReader &Stream)
{
    uint8_t n = 0, k = 0, individual = 0;
    uint32_t drawCount = 0, minDrawn = 0;
    int64_t profit = 0;
    TDynCurrArray profits(MaxDraws);
    if (!Stream.get(n) || !Stream.get(k) || !Stream.get(drawCount) || !Stream.get(profit) ||
        !Stream.get(individual))
        return false;
    for (Currency &value : profits) {
        int64_t count = 0;
        Stream.get(count);
        value = Currency::fromCount(count);
    }
    if (!Stream.get(minDrawn))
        return false;
    const TGameInfo &game = Game->Info;
    if (k < game.MinK || k > game.MaxK || n < k || n > game.MaxNumber)
        return false;
    SetParams(n, k, drawCount, minDrawn, Currency::fromCount(profit), individual != 0, profits);
    return true;
}

void TSysStage::SaveToStream(platform::ByteWriter &Stream) const
{
    Stream.put<uint8_t>(uint8_t(N));
    Stream.put<uint8_t>(uint8_t(K));
    Stream.put<uint32_t>(DrawCount);
    Stream.put<int64_t>(Profit.count());
    Stream.put<uint8_t>(IndividualProfits ? 1 : 0);
    for (uint32_t i = 0; i < MaxDraws; ++i)
        Stream.put<int64_t>(i < DrawCount ? Profits[i].count() : 0);
    Stream.put<uint32_t>(MinDrawn);
}

std::string TSysStage::GetName(bool Short) const
{
    return Short ? "Stawkowy" : "System stawkowy";
}

std::string TSysStage::GetDescription(bool Short) const
{
    return GetName(Short) + " " + std::to_string(K) + "/" + std::to_string(N) + "/" +
           std::to_string(PlanRows);
}
