#pragma once
// Amounts, a lotto with systems, and game folders for the game tests.

#include "core/Currency.h"
#include "engine/UGame.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

// Whole + Fraction / 10000.
inline Currency Amount(int64_t Whole, int64_t Fraction = 0)
{
    return Currency::fromCount(Whole * Currency::Scale + Fraction);
}

// 6 of 49, bets of 2.50, systems of 7 to 12 numbers played as their 6-number bets; 3 to 6 hits win 24,
// 150, 4000 and 2000000, fewer hits have no prize (-1).
inline TGameInfo SystemsLotto()
{
    TGameInfo g;
    g.Id = 1;
    g.ShortName = "Lotto";
    g.MaxNumber = 49;
    g.Drawn = 6;
    g.MinK = 6;
    g.MaxK = 12;
    g.BetSize = 6;
    g.MaxSize = 12;
    g.MultiFrom = 7;
    g.HasSystems = true;
    g.BasicStake = Amount(2, 5000);
    g.WinStake = Amount(1);
    g.MinHits = {1, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3};
    g.Prizes.assign(12, std::vector<Currency>(12, Amount(-1)));
    for (int k = 6; k <= 12; ++k) {
        g.Prizes[size_t(k) - 1][2] = Amount(24);
        g.Prizes[size_t(k) - 1][3] = Amount(150);
        g.Prizes[size_t(k) - 1][4] = Amount(4000);
        g.Prizes[size_t(k) - 1][5] = Amount(2000000);
    }
    BuildLevelCounts(g);
    BuildHitsTable(g);
    return g;
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
