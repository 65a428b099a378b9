#pragma once
// Amounts and game folders for the game tests.

#include "core/Currency.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

// Whole + Fraction / 10000.
inline Currency Amount(int64_t Whole, int64_t Fraction = 0)
{
    return Currency::fromCount(Whole * Currency::Scale + Fraction);
}

// A test with empty "Games" and "Draws" folders of its own.
class GameFolders : public testing::Test {
protected:
    void SetUp() override
    {
        const std::filesystem::path root = testsupport::makeTempDir("korvantile-games-");
        GamesDir = root / "Games";
        DrawsDir = root / "Draws";
        std::filesystem::create_directories(GamesDir);
        std::filesystem::create_directories(DrawsDir);
    }

    std::filesystem::path GamesDir;
    std::filesystem::path DrawsDir;
};
