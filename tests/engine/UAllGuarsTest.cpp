#include "engine/UAllGuars.h"

#include "core/UComb.h"
#include "engine/UGame.h"
#include "engine/UGameMan.h"
#include "engine/USysVar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using Keys = std::vector<TDynByteArr>;
using Texts = std::vector<std::string>;

// 6 of 49: bets from 6 numbers, 3 hits win with 6.
class AllGuars : public ::testing::Test {
protected:
    AllGuars() { setGame(6, {1, 1, 2, 2, 3, 3}); }

    // Bets of exactly as many numbers as MinHits has entries.
    void setGame(uint8_t Drawn, const TDynByteArr &MinHits)
    {
        Game.Info.Drawn = Drawn;
        Game.Info.MinK = Game.Info.MaxK = uint8_t(MinHits.size());
        Game.Info.MinHits = MinHits;
    }

    static Keys keys(const TGeneralList<TOneOfAllGuars> &List)
    {
        Keys result;
        for (int i = 0; i < List.Count(); ++i)
            result.push_back(List.GetItem(i)->Key);
        return result;
    }

    static Texts texts(const TGeneralList<TOneOfAllGuars> &List)
    {
        Texts result;
        for (int i = 0; i < List.Count(); ++i) {
            result.push_back(List.GetItem(i)->LongText);
            EXPECT_EQ(List.GetItem(i)->CaptionText, result.back());
        }
        return result;
    }

    // The states of the plain odometer that the rules keep, last visited first.
    static Keys bruteForce(const TAGParams &Groups, int Fewest, bool BeyondFirst)
    {
        TDynByteArr max, digits;
        int64_t states = 1;
        for (const TAGParam &group : Groups) {
            max.push_back(group.Count);
            states *= group.Count + 1;
        }
        NextCounter(digits, uint8_t(max.size()), max, true);
        Keys result;
        for (int64_t s = 0; s < states; ++s, NextCounter(digits, uint8_t(max.size()), max, false)) {
            int sum = 0;
            for (uint8_t d : digits)
                sum += d;
            if (sum <= 6 && sum >= Fewest && !(BeyondFirst && sum == digits[0]))
                result.insert(result.begin(), digits);
        }
        return result;
    }

    // A variable system of N numbers, Count combinations, whose first records take the weights (0: fixed).
    TAllGuars &build(int N, int K, int Count, const std::vector<double> &Weights)
    {
        TSysVar system(&Game);
        system.SetParams(N, K, Count, int(Weights.size()));
        for (size_t i = 0; i < Weights.size(); ++i)
            EXPECT_TRUE(Weights[i] == 0.0 ? system.SetFixed(int(i), true) : system.SetWeight(int(i), Weights[i]));
        Guars = std::make_unique<TAllGuars>(&Game, K, skVar);
        Guars->Categories = system.GetNumberGroups();
        Groups = Guars->Categories;
        Guars->Build();
        return *Guars;
    }

    TGameData Game;
    std::unique_ptr<TAllGuars> Guars;
    TAGParams Groups; // as the system gave them
};

