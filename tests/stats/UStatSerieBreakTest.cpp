#include "stats/UStatSerieBreak.h"

#include "tests/stats/FreqTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

using namespace freqtest;

namespace {

using TRuns = std::map<int32_t, int64_t>;         // length -> runs of that length
using THeld = std::vector<std::array<bool, 129>>; // per draw, by number

THeld HeldNumbers(const TStatDraws &Draws)
{
    THeld held(Draws.size());
    for (size_t d = 0; d < Draws.size(); ++d)
        for (uint8_t n : Draws[d].Numbers)
            held[d][n] = true;
    return held;
}

// The series (or breaks) of Comb, draw by draw.
std::vector<int32_t> NaiveLengths(const THeld &Held, const TDynByteArr &Comb, bool Series)
{
    std::vector<int32_t> lengths;
    int32_t run = 0, last = -1;
    for (int32_t d = 0; d < static_cast<int32_t>(Held.size()); ++d) {
        const bool holds = std::all_of(Comb.begin(), Comb.end(), [&](uint8_t n) { return Held[size_t(d)][n]; });
        if (!holds && run > 0)
            lengths.push_back(run);
        run = holds && Series ? run + 1 : 0;
        if (holds && !Series && last >= 0)
            lengths.push_back(d - last - 1);
        last = holds ? d : last;
    }
    if (run > 0)
        lengths.push_back(run);
    return lengths;
}

// The length rows as a map, after checking their shares and the overall figures against them.
TRuns RunsOf(const TStatSerieBreak &Stat)
{
    TRuns runs;
    int64_t total = 0, weighted = 0;
    for (const TSummaryItem &row : Stat.LenRows)
        runs[row.Key] = row.Sum, total += row.Sum, weighted += row.Key * row.Sum;
    for (const TSummaryItem &row : Stat.LenRows)
        EXPECT_DOUBLE_EQ(row.Percent, double(row.Sum) / double(total)) << row.Key;
    EXPECT_EQ(Stat.MinLen, runs.empty() ? 0 : runs.begin()->first);
    EXPECT_EQ(Stat.MaxLen, runs.empty() ? -1 : runs.rbegin()->first);
    EXPECT_NEAR(Stat.MeanLen, total == 0 ? 0 : double(weighted) / double(total), 1e-12);
    return runs;
}

// Every k-combination scanned the plain way against a computed statistic (CountStd on): the length rows,
// the per-combination rows (none without ShowCombs), and for k = 1 the per-number tables by their readers.
void ExpectNaiveResult(const TStatSerieBreak &Stat)
{
    ASSERT_EQ(Stat.State, ssComputed);
    const THeld held = HeldNumbers(Stat.Draws);
    TDynByteArr all;
    for (int n = 1; n <= Stat.N; ++n)
        all.push_back(static_cast<uint8_t>(n));
    TRuns runs;
    std::vector<TRuns> perNumber(static_cast<size_t>(Stat.N));
    int32_t index = 0, row = 0;
    ForEachSubset(all, Stat.CombLen, [&](const TDynByteArr &Comb) {
        ++index;
        const std::vector<int32_t> lengths = NaiveLengths(held, Comb, Stat.IsSeries);
        const auto count = static_cast<double>(lengths.size());
        double mean = 0, squares = 0;
        for (int32_t len : lengths)
            ++runs[len], ++perNumber[Comb[0] - 1u][len], mean += len / count;
        for (int32_t len : lengths)
            squares += (len - mean) * (len - mean);
        if (lengths.empty() || !Stat.ShowCombs)
            return;
        ASSERT_LT(row, Stat.CombRowCount);
        const TSerieCombItem got = Stat.CombRows[size_t(row++)];
        ASSERT_EQ(got.Index, index);
        EXPECT_EQ(got.Min, *std::min_element(lengths.begin(), lengths.end())) << index;
        EXPECT_EQ(got.Max, *std::max_element(lengths.begin(), lengths.end())) << index;
        EXPECT_EQ(got.Runs, lengths.size()) << index;
        EXPECT_NEAR(got.Mean, mean, 1e-5 * mean) << index;
        EXPECT_NEAR(got.StdDev, std::sqrt(squares / count), 1e-4) << index;
    });
    EXPECT_EQ(row, Stat.CombRowCount);
    EXPECT_EQ(RunsOf(Stat), runs);
    if (Stat.CombLen > 1)
        return;
    // Per number: the counts of its length columns (ascending lengths), and its list of (length, runs).
    std::vector<TRuns> byColumns(perNumber.size()), byLists(perNumber.size());
    std::string text;
    for (int32_t n = 0; n < Stat.N; ++n) {
        for (int32_t c = 0; c < Stat.LenCount; ++c)
            if (Stat.GetDetails1CountText(c, n, text); !text.empty())
                byColumns[size_t(n)][std::next(runs.begin(), c)->first] = std::stoi(text);
        const std::vector<TGSItem> &items = Stat.Details2[size_t(n)].Items;
        for (const TGSItem &item : items)
            byLists[size_t(n)][item.Value] = item.Draws;
        EXPECT_TRUE(std::is_sorted(items.begin(), items.end(), [](auto &A, auto &B) { return A.Value < B.Value; }));
    }
    EXPECT_EQ(byColumns, perNumber);
    EXPECT_EQ(byLists, perNumber);
}

void RunAll(TStatSerieBreak &Stat, int32_t CombLen)
{
    Stat.SetParams(CombLen, true, true, false, {});
    Stat.Start();
    Stat.Thread->WaitFor();
}

TRuns RunOne(TStatSerieBreak &Stat, const TDynByteArr &Comb)
{
    Stat.SetParams(static_cast<int32_t>(Comb.size()), false, false, true, Comb);
    Stat.Start();
    return RunsOf(Stat);
}

// The Lotto history, oldest draw first; its last Count draws when Count > 0.
std::unique_ptr<TStatSerieBreak> LottoStat(bool IsSeries, size_t Count = 0, TProgressProc OnProgress = nullptr,
                                           TStat::TFinishedProc OnFinished = nullptr)
{
    auto stat = std::make_unique<TStatSerieBreak>(&LottoGame().Info, IsSeries, std::move(OnProgress),
                                                  std::move(OnFinished));
    stat->LoadDraws(TDrawsRange{}, LottoHistory(), -1);
    if (Count > 0)
        stat->LoadStatDraws(TStatDraws(stat->Draws.end() - static_cast<ptrdiff_t>(Count), stat->Draws.end()), -1);
    return stat;
}
class StatSerieBreakTest : public testing::Test {
protected:
    TMemoryProbe Memory{8 * GiB};
    const TGameInfo Game6 = MakeGame(6, 2, 6);
    // Number 1 in draws 0, 1, 2, 4, 5 and 9 of 10.
    const TStatDraws HandDraws =
        MakeDraws({{1, 2}, {1, 3}, {1, 2}, {2, 3}, {1, 4}, {1, 5}, {2, 4}, {3, 5}, {4, 6}, {1, 6}});
};

} // namespace

