// The combination check's counting over the real Lotto history, without its window: each draw's level,
// sum and win, the rows of the combination's numbers, and the draws grouped by month.
#include "syswindows/CombCheck.h"

#include "tests/engine/GameTestSupport.h"
#include "tests/fixtures/StatDrawHistories.h"
#include "tests/syswindows/LottoBetsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <numeric>
#include <vector>

namespace {

Currency Zloty(int64_t Amount)
{
    return Currency::fromCount(Amount * Currency::Scale);
}

TDynByteArr NumbersUpTo(int Last)
{
    TDynByteArr numbers(size_t(Last), 0);
    std::iota(numbers.begin(), numbers.end(), uint8_t(1));
    return numbers;
}

// The history's draws, oldest first.
TStatDraws HistoryDraws()
{
    const TDrawsManager &history = testsupport::LottoHistory();
    TStatDraws draws;
    for (int i = 0; i < history.Count(); ++i) {
        const TDraw &draw = history.GetDraw(i);
        draws.push_back({draw.No, draw.Date, draw.Numbers, {}, 0});
    }
    return draws;
}

TCombCheck Checked(const TGameInfo &Game, const TDynByteArr &Comb, int From, int To, TCheckGroup Group)
{
    TCombCheck check;
    check.Reset(Game, Comb);
    TStatDraws draws = HistoryDraws();
    TProgress progress;
    progress.Init(10000, int64_t(draws.size()), 0);
    check.Check(std::move(draws), From, To, progress);
    EXPECT_EQ(progress.Done, int64_t(check.Draws.size()));
    check.Group(Group);
    return check;
}

} // namespace

TEST(CombCheck, CombinationsOfAnyLengthWinAsAllTheirSimpleBets)
{
    const TGameInfo lotto = SystemsLotto();
    const TStatDraws draws = HistoryDraws();
    ASSERT_EQ(draws.size(), 3545u);
    struct Case {
        TDynByteArr Comb;
        int From, To;
    };
    const std::vector<Case> cases = {{{3, 7, 11, 19, 23, 28, 31, 36, 42, 47}, 3, 6},
                                     {NumbersUpTo(12), 3, 6},
                                     {NumbersUpTo(13), 3, 6},
                                     {NumbersUpTo(13), 4, 5},
                                     {NumbersUpTo(49), 1, 6}};
    std::map<size_t, int64_t> totals; // by case
    for (size_t c = 0; c < cases.size(); ++c) {
        const Case &test = cases[c];
        const int size = int(test.Comb.size());
        const TCombCheck check = Checked(lotto, test.Comb, test.From, test.To, cgDay);
        ASSERT_EQ(check.HitsInfo.RowCount, 6) << c;
        ASSERT_EQ(check.DrawResults.size(), draws.size()) << c;
        const auto inBand = [&test](int Level) { return Level >= test.From && Level <= test.To; };
        // Per number of the combination, the draws by the hits they shared with it.
        std::map<uint8_t, std::array<int64_t, 7>> numberHits;
        int64_t total = 0;
        for (size_t i = 0; i < draws.size(); ++i) {
            const int hits = Common(test.Comb, draws[i].Numbers);
            TDynInt64Arr levels(6, 0);
            if (hits > 0)
                levels[size_t(6 - hits)] = 1;
            const TCheckRow &row = check.DrawResults[i];
            ASSERT_EQ(row.Index, int32_t(i));
            ASSERT_EQ(row.Date, draws[i].Date);
            ASSERT_EQ(row.Hits, levels) << c << " draw " << i;
            ASSERT_EQ(row.Sum, hits > 0 && inBand(hits) ? 1 : 0) << c << " draw " << i;
            ASSERT_EQ(row.Win, Zloty(WinOf(size, hits, test.From, test.To))) << c << " draw " << i;
            total += WinOf(size, hits, test.From, test.To);
            for (const uint8_t n : draws[i].Numbers)
                if (hits > 0 && std::find(test.Comb.begin(), test.Comb.end(), n) != test.Comb.end())
                    ++numberHits[n][size_t(hits)];
        }
        EXPECT_EQ(check.Totals.Win, Zloty(total)) << c;
        totals[c] = total;
        // Per number: the draws in which it was among the hits, by level, and what those draws paid.
        ASSERT_EQ(check.NumberRows.size(), test.Comb.size()) << c;
        for (size_t r = 0; r < test.Comb.size(); ++r) {
            const std::array<int64_t, 7> &counts = numberHits[test.Comb[r]];
            const TCheckRow &row = check.NumberRows[r];
            EXPECT_EQ(row.Index, test.Comb[r]);
            EXPECT_EQ(row.Hits, TDynInt64Arr({counts[6], counts[5], counts[4], counts[3], counts[2], counts[1]}));
            int64_t sum = 0, win = 0;
            for (int level = 1; level <= 6; ++level) {
                sum += inBand(level) ? counts[size_t(level)] : 0;
                win += counts[size_t(level)] * WinOf(size, level, test.From, test.To);
            }
            EXPECT_EQ(row.Sum, sum) << c << " number " << int(test.Comb[r]);
            EXPECT_EQ(row.Win, Zloty(win)) << c << " number " << int(test.Comb[r]);
        }
    }
    EXPECT_EQ(totals[1], 1926974);
    EXPECT_EQ(totals[2], 3452360);
    // Every draw holds six of the 49: C(6, j) x C(43, 6 - j) bets hit j.
    EXPECT_EQ(totals[4], int64_t(3545) * (2000000 + 6 * 43 * 4000 + 15 * 903 * 150 + 20 * 12341 * 24));
}

