#pragma once
// The checksum of the program's data files: a CRC-32 of its own. The table is the MSB-first table of the
// polynomial 04C11DB7h, but each byte enters after the table step instead of indexing it, the register
// starts at FFFFFFFFh and nothing is reflected or xored at the end. "abc" gives B7051F63h.

#include <cstdint>
#include <span>

constexpr uint32_t CRCPolynomial = 0x04C11DB7;
constexpr uint32_t CRCInit = 0xFFFFFFFF;

uint32_t calcCRC(std::span<const uint8_t> bytes);
// Runs the register Crc on over more bytes: calcCRC(a + b) = updateCRC(calcCRC(a), b).
uint32_t updateCRC(uint32_t Crc, std::span<const uint8_t> bytes);
