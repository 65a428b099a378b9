#include "core/RuntimeRandom.h"

#include <atomic>
#include <chrono>

namespace {

struct TRuntimeSeed {
    uint32_t Seed = 0;
    bool Seeded = false;
};

thread_local TRuntimeSeed State;

std::atomic<uint32_t> g_clockSeedings{0};

uint32_t clockSeed()
{
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    const uint32_t n = g_clockSeedings.fetch_add(1, std::memory_order_relaxed);
    return static_cast<uint32_t>(ticks) ^ static_cast<uint32_t>(static_cast<uint64_t>(ticks) >> 32) ^
           (n * 0x9E3779B9u);
}

} // namespace

void SetRuntimeRandSeed(uint32_t Seed)
{
    State.Seed = Seed;
    State.Seeded = true;
}

void RuntimeRandomize()
{
    SetRuntimeRandSeed(clockSeed());
}

int32_t RuntimeRandom(int32_t Range)
{
    if (!State.Seeded)
        RuntimeRandomize();
    State.Seed = State.Seed * 134775813u + 1u;
    return static_cast<int32_t>((static_cast<uint64_t>(State.Seed) * static_cast<uint32_t>(Range)) >> 32);
}