TEST_F(StatSerieBreakTest, LottoHistoryEqualsANaiveScan)
{
    for (bool series : {true, false}) {
        auto stat = LottoStat(series);
        ASSERT_EQ(stat->DrawCount, 3545);
        const THeld held = HeldNumbers(stat->Draws);
        for (int k = 1; k <= 3; ++k) {
            SCOPED_TRACE((series ? "series, k = " : "breaks, k = ") + std::to_string(k));
            RunAll(*stat, k);
            EXPECT_EQ(stat->Method, 2); // C(6, k) x 3545 draws exceed C(49, k)
            ExpectNaiveResult(*stat);
            // Few series lengths shrink the per-number table, the many break lengths widen it.
            if (k == 1) {
                EXPECT_EQ(stat->LenCount < 10, series);
                EXPECT_EQ(stat->Details1.front().size(), size_t(stat->LenCount));
            }
            for (int64_t index : {int64_t{1}, Newton[49][size_t(k)] / 3, Newton[49][size_t(k)]}) {
                TDynByteArr comb(static_cast<size_t>(k));
                IndexToComb(49, static_cast<uint8_t>(k), comb.data(), index);
                TRuns runs;
                for (int32_t len : NaiveLengths(held, comb, series))
                    ++runs[len];
                EXPECT_EQ(RunOne(*stat, comb), runs) << index;
            }
        }
    }
}

