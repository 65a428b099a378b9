#include "engine/UGameMan.h"

#include "core/UCRC.h"
#include "core/UGlobalRegistry.h"
#include "tests/engine/GameTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>
#include <tuple>

namespace {

namespace fs = std::filesystem;

// The fields of a game file as raw values; Bytes() lays them out by hand.
struct RawGame {
    uint8_t Version[3] = {3, 0, 0};
    uint8_t HeaderId = 0;
    uint8_t Kind = 2;
    uint8_t Id = 7;
    uint8_t MaxNumber = 10;
    uint8_t Drawn = 3;
    uint8_t MinK = 3;
    uint8_t MaxK = 5;
    uint8_t Byte11 = 0;
    uint8_t BetSize = 3;
    uint8_t MaxSize = 5;
    uint8_t MultiFrom = 4;
    uint8_t HasSystems = 1;
    uint8_t PrizeByStake = 0;
    int64_t BasicStake = 12500; // 1.25
    int64_t WinStake = 20000;   // 2.00
    uint8_t Reserved = 9;
    std::string Name = "Gra pr\xF3" "bna"; // Windows-1250
    std::string ShortName = "Proba";
    TDynByteArr MinHits{1, 2, 2, 2, 2};
    uint8_t MaxFreqLen = 3;
    bool BreakChecksum = false;
    size_t CutBody = 0; // bytes dropped before the checksum

    // Prize of K numbers with H hits: K * 100 + H, as an amount.
    static int64_t Prize(int K, int H) { return (K * 100 + H) * int64_t(10000); }

    TDynByteArr Bytes() const
    {
        TDynByteArr b;
        auto u8 = [&b](uint8_t v) { b.push_back(v); };
        auto i64 = [&b](int64_t v) {
            for (int i = 0; i < 8; ++i)
                b.push_back(uint8_t(uint64_t(v) >> (8 * i)));
        };
        auto shortString = [&b](const std::string &s, size_t capacity) {
            b.push_back(uint8_t(s.size()));
            b.insert(b.end(), s.begin(), s.end());
            b.insert(b.end(), capacity - s.size(), 0);
        };
        b.insert(b.end(), Version, Version + 3);
        u8(HeaderId);
        u8(Kind);
        u8(0);
        for (uint8_t v : {Id, MaxNumber, Drawn, MinK, MaxK, Byte11, BetSize, MaxSize, MultiFrom, HasSystems,
                          PrizeByStake})
            u8(v);
        EXPECT_EQ(b.size(), 17u);
        i64(BasicStake);
        i64(WinStake);
        u8(Reserved);
        EXPECT_EQ(b.size(), 34u);
        shortString(Name, 124);
        EXPECT_EQ(b.size(), 159u);
        shortString(ShortName, 10);
        EXPECT_EQ(b.size(), 170u);
        for (size_t k = 0; k < MaxSize; ++k)
            u8(k < MinHits.size() ? MinHits[k] : 1);
        for (int k = 1; k <= MaxK; ++k)
            for (int h = 1; h <= MaxK; ++h)
                i64(Prize(k, h));
        u8(MaxFreqLen);
        // Line: date in field 1, numbers from field 2, no dates before 1 January 2000, "DMR", ".", ",", " ".
        u8(1);
        u8(2);
        u8(1);
        const double minDate = 36526.0;
        uint64_t raw;
        std::memcpy(&raw, &minDate, 8);
        i64(int64_t(raw));
        for (const char *s : {"DMR", ".", ",", " "})
            shortString(s, 3);
        b.resize(b.size() - CutBody);
        const uint32_t crc = calcCRC(b) ^ (BreakChecksum ? 1u : 0u);
        for (int i = 0; i < 4; ++i)
            b.push_back(uint8_t(crc >> (8 * i)));
        return b;
    }
};

void WriteBytes(const fs::path &Path, const TDynByteArr &Bytes)
{
    std::ofstream out(Path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(Bytes.data()), std::streamsize(Bytes.size()));
}

class GameFiles : public GameFolders {
protected:
    // The game file and an empty draws file for its short name.
    void Add(const std::string &FileName, const RawGame &Game)
    {
        WriteBytes(GamesDir / FileName, Game.Bytes());
        std::ofstream(DrawsDir / (Game.ShortName + "Draws")).close();
    }

    TGames &Load()
    {
        List = std::make_unique<TGames>(GamesDir, DrawsDir);
        List->LoadAll();
        return *List;
    }

