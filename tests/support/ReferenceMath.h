#pragma once
// Plain, slow computations that the tests check the program's fast routines against.

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// The program's CRC the long way: the register shifted one bit at a time through the polynomial
// 04C11DB7h, each byte xored in afterwards.
inline uint32_t bitwiseCRC(const std::vector<uint8_t> &Bytes)
{
    uint32_t crc = 0xFFFFFFFF;
    for (const uint8_t b : Bytes) {
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
        crc ^= b;
    }
    return crc;
}

// Primality by trial division.
inline bool isPrime(int Number)
{
    if (Number < 2)
        return false;
    for (int d = 2; d * d <= Number; ++d)
        if (Number % d == 0)
            return false;
    return true;
}

// C(N, K) by Pascal's rule in 128 bits: exact for N up to 100 (C(100, 50) needs 97 bits).
inline __int128 binomial128(int N, int K)
{
    std::vector<__int128> row(size_t(N) + 1, 0);
    row[0] = 1;
    for (int n = 1; n <= N; ++n)
        for (int k = n; k > 0; --k)
            row[size_t(k)] += row[size_t(k) - 1];
    return K < 0 || K > N ? 0 : row[size_t(K)];
}

// Decimal text of a 128-bit value, digit by digit.
inline std::string decimal128(__int128 Value)
{
    const bool negative = Value < 0;
    unsigned __int128 magnitude = negative ? 0 - (unsigned __int128)Value : (unsigned __int128)Value;
    std::string digits;
    do {
        digits.insert(digits.begin(), char('0' + int(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return negative ? '-' + digits : digits;
}

} // namespace testsupport
