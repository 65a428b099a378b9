#include "engine/UEFilters.h"

#include "engine/UDrawsDB.h"
#include "engine/UEFltKinds.h"
#include "engine/UGameMan.h"
#include "engine/UStatDrawsMan.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace {

// Histogram[h] + 1 for each draw that shares h >= Low numbers with Comb. Most draws share fewer, so
// the branch is seldom taken.
POPCOUNT_CLONES void CountDrawHits(const TNumberMask &Comb, const TNumberMask *Draws, size_t Count, int Low, int32_t *Histogram)
{
    if (Comb.Hi == 0) { // numbers 65..128 of the draws cannot hit
        for (size_t i = 0; i < Count; ++i) {
            const int hits = std::popcount(Comb.Lo & Draws[i].Lo);
            if (hits >= Low)
                ++Histogram[hits];
        }
        return;
    }
    for (size_t i = 0; i < Count; ++i) {
        const int hits = (Comb & Draws[i]).Count();
        if (hits >= Low)
            ++Histogram[hits];
    }
}

} // namespace

TEFilter::TEFilter(uint32_t Kind_, const TGameData *Game_, int64_t N_, const TDynByteArr &Numbers_, int64_t Total_,
                   int64_t K_, bool PatternRows_)
    : Game(Game_), N(N_), K(K_), Total(Total_), Numbers(Numbers_), Kind(Kind_), PatternRows(PatternRows_)
{
    if (Numbers.empty()) {
        Numbers.resize(size_t(N));
        std::iota(Numbers.begin(), Numbers.end(), uint8_t(1));
    }
    std::sort(Numbers.begin(), Numbers.end());
}

TEFilter::~TEFilter() = default;

void TEFilter::SetDrawsRange(TDrawsRange &Range, const TDrawsManager &Manager)
{
    TStatDraws draws;
    DrawCount = StatDrawsMan.LoadRange(draws, Manager, Range);
    DrawMasks.clear();
    for (const TStatDraw &draw : draws)
        DrawMasks.push_back(MaskOf(draw.Numbers.data(), int(draw.Numbers.size())));
    Comparing = true;
    HitsInfo.Init(Game->Info, int(N), int(K), false);
    CurHits.assign(size_t(HitsInfo.LevelCount), 0);
    Expanded.assign(size_t(HitsInfo.LevelCount), 0);
    HitHistogram.assign(size_t(K) + 1, 0);
}

void TEFilter::Reset()
{
    Rows.clear();
    RowCount = 0;
    MaxGroups = 0;
    TotalWin = Currency();
}

void TEFilter::CountHits(const uint8_t *C)
{
    std::fill(HitHistogram.begin(), HitHistogram.end(), 0);
    int32_t *histogram = HitHistogram.data();
    CountDrawHits(MaskOf(C, int(K)), DrawMasks.data(), DrawMasks.size(), HitsInfo.LowHits, histogram);
    // Draws hit beyond the top level (possible only above the game's largest bet) count at no level.
    const int top = HitsInfo.HighHits;
    for (int level = 0; level < HitsInfo.LevelCount; ++level) {
        const int hits = top - level;
        CurHits[size_t(level)] = hits <= K ? histogram[hits] : 0;
    }
}

TEFilterRow &TEFilter::AddRow(int64_t Count, const int64_t *Hits)
{
    TEFilterRow &row = Rows.emplace_back();
    row.Count = Count;
    row.Share = Total > 0 ? float(double(Count) / double(Total)) : 0.0f;
    if (Comparing)
        row.Hits.assign(Hits, Hits + HitsInfo.LevelCount);
    ++RowCount;
    return row;
}

void TEFilter::Finish()
{
    if (Comparing)
        FinishWins();
}

void TEFilter::FinishWins()
{
    const auto levels = size_t(HitsInfo.LevelCount);
    for (size_t level = 0; level < levels; ++level) {
        int64_t total = 0;
        for (const TEFilterRow &row : Rows)
            total += row.Hits[level];
        for (TEFilterRow &row : Rows) {
            const float share = total == 0 ? 0.0f : float(double(row.Hits[level]) / double(total));
            row.HitShares.push_back(share);
            row.HitRatios.push_back(row.Share > 0 ? share / row.Share : 0.0f);
        }
    }
    // A row of combinations the game plays as several simple bets wins what those bets win.
    const TGameInfo &game = Game->Info;
    const bool multiBet = IsMultiBet(game, int(K));
    TotalWin = Currency();
    for (TEFilterRow &row : Rows) {
        std::copy(row.Hits.begin(), row.Hits.end(), Expanded.begin());
        if (multiBet)
            ExpandHits(game, int(K), HitsInfo.HighHits, Expanded.data(), int(levels));
        row.Win = WinAmount(game, int(K), HitsInfo.HighHits, Expanded.data(), int(levels));
        TotalWin += row.Win;
    }
    for (TEFilterRow &row : Rows) {
        if (TotalWin == Currency()) {
            row.WinShare = 0;
            row.WinRatio = 0;
        } else {
            row.WinShare = float(row.Win.toDouble() / TotalWin.toDouble());
            row.WinRatio = row.Share > 0 ? row.WinShare / row.Share : 0.0f;
        }
    }
}

