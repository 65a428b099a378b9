#include "stats/UExpVal.h"

#include "core/UComb.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using Real = long double;

// C(A, B) from the extended table; 0 when B lies outside 0..A.
Real Binom(int A, int B)
{
    if (A < 0 || B < 0 || B > A)
        return 0;
    return NewtonExt[static_cast<size_t>(A)][static_cast<size_t>(B)];
}

// The chances of Len-number combinations against one draw of K numbers out of N.
struct TCover {
    TCover(int N, int K, int Len) : T(Binom(N, Len)), A(Binom(K, Len)), Q((T - A) / T), LogQ(std::log1p(-A / T)) {}

    // q^D; 0^0 = 1.
    Real QPower(int64_t D) const
    {
        if (D == 0)
            return 1;
        return Q == 0 ? 0 : std::exp(static_cast<Real>(D) * LogQ);
    }

    // Expected distinct combinations contained in D draws: A + A q (q^(D-1) - 1) / (q - 1), taken in
    // its equal form T (1 - q^D): dividing by q - 1 would magnify the rounding of q by T.
    Real Expected(int64_t D) const { return T - T * QPower(D); }

    Real T;    // all combinations
    Real A;    // combinations contained in one draw
    Real Q;    // chance that a given combination is not contained in one draw
    Real LogQ; // ln q, exact to the last bits also when q is close to 1
};

Real DigitSum(int N, bool Tens)
{
    int64_t sum = 0;
    for (int i = 1; i <= N; ++i)
        sum += Tens ? i / 10 : i % 10;
    return static_cast<Real>(sum);
}

double PerNumber(Real Count, int N, int K)
{
    return static_cast<double>(Count / N * K);
}

} // namespace

double ExpEvens(int N, int K)
{
    int evens = 0;
    for (int i = 1; i <= N; ++i)
        evens += EvenTable[static_cast<size_t>(i)] ? 1 : 0;
    return PerNumber(evens, N, K);
}

double ExpPrimes(int N, int K)
{
    int primes = 0;
    for (int i = 1; i <= N; ++i)
        primes += PrimeTable[static_cast<size_t>(i - 1)] ? 1 : 0;
    return PerNumber(primes, N, K);
}

double ExpSum(int N, int K)
{
    return static_cast<double>(static_cast<Real>(N + 1) / 2 * K);
}

double ExpTensDigitSum(int N, int K)
{
    return PerNumber(DigitSum(N, true), N, K);
}

double ExpUnitsDigitSum(int N, int K)
{
    return PerNumber(DigitSum(N, false), N, K);
}

double ExpCommon(int N, int K)
{
    return PerNumber(K, N, K);
}

double ExpKthSmallest(int N, int K, int Pos)
{
    if (N < 1)
        return 0;
    Real sum = 0;
    for (int j = 1; j <= N; ++j)
        if (j - 1 >= Pos - 1 && K - Pos <= N - j)
            sum += j * Binom(j - 1, Pos - 1) * Binom(N - j, K - Pos) / Binom(N, K);
    return static_cast<double>(sum);
}

double ExpDigitCount(int N, int K, int Digit, bool FirstDigit)
{
    int m = 0;
    for (int i = 1; i <= N; ++i)
        if ((FirstDigit ? i / 10 : i % 10) == Digit)
            ++m;
    if (m == 0)
        return 0;
    // The hypergeometric mean, summed in extended precision: the 64-bit products overflow for large N.
    Real sum = 0;
    for (int i = 1; i <= std::min(m, K); ++i)
        sum += i * Binom(m, i) * Binom(N - m, K - i);
    return static_cast<double>(sum / Binom(N, K));
}

double ExpInterval(int N, int K, int From, int To)
{
    return PerNumber(To - From + 1, N, K);
}

int32_t ExpWaitDraws(int N, int K, int Len, float Percent)
{
    const TCover cover(N, K, Len);
    // T - 1, not T, so that a share of 1.0 is reached.
    const Real threshold = (cover.T - 1) * static_cast<Real>(Percent);
    constexpr int64_t most = std::numeric_limits<int32_t>::max();
    // E_d = T (1 - q^d) grows with d: solve E_d >= threshold for d in closed form, then settle the
    // rounding of the logarithms against E_d at d - 1 and d.
    int64_t d = 1;
    if (cover.Q > 0) {
        // Without a combination in a draw (Len above K), or a share above 1, the cover never gets there.
        if (cover.A <= 0 || threshold >= cover.T)
            return static_cast<int32_t>(most);
        const Real estimate = std::ceil(std::log((cover.T - threshold) / cover.T) / cover.LogQ);
        d = estimate < 1 ? 1 : estimate > most ? most : static_cast<int64_t>(estimate);
    }
    while (d > 1 && cover.Expected(d - 1) >= threshold)
        --d;
    while (d < most && cover.Expected(d) < threshold)
        ++d;
    return static_cast<int32_t>(d);
}

float ExpCoverInWindow(int N, int K, int Len, int Window)
{
    const TCover cover(N, K, Len);
    const Real e = cover.Expected(Window);
    return static_cast<float>(e > cover.T - 1 ? cover.T : e);
}
