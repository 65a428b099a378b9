#pragma once
// The staking window's settings, kept per game as one record of 276 bytes: valid byte (1 once written),
// N, K, the number of draws and the minimum hit (i32), the single profit (i64, currency x 10000), the
// individual-profits flag and the 32 per-draw profits (i64 each), little-endian.

#include "platform/ByteStream.h"

#include <array>
#include <cstdint>
#include <optional>

struct TStageParams {
    static constexpr size_t Size = 276;
    static constexpr size_t Draws = 32;

    int N = 0;
    int K = 0;
    int32_t D = 10;
    int32_t MinHit = 0;
    int64_t Profit = 1000000; // 100.00
    bool Individual = false;
    std::array<int64_t, Draws> Profits{};
};

platform::Bytes WriteStageParams(const TStageParams &Params);
// The fields of a valid record; nothing for a missing or unwritten one.
std::optional<TStageParams> ReadStageParams(const platform::Bytes &Record);
