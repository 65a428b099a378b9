#include "stats/UStatFreq.h"

#include "engine/USysShort.h"

#include "tests/stats/FreqTestSupport.h"
#include "tests/support/ByteOrder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

using namespace freqtest;

namespace {

class StatFreqTest : public testing::Test {
protected:
    // Enough for every method, so that only a method's own limits count.
    TMemoryProbe Memory{8 * GiB};
};

// A statistic over the whole real Lotto history, newest draw first.
std::unique_ptr<TFreqInMode> LottoStat()
{
    auto stat = std::make_unique<TFreqInMode>(LottoGame().Info);
    stat->LoadDraws(TDrawsRange{}, LottoHistory(), 1);
    return stat;
}

std::unique_ptr<TFreqInMode> StatOver(const TGameInfo &Game, const TStatDraws &Draws)
{
    auto stat = std::make_unique<TFreqInMode>(Game);
    stat->LoadStatDraws(Draws, -1);
    return stat;
}

TConstraints NoConstraints()
{
    TConstraints none;
    TStatFreq::ClearConstraints(none);
    return none;
}

} // namespace

TEST_F(StatFreqTest, EveryMethodCountsTheLottoHistoryAsABruteForceCount)
{
    auto stat = LottoStat();
    ASSERT_EQ(stat->DrawCount, 3545);
    for (int k = 1; k <= 4; ++k) {
        const auto once = BruteForceCount(stat->Draws, k, 1);
        const auto twice = BruteForceCount(stat->Draws, k, 2);
        for (uint8_t mode = 1; mode <= 4; ++mode) {
            SCOPED_TRACE("k = " + std::to_string(k) + ", method " + std::to_string(mode));
            stat->SetParams(k, 1, NoConstraints(), false, 0, false);
            ASSERT_TRUE(stat->RunIn(mode));
            // The pair methods list only combinations drawn at least twice.
            EXPECT_EQ(stat->MinFreq, mode <= 2 ? 1 : 2);
            EXPECT_TRUE(SameTable(*stat, mode <= 2 ? once : twice));
        }
    }
}

TEST_F(StatFreqTest, NeverDrawnListOfTheLottoHistory)
{
    auto stat = LottoStat();
    for (int k = 1; k <= 5; ++k) {
        SCOPED_TRACE("k = " + std::to_string(k));
        stat->SetParams(k, 0, NoConstraints(), false, 0, false);
        ASSERT_TRUE(stat->Start());
        stat->Wait();
        EXPECT_EQ(stat->Mode, 5);
        EXPECT_TRUE(stat->UseDrawnBits);
        if (k <= 4) {
            EXPECT_TRUE(SameTable(*stat, BruteForceNeverDrawn(stat->Draws, 49, k)));
            continue;
        }
        // Quintuples: as many rows as combinations no draw holds, strictly ascending, and a sample of them
        // tested against every draw.
        std::set<TDynByteArr, testsupport::ByteOrder> drawn;
        for (const TStatDraw &draw : stat->Draws)
            ForEachSubset(draw.Numbers, k, [&](const TDynByteArr &Subset) { drawn.insert(Subset); });
        ASSERT_EQ(stat->RowCount, 1'906'884 - static_cast<int32_t>(drawn.size())); // C(49, 5) - drawn
        EXPECT_EQ(std::adjacent_find(stat->Rows.begin(), stat->Rows.end(),
                                     [](const TFreqItem &A, const TFreqItem &B) { return A.Code >= B.Code; }),
                  stat->Rows.end());
        TDynByteArr comb;
        for (int32_t r = 0; r < stat->RowCount; r += 997) {
            stat->GetItemComb(r, comb);
            for (const TStatDraw &draw : stat->Draws)
                ASSERT_FALSE(
                    std::includes(draw.Numbers.begin(), draw.Numbers.end(), comb.begin(), comb.end()))
                    << "row " << r;
        }
    }
}

