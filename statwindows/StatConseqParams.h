#pragma once
// The stored parameters of the successors window: 36 bytes, little-endian, under "Stats\<game id>\7".

#include "platform/ByteStream.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

struct TStatConseqParams {
    static constexpr size_t RecordSize = 36;
    static constexpr size_t CombFieldSize = 20;
    static constexpr uint8_t NoComb = 255; // CombCount of a record without a combination

    uint8_t Valid = 0;      // 1 once written
    uint8_t Successors = 1; // else predecessors
    int32_t DrawsCount = 1;
    uint8_t Interval = 1;   // every draw up to DrawsCount away, else the one DrawsCount away
    uint8_t CombLen = 1;
    uint16_t MinFreq = 1;
    uint8_t LimitRows = 1;
    int32_t MaxRows = 1000;
    uint8_t CombCount = NoComb; // numbers used at the front of Comb
    std::array<uint8_t, CombFieldSize> Comb{};

    platform::Bytes Encode() const;
    // Fields the data does not reach stay zero.
    static TStatConseqParams Decode(std::span<const uint8_t> Bytes);
};
