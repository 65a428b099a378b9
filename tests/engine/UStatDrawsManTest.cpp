#include "engine/UStatDrawsMan.h"

#include "core/DateTime.h"
#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "tests/engine/DrawsTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TDateTime Day(int D)
{
    return EncodeDate(2021, 3, D);
}

// Draw d (1-based) holds d, d + 1, ..., d + 5.
void FillHistory(TDrawsManager &History, int Count)
{
    for (int d = 1; d <= Count; ++d) {
        TDynByteArr numbers;
        for (int j = 0; j < 6; ++j)
            numbers.push_back(static_cast<uint8_t>(d + j));
        History.AddDraw(numbers, Day(d));
    }
    History.Renumber();
}

std::vector<int32_t> NosOf(const TStatDraws &Arr)
{
    std::vector<int32_t> nos;
    for (const TStatDraw &draw : Arr)
        nos.push_back(draw.No);
    return nos;
}

TStatDraws NumberedDraws(int Count)
{
    TStatDraws arr(static_cast<size_t>(Count));
    for (int i = 0; i < Count; ++i) {
        arr[size_t(i)].No = i + 1;
        arr[size_t(i)].Date = Day(1) + i;
        arr[size_t(i)].Numbers = {uint8_t(i + 1), uint8_t(i + 2)};
    }
    return arr;
}

TEST(StatDrawsManLoadTest, LoadSelectedTakesTheMarkedDrawsInDateOrder)
{
    auto game = MakeDrawsGame(49, 6);
    TDrawsManager history(game.get(), -1);
    FillHistory(history, 6);
    TDrawsRange range = IndexRange(3, 5);
    ASSERT_TRUE(history.SetRange(range));

    TStatDraws arr = NumberedDraws(2);
    EXPECT_EQ(StatDrawsMan.LoadSelected(arr, history), 3);
    EXPECT_EQ(NosOf(arr), (std::vector<int32_t>{3, 4, 5}));
    EXPECT_EQ(arr[0].Date, Day(3));
    EXPECT_EQ(arr[0].Numbers, (TDynByteArr{3, 4, 5, 6, 7, 8}));
    EXPECT_TRUE(arr[0].Hits.empty());
    EXPECT_EQ(arr[0].Mark, 0);
}

TEST(StatDrawsManLoadTest, ARangeWithoutDrawsLoadsNothing)
{
    auto game = MakeDrawsGame(49, 6);
    TDrawsManager history(game.get(), -1);
    FillHistory(history, 4);
    TDrawsRange range = IndexRange(10, 12);
    history.SetRange(range);
    TStatDraws arr = NumberedDraws(3);
    EXPECT_EQ(StatDrawsMan.LoadSelected(arr, history), 0);
    EXPECT_TRUE(arr.empty());

    range.Count = 99;
    arr = NumberedDraws(3);
    EXPECT_EQ(StatDrawsMan.LoadRange(arr, history, range), 0);
    EXPECT_TRUE(arr.empty());
    EXPECT_EQ(range.Count, 0u);
}

