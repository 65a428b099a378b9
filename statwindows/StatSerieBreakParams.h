#pragma once
// The stored parameters of the series and breaks windows: 6 bytes, little-endian, without a validity
// byte, under "Stats\<game id>\2" (series) or "\3" (breaks).

#include "platform/ByteStream.h"

#include <cstddef>
#include <cstdint>
#include <span>

struct TStatSerieBreakParams {
    static constexpr size_t RecordSize = 6;

    int32_t CombLen = 0;
    uint8_t ShowCombs = 0;
    uint8_t CountStd = 0;

    platform::Bytes Encode() const;
    // Fields the data does not reach stay zero.
    static TStatSerieBreakParams Decode(std::span<const uint8_t> Bytes);
};
