#include "engine/UGameDescription.h"

#include "engine/UGameMan.h"
#include "tests/engine/GameTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

const fs::path ShippedGames = fs::path(__FILE__).parent_path() / "../../data/games";

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
Drawn = 4
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
    EXPECT_EQ(g.Drawn, 4);
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

TEST(GameDescription, FaultsNameTheirLine)
{
    const std::string base = SmallGame;
    auto replaced = [&base](const std::string &From, const std::string &To) {
        std::string text = base;
        text.replace(text.find(From), From.size(), To);
        return text;
    };
    const std::vector<std::pair<std::string, std::string>> faults{
        {replaced("Drawn = 4", "Drawn = four"), "line 7: "},
        {replaced("Drawn = 4", "Drawn = 256"), "line 7: "},
        {replaced("Drawn = 4", "Drawn 4"), "line 7: "},
        {replaced("Drawn = 4", "Dawn = 4"), "line 7: "},
        {replaced("MinK = 3", "MinK = 3\nMinK = 3"), "line 10: "},
        {replaced("HasSystems = 1", "HasSystems = yes"), "line 12: "},
        {replaced("BasicStake = 1,25", "BasicStake = 1.25"), "line 15: "},
        {replaced("MinHits = 1 1 2 2 3", "MinHits = 1 1 x 2 3"), "line 18: "},
        {replaced("Prizes 4 = 0,0001", "Prizes 4 = 0,0001 abc"), "line 20: "},
        {replaced("Prizes 4 =", "Prizes 0 ="), "line 20: "},
        {replaced("ShortName = Mala", "ShortName = Mala/Duza"), "line 4: "},
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
