// What a guarantee makes of its counts: probabilities, the order of the rows, wins and statistics; and
// the set of guarantees of one system.
#include "engine/UGameMan.h"
#include "engine/UGuaranty.h"
#include "engine/USysGeneral.h"

#include <algorithm>
#include <cmath>

namespace {

// 1 when A is the higher vector, -1 when B is, 0 when equal (entry by entry from the highest level).
int compareVectors(const TDynIntArr &A, const TDynIntArr &B)
{
    const auto [a, b] = std::mismatch(A.begin(), A.end(), B.begin(), B.end());
    if (a == A.end())
        return 0;
    return *a > *b ? 1 : -1;
}

template <typename T> int compareValues(T A, T B)
{
    return A > B ? 1 : A < B ? -1 : 0;
}

} // namespace

void SortGuarVectors(TGuarVectors &Vectors, double MinProb, uint8_t Mode, int Dir)
{
    std::stable_sort(Vectors.begin(), Vectors.end(), [=](const TGuarVector &A, const TGuarVector &B) {
        const bool aboveA = A.Probability >= MinProb, aboveB = B.Probability >= MinProb;
        if (aboveA != aboveB)
            return aboveA;
        if (!aboveA)
            return false;
        const int key = Mode == 1   ? compareValues(A.Probability, B.Probability)
                        : Mode == 2 ? compareValues(A.Win, B.Win)
                                    : 0;
        if (key != 0)
            return key * Dir > 0;
        const int byVector = compareVectors(A.Hits, B.Hits);
        return Mode == 0 ? byVector * Dir > 0 : byVector > 0;
    });
}

void TGuaranty::finish()
{
    computeProbabilities();
    computeWins();
    computeStatistics();
}

// The quotient rounded to single precision.
void TGuaranty::computeProbabilities()
{
    AboveCount = 0;
    for (TGuarVector &vector : Vectors) {
        vector.Probability = Total > 0 ? double(float(double(vector.Frequency) / double(Total))) : 0.0;
        if (vector.Probability >= MinProb)
            ++AboveCount;
    }
    SortGuarVectors(Vectors, MinProb, 0, 1);
}

// A multi-bet row is played as its simple bets: the vectors count those (unless they already do, as
// read from a file), and the wins are theirs. The game's tables reach only its largest size.
void TGuaranty::computeWins()
{
    if (!System.FullBet)
        return;
    const TGameInfo &game = Game->Info;
    const bool multiBet = IsMultiBet(game, K);
    if (multiBet && K > game.MaxSize)
        return;
    for (TGuarVector &vector : Vectors) {
        if (multiBet && !VectorsExpanded)
            ExpandHits(game, K, HitInfo.HighHits, vector.Hits.data(), RowCount());
        vector.Win = WinAmount(game, K, HitInfo.HighHits, vector.Hits.data(), RowCount());
    }
}

void TGuaranty::computeStatistics()
{
    const size_t rows = size_t(RowCount());
    MeanHits.assign(rows, 0.0f);
    StdHits.assign(rows, 0.0f);
    MeanWin = StdWin = Currency();
    MinVector = MaxVector = TGuarExtreme();
    if (Vectors.empty())
        return;
    const auto extreme = [](const TGuarVector &V) { return TGuarExtreme{V.Hits, V.Probability, V.Win}; };
    const auto byVector = [](const TGuarVector &A, const TGuarVector &B) {
        return compareVectors(A.Hits, B.Hits) < 0;
    };
    MinVector = extreme(*std::min_element(Vectors.begin(), Vectors.end(), byVector));
    MaxVector = extreme(*std::max_element(Vectors.begin(), Vectors.end(), byVector));
    for (const TGuarVector &vector : Vectors) {
        MeanWin += vector.Win * vector.Probability;
        for (size_t j = 0; j < rows; ++j)
            MeanHits[j] = float(MeanHits[j] + vector.Hits[j] * vector.Probability);
    }
    double winSquares = 0;
    std::vector<double> hitSquares(rows, 0.0);
    for (const TGuarVector &vector : Vectors) {
        const double win = (vector.Win - MeanWin).toDouble();
        winSquares += win * win;
        for (size_t j = 0; j < rows; ++j) {
            const double hits = vector.Hits[j] - double(MeanHits[j]);
            hitSquares[j] += hits * hits;
        }
    }
    const double count = double(Vectors.size());
    StdWin = Currency::fromDouble(std::sqrt(winSquares / count));
    for (size_t j = 0; j < rows; ++j)
        StdHits[j] = float(std::sqrt(hitSquares[j] / count));
}

TSetGuaranty::TSetGuaranty(const TGameData *Game_, double MinProb_, const TSystem &System_)
    : FSystem(CopySystem(System_)), Game(Game_), System(*FSystem), MinProb(MinProb_), K(uint8_t(System_.K)),
      Description(System_.GetDescription(false))
{
    HitInfo.Init(Game->Info, System.N, System.K, !System.FullBet);
}

void TSetGuaranty::Add(std::unique_ptr<TGuaranty> Guaranty)
{
    Guaranty->MinProb = MinProb;
    MaxRows = uint8_t(std::max(int(MaxRows), Guaranty->RowCount()));
    Items.push_back(std::move(Guaranty));
}

void TSetGuaranty::SortRows(uint8_t Mode, int Dir)
{
    if (Mode == SortMode && Dir == SortDir)
        return;
    for (const auto &item : Items)
        SortGuarVectors(item->Vectors, item->MinProb, Mode, Dir);
    SortMode = Mode;
    SortDir = Dir;
}

int TGuaranty::DetailRowCount(double MinProb_) const
{
    return std::max<int>(1, int(std::count_if(Vectors.begin(), Vectors.end(),
                                              [=](const TGuarVector &V) { return V.Probability >= MinProb_; })));
}

int TSetGuaranty::DetailRowCount(double MinProb_) const
{
    int rows = 0;
    for (const auto &item : Items)
        rows += item->DetailRowCount(MinProb_);
    return rows;
}
