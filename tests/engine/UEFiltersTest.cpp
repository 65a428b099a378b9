#include "engine/UEFilters.h"

#include "core/UComb.h"
#include "engine/UEFltKinds.h"
#include "tests/engine/DrawsTestSupport.h"
#include "tests/engine/GameTestSupport.h"
#include "tests/support/ByteOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using TPattern = std::vector<uint8_t>;

// The sizes (2 or more) of the groups a key function puts numbers in, sorted, zeros in front up to K/2.
template <typename TKeyOf>
TPattern GroupSizes(const TDynByteArr &C, TKeyOf KeyOf)
{
    std::map<int, int> groups;
    for (const uint8_t n : C)
        ++groups[KeyOf(n)];
    TPattern sizes(C.size() / 2, 0);
    for (const auto &[key, size] : groups)
        if (size > 1)
            sizes.push_back(uint8_t(size));
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(sizes.begin(), sizes.end() - std::ptrdiff_t(C.size() / 2));
    return sizes;
}

// The value or pattern of every kind, computed the plain way.
TPattern Brute(uint32_t Kind, const TDynByteArr &C)
{
    int sum = 0, first = 0, last = 0, even = 0;
    for (const uint8_t n : C) {
        sum += n;
        first += n / 10;
        last += n % 10;
        even += n % 2 == 0;
    }
    switch (Kind) {
    case efltPar:
        return {uint8_t(even), uint8_t(C.size() - size_t(even))};
    case efltSum:
        return {uint8_t(sum)};
    case efltSDigit1:
        return {uint8_t(first)};
    case efltSDigit2:
        return {uint8_t(last)};
    case efltSDigit12:
        return {uint8_t(first + last)};
    case efltDist:
        return {uint8_t(C.back() - C.front())};
    case efltSucc: // a number starts a new run unless it follows its predecessor
        return GroupSizes(C, [&C](uint8_t n) {
            int start = n;
            while (std::find(C.begin(), C.end(), uint8_t(start - 1)) != C.end())
                --start;
            return start;
        });
    case efltGDigit1:
        return GroupSizes(C, [](uint8_t n) { return n / 10; });
    case efltGDigit2:
        return GroupSizes(C, [](uint8_t n) { return n % 10; });
    default: { // differences of neighbours as the grouped "numbers"
        TDynByteArr diffs;
        for (size_t i = 1; i < C.size(); ++i)
            diffs.push_back(uint8_t(C[i] - C[i - 1]));
        TPattern sizes = GroupSizes(diffs, [](uint8_t d) { return d; });
        sizes.insert(sizes.begin(), C.size() / 2 - sizes.size(), 0);
        return sizes;
    }
    }
}

std::string PatternText(const TPattern &P)
{
    std::string text;
    for (const uint8_t s : P)
        if (s >= 2)
            text += (text.empty() ? "" : " - ") + std::to_string(s);
    return text.empty() ? "0" : text;
}

TGameData PlainGame(uint8_t MaxNumber)
{
    TGameData game;
    game.Info.MaxNumber = MaxNumber;
    return game;
}

TEST(EFilterKinds, EveryKindOverFiveOfTwentyFollowsThePlainCount)
{
    const TGameData game = PlainGame(20);
    const int64_t total = Newton[20][5];
    for (uint32_t kind = efltSucc; kind <= efltDiffConf; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const auto filter = CreateEFilter(kind, &game, 20, {}, total, 5);
        ASSERT_NE(filter, nullptr);
        std::map<TPattern, int64_t, testsupport::ByteOrder> expected;
        filter->Reset();
        TDynByteArr c;
        for (int64_t i = 0; i < total; ++i) {
            NextComb(c, 20, 5, i == 0);
            filter->AddComb(c.data());
            ++expected[Brute(kind, c)];
        }
        filter->Finish();
        filter->FreeCounters();
        ASSERT_EQ(filter->RowCount, int32_t(expected.size()));
        ASSERT_EQ(filter->Rows.size(), expected.size());
        auto row = filter->Rows.begin();
        for (const auto &[key, count] : expected) { // ascending like the rows
            EXPECT_EQ(row->Count, count);
            EXPECT_FLOAT_EQ(row->Share, float(double(count) / double(total)));
            EXPECT_TRUE(row->Hits.empty());
            const bool valueKind = kind >= efltSum && kind <= efltDist;
            if (valueKind) {
                EXPECT_EQ(row->Value, key[0]);
                EXPECT_EQ(filter->GetRowText(*row), std::to_string(key[0]));
            } else if (kind == efltPar) {
                EXPECT_EQ(row->Pattern, key);
                EXPECT_EQ(filter->GetRowText(*row), std::to_string(key[0]) + "P|" + std::to_string(key[1]) + "N");
            } else {
                EXPECT_EQ(row->Pattern, key);
                EXPECT_EQ(row->Groups, std::count_if(key.begin(), key.end(), [](uint8_t s) { return s >= 2; }));
                EXPECT_EQ(filter->GetRowText(*row), PatternText(key));
            }
            ++row;
        }
    }
    EXPECT_EQ(CreateEFilter(0, &game, 20, {}, total, 5), nullptr);
    EXPECT_EQ(CreateEFilter(11, &game, 20, {}, total, 5), nullptr);
}

