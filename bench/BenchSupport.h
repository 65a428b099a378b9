#pragma once
// What the benchmarks share: every combination of a 6 of 49 game, the process's peak memory, and the run
// of the registered benchmarks for the benchmarks that need a main of their own.

#include "core/UComb.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdint>
#include <vector>

inline constexpr int kN = 49, kK = 6;

// All C(49, 6) combinations, six bytes each, in lexicographic order.
inline const std::vector<uint8_t> &allSixOfFortyNine()
{
    static const std::vector<uint8_t> all = [] {
        std::vector<uint8_t> bytes;
        bytes.reserve(static_cast<size_t>(Newton[kN][kK]) * kK);
        TDynByteArr c;
        for (int64_t i = 0; i < Newton[kN][kK]; ++i) {
            NextComb(c, kN, kK, i == 0);
            bytes.insert(bytes.end(), c.begin(), c.end());
        }
        return bytes;
    }();
    return all;
}

// The process's peak resident memory so far, in megabytes.
inline double peakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

// Runs the benchmarks the arguments select; 1 for an argument it does not know.
inline int runBenchmarks(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
