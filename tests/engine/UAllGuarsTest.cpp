#include "engine/UAllGuars.h"

#include "core/UComb.h"
#include "engine/UGame.h"
#include "engine/UGameMan.h"
#include "engine/USysVar.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace {

using Keys = std::vector<TDynByteArr>;
using Texts = std::vector<std::string>;

class AllGuars : public ::testing::Test {
protected:
    AllGuars() { setGame(6, {1, 1, 2, 2, 3, 3}); } // 6 of 49, bets of 6 win from 3 hits

    void setGame(uint8_t Drawn, const TDynByteArr &MinHits)
    {
        Game.Info.Drawn = Drawn;
        Game.Info.MinK = Game.Info.MaxK = uint8_t(MinHits.size());
        Game.Info.MinHits = MinHits;
    }

    template <typename TField> static auto column(const TGeneralList<TOneOfAllGuars> &List, TField Field)
    {
        std::vector<decltype(Field(TOneOfAllGuars{}))> result;
        for (int i = 0; i < List.Count(); ++i)
            result.push_back(Field(*List.GetItem(i)));
        return result;
    }
    static TDynByteArr key(const TOneOfAllGuars &V) { return V.Key; }
    static std::string text(const TOneOfAllGuars &V)
    {
        return V.CaptionText == V.LongText ? V.LongText : "?";
    }

    // The states of the plain odometer within 6 hits that the rules keep, the last visited first.
    static Keys bruteForce(const TAGParams &Groups, int Fewest, bool BeyondFirst)
    {
        TDynByteArr max, digits;
        for (const TAGParam &group : Groups)
            max.push_back(group.Count);
        Keys result;
        NextCounter(digits, uint8_t(max.size()), max, true);
        do {
            const int sum = std::accumulate(digits.begin(), digits.end(), 0);
            if (sum <= 6 && sum >= Fewest && !(BeyondFirst && sum == digits[0]))
                result.insert(result.begin(), digits);
            NextCounter(digits, uint8_t(max.size()), max, false);
        } while (std::accumulate(digits.begin(), digits.end(), 0) != 0);
        return result;
    }

