#pragma once
// The stored parameters of the system check window: 85 bytes under "Tools\<game id>\1".

#include "platform/ByteStream.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct TCheckSystemParams {
    static constexpr size_t RecordSize = 85;
    static constexpr size_t NumbersFieldSize = 80;
    static constexpr int ToolIndex = 1;

    uint8_t GroupType = 0;   // TCheckGroup
    uint8_t CheckType = 0;   // TCheckType
    uint8_t ShowAllHits = 0;
    uint8_t ShowChart = 0;
    uint8_t OwnCount = 0;    // own numbers used at the front of OwnNumbers; 0 none
    std::array<uint8_t, NumbersFieldSize> OwnNumbers{};

    platform::Bytes Encode() const;
    // Fields the data does not reach stay zero.
    static TCheckSystemParams Decode(std::span<const uint8_t> Bytes);
    // The stored own numbers when they are a combination the check can use on a game of N numbers with
    // Drawn drawn: 1 to Drawn (at most the field) distinct numbers of 1..N, ascending; else none.
    std::vector<uint8_t> UsableOwnNumbers(int N, int Drawn) const;
};
