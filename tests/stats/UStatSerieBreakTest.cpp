#include "stats/UStatSerieBreak.h"

#include "tests/stats/FreqTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace freqtest;

namespace {

struct TNaiveRow {
    int32_t Index = 0;
    int32_t Min = 0, Max = 0, Runs = 0;
    double Mean = 0, StdDev = 0;
};

// What a statistic over every k-combination must give, counted the plain way.
struct TNaive {
    std::map<int32_t, int64_t> Runs;  // length -> runs of that length
    std::vector<TNaiveRow> Rows;      // the combinations with runs, by index
    std::vector<std::map<int32_t, int32_t>> PerNumber; // k = 1: per number, length -> runs
};

using THeld = std::vector<std::array<bool, 129>>; // per draw, by number

THeld HeldNumbers(const TStatDraws &Draws)
{
    THeld held(Draws.size());
    for (size_t d = 0; d < Draws.size(); ++d)
        for (uint8_t n : Draws[d].Numbers)
            held[d][n] = true;
    return held;
}

// The runs (series) or the gaps (breaks) of Comb, draw by draw.
std::vector<int32_t> NaiveLengths(const THeld &Held, const TDynByteArr &Comb, bool Series)
{
    std::vector<int32_t> lengths;
    int32_t run = 0, last = -1;
    for (int32_t d = 0; d < static_cast<int32_t>(Held.size()); ++d) {
        bool holds = true;
        for (uint8_t n : Comb)
            holds = holds && Held[static_cast<size_t>(d)][n];
        if (Series && holds)
            ++run;
        if (Series && !holds && run > 0) {
            lengths.push_back(run);
            run = 0;
        }
        if (!Series && holds) {
            if (last >= 0)
                lengths.push_back(d - last - 1);
            last = d;
        }
    }
    if (run > 0)
        lengths.push_back(run);
    return lengths;
}

TNaive NaiveScan(const TStatDraws &Draws, int N, int K, bool Series)
{
    const THeld held = HeldNumbers(Draws);
    TDynByteArr all;
    for (int n = 1; n <= N; ++n)
        all.push_back(static_cast<uint8_t>(n));
    TNaive naive;
    naive.PerNumber.resize(static_cast<size_t>(N));
    int32_t index = 0;
    ForEachSubset(all, K, [&](const TDynByteArr &Comb) {
        ++index;
        const std::vector<int32_t> lengths = NaiveLengths(held, Comb, Series);
        if (lengths.empty())
            return;
        TNaiveRow row{index, lengths[0], lengths[0], static_cast<int32_t>(lengths.size()), 0, 0};
        for (int32_t len : lengths) {
            ++naive.Runs[len];
            row.Min = std::min(row.Min, len);
            row.Max = std::max(row.Max, len);
            row.Mean += len;
            if (K == 1)
                ++naive.PerNumber[Comb[0] - 1u][len];
        }
        row.Mean /= row.Runs;
        for (int32_t len : lengths)
            row.StdDev += (len - row.Mean) * (len - row.Mean);
        row.StdDev = std::sqrt(row.StdDev / row.Runs);
        naive.Rows.push_back(row);
    });
    return naive;
}

testing::AssertionResult SameDistribution(const TStatSerieBreak &Stat, const std::map<int32_t, int64_t> &Runs)
{
    if (Stat.LenRows.size() != Runs.size())
        return testing::AssertionFailure() << Stat.LenRows.size() << " lengths instead of " << Runs.size();
    int64_t total = 0, weighted = 0;
    for (const auto &[len, runs] : Runs) {
        total += runs;
        weighted += len * runs;
    }
    size_t i = 0;
    for (const auto &[len, runs] : Runs) {
        const TSummaryItem &row = Stat.LenRows[i++];
        if (row.Key != len || row.Sum != runs || std::abs(row.Percent - double(runs) / double(total)) > 1e-12)
            return testing::AssertionFailure() << "length " << row.Key << " x" << row.Sum << ", expected " << len
                                               << " x" << runs;
    }
    if (Stat.MinLen != Runs.begin()->first || Stat.MaxLen != Runs.rbegin()->first ||
        std::abs(Stat.MeanLen - double(weighted) / double(total)) > 1e-9)
        return testing::AssertionFailure() << "min " << Stat.MinLen << " max " << Stat.MaxLen << " mean "
                                           << Stat.MeanLen;
    return testing::AssertionSuccess();
}

// The whole result of a worker run with ShowCombs and CountStd against the naive count.
testing::AssertionResult SameAsNaive(const TStatSerieBreak &Stat, const TNaive &Naive)
{
    if (Stat.State != ssComputed)
        return testing::AssertionFailure() << "state " << int(Stat.State);
    if (auto same = SameDistribution(Stat, Naive.Runs); !same)
        return same;
    if (Stat.CombRowCount != static_cast<int32_t>(Naive.Rows.size()))
        return testing::AssertionFailure() << Stat.CombRowCount << " rows instead of " << Naive.Rows.size();
    for (size_t r = 0; r < Naive.Rows.size(); ++r) {
        const TSerieCombItem got = Stat.CombRows[r];
        const TNaiveRow &row = Naive.Rows[r];
        if (got.Index != row.Index || got.Min != row.Min || got.Max != row.Max || got.Runs != row.Runs ||
            std::abs(got.Mean - row.Mean) > 1e-5 * row.Mean || std::abs(got.StdDev - row.StdDev) > 1e-4)
            return testing::AssertionFailure() << "row " << r << " index " << got.Index << ": " << got.Min << " "
                                               << got.Max << " " << got.Mean << " " << got.StdDev;
    }
    if (Stat.CombLen != 1)
        return testing::AssertionSuccess();
    // The per-number tables through their readers, columns ascending by length.
    std::string text;
    for (size_t n = 0; n < Naive.PerNumber.size(); ++n) {
        const auto &expected = Naive.PerNumber[n];
        const auto &items = Stat.Details2[n].Items;
        if (items.size() != expected.size())
            return testing::AssertionFailure() << "number " << n + 1 << ": " << items.size() << " lengths";
        size_t i = 0;
        for (const auto &[len, runs] : expected)
            if (items[i].Value != len || items[i++].Draws != runs)
                return testing::AssertionFailure() << "number " << n + 1 << ", length " << len;
        for (int32_t c = 0; c < Stat.LenCount; ++c) {
            const int32_t len = std::next(Naive.Runs.begin(), c)->first;
            const auto runs = expected.find(len);
            Stat.GetDetails1CountText(c, static_cast<int32_t>(n), text);
            if (Stat.Lengths[static_cast<size_t>(c)] != len ||
                text != (runs == expected.end() ? "" : std::to_string(runs->second) + " "))
                return testing::AssertionFailure() << "Details1 column " << c << " number " << n + 1 << ": " << text;
        }
    }
    return testing::AssertionSuccess();
}

class TSerieStat : public TStatSerieBreak {
public:
    TSerieStat(const TGameInfo &Game, bool AIsSeries, TProgressProc OnProgress = nullptr,
               TFinishedProc AOnFinished = nullptr)
        : TStatSerieBreak(&Game, AIsSeries, std::move(OnProgress), std::move(AOnFinished))
    {
    }

