#pragma once
// The list of the games the program knows, each with its definition, draw history and draws ranges,
// loaded once from the games folder; and each game's stake and prize settings in the registry.

#include "core/UGeneralList.h"
#include "engine/UDrawsDB.h"
#include "engine/UDrawsRange.h"
#include "engine/UGame.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

struct TGameData {
    TGameInfo Info;
    std::unique_ptr<TDrawsManager> DrawsMan;
    TDrawsRange DefRange;
    TDrawsRange DrawsRange;
};

// Owns its games, sorted by Id.
class TGames : public TGeneralList<TGameData> {
public:
    TGames();
    TGames(std::filesystem::path GamesDir, std::filesystem::path DrawsDir);

    // Loads every game file of GamesDir that passes the checksum, version and kind checks.
    void LoadAll();
    // False when the game is skipped: unreadable or inconsistent definition, an id already loaded, or a
    // draws file that cannot be opened.
    bool LoadGame(const std::filesystem::path &FileName);

    TGameData *GetGame(int I) const;
    TGameInfo *GetGameInfo(int I) const;
    TDrawsManager *GetDrawsManager(int I) const;
    void SetDefRange(int I, const TDrawsRange &R);
    void SetDrawsRange(int I, const TDrawsRange &R);
    TGameData *GameById(uint8_t Id) const;
    int GameIndexOfId(uint8_t Id) const;
    // The short or the long name; S unchanged when the game is absent.
    void GameName(uint8_t Id, bool Short, std::string &S) const;

    TGameData *CurrentGame() const;
    TGameInfo *CurrentGameInfo() const;
    TDrawsManager *CurrentDraws() const;
    void GetCurrentDrawsRange(TDrawsRange &R) const;

    std::filesystem::path GamesDir;
    std::filesystem::path DrawsDir;
};

extern TGames Games;
extern int CurrentGameIndex;

// Stake, prizes and draws format of a game under the registry key "Settings\<id>".
void LoadGameSettings(TGameInfo &G);
void SaveGameSettings(const TGameInfo &G);