TEST_F(StatFreqTest, EveryMethodCountsTwentyOfEighty)
{
    const TGameInfo game = MakeGame(80, 20, 10);
    auto stat = StatOver(game, RandomDraws(200, 80, 20, 7));
    for (int k = 1; k <= 3; ++k) {
        const auto once = BruteForceCount(stat->Draws, k, 1);
        const auto twice = BruteForceCount(stat->Draws, k, 2);
        for (uint8_t mode = 1; mode <= 4; ++mode) {
            SCOPED_TRACE("k = " + std::to_string(k) + ", method " + std::to_string(mode));
            stat->SetParams(k, 1, NoConstraints(), false, 0, false);
            ASSERT_TRUE(stat->RunIn(mode));
            EXPECT_TRUE(SameTable(*stat, mode <= 2 ? once : twice));
        }
        SCOPED_TRACE("k = " + std::to_string(k) + ", never drawn");
        stat->SetParams(k, 0, NoConstraints(), false, 0, false);
        ASSERT_TRUE(stat->RunIn(5));
        EXPECT_TRUE(SameTable(*stat, BruteForceNeverDrawn(stat->Draws, 80, k)));
    }
}

// Positional codes of ten numbers of 1..80 need 81^10 (about 1.2e19) values, more than 63 bits hold, and
// those of eleven more than 64 bits: such combinations must be counted by lexicographic index.
TEST_F(StatFreqTest, LongCombinationsOfHighNumbersKeepTheirCodes)
{
    const TGameInfo game = MakeGame(80, 11, 11);
    TStatDraws draws = RandomDraws(40, 80, 11, 11);
    const std::vector<TDynByteArr> high = {{70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80},
                                           {69, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80},
                                           {1, 70, 72, 73, 74, 75, 76, 77, 78, 79, 80}};
    for (int copy = 0; copy < 3; ++copy)
        for (size_t h = 0; h <= static_cast<size_t>(copy); ++h) {
            TStatDraw &draw = draws.emplace_back();
            draw.Date = 50000 + static_cast<double>(draws.size());
            draw.Numbers = high[h];
        }
    // Seen once, as most random combinations are, but late in lexicographic order.
    draws.emplace_back().Numbers = {65, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79};
    draws.back().Date = 60000;
    auto stat = StatOver(game, draws);
    // (Method 2 would need a counter for each of the 1.6e12 combinations.)
    for (int k : {10, 11})
        for (uint8_t mode : {1, 3, 4}) {
            SCOPED_TRACE("k = " + std::to_string(k) + ", method " + std::to_string(mode));
            stat->SetParams(k, 1, NoConstraints(), false, 0, false);
            ASSERT_TRUE(stat->RunIn(mode));
            EXPECT_TRUE(SameTable(*stat, BruteForceCount(stat->Draws, k, stat->MinFreq)));
        }
    // Nine numbers still have positional codes.
    stat->SetParams(9, 1, NoConstraints(), false, 0, false);
    ASSERT_TRUE(stat->RunIn(1));
    EXPECT_FALSE(stat->UseIndex);
    EXPECT_TRUE(SameTable(*stat, BruteForceCount(stat->Draws, 9, 1)));
}

