#include "stats/UStatSuccNums.h"

#include <algorithm>
#include <utility>

TStatSucc::TStatSucc(const TGameInfo *Game, TSystem *Source, TProgressProc OnProgress)
    : TStatTables(Game, Source, std::move(OnProgress))
{
    AddDetailTable(Details, Groups);
    AddPatternTable(Patterns, PatternGroups, JoinedPattern);
}

int32_t TStatSucc::CountRuns(const uint8_t *Numbers, TDynIntArr &Counts, int32_t K)
{
    int32_t len = 1, longest = 0;
    for (int32_t i = 1; i < K; ++i) {
        if (Numbers[i] - Numbers[i - 1] == 1) {
            longest = std::max(longest, ++len);
            if (i == K - 1)
                ++Counts[static_cast<size_t>(len)];
        } else if (len > 1) {
            ++Counts[static_cast<size_t>(len)];
            len = 1;
        }
    }
    return longest;
}

int32_t TStatSucc::RunPattern(const uint8_t *Numbers)
{
    std::fill(PatternBuf.begin(), PatternBuf.end(), 0);
    int32_t runs = 0, len = 1;
    const auto close = [&] {
        if (len > 1)
            PatternBuf[static_cast<size_t>(runs++)] = static_cast<uint8_t>(len);
        len = 1;
    };
    for (int32_t i = 1; i < K; ++i) {
        if (Numbers[i] - Numbers[i - 1] == 1)
            ++len;
        else
            close();
    }
    close();
    return runs;
}

void TStatSucc::Calculate()
{
    Progress.Init(10000.0, 2 * static_cast<int64_t>(DrawCount), 0);
    TTDets().swap(SummaryRows);
    LongestRun = 1;
    RunCounts.assign(static_cast<size_t>(K) + 1, 0);
    for (const TStatDraw &draw : Draws)
        LongestRun = std::max(LongestRun, CountRuns(draw.Numbers.data(), RunCounts, K));
    Lengths.clear();
    for (int32_t len = 2; len <= K; ++len)
        if (RunCounts[static_cast<size_t>(len)] > 0)
            Lengths.push_back(len);
    LengthCount = static_cast<int32_t>(Lengths.size());

    // Without any run there are no columns; every draw's pattern still says so.
    NewDetails(Details, LengthCount);
    for (int32_t i = 0; i < DrawCount; ++i) {
        std::fill(RunCounts.begin(), RunCounts.end(), 0);
        CountRuns(Draws[static_cast<size_t>(i)].Numbers.data(), RunCounts, K);
        for (int32_t j = 0; j < LengthCount; ++j)
            Details[static_cast<size_t>(i)][static_cast<size_t>(j)].Value =
                RunCounts[static_cast<size_t>(Lengths[static_cast<size_t>(j)])];
        Progress.Advance(1);
    }
    GroupAndSummarize(Details, Groups, SummaryRows, LengthCount, WidestGroup);
    ColumnMeans(Details, LengthCount, RunningMeans);

    NewPatterns(Patterns, K / 2);
    PatternBuf.assign(static_cast<size_t>(PatternWidth), 0);
    MaxRuns = 0;
    for (int32_t i = 0; i < DrawCount; ++i) {
        const int32_t runs = RunPattern(Draws[static_cast<size_t>(i)].Numbers.data());
        MaxRuns = std::max(MaxRuns, runs);
        SetRightAligned(Patterns, i, PatternBuf.data(), runs);
        Progress.Advance(1);
    }
    GroupPatterns(Patterns, PatternGroups, WidestPatternGroup);
    SortTablesByDraw();
}
