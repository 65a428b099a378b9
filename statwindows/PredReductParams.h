#pragma once
// The stored parameters of the reduction prediction window: 88 bytes, little-endian, under
// "Tools\<game id>\5".

#include "platform/ByteStream.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

struct TPredReductParams {
    static constexpr size_t RecordSize = 88;
    static constexpr size_t KeyOrderFieldSize = 80;

    uint8_t Valid = 0; // 1 once written
    uint8_t CombLen = 0;
    uint8_t HitWin = 0;
    uint16_t DrawFrom = 0;
    uint16_t DrawTo = 0;
    uint8_t KeyLen = 0;
    // The number order at the front (N bytes); zeros when N does not fit the field.
    std::array<uint8_t, KeyOrderFieldSize> KeyOrder{};

    platform::Bytes Encode() const;
    // Fields the data does not reach stay zero.
    static TPredReductParams Decode(std::span<const uint8_t> Bytes);
};