std::string TEFilter::GetRowText(const TEFilterRow &Row) const
{
    if (!PatternRows)
        return std::to_string(Row.Value);
    if (Row.Groups == 0)
        return "0";
    std::string text;
    for (size_t i = Row.Pattern.size() - size_t(Row.Groups); i < Row.Pattern.size(); ++i) {
        if (!text.empty())
            text += " - ";
        text += std::to_string(Row.Pattern[i]);
    }
    return text;
}

int TEFilter::CompareKeys(const TEFilterRow &A, const TEFilterRow &B) const
{
    if (!PatternRows)
        return A.Value < B.Value ? -1 : A.Value > B.Value ? 1 : 0;
    const auto order = std::lexicographical_compare_three_way(A.Pattern.begin(), A.Pattern.end(), B.Pattern.begin(),
                                                              B.Pattern.end());
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

template <typename TCompare>
void TEFilter::SortRows(TCompare Compare)
{
    std::sort(Rows.begin(), Rows.end(),
              [&Compare](const TEFilterRow &A, const TEFilterRow &B) { return Compare(A, B) < 0; });
}

// Dir 1: the greater key first.
template <typename TKey>
void TEFilter::SortByKey(TKey Key, int Dir, bool TieByValue)
{
    SortRows([this, &Key, Dir, TieByValue](const TEFilterRow &A, const TEFilterRow &B) {
        const auto a = Key(A);
        const auto b = Key(B);
        if (a > b)
            return -Dir;
        if (a < b)
            return Dir;
        return TieByValue ? CompareKeys(A, B) : 0;
    });
}

void TEFilter::SortByValue(int Dir)
{
    SortRows([this, Dir](const TEFilterRow &A, const TEFilterRow &B) { return -Dir * CompareKeys(A, B); });
}

void TEFilter::SortByCount(int Dir)
{
    SortByKey([](const TEFilterRow &Row) { return Row.Count; }, Dir, false);
}

void TEFilter::SortByHits(int Level, int Dir)
{
    HitsLevel = Level;
    SortByKey([Level](const TEFilterRow &Row) { return Row.Hits[size_t(Level)]; }, Dir, true);
}

void TEFilter::SortByWin(int Dir)
{
    SortByKey([](const TEFilterRow &Row) { return Row.Win; }, Dir, true);
}

void TEFilter::SortByHitsRatio(int Level, int Dir)
{
    RatioLevel = Level;
    SortByKey([Level](const TEFilterRow &Row) { return Row.HitRatios[size_t(Level)]; }, Dir, true);
}

void TEFilter::SortByWinRatio(int Dir)
{
    SortByKey([](const TEFilterRow &Row) { return Row.WinRatio; }, Dir, true);
}

std::unique_ptr<TEFilter> CreateEFilter(uint32_t Kind, const TGameData *Game, int64_t N, const TDynByteArr &Numbers,
                                        int64_t Total, int64_t K)
{
    switch (Kind) {
    case efltSucc:
        return std::make_unique<TEFltSucc>(Game, N, Numbers, Total, K);
    case efltPar:
        return std::make_unique<TEFltPar>(Game, N, Numbers, Total, K);
    case efltSum:
        return std::make_unique<TEFltSum>(Game, N, Numbers, Total, K);
    case efltSDigit1:
        return std::make_unique<TEFltSDigit1>(Game, N, Numbers, Total, K);
    case efltSDigit2:
        return std::make_unique<TEFltSDigit2>(Game, N, Numbers, Total, K);
    case efltSDigit12:
        return std::make_unique<TEFltSDigit12>(Game, N, Numbers, Total, K);
    case efltDist:
        return std::make_unique<TEFltDist>(Game, N, Numbers, Total, K);
    case efltGDigit1:
        return std::make_unique<TEFltGDigit1>(Game, N, Numbers, Total, K);
    case efltGDigit2:
        return std::make_unique<TEFltGDigit2>(Game, N, Numbers, Total, K);
    case efltDiffConf:
        return std::make_unique<TEFltDiffConf>(Game, N, Numbers, Total, K);
    default:
        return nullptr;
    }
}
