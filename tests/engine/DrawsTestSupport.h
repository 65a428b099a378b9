#pragma once
// Game records, draw histories and files for the draw-history tests.

#include "engine/UDrawsDB.h"
#include "engine/UDrawsRange.h"
#include "engine/UGameMan.h"
#include "tests/support/TestEnvironment.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

// A game record holding what a draw history reads: the highest number and the numbers drawn.
inline std::unique_ptr<TGameData> MakeDrawsGame(uint8_t MaxNumber, uint8_t Drawn)
{
    auto game = std::make_unique<TGameData>();
    game->Info.MaxNumber = MaxNumber;
    game->Info.Drawn = Drawn;
    return game;
}

// A new file of its own temporary folder holding exactly Bytes.
inline std::string WriteTestFile(const std::string &Name, const std::string &Bytes)
{
    const std::string path = (testsupport::makeTempDir("korvantile-draws-") / Name).string();
    std::ofstream(path, std::ios::binary) << Bytes;
    return path;
}

inline std::string ReadTestFile(const std::string &Path)
{
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string TempFilePath(const std::string &Name)
{
    return (testsupport::makeTempDir("korvantile-draws-") / Name).string();
}

// The default range narrowed to the draws First..Last (1-based ordinals).
inline TDrawsRange IndexRange(int32_t First, int32_t Last)
{
    TDrawsRange range;
    DefaultDrawsRange(range);
    range.Mode = drIndexes;
    range.FirstIndex = First;
    range.LastIndex = Last;
    return range;
}

// The numbers of draw I of the history.
inline TDynByteArr NumbersOf(const TDrawsManager &Draws, int I)
{
    return Draws.GetDraw(I).Numbers;
}
