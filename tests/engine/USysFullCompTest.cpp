#include "engine/USysFullComp.h"
#include "engine/USysFullCompGuaranty.h"

#include "core/UComb.h"
#include "engine/UGameMan.h"
#include "tests/engine/GameTestSupport.h"
#include "tests/engine/SystemTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <tuple>
#include <utility>

namespace {

using systest::Rows;
using systest::shown;

// 3 of 20 drawn; bets of 3 to 5 numbers, those of 4 and 5 played as their 3-number bets; 2 or 3 hits win.
TGameData PrizesGame()
{
    TGameData game;
    TGameInfo &g = game.Info;
    g.Id = 7;
    g.ShortName = "Nagrody";
    g.MaxNumber = 20;
    g.Drawn = 3;
    g.MinK = 3;
    g.MaxK = 5;
    g.BetSize = 3;
    g.MaxSize = 5;
    g.MultiFrom = 4;
    g.HasSystems = true;
    g.BasicStake = Amount(1);
    g.WinStake = Amount(2);
    g.MinHits = {1, 1, 2, 2, 2};
    g.Prizes.assign(5, std::vector<Currency>(5, Amount(0)));
    for (auto &row : g.Prizes) {
        row[1] = Amount(5, 2500);
        row[2] = Amount(100);
    }
    BuildLevelCounts(g);
    BuildHitsTable(g);
    return game;
}

class SysFullComp : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(GameInfoFault(Game.Info), ""); }

    std::unique_ptr<TSysFullComp> generated(int A, int X, int Y, int B)
    {
        auto system = std::make_unique<TSysFullComp>(&Game);
        system->SetParams(A, X, Y, B);
        EXPECT_TRUE(system->Generate());
        return system;
    }

    TGameData Game = PrizesGame();
};

TEST_F(SysFullComp, FourTakingTwoWithThreeTakingOne)
{
    const auto system = generated(4, 2, 1, 3);
    const Rows rows = shown(*system);
    ASSERT_EQ(rows.size(), 18u);
    EXPECT_EQ(Rows(rows.begin(), rows.begin() + 4), (Rows{{1, 2, 5}, {1, 2, 6}, {1, 2, 7}, {1, 3, 5}}));
    EXPECT_EQ(rows.back(), (std::vector<int>{3, 4, 7}));
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end()));
    EXPECT_EQ(system->GetDescription(false), "System pełny-złożony 3(2+1)/7(4+3)/18");
    EXPECT_EQ(system->GetDescription(true), "Pełny-złożony 3(2+1)/7(4+3)/18");

    EXPECT_TRUE(system->IsIntact());
    // A new key moves the numbers, not the rows.
    system->SetKey({9, 3, 12, 1, 20, 7, 15});
    EXPECT_TRUE(system->IsIntact());
    const auto intactAfter = [this](const std::function<void(TSysFullComp &)> &Change) {
        const auto changed = generated(4, 2, 1, 3);
        Change(*changed);
        return changed->IsIntact();
    };
    const uint8_t again[] = {1, 2, 5}, foreign[] = {2, 6, 7}; // foreign: two of the second group
    EXPECT_TRUE(intactAfter([&](TSysFullComp &S) { S.ReplaceComb(0, again); }));
    EXPECT_FALSE(intactAfter([&](TSysFullComp &S) { S.ReplaceComb(5, foreign); }));
    EXPECT_FALSE(intactAfter([](TSysFullComp &S) { S.DeleteCombs(3, 3); }));
    // A copy records no checksum.
    TSysFullComp copy(&Game);
    copy.Assign(*system);
    EXPECT_EQ(shown(copy), shown(*system));
    EXPECT_FALSE(copy.IsIntact());
}

// Per hit level, the stored rows (with a multi-bet size, their simple bets) that hit it when the drawn
// numbers are HitsA of the first group, HitsB of the second and the rest outside the system.
std::map<int, int> HitsOfRows(const TSystem &System, const TGameInfo &G, int A, int HitsA, int HitsB)
{
    TDynByteArr drawn;
    for (int i = 1; i <= HitsA; ++i)
        drawn.push_back(uint8_t(i));
    for (int i = 1; i <= HitsB; ++i)
        drawn.push_back(uint8_t(A + i));
    for (int i = 1; drawn.size() < G.Drawn; ++i)
        drawn.push_back(uint8_t(System.N + i));
    const int bet = IsMultiBet(G, System.K) ? G.MultiFrom - 1 : System.K;
    std::map<int, int> levels;
    TDynByteArr places, numbers(static_cast<size_t>(bet));
    for (int row = 0; row < System.ViewCount(); ++row) {
        for (int64_t s = 0; s < Newton[size_t(System.K)][size_t(bet)]; ++s) {
            NextComb(places, uint8_t(System.K), uint8_t(bet), s == 0);
            for (int j = 0; j < bet; ++j)
                numbers[size_t(j)] = System.GetComb(row, true)[places[size_t(j)] - 1];
            ++levels[CountHits(bet, G.Drawn, numbers.data(), drawn.data())];
        }
    }
    return levels;
}

