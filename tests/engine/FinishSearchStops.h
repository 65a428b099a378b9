#pragma once
// A classic generator's search for the last two rows stopped as it runs: at its first, a middle and its
// last candidate (counted over a whole run first), each run answers false, keeps no rows and looks at no
// candidate after the stop.

#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

template <typename TSys>
void ExpectEveryStopOfTheFinishingSearchEndsTheRun(const TGameData *Game,
                                                   const std::function<void(TSys &System)> &Prepared,
                                                   const std::function<bool(TSys &System, const TMyThread *Thread)> &Run)
{
    int64_t candidates = 0;
    TSys whole(Game);
    Prepared(whole);
    whole.OnFinishPoll = [&candidates] { ++candidates; };
    ASSERT_TRUE(Run(whole, nullptr));
    for (const int64_t at : {int64_t(1), (candidates + 1) / 2, candidates}) {
        SCOPED_TRACE(at);
        TMyThread2 stop; // never started: only its stop is read
        int64_t polls = 0, after = 0;
        TSys system(Game);
        Prepared(system);
        system.OnFinishPoll = [&] {
            if (stop.GetTerminated())
                ++after;
            else if (++polls == at)
                stop.Terminate();
        };
        EXPECT_FALSE(Run(system, &stop));
        EXPECT_EQ(after, 0);
        EXPECT_EQ(system.GetCount(), 0);
        EXPECT_EQ(system.ViewCount(), 0);
    }
}
