#pragma once
// The per-draw table statistics against plain recomputations: values computed straight from the draws
// by the tests, grouped with a map and summarised by the textbook formulas, compared with every cell,
// group, summary row and running mean of a statistic's tables.

#include "stats/UStatTables.h"
#include "tests/fixtures/StatDrawHistories.h"
#include "tests/support/ByteOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tabletest {

using testsupport::LottoGame;
using testsupport::LottoHistory;
using TValues = std::vector<std::vector<int32_t>>; // [draw][column], draws in the working order

// Draws from explicit numbers, numbered 1, 2, ... and dated one day apart in the given order.
inline TStatDraws MakeDraws(const std::vector<TDynByteArr> &Numbers)
{
    TStatDraws draws(Numbers.size());
    for (size_t i = 0; i < Numbers.size(); ++i)
        draws[i] = {static_cast<int32_t>(i + 1), 40000.0 + static_cast<double>(i), Numbers[i], {}, 0};
    return draws;
}

// Every cell against Values by its draw, each column's draws latest first (or in draw order), the
// groups counted with a map, the summary rows (Expected aside) by the textbook formulas.
inline testing::AssertionResult SameTable(const TDets &Dets, const TGDets &Groups, const TTDets &Summary,
                                          const TValues &Values, size_t Cols, bool LatestFirst = true)
{
    const size_t rows = Values.size();
    if (Dets.size() != rows || Groups.size() != Cols || Summary.size() != Cols)
        return testing::AssertionFailure() << Dets.size() << " rows, " << Groups.size() << " groups, "
                                           << Summary.size() << " summary rows";
    double grand = 0;
    for (const auto &row : Values)
        for (size_t c = 0; c < Cols; ++c)
            grand += row[c];
    for (size_t c = 0; c < Cols; ++c) {
        std::map<int32_t, int32_t> counts;
        double sum = 0, squares = 0;
        int32_t low = INT32_MAX, high = -1;
        for (size_t r = 0; r < rows; ++r) {
            const TDetItem &cell = Dets[r][c];
            const size_t draw = LatestFirst ? rows - 1 - r : r;
            if (cell.Draw != static_cast<int32_t>(draw) || cell.Value != Values[draw][c])
                return testing::AssertionFailure() << "cell " << r << ", " << c << ": draw " << cell.Draw
                                                   << " value " << cell.Value << ", expected " << Values[draw][c];
            const int32_t v = Values[r][c];
            ++counts[v];
            sum += v;
            low = std::min(low, v);
            high = std::max(high, v);
        }
        const double mean = rows ? sum / static_cast<double>(rows) : 0;
        for (size_t r = 0; r < rows; ++r)
            squares += (Values[r][c] - mean) * (Values[r][c] - mean);
        std::map<int32_t, int32_t> grouped;
        for (const TGSItem &item : Groups[c].Items)
            grouped[item.Value] = item.Draws;
        const TSummaryItem &s = Summary[c];
        if (grouped != counts || Groups[c].Count != static_cast<int32_t>(counts.size()))
            return testing::AssertionFailure() << "groups of column " << c;
        if (s.Min != low || s.Max != high || s.Sum != static_cast<int64_t>(sum) || std::abs(s.Mean - mean) > 1e-9 ||
            std::abs(s.StdDev - (rows ? std::sqrt(squares / static_cast<double>(rows)) : 0)) > 1e-9 ||
            std::abs(s.Percent - (grand != 0 ? sum / grand : 0)) > 1e-12)
            return testing::AssertionFailure() << "summary of column " << c << ": " << s.Min << " " << s.Max << " "
                                               << s.Mean << " " << s.StdDev << " " << s.Percent;
    }
    return testing::AssertionSuccess();
}

// Running means of each column in draw order; without draws, Cols empty lists.
template <typename T>
testing::AssertionResult SameMeans(const std::vector<std::vector<T>> &Means, const TValues &Values, size_t Cols)
{
    if (Means.size() != Cols)
        return testing::AssertionFailure() << Means.size() << " lists of means";
    for (size_t c = 0; c < Cols; ++c) {
        if (Means[c].size() != Values.size())
            return testing::AssertionFailure() << "column " << c << " has " << Means[c].size() << " means";
        double sum = 0;
        for (size_t r = 0; r < Values.size(); ++r) {
            sum += Values[r][c];
            const double mean = sum / static_cast<double>(r + 1);
            if (std::abs(Means[c][r] - mean) > 1e-5 * std::max(1.0, mean))
                return testing::AssertionFailure() << "mean " << r << " of column " << c;
        }
    }
    return testing::AssertionSuccess();
}

// Multiplicities ascending and right-aligned in Width bytes.
inline TDynByteArr RightAligned(std::vector<uint8_t> Values, size_t Width)
{
    std::sort(Values.begin(), Values.end());
    TDynByteArr pattern(Width - Values.size(), 0);
    pattern.insert(pattern.end(), Values.begin(), Values.end());
    return pattern;
}

// The counts above 1 of Counts (how often each value repeats), right-aligned in Width bytes.
inline TDynByteArr RepeatsPattern(const std::map<int32_t, int32_t> &Counts, size_t Width)
{
    std::vector<uint8_t> repeated;
    for (const auto &[value, count] : Counts)
        if (count > 1)
            repeated.push_back(static_cast<uint8_t>(count));
    return RightAligned(std::move(repeated), Width);
}

// The pattern table, latest draw first, against one pattern per draw (its Len the entries above 0, or
// Lens when given), and its groups against a map of the patterns.
inline testing::AssertionResult SamePatterns(const TCDets &Patterns, const TCGDets &Groups,
                                             const std::vector<TDynByteArr> &Expected,
                                             const std::vector<int32_t> &Lens = {})
{
    const auto rows = static_cast<int32_t>(Expected.size());
    if (Patterns.RowCount() != rows || Groups.size() != 1)
        return testing::AssertionFailure() << Patterns.RowCount() << " pattern rows";
    std::map<TDynByteArr, int32_t, testsupport::ByteOrder> counts;
    for (int32_t r = 0; r < rows; ++r) {
        const TDConfigItem item = Patterns.Item(r, 0);
        const TDynByteArr &wanted = Expected[static_cast<size_t>(rows - 1 - r)];
        const auto len = Lens.empty() ? std::count_if(wanted.begin(), wanted.end(), [](uint8_t b) { return b > 0; })
                                      : Lens[static_cast<size_t>(rows - 1 - r)];
        if (item.Draw != rows - 1 - r || TDynByteArr(item.Pattern, item.Pattern + Patterns.Width()) != wanted ||
            item.Len != len)
            return testing::AssertionFailure() << "pattern row " << r;
        ++counts[wanted];
    }
    std::map<TDynByteArr, int32_t, testsupport::ByteOrder> grouped;
    for (const TCGSItem &item : Groups[0].Items)
        grouped[item.Pattern] = item.Draws;
    if (grouped != counts || Groups[0].Count != static_cast<int32_t>(counts.size()))
        return testing::AssertionFailure() << "pattern groups";
    return testing::AssertionSuccess();
}

// A reader's text of table Table.
using TTableReader = void (TStatTables::*)(int32_t, int32_t, int32_t, std::string &) const;
inline std::string Text(const TStatTables &Stat, TTableReader Read, int32_t Table, int32_t Col, int32_t Row)
{
    std::string text = "stale";
    (Stat.*Read)(Table, Col, Row, text);
    return text;
}

} // namespace tabletest