TEST_F(SysFullComp, GuarantyRowsAgreeWithTheStoredRows)
{
    const TGameInfo &g = Game.Info;
    // A full bet, a multi-bet size and a bet below the game's smallest.
    for (const auto &[a, x, b, y] : {std::tuple{4, 2, 3, 1}, {4, 2, 3, 2}, {3, 1, 3, 1}}) {
        SCOPED_TRACE(testing::Message() << a << " " << x << " " << b << " " << y);
        const auto system = generated(a, x, y, b);
        int32_t lastPosition = -1;
        TFCSGuaranty guaranty(
            &Game, [&](int32_t Position, int32_t) { lastPosition = Position; }, uint8_t(a), uint8_t(x),
            uint8_t(b), uint8_t(y));
        ASSERT_TRUE(guaranty.Calculate());
        EXPECT_EQ(lastPosition, 10000);
        const THitsInfo &info = guaranty.HitInfo;
        std::vector<std::pair<int, int>> cases;
        for (const TFCSRow &row : guaranty.Rows)
            cases.emplace_back(row.HitsA, row.HitsB);
        if (a == 4 && y == 1) {
            EXPECT_EQ(cases, (std::vector<std::pair<int, int>>{{1, 1}, {1, 2}, {2, 0}, {2, 1}, {3, 0}}));
        }
        for (int hitsA = 0; hitsA <= a; ++hitsA) {
            for (int hitsB = 0; hitsB <= b && hitsA + hitsB <= g.Drawn; ++hitsB) {
                std::map<int, int> levels = HitsOfRows(*system, g, a, hitsA, hitsB);
                TDynIntArr expected;
                Currency win;
                for (int level = info.HighHits; level >= info.FirstLevel; --level) {
                    expected.push_back(levels[level]);
                    if (guaranty.FullBet)
                        win += g.Prizes[size_t(x + y) - 1][size_t(level) - 1] * levels[level] * g.WinStake;
                }
                const auto at = std::find(cases.begin(), cases.end(), std::pair{hitsA, hitsB});
                if (at == cases.end()) {
                    EXPECT_EQ(std::count(expected.begin(), expected.end(), 0), long(expected.size()));
                    continue;
                }
                const TFCSRow &row = guaranty.Rows[size_t(at - cases.begin())];
                EXPECT_EQ(row.Hits, expected) << hitsA << " " << hitsB;
                EXPECT_EQ(row.Win, win) << hitsA << " " << hitsB;
            }
        }
    }
}

TEST_F(SysFullComp, GuarantyRefusesCountsBeyondThirtyTwoBitsAndSizesBeyondTheTables)
{
    for (const auto &[a, x, b, y] : {std::tuple{40, 20, 40, 20}, {4, 3, 3, 3}}) {
        TFCSGuaranty guaranty(&Game, {}, uint8_t(a), uint8_t(x), uint8_t(b), uint8_t(y));
        EXPECT_FALSE(guaranty.Calculate());
        EXPECT_TRUE(guaranty.Rows.empty());
    }
}

// A composite system of 1 of 2 and 1 of 2 numbers with the key 12 5 20 9.
TEST_F(SysFullComp, HandBuiltFileLoadsAndSavesBackTheSameBody)
{
    platform::Bytes body{0, 0, 1, 1, 2, 2, 4, 0, 0, 0, 12, 5, 20, 9};
    body.insert(body.end(), {2, 4, 5, 9, 0, 2, 3, 5, 20, 0, 1, 4, 9, 12, 0, 1, 3, 12, 20, 0});
    body.push_back(1);
    const auto system = CreateSystem(skFullComp, &Game);
    platform::ByteReader in(body);
    ASSERT_TRUE(system->LoadFromStream(in));
    auto &composite = static_cast<TSysFullComp &>(*system);
    EXPECT_EQ(composite.GetDescription(false), "System pełny-złożony 2(1+1)/4(2+2)/4");
    EXPECT_FALSE(composite.IsIntact());
    platform::ByteWriter saved;
    system->SaveToStream(saved);
    EXPECT_EQ(saved.bytes(), body);
    // The same system generated and given the key.
    const auto made = generated(2, 1, 1, 2);
    made->SetKey({12, 5, 20, 9});
    platform::ByteWriter out;
    made->SaveToStream(out);
    EXPECT_EQ(out.bytes(), body);

    const auto refused = [&](size_t At, uint8_t Byte) {
        platform::Bytes bad = body;
        bad[At] = Byte;
        platform::ByteReader reader(bad);
        return !TSysFullComp(&Game).LoadFromStream(reader);
    };
    EXPECT_TRUE(refused(2, 3));   // x above a
    EXPECT_TRUE(refused(3, 3));   // y above b
    EXPECT_TRUE(refused(4, 200)); // a + b beyond every game
}

} // namespace