TEST_F(StatFreqTest, ConstraintsLimitTheCountedCombinations)
{
    const TGameInfo game = MakeGame(80, 20, 10);
    auto stat = StatOver(game, RandomDraws(100, 80, 20, 3));
    std::vector<std::pair<std::string, TConstraints>> cases;
    TConstraints c = NoConstraints();
    c.UseRange = true;
    c.RangeFrom = 10;
    c.RangeTo = 30;
    cases.emplace_back("range", c);
    c = NoConstraints();
    c.UseComb = true;
    c.Comb = {17, 5, 60};
    c.CombCount = 2; // 17 and 5 only
    cases.emplace_back("numbers", c);
    c = NoConstraints();
    c.Parity = 1;
    cases.emplace_back("even", c);
    c.Parity = 2;
    cases.emplace_back("odd", c);
    c = NoConstraints();
    c.Consecutive = true;
    cases.emplace_back("consecutive", c);
    c.UseRange = true;
    c.RangeFrom = 1;
    c.RangeTo = 40;
    cases.emplace_back("consecutive up to 40", c);

    for (const auto &[name, constraints] : cases)
        for (int k : {2, 3}) {
            const auto once = BruteForceCount(stat->Draws, k, 1, constraints);
            const auto twice = BruteForceCount(stat->Draws, k, 2, constraints);
            ASSERT_FALSE(once.empty()) << name;
            for (uint8_t mode = 1; mode <= 5; ++mode) {
                SCOPED_TRACE(name + ", k = " + std::to_string(k) + ", method " + std::to_string(mode));
                stat->SetParams(k, mode == 5 ? 0 : 1, constraints, false, 0, false);
                EXPECT_TRUE(stat->FilterOn);
                ASSERT_TRUE(stat->RunIn(mode));
                if (mode == 5)
                    EXPECT_TRUE(SameTable(*stat, BruteForceNeverDrawn(stat->Draws, 80, k, constraints)));
                else
                    EXPECT_TRUE(SameTable(*stat, mode <= 2 ? once : twice));
            }
        }
}

TEST_F(StatFreqTest, RowLimitKeepsTheMostFrequentRowsInEveryMethod)
{
    const TGameInfo game = MakeGame(80, 20, 10);
    auto stat = StatOver(game, RandomDraws(120, 80, 20, 5));
    for (int k : {2, 3}) {
        const auto all = BruteForceCount(stat->Draws, k, 2);
        // A limit that cuts through a run of equal counts, and one beyond the rows there are.
        size_t cut = all.size() / 3;
        while (cut + 1 < all.size() && all[cut].Freq != all[cut - 1].Freq)
            ++cut;
        ASSERT_EQ(all[cut].Freq, all[cut - 1].Freq);
        for (size_t maxRows : {cut, size_t{0}, all.size() + 5}) {
            const std::vector<TExpectedRow> kept(all.begin(), all.begin() + std::min(maxRows, all.size()));
            for (uint8_t mode = 1; mode <= 4; ++mode) {
                SCOPED_TRACE("k = " + std::to_string(k) + ", limit " + std::to_string(maxRows) + ", method " +
                             std::to_string(mode));
                stat->SetParams(k, 2, NoConstraints(), false, static_cast<int32_t>(maxRows), true);
                ASSERT_TRUE(stat->RunIn(mode));
                EXPECT_TRUE(SameTable(*stat, kept));
            }
        }
    }
    // Without the flag the number given does not limit.
    stat->SetParams(2, 2, NoConstraints(), false, 3, false);
    ASSERT_TRUE(stat->RunIn(1));
    EXPECT_EQ(stat->RowCount, static_cast<int32_t>(BruteForceCount(stat->Draws, 2, 2).size()));
}

TEST_F(StatFreqTest, PairMethodsKeepAMinimumAboveTwo)
{
    auto stat = LottoStat();
    const auto expected = BruteForceCount(stat->Draws, 3, 5);
    ASSERT_FALSE(expected.empty());
    for (uint8_t mode = 1; mode <= 4; ++mode) {
        SCOPED_TRACE("method " + std::to_string(mode));
        stat->SetParams(3, 5, NoConstraints(), false, 0, false);
        ASSERT_TRUE(stat->RunIn(mode));
        EXPECT_EQ(stat->MinFreq, 5);
        EXPECT_TRUE(SameTable(*stat, expected));
    }
}

