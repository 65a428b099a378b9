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
    return updateCRC(CRCInit, bytes);
}

uint32_t updateCRC(uint32_t Crc, std::span<const uint8_t> bytes)
{
    for (const uint8_t b : bytes)
        Crc = kTable[Crc >> 24] ^ (Crc << 8) ^ b;
    return Crc;
}
