#pragma once
// The stored parameters of the optimal combinations window: 173 bytes, little-endian, under
// "Stats\<game id>\5".

#include "platform/ByteStream.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

struct TStatBestCombParams {
    static constexpr size_t RecordSize = 173;
    static constexpr size_t NumbersFieldSize = 80;

    uint8_t Valid = 0; // 1 once written
    uint8_t CombLen = 0;
    uint8_t KeyCount = 0; // numbers used at the front of Key; 0 for a key longer than the field
    std::array<uint8_t, NumbersFieldSize> Key{};
    uint8_t ConstCount = 0;
    std::array<uint8_t, NumbersFieldSize> Consts{};
    uint8_t ByWin = 0;  // prize scoring, else weighted hits
    uint8_t HitFrom = 0;
    uint8_t HitTo = 0;
    uint8_t Exact = 0;  // the exhaustive search, else the genetic one
    int32_t MaxIter = 0;
    uint8_t ShowEqual = 0;

    platform::Bytes Encode() const;
    // Fields the data does not reach stay zero.
    static TStatBestCombParams Decode(std::span<const uint8_t> Bytes);
    // What an unwritten record gives.
    static TStatBestCombParams Defaults();
};
