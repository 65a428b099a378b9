#include "stats/UStatDiff.h"

#include "core/ProgramLocale.h"
#include "stats/UExpVal.h"

#include <algorithm>
#include <utility>

TStatDiffs::TStatDiffs(const TGameInfo *Game, TSystem *Source, TProgressProc OnProgress)
    : TStatTables(Game, Source, std::move(OnProgress))
{
    AddDetailTable(DiffCounts, DiffCountGroups);
    AddDetailTable(DiffPositions, DiffPositionGroups);
    AddPatternTable(DiffRepeats, DiffRepeatGroups, JoinedPattern);
    AddDetailTable(NumberPositions, NumberPositionGroups);
}

void TStatDiffs::Calculate()
{
    Progress.Init(10000.0, 4 * static_cast<int64_t>(DrawCount), 0);
    BuildDiffClasses();
    CalcDiffCounts();
    CalcDiffPositions();
    CalcDiffRepeats();
    CalcNumberPositions();
    SortTablesByDraw();
}

void TStatDiffs::BuildDiffClasses()
{
    DiffPresent.assign(static_cast<size_t>(N), false);
    for (const TStatDraw &draw : Draws)
        for (int32_t j = 1; j < K; ++j)
            DiffPresent[draw.Numbers[static_cast<size_t>(j)] - draw.Numbers[static_cast<size_t>(j) - 1] - 1u] = true;
    ClassCount = 0;
    DiffCaptions.clear();
    ClassOf.assign(static_cast<size_t>(std::max(N - K + 1, 0)), 0);
    for (int32_t d = 1; d <= N; ++d)
        if (DiffPresent[static_cast<size_t>(d) - 1]) {
            DiffCaptions.push_back(FormatFloat("00", d));
            ClassOf[static_cast<size_t>(d) - 1] = ClassCount++;
        }
}

void TStatDiffs::CalcDiffCounts()
{
    TTDets().swap(DiffCountSummary);
    NewDetails(DiffCounts, ClassCount);
    for (int32_t i = 0; i < DrawCount; ++i) {
        const TDynByteArr &x = NumbersOf(i);
        for (int32_t j = 1; j < K; ++j)
            ++DiffCounts[static_cast<size_t>(i)][static_cast<size_t>(ClassOf[x[static_cast<size_t>(j)] - x[static_cast<size_t>(j) - 1] - 1u])].Value;
        Progress.Advance(1);
    }
    GroupAndSummarize(DiffCounts, DiffCountGroups, DiffCountSummary, ClassCount, WidestGroup1);
}

void TStatDiffs::CalcDiffPositions()
{
    PositionCount = std::max(K - 1, 0);
    NewDetails(DiffPositions, PositionCount);
    for (int32_t i = 0; i < DrawCount; ++i) {
        const TDynByteArr &x = NumbersOf(i);
        for (int32_t j = 0; j < PositionCount; ++j)
            DiffPositions[static_cast<size_t>(i)][static_cast<size_t>(j)].Value =
                x[static_cast<size_t>(j) + 1] - x[static_cast<size_t>(j)];
        Progress.Advance(1);
    }
    GroupAndSummarize(DiffPositions, DiffPositionGroups, DiffPositionSummary, PositionCount, WidestGroup2);
    ColumnMeans(DiffPositions, PositionCount, DiffPositionMeans);
    for (int32_t j = 0; j < PositionCount; ++j)
        DiffPositionSummary[static_cast<size_t>(j)].Expected =
            PoolSize < 1 ? 0 : ExpKthSmallest(PoolSize, K, j + 2) - ExpKthSmallest(PoolSize, K, j + 1);
}

void TStatDiffs::CalcDiffRepeats()
{
    NewPatterns(DiffRepeats, K / 2);
    RepeatBuf.assign(static_cast<size_t>(N), 0);
    TDynByteArr repeated(static_cast<size_t>(K));
    MaxRepeats = 0;
    for (int32_t i = 0; i < DrawCount; ++i) {
        const TDynByteArr &x = NumbersOf(i);
        for (int32_t j = 1; j < K; ++j)
            ++RepeatBuf[x[static_cast<size_t>(j)] - x[static_cast<size_t>(j) - 1] - 1u];
        // Each repeated difference taken once, its counter cleared for the next draw.
        int32_t n = 0;
        for (int32_t j = 1; j < K; ++j) {
            uint8_t &counter = RepeatBuf[x[static_cast<size_t>(j)] - x[static_cast<size_t>(j) - 1] - 1u];
            if (counter > 1)
                repeated[static_cast<size_t>(n++)] = counter;
            counter = 0;
        }
        MaxRepeats = std::max(MaxRepeats, n);
        SetRightAligned(DiffRepeats, i, repeated.data(), n);
        Progress.Advance(1);
    }
    GroupPatterns(DiffRepeats, DiffRepeatGroups, WidestGroup3);
}

void TStatDiffs::CalcNumberPositions()
{
    NumberCount = K;
    NewDetails(NumberPositions, NumberCount);
    for (int32_t i = 0; i < DrawCount; ++i) {
        const TDynByteArr &x = NumbersOf(i);
        for (int32_t j = 0; j < NumberCount; ++j)
            NumberPositions[static_cast<size_t>(i)][static_cast<size_t>(j)].Value = x[static_cast<size_t>(j)];
        Progress.Advance(1);
    }
    GroupAndSummarize(NumberPositions, NumberPositionGroups, NumberPositionSummary, NumberCount, WidestGroup4);
    ColumnMeans(NumberPositions, NumberCount, NumberPositionMeans);
    for (int32_t j = 0; j < NumberCount; ++j)
        NumberPositionSummary[static_cast<size_t>(j)].Expected = PoolSize < 1 ? 0 : ExpKthSmallest(PoolSize, K, j + 1);
}
