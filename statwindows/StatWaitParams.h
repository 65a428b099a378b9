#pragma once
// The stored parameters of the waiting window: 9 bytes, little-endian, under "Stats\<game id>\9".

#include "platform/ByteStream.h"

#include <cstddef>
#include <cstdint>
#include <span>

struct TStatWaitParams {
    static constexpr size_t RecordSize = 9;

    uint8_t Valid = 0;    // 1 once written
    uint8_t CombLen = 1;
    uint8_t WaitMode = 1; // waiting for a share of the combinations, else combinations in a window
    float Percent = 100;
    uint16_t WindowDraws = 1;

    platform::Bytes Encode() const;
    // Fields the data does not reach stay zero.
    static TStatWaitParams Decode(std::span<const uint8_t> Bytes);
};
