#include "engine/USysFullCompGuaranty.h"

#include "core/UComb.h"
#include "engine/UGameMan.h"

#include <algorithm>

TFCSGuaranty::TFCSGuaranty(const TGameData *Game_, const TProgressProc &OnProgress, uint8_t A_, uint8_t X_,
                           uint8_t B_, uint8_t Y_)
    : Game(Game_), A(A_), X(X_), B(B_), Y(Y_), FullBet(X_ + Y_ >= Game_->Info.MinK)
{
    HitInfo.Init(Game->Info, A + B, X + Y, !FullBet);
    Progress.OnProgress = OnProgress;
}

bool TFCSGuaranty::Calculate()
{
    Rows.clear();
    const TGameInfo &game = Game->Info;
    const int k = X + Y;
    const bool multiBet = FullBet && IsMultiBet(game, k);
    // The game's tables turn bets of at most MaxSize numbers into simple bets.
    if (multiBet && k > game.MaxSize)
        return false;
    // Every count of a row is at most the system's combinations, or its simple bets.
    const int64_t betsEach = multiBet ? Newton[size_t(k)][size_t(game.MultiFrom) - 1] : 1;
    int64_t combinations = 0;
    if (!RankFits(A, X) || !RankFits(B, Y) ||
        __builtin_mul_overflow(Newton[A][X], Newton[B][Y], &combinations) ||
        combinations > INT32_MAX / betsEach)
        return false;
    makeRows();
    Progress.Init(10000, int64_t(Rows.size()), 0);
    for (TFCSRow &row : Rows) {
        if (!countHits(row)) {
            Rows.clear();
            return false;
        }
        if (FullBet) {
            if (multiBet)
                ExpandHits(game, k, HitInfo.HighHits, row.Hits.data(), HitInfo.RowCount);
            row.Win = WinAmount(game, k, HitInfo.HighHits, row.Hits.data(), HitInfo.RowCount);
        }
        Progress.Advance(1);
    }
    return true;
}

// With a full bet a case needs the lowest winning hits in all, and a group without a drawn number
// leaves the other group's picks to reach them.
void TFCSGuaranty::makeRows()
{
    const int first = HitInfo.FirstLevel;
    for (int hitsA = 0; hitsA <= A; ++hitsA) {
        for (int hitsB = 0; hitsB <= B; ++hitsB) {
            const int hits = hitsA + hitsB;
            if (hits > Game->Info.Drawn)
                continue;
            if (FullBet ? hits < first || (hitsA == 0 && Y < first) || (hitsB == 0 && X < first) : hits < 1)
                continue;
            Rows.push_back(
                TFCSRow{uint8_t(hitsA), uint8_t(hitsB), TDynIntArr(size_t(HitInfo.RowCount), 0), {}});
        }
    }
}

bool TFCSGuaranty::countHits(TFCSRow &Row)
{
    for (auto [hits, n, k, m] : {std::tuple{&FirstHits, A, X, Row.HitsA}, {&SecondHits, B, Y, Row.HitsB}}) {
        hits->Init(n, k, m);
        hits->CountAtLeast();
        hits->MakeExact();
        if (std::count(hits->Counts.begin(), hits->Counts.end(), THitsInFull::Saturated) != 0)
            return false;
    }
    // A combination hits L when its first part hits i and its second L - i.
    for (int level = HitInfo.HighHits; level >= HitInfo.FirstLevel; --level) {
        int64_t count = 0;
        for (int i = std::max(0, level - Y); i <= std::min(int(X), level); ++i)
            count += FirstHits.Counts[size_t(i)] * SecondHits.Counts[size_t(level - i)];
        Row.Hits[size_t(HitInfo.HighHits - level)] = int32_t(count);
    }
    return true;
}
