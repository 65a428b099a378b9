#pragma once
// Differences between the neighbouring numbers x1 < x2 < ... < xK of every working draw (or system row),
// in four tables: 1 how many neighbour differences of each size a draw has (one column per difference
// occurring anywhere), 2 the difference at each position, 3 a pattern of how often the draw's repeated
// differences occur, 4 the j-th smallest number. Each with its groups; tables 1, 2 and 4 with summary
// rows, 2 and 4 with expected values and running means. Computed in a worker that can be stopped.

#include "core/DynArrays.h"
#include "stats/UStatTables.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TStatDiffs : public TStatTables {
public:
    TStatDiffs(const TGameInfo *Game, TSystem *Source, TProgressProc OnProgress, TFinishedProc AOnFinished = {});

    // The four tables from the working draws in a worker, each left latest draw first; then Arrange,
    // when given, on the worker too (the owner's own sorts of the tables). OnFinished follows on the
    // GUI thread with State ssComputed, or ssStopped with the results freed. Call on the GUI thread.
    void Start(std::function<void()> Arrange = {});
    void Finished() override;

    // Table 1: difference classes.
    TDets DiffCounts;
    TGDets DiffCountGroups;
    TTDets DiffCountSummary;
    int32_t ClassCount = 0;
    int32_t WidestGroup1 = 0;
    // Table 2: difference positions.
    TDets DiffPositions;
    TGDets DiffPositionGroups;
    TTDets DiffPositionSummary;
    int32_t PositionCount = 0; // K - 1
    int32_t WidestGroup2 = 0;
    std::vector<std::vector<float>> DiffPositionMeans;
    // Table 3: repeated differences, their multiplicities ascending and right-aligned.
    TCDets DiffRepeats;
    TCGDets DiffRepeatGroups;
    int32_t WidestGroup3 = 0;
    int32_t MaxRepeats = 0;
    // Table 4: number positions.
    TDets NumberPositions;
    TGDets NumberPositionGroups;
    TTDets NumberPositionSummary;
    int32_t NumberCount = 0; // K
    int32_t WidestGroup4 = 0;
    std::vector<std::vector<float>> NumberPositionMeans;

    TDynBoolArr DiffPresent;               // N entries: the difference d - 1 occurs somewhere
    std::vector<std::string> DiffCaptions; // per class: its difference, "01", "02", ...
    TDynIntArr ClassOf;                    // N - K + 1 entries: the class of difference d - 1
    TDynByteArr RepeatBuf;                 // N counters by difference

protected:
    void FreeResults() override;

private:
    void Calculate(const TMyThread &Thread);
    // One working draw done: the progress advanced, and EStatStopped once the worker is asked to stop.
    void DrawDone(const TMyThread &Thread);
    void BuildDiffClasses(const TMyThread &Thread);
    void CalcDiffCounts(const TMyThread &Thread);
    void CalcDiffPositions(const TMyThread &Thread);
    void CalcDiffRepeats(const TMyThread &Thread);
    void CalcNumberPositions(const TMyThread &Thread);
    const TDynByteArr &NumbersOf(int32_t Draw) const { return Draws[static_cast<size_t>(Draw)].Numbers; }
};