    void Run(int32_t ACombLen, bool AShowCombs = true, bool ACountStd = true)
    {
        SetParams(ACombLen, AShowCombs, ACountStd, false, {});
        Start();
        Thread->WaitFor();
    }

    void RunOne(const TDynByteArr &Comb)
    {
        SetParams(static_cast<int32_t>(Comb.size()), false, false, true, Comb);
        Start();
    }
};

// The Lotto history, oldest draw first; its last Count draws when Count > 0.
std::unique_ptr<TSerieStat> LottoStat(bool IsSeries, size_t Count = 0)
{
    auto stat = std::make_unique<TSerieStat>(LottoGame().Info, IsSeries);
    stat->LoadDraws(TDrawsRange{}, LottoHistory(), -1);
    if (Count > 0)
        stat->LoadStatDraws(TStatDraws(stat->Draws.end() - static_cast<ptrdiff_t>(Count), stat->Draws.end()), -1);
    return stat;
}

// Number 1 in draws 0, 1, 2, 4, 5 and 9: series 3, 2, 1; breaks 0, 0, 1, 0, 3.
const TStatDraws &HandDraws()
{
    static const TStatDraws draws =
        MakeDraws({{1, 2}, {1, 3}, {1, 2}, {2, 3}, {1, 4}, {1, 5}, {2, 4}, {3, 5}, {4, 6}, {1, 6}});
    return draws;
}

class StatSerieBreakTest : public testing::Test {
protected:
    TMemoryProbe Memory{8 * GiB};
    const TGameInfo HandGame = MakeGame(6, 2, 6);
};

} // namespace

