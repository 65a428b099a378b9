#include "stats/UStatDigits.h"

#include "stats/UExpVal.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

std::string RepeatedDigitsText(const uint8_t *Pattern, int32_t Width, int32_t Len)
{
    return TStatTables::JoinedPattern(Pattern, Width, Len) + " ";
}

} // namespace

TStatDigits::TStatDigits(const TGameInfo *Game, TSystem *Source, TProgressProc OnProgress)
    : TStatTables(Game, Source, std::move(OnProgress)), DigitCounts(10, 0)
{
    AddDetailTable(Details, Groups);
    AddPatternTable(Patterns, PatternGroups, RepeatedDigitsText);
}

void TStatDigits::SetDigitKind(uint8_t Kind)
{
    DigitKind = Kind;
}

void TStatDigits::CountDigits(const uint8_t *Numbers)
{
    for (int32_t j = 0; j < K; ++j)
        ++DigitCounts[static_cast<size_t>(DigitOf(Numbers[j]))];
}

void TStatDigits::CountDraw(int32_t Draw)
{
    std::fill(DigitCounts.begin(), DigitCounts.end(), 0);
    CountDigits(Draws[static_cast<size_t>(Draw)].Numbers.data());
}

void TStatDigits::Calculate()
{
    Progress.Init(10000.0, 2 * static_cast<int64_t>(DrawCount), 0);
    std::fill(DigitCounts.begin(), DigitCounts.end(), 0);
    for (const TStatDraw &draw : Draws)
        CountDigits(draw.Numbers.data());
    PresentDigits.clear();
    for (int32_t digit = 0; digit < 10; ++digit)
        if (DigitCounts[static_cast<size_t>(digit)] > 0)
            PresentDigits.push_back(digit);
    PresentCount = static_cast<int32_t>(PresentDigits.size());

    TTDets().swap(SummaryRows);
    NewDetails(Details, PresentCount);
    for (int32_t i = 0; i < DrawCount; ++i) {
        CountDraw(i);
        for (int32_t j = 0; j < PresentCount; ++j)
            Details[static_cast<size_t>(i)][static_cast<size_t>(j)].Value =
                DigitCounts[static_cast<size_t>(PresentDigits[static_cast<size_t>(j)])];
        Progress.Advance(1);
    }
    GroupAndSummarize(Details, Groups, SummaryRows, PresentCount, WidestGroup);
    if (FromDraws)
        for (int32_t j = 0; j < PresentCount; ++j)
            SummaryRows[static_cast<size_t>(j)].Expected =
                ExpDigitCount(N, K, PresentDigits[static_cast<size_t>(j)], DigitKind == 1);
    ColumnMeans(Details, PresentCount, RunningMeans);
    CalcPatterns();
    SortTablesByDraw();
}

void TStatDigits::CalcPatterns()
{
    NewPatterns(Patterns, std::min(K / 2, 10));
    MaxRepeated = 0;
    std::array<uint8_t, 10> repeated{};
    for (int32_t i = 0; i < DrawCount; ++i) {
        CountDraw(i);
        int32_t n = 0;
        for (const int32_t count : DigitCounts)
            if (count > 1)
                repeated[static_cast<size_t>(n++)] = static_cast<uint8_t>(count);
        MaxRepeated = std::max(MaxRepeated, n);
        SetRightAligned(Patterns, i, repeated.data(), n);
        Progress.Advance(1);
    }
    GroupPatterns(Patterns, PatternGroups, WidestPatternGroup);
}
