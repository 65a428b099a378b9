#include "engine/UGameMan.h"

#include "core/UGlobalFiles.h"
#include "core/UGlobalRegistry.h"
#include "engine/UGameFile.h"
#include "platform/ByteStream.h"

#include <stdexcept>

TGames Games;
int CurrentGameIndex = 0;

TGames::TGames()
{
    Compare = [](const TGameData *Key, const TGameData *Item, int) {
        return int(Key->Info.Id) - int(Item->Info.Id);
    };
}

TGames::TGames(std::filesystem::path GamesDir_, std::filesystem::path DrawsDir_)
    : TGames()
{
    GamesDir = std::move(GamesDir_);
    DrawsDir = std::move(DrawsDir_);
}

void TGames::LoadAll()
{
    TStrArray names;
    ListFiles((GamesDir / "*.*").string(), names);
    for (const std::string &name : names) {
        const std::string fileName = (GamesDir / name).string();
        TDynByteArr bytes;
        if (!CheckFileCRC(fileName) || !readFileBytes(fileName, bytes) || bytes.size() < FileHeaderSize ||
            !IsCurrentVersion(bytes) || bytes[4] != fkGame)
            continue;
        LoadGame(fileName);
    }
    CurrentGameIndex = 0;
}

bool TGames::LoadGame(const std::filesystem::path &FileName)
{
    TDynByteArr bytes;
    auto game = std::make_unique<TGameData>();
    TGameInfo &info = game->Info;
    if (!readFileBytes(FileName.string(), bytes) || !ReadGameFile(bytes, info) || !GameInfoFault(info).empty() ||
        GameById(info.Id))
        return false;
    BuildLevelCounts(info);
    if (info.HasSystems && !BuildHitsTable(info))
        return false;
    game->DrawsMan = std::make_unique<TDrawsManager>(game.get(), -1);
    try {
        game->DrawsMan->LoadFromFile((DrawsDir / (info.ShortName + "Draws")).string());
    } catch (const std::exception &) {
        return false;
    }
    AddItem(game.release(), false);
    return true;
}

TGameData *TGames::GetGame(int I) const
{
    return GetItem(I);
}

TGameInfo *TGames::GetGameInfo(int I) const
{
    return &GetItem(I)->Info;
}

TDrawsManager *TGames::GetDrawsManager(int I) const
{
    return GetItem(I)->DrawsMan.get();
}

void TGames::SetDefRange(int I, const TDrawsRange &R)
{
    GetItem(I)->DefRange = R;
}

void TGames::SetDrawsRange(int I, const TDrawsRange &R)
{
    GetItem(I)->DrawsRange = R;
}

TGameData *TGames::GameById(uint8_t Id) const
{
    const int index = GameIndexOfId(Id);
    return index < 0 ? nullptr : GetItem(index);
}

int TGames::GameIndexOfId(uint8_t Id) const
{
    TGameData key;
    key.Info.Id = Id;
    int index;
    return Find(&key, index) ? index : -1;
}

void TGames::GameName(uint8_t Id, bool Short, std::string &S) const
{
    if (const TGameData *game = GameById(Id))
        S = Short ? game->Info.ShortName : game->Info.Name;
}

TGameData *TGames::CurrentGame() const
{
    return CurrentGameIndex >= 0 && CurrentGameIndex < Count() ? GetItem(CurrentGameIndex) : nullptr;
}

TGameInfo *TGames::CurrentGameInfo() const
{
    TGameData *game = CurrentGame();
    return game ? &game->Info : nullptr;
}

TDrawsManager *TGames::CurrentDraws() const
{
    TGameData *game = CurrentGame();
    return game ? game->DrawsMan.get() : nullptr;
}

void TGames::GetCurrentDrawsRange(TDrawsRange &R) const
{
    if (const TGameData *game = CurrentGame())
        R = game->DefRange;
}

namespace {

std::string SettingsSection(uint8_t Id)
{
    return "Settings\\" + std::to_string(Id);
}

// A stake stored as a float amount; the current value stays when the stored one is not an amount or lies
// outside what a game file may hold.
void ReadStake(const std::string &Name, Currency &Value)
{
    try {
        const Currency stored = Currency::fromDouble(ProgramReg.ReadFloat(Name, Value.toDouble()));
        if (StakeInRange(stored))
            Value = stored;
    } catch (const std::exception &) {
    }
}

} // namespace

void LoadGameSettings(TGameInfo &G)
{
    ProgramReg.SetSection(SettingsSection(G.Id));
    ReadStake("BasicStake", G.BasicStake);
    if (G.PrizeByStake) {
        ReadStake("WinStake", G.WinStake);
    } else if (ProgramReg.GetDataSize("Wins") == int32_t(G.MaxK) * G.MaxK * 8) {
        TDynByteArr wins(size_t(G.MaxK) * G.MaxK * 8);
        ProgramReg.ReadBinary("Wins", wins);
        platform::ByteReader in(wins);
        for (auto &row : G.Prizes)
            for (auto &prize : row) {
                int64_t count = 0;
                in.get(count);
                prize = Currency::fromCount(count);
            }
    }
    if (ProgramReg.GetDataSize("Line") == int32_t(TDrawsFormat::RecordSize)) {
        TDynByteArr line(TDrawsFormat::RecordSize);
        ProgramReg.ReadBinary("Line", line);
        platform::ByteReader in(line);
        ReadDrawsFormat(in, G.Line);
    }
}

void SaveGameSettings(const TGameInfo &G)
{
    ProgramReg.SetSection(SettingsSection(G.Id));
    ProgramReg.WriteFloat("BasicStake", G.BasicStake.toDouble());
    if (G.PrizeByStake) {
        ProgramReg.WriteFloat("WinStake", G.WinStake.toDouble());
    } else {
        platform::ByteWriter wins;
        for (const auto &row : G.Prizes)
            for (const Currency prize : row)
                wins.put(prize.count());
        ProgramReg.WriteBinary("Wins", wins.bytes());
    }
    platform::ByteWriter line;
    WriteDrawsFormat(line, G.Line);
    ProgramReg.WriteBinary("Line", line.bytes());
}
