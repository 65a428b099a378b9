#include "engine/UGameDescription.h"

#include "core/UCRC.h"
#include "core/UGlobalFiles.h"
#include "engine/UGameMan.h"
#include "tests/engine/GameTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

const fs::path ShippedGames = fs::path(KORVANTILE_DATA_ROOT) / "games";

std::string ReadText(const fs::path &Path)
{
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const char *const SmallGame = R"(# a comment line
Id = 4
Name = Mała gra
ShortName = Mala

MaxNumber = 20
Drawn = 3
BetSize = 3
MinK = 3
MaxK = 4
MaxSize = 5
HasSystems = 1
MultiFrom = 4
PrizeByStake = 0
BasicStake = 1,25
WinStake = 1
MaxFreqLen = 2
MinHits = 1 1 2 2 3
Prizes 3 =  -  2,50   10
Prizes 4 = 0,0001
)";

TEST(GameDescription, FieldsAndPrizeCells)
{
    TGameInfo g;
    ASSERT_EQ(ParseGameDescription(SmallGame, g), "");
    EXPECT_EQ(g.Id, 4);
    EXPECT_EQ(g.Name, "Mała gra");
    EXPECT_EQ(g.ShortName, "Mala");
    EXPECT_EQ(g.MaxNumber, 20);
    EXPECT_EQ(g.Drawn, 3);
    EXPECT_EQ(g.BetSize, 3);
    EXPECT_EQ(g.MinK, 3);
    EXPECT_EQ(g.MaxK, 4);
    EXPECT_EQ(g.MaxSize, 5);
    EXPECT_TRUE(g.HasSystems);
    EXPECT_EQ(g.MultiFrom, 4);
    EXPECT_FALSE(g.PrizeByStake);
    EXPECT_EQ(g.BasicStake, Amount(1, 2500));
    EXPECT_EQ(g.WinStake, Amount(1));
    EXPECT_EQ(g.MaxFreqLen, 2);
    EXPECT_EQ(g.MinHits, (TDynByteArr{1, 1, 2, 2, 3}));
    const Currency none = Amount(-1);
    EXPECT_EQ(g.Prizes, (std::vector<std::vector<Currency>>{{none, none, none, none},
                                                             {none, none, none, none},
                                                             {none, Amount(2, 5000), Amount(10), none},
                                                             {Amount(0, 1), none, none, none}}));
    EXPECT_EQ(g.Line, TDrawsFormat());
    EXPECT_EQ(GameInfoFault(g), "");
}

// The 4-number systems of the small game are played as their 3-number bets, which win from 2 hits, but
// its row of 4 numbers lists no prize for 2 or 3 hits.
TEST(GameDescription, NoPrizeAtAWinningLevelPaysNothing)
{
    TGameInfo g;
    ASSERT_EQ(ParseGameDescription(SmallGame, g), "");
    ASSERT_EQ(GameInfoFault(g), "");
    BuildLevelCounts(g);
    ASSERT_TRUE(BuildHitsTable(g));
    // One system with 3 hits: 1 bet with 3 hits, 3 with 2.
    int64_t system[] = {1, 0};
    ExpandHits(g, 4, 3, system, 2);
    ASSERT_EQ(system[0], 1);
    ASSERT_EQ(system[1], 3);
    EXPECT_EQ(WinAmount(g, 4, 3, system, 2), Amount(0));
    // The row of 3 numbers pays 10 for 3 hits and 2.50 for 2.
    const int32_t bets[] = {1, 3};
    EXPECT_EQ(WinAmount(g, 3, 3, bets, 2), Amount(17, 5000));
}

TEST(GameDescription, FaultsNameTheirLine)
{
    const std::string base = SmallGame;
    auto replaced = [&base](const std::string &From, const std::string &To) {
        std::string text = base;
        text.replace(text.find(From), From.size(), To);
        return text;
    };
    const std::vector<std::pair<std::string, std::string>> faults{
        {replaced("Drawn = 3", "Drawn = three"), "line 7: "},
        {replaced("Drawn = 3", "Drawn = 256"), "line 7: "},
        {replaced("Drawn = 3", "Drawn 3"), "line 7: "},
        {replaced("Drawn = 3", "Dawn = 3"), "line 7: "},
        {replaced("MinK = 3", "MinK = 3\nMinK = 3"), "line 10: "},
        {replaced("HasSystems = 1", "HasSystems = yes"), "line 12: "},
        {replaced("BasicStake = 1,25", "BasicStake = 1.25"), "line 15: "},
        {replaced("MinHits = 1 1 2 2 3", "MinHits = 1 1 x 2 3"), "line 18: "},
        {replaced("Prizes 4 = 0,0001", "Prizes 4 = 0,0001 abc"), "line 20: "},
        {replaced("Prizes 4 =", "Prizes 0 ="), "line 20: "},
        {replaced("ShortName = Mala", "ShortName = Zbyt długa1"), "line 4: "},
        {replaced("Name = Mała gra", "Name ="), "line 3: "},
    };
    for (const auto &[text, start] : faults) {
        TGameInfo g;
        const std::string fault = ParseGameDescription(text, g);
        EXPECT_TRUE(fault.starts_with(start)) << fault << " for\n" << text;
        EXPECT_EQ(g.Id, 0);
    }
}

