#include "stats/UStatMisc.h"

#include "core/ProgramLocale.h"
#include "core/UComb.h"
#include "stats/UExpVal.h"

#include <utility>

const std::array<const char *, 11> MiscCaptions{
    "Parzyste",     "Nieparzyste",  "Pierwsze",       "Suma liczb",       "Suma cyfr",         "Suma 1 cyfry",
    "Suma 2 cyfry", "Wspólne liczby", "Minimalna liczba", "Maksymalna liczba", "Różnica"};

namespace {

enum TMiscColumn : size_t {
    mcEvens, mcOdds, mcPrimes, mcSum, mcDigitSum, mcTensSum, mcUnitsSum, mcCommon, mcFirst, mcLast, mcSpread
};

std::string EvenOddText(const uint8_t *Pattern, int32_t, int32_t)
{
    return FormatFloat("00", Pattern[0]) + "P - " + FormatFloat("00", Pattern[1]) + "N";
}

} // namespace

TStatMisc::TStatMisc(const TGameInfo *Game, TSystem *Source, TProgressProc OnProgress)
    : TStatTables(Game, Source, std::move(OnProgress)), SummaryRows(PropertyCount)
{
    AddDetailTable(Details, Groups);
    AddPatternTable(Patterns, PatternGroups, EvenOddText);
    if (FromDraws)
        FillExpected(N, K);
}

void TStatMisc::FillExpected(int32_t PoolN, int32_t PoolK)
{
    if (PoolN < 1 || PoolK < 1)
        return;
    const auto set = [this](size_t Col, double Value) { SummaryRows[Col].Expected = Value; };
    set(mcEvens, ExpEvens(PoolN, PoolK));
    set(mcOdds, PoolK - ExpEvens(PoolN, PoolK));
    set(mcPrimes, ExpPrimes(PoolN, PoolK));
    set(mcSum, ExpSum(PoolN, PoolK));
    set(mcTensSum, ExpTensDigitSum(PoolN, PoolK));
    set(mcUnitsSum, ExpUnitsDigitSum(PoolN, PoolK));
    set(mcDigitSum, SummaryRows[mcTensSum].Expected + SummaryRows[mcUnitsSum].Expected);
    set(mcCommon, ExpCommon(PoolN, PoolK));
    set(mcFirst, ExpKthSmallest(PoolN, PoolK, 1));
    set(mcLast, ExpKthSmallest(PoolN, PoolK, PoolK));
    set(mcSpread, SummaryRows[mcLast].Expected - SummaryRows[mcFirst].Expected);
}

void TStatMisc::Calculate()
{
    Progress.Init(10000.0, 9 * static_cast<int64_t>(DrawCount), 0);
    NewDetails(Details, PropertyCount);
    FreeGDets(Groups);
    FreeCGDets(PatternGroups);
    if (!FromDraws)
        FillExpected(PoolSize, K);
    for (int32_t i = 0; i < DrawCount; ++i) {
        CalcProperties(i);
        Progress.Advance(8);
    }
    GroupAndSummarize(Details, Groups, SummaryRows, PropertyCount, WidestGroup);
    ColumnMeans(Details, PropertyCount, RunningMeans);

    NewPatterns(Patterns, 2);
    for (int32_t i = 0; i < DrawCount; ++i) {
        const TDetRow &row = Details[static_cast<size_t>(i)];
        uint8_t *pattern = Patterns.Pattern(i, 0);
        pattern[0] = static_cast<uint8_t>(row[mcEvens].Value);
        pattern[1] = static_cast<uint8_t>(row[mcOdds].Value);
        Patterns.SetItem(i, 0, i, 2);
        Progress.Advance(1);
    }
    GroupPatterns(Patterns, PatternGroups, WidestPatternGroup);
    SortTablesByDraw();
}

void TStatMisc::CalcProperties(int32_t Row)
{
    const TDynByteArr &numbers = Draws[static_cast<size_t>(Row)].Numbers;
    TDetRow &row = Details[static_cast<size_t>(Row)];
    int32_t evens = 0, primes = 0, tens = 0, units = 0;
    for (int32_t j = 0; j < K; ++j) {
        const uint8_t x = numbers[static_cast<size_t>(j)];
        evens += EvenTable[x] ? 1 : 0;
        primes += PrimeTable[x - 1u] ? 1 : 0;
        tens += x / 10;
        units += x % 10;
    }
    row[mcEvens].Value = evens;
    row[mcOdds].Value = K - evens;
    row[mcPrimes].Value = primes;
    row[mcSum].Value = CombSum(numbers.data(), K);
    row[mcDigitSum].Value = tens + units;
    row[mcTensSum].Value = tens;
    row[mcUnitsSum].Value = units;
    // The first row has no previous draw: its 0 is a value of its own.
    row[mcCommon].Value =
        Row == 0 ? 0 : CountHits(K, K, numbers.data(), Draws[static_cast<size_t>(Row) - 1].Numbers.data());
    if (K > 0) {
        row[mcFirst].Value = numbers.front();
        row[mcLast].Value = numbers[static_cast<size_t>(K) - 1];
        row[mcSpread].Value = row[mcLast].Value - row[mcFirst].Value;
    }
}