TEST_F(StatSerieBreakTest, LottoHistoryEqualsANaiveScan)
{
    for (bool series : {true, false}) {
        auto stat = LottoStat(series);
        ASSERT_EQ(stat->DrawCount, 3545);
        for (int k = 1; k <= 3; ++k) {
            SCOPED_TRACE((series ? "series, k = " : "breaks, k = ") + std::to_string(k));
            stat->Run(k);
            if (k > 1) {
                EXPECT_EQ(stat->Method, 2); // C(6, k) x 3545 draws exceed C(49, k)
            }
            const TNaive naive = NaiveScan(stat->Draws, 49, k, series);
            EXPECT_TRUE(SameAsNaive(*stat, naive));
            if (k == 1) {
                // Few series lengths shrink the per-number table, the many break lengths widen it.
                EXPECT_TRUE(series ? stat->LenCount < 10 : stat->LenCount > 10);
                EXPECT_EQ(stat->Details1.front().size(), static_cast<size_t>(stat->LenCount));
            }
            // One combination at once, for a few of them.
            for (const TNaiveRow &row : {naive.Rows.front(), naive.Rows[naive.Rows.size() / 2], naive.Rows.back()}) {
                TDynByteArr comb(static_cast<size_t>(k));
                IndexToComb(49, static_cast<uint8_t>(k), comb.data(), row.Index);
                const THeld held = HeldNumbers(stat->Draws);
                std::map<int32_t, int64_t> runs;
                for (int32_t len : NaiveLengths(held, comb, series))
                    ++runs[len];
                stat->RunOne(comb);
                EXPECT_TRUE(SameDistribution(*stat, runs)) << "index " << row.Index;
            }
        }
    }
}

// The draw-driven method where it applies, and the all-combinations method that the memory forces there:
// 0.9 of the free memory holds the per-combination rows (18 bytes each) but not the visited set beside them.
TEST_F(StatSerieBreakTest, BothMethodsEqualANaiveScanWhereTheDrawsAreFew)
{
    struct TCase {
        int K;
        size_t Draws;
    };
    for (bool series : {true, false})
        for (const TCase &c : {TCase{2, 50}, TCase{3, 50}, TCase{4, 500}}) {
            SCOPED_TRACE((series ? "series, k = " : "breaks, k = ") + std::to_string(c.K));
            auto stat = LottoStat(series, c.Draws);
            const TNaive naive = NaiveScan(stat->Draws, 49, c.K, series);
            const auto combs = static_cast<uint64_t>(Newton[49][static_cast<size_t>(c.K)]);
            const uint64_t rows = combs * 18, seen = combs / 8 + 1;
            struct TMemory {
                uint64_t Bytes;
                uint8_t Method;
                bool ShowCombs;
            };
            for (const TMemory &m : {TMemory{GiB, 1, true}, TMemory{(rows + seen / 2) * 10 / 9, 2, true},
                                     TMemory{(rows - 18) * 10 / 9, 1, false}, TMemory{seen, 2, false}}) {
                Memory.Set(m.Bytes);
                stat->Run(c.K);
                EXPECT_EQ(stat->Method, m.Method) << m.Bytes;
                EXPECT_EQ(stat->ShowCombs, m.ShowCombs) << m.Bytes;
                if (m.ShowCombs) {
                    EXPECT_TRUE(SameAsNaive(*stat, naive));
                } else {
                    EXPECT_TRUE(SameDistribution(*stat, naive.Runs));
                    EXPECT_TRUE(stat->CombRows.empty());
                }
            }
        }
}