TEST(EFilterKinds, SixOfFortyNineEvenCountsAndRuns)
{
    const TGameData game = PlainGame(49);
    const int64_t total = Newton[49][6];
    TEFltPar par(&game, 49, {}, total, 6);
    TEFltSucc succ(&game, 49, {}, total, 6);
    par.Reset();
    succ.Reset();
    TDynByteArr c;
    for (int64_t i = 0; i < total; ++i) {
        NextComb(c, 49, 6, i == 0);
        par.AddComb(c.data());
        succ.AddComb(c.data());
    }
    par.Finish();
    succ.Finish();
    ASSERT_EQ(par.RowCount, 7);
    EXPECT_EQ(par.GetRowText(par.Rows[0]), "0P|6N");
    EXPECT_EQ(par.GetRowText(par.Rows[6]), "6P|0N");
    EXPECT_EQ(par.GetRowText(par.Rows[3]), "3P|3N");
    EXPECT_EQ(par.Rows[3].Count, 4655200);
    EXPECT_NEAR(par.Rows[3].Share, 0.3329, 0.0001);
    std::vector<std::string> texts;
    int64_t counted = 0;
    for (const TEFilterRow &row : succ.Rows) {
        texts.push_back(succ.GetRowText(row));
        counted += row.Count;
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"0", "2", "3", "4", "5", "6", "2 - 2", "2 - 3", "2 - 4", "3 - 3",
                                               "2 - 2 - 2"}));
    EXPECT_EQ(counted, total);
    EXPECT_EQ(succ.MaxGroups, 3);
}

TEST(EFilterKinds, GroupsInEitherOrderShareOneRow)
{
    const TGameData game = PlainGame(20);
    TEFltSucc succ(&game, 20, {}, 2, 5);
    succ.Reset();
    const uint8_t threeThenTwo[] = {1, 2, 3, 10, 11};
    const uint8_t twoThenThree[] = {1, 2, 9, 10, 11};
    succ.AddComb(threeThenTwo);
    succ.AddComb(twoThenThree);
    succ.Finish();
    ASSERT_EQ(succ.RowCount, 1);
    EXPECT_EQ(succ.Rows[0].Count, 2);
    EXPECT_EQ(succ.GetRowText(succ.Rows[0]), "2 - 3");
}

// Runs of the given sizes, then single numbers, each a gap apart: K numbers of 1..99.
TDynByteArr WithRuns(const std::vector<int> &Sizes, int K)
{
    TDynByteArr c;
    int next = 1;
    for (const int size : Sizes) {
        for (int i = 0; i < size; ++i)
            c.push_back(uint8_t(next++));
        ++next;
    }
    for (; int(c.size()) < K; next += 2)
        c.push_back(uint8_t(next));
    return c;
}

// Calls Add for every multiset of run sizes (2 or more, largest first) summing to at most Room.
template <typename TAdd>
void EachRunMultiset(std::vector<int> &Sizes, int Largest, int Room, TAdd &Add)
{
    Add(Sizes);
    for (int size = std::min(Largest, Room); size >= 2; --size) {
        Sizes.push_back(size);
        EachRunMultiset(Sizes, size, Room - size, Add);
        Sizes.pop_back();
    }
}

TEST(EFilterKinds, AFullPatternTableStopsWithAnError)
{
    // Combinations of 40 numbers form tens of thousands of run patterns.
    const TGameData game = PlainGame(99);
    TEFltSucc succ(&game, 99, {}, 1, 40);
    succ.Reset();
    int added = 0;
    bool failed = false;
    auto add = [&](const std::vector<int> &Sizes) {
        if (failed)
            return;
        try {
            succ.AddComb(WithRuns(Sizes, 40).data());
            ++added;
        } catch (const std::runtime_error &) {
            failed = true;
        }
    };
    std::vector<int> sizes;
    EachRunMultiset(sizes, 40, 40, add);
    EXPECT_TRUE(failed);
    EXPECT_EQ(added, TEFltPattern::TableSize);
    EXPECT_EQ(succ.PatternCount, uint32_t(TEFltPattern::TableSize));
}