    // A variable system of N numbers whose first records take the weights (0: fixed).
    TAllGuars &build(int N, int K, int Count, const std::vector<double> &Weights)
    {
        TSysVar system(&Game);
        system.SetParams(N, K, Count, int(Weights.size()));
        for (size_t i = 0; i < Weights.size(); ++i)
            EXPECT_TRUE(Weights[i] == 0.0 ? system.SetFixed(int(i), true)
                                          : system.SetWeight(int(i), Weights[i]));
        Guars = std::make_unique<TAllGuars>(&Game, K, skVar);
        Groups = Guars->Categories = system.GetNumberGroups();
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
    EXPECT_EQ(column(guars.List1, text), (Texts{" 6 liczb", " 5 liczb", " 4 liczby", " 3 liczby"}));
    const TBlock &block = guars.List1.GetItem(2)->Parts.at(0);
    EXPECT_EQ(block.Numbers, (TDynByteArr{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(block.Subset, (TDynByteArr{1, 2, 3, 4}));
    EXPECT_EQ((std::vector<int64_t>{block.Size, block.Hits, block.Fixed, block.Counter, block.Total}),
              (std::vector<int64_t>{10, 4, 0, 1, 210}));
}

TEST_F(AllGuars, FixedAndHeavierNumbersCombineCategories)
{
    TAllGuars &guars = build(10, 6, 20, {0.0, 2.0}); // ordinary 3..10, 1 fixed, 2 of weight 2.0
    const std::string s = " 1 stała", z = " 1 zmienna (2,0)";
    EXPECT_EQ(column(guars.List2, text),
              (Texts{" 5 normalnych" + s, " 5 normalnych" + z, " 4 normalne" + s + z, " 4 normalne" + s,
                     " 4 normalne" + z, " 3 normalne" + s + z, " 3 normalne" + s, " 3 normalne" + z,
                     " 2 normalne" + s + z, " 2 normalne" + s, " 2 normalne" + z, " 1 normalna" + s + z}));
    const TBlocks &parts = guars.List2.GetItem(2)->Parts;
    ASSERT_EQ(3u, parts.size());
    EXPECT_EQ((std::vector<int>{parts[0].Fixed, int(parts[0].Total), parts[1].Fixed, parts[2].Numbers.at(0)}),
              (std::vector<int>{0, 70, 1, 2}));
    EXPECT_EQ(column(guars.List1, text),
              (Texts{" 6 dowolnych liczb", " 5 dowolnych liczb", " 4 dowolne liczby", " 3 dowolne liczby"}));
    EXPECT_EQ(guars.Categories.at(0).Numbers, (TDynByteArr{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST_F(AllGuars, DescribeUsesThePolishPluralForms)
{
    const TAllGuars classic(&Game, 6, skShort), variable(&Game, 6, skVar);
    const std::vector<std::tuple<double, const TAllGuars *, Texts>> rows{
        {-1.0, &classic, {"1 dowolna zmienna", "12 dowolnych zmiennych", "22 dowolne zmienne", "2 DZ"}},
        {-2.0, &classic, {"1 dowolna liczba", "12 dowolnych liczb", "22 dowolne liczby", "2 D"}},
        {0.0, &classic, {"1 stała", "12 stałych", "22 stałe", "2 S"}},
        {1.0, &variable, {"1 normalna", "12 normalnych", "22 normalne", "2 N"}},
        {1.0, &classic, {"1 liczba", "12 liczb", "22 liczby", "2 liczby"}},
        {2.5, &classic, {"1 zmienna (2,5)", "12 zmiennych (2,5)", "22 zmienne (2,5)", "2 Z (2,5)"}},
        {0.5, &classic, {"1 zmienna (0,5)", "12 zmiennych (0,5)", "22 zmienne (0,5)", "2 Z (0,5)"}}};
    for (const auto &[weight, guars, expected] : rows)
        EXPECT_EQ((Texts{guars->Describe(1, weight, false), guars->Describe(12, weight, false),
                         guars->Describe(22, weight, false), guars->Describe(2, weight, true)}),
                  expected);
}

TEST_F(AllGuars, VariantsAreTheDrawableOdometerStatesInDescendingKeyOrder)
{
    // Fixed and heavier numbers; several numbers per category; only weights of their own; a light number.
    for (const std::vector<double> &weights :
         std::vector<std::vector<double>>{{0.0, 2.0},
                                          {0.0, 0.0, 1.5, 1.5, 2.0, 2.5},
                                          {1.1, 1.2, 1.3, 1.4, 1.5, 1.6, 1.7, 1.8, 1.9, 2.0},
                                          {0.5}})
        for (int k : {6, 4}) {
            TAllGuars &guars = build(10, k, 20, weights);
            EXPECT_EQ(column(guars.List2, key),
                      weights[0] == 0.5 ? Keys{} : bruteForce(Groups, k == 6 ? 3 : 1, true));
            EXPECT_EQ(column(guars.List1, key), bruteForce(guars.Categories, k == 6 ? 3 : 1, false));
        }

    // 3 drawn, 2 hits win; 39 weights of their own and one ordinary number: 2^40 states, of which only
    // the keys of 2 or 3 single hits are variants.
    setGame(3, {1, 2, 2});
    std::vector<double> weights;
    for (int i = 1; i <= 39; ++i)
        weights.push_back(1.0 + 0.05 * i);
    const Keys list2 = column(build(40, 3, 100, weights).List2, key);
    ASSERT_EQ(Groups.size(), 40u);
    ASSERT_EQ(int64_t(list2.size()), Newton[40][2] + Newton[40][3]);
    for (size_t i = 0; i < list2.size(); ++i) {
        const int sum = std::accumulate(list2[i].begin(), list2[i].end(), 0);
        ASSERT_TRUE((sum == 2 || sum == 3) && (i == 0 || list2[i - 1] > list2[i])) << i;
    }
}

} // namespace