// The draw-driven method where it applies, and the all-combinations method that the memory forces there:
// 0.9 of the free memory holds the per-combination rows (18 bytes each) but not the visited set beside them.
TEST_F(StatSerieBreakTest, BothMethodsEqualANaiveScanWhereTheDrawsAreFew)
{
    for (bool series : {true, false})
        for (const auto &[k, draws] : {std::pair{2, 50}, std::pair{3, 50}, std::pair{4, 500}}) {
            SCOPED_TRACE((series ? "series, k = " : "breaks, k = ") + std::to_string(k));
            auto stat = LottoStat(series, size_t(draws));
            const auto combs = static_cast<uint64_t>(Newton[49][size_t(k)]);
            const uint64_t rows = combs * 18, seen = combs / 8 + 1;
            std::vector<TSerieCombItem> rows1;
            TRuns runs1;
            for (const auto &[bytes, method, showCombs] :
                 {std::tuple{GiB, 1, true}, std::tuple{(rows + seen / 2) * 10 / 9, 2, true},
                  std::tuple{(rows - 18) * 10 / 9, 1, false}, std::tuple{seen, 2, false}}) {
                Memory.Set(bytes);
                RunAll(*stat, k);
                EXPECT_EQ(stat->Method, method) << bytes;
                EXPECT_EQ(stat->ShowCombs, showCombs) << bytes;
                if (bytes == GiB) {
                    ExpectNaiveResult(*stat);
                    rows1 = stat->CombRows;
                    runs1 = RunsOf(*stat);
                    continue;
                }
                EXPECT_EQ(RunsOf(*stat), runs1);
                ASSERT_EQ(stat->CombRows.size(), showCombs ? rows1.size() : 0);
                EXPECT_TRUE(!showCombs || std::memcmp(stat->CombRows.data(), rows1.data(), rows1.size() * 18) == 0);
            }
        }
}

TEST_F(StatSerieBreakTest, HandMadeHistories)
{
    TStatSerieBreak series(&Game6, true, nullptr, nullptr), breaks(&Game6, false, nullptr, nullptr);
    std::string text, cells;
    for (TStatSerieBreak *stat : {&series, &breaks}) {
        stat->LoadStatDraws(HandDraws, -1);
        // Series 3, 2, 1; breaks 0, 0, 1, 0, 3.
        EXPECT_EQ(RunOne(*stat, {1}), (stat->IsSeries ? TRuns{{1, 1}, {2, 1}, {3, 1}} : TRuns{{0, 3}, {1, 1}, {3, 1}}));
        EXPECT_DOUBLE_EQ(stat->MeanLen, stat->IsSeries ? 2.0 : 0.8);
        RunAll(*stat, 1);
        ExpectNaiveResult(*stat);
        stat->GetCombRowText(0, cells);
        for (int col : {1, 2, 3, 4, 5}) {
            stat->GetCombRowCellText(0, col, text);
            cells += "|" + text;
        }
        // Deviations sqrt(2 / 3) and sqrt(1.36).
        EXPECT_EQ(cells, stat->IsSeries ? " 1 |1 |3 |2,00 ||0,82 " : " 1 |0 |3 |0,80 ||1,17 ");
    }

    // A number in every draw keeps the row of length D.
    for (TStatSerieBreak *stat : {&series, &breaks})
        stat->LoadStatDraws(MakeDraws({{1, 2}, {1, 3}, {1, 4}, {1, 2}}), -1);
    EXPECT_EQ(RunOne(series, {1}), (TRuns{{4, 1}}));
    RunAll(series, 1);
    EXPECT_EQ(RunsOf(series), (TRuns{{1, 4}, {4, 1}}));
    RunAll(breaks, 1);
    EXPECT_EQ(RunsOf(breaks), (TRuns{{0, 3}, {2, 1}}));

    // Every number and pair drawn once: no break at all.
    int finished = 0;
    breaks.OnFinished = [&] { ++finished; };
    breaks.LoadStatDraws(MakeDraws({{1, 2}, {3, 4}, {5, 6}}), -1);
    for (int k : {1, 2}) {
        RunAll(breaks, k);
        EXPECT_EQ(breaks.State, ssParams);
        EXPECT_TRUE(breaks.CombRows.empty() && breaks.Details1.empty());
        EXPECT_EQ(RunsOf(breaks), TRuns{});
    }
    EXPECT_EQ(finished, 2);
    EXPECT_EQ(RunOne(breaks, {1, 2}), TRuns{});
}

