#include "stats/UStatRangeFreqs.h"

#include "tests/stats/TableStatTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

using namespace tabletest;

namespace {

struct TBounds {
    int32_t Lower;
    int32_t Upper;
};

// Zone codes 0 (frequent), 1, 2 (rare) of every number in the Window history draws before draw No.
std::array<int, 50> Zones(int32_t No, int32_t Window, TBounds Bounds, std::array<int, 50> &Freq)
{
    Freq.fill(0);
    const TDrawsManager &history = LottoHistory();
    for (int32_t i = std::max(0, No - 1 - Window); i <= No - 2; ++i)
        for (size_t j = 0; j < 6; ++j)
            ++Freq[history.GetDraw(i).Numbers[j]];
    std::array<int, 50> zones{};
    for (int v = 1; v <= 49; ++v)
        zones[size_t(v)] = Freq[size_t(v)] > Bounds.Upper ? 0 : Freq[size_t(v)] < Bounds.Lower ? 2 : 1;
    return zones;
}

TValues Recount(const TStatRangeFreqs &Stat, TBounds Bounds)
{
    TValues values;
    std::array<int, 50> freq{};
    for (const TStatDraw &draw : Stat.Draws) {
        const std::array<int, 50> zones = Zones(draw.No, Stat.Window, Bounds, freq);
        auto &row = values.emplace_back(9, 0);
        for (const uint8_t x : draw.Numbers)
            ++row[size_t(zones[x])];
        for (int v = 1; v <= 49; ++v)
            ++row[3 + size_t(zones[size_t(v)])];
        for (size_t z = 0; z < 3; ++z)
            row[6 + z] = row[3 + z] ? row[z] * 100 / row[3 + z] : 0;
    }
    return values;
}

std::vector<uint8_t> Marks()
{
    std::vector<uint8_t> marks;
    for (int i = 0; i < LottoHistory().Count(); ++i)
        marks.push_back(static_cast<uint8_t>(LottoHistory().GetDraw(i).Mark));
    return marks;
}

} // namespace

// Draws 1500..2500 of the history, whose look-back windows reach the draws before the range.
TEST(StatRangeFreqsTest, AMidHistoryRangeAgreesWithAPlainRecountOverTheWholeHistory)
{
    TStatRangeFreqs stat(&LottoGame().Info, nullptr);
    TDrawsRange range;
    range.Mode = drIndexes;
    range.FirstIndex = 1500;
    range.LastIndex = 2500;
    stat.LoadDraws(range, LottoHistory(), -1);
    ASSERT_EQ(stat.DrawCount, 1001);
    const std::vector<uint8_t> marks = Marks();
    for (const int32_t window : {10, 100, 2000}) {
        for (const bool percent : {false, true}) {
            SCOPED_TRACE(std::to_string(window) + (percent ? " percent" : " draws"));
            stat.SetParams(LottoHistory(), window, percent, 30, 20);
            const double mean = 6.0 / 49 * window;
            const TBounds bounds{int32_t(percent ? mean - 0.3 * mean : mean - 30), int32_t(percent ? 1.2 * mean : mean + 20)};
            ASSERT_EQ(stat.LowerBound, bounds.Lower);
            ASSERT_EQ(stat.UpperBound, bounds.Upper);
            stat.Calculate();
            const TValues values = Recount(stat, bounds);
            EXPECT_TRUE(SameTable(stat.Details, stat.Groups, stat.SummaryRows, values, 9));
            EXPECT_EQ(stat.GetNumberOrZone(2, 0, 5, true), stat.Draws.back().Numbers[5]);
            std::array<int, 50> freq{};
            const std::array<int, 50> zones = Zones(stat.Draws.back().No, window, bounds, freq);
            for (int32_t pos = 0; pos < 6; ++pos)
                EXPECT_EQ(stat.GetNumberOrZone(7, 0, pos, false), zones[stat.Draws.back().Numbers[size_t(pos)]]);
        }
    }
    EXPECT_EQ(Marks(), marks);
    EXPECT_EQ(stat.AllDraws.size(), size_t(LottoHistory().Count()));
}

TEST(StatRangeFreqsTest, BoundsZonesOfTheFirstDrawAndTheFrequencySort)
{
    TStatRangeFreqs stat(&LottoGame().Info, nullptr);
    stat.SetParams(LottoHistory(), 10, false, 1, 1);
    EXPECT_EQ(stat.LowerBound * 10 + stat.UpperBound, 2);
    stat.SetParams(LottoHistory(), 10, true, 50, 50);
    EXPECT_EQ(stat.LowerBound * 10 + stat.UpperBound, 1);

    TDrawsRange first;
    first.Mode = drIndexes;
    first.FirstIndex = 1;
    first.LastIndex = 3;
    stat.LoadDraws(first, LottoHistory(), -1);
    stat.Calculate();
    // Nothing was drawn before the first draw: every number in zone 2 (the row of draw 1 is the last).
    EXPECT_EQ(stat.Details[2][1].Value * 100 + stat.Details[2][4].Value, 649);
    stat.SetParams(LottoHistory(), 10, false, -1, 1); // a lower bound of 2
    stat.Calculate();
    EXPECT_EQ(stat.Details[2][2].Value * 100 + stat.Details[2][5].Value, 649);
    EXPECT_EQ(stat.GetNumberOrZone(0, 2, 0, false), 2);
    std::string text;
    stat.GetDetailText(8, 2, text);
    EXPECT_EQ(text, "0,12 "); // 6 of 49
    stat.GetDetailText(0, 2, text);
    EXPECT_EQ(text, "");

    // The window of the third draw holds the first two: ties of frequency by the smaller number first.
    stat.CalcNumberFreqs(2);
    std::array<int, 50> freq{};
    Zones(3, 10, {2, 3}, freq);
    std::vector<std::pair<int, int>> wanted;
    for (int v = 1; v <= 49; ++v)
        wanted.emplace_back(-freq[size_t(v)], v);
    std::sort(wanted.begin(), wanted.end());
    stat.SortFreqsByFreq(1);
    for (size_t i = 0; i < 49; ++i)
        ASSERT_EQ(std::pair(-stat.Freqs[i].Freq, int(stat.Freqs[i].Number)), wanted[i]) << i;
    EXPECT_EQ(stat.ZoneLen[0] + stat.ZoneLen[1] + stat.ZoneLen[2], 49);
    stat.SortFreqsByNumber(-1);
    EXPECT_EQ(stat.Freqs[0].Number * 100 + stat.Freqs[48].Number, 149);
}
