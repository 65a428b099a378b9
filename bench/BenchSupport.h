#pragma once
// What the benchmarks share: every combination of a 6 of 49 game, a shipped game for the benchmarks that
// define KORVANTILE_DATA_ROOT, the process's peak memory, and the run of the registered benchmarks for
// the benchmarks that need a main of their own.

#include "core/UComb.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdint>
#include <vector>

#ifdef KORVANTILE_DATA_ROOT
#include "engine/UGame.h"
#include "engine/UGameDescription.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#endif

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

#ifdef KORVANTILE_DATA_ROOT
// The game of the shipped description data/games/<Name>.txt, with its level counts and hits table.
inline TGameInfo shippedGame(const std::string &Name)
{
    std::ifstream in(std::string(KORVANTILE_DATA_ROOT) + "/games/" + Name + ".txt");
    TGameInfo game;
    const std::string fault = ParseGameDescription(std::string(std::istreambuf_iterator<char>(in), {}), game);
    if (!fault.empty())
        throw std::runtime_error("the shipped game " + Name + ": " + fault);
    BuildLevelCounts(game);
    BuildHitsTable(game);
    return game;
}
#endif

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