TEST_F(AllGuars, ClassicSystemOffersItsWinningHits)
{
    std::unique_ptr<TSystem> system = CreateSystem(skShort, &Game);
    system->SetParams(10, 6);
    TAllGuars guars(&Game, 6, skShort);
    guars.Categories = system->GetNumberGroups();
    guars.Build();
    EXPECT_EQ(0, guars.List2.Count());
    EXPECT_EQ(texts(guars.List1), (Texts{" 6 liczb", " 5 liczb", " 4 liczby", " 3 liczby"}));
    const TBlock &block = guars.List1.GetItem(2)->Parts.at(0);
    EXPECT_EQ(block.Numbers, (TDynByteArr{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(std::vector<int64_t>({block.Size, block.Hits, block.Fixed, block.Counter, block.Total}),
              std::vector<int64_t>({10, 4, 0, 1, 210}));
    EXPECT_EQ(block.Subset, (TDynByteArr{1, 2, 3, 4}));
}

TEST_F(AllGuars, FixedAndHeavierNumbersCombineCategories)
{
    // Ordinary 3..10, number 1 fixed, number 2 of weight 2.0.
    TAllGuars &guars = build(10, 6, 20, {0.0, 2.0});
    const std::string s = " 1 stała", z = " 1 zmienna (2,0)";
    EXPECT_EQ(texts(guars.List2),
              (Texts{" 5 normalnych" + s, " 5 normalnych" + z, " 4 normalne" + s + z, " 4 normalne" + s,
                     " 4 normalne" + z, " 3 normalne" + s + z, " 3 normalne" + s, " 3 normalne" + z,
                     " 2 normalne" + s + z, " 2 normalne" + s, " 2 normalne" + z, " 1 normalna" + s + z}));
    const TBlocks &parts = guars.List2.GetItem(2)->Parts;
    ASSERT_EQ(3u, parts.size());
    EXPECT_EQ(std::vector<int>({parts[0].Fixed, parts[1].Fixed, parts[2].Numbers.at(0), int(parts[0].Total)}),
              std::vector<int>({0, 1, 2, 70}));
    EXPECT_EQ(texts(guars.List1),
              (Texts{" 6 dowolnych liczb", " 5 dowolnych liczb", " 4 dowolne liczby", " 3 dowolne liczby"}));
    ASSERT_EQ(1u, guars.Categories.size());
    EXPECT_EQ(guars.Categories[0].Weight, -2.0);
    EXPECT_EQ(guars.Categories[0].Numbers, (TDynByteArr{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST_F(AllGuars, DescribeUsesThePolishPluralForms)
{
    const TAllGuars classic(&Game, 6, skShort), variable(&Game, 6, skVar);
    const std::vector<std::tuple<double, const TAllGuars *, Texts>> rows{
        {-1.0, &classic, {"1 dowolna zmienna", "3 dowolne zmienne", "12 dowolnych zmiennych", "22 dowolne zmienne", "2 DZ"}},
        {-2.0, &classic, {"1 dowolna liczba", "3 dowolne liczby", "12 dowolnych liczb", "22 dowolne liczby", "2 D"}},
        {0.0, &classic, {"1 stała", "3 stałe", "12 stałych", "22 stałe", "2 S"}},
        {1.0, &variable, {"1 normalna", "3 normalne", "12 normalnych", "22 normalne", "2 N"}},
        {1.0, &classic, {"1 liczba", "3 liczby", "12 liczb", "22 liczby", "2 liczby"}},
        {2.5, &classic, {"1 zmienna (2,5)", "3 zmienne (2,5)", "12 zmiennych (2,5)", "22 zmienne (2,5)", "2 Z (2,5)"}},
        {0.5, &classic, {"1 zmienna (0,5)", "3 zmienne (0,5)", "12 zmiennych (0,5)", "22 zmienne (0,5)", "2 Z (0,5)"}}};
    for (const auto &[weight, guars, expected] : rows) {
        Texts got;
        for (int count : {1, 3, 12, 22})
            got.push_back(guars->Describe(count, weight, false));
        got.push_back(guars->Describe(2, weight, true));
        EXPECT_EQ(got, expected);
    }
    EXPECT_EQ(classic.Describe(5, 1.96, false), "5 zmiennych (2,0)");
}

TEST_F(AllGuars, VariantsAreTheDrawableOdometerStatesInDescendingKeyOrder)
{
    // Fixed and heavier numbers; several numbers per category; only weights of their own; weights below 1.0.
    for (const std::vector<double> &weights : std::vector<std::vector<double>>{
             {0.0, 2.0}, {0.0, 0.0, 1.5, 1.5, 2.0, 2.5}, {1.1, 1.2, 1.3, 1.4, 1.5, 1.6, 1.7, 1.8, 1.9, 2.0}, {0.5}})
        for (int k : {6, 4}) {
            TAllGuars &guars = build(10, k, 20, weights);
            EXPECT_EQ(keys(guars.List2), weights[0] == 0.5 ? Keys{} : bruteForce(Groups, k == 6 ? 3 : 1, true));
            EXPECT_EQ(keys(guars.List1), bruteForce(guars.Categories, k == 6 ? 3 : 1, false));
        }

    // 39 weights of their own and one ordinary number: 2^40 states, of which those of 3 or fewer hits are drawn.
    setGame(3, {1, 2, 2});
    std::vector<double> weights;
    for (int i = 1; i <= 39; ++i)
        weights.push_back(1.0 + 0.05 * i);
    const Keys list2 = keys(build(40, 3, 100, weights).List2);
    ASSERT_EQ(Groups.size(), 40u);
    Keys expected; // every key of two or three single hits
    for (uint8_t hits : {2, 3}) {
        TDynByteArr positions, key(40, 0);
        NextComb(positions, 40, hits, true);
        for (int64_t c = 0; c < Newton[40][hits]; ++c, NextComb(positions, 40, hits, false)) {
            std::fill(key.begin(), key.end(), 0);
            for (uint8_t p : positions)
                key[p - 1u] = 1;
            expected.push_back(key);
        }
    }
    std::sort(expected.begin(), expected.end(), std::greater<>());
    EXPECT_EQ(list2, expected);
}

} // namespace
