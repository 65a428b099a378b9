#include "core/Knutt.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>

namespace {

struct TRandomState {
    double A[56] = {}; // A[1..55]
    int Index = 0;     // position of the last value handed out
    bool Seeded = false;
};

thread_local TRandomState State;

std::atomic<uint32_t> g_clockSeedings{0};

// x - y for x, y in [0, 1), brought back into [0, 1). A tiny negative difference plus 1.0 would round
// to 1.0 itself; it becomes the largest value below 1.0 instead.
double subtractMod1(double X, double Y)
{
    double d = X - Y;
    if (d < 0.0) {
        d += 1.0;
        if (d >= 1.0)
            d = std::nextafter(1.0, 0.0);
    }
    return d;
}

void refill(TRandomState &S)
{
    for (int i = 1; i <= 24; ++i)
        S.A[i] = subtractMod1(S.A[i], S.A[i + 31]);
    for (int i = 25; i <= 55; ++i)
        S.A[i] = subtractMod1(S.A[i], S.A[i - 24]);
}

void seed(TRandomState &S, double Seed)
{
    S.A[55] = Seed;
    double j = Seed;
    double k = 1e-9;
    for (int i = 1; i <= 54; ++i) {
        const int ii = (21 * i) % 55;
        S.A[ii] = k;
        k = subtractMod1(j, k);
        j = S.A[ii];
    }
    refill(S);
    refill(S);
    refill(S);
    S.Index = 0;
    S.Seeded = true;
}

double clockSeed()
{
    using namespace std::chrono;
    const int64_t msOfDay =
        duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() % 86'400'000;
    // A fraction in (0, 0.5] from the seeding count keeps the seed above 0 and below 1.
    const uint32_t n = g_clockSeedings.fetch_add(1, std::memory_order_relaxed) % (1u << 20);
    const double fraction = static_cast<double>(n + 1) / static_cast<double>(1u << 21);
    return (static_cast<double>(msOfDay) + fraction) / 2147483647.0;
}

TRandomState &seededState()
{
    if (!State.Seeded)
        seed(State, clockSeed());
    return State;
}

} // namespace

void SeedRandom(double Seed)
{
    seed(State, Seed);
}

void RefillRandomTable()
{
    refill(seededState());
}

double RandomFloat()
{
    TRandomState &s = seededState();
    if (++s.Index > 55) {
        s.Index = 1;
        refill(s);
    }
    return s.A[s.Index];
}

bool RandomChance(double P)
{
    if (P == 1.0)
        return true;
    return RandomFloat() <= P;
}

int ScaleRandom(double R, int Lo, int Hi)
{
    const double scaled = R * (static_cast<double>(Hi) - static_cast<double>(Lo) + 1.0) + Lo;
    return static_cast<int>(std::min<int64_t>(Hi, static_cast<int64_t>(scaled)));
}

int RandomInRange(int Lo, int Hi)
{
    return ScaleRandom(RandomFloat(), Lo, Hi);
}

void RandomizeFromClock()
{
    seed(State, clockSeed());
}
