#pragma once
// The staking system: no combinations of its own but a betting plan over D successive draws on the full
// system of N numbers, K per combination. Each draw plays as many copies of the full system as it takes
// for a draw with M drawn numbers among the N to win back everything staked so far plus the wanted
// profit; the plan shows the net result for every larger M too.

#include "core/Currency.h"
#include "core/DynArrays.h"
#include "engine/UGame.h"
#include "engine/USysGeneral.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One draw of the plan.
struct TSysItem {
    uint32_t Multiplier = 0;   // copies of the full system
    uint32_t Combinations = 0; // Multiplier x C(N, K)
    Currency Cost;             // of this draw
    Currency CumulativeCost;   // of this draw and those before it
    TDynCurrArray NetWins;     // [j]: with M + j drawn numbers, this draw's win less CumulativeCost
};

class TSysStage : public TSystem {
public:
    static constexpr uint32_t MaxDraws = 32;

    explicit TSysStage(const TGameData *Game);

    // Drops the last plan and sets the parameters: D is brought within 1..MaxDraws and the first D
    // entries of NewProfits (zeros for any missing) become Profits.
    void SetParams(int NewN, int NewK, uint32_t NewDrawCount, uint32_t NewMinDrawn, Currency NewProfit,
                   bool NewIndividualProfits, const TDynCurrArray &NewProfits);
    // Levels for every column of HitInfo and Plan sized to D rows; false, with no Levels, when K is not
    // within 1..N or the full system holds more than Limits.MaxCombOutput combinations.
    bool PrepareHits();
    // The fewest drawn numbers among the N whose win of the prepared Levels exceeds the full system's
    // cost; one past the top column when no column pays.
    int FirstPayingHit() const;
    // Builds Plan for MinDrawn. False, planning nothing, when the hits cannot be prepared, MinDrawn is not
    // a column of HitInfo or the net win at MinDrawn is not positive. A draw whose combinations would pass
    // 2,147,483,647 or whose money would leave the Currency range ends the plan early: PlanRows tells how
    // many rows are valid.
    bool Calculate();

    // C(N, K).
    int64_t GetCount() const override;
    // The body of the system file is one block of 275 bytes. Reading refuses N or K outside the
    // game and a short block; it restores the parameters only.
    bool LoadFromStream(platform::ByteReader &Stream) override;
    void SaveToStream(platform::ByteWriter &Stream) const override;
    std::string GetName(bool Short) const override;
    std::string GetDescription(bool Short) const override;

    THitsInfo HitInfo; // rows from the lowest winning level
    uint32_t DrawCount = 1;
    Currency Profit;
    bool IndividualProfits = false;
    std::array<Currency, MaxDraws> Profits{};
    uint32_t MinDrawn = 0;
    // [c]: the hit vector (HitInfo.LevelCount entries, highest level first) of the full system when
    // HitInfo.LowHits + c drawn numbers fall among the N; for sizes played as several simple bets, the
    // vector of those bets.
    std::vector<TDynInt64Arr> Levels;
    std::vector<TSysItem> Plan;
    uint32_t PlanRows = 0;
    uint32_t Columns = 0; // MinDrawn .. the top column

private:
    // The price of one combination of K numbers.
    Currency combinationCost() const;
    Currency columnWin(size_t Column) const;
    // The rows before a stop stay in Plan.
    void planDraws(Currency NetWin);
};