TEST_F(StatSerieBreakTest, StoppingMidWayLeavesNoResults)
{
    // At the first report of each method, and at the first report of the deviation pass.
    for (const auto &[draws, from, method] : {std::tuple{0, 0, 2}, std::tuple{50, 0, 1}, std::tuple{0, 6000, 2}}) {
        SCOPED_TRACE("method " + std::to_string(method) + " from " + std::to_string(from));
        TStatSerieBreak *running = nullptr;
        std::atomic<int> reports{0};
        int finished = 0;
        auto stat = LottoStat(
            true, size_t(draws),
            [&, from = from](int32_t Position, int32_t) {
                if (Position >= from && reports++ == 0)
                    running->Thread->Terminate();
            },
            [&] { ++finished; });
        running = stat.get();
        RunAll(*stat, 3);
        EXPECT_EQ(stat->Method, method);
        EXPECT_EQ(reports.load(), 1);
        EXPECT_EQ(finished, 1);
        EXPECT_EQ(stat->State, ssStopped);
        EXPECT_TRUE(stat->LenRows.empty() && stat->CombRows.empty() && stat->Seen.empty());
        EXPECT_EQ(stat->CombRowCount, 0);
    }
}

TEST_F(StatSerieBreakTest, SortsOfTheTables)
{
    // Breaks of number 1: 0, 0, 1, 0, 3; 2: 1, 0, 2; 3: 1, 3; 4: 1, 1; 5: 1; 6: 0.
    TStatSerieBreak stat(&Game6, false, nullptr, nullptr);
    stat.LoadStatDraws(HandDraws, -1);
    RunAll(stat, 1);
    std::string cells, text;
    stat.SortDetails1ByCount(1); // ties: the smaller number first
    for (int32_t row = 0; row < 3; ++row)
        stat.GetDetails1NumText(3, row, text), cells += text;
    stat.SortDetails2ByLen(1);
    stat.SortDetails2ByCount(1); // ties: the smaller length first
    for (int32_t row = 0; row < 3; ++row)
        stat.GetDetails2LenText(0, row, text), cells += text;
    EXPECT_EQ(cells, "1 3 2 0 1 3 ");
    stat.SortDetails1ByNum(-1);
    TDynByteArr comb;
    stat.GetDetails1Comb(2, 5, comb);
    EXPECT_EQ(comb, TDynByteArr{6});
    stat.SortCombRowsBy(3, -1); // means 0.8, 1, 2, 1, 1, 0; ties: the smaller index first
    std::vector<int32_t> indexes;
    for (const TSerieCombItem &row : stat.CombRows)
        indexes.push_back(int32_t{row.Index});
    EXPECT_EQ(indexes, (std::vector<int32_t>{6, 1, 2, 4, 5, 3}));
}

TEST_F(StatSerieBreakTest, CombinationLengthsAreBoundedByTheGame)
{
    const TGameInfo lotto = MakeGame(49, 6, 12), multi = MakeGame(80, 20, 10);
    TStatSerieBreak a(&lotto, true, nullptr, nullptr), b(&multi, true, nullptr, nullptr);
    EXPECT_EQ(a.MaxCombLen(), 6); // no draw holds more numbers
    EXPECT_EQ(b.MaxCombLen(), 6); // C(80, 7) leaves the 32-bit indexes
    EXPECT_THROW(a.SetParams(7, false, false, false, {}), std::invalid_argument);
    EXPECT_THROW(a.SetParams(2, false, false, true, {1, 50}), std::invalid_argument);
    EXPECT_NO_THROW(a.SetParams(7, false, false, true, {1, 2, 3, 4, 5, 6, 7}));
}
