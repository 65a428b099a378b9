#include "core/HugeInts.h"

#include <algorithm>

thread_local bool HugeOverflow = false;

namespace {

// HugeToStr stops once its text is this long.
constexpr size_t MaxHugeText = 254;

} // namespace

void IntToHuge(int32_t V, THugeInt &A)
{
    // The magnitude of -2^31 needs the unsigned range.
    const uint32_t magnitude = V < 0 ? 0u - uint32_t(V) : uint32_t(V);
    A.fill(0);
    for (size_t i = 0; i < 4; ++i)
        A[i] = uint8_t(magnitude >> (8 * i));
    if (V < 0)
        HugeNeg(A);
}

bool HugeIsNegative(const THugeInt &A)
{
    return (A[31] & 0x80) != 0;
}

bool HugeIsZero(const THugeInt &A)
{
    return std::all_of(A.begin(), A.end(), [](uint8_t b) { return b == 0; });
}

int HugeTopByte(const THugeInt &A)
{
    for (int i = 31; i > 0; --i)
        if (A[size_t(i)] != 0)
            return i;
    return 0;
}

void HugeShlBytes(THugeInt &A, int Count)
{
    if (Count <= 0)
        return;
    if (Count > 31) {
        A.fill(0);
        return;
    }
    std::copy_backward(A.begin(), A.end() - Count, A.end());
    std::fill(A.begin(), A.begin() + Count, uint8_t(0));
}

void HugeInc(THugeInt &A)
{
    unsigned carry = 1;
    for (size_t i = 0; i < A.size() && carry != 0; ++i) {
        const unsigned sum = A[i] + carry;
        A[i] = uint8_t(sum);
        carry = sum >> 8;
    }
    HugeOverflow = carry != 0;
}

void HugeNeg(THugeInt &A)
{
    for (uint8_t &b : A)
        b = uint8_t(~b);
    HugeInc(A);
}

void HugeAdd(const THugeInt &A, const THugeInt &B, THugeInt &C)
{
    unsigned carry = 0;
    for (size_t i = 0; i < C.size(); ++i) {
        const unsigned sum = A[i] + B[i] + carry;
        C[i] = uint8_t(sum);
        carry = sum >> 8;
    }
    HugeOverflow = carry != 0;
}

void HugeDivMod100(THugeInt &A, int &Rem)
{
    THugeInt q{};
    int r = 0;
    for (int i = HugeTopByte(A); i >= 0; --i) {
        r = r * 256 + A[size_t(i)];
        HugeShlBytes(q, 1);
        q[0] = uint8_t(r / 100);
        r %= 100;
    }
    A = q;
    Rem = r;
}

std::string TwoDigits(int V)
{
    return {char('0' + V / 10), char('0' + V % 10)};
}

std::string HugeToStr(const THugeInt &A)
{
    THugeInt c = A;
    const bool negative = HugeIsNegative(A);
    if (negative)
        HugeNeg(c);
    std::string text;
    do {
        int rem = 0;
        HugeDivMod100(c, rem);
        text.insert(0, TwoDigits(rem));
    } while (!HugeIsZero(c) && text.size() < MaxHugeText);
    const size_t zeros = std::min(text.find_first_not_of('0'), text.size() - 1);
    text.erase(0, zeros);
    return negative ? '-' + text : text;
}