TEST_F(StatSerieBreakTest, HandMadeHistory)
{
    TSerieStat series(HandGame, true), breaks(HandGame, false);
    for (TSerieStat *stat : {&series, &breaks})
        stat->LoadStatDraws(HandDraws(), -1);
    series.RunOne({1});
    EXPECT_TRUE(SameDistribution(series, {{1, 1}, {2, 1}, {3, 1}}));
    EXPECT_DOUBLE_EQ(series.MeanLen, 2.0);
    breaks.RunOne({1});
    EXPECT_TRUE(SameDistribution(breaks, {{0, 3}, {1, 1}, {3, 1}}));
    EXPECT_DOUBLE_EQ(breaks.MeanLen, 0.8);

    // Every number in the worker: number 1's row and tables.
    std::string text;
    series.Run(1);
    breaks.Run(1);
    for (TSerieStat *stat : {&series, &breaks}) {
        stat->GetCombRowText(0, text);
        EXPECT_EQ(text, " 1 ");
        std::string cells;
        for (int col : {1, 2, 3, 4, 5}) {
            stat->GetCombRowCellText(0, col, text);
            cells += text + "|";
        }
        // Series 3, 2, 1: deviation sqrt(2/3); breaks 0, 0, 1, 0, 3: deviation sqrt(1.36).
        EXPECT_EQ(cells, stat->IsSeries ? "1 |3 |2,00 ||0,82 |" : "0 |3 |0,80 ||1,17 |");
        // Number 1's list: (length, runs).
        std::string list;
        for (int row = 0; row < 4; ++row) {
            stat->GetDetails2LenText(0, row, text);
            list += text + ":";
            stat->GetDetails2CountText(0, row, text);
            list += text + "|";
        }
        EXPECT_EQ(list, stat->IsSeries ? "1 :1 |2 :1 |3 :1 |:|" : "0 :3 |1 :1 |3 :1 |:|");
        EXPECT_TRUE(SameAsNaive(*stat, NaiveScan(HandDraws(), 6, 1, stat->IsSeries)));
    }
}

TEST_F(StatSerieBreakTest, ACombinationInEveryDrawKeepsItsFullLengthRow)
{
    const TGameInfo game = MakeGame(4, 2, 4);
    const TStatDraws draws = MakeDraws({{1, 2}, {1, 3}, {1, 4}, {1, 2}});
    TSerieStat series(game, true), breaks(game, false);
    for (TSerieStat *stat : {&series, &breaks})
        stat->LoadStatDraws(draws, -1);
    series.RunOne({1});
    EXPECT_TRUE(SameDistribution(series, {{4, 1}}));
    series.Run(1);
    EXPECT_TRUE(SameDistribution(series, {{1, 4}, {4, 1}}));
    breaks.Run(1);
    EXPECT_TRUE(SameDistribution(breaks, {{0, 3}, {2, 1}}));
}

TEST_F(StatSerieBreakTest, WithoutAnyRunTheStateStaysSetAndResultsEmpty)
{
    // Every pair drawn once: no break.
    const TStatDraws draws = MakeDraws({{1, 2}, {3, 4}, {5, 6}});
    int finished = 0;
    TSerieStat stat(HandGame, false, nullptr, [&] { ++finished; });
    stat.LoadStatDraws(draws, -1);
    for (int k : {1, 2}) {
        stat.Run(k);
        EXPECT_EQ(stat.State, ssParams);
        EXPECT_TRUE(stat.LenRows.empty());
        EXPECT_TRUE(stat.CombRows.empty());
        EXPECT_TRUE(stat.Details1.empty());
        EXPECT_EQ(stat.MaxLen, -1);
    }
    EXPECT_EQ(finished, 2);
    stat.RunOne({1, 2});
    EXPECT_TRUE(stat.LenRows.empty());
    EXPECT_EQ(stat.MaxLen, -1);
}

TEST_F(StatSerieBreakTest, StoppingMidWayLeavesNoResults)
{
    // Stopped at the first report of each method, and at the first report of the deviation pass.
    struct TCase {
        size_t Draws;
        int32_t From;
        uint8_t Method;
    };
    for (const TCase &c : {TCase{0, 0, 2}, TCase{50, 0, 1}, TCase{0, 6000, 2}}) {
        SCOPED_TRACE("method " + std::to_string(c.Method) + " from " + std::to_string(c.From));
        TSerieStat *running = nullptr;
        std::atomic<int> reports{0};
        int finished = 0;
        auto stat = std::make_unique<TSerieStat>(
            LottoGame().Info, true,
            [&](int32_t Position, int32_t) {
                if (Position >= c.From && reports++ == 0)
                    running->Thread->Terminate();
            },
            [&] { ++finished; });
        running = stat.get();
        stat->LoadDraws(TDrawsRange{}, LottoHistory(), -1);
        if (c.Draws > 0)
            stat->LoadStatDraws(TStatDraws(stat->Draws.end() - static_cast<ptrdiff_t>(c.Draws), stat->Draws.end()), -1);
        stat->Run(3);
        EXPECT_EQ(stat->Method, c.Method);
        EXPECT_EQ(reports.load(), 1);
        EXPECT_EQ(finished, 1);
        EXPECT_EQ(stat->State, ssStopped);
        EXPECT_TRUE(stat->LenRows.empty());
        EXPECT_TRUE(stat->CombRows.empty());
        EXPECT_EQ(stat->CombRowCount, 0);
        EXPECT_TRUE(stat->Seen.empty());
    }
}

