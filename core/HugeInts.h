#pragma once
// Signed 256-bit integers in two's complement, 32 bytes least significant first, for exact binomial
// coefficients beyond 64 bits. Values wrap modulo 2^256; a carry out of the top byte is reported in
// HugeOverflow.

#include <array>
#include <cstdint>
#include <string>

using THugeInt = std::array<uint8_t, 32>;

// True when the last HugeInc or HugeAdd (HugeNeg too) carried out of byte 31. One flag per thread.
extern thread_local bool HugeOverflow;

void IntToHuge(int32_t V, THugeInt &A);
bool HugeIsNegative(const THugeInt &A);
bool HugeIsZero(const THugeInt &A);
// Index of the highest non-zero byte; 0 when A is 0.
int HugeTopByte(const THugeInt &A);
// A := A x 256^Count: Count above 31 gives 0, Count 0 or less changes nothing.
void HugeShlBytes(THugeInt &A, int Count);
void HugeInc(THugeInt &A);
void HugeNeg(THugeInt &A);
// C := A + B; C may be A or B.
void HugeAdd(const THugeInt &A, const THugeInt &B, THugeInt &C);
// A := A div 100, Rem := A mod 100, A taken as unsigned.
void HugeDivMod100(THugeInt &A, int &Rem);
// V (0..99) as two digits: "07".
std::string TwoDigits(int V);
// Decimal text with a leading "-" for negative values: "0", "7", "-1".
std::string HugeToStr(const THugeInt &A);
