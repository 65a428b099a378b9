#pragma once
// Holds a statistic's worker at its first poll of a step until the worker is told to stop, so that a test
// can stop or close its window while the run is under way.

#include "stats/UStatGeneral.h"
#include "tests/support/HangGuard.h"

#include <atomic>
#include <chrono>
#include <thread>

struct THold {
    TStatStep Step;
    std::atomic<bool> Reached{false};
    std::atomic<bool> Left{false};
    // Polls after the hold: a worker that stops where it was held makes none.
    std::atomic<int> PollsAfter{0};

    void Attach(TStat &Stat)
    {
        Stat.OnPoll = [this](TStatStep At, const TMyThread &Thread) {
            if (Left)
                ++PollsAfter;
            if (At != Step || Reached.exchange(true))
                return;
            // The guard only ends a hang of a window that never stops its worker.
            const auto guard = std::chrono::steady_clock::now() + testsupport::HangGuard;
            while (!Thread.GetTerminated() && std::chrono::steady_clock::now() < guard)
                std::this_thread::yield();
            Left = true;
        };
    }
};