TEST_F(StatSerieBreakTest, SortsOfTheTables)
{
    TSerieStat stat(HandGame, false);
    stat.LoadStatDraws(HandDraws(), -1);
    stat.Run(1);
    // Number 1: breaks 0 x3, 1, 3; number 2 (draws 0, 2, 3, 6): 1, 0, 2; number 4 (4, 6, 8): 1, 1.
    std::string text;
    const auto column1 = [&](int32_t Col, int32_t Rows) {
        std::string numbers;
        for (int32_t row = 0; row < Rows; ++row) {
            stat.GetDetails1NumText(Col, row, text);
            numbers += text;
        }
        return numbers;
    };
    stat.SortDetails1ByCount(1); // ties: the smaller number first
    EXPECT_EQ(column1(0, 3), "1 2 6 ");
    EXPECT_EQ(column1(1, 3), "4 1 2 ");
    EXPECT_EQ(column1(3, 3), "1 3 2 ");
    stat.SortDetails1ByNum(-1);
    TDynByteArr comb;
    stat.GetDetails1Comb(2, 5, comb);
    EXPECT_EQ(comb, TDynByteArr{6});

    const auto list2 = [&](int32_t Col) {
        std::string lengths;
        for (int32_t row = 0; row < 3; ++row) {
            stat.GetDetails2LenText(Col, row, text);
            lengths += text;
        }
        return lengths;
    };
    stat.SortDetails2ByLen(1);
    EXPECT_EQ(list2(0), "3 1 0 ");
    stat.SortDetails2ByCount(1); // ties: the smaller length first
    EXPECT_EQ(list2(0), "0 1 3 ");

    stat.SortSummary(6, 1);
    EXPECT_EQ(stat.LenRows.front().Key, 1); // six breaks of 1
    const auto rowOrder = [&] {
        std::vector<int32_t> indexes;
        for (const TSerieCombItem &row : stat.CombRows)
            indexes.push_back(int32_t{row.Index});
        return indexes;
    };
    // Means 0.8, 1, 2, 1, 1, 0; ties by the smaller index.
    stat.SortCombRowsBy(3, -1);
    EXPECT_EQ(rowOrder(), (std::vector<int32_t>{6, 1, 2, 4, 5, 3}));
    stat.SortCombRowsBy(1, -1); // Min 0, 0, 1, 1, 1, 0
    EXPECT_EQ(rowOrder(), (std::vector<int32_t>{1, 2, 6, 3, 4, 5}));
    stat.SortCombRows(1);
    EXPECT_EQ(rowOrder(), (std::vector<int32_t>{6, 5, 4, 3, 2, 1}));
}

TEST_F(StatSerieBreakTest, CombinationLengthsAreBoundedByTheGame)
{
    const TGameInfo lotto = MakeGame(49, 6, 12), multi = MakeGame(80, 20, 10), single = MakeGame(10, 1, 1);
    TStatSerieBreak a(&lotto, true, nullptr, nullptr), b(&multi, true, nullptr, nullptr),
        c(&single, true, nullptr, nullptr);
    EXPECT_EQ(a.MaxCombLen(), 6); // no draw holds more numbers
    EXPECT_EQ(b.MaxCombLen(), 6); // C(80, 7) leaves the 32-bit indexes
    EXPECT_EQ(c.MaxCombLen(), 1);
    EXPECT_THROW(a.SetParams(7, false, false, false, {}), std::invalid_argument);
    EXPECT_THROW(a.SetParams(0, false, false, false, {}), std::invalid_argument);
    EXPECT_THROW(a.SetParams(2, false, false, true, {1, 50}), std::invalid_argument);
    EXPECT_THROW(a.SetParams(2, false, false, true, {1}), std::invalid_argument);
    EXPECT_NO_THROW(a.SetParams(7, false, false, true, {1, 2, 3, 4, 5, 6, 7}));
}
