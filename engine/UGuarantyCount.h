#pragma once
// Counting the drawn sets of a hit configuration into the distinct hit vectors of a system's rows: the
// odometer over the groups' subsets and the count of one run of it. Every thread of a calculation runs
// its own counter over its own slice of the odometer.

#include "core/NumberMask.h"
#include "engine/UAllGuars.h"
#include "engine/UGuaranty.h"
#include "engine/UGuarantyRows.h"

#include <cstdint>
#include <functional>
#include <vector>

// Adds Frequency to the vector equal to Hits (Len entries), inserted at its descending place when new;
// answers its index.
size_t AddGuarVector(TGuarVectors &Vectors, const int32_t *Hits, int Len, uint32_t Frequency);
// Adds every vector of From into Into, both in descending order, in one pass over the two. Stopped is
// asked every thousand vectors or so: true ends the merge with false, leaving the two tables incomplete.
bool MergeGuarVectors(TGuarVectors &Into, TGuarVectors &From, const std::function<bool()> &Stopped);

class TGuarCounter {
public:
    // Groups as the guarantee set them up: fixed groups marked, the others on any subset.
    TGuarCounter(const TGuarRows &Rows, TNumberMask Fixed, const TBlocks &Groups);

    // Every non-fixed group on the subset of its digit of Index (0-based, the first group the lowest).
    void SetState(int64_t Index);
    // From now on group Group moves by the stride Step (see advanceSampled).
    void SetSampled(int Group, double Step);
    // Counts Sets drawn sets, advancing the odometer after each, into Vectors. Every Chunk sets (and at
    // the end) OnChunk hears how many were done since its last call; Stopped (asked once per drawn set)
    // ends the run. Answers the sets counted.
    int64_t Count(int64_t Sets, const std::function<bool()> &Stopped, int64_t Chunk,
                  const std::function<void(int64_t Done)> &OnChunk);

    TGuarVectors Vectors;
    TBlocks Groups;
    double SamplePos = 1.0; // the sampled group's fractional rank

private:
    TNumberMask drawnMask() const;
    void countDrawn(const TNumberMask &Drawn);
    // The odometer from group From on: the first non-fixed group that can move takes its next subset;
    // the groups before it go back to their first one.
    void advance(size_t From);
    // The sampled group moves on by the stride; past its last subset it starts again at its first (and
    // SamplePos at 1.0) and answers true: the carry goes on.
    bool advanceSampled(TBlock &Group);
    static void firstSubset(TBlock &Group);

    const TGuarRows Rows; // a copy of its own: no two threads read one row table
    TNumberMask Fixed;
    bool Wide; // some row holds a number above 64
    int Sampled = -1;
    double SampleStep = 0;
    TDynIntArr Levels;      // per lane and hit count, the rows of the current drawn set
    TDynIntArr Work;        // the current vector
    size_t Last = SIZE_MAX; // the index of the last vector counted
};
