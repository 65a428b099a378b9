#include "stats/UExpVal.h"

#include "core/UComb.h"
#include "tests/support/ByteOrder.h"
#include "tests/support/ReferenceMath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

namespace {

// The mean of Quantity over every K-combination of 1..N, counted one by one.
double MeanOverAllDraws(int N, int K, const std::function<double(const TDynByteArr &)> &Quantity)
{
    TDynByteArr draw(static_cast<size_t>(K));
    const int64_t total = Newton[static_cast<size_t>(N)][static_cast<size_t>(K)];
    double sum = 0;
    for (int64_t i = 0; i < total; ++i) {
        NextComb(draw, static_cast<uint8_t>(N), static_cast<uint8_t>(K), i == 0);
        sum += Quantity(draw);
    }
    return sum / static_cast<double>(total);
}

template <typename TPredicate> double CountOf(const TDynByteArr &Draw, TPredicate Predicate)
{
    return static_cast<double>(std::count_if(Draw.begin(), Draw.end(), Predicate));
}

constexpr int SmallN = 20;
constexpr int SmallK = 5;
constexpr double Close = 1e-9;

TEST(ExpValEnumerationTest, CountsAndSumsOfFiveOfTwenty)
{
    EXPECT_NEAR(ExpEvens(SmallN, SmallK),
                MeanOverAllDraws(SmallN, SmallK, [](const TDynByteArr &D) { return CountOf(D, [](int n) { return n % 2 == 0; }); }),
                Close);
    EXPECT_NEAR(ExpPrimes(SmallN, SmallK),
                MeanOverAllDraws(SmallN, SmallK, [](const TDynByteArr &D) { return CountOf(D, testsupport::isPrime); }), Close);
    EXPECT_NEAR(ExpSum(SmallN, SmallK),
                MeanOverAllDraws(SmallN, SmallK, [](const TDynByteArr &D) { return double(CombSum(D.data(), SmallK)); }),
                Close);
    EXPECT_NEAR(ExpTensDigitSum(SmallN, SmallK), MeanOverAllDraws(SmallN, SmallK, [](const TDynByteArr &D) {
                    double s = 0;
                    for (const int n : D)
                        s += n / 10;
                    return s;
                }),
                Close);
    EXPECT_NEAR(ExpUnitsDigitSum(SmallN, SmallK), MeanOverAllDraws(SmallN, SmallK, [](const TDynByteArr &D) {
                    double s = 0;
                    for (const int n : D)
                        s += n % 10;
                    return s;
                }),
                Close);
    EXPECT_NEAR(ExpInterval(SmallN, SmallK, 4, 11),
                MeanOverAllDraws(SmallN, SmallK,
                                 [](const TDynByteArr &D) { return CountOf(D, [](int n) { return n >= 4 && n <= 11; }); }),
                Close);
}

TEST(ExpValEnumerationTest, OrderStatisticsAndDigitsOfFiveOfTwenty)
{
    for (int pos = 1; pos <= SmallK; ++pos)
        EXPECT_NEAR(ExpKthSmallest(SmallN, SmallK, pos),
                    MeanOverAllDraws(SmallN, SmallK, [pos](const TDynByteArr &D) { return double(D[size_t(pos - 1)]); }),
                    Close)
            << pos;
    for (int digit = 0; digit <= 9; ++digit) {
        EXPECT_NEAR(ExpDigitCount(SmallN, SmallK, digit, false),
                    MeanOverAllDraws(SmallN, SmallK,
                                     [digit](const TDynByteArr &D) { return CountOf(D, [digit](int n) { return n % 10 == digit; }); }),
                    Close)
            << digit;
        EXPECT_NEAR(ExpDigitCount(SmallN, SmallK, digit, true),
                    MeanOverAllDraws(SmallN, SmallK,
                                     [digit](const TDynByteArr &D) { return CountOf(D, [digit](int n) { return n / 10 == digit; }); }),
                    Close)
            << digit;
    }
}

TEST(ExpValEnumerationTest, CommonNumbersWithAnIndependentDraw)
{
    // By symmetry one fixed draw stands for them all.
    const TDynByteArr fixed{2, 3, 5, 8, 13};
    EXPECT_NEAR(ExpCommon(SmallN, SmallK), MeanOverAllDraws(SmallN, SmallK, [&fixed](const TDynByteArr &D) {
                    return double(CountHits(SmallK, SmallK, fixed.data(), D.data()));
                }),
                Close);
}

// The mean number of distinct Len-combinations contained in Window draws, over every sequence of
// Window draws of K out of N.
double MeanCoverOverAllWindows(int N, int K, int Len, int Window)
{
    std::vector<TDynByteArr> draws;
    TDynByteArr draw(static_cast<size_t>(K));
    for (int64_t i = 0; i < Newton[size_t(N)][size_t(K)]; ++i) {
        NextComb(draw, uint8_t(N), uint8_t(K), i == 0);
        draws.push_back(draw);
    }
    std::vector<size_t> pick(static_cast<size_t>(Window), 0);
    double total = 0;
    int64_t sequences = 0;
    for (;;) {
        std::set<TDynByteArr, testsupport::ByteOrder> covered;
        for (const size_t d : pick) {
            TDynByteArr sub(static_cast<size_t>(Len));
            TDynByteArr positions(static_cast<size_t>(Len));
            for (int64_t s = 0; s < Newton[size_t(K)][size_t(Len)]; ++s) {
                NextComb(positions, uint8_t(K), uint8_t(Len), s == 0);
                for (size_t j = 0; j < positions.size(); ++j)
                    sub[j] = draws[d][positions[j] - 1u];
                covered.insert(sub);
            }
        }
        total += static_cast<double>(covered.size());
        ++sequences;
        size_t w = 0;
        while (w < pick.size() && ++pick[w] == draws.size())
            pick[w++] = 0;
        if (w == pick.size())
            break;
    }
    return total / static_cast<double>(sequences);
}

TEST(ExpValEnumerationTest, CoverInAWindowOfSmallGames)
{
    EXPECT_NEAR(ExpCoverInWindow(6, 3, 2, 1), MeanCoverOverAllWindows(6, 3, 2, 1), 1e-5);
    EXPECT_NEAR(ExpCoverInWindow(6, 3, 2, 2), MeanCoverOverAllWindows(6, 3, 2, 2), 1e-5);
    EXPECT_NEAR(ExpCoverInWindow(6, 3, 1, 2), MeanCoverOverAllWindows(6, 3, 1, 2), 1e-5);
    EXPECT_NEAR(ExpCoverInWindow(7, 2, 2, 3), MeanCoverOverAllWindows(7, 2, 2, 3), 1e-5);
}

TEST(ExpValWorkedExamplesTest, SixOfFortyNine)
{
    EXPECT_NEAR(ExpEvens(49, 6), 2.938776, 1e-6);
    EXPECT_NEAR(ExpPrimes(49, 6), 1.836735, 1e-6);
    EXPECT_DOUBLE_EQ(ExpSum(49, 6), 150.0);
    EXPECT_NEAR(ExpTensDigitSum(49, 6), 12.244898, 1e-6);
    EXPECT_NEAR(ExpUnitsDigitSum(49, 6), 27.551020, 1e-6);
    EXPECT_NEAR(ExpCommon(49, 6), 0.734694, 1e-6);
    const double smallest[] = {7.142857, 14.285714, 21.428571, 28.571429, 35.714286, 42.857143};
    for (int pos = 1; pos <= 6; ++pos)
        EXPECT_NEAR(ExpKthSmallest(49, 6, pos), smallest[pos - 1], 1e-6) << pos;
    EXPECT_NEAR(ExpInterval(49, 6, 1, 10), 1.224490, 1e-6);
    EXPECT_NEAR(ExpDigitCount(49, 6, 0, false), 0.489796, 1e-6);
    EXPECT_NEAR(ExpDigitCount(49, 6, 4, true), 1.224490, 1e-6);
    EXPECT_EQ(ExpDigitCount(10, 6, 5, true), 0.0);
    EXPECT_FLOAT_EQ(ExpCoverInWindow(49, 6, 2, 1), 15.0f);
    EXPECT_NEAR(ExpCoverInWindow(49, 6, 2, 10), 141.6767f, 1e-3);
}

TEST(ExpValWorkedExamplesTest, ACoverWithinOneOfEverythingIsEverything)
{
    // 6 x (1 - 0.5^3) = 5.25 lies above T - 1 = 5.
    EXPECT_FLOAT_EQ(ExpCoverInWindow(6, 3, 1, 3), 6.0f);
    EXPECT_FLOAT_EQ(ExpCoverInWindow(10, 10, 3, 1), 120.0f);
    EXPECT_FLOAT_EQ(ExpCoverInWindow(6, 3, 1, 0), 0.0f);
}

TEST(ExpValWorkedExamplesTest, KthSmallestHoldsBeyondTheSixtyFourBitRows)
{
    // Pos x (N + 1) / (K + 1), also where the 64-bit binomials overflow.
    EXPECT_NEAR(ExpKthSmallest(90, 40, 20), 20.0 * 91 / 41, 1e-9);
    EXPECT_NEAR(ExpKthSmallest(100, 50, 1), 101.0 / 51, 1e-9);
    EXPECT_EQ(ExpKthSmallest(0, 1, 1), 0.0);
}

TEST(ExpValWorkedExamplesTest, DigitCountOfLargeGamesIsMTimesKOverN)
{
    // M x K / N; the 64-bit products of the sum overflow for these.
    EXPECT_NEAR(ExpDigitCount(80, 22, 5, false), 8.0 * 22 / 80, 1e-9);
    EXPECT_NEAR(ExpDigitCount(80, 40, 3, true), 10.0 * 40 / 80, 1e-9);
    EXPECT_NEAR(ExpDigitCount(100, 50, 0, false), 10.0 * 50 / 100, 1e-9);
    EXPECT_NEAR(ExpDigitCount(100, 60, 10, true), 1.0 * 60 / 100, 1e-9);
}

// The first d whose expected cover T (1 - q^d) reaches the share, found by stepping d up one by one.
int32_t WaitByStepping(int N, int K, int Len, float Percent)
{
    const long double t = NewtonExt[size_t(N)][size_t(Len)];
    const long double a = NewtonExt[size_t(K)][size_t(Len)];
    const long double q = (t - a) / t;
    const long double threshold = (t - 1) * static_cast<long double>(Percent);
    long double power = q; // q^d
    for (int32_t d = 1;; ++d) {
        if (t * (1 - power) >= threshold)
            return d;
        power *= q;
    }
}

TEST(ExpValWaitTest, WorkedExamples)
{
    EXPECT_EQ(ExpWaitDraws(49, 6, 2, 0.5f), 54);
    EXPECT_EQ(ExpWaitDraws(49, 6, 2, 1.0f), 551);
    EXPECT_EQ(ExpWaitDraws(49, 6, 6, 1.0f), 230081467);
    EXPECT_EQ(ExpWaitDraws(10, 10, 3, 1.0f), 1);
    EXPECT_EQ(ExpWaitDraws(49, 49, 6, 0.5f), 1);
    EXPECT_EQ(ExpWaitDraws(49, 6, 2, 0.0f), 1);
    // One pair of 4 numbers per draw: 6 x (1 - (5/6)^d) is 1, 1.83, 2.53 against (6 - 1) x 0.5.
    EXPECT_EQ(ExpWaitDraws(4, 2, 2, 0.5f), 3);
    // One number of 5 per draw: the first draw covers exactly (5 - 1) x 0.25 = 1, which is enough.
    EXPECT_EQ(ExpWaitDraws(5, 1, 1, 0.25f), 1);
    // Six of 49 against the exact figures: 54 draws reach half of the pairs, 53 do not.
    EXPECT_GE(1176.0 * (1 - std::pow(1161.0 / 1176.0, 54)), 1175.0 * 0.5);
    EXPECT_LT(1176.0 * (1 - std::pow(1161.0 / 1176.0, 53)), 1175.0 * 0.5);
}

TEST(ExpValWaitTest, AgreesWithSteppingOverSmallGames)
{
    // Shares whose threshold no expected cover meets exactly, where the two roundings could differ.
    const float shares[] = {0.03f, 0.3f, 0.61f, 0.85f, 0.97f, 0.999f};
    for (int n = 5; n <= 20; n += 5)
        for (int k = 1; k <= 5; ++k)
            for (int len = 1; len <= k; ++len)
                for (const float share : shares)
                    EXPECT_EQ(ExpWaitDraws(n, k, len, share), WaitByStepping(n, k, len, share))
                        << n << " " << k << " " << len << " " << share;
}

TEST(ExpValWaitTest, AWaitTooLongForAnIntegerStopsAtTheLargest)
{
    // C(100, 6) combinations, one per draw: some 25 billion draws.
    EXPECT_EQ(ExpWaitDraws(100, 6, 6, 1.0f), 2147483647);
    // Seven-number combinations never lie in a draw of six; no share above everything is reached.
    EXPECT_EQ(ExpWaitDraws(49, 6, 7, 0.5f), 2147483647);
    EXPECT_EQ(ExpWaitDraws(49, 6, 2, 1.5f), 2147483647);
}

} // namespace
