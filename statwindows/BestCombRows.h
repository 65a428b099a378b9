#pragma once
// The result rows of the optimal combinations search, and the hand-over of new rows from the search's
// worker to the GUI thread. The worker adds copies; the first row added since the GUI thread last took
// them asks for one take, so a burst of rows crosses in one batch.

#include "core/Currency.h"
#include "core/DynArrays.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

struct TBestCombRow {
    uint32_t No = 0;           // numbered on the GUI thread, from 1 for each computation
    TDynByteArr Comb;
    std::vector<uint32_t> Hits; // element j: draws with the level's hits, the highest level first
    Currency Win;
};

class TBestCombBatches {
public:
    // Post queues a task to the GUI thread; the task calls Take.
    explicit TBestCombBatches(std::function<void()> Post) : FPost(std::move(Post)) {}

    // From the worker.
    void Add(TBestCombRow Row);
    // On the GUI thread: the rows added since the last take, in the order added.
    std::vector<TBestCombRow> Take();
    // On the GUI thread with no worker running: nothing pending, and the next row asks again.
    void Reset();

private:
    std::function<void()> FPost;
    std::mutex FLock;
    std::vector<TBestCombRow> FPending;
    bool FTakeAsked = false;
};
