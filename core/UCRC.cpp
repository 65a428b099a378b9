#include "core/UCRC.h"

#include <array>

namespace {

constexpr std::array<uint32_t, 256> makeTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t entry = i << 24;
        for (int bit = 0; bit < 8; ++bit)
            entry = (entry & 0x80000000u) ? (entry << 1) ^ CRCPolynomial : entry << 1;
        table[i] = entry;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kTable = makeTable();

} // namespace

uint32_t calcCRC(std::span<const uint8_t> bytes)
{
    uint32_t crc = CRCInit;
    for (const uint8_t b : bytes)
        crc = kTable[crc >> 24] ^ (crc << 8) ^ b;
    return crc;
}
