#pragma once
// Draw histories, a plain brute-force count and the comparison of its table with a frequency
// statistic's result, for the frequency tests.

#include "core/DynArrays.h"
#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "platform/MemoryStatus.h"
#include "stats/UStatFreq.h"
#include "tests/fixtures/StatDrawHistories.h"
#include "tests/support/ByteOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace freqtest {

using testsupport::LottoGame;
using testsupport::LottoHistory;
using testsupport::MakeGame;
using testsupport::RandomDraws;

// Draws from explicit numbers, dated one day apart in the given order.
inline TStatDraws MakeDraws(const std::vector<TDynByteArr> &Numbers)
{
    TStatDraws draws(Numbers.size());
    for (size_t i = 0; i < Numbers.size(); ++i) {
        draws[i].No = static_cast<int32_t>(i + 1);
        draws[i].Date = 40000 + static_cast<double>(i);
        draws[i].Numbers = Numbers[i];
    }
    return draws;
}

// Calls Visit with every ascending K-subset of Numbers.
inline void ForEachSubset(const TDynByteArr &Numbers, int K,
                          const std::function<void(const TDynByteArr &)> &Visit)
{
    TDynByteArr subset;
    std::function<void(size_t)> extend = [&](size_t From) {
        if (static_cast<int>(subset.size()) == K) {
            Visit(subset);
            return;
        }
        for (size_t i = From; i < Numbers.size(); ++i) {
            subset.push_back(Numbers[i]);
            extend(i + 1);
            subset.pop_back();
        }
    };
    extend(0);
}

// The constraints, each tested the obvious way.
inline bool Admitted(const TDynByteArr &Comb, const TConstraints &C)
{
    if (C.UseRange &&
        std::any_of(Comb.begin(), Comb.end(), [&](uint8_t n) { return n < C.RangeFrom || n > C.RangeTo; }))
        return false;
    if (C.UseComb)
        for (int i = 0; i < C.CombCount; ++i)
            if (std::find(Comb.begin(), Comb.end(), C.Comb[static_cast<size_t>(i)]) == Comb.end())
                return false;
    const bool allEven = std::all_of(Comb.begin(), Comb.end(), [](uint8_t n) { return n % 2 == 0; });
    const bool allOdd = std::all_of(Comb.begin(), Comb.end(), [](uint8_t n) { return n % 2 == 1; });
    if (C.Parity == 1 && !allEven)
        return false;
    if (C.Parity == 2 && !allOdd)
        return false;
    if (C.Consecutive)
        for (size_t i = 1; i < Comb.size(); ++i)
            if (Comb[i] != Comb[i - 1] + 1)
                return false;
    return true;
}

inline uint8_t ParityClass(const TDynByteArr &Comb)
{
    if (std::all_of(Comb.begin(), Comb.end(), [](uint8_t n) { return n % 2 == 0; }))
        return 1;
    if (std::all_of(Comb.begin(), Comb.end(), [](uint8_t n) { return n % 2 == 1; }))
        return 2;
    return 0;
}

struct TExpectedRow {
    TDynByteArr Comb;
    uint32_t Freq = 0;
    uint32_t Last = FreqNoDraw;
};

// The table a frequency count must give: every K-subset of the first K numbers of each draw that the
// constraints admit, counted once per draw, with its first draw; rows of at least MinFreq, by count
// (descending) and then lexicographically; at most MaxRows rows when MaxRows >= 0.
inline std::vector<TExpectedRow> BruteForceCount(const TStatDraws &Draws, int K, int MinFreq,
                                                 const TConstraints &C = {}, int MaxRows = -1)
{
    std::map<TDynByteArr, TExpectedRow, testsupport::ByteOrder> found;
    for (size_t d = 0; d < Draws.size(); ++d)
        ForEachSubset(Draws[d].Numbers, K, [&](const TDynByteArr &Subset) {
            if (!Admitted(Subset, C))
                return;
            TExpectedRow &row = found[Subset];
            row.Comb = Subset;
            ++row.Freq;
            row.Last = std::min(row.Last, static_cast<uint32_t>(d));
        });
    std::vector<TExpectedRow> rows;
    for (const auto &[comb, row] : found)
        if (row.Freq >= static_cast<uint32_t>(MinFreq))
            rows.push_back(row);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const TExpectedRow &A, const TExpectedRow &B) { return A.Freq > B.Freq; });
    if (MaxRows >= 0 && rows.size() > static_cast<size_t>(MaxRows))
        rows.resize(static_cast<size_t>(MaxRows));
    return rows;
}