TEST(StatDrawsManLoadTest, LoadRangeResolvesTheRangeAndLeavesTheMarksAlone)
{
    auto game = MakeDrawsGame(49, 6);
    TDrawsManager history(game.get(), -1);
    FillHistory(history, 6);
    TDrawsRange applied;
    DefaultDrawsRange(applied);
    applied.Mode = drLast;
    ASSERT_TRUE(history.SetRange(applied));

    TDrawsRange range = IndexRange(2, 3);
    TStatDraws arr;
    EXPECT_EQ(StatDrawsMan.LoadRange(arr, history, range), 2);
    EXPECT_EQ(NosOf(arr), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(range.From, Day(2));
    EXPECT_EQ(range.To, Day(3));
    EXPECT_EQ(range.Count, 2u);
    for (int i = 0; i < history.Count(); ++i)
        EXPECT_EQ(history.GetDraw(i).Mark, i == 5 ? 1 : 0) << i;
    EXPECT_EQ(history.GetRange().Mode, drLast);
}

// A system kind for the tests: rows entered by hand.
class TTestSystem : public TSystem {
public:
    using TSystem::TSystem;
    std::string GetName(bool) const override { return "Test"; }
    std::string GetDescription(bool) const override { return "Test"; }
};

TEST(StatDrawsManLoadTest, LoadSystemNumbersTheShownRows)
{
    auto game = MakeDrawsGame(49, 6);
    TTestSystem system(game.get());
    system.SetParams(8, 7);
    system.SetKey({40, 41, 42, 43, 44, 45, 46, 47});
    const TDynByteArr first{40, 41, 42, 43, 44, 45, 46};
    const TDynByteArr second{41, 42, 43, 44, 45, 46, 47};
    system.AddComb(second.data());
    system.AddComb(first.data());

    TStatDraws arr = NumberedDraws(5);
    ASSERT_EQ(StatDrawsMan.LoadSystem(arr, system), 2);
    EXPECT_EQ(arr[0].No, 1);
    EXPECT_EQ(arr[0].Date, 0.0);
    EXPECT_EQ(arr[0].Numbers, first);
    EXPECT_EQ(arr[1].No, 2);
    EXPECT_EQ(arr[1].Date, 1.0);
    EXPECT_EQ(arr[1].Numbers, second);

    // Seven numbers per row in a game drawing six: only the first six are mapped.
    StatDrawsMan.BuildHitMaps(game->Info, arr);
    ASSERT_EQ(arr[0].Hits.size(), 49u);
    EXPECT_TRUE(arr[0].Hits[44]);
    EXPECT_FALSE(arr[0].Hits[45]);
}

TEST(StatDrawsManCopyTest, CopyFromAnIndexToTheEnd)
{
    const TStatDraws source = NumberedDraws(25);
    TStatDraws dest = NumberedDraws(3);
    EXPECT_EQ(StatDrawsMan.CopyDraws(source, dest, 10, 0), 15);
    EXPECT_EQ(dest.front().No, 11);
    EXPECT_EQ(dest.back().No, 25);
}

TEST(StatDrawsManCopyTest, SpansBeyondTheSourceAreCut)
{
    const TStatDraws source = NumberedDraws(25);
    TStatDraws dest;
    EXPECT_EQ(StatDrawsMan.CopyDraws(source, dest, 20, 10), 5);
    EXPECT_EQ(StatDrawsMan.CopyDraws(source, dest, 30, 0), 0);
    EXPECT_TRUE(dest.empty());
    EXPECT_EQ(StatDrawsMan.CopyDraws(source, dest, 3, 2), 2);
    EXPECT_EQ(NosOf(dest), (std::vector<int32_t>{4, 5}));
}

TEST(StatDrawsManCopyTest, CopiesAreDeep)
{
    TStatDraws source = NumberedDraws(3);
    StatDrawsMan.BuildHitMaps(source, 10, 2);
    TStatDraws dest;
    StatDrawsMan.CopyDraws(source, dest, 0, 0);
    source[0].Numbers[0] = 9;
    source[0].Hits[0] = false;
    EXPECT_EQ(dest[0].Numbers, (TDynByteArr{1, 2}));
    EXPECT_TRUE(dest[0].Hits[0]);
}

TEST(StatDrawsManHitsTest, ShortRowsAndStrayNumbersStayWithinTheMap)
{
    TStatDraws arr(3);
    arr[0].Numbers = {3, 9};             // shorter than the game draws
    arr[1].Numbers = {0, 10, 11, 255};   // numbers outside 1..10
    arr[2].Numbers = {1, 2, 3, 4, 5, 6}; // longer than the game draws
    StatDrawsMan.BuildHitMaps(arr, 10, 4);
    const TDynBoolArr first{false, false, true, false, false, false, false, false, true, false};
    EXPECT_EQ(arr[0].Hits, first);
    const TDynBoolArr second{false, false, false, false, false, false, false, false, false, true};
    EXPECT_EQ(arr[1].Hits, second);
    const TDynBoolArr third{true, true, true, true, false, false, false, false, false, false};
    EXPECT_EQ(arr[2].Hits, third);
}

TEST(StatDrawsManSortTest, SortByDateAndByMark)
{
    TStatDraws arr = NumberedDraws(6);
    const int32_t marks[] = {4, 1, 6, 2, 5, 3};
    for (size_t i = 0; i < arr.size(); ++i)
        arr[i].Mark = marks[i];
    StatDrawsMan.SortByDate(arr, 1);
    EXPECT_EQ(NosOf(arr), (std::vector<int32_t>{6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(arr[0].Numbers, (TDynByteArr{6, 7}));
    StatDrawsMan.SortByDate(arr, -1);
    EXPECT_EQ(NosOf(arr), (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));
    StatDrawsMan.SortByMark(arr, 1);
    EXPECT_EQ(NosOf(arr), (std::vector<int32_t>{3, 5, 1, 6, 4, 2}));
    StatDrawsMan.SortByMark(arr, -1);
    EXPECT_EQ(NosOf(arr), (std::vector<int32_t>{2, 4, 6, 1, 5, 3}));
    StatDrawsMan.Clear(arr);
    EXPECT_TRUE(arr.empty());
}

} // namespace