TEST(CombCheck, MonthsSumTheirDrawsAndTheMeansDivideByTheMonthsShown)
{
    const TGameInfo lotto = SystemsLotto();
    const TDynByteArr comb = NumbersUpTo(13);
    const TCombCheck check = Checked(lotto, comb, 3, 6, cgMonth);
    struct Month {
        TDateTime First = 0;
        TDynInt64Arr Hits = TDynInt64Arr(6, 0);
        int64_t Win = 0;
    };
    std::vector<Month> months;
    TDynInt64Arr total(6, 0);
    int64_t totalWin = 0;
    for (const TStatDraw &draw : HistoryDraws()) {
        int year = 0, month = 0, day = 0;
        DecodeDate(draw.Date, year, month, day);
        if (months.empty() || months.back().First != EncodeDate(year, month, 1))
            months.push_back({EncodeDate(year, month, 1)});
        const int hits = Common(comb, draw.Numbers);
        if (hits > 0) {
            ++months.back().Hits[size_t(6 - hits)];
            ++total[size_t(6 - hits)];
        }
        months.back().Win += WinOf(13, hits, 3, 6);
        totalWin += WinOf(13, hits, 3, 6);
    }
    ASSERT_EQ(check.Shown.size(), months.size());
    for (size_t m = 0; m < months.size(); ++m) {
        const TCheckRow &row = check.Shown[m];
        ASSERT_EQ(row.Date, months[m].First) << m;
        ASSERT_EQ(row.Hits, months[m].Hits) << m;
        ASSERT_EQ(row.Sum, std::accumulate(months[m].Hits.begin(), months[m].Hits.begin() + 4, int64_t(0))) << m;
        ASSERT_EQ(row.Win, Zloty(months[m].Win)) << m;
    }
    EXPECT_EQ(check.Totals.Hits, total);
    const int64_t bandTotal = std::accumulate(total.begin(), total.begin() + 4, int64_t(0));
    EXPECT_EQ(check.Totals.Sum, bandTotal);
    EXPECT_EQ(check.Totals.Win, Zloty(totalWin));
    const double shown = double(months.size());
    for (size_t e = 0; e < 6; ++e)
        EXPECT_DOUBLE_EQ(check.Means[e], double(total[e]) / shown) << e;
    EXPECT_EQ(check.MeanSum, bandTotal / int64_t(months.size()));
    EXPECT_EQ(check.MeanWin, Zloty(totalWin) / int(months.size()));
}
