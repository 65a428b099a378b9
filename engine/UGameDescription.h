#pragma once
// The readable description of a game from which the game files supplied with the program are made.
//
// One "Field = value" per line; blank lines and lines starting with '#' are skipped. The fields are those
// of TGameInfo: Id, Name, ShortName, MaxNumber, Drawn, MinK, MaxK, BetSize, MaxSize, HasSystems (0 or 1),
// MultiFrom (needed with HasSystems only), PrizeByStake (0 or 1), BasicStake and WinStake (amounts with a
// decimal comma), MaxFreqLen, MinHits (MaxSize numbers, for sizes 1..MaxSize) and, for any size K of
// 1..MaxK, "Prizes K" (the prizes of K numbers for 1, 2, ... hits, "-" for no prize; cells not listed
// have none). The draws format is the default one.

#include "engine/UGame.h"

#include <filesystem>
#include <string>
#include <string_view>

// An empty text when Text describes a game (G then holds it, not yet checked by GameInfoFault);
// otherwise "line N: ..." or what is missing.
std::string ParseGameDescription(std::string_view Text, TGameInfo &G);

// Reads the description, refuses an inconsistent game, writes the game file. Answers an empty text or
// what went wrong.
std::string MakeGameFile(const std::filesystem::path &Description, const std::filesystem::path &Output);
