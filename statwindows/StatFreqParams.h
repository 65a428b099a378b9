#pragma once
// The stored parameters of the frequency window: 97 bytes, little-endian, under "Stats\<game id>\0".

#include "platform/ByteStream.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

struct TStatFreqParams {
    static constexpr size_t RecordSize = 97;
    static constexpr size_t CombFieldSize = 80;

    uint8_t Valid = 0;        // 1 once written
    uint8_t CombLen = 0;
    uint8_t EachWithEach = 0;
    uint16_t MinFreq = 0;
    uint8_t LimitRows = 0;
    int32_t MaxRows = 0;
    uint8_t UseRange = 0;
    uint8_t RangeFrom = 0;
    uint8_t RangeTo = 0;
    uint8_t UseComb = 0;
    uint8_t CombCount = 0;    // numbers used at the front of Comb
    std::array<uint8_t, CombFieldSize> Comb{};
    uint8_t Parity = 0;       // 0 any, 1 even, 2 odd
    uint8_t Consecutive = 0;

    platform::Bytes Encode() const;
    // Fields the data does not reach stay zero.
    static TStatFreqParams Decode(std::span<const uint8_t> Bytes);
    // What an unwritten or unreadable record gives for a game whose highest number is N.
    static TStatFreqParams Defaults(uint8_t N);
};