TEST(GameDescription, MissingFieldsAndPrizeRowsOutsideTheTable)
{
    TGameInfo g;
    std::string text = SmallGame;
    text.erase(text.find("MaxFreqLen = 2"), 14);
    EXPECT_EQ(ParseGameDescription(text, g), "\"MaxFreqLen\" is missing");
    text = SmallGame;
    text.erase(text.find("MultiFrom = 4"), 13);
    EXPECT_EQ(ParseGameDescription(text, g), "\"MultiFrom\" is missing");
    text = std::string(SmallGame) + "Prizes 5 = 1\n";
    EXPECT_NE(ParseGameDescription(text, g), "");
    text = std::string(SmallGame) + "Prizes 1 = 1 1 1 1 1\n";
    EXPECT_NE(ParseGameDescription(text, g), "");
}

class GameFileMaking : public GameFolders {};

TEST_F(GameFileMaking, InconsistentGamesAreRefused)
{
    const fs::path description = GamesDir.parent_path() / "bad.txt";
    std::string text = SmallGame;
    text.replace(text.find("MultiFrom = 4"), 13, "MultiFrom = 5");
    std::ofstream(description) << text;
    const fs::path output = GamesDir / "bad.dat";
    EXPECT_EQ(MakeGameFile(description, output), description.string() +
                                                     ": MultiFrom is not BetSize + 1 in a game with systems");
    EXPECT_FALSE(fs::exists(output));
    EXPECT_NE(MakeGameFile(GamesDir / "absent.txt", output), "");
    EXPECT_FALSE(fs::exists(output));
}

TEST_F(GameFileMaking, ShortNamesThatCannotNameTheDrawsFileAreRefused)
{
    const fs::path description = GamesDir.parent_path() / "named.txt";
    const fs::path output = GamesDir / "named.dat";
    const std::string line = "ShortName = Mala";
    for (const char *name : {"..", "a/b", ".", "a\\b", "a|b"}) {
        std::string text = SmallGame;
        text.replace(text.find(line), line.size(), std::string("ShortName = ") + name);
        std::ofstream(description) << text;
        EXPECT_EQ(MakeGameFile(description, output),
                  description.string() + ": the short name names the draws file and cannot stand as a file name")
            << name;
        EXPECT_FALSE(fs::exists(output));
    }
}

// The description of a game with MaxNumber, Drawn, BetSize and MaxSize as given, systems from BetSize + 1
// numbers when Systems, every size winning from one hit.
std::string BigGame(int MaxNumber, int Drawn, int BetSize, int MaxSize, bool Systems)
{
    std::string text = "Id = 5\nName = Duża\nShortName = Duza\nMaxNumber = " + std::to_string(MaxNumber) +
                       "\nDrawn = " + std::to_string(Drawn) + "\nBetSize = " + std::to_string(BetSize) +
                       "\nMinK = " + std::to_string(BetSize) + "\nMaxK = " + std::to_string(MaxSize) +
                       "\nMaxSize = " + std::to_string(MaxSize) + "\nHasSystems = " + (Systems ? "1" : "0") +
                       "\nMultiFrom = " + std::to_string(BetSize + 1) +
                       "\nPrizeByStake = 0\nBasicStake = 1\nWinStake = 1\nMaxFreqLen = 2\nMinHits =";
    for (int k = 0; k < MaxSize; ++k)
        text += " 1";
    return text + "\n";
}

TEST_F(GameFileMaking, GamesWhoseTablesCannotBeComputedAreRefused)
{
    std::string lotto = ReadText(ShippedGames / "Lotto.txt");
    const std::string minHits = "MinHits = 1 2 3 3 3 3 3 3 3 3 3 3";
    ASSERT_NE(lotto.find(minHits), std::string::npos);
    lotto.replace(lotto.find(minHits), minHits.size(), "MinHits = 1 2 3 3 3 3 1 3 3 3 3 3");
    const std::vector<std::pair<std::string, std::string>> refused{
        {lotto, "MinHits of size 7 is below that of BetSize"},
        {BigGame(34, 16, 16, 34, true), "the simple bets of MaxSize numbers leave 32 bits"},
        // A system of 15 with all 15 drawn would be counted as hitting 14.
        {BigGame(99, 20, 14, 15, true),
         "a combination of MaxSize numbers can take more hits than BetSize in a game with systems"},
        {BigGame(99, 99, 1, 18, false), "the counts of a full system of MaxNumber numbers, 18 per combination, "
                                        "leave 64 bits"},
        // C(49, 25) combinations of C(25, 6) bets each.
        {BigGame(49, 6, 6, 25, true), "the counts of a full system of MaxNumber numbers, 25 per combination, "
                                      "leave 64 bits"},
    };
    const fs::path description = GamesDir.parent_path() / "big.txt";
    const fs::path output = GamesDir / "big.dat";
    for (const auto &[text, fault] : refused) {
        std::ofstream(description) << text;
        EXPECT_EQ(MakeGameFile(description, output), description.string() + ": " + fault);
        EXPECT_FALSE(fs::exists(output));
    }
    for (const std::string &text :
         {BigGame(34, 15, 15, 34, true), BigGame(99, 99, 1, 17, false), BigGame(49, 6, 6, 24, true),
          BigGame(99, 14, 14, 15, true), BigGame(99, 20, 14, 14, true)}) {
        std::ofstream(description) << text;
        EXPECT_EQ(MakeGameFile(description, output), "") << text;
    }
}