// The lotto with systems as game data.
TGameData LottoGame()
{
    TGameData game;
    game.Info = SystemsLotto();
    return game;
}

class EFilterComparison : public testing::Test {
protected:
    EFilterComparison() : Game(LottoGame()), History(&Game, -1)
    {
        History.AddDraw({1, 2, 3, 4, 5, 6}, 45000);
        History.AddDraw({1, 2, 3, 10, 11, 12}, 45003);
        History.AddDraw({20, 21, 22, 23, 24, 25}, 45007);
    }

    // TEFltSum over the combinations, compared with the whole history.
    std::unique_ptr<TEFilter> sums(const std::vector<TDynByteArr> &Combs, TDrawsRange Range = IndexRange(1, 3))
    {
        auto filter = CreateEFilter(efltSum, &Game, 49, {}, int64_t(Combs.size()), int64_t(Combs[0].size()));
        filter->SetDrawsRange(Range, History);
        filter->Reset();
        for (const TDynByteArr &c : Combs)
            filter->AddComb(c.data());
        filter->Finish();
        filter->FreeCounters();
        return filter;
    }

    static std::vector<int32_t> values(const TEFilter &Filter)
    {
        std::vector<int32_t> values;
        for (const TEFilterRow &row : Filter.Rows)
            values.push_back(row.Value);
        return values;
    }

    TGameData Game;
    TDrawsManager History;
};

// Sum 21 hits 6 and 3; sum 67 twice hits 5 and 3, and 5; sum 255 never hits.
const std::vector<TDynByteArr> HandCombs{
    {1, 2, 3, 4, 5, 6}, {1, 2, 3, 10, 11, 40}, {1, 2, 10, 11, 12, 31}, {40, 41, 42, 43, 44, 45}};

TEST_F(EFilterComparison, HitsSharesRatiosAndWinsByHand)
{
    const auto filter = sums(HandCombs);
    ASSERT_EQ(filter->LevelCount(), 4); // 6, 5, 4, 3 hits
    EXPECT_EQ(filter->DrawCount, 3);
    ASSERT_EQ(values(*filter), (std::vector<int32_t>{21, 67, 255}));
    const TEFilterRow &r21 = filter->Rows[0], &r67 = filter->Rows[1], &r255 = filter->Rows[2];
    EXPECT_EQ(r21.Hits, (std::vector<int64_t>{1, 0, 0, 1}));
    EXPECT_EQ(r67.Hits, (std::vector<int64_t>{0, 2, 0, 1}));
    EXPECT_EQ(r255.Hits, (std::vector<int64_t>{0, 0, 0, 0}));
    EXPECT_EQ(r21.HitShares, (std::vector<float>{1, 0, 0, 0.5f}));
    EXPECT_EQ(r67.HitShares, (std::vector<float>{0, 1, 0, 0.5f}));
    EXPECT_EQ(r21.HitRatios, (std::vector<float>{4, 0, 0, 2}));
    EXPECT_EQ(r67.HitRatios, (std::vector<float>{0, 2, 0, 1}));
    EXPECT_EQ(r21.Win, Amount(2000024));
    EXPECT_EQ(r67.Win, Amount(8024));
    EXPECT_EQ(r255.Win, Amount(0));
    EXPECT_EQ(filter->TotalWin, Amount(2008048));
    EXPECT_FLOAT_EQ(r21.WinShare, float(2000024.0 / 2008048.0));
    EXPECT_FLOAT_EQ(r67.WinRatio, float(8024.0 / 2008048.0) / 0.5f);
    EXPECT_EQ(r255.WinShare, 0);
}

TEST_F(EFilterComparison, AMultiBetRowWinsWhatItsBetsWin)
{
    // Seven numbers with 6 hits are 1 bet of 6 and 6 of 5 hits; with 3 hits, 4 bets of 3 hits.
    const auto filter = sums({{1, 2, 3, 4, 5, 6, 7}});
    ASSERT_EQ(filter->RowCount, 1);
    EXPECT_EQ(filter->Rows[0].Hits, (std::vector<int64_t>{1, 0, 0, 1}));
    EXPECT_EQ(filter->Rows[0].Win, Amount(2000000 + 6 * 4000 + 4 * 24));
}

TEST(EFilterHits, NumbersAboveSixtyFourHit)
{
    TGameData game = LottoGame();
    game.Info.MaxNumber = 90;
    TDrawsManager history(&game, -1);
    history.AddDraw({60, 65, 70, 75, 80, 85}, 45000);
    TEFltSum sums(&game, 90, {}, 2, 6);
    TDrawsRange range = IndexRange(1, 1);
    sums.SetDrawsRange(range, history);
    sums.Reset();
    sums.AddComb(TDynByteArr{1, 2, 60, 65, 70, 75}.data());
    sums.AddComb(TDynByteArr{1, 2, 3, 4, 65, 90}.data());
    sums.Finish();
    ASSERT_EQ(sums.RowCount, 2);
    EXPECT_EQ(sums.Rows[0].Hits, (std::vector<int64_t>{0, 0, 0, 0}));
    EXPECT_EQ(sums.Rows[1].Hits, (std::vector<int64_t>{0, 0, 1, 0}));
    EXPECT_EQ(sums.TotalWin, Amount(150));
}

