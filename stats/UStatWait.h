#pragma once
// Waiting: how fast the draw history covers the space of all k-number combinations of its game (each
// k-subset of a draw counts as contained). Mode 1 answers, for every draw, how many draws from it onwards
// it takes until a share Percent of all C(N, k) combinations has been contained in some draw; mode 0, how
// many distinct k-combinations the Window draws starting with it contain. The draws are loaded oldest
// first (LoadDraws with Dir -1); each is added to a table of per-combination counters and removed from it
// at most once, in a worker that can be stopped.

#include "core/DynArrays.h"
#include "stats/UStatGeneral.h"

#include <cstdint>
#include <string>
#include <vector>

class TStatWait : public TStatDetails {
public:
    TStatWait(const TGameInfo *Game, TProgressProc OnProgress, TFinishedProc OnFinished);
    ~TStatWait() override;

    // State := ssParams, previous results freed (a running worker is stopped without its end handler),
    // RunningMean := DrawCount zeros. A Window below 1 is taken as 1. std::invalid_argument unless
    // 1 <= ACombLen <= K.
    void SetParams(uint8_t AMode, int32_t ACombLen, float APercent, int32_t AWindow);
    // The largest k from 2 up to the game's largest bet, capped at the numbers drawn, whose counter table
    // fits in the free memory; 1 when not even pairs fit; the cap itself when it is below 2. The caller
    // starts with no longer CombLen.
    int32_t MaxCombLen() const;
    // Runs the computation in a worker; OnFinished follows on the GUI thread with State ssComputed, or
    // ssStopped, or ssNoMemory when the counters could not be had (results freed in both). Call on the
    // GUI thread.
    void Start();
    // Terminates the worker and waits for it; a computation stopped mid-way ends in ssStopped.
    void Stop();
    void Finished() override;

    // Readers of the rows of the (sorted) detail column and the group items.
    void GetDrawLabel(int32_t Row, bool ShowDate, std::string &S) const;
    void GetDrawText(int32_t Row, std::string &S) const;
    // "- " for no value, an empty text for 0, else the value and a space.
    void GetDetailText(int32_t Row, std::string &S) const;
    // The value as a percentage of all k-combinations ("- " and empty as above); meant for mode 0.
    void GetDetailPercentText(int32_t Row, std::string &S) const;
    // Empty texts for a Row beyond the group items.
    void GetGroupValueText(int32_t Row, std::string &S) const;
    void GetGroupCountText(int32_t Row, std::string &S) const;
    void GetGroupPercentText(int32_t Row, std::string &S) const;
    void SortDetailsByDraw(int32_t Dir);
    void SortDetailsByValue(int32_t Dir);
    void SortGroupsByValue(int32_t Dir);
    void SortGroupsByCount(int32_t Dir);

    // Parameters.
    uint8_t Mode = 1; // 1 waiting for Percent, 0 window
    int32_t CombLen = 2;
    float Percent = 0; // a fraction
    int32_t Window = 1;
    // Work state of the worker: per combination (index CombToIndex - 1), how many draws of the current
    // window contain it; a draw's k-subset and the positions that select it.
    std::vector<uint16_t> Counters;
    TDynByteArr Subset;
    TDynByteArr SubsetPos;
    int32_t Distinct = 0; // counters above 0
    float Share = 0;      // Distinct / C(N, CombLen)
    // Results: DrawCount x 1 cells (value -1 for a draw without one), their groups and summary row, and
    // the mean of the values up to each draw (-1 where the draw has no value).
    TDets Details;
    TGDets Groups;
    TTDets SummaryRows;
    std::vector<float> RunningMean;

protected:
    void FreeResults() override;

private:
    int64_t ProgressSteps() const;
    void Execute(TMyThread &AThread);
    // Adds draw DrawIndex to the counters, or removes it; updates Distinct and Share.
    void UpdateCombCounts(bool Add, int32_t DrawIndex);
    // Each False when stopped.
    bool CalcWaitForPercent(const TMyThread &AThread);
    bool CalcCoverInWindow(const TMyThread &AThread);
    void CalcRunningMean();
    // The value of a row as a percentage of all k-combinations.
    std::string PercentOfCombs(int32_t Value) const;
    const TGSItem *GroupItem(int32_t Row) const;
};