TEST_F(StatFreqTest, SmallCountWorkedByHand)
{
    // Pairs of {1,2,3}, {1,2,4}, {2,3,4}: 12, 23, 24 twice; 13, 14, 34 once.
    const TGameInfo game = MakeGame(5, 3, 3);
    auto stat = StatOver(game, MakeDraws({{1, 2, 3}, {1, 2, 4}, {2, 3, 4}}));
    const std::vector<TExpectedRow> once = {{{1, 2}, 2, 0}, {{2, 3}, 2, 0}, {{2, 4}, 2, 1},
                                            {{1, 3}, 1, 0}, {{1, 4}, 1, 1}, {{3, 4}, 1, 2}};
    const std::vector<TExpectedRow> twice(once.begin(), once.begin() + 3);
    for (uint8_t mode = 1; mode <= 4; ++mode) {
        SCOPED_TRACE("method " + std::to_string(mode));
        stat->SetParams(2, 1, NoConstraints(), false, 0, false);
        ASSERT_TRUE(stat->RunIn(mode));
        EXPECT_TRUE(SameTable(*stat, mode <= 2 ? once : twice));
    }
    stat->SetParams(2, 1, NoConstraints(), false, 0, false);
    stat->RunIn(1);
    EXPECT_EQ(stat->Min, 1);
    EXPECT_EQ(stat->Max, 2);
    EXPECT_EQ(stat->Sum, 9);
    EXPECT_DOUBLE_EQ(stat->Mean, 1.5);
    EXPECT_DOUBLE_EQ(stat->StdDev, 0.5);
    EXPECT_DOUBLE_EQ(stat->Expected, 0.9); // 3 draws x C(3,2) / C(5,2)

    uint32_t index = 0;
    TDateTime date = 0;
    stat->GetItemLast(2, index, date); // 2 4, first in the second draw
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(date, 40001);

    // 5 was never drawn: its four pairs are the pairs never drawn.
    stat->SetParams(2, 0, NoConstraints(), false, 0, false);
    stat->RunIn(5);
    EXPECT_TRUE(SameTable(*stat, {{{1, 5}, 0}, {{2, 5}, 0}, {{3, 5}, 0}, {{4, 5}, 0}}));
    stat->GetItemLast(0, index, date);
    EXPECT_EQ(index, FreqNoDraw);
    EXPECT_EQ(date, 0);
}

// A classic system of 12 numbers, 6 per row, 20 rows: its k-subsets are expected 20 x C(6, k) / C(12, k)
// times each, whatever numbers its key holds.
TEST_F(StatFreqTest, ExpectedOverASystemCountsTheSystemsNumbers)
{
    TSysShort system(&LottoGame());
    system.RandomTies = false;
    system.SetParams(12, 6, 20);
    ASSERT_TRUE(system.Generate(true));
    system.SetKey({3, 8, 11, 17, 20, 24, 29, 33, 38, 41, 45, 49});
    TStatFreq stat(&LottoGame().Info, &system, nullptr, nullptr, nullptr);
    stat.LoadSystem();
    ASSERT_EQ(stat.DrawCount, 20);
    const double byHand[] = {20.0 * 6 / 12, 20.0 * 15 / 66, 20.0 * 20 / 220, 20.0 * 15 / 495};
    for (int k = 1; k <= 4; ++k) {
        stat.SetParams(k, 1, NoConstraints(), false, 0, false);
        ASSERT_TRUE(stat.Start());
        stat.Thread->WaitFor();
        ASSERT_EQ(stat.State, ssComputed);
        EXPECT_DOUBLE_EQ(stat.Expected, byHand[k - 1]) << k;
    }
}

TEST_F(StatFreqTest, EachWithEachListsEveryPairInBothOrders)
{
    const TGameInfo game = MakeGame(5, 3, 3);
    auto stat = StatOver(game, MakeDraws({{1, 2, 3}, {1, 2, 4}, {2, 3, 4}}));
    // By count, then by the positional code of the ordered pair (first number leading).
    const std::vector<TExpectedRow> expected = {
        {{1, 2}, 2, 0}, {{2, 1}, 2, 0}, {{2, 3}, 2, 0}, {{2, 4}, 2, 1}, {{3, 2}, 2, 0}, {{4, 2}, 2, 1},
        {{1, 3}, 1, 0}, {{1, 4}, 1, 1}, {{3, 1}, 1, 0}, {{3, 4}, 1, 2}, {{4, 1}, 1, 1}, {{4, 3}, 1, 2}};
    for (uint8_t mode = 1; mode <= 4; ++mode) {
        SCOPED_TRACE("method " + std::to_string(mode));
        stat->SetParams(2, 1, NoConstraints(), true, 0, false);
        ASSERT_TRUE(stat->RunIn(mode));
        EXPECT_TRUE(stat->UseArray);
        EXPECT_FALSE(stat->UseIndex);
        if (mode <= 2) {
            EXPECT_TRUE(SameTable(*stat, expected));
            EXPECT_EQ(stat->Sum, 18);
        } else {
            EXPECT_TRUE(SameTable(*stat, {expected.begin(), expected.begin() + 6}));
        }
    }
    // Only pairs are expanded.
    stat->SetParams(3, 1, NoConstraints(), true, 0, false);
    stat->RunIn(2);
    EXPECT_EQ(stat->RowCount, 3);
}