TEST_F(EFilterComparison, SetsThatNeverWinAndRangesWithoutDraws)
{
    const auto never = sums({{40, 41, 42, 43, 44, 45}, {30, 31, 32, 33, 34, 35}});
    EXPECT_EQ(never->TotalWin, Amount(0));
    const auto empty = sums(HandCombs, IndexRange(10, 20));
    EXPECT_TRUE(empty->Comparing);
    EXPECT_EQ(empty->DrawCount, 0);
    EXPECT_EQ(empty->TotalWin, Amount(0));
    for (const auto *filter : {never.get(), empty.get()})
        for (const TEFilterRow &row : filter->Rows) {
            EXPECT_EQ(row.HitShares, std::vector<float>(4, 0.0f));
            EXPECT_EQ(row.WinShare, 0);
            EXPECT_EQ(row.WinRatio, 0);
        }
}

TEST_F(EFilterComparison, TakingTheRangeLeavesTheManagersMarks)
{
    TDrawsRange other = IndexRange(2, 2);
    History.SetRange(other);
    History.ApplyRange(other);
    std::vector<std::pair<int32_t, uint8_t>> before;
    for (int i = 0; i < History.Count(); ++i)
        before.emplace_back(History.GetDraw(i).Mark, History.GetDraw(i).Flags);
    const auto filter = sums(HandCombs);
    EXPECT_EQ(filter->DrawCount, 3);
    for (int i = 0; i < History.Count(); ++i)
        EXPECT_EQ(std::make_pair(History.GetDraw(i).Mark, History.GetDraw(i).Flags), before[size_t(i)]);
}

TEST_F(EFilterComparison, EachSortBothWaysWithItsTieBreak)
{
    const auto filter = sums(HandCombs);
    using V = std::vector<int32_t>;
    filter->SortByValue(1);
    EXPECT_EQ(values(*filter), (V{255, 67, 21}));
    filter->SortByValue(-1);
    EXPECT_EQ(values(*filter), (V{21, 67, 255}));
    filter->SortByCount(1);
    EXPECT_EQ(values(*filter)[0], 67);
    filter->SortByCount(-1);
    EXPECT_EQ(values(*filter)[2], 67);
    // Level 3 (3 hits): 21 and 67 tie and stay in ascending order either way.
    filter->SortByHits(3, 1);
    EXPECT_EQ(values(*filter), (V{21, 67, 255}));
    filter->SortByHits(3, -1);
    EXPECT_EQ(values(*filter), (V{255, 21, 67}));
    EXPECT_EQ(filter->HitsLevel, 3);
    filter->SortByHits(1, 1);
    EXPECT_EQ(values(*filter), (V{67, 21, 255}));
    filter->SortByWin(1);
    EXPECT_EQ(values(*filter), (V{21, 67, 255}));
    filter->SortByWin(-1);
    EXPECT_EQ(values(*filter), (V{255, 67, 21}));
    filter->SortByHitsRatio(2, 1); // every ratio 0
    EXPECT_EQ(values(*filter), (V{21, 67, 255}));
    filter->SortByHitsRatio(3, -1);
    EXPECT_EQ(values(*filter), (V{255, 67, 21}));
    EXPECT_EQ(filter->RatioLevel, 3);
    filter->SortByWinRatio(1);
    EXPECT_EQ(values(*filter), (V{21, 67, 255}));
    filter->SortByWinRatio(-1);
    EXPECT_EQ(values(*filter), (V{255, 67, 21}));

    // Patterns compare byte by byte.
    const TGameData game = PlainGame(20);
    TEFltSucc succ(&game, 20, {}, 3, 5);
    succ.Reset();
    for (const TDynByteArr &c : std::vector<TDynByteArr>{{1, 3, 5, 7, 9}, {1, 2, 3, 4, 5}, {1, 2, 5, 6, 9}})
        succ.AddComb(c.data());
    succ.Finish();
    std::vector<std::string> texts;
    succ.SortByValue(1);
    for (const TEFilterRow &row : succ.Rows)
        texts.push_back(succ.GetRowText(row));
    EXPECT_EQ(texts, (std::vector<std::string>{"2 - 2", "5", "0"}));
}

} // namespace