// The K-combinations of 1..MaxNumber, lexicographically, that the constraints admit and no draw holds.
inline std::vector<TExpectedRow> BruteForceNeverDrawn(const TStatDraws &Draws, uint8_t MaxNumber, int K,
                                                      const TConstraints &C = {})
{
    std::set<TDynByteArr, testsupport::ByteOrder> drawn;
    for (const TStatDraw &draw : Draws)
        ForEachSubset(draw.Numbers, K, [&](const TDynByteArr &Subset) { drawn.insert(Subset); });
    TDynByteArr all(MaxNumber);
    for (uint8_t n = 1; n <= MaxNumber; ++n)
        all[n - 1u] = n;
    std::vector<TExpectedRow> rows;
    ForEachSubset(all, K, [&](const TDynByteArr &Comb) {
        if (Admitted(Comb, C) && !drawn.contains(Comb))
            rows.push_back({Comb, 0, FreqNoDraw});
    });
    return rows;
}

// The statistic's rows against the expected table: combination, count, first draw and parity.
inline testing::AssertionResult SameTable(const TStatFreq &Stat, const std::vector<TExpectedRow> &Expected)
{
    if (Stat.State != ssComputed)
        return testing::AssertionFailure() << "state " << int(Stat.State);
    if (Stat.RowCount != static_cast<int32_t>(Expected.size()))
        return testing::AssertionFailure() << Stat.RowCount << " rows instead of " << Expected.size();
    TDynByteArr comb;
    for (int32_t r = 0; r < Stat.RowCount; ++r) {
        uint32_t freq = 0, last = 0;
        uint8_t parity = 0;
        TDateTime date = 0;
        Stat.GetItem(r, comb, freq, parity);
        Stat.GetItemLast(r, last, date);
        const TExpectedRow &row = Expected[static_cast<size_t>(r)];
        if (comb != row.Comb || freq != row.Freq || last != row.Last || parity != ParityClass(row.Comb)) {
            std::string text;
            for (uint8_t n : comb)
                text += std::to_string(n) + " ";
            std::string wanted;
            for (uint8_t n : row.Comb)
                wanted += std::to_string(n) + " ";
            return testing::AssertionFailure()
                   << "row " << r << ": " << text << "x" << freq << " first " << last << " parity "
                   << int(parity) << ", expected " << wanted << "x" << row.Freq << " first " << row.Last;
        }
    }
    return testing::AssertionSuccess();
}

// A frequency statistic that can be run in a chosen counting method.
class TFreqInMode : public TStatFreq {
public:
    explicit TFreqInMode(const TGameInfo &Game, TProgressProc OnProgress = nullptr,
                         TFinishedProc OnFinished = nullptr)
        : TStatFreq(&Game, nullptr, std::move(OnProgress), nullptr, std::move(OnFinished))
    {
    }

    bool StartIn(uint8_t AMode)
    {
        State = ssParams;
        if (!PrepareMode(AMode)) {
            State = ssNoMemory;
            return false;
        }
        StartCounting();
        return true;
    }

    // Waits for the worker; its end handler runs here, on the dispatcher's thread.
    void Wait()
    {
        if (Thread)
            Thread->WaitFor();
    }

    bool RunIn(uint8_t AMode)
    {
        if (!StartIn(AMode))
            return false;
        Wait();
        return true;
    }
};

// Sets the free memory the statistics see for the life of the object.
class TMemoryProbe {
public:
    explicit TMemoryProbe(uint64_t Bytes) { Set(Bytes); }
    ~TMemoryProbe() { platform::setAvailableMemoryProbe({}); }
    TMemoryProbe(const TMemoryProbe &) = delete;
    TMemoryProbe &operator=(const TMemoryProbe &) = delete;

    void Set(uint64_t Bytes)
    {
        platform::setAvailableMemoryProbe([Bytes] { return Bytes; });
    }
};

inline constexpr uint64_t GiB = uint64_t{1} << 30;

} // namespace freqtest