    std::unique_ptr<TGames> List;
};

TEST_F(GameFiles, EveryFieldIsReadFromItsPlace)
{
    Add("proba.gam", RawGame());
    TGames &games = Load();
    ASSERT_EQ(games.Count(), 1);
    const TGameInfo &g = games.GetGame(0)->Info;
    EXPECT_EQ(g.Id, 7);
    EXPECT_EQ(g.MaxNumber, 10);
    EXPECT_EQ(g.Drawn, 3);
    EXPECT_EQ(g.MinK, 3);
    EXPECT_EQ(g.MaxK, 5);
    EXPECT_EQ(g.BetSize, 3);
    EXPECT_EQ(g.MaxSize, 5);
    EXPECT_EQ(g.MultiFrom, 4);
    EXPECT_TRUE(g.HasSystems);
    EXPECT_FALSE(g.PrizeByStake);
    EXPECT_EQ(g.BasicStake.count(), 12500);
    EXPECT_EQ(g.WinStake.count(), 20000);
    EXPECT_EQ(g.Reserved, 9);
    EXPECT_EQ(g.Name, "Gra próbna");
    EXPECT_EQ(g.ShortName, "Proba");
    EXPECT_EQ(g.MinHits, (TDynByteArr{1, 2, 2, 2, 2}));
    ASSERT_EQ(g.Prizes.size(), 5u);
    for (int k = 1; k <= 5; ++k) {
        ASSERT_EQ(g.Prizes[size_t(k) - 1].size(), 5u);
        for (int h = 1; h <= 5; ++h)
            EXPECT_EQ(g.Prizes[size_t(k) - 1][size_t(h) - 1].count(), RawGame::Prize(k, h));
    }
    EXPECT_EQ(g.MaxFreqLen, 3);
    EXPECT_EQ(g.Line.DateField, 1);
    EXPECT_EQ(g.Line.NumbersField, 2);
    EXPECT_TRUE(g.Line.UseMinDate);
    EXPECT_EQ(g.Line.MinDate, 36526.0);
    EXPECT_EQ(g.Line.DateOrder, "DMR");
    EXPECT_EQ(g.Line.DateSep, ".");
    EXPECT_EQ(g.Line.NumberSep, ",");
    EXPECT_EQ(g.Line.FieldSep, " ");
    // Computed on loading: bets of 3 win with 2 or 3 hits; 4 and 5 numbers are played as their 3-bets.
    EXPECT_EQ(g.LevelCounts, (TDynByteArr{0, 0, 2, 2, 2}));
    ASSERT_EQ(g.HitsTable.size(), 5u);
    EXPECT_EQ(g.HitsTable[4][2], (TDynIntArr{1, 6})); // 5 numbers, 3 drawn: 1 bet with 3, C(3,2) x 2 with 2
    EXPECT_NE(games.GetDrawsManager(0), nullptr);
    EXPECT_EQ(CurrentGameIndex, 0);
}

TEST_F(GameFiles, ByteElevenIsIgnored)
{
    Add("a.gam", RawGame());
    const TGameInfo plain = Load().GetGame(0)->Info;
    RawGame changed;
    changed.Byte11 = 0x5A;
    Add("a.gam", changed);
    TGames &games = Load();
    ASSERT_EQ(games.Count(), 1);
    const TGameInfo &g = games.GetGame(0)->Info;
    EXPECT_EQ(g.MaxK, plain.MaxK);
    EXPECT_EQ(g.BetSize, plain.BetSize);
    EXPECT_EQ(g.MultiFrom, plain.MultiFrom);
    EXPECT_EQ(g.Reserved, plain.Reserved);
    EXPECT_EQ(g.MinHits, plain.MinHits);
    EXPECT_EQ(g.Prizes, plain.Prizes);
    EXPECT_EQ(g.LevelCounts, plain.LevelCounts);
    EXPECT_EQ(g.HitsTable, plain.HitsTable);
    EXPECT_EQ(g.Line, plain.Line);
}

TEST_F(GameFiles, ASecondFileWithTheSameIdIsIgnored)
{
    RawGame first;
    first.ShortName = "First";
    RawGame second;
    second.ShortName = "Second";
    Add("1.gam", first);
    Add("2.gam", second);
    TGames &games = Load();
    ASSERT_EQ(games.Count(), 1);
    EXPECT_EQ(games.GetGame(0)->Info.ShortName, "First");
}

TEST_F(GameFiles, FramesThatFailTheChecksVersionOrKindAreSkipped)
{
    RawGame game;
    game.BreakChecksum = true;
    Add("crc.gam", game);
    game = RawGame();
    game.Id = 8;
    game.Version[1] = 1;
    Add("version.gam", game);
    game = RawGame();
    game.Id = 9;
    game.Kind = 3;
    Add("kind.gam", game);
    game = RawGame();
    game.Id = 10;
    game.Version[2] = 7; // the release byte is not compared
    game.HeaderId = 99;  // nor the header's game id
    Add("release.gam", game);
    TGames &games = Load();
    ASSERT_EQ(games.Count(), 1);
    EXPECT_EQ(games.GetGame(0)->Info.Id, 10);
}

TEST_F(GameFiles, TruncatedDefinitionOrMissingDrawsFileIsSkipped)
{
    RawGame cut;
    cut.CutBody = 30; // the checksum is right, the definition ends early
    Add("cut.gam", cut);
    RawGame noDraws;
    noDraws.Id = 11;
    WriteBytes(GamesDir / "nodraws.gam", noDraws.Bytes());
    fs::remove(DrawsDir / "ProbaDraws");
    EXPECT_EQ(Load().Count(), 0);
}

TEST_F(GameFiles, GamesBreakingTheirOwnRulesAreSkipped)
{
    const std::vector<std::pair<const char *, std::function<void(RawGame &)>>> breaks{
        {"id 0", [](RawGame &g) { g.Id = 0; }},
        {"MinHits 0", [](RawGame &g) { g.MinHits[2] = 0; }},
        {"MinHits above K", [](RawGame &g) { g.MinHits[2] = 4; }},
        {"MinHits of a system above the bet", [](RawGame &g) { g.MinHits[4] = 4; }},
        {"BetSize above MaxSize", [](RawGame &g) { g.BetSize = 6; }},
        {"MaxK below MinK", [](RawGame &g) { g.MaxK = 2; }},
        {"MaxK above MaxSize", [](RawGame &g) { g.MaxK = 6; }},
        {"MultiFrom not BetSize + 1", [](RawGame &g) { g.MultiFrom = 5; }},
        {"Drawn 0", [](RawGame &g) { g.Drawn = 0; }},
        {"Drawn above MaxNumber", [](RawGame &g) { g.Drawn = 11; }},
        {"MaxNumber 0", [](RawGame &g) { g.MaxNumber = 0; }},
        {"MaxNumber 100", [](RawGame &g) { g.MaxNumber = 100; }},
        {"MaxSize above MaxNumber", [](RawGame &g) { g.MaxNumber = 4; g.Drawn = 2; }},
        {"MinHits of a system below the bet's", [](RawGame &g) { g.MinHits[3] = 1; }},
        {"BasicStake negative", [](RawGame &g) { g.BasicStake = -1; }},
        {"BasicStake above MaxStake", [](RawGame &g) { g.BasicStake = MaxStake.count() + 1; }},
        {"WinStake above MaxStake", [](RawGame &g) { g.WinStake = MaxStake.count() + 1; }},
    };
    for (const auto &[what, change] : breaks) {
        fs::remove_all(GamesDir);
        fs::create_directories(GamesDir);
        RawGame game;
        change(game);
        Add("broken.gam", game);
        EXPECT_EQ(Load().Count(), 0) << what;
    }
    fs::remove_all(GamesDir);
    fs::create_directories(GamesDir);
    Add("sound.gam", RawGame());
    EXPECT_EQ(Load().Count(), 1);
}

// The short name names the draws file, "DrawsDir/<ShortName>Draws", here made so that only the name
// can refuse the game.
TEST_F(GameFiles, ShortNamesThatCannotNameAFileAreSkipped)
{
    fs::create_directories(DrawsDir / "a");
    const std::vector<std::pair<std::string, int>> names{
        {"..", 0},  {"a/b", 0}, {".", 0},     {"", 0},      {"a\\b", 0}, {"a:b", 0},
        {"a*", 0},  {"x\x01", 0}, {std::string("a\0b", 3), 0},
        {"..a", 1}, {"Gra.1", 1}, {"Gra 1", 1},
    };
    for (const auto &[name, loaded] : names) {
        fs::remove_all(GamesDir);
        fs::create_directories(GamesDir);
        RawGame game;
        game.ShortName = name;
        Add("named.gam", game);
        EXPECT_EQ(Load().Count(), loaded) << name;
    }
}

// Sizes up to MaxSize, the simple bet of 16 numbers played by bigger combinations: C(34, 16) bets of a
// combination of 34 numbers leave the 32-bit hits table.
RawGame BetsOfSixteen(uint8_t BetSize)
{
    RawGame g;
    g.MaxNumber = 34;
    g.Drawn = BetSize;
    g.MinK = BetSize;
    g.MaxK = 34;
    g.BetSize = BetSize;
    g.MaxSize = 34;
    g.MultiFrom = uint8_t(BetSize + 1);
    g.MinHits.assign(34, 1);
    return g;
}

// 99 of 99 drawn, combinations of 1 to MaxSize numbers: the counts of C(99, 18) combinations leave 64 bits.
RawGame AllOfNinetyNine(uint8_t MaxSize)
{
    RawGame g;
    g.MaxNumber = 99;
    g.Drawn = 99;
    g.MinK = 1;
    g.MaxK = MaxSize;
    g.BetSize = 1;
    g.MaxSize = MaxSize;
    g.HasSystems = 0;
    g.MultiFrom = 0;
    g.MinHits.assign(MaxSize, 1);
    return g;
}

TEST_F(GameFiles, GamesWhoseTablesLeaveTheirCountsAreSkipped)
{
    // One size less fits: C(34, 15) bets, C(99, 17) combinations.
    const std::vector<std::tuple<const char *, RawGame, int>> games{
        {"bets of 16 out of 34", BetsOfSixteen(16), 0},
        {"99 drawn, up to 18 numbers", AllOfNinetyNine(18), 0},
        {"bets of 15 out of 34", BetsOfSixteen(15), 1},
        {"99 drawn, up to 17 numbers", AllOfNinetyNine(17), 1},
    };
    for (const auto &[what, game, loaded] : games) {
        fs::remove_all(GamesDir);
        fs::create_directories(GamesDir);
        Add("big.gam", game);
        EXPECT_EQ(Load().Count(), loaded) << what;
    }
}

TEST_F(GameFiles, LookUpsById)
{
    for (const uint8_t id : {5, 2, 9}) {
        RawGame game;
        game.Id = id;
        game.ShortName = "G" + std::to_string(id);
        game.Name = "Game " + std::to_string(id);
        Add(game.ShortName + ".gam", game);
    }
    TGames &games = Load();
    ASSERT_EQ(games.Count(), 3);
    EXPECT_EQ(games.GetGame(0)->Info.Id, 2);
    EXPECT_EQ(games.GetGame(1)->Info.Id, 5);
    EXPECT_EQ(games.GetGame(2)->Info.Id, 9);
    EXPECT_EQ(games.GameIndexOfId(9), 2);
    EXPECT_EQ(games.GameIndexOfId(4), -1);
    EXPECT_EQ(games.GameById(5), games.GetGame(1));
    EXPECT_EQ(games.GameById(1), nullptr);
    std::string name = "unchanged";
    games.GameName(3, false, name);
    EXPECT_EQ(name, "unchanged");
    games.GameName(5, true, name);
    EXPECT_EQ(name, "G5");
    games.GameName(5, false, name);
    EXPECT_EQ(name, "Game 5");
    EXPECT_EQ(games.CurrentGame(), games.GetGame(0));
    EXPECT_EQ(games.CurrentGameInfo(), &games.GetGame(0)->Info);
    EXPECT_EQ(games.CurrentDraws(), games.GetDrawsManager(0));
    TDrawsRange range;
    range.Mode = drLast;
    games.SetDefRange(0, range);
    TDrawsRange copy;
    games.GetCurrentDrawsRange(copy);
    EXPECT_EQ(copy.Mode, drLast);
}

TEST(GameList, EmptyListHasNoCurrentGame)
{
    TGames games;
    EXPECT_EQ(games.CurrentGame(), nullptr);
    EXPECT_EQ(games.CurrentDraws(), nullptr);
}

// A game of 3 numbers with a 2 x 2 prize table, under its own registry key.
TGameInfo SettingsGame(uint8_t Id, bool PrizeByStake)
{
    TGameInfo g;
    g.Id = Id;
    g.MaxK = 2;
    g.PrizeByStake = PrizeByStake;
    g.BasicStake = Currency::fromCount(25000);
    g.WinStake = Currency::fromCount(10000);
    g.Prizes = {{Currency::fromCount(1), Currency::fromCount(2)}, {Currency::fromCount(3), Currency::fromCount(4)}};
    return g;
}

TMyReg SettingsKey(uint8_t Id)
{
    return TMyReg("", RegistryProduct, "Settings\\" + std::to_string(Id));
}

TDynByteArr Le64s(std::initializer_list<int64_t> Values)
{
    TDynByteArr b;
    for (const int64_t v : Values)
        for (int i = 0; i < 8; ++i)
            b.push_back(uint8_t(uint64_t(v) >> (8 * i)));
    return b;
}

TEST(GameSettings, SavedValuesAsStored)
{
    TGameInfo g = SettingsGame(201, false);
    g.Line.DateSep = ".";
    SaveGameSettings(g);
    TMyReg reg = SettingsKey(201);
    EXPECT_EQ(reg.ReadFloat("BasicStake", 0), 2.5);
    EXPECT_EQ(reg.GetDataSize("WinStake"), -1);
    TDynByteArr wins(32);
    ASSERT_EQ(reg.ReadBinary("Wins", wins), 32);
    EXPECT_EQ(wins, Le64s({1, 2, 3, 4}));
    TDynByteArr line(27);
    ASSERT_EQ(reg.ReadBinary("Line", line), 27);
    EXPECT_EQ(line[15], 1);
    EXPECT_EQ(line[16], '.');

    const TGameInfo byStake = SettingsGame(202, true);
    SaveGameSettings(byStake);
    TMyReg stakeReg = SettingsKey(202);
    EXPECT_EQ(stakeReg.ReadFloat("WinStake", 0), 1.0);
    EXPECT_EQ(stakeReg.GetDataSize("Wins"), -1);
}

TEST(GameSettings, LoadedValuesReplaceTheFileOnes)
{
    TMyReg reg = SettingsKey(203);
    reg.WriteFloat("BasicStake", 3.33333333); // rounds to the currency unit
    reg.WriteFloat("WinStake", 7.0);       // not read: the user sets the table itself
    reg.WriteBinary("Wins", Le64s({10, 20, 30, 40}));
    TDynByteArr line(27, 0);
    line[0] = 3;
    reg.WriteBinary("Line", line);
    TGameInfo g = SettingsGame(203, false);
    LoadGameSettings(g);
    EXPECT_EQ(g.BasicStake.count(), 33333);
    EXPECT_EQ(g.WinStake.count(), 10000);
    EXPECT_EQ(g.Prizes[0][0].count(), 10);
    EXPECT_EQ(g.Prizes[1][1].count(), 40);
    EXPECT_EQ(g.Line.DateField, 3);
    EXPECT_EQ(g.Line.DateSep, "");

    TMyReg stakeReg = SettingsKey(204);
    stakeReg.WriteFloat("WinStake", 2.5);
    stakeReg.WriteBinary("Wins", Le64s({10, 20, 30, 40}));
    TGameInfo byStake = SettingsGame(204, true);
    LoadGameSettings(byStake);
    EXPECT_EQ(byStake.WinStake.count(), 25000);
    EXPECT_EQ(byStake.BasicStake.count(), 25000);
    EXPECT_EQ(byStake.Prizes[0][0].count(), 1);
}

TEST(GameSettings, ValuesOfTheWrongSizeOrRangeAreIgnored)
{
    TMyReg reg = SettingsKey(205);
    reg.WriteBinary("Wins", Le64s({10, 20, 30})); // a 2 x 2 table needs 32 bytes
    reg.WriteBinary("Line", TDynByteArr(26, 4));
    reg.WriteFloat("BasicStake", std::numeric_limits<double>::quiet_NaN());
    TGameInfo g = SettingsGame(205, false);
    LoadGameSettings(g);
    EXPECT_EQ(g.Prizes, SettingsGame(205, false).Prizes);
    EXPECT_EQ(g.Line, TDrawsFormat());
    EXPECT_EQ(g.BasicStake.count(), 25000);

    reg.WriteBinary("Wins", Le64s({10, 20, 30, 40, 50}));
    reg.WriteFloat("BasicStake", 1e300);
    LoadGameSettings(g);
    EXPECT_EQ(g.Prizes, SettingsGame(205, false).Prizes);
    EXPECT_EQ(g.BasicStake.count(), 25000);
}

TEST(GameSettings, StoredStakesBeyondWhatAGameFileHoldsKeepTheFileOnes)
{
    TMyReg reg = SettingsKey(207);
    reg.WriteFloat("BasicStake", 1e12);
    reg.WriteFloat("WinStake", -0.5);
    TGameInfo g = SettingsGame(207, true);
    LoadGameSettings(g);
    EXPECT_EQ(g.BasicStake.count(), 25000);
    EXPECT_EQ(g.WinStake.count(), 10000);

    reg.WriteFloat("BasicStake", MaxStake.toDouble());
    reg.WriteFloat("WinStake", 0.0);
    LoadGameSettings(g);
    EXPECT_EQ(g.BasicStake, MaxStake);
    EXPECT_EQ(g.WinStake.count(), 0);
}

TEST(GameSettings, MissingValuesKeepTheFileOnes)
{
    TGameInfo g = SettingsGame(206, true);
    LoadGameSettings(g);
    EXPECT_EQ(g.BasicStake.count(), 25000);
    EXPECT_EQ(g.WinStake.count(), 10000);
    EXPECT_EQ(g.Line, TDrawsFormat());
}

} // namespace