// The shipped Lotto with its byte 176, the fewest winning hits of 7 numbers, changed from 3 to 1 and the
// checksum made right again: its 7-number systems would expand into levels below those of a simple bet.
TEST_F(GameFileMaking, ShippedLottoWithSevenNumbersWinningFromOneHitIsSkipped)
{
    const fs::path file = GamesDir / "Lotto.dat";
    ASSERT_EQ(MakeGameFile(ShippedGames / "Lotto.txt", file), "");
    std::ofstream(DrawsDir / "LottoDraws").close();
    std::string bytes = ReadText(file);
    ASSERT_EQ(bytes[176], 3);
    bytes[176] = 1;
    bytes.resize(bytes.size() - 4);
    const uint32_t crc = calcCRC(std::span(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()));
    for (int i = 0; i < 4; ++i)
        bytes.push_back(char(crc >> (8 * i)));
    std::ofstream(file, std::ios::binary) << bytes;
    ASSERT_TRUE(CheckFileCRC(file.string()));
    TGames games(GamesDir, DrawsDir);
    games.LoadAll();
    EXPECT_EQ(games.Count(), 0);
}

TEST_F(GameFileMaking, ShippedGamesPassTheLoader)
{
    int made = 0;
    for (const auto &entry : fs::directory_iterator(ShippedGames)) {
        TGameInfo g;
        ASSERT_EQ(ParseGameDescription(ReadText(entry.path()), g), "") << entry.path();
        ASSERT_EQ(MakeGameFile(entry.path(), GamesDir / (entry.path().stem().string() + ".dat")), "");
        std::ofstream(DrawsDir / (g.ShortName + "Draws")).close();
        ++made;
    }
    TGames games(GamesDir, DrawsDir);
    games.LoadAll();
    ASSERT_EQ(games.Count(), made);
    ASSERT_EQ(made, 3);

    const TGameInfo &lotto = games.GameById(1)->Info;
    EXPECT_EQ(lotto.Name, "Lotto 6 z 49");
    EXPECT_EQ(lotto.ShortName, "Lotto");
    EXPECT_EQ(BetCost(lotto, 6, 1), Amount(3));
    EXPECT_EQ(BetCost(lotto, 12, 1), Amount(3 * 924)); // C(12, 6) bets
    EXPECT_EQ(HitLevelCount(lotto, 12), 4);
    const int32_t hits[] = {1, 1, 1, 1};
    EXPECT_EQ(WinAmount(lotto, 6, 6, hits, 4), Amount(2000000 + 4000 + 150 + 24));
    for (int k = 7; k <= 12; ++k)
        for (int h = 1; h <= 6; ++h)
            EXPECT_EQ(lotto.Prizes[size_t(k) - 1][size_t(h) - 1], lotto.Prizes[5][size_t(h) - 1]);
    int32_t system[] = {0, 1, 0, 0}; // 7 numbers, 5 drawn: 2 bets with 5 hits, 5 with 4
    ExpandHits(lotto, 7, 6, system, 4);
    EXPECT_EQ(WinAmount(lotto, 7, 6, system, 4), Amount(2 * 4000 + 5 * 150));

    const TGameInfo &mini = games.GameById(2)->Info;
    EXPECT_EQ(mini.Name, "Mini Lotto 5 z 42");
    EXPECT_EQ(BetCost(mini, 5, 2), Amount(3));
    EXPECT_EQ(WinAmount(mini, 5, 5, hits, 3), Amount(200000 + 200 + 20));

    const TGameInfo &multi = games.GameById(3)->Info;
    EXPECT_EQ(multi.Name, "Multi Multi 20 z 80");
    EXPECT_TRUE(multi.PrizeByStake);
    EXPECT_EQ(BetCost(multi, 10, 1), Amount(2, 5000));
    for (int k = 1; k <= 10; ++k)
        EXPECT_GT(WinAmount(multi, k, k, hits, 1), Amount(0)) << k; // picking k, all hit
}

} // namespace
