#include "stats/UStatDiff.h"

#include "core/ProgramLocale.h"
#include "core/ScopedSet.h"
#include "stats/UExpVal.h"

#include <algorithm>
#include <utility>

TStatDiffs::TStatDiffs(const TGameInfo *Game, TSystem *Source, TProgressProc OnProgress, TFinishedProc AOnFinished)
    : TStatTables(Game, Source, std::move(OnProgress))
{
    OnFinished = std::move(AOnFinished);
    AddDetailTable(DiffCounts, DiffCountGroups);
    AddDetailTable(DiffPositions, DiffPositionGroups);
    AddPatternTable(DiffRepeats, DiffRepeatGroups, JoinedPattern);
    AddDetailTable(NumberPositions, NumberPositionGroups);
}

void TStatDiffs::Start(std::function<void()> Arrange)
{
    DropWorker();
    State = ssParams;
    StartWorker([this, Arrange = std::move(Arrange)](TMyThread &AThread) {
        // The sorts over a system's many rows poll too.
        const TScopedSet<const TMyThread *> sorting(SortThread, &AThread);
        Calculate(AThread);
        if (Arrange)
            Arrange();
        State = ssComputed;
    });
}

void TStatDiffs::Finished()
{
    if (OnFinished)
        OnFinished();
}

void TStatDiffs::FreeResults()
{
    ClassCount = 0;
    DiffCaptions.clear();
    for (TDets *details : {&DiffCounts, &DiffPositions, &NumberPositions})
        TDets().swap(*details);
    for (TGDets *groups : {&DiffCountGroups, &DiffPositionGroups, &NumberPositionGroups})
        FreeGDets(*groups);
    for (TTDets *summary : {&DiffCountSummary, &DiffPositionSummary, &NumberPositionSummary})
        TTDets().swap(*summary);
    FreeCDets(DiffRepeats);
    FreeCGDets(DiffRepeatGroups);
    DiffPositionMeans.clear();
    NumberPositionMeans.clear();
}

void TStatDiffs::Calculate(const TMyThread &Thread)
{
    // Five passes over the draws.
    Progress.Init(10000.0, 5 * static_cast<int64_t>(DrawCount), 0);
    BuildDiffClasses(Thread);
    CalcDiffCounts(Thread);
    CalcDiffPositions(Thread);
    CalcDiffRepeats(Thread);
    CalcNumberPositions(Thread);
    SortTablesByDraw();
}

void TStatDiffs::DrawDone(const TMyThread &Thread)
{
    Progress.Advance(1);
    if (Poll(TStatStep::Counting, Thread))
        throw EStatStopped{};
}

void TStatDiffs::BuildDiffClasses(const TMyThread &Thread)
{
    DiffPresent.assign(static_cast<size_t>(N), false);
    for (const TStatDraw &draw : Draws) {
        for (int32_t j = 1; j < K; ++j)
            DiffPresent[draw.Numbers[static_cast<size_t>(j)] - draw.Numbers[static_cast<size_t>(j) - 1] - 1u] = true;
        DrawDone(Thread);
    }
    ClassCount = 0;
    DiffCaptions.clear();
    ClassOf.assign(static_cast<size_t>(std::max(N - K + 1, 0)), 0);
    for (int32_t d = 1; d <= N; ++d)
        if (DiffPresent[static_cast<size_t>(d) - 1]) {
            DiffCaptions.push_back(FormatFloat("00", d));
            ClassOf[static_cast<size_t>(d) - 1] = ClassCount++;
        }
}

void TStatDiffs::CalcDiffCounts(const TMyThread &Thread)
{
    TTDets().swap(DiffCountSummary);
    NewDetails(DiffCounts, ClassCount);
    for (int32_t i = 0; i < DrawCount; ++i) {
        const TDynByteArr &x = NumbersOf(i);
        for (int32_t j = 1; j < K; ++j)
            ++DiffCounts[static_cast<size_t>(i)][static_cast<size_t>(ClassOf[x[static_cast<size_t>(j)] - x[static_cast<size_t>(j) - 1] - 1u])].Value;
        DrawDone(Thread);
    }
    GroupAndSummarize(DiffCounts, DiffCountGroups, DiffCountSummary, ClassCount, WidestGroup1);
}

void TStatDiffs::CalcDiffPositions(const TMyThread &Thread)
{
    PositionCount = std::max(K - 1, 0);
    NewDetails(DiffPositions, PositionCount);
    for (int32_t i = 0; i < DrawCount; ++i) {
        const TDynByteArr &x = NumbersOf(i);
        for (int32_t j = 0; j < PositionCount; ++j)
            DiffPositions[static_cast<size_t>(i)][static_cast<size_t>(j)].Value =
                x[static_cast<size_t>(j) + 1] - x[static_cast<size_t>(j)];
        DrawDone(Thread);
    }
    GroupAndSummarize(DiffPositions, DiffPositionGroups, DiffPositionSummary, PositionCount, WidestGroup2);
    ColumnMeans(DiffPositions, PositionCount, DiffPositionMeans);
    for (int32_t j = 0; j < PositionCount; ++j)
        DiffPositionSummary[static_cast<size_t>(j)].Expected =
            PoolSize < 1 ? 0 : ExpKthSmallest(PoolSize, K, j + 2) - ExpKthSmallest(PoolSize, K, j + 1);
}

void TStatDiffs::CalcDiffRepeats(const TMyThread &Thread)
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
        DrawDone(Thread);
    }
    GroupPatterns(DiffRepeats, DiffRepeatGroups, WidestGroup3);
}

void TStatDiffs::CalcNumberPositions(const TMyThread &Thread)
{
    NumberCount = K;
    NewDetails(NumberPositions, NumberCount);
    for (int32_t i = 0; i < DrawCount; ++i) {
        const TDynByteArr &x = NumbersOf(i);
        for (int32_t j = 0; j < NumberCount; ++j)
            NumberPositions[static_cast<size_t>(i)][static_cast<size_t>(j)].Value = x[static_cast<size_t>(j)];
        DrawDone(Thread);
    }
    GroupAndSummarize(NumberPositions, NumberPositionGroups, NumberPositionSummary, NumberCount, WidestGroup4);
    ColumnMeans(NumberPositions, NumberCount, NumberPositionMeans);
    for (int32_t j = 0; j < NumberCount; ++j)
        NumberPositionSummary[static_cast<size_t>(j)].Expected = PoolSize < 1 ? 0 : ExpKthSmallest(PoolSize, K, j + 1);
}