TEST_F(StatFreqTest, DisplayOrders)
{
    const TGameInfo game = MakeGame(80, 20, 10);
    auto stat = StatOver(game, RandomDraws(60, 80, 20, 9));
    struct TRow {
        TDynByteArr Comb;
        uint32_t Freq;
        uint8_t Parity;
        uint32_t Last;
    };
    const auto rows = [&] {
        std::vector<TRow> result;
        for (int32_t r = 0; r < stat->RowCount; ++r) {
            TRow row;
            TDateTime date;
            stat->GetItem(r, row.Comb, row.Freq, row.Parity);
            stat->GetItemLast(r, row.Last, date);
            result.push_back(row);
        }
        return result;
    };
    for (uint8_t mode : {2, 3}) { // the array store and the list store
        SCOPED_TRACE("method " + std::to_string(mode));
        stat->SetParams(2, 2, NoConstraints(), false, 0, false);
        ASSERT_TRUE(stat->RunIn(mode));
        const auto counted = rows();
        ASSERT_GT(counted.size(), 100u);
        const auto sortedBy = [&](auto Before) {
            const auto sorted = rows();
            return std::is_sorted(sorted.begin(), sorted.end(), Before);
        };

        stat->SortByComb(1);
        EXPECT_TRUE(sortedBy([](auto &A, auto &B) { return A.Comb > B.Comb; }));
        stat->SortByComb(-1);
        EXPECT_TRUE(sortedBy([](auto &A, auto &B) { return A.Comb < B.Comb; }));
        stat->SortByParity(1);
        EXPECT_TRUE(sortedBy([](auto &A, auto &B) {
            return std::tuple(A.Parity, -int64_t{A.Freq}, A.Comb) <
                   std::tuple(B.Parity, -int64_t{B.Freq}, B.Comb);
        }));
        EXPECT_NE(rows().front().Parity, rows().back().Parity);
        stat->SortByLast(-1);
        EXPECT_TRUE(
            sortedBy([](auto &A, auto &B) { return std::tie(A.Last, A.Comb) < std::tie(B.Last, B.Comb); }));
        stat->SortByFreq(-1);
        EXPECT_TRUE(
            sortedBy([](auto &A, auto &B) { return std::tie(A.Freq, A.Comb) < std::tie(B.Freq, B.Comb); }));
        stat->SortByFreq(1); // back to the order of the count
        const auto again = rows();
        ASSERT_EQ(again.size(), counted.size());
        for (size_t i = 0; i < again.size(); ++i)
            EXPECT_TRUE(again[i].Comb == counted[i].Comb && again[i].Last == counted[i].Last) << i;
    }
}

