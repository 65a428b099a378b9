#pragma once
// The stored parameters of the play-history browser: 33 bytes, little-endian, under "Tools\0\4".

#include "core/DateTime.h"
#include "platform/ByteStream.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

struct THistoryParams {
    static constexpr size_t RecordSize = 33;

    uint8_t Valid = 0;   // 1 once written
    int32_t GameId = -1; // -1: every game
    uint8_t FromOn = 1;
    TDateTime From = 0;
    uint8_t ToOn = 1;
    TDateTime To = 0;
    std::array<uint8_t, 10> HitLevels{}; // checked state of the levels 10 .. 1

    platform::Bytes Encode() const;
    static THistoryParams Decode(std::span<const uint8_t> Bytes);
    // What an unwritten record gives: every game, both bounds on at Today, every level checked.
    static THistoryParams Defaults(TDateTime Today);
};
