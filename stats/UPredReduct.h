#pragma once
// Reduction prediction: narrows the player's key numbers by the past draws. A working subset of the key
// numbers (HitLevel - 1 of them to begin with) is compared with every working draw; a draw sharing
// exactly HitLevel - 1 numbers with it strikes its other numbers out of the key set. The subset then
// grows by one (the first candidates left, in the key's order) and the pass repeats until it covers
// every candidate left. Runs in a worker that can be stopped; the numbers struck before a stop stay
// struck.

#include "core/DynArrays.h"
#include "stats/UStatGeneral.h"

#include <cstdint>

class TPredReduct : public TStat {
public:
    TPredReduct(const TGameInfo *Game, TProgressProc OnProgress, TFinishedProc OnFinished);
    ~TPredReduct() override;

    // Key := the first ACount of Numbers (a running worker is stopped without its end handler); every
    // key number a candidate again; State := ssParams. std::invalid_argument for a key number outside
    // 1..N, a repeated one, or a HitLevel outside 1..ACount + 1.
    void SetParams(int32_t ACount, const uint8_t *Numbers, int32_t ACombLen, int32_t AHitLevel);
    // Runs the passes in a worker; OnFinished follows on the GUI thread with State ssComputed or
    // ssStopped. Call on the GUI thread.
    void Start();
    // Terminates the worker and waits for it.
    void Stop();
    void Finished() override;

    // Work state: the numbers a draw shares with the working subset, and its other numbers.
    TDynByteArr Common;
    TDynByteArr Others;
    // Results: candidates left, and per number (index number - 1) True while it is a candidate.
    int32_t Remaining = 0;
    TDynBoolArr CandFlags;
    // Parameters: the key numbers in the player's order.
    TDynByteArr Key;
    int32_t Count = 0;
    int32_t CombLen = 0; // kept for the window
    int32_t HitLevel = 1;
    // The working subset: its first k entries, ascending.
    TDynByteArr Work;
    int32_t k = 0;

private:
    void Execute(TMyThread &AThread);
    // Strikes out each of the first ACount numbers of ANumbers still a candidate.
    void RemoveNumbers(const TDynByteArr &ANumbers, int32_t ACount);
    // Work := the first k candidates in Key order, sorted ascending.
    void FillWorkSet();
};