TEST_F(StatFreqTest, ChoiceOfMethodFollowsTheFreeMemory)
{
    // 250 draws of 20 of 80, triples: all subsets 285,000 rows, all triples 82,160 rows, 31,125 pairs of
    // draws.
    const TGameInfo game = MakeGame(80, 20, 10);
    auto stat = StatOver(game, RandomDraws(250, 80, 20, 1));
    // The method chosen; its count is stopped at once.
    const auto modeFor = [&](uint64_t Bytes, int MinFreq) {
        Memory.Set(Bytes);
        stat->SetParams(3, MinFreq, NoConstraints(), false, 0, false);
        EXPECT_TRUE(stat->Start());
        stat->Thread->Terminate();
        stat->Wait();
        return stat->Mode;
    };
    const uint64_t rowArray = 82160 * sizeof(TFreqItem);          // method 2
    const uint64_t pairRecords = 31125 * sizeof(TFreqPairRecord); // method 3
    EXPECT_EQ(modeFor(GiB, 1), 2);
    EXPECT_EQ(modeFor(static_cast<uint64_t>(rowArray / 0.6) + 16, 1), 2);
    EXPECT_EQ(modeFor(static_cast<uint64_t>(rowArray / 0.6) - 16, 1), 3);
    EXPECT_EQ(modeFor(static_cast<uint64_t>(pairRecords / 0.9) + 16, 1), 3);
    EXPECT_EQ(modeFor(static_cast<uint64_t>(pairRecords / 0.9) - 16, 1), 4);
    EXPECT_EQ(modeFor(0, 2), 4);
    // From a minimum of 3 on all methods weigh the same, and the smallest job comes first.
    EXPECT_EQ(modeFor(GiB, 3), 3);
    EXPECT_EQ(modeFor(GiB, 0), 5);

    // Over the Lotto history, quadruples: the subsets of the draws (53,175) are fewer than all
    // quadruples (211,876), so they are counted row by row.
    auto lotto = LottoStat();
    Memory.Set(GiB);
    lotto->SetParams(4, 1, NoConstraints(), false, 0, false);
    ASSERT_TRUE(lotto->Start());
    lotto->Thread->Terminate();
    lotto->Wait();
    EXPECT_EQ(lotto->Mode, 1);
    EXPECT_FALSE(lotto->UseIndex); // positional codes of four numbers fit
}

TEST_F(StatFreqTest, NeverDrawnListStopsAtItsCapacity)
{
    const TGameInfo game = MakeGame(30, 5, 5);
    auto stat = StatOver(game, RandomDraws(40, 30, 5, 4));
    const auto all = BruteForceNeverDrawn(stat->Draws, 30, 3);
    ASSERT_GT(all.size(), 1000u);

    // Room for 10 rows in 90 % of the free memory.
    Memory.Set(static_cast<uint64_t>(std::ceil(10 * sizeof(TFreqItem) / 0.9)));
    stat->SetParams(3, 0, NoConstraints(), false, 0, false);
    ASSERT_TRUE(stat->Start());
    stat->Wait();
    EXPECT_EQ(stat->Capacity, 10u);
    EXPECT_TRUE(SameTable(*stat, {all.begin(), all.begin() + 10}));

    Memory.Set(GiB);
    stat->SetParams(3, 0, NoConstraints(), false, 25, true);
    stat->RunIn(5);
    EXPECT_TRUE(stat->UseDrawnBits);
    EXPECT_TRUE(SameTable(*stat, {all.begin(), all.begin() + 25}));

    // Room for every row (C(30, 3)) but not for the bit set of the drawn ranks beside them.
    Memory.Set(static_cast<uint64_t>(4060 * sizeof(TFreqItem) / 0.9) + 16);
    stat->SetParams(3, 0, NoConstraints(), false, 0, false);
    stat->RunIn(5);
    EXPECT_EQ(stat->Capacity, 4060u);
    EXPECT_FALSE(stat->UseDrawnBits);
    EXPECT_TRUE(SameTable(*stat, all));

    Memory.Set(0);
    stat->SetParams(3, 0, NoConstraints(), false, 0, false);
    stat->RunIn(5);
    EXPECT_TRUE(SameTable(*stat, {}));
}

