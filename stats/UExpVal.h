#pragma once
// Expected values of per-draw quantities when K distinct numbers are drawn at random out of 1..N (both
// at most 100), which the table statistics show beside their observed means. No state; the number
// tables must be built. N >= 1 throughout.

#include <cstdint>

double ExpEvens(int N, int K);
double ExpPrimes(int N, int K);
double ExpSum(int N, int K);
double ExpTensDigitSum(int N, int K);
double ExpUnitsDigitSum(int N, int K);
// Numbers shared with another, independent draw.
double ExpCommon(int N, int K);
// The Pos-th smallest drawn number, Pos 1..K; 0 when N < 1.
double ExpKthSmallest(int N, int K, int Pos);
// Drawn numbers whose tens digit (FirstDigit) or last digit equals Digit.
double ExpDigitCount(int N, int K, int Digit, bool FirstDigit);
// Drawn numbers within From..To.
double ExpInterval(int N, int K, int From, int To);
// Draws until the share Percent (at most 1) of all Len-number combinations (1 <= Len <= K) has been
// drawn; at most 2147483647, which also answers a share that is never reached.
int32_t ExpWaitDraws(int N, int K, int Len, float Percent);
// Distinct Len-number combinations contained in Window draws (1 <= Len <= K).
float ExpCoverInWindow(int N, int K, int Len, int Window);
