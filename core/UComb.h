#pragma once
// Combinations: K distinct numbers of 1..N (N at most 100) held in bytes, ascending wherever an
// operation needs them sorted. Enumeration, counters, hit counting, set tests, lexicographic rank,
// positional codes, random combinations, the text parser, the display text and the number tables.
//
// The routines do no range checks: callers pass numbers within 1..N and lengths within their arrays.

#include "core/DynArrays.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Row n holds C(n, 0..n). Entries beyond the signed 64-bit range (from row 67 on) hold INT64_MAX;
// computations that may meet them read NewtonExt.
using TNewton = std::vector<std::vector<int64_t>>;
using TNewtonExt = std::vector<std::vector<long double>>;

// The tables for numbers up to 100; built when the program loads and again by the start-up code.
extern TNewton Newton;
extern TNewtonExt NewtonExt;
extern TDynBoolArr EvenTable;  // indexed by the number itself, 0..100
extern TDynBoolArr PrimeTable; // indexed by number - 1

void MakeNewton(TNewton &T, uint8_t N);
void MakeNewtonExt(TNewtonExt &T, uint8_t N);
void MakeEvenTable(TDynBoolArr &T, uint8_t N);
void MakePrimeTable(TDynBoolArr &T, uint8_t N);

// First: C := 1, 2, ..., K. Otherwise C becomes its lexicographic successor among the K-combinations of
// 1..N; callers count C(N, K) steps and never advance past the last combination.
void NextComb(TDynByteArr &C, uint8_t N, uint8_t K, bool First);
// Mixed-radix counter, digit i in 0..Max[i]; after the last state it wraps to all zeros.
void NextCounter(TDynByteArr &D, uint8_t Len, const TDynByteArr &Max, bool First);
// The same with digit i in 1..Max[i].
void NextCounterInt(TDynIntArr &D, const TDynIntArr &Max, uint8_t Len, bool First);

bool IsAscending(const uint8_t *C, int K);
// Common numbers of two ascending combinations.
int CountHits(int KA, int KB, const uint8_t *A, const uint8_t *B);
// Writes the common numbers into Res (sized by the caller) and answers their count.
int CombIntersect(int KA, int KB, const uint8_t *A, const uint8_t *B, uint8_t *Res);
// True when every number of A occurs in B (both ascending).
bool IsSubset(const uint8_t *A, const uint8_t *B, int KA, int KB);
// Res := the numbers of A that are not in B, in A's order; answers their count.
int CombDifference(int KA, int KB, const uint8_t *A, const uint8_t *B, TDynByteArr &Res);
int CountInSet(int K, const uint8_t *C, const TDynBoolArr &InSet);
bool AllInSet(const uint8_t *C, const TDynBoolArr &InSet, int K);
int CombSum(const uint8_t *C, int K);
// 1 when all numbers are even (also for K = 0), 2 when all are odd, 0 when mixed.
int CombParity(const uint8_t *C, int K);
bool ByteInArray(uint8_t Value, const TDynByteArr &A);
// A[i] := i + 1 over the whole array.
void FillNumbers(TDynByteArr &A);
void ZeroByteArr(TDynByteArr &A);

// True when C(N, K) fits in 63 bits (its Newton entry is not saturated), so that every rank of the
// K-combinations of 1..N is exact. Callers rank only where this holds.
bool RankFits(int N, int K);
// 1-based lexicographic index of an ascending combination among the K-combinations of 1..N.
int64_t CombToIndex(uint8_t N, uint8_t K, const uint8_t *C);
// The combination whose 1-based index is Index (1 <= Index <= C(N, K)).
void IndexToComb(uint8_t N, uint8_t K, uint8_t *C, int64_t Index);
// Base^Exp (1 for Exp = 0); INT64_MAX when the power leaves the signed 64-bit range.
int64_t Int64Power(uint8_t Base, uint8_t Exp);
// K distinct random numbers of 1..N, in drawing order unless Sorted.
void RandomComb(uint8_t *C, uint8_t K, uint8_t N, bool Sorted);
// S := Fmt applied to each of the K numbers (one %d directive with optional '-', width and precision),
// concatenated; when Cut > 0 and S is at least Cut long, its last Cut characters are removed.
void CombToStr(const uint8_t *Comb, uint8_t K, std::string_view Fmt, std::string &S, int Cut = 0);

// Positional code of a combination in base Base: the first number is the most significant digit.
class TCombValue {
public:
    void Init(uint8_t Base, uint8_t K);
    int64_t Encode(const uint8_t *C, uint8_t K) const;
    void Decode(int64_t Code, uint8_t K, uint8_t *C) const;

private:
    std::vector<int64_t> Pow; // Pow[i] = Base^i
};

// Turns free text into a combination: every run of decimal digits is a number.
class TTextToComb {
public:
    void Init(uint8_t MaxNumber, uint8_t K);
    // Keeps the numbers in 1..MaxNumber (without repeats when Unique), in text order, and of them the
    // first K (sorted when Sort) in Comb. False, and Comb unchanged, when no number was kept.
    bool Parse(std::string_view Text, bool Sort, bool Unique);

    TDynByteArr Comb; // the result
    int Count = 0;    // numbers in Comb

private:
    TDynByteArr Buffer; // the numbers accepted so far, at most 1024
    int MaxNumber = 0;
    int K = 0;
};