// Ten numbers of 1..80 make 1.6e12 combinations: the list must not claim its cap of memory before it
// finds a single row.
TEST_F(StatFreqTest, NeverDrawnListDoesNotTakeItsMemoryUpFront)
{
    Memory.Set(64 * GiB);
    const TGameInfo game = MakeGame(80, 20, 10);
    auto stat = StatOver(game, RandomDraws(30, 80, 20, 2));
    stat->SetParams(10, 0, NoConstraints(), false, 0, false);
    ASSERT_TRUE(stat->Start());
    stat->Thread->Terminate();
    stat->Wait();
    EXPECT_EQ(stat->Mode, 5);
    static_assert(sizeof(TFreqItem) == 24);
    EXPECT_EQ(stat->Capacity, 2'576'980'377u); // 90 % of 64 GiB in rows of 24 bytes
    EXPECT_EQ(stat->State, ssStopped);
    EXPECT_EQ(stat->RowCount, 0);
    EXPECT_EQ(stat->Rows.capacity(), 0u);
}

TEST_F(StatFreqTest, StoppingMidWayLeavesNoResults)
{
    for (uint8_t mode = 1; mode <= 5; ++mode) {
        SCOPED_TRACE("method " + std::to_string(mode));
        TFreqInMode *running = nullptr;
        std::atomic<int> reports{0};
        int finished = 0;
        auto stat = std::make_unique<TFreqInMode>(
            LottoGame().Info,
            [&](int32_t, int32_t) {
                // The first report stops the worker, which notices at its next test.
                if (reports++ == 0)
                    running->Thread->Terminate();
            },
            [&] { ++finished; });
        running = stat.get();
        stat->LoadDraws(TDrawsRange{}, LottoHistory(), 1);
        stat->SetParams(2, mode == 5 ? 0 : 1, NoConstraints(), false, 0, false);
        ASSERT_TRUE(stat->StartIn(mode));
        stat->Wait();
        EXPECT_GE(reports.load(), 1);
        EXPECT_EQ(finished, 1);
        EXPECT_EQ(stat->State, ssStopped);
        EXPECT_EQ(stat->RowCount, 0);
        EXPECT_TRUE(stat->Rows.empty());
        EXPECT_TRUE(stat->ResultList.empty());
    }
}

// Stopped while it sweeps the bit set of the drawn quadruples (their marks take the first 2,006 positions;
// a stop while marking is the first report of the test above).
TEST_F(StatFreqTest, NeverDrawnListStoppedInItsSweepLeavesNoResults)
{
    TFreqInMode *running = nullptr;
    int beyond = 0; // reports from position 6000 on, written by the worker and read after it has ended
    int finished = 0;
    auto stat = std::make_unique<TFreqInMode>(
        LottoGame().Info,
        [&](int32_t Position, int32_t) {
            if (Position >= 6000 && beyond++ == 0)
                running->Thread->Terminate();
        },
        [&] { ++finished; });
    running = stat.get();
    stat->LoadDraws(TDrawsRange{}, LottoHistory(), 1);
    stat->SetParams(4, 0, NoConstraints(), false, 0, false);
    ASSERT_TRUE(stat->Start());
    stat->Wait();
    EXPECT_EQ(beyond, 1); // noticed at the next poll
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(stat->State, ssStopped);
    EXPECT_EQ(stat->RowCount, 0);
    EXPECT_EQ(stat->Rows.capacity(), 0u);
}

TEST_F(StatFreqTest, AFailureMidWayEndsFailedWithNoResults)
{
    for (uint8_t mode = 1; mode <= 5; ++mode) {
        SCOPED_TRACE("method " + std::to_string(mode));
        int finished = 0;
        // The first report fails, as anything the worker calls may.
        auto stat = std::make_unique<TFreqInMode>(
            LottoGame().Info, [](int32_t, int32_t) { throw std::runtime_error("raport nieudany"); },
            [&] { ++finished; });
        stat->LoadDraws(TDrawsRange{}, LottoHistory(), 1);
        stat->SetParams(2, mode == 5 ? 0 : 1, NoConstraints(), false, 0, false);
        ASSERT_TRUE(stat->RunIn(mode));
        EXPECT_EQ(finished, 1);
        EXPECT_EQ(stat->State, ssFailed);
        EXPECT_EQ(stat->FailureText, "raport nieudany");
        EXPECT_EQ(stat->RowCount, 0);
        EXPECT_EQ(stat->Rows.capacity(), 0u);
        EXPECT_TRUE(stat->ResultList.empty());
    }
}

TEST_F(StatFreqTest, PairMethodsOverOneDrawLeaveTheStateSet)
{
    const TGameInfo game = MakeGame(49, 6, 12);
    auto stat = StatOver(game, MakeDraws({{1, 2, 3, 4, 5, 6}}));
    for (uint8_t mode : {3, 4}) {
        int finished = 0;
        stat->OnFinished = [&] { ++finished; };
        stat->SetParams(2, 1, NoConstraints(), false, 0, false);
        ASSERT_TRUE(stat->RunIn(mode));
        EXPECT_EQ(stat->State, ssParams);
        EXPECT_EQ(stat->RowCount, 0);
        EXPECT_EQ(finished, 1);
    }
    // Draws that share no two numbers: nothing to list, state still set.
    auto apart = StatOver(game, MakeDraws({{1, 2, 3, 4, 5, 6}, {1, 7, 8, 9, 10, 11}}));
    apart->SetParams(2, 1, NoConstraints(), false, 0, false);
    ASSERT_TRUE(apart->RunIn(3));
    EXPECT_EQ(apart->State, ssParams);
    EXPECT_EQ(apart->RowCount, 0);
}

TEST_F(StatFreqTest, CombinationsBeyondEveryCodeAreRefused)
{
    // C(100, 20) is about 5.4e20: neither an index nor a positional code holds these combinations.
    const TGameInfo game = MakeGame(100, 20, 20);
    auto stat = StatOver(game, RandomDraws(5, 100, 20, 8));
    stat->SetParams(20, 1, NoConstraints(), false, 0, false);
    EXPECT_FALSE(stat->Start());
    EXPECT_EQ(stat->State, ssNoMemory);
    EXPECT_EQ(stat->Thread, nullptr);
    // One number less fits an index.
    stat->SetParams(17, 1, NoConstraints(), false, 0, false);
    ASSERT_TRUE(stat->RunIn(1));
    EXPECT_TRUE(stat->UseIndex);
    EXPECT_TRUE(SameTable(*stat, BruteForceCount(stat->Draws, 17, 1)));
}

TEST_F(StatFreqTest, CombinationLengthOutsideTheGameIsRejected)
{
    const TGameInfo game = MakeGame(10, 3, 3);
    auto stat = StatOver(game, MakeDraws({{1, 2, 3}}));
    EXPECT_THROW(stat->SetParams(0, 1, NoConstraints(), false, 0, false), std::invalid_argument);
    EXPECT_THROW(stat->SetParams(11, 1, NoConstraints(), false, 0, false), std::invalid_argument);
    // Longer than a draw: nothing counted, every combination never drawn.
    stat->SetParams(4, 1, NoConstraints(), false, 0, false);
    ASSERT_TRUE(stat->RunIn(1));
    EXPECT_EQ(stat->RowCount, 0);
    stat->SetParams(4, 0, NoConstraints(), false, 0, false);
    ASSERT_TRUE(stat->RunIn(5));
    EXPECT_EQ(stat->RowCount, 210); // C(10, 4)
}

TEST_F(StatFreqTest, ProgressRunsForwardToTheEnd)
{
    const TGameInfo game = MakeGame(49, 6, 12);
    const TStatDraws draws = RandomDraws(300, 49, 6, 12);
    for (uint8_t mode = 1; mode <= 5; ++mode) {
        SCOPED_TRACE("method " + std::to_string(mode));
        std::vector<int32_t> positions; // written by the worker, read after it has ended
        TFreqInMode stat(game, [&](int32_t Position, int32_t) { positions.push_back(Position); });
        stat.LoadStatDraws(draws, 1);
        stat.SetParams(2, mode == 5 ? 0 : 1, NoConstraints(), false, 0, false);
        ASSERT_TRUE(stat.RunIn(mode));
        ASSERT_EQ(stat.State, ssComputed);
        ASSERT_FALSE(positions.empty());
        EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
        EXPECT_GE(positions.front(), 0);
        EXPECT_GE(positions.back(), 9900);
        EXPECT_LE(positions.back(), 10000);
    }
}
