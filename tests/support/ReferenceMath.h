#pragma once
// Plain, slow computations that the tests check the program's fast routines against.

#include <cstdint>
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

} // namespace testsupport
