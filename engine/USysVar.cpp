#include "engine/USysVar.h"

#include "core/UComb.h"
#include "core/UGlobalThreads.h"
#include "core/USort.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr size_t ReservedBytes = 8;
// How many rows are stored between two polls of the worker.
constexpr int RowsPerPoll = 4096;

// The weight a record counts with: 0 when fixed.
double effectiveWeight(const TVarFreq &Record)
{
    return Record.Fixed ? 0.0 : Record.Weight;
}

int fixedIn(const TVarFreqs &Records)
{
    return int(std::count_if(Records.begin(), Records.end(), [](const TVarFreq &R) { return R.Fixed; }));
}

bool validWeight(double Weight)
{
    return std::isfinite(Weight) && Weight > 0.0;
}

} // namespace

TSysVar::TSysVar(const TGameData *Game) : TSystem(Game)
{
    Kind = skVar;
}

void TSysVar::SetParams(int NewN, int NewK, int32_t NewCount, int NewR)
{
    TSystem::SetParams(NewN, NewK);
    Count = NewCount;
    FreqCount = NewR;
    PlainCount = NewN - NewR;
    FixedCount = 0;
    Freqs.assign(size_t(NewR), TVarFreq{});
    FreePairs.clear();
}

bool TSysVar::SetWeight(int Index, double Weight)
{
    if (Index < 0 || Index >= FreqCount || !validWeight(Weight))
        return false;
    TVarFreqs records = Freqs;
    records[size_t(Index)].Weight = Weight;
    return tryRecords(records);
}

bool TSysVar::SetFixed(int Index, bool Fixed)
{
    if (Index < 0 || Index >= FreqCount)
        return false;
    TVarFreqs records = Freqs;
    records[size_t(Index)].Fixed = Fixed;
    return tryRecords(records);
}

bool TSysVar::tryRecords(const TVarFreqs &Records)
{
    if (!feasible(Records))
        return false;
    Freqs = Records;
    FixedCount = fixedIn(Freqs);
    ComputeQuotas();
    return true;
}

bool TSysVar::fixedLeaveRoom(int Fixed) const
{
    const int numbers = N - Fixed, places = K - Fixed;
    return places >= 1 && numbers >= places && numbers < int(Newton.size()) &&
           Count <= Newton[size_t(numbers)][size_t(places)];
}

bool TSysVar::feasible(const TVarFreqs &Records) const
{
    const int fixed = fixedIn(Records);
    if (!fixedLeaveRoom(fixed))
        return false;
    // A free number remains, so the total weight is above 0. The plain numbers weigh 1.0.
    double weights = PlainCount, heaviest = PlainCount > 0 ? 1.0 : 0.0;
    for (const TVarFreq &record : Records)
        if (!record.Fixed) {
            weights += record.Weight;
            heaviest = std::max(heaviest, record.Weight);
        }
    const double unit = double(int64_t(K - fixed) * Count) / weights;
    return unit >= 1.0 && heaviest * unit <= double(Count);
}

bool TSysVar::ComputeQuotas()
{
    FreePairs.clear();
    if (std::all_of(Freqs.begin(), Freqs.end(),
                    [](const TVarFreq &R) { return !R.Fixed && R.Weight == 1.0; }))
        return false;
    const int fixed = fixedIn(Freqs);
    double tableWeights = 0.0;
    for (const TVarFreq &record : Freqs)
        tableWeights += effectiveWeight(record);
    const double weights = PlainCount + tableWeights;
    const int64_t freeSlots = int64_t(K - fixed) * Count;
    // Rounded to the nearest, halves to even (the default rounding mode).
    const int64_t tableSlots = int64_t(std::nearbyint(tableWeights * (double(freeSlots) / weights)));
    const int64_t rest = freeSlots - tableSlots;
    const int64_t per = PlainCount > 0 ? rest / PlainCount : rest;
    const int64_t extra = rest - PlainCount * per;

    // Positions: the free numbers ascending, so the free records first.
    std::vector<size_t> table; // the record of each of those positions
    int64_t given = 0;
    for (size_t i = 0; i < Freqs.size(); ++i) {
        if (Freqs[i].Fixed)
            continue;
        table.push_back(i);
        const auto quota = int32_t(std::trunc(Freqs[i].Weight / tableWeights * double(tableSlots)));
        FreePairs.push_back(TQuotaPair{int32_t(table.size()), quota});
        given += quota;
    }
    for (int i = 0; i < PlainCount; ++i)
        FreePairs.push_back(TQuotaPair{int32_t(FreePairs.size()) + 1, int32_t(per + (i < extra ? 1 : 0))});

    // What truncation left goes a unit each to the heaviest records not yet served, the later on ties.
    std::vector<bool> bumped(table.size(), false);
    for (int64_t left = tableSlots - given; left > 0; --left) {
        size_t best = table.size();
        for (size_t t = 0; t < table.size(); ++t)
            if (!bumped[t] && (best == table.size() || Freqs[table[t]].Weight >= Freqs[table[best]].Weight))
                best = t;
        if (best == table.size())
            break;
        bumped[best] = true;
        ++FreePairs[best].Quota;
    }
    return true;
}

bool TSysVar::Generate(const TMyThread *Thread)
{
    ClearCombs();
    // Records read from a file have not passed the setters.
    if (!fixedLeaveRoom(FixedCount))
        return false;
    TSysShort inner(Game);
    inner.Progress.OnProgress = Progress.OnProgress;
    inner.OnFinishPoll = OnFinishPoll;
    inner.SetParams(N - FixedCount, K - FixedCount, int32_t(Count));
    const bool equalQuotas = !ComputeQuotas();
    if (!equalQuotas)
        inner.SetQuotas(FreePairs);
    inner.RandomTies = RandomTies;
    if (!inner.Generate(equalQuotas, Thread))
        return false;

    TDynByteArr fixedNumbers, freeNumbers;
    for (int number = 1; number <= N; ++number)
        (number <= FreqCount && Freqs[size_t(number) - 1].Fixed ? fixedNumbers : freeNumbers)
            .push_back(uint8_t(number));
    // Adding the same fixed numbers to every row keeps the inner system's lexicographic order.
    TDynByteArr row(size_t(K), 0);
    const int places = K - FixedCount;
    Combs.SetCapacity(inner.ViewCount());
    for (int i = 0; i < inner.ViewCount(); ++i) {
        if (i % RowsPerPoll == 0 && Thread && Thread->GetTerminated()) {
            ClearCombs();
            return false;
        }
        const uint8_t *positions = inner.GetComb(i, false);
        for (int j = 0; j < places; ++j)
            row[size_t(j)] = freeNumbers[size_t(positions[j]) - 1];
        std::copy(fixedNumbers.begin(), fixedNumbers.end(), row.begin() + places);
        SortBytes(row.data(), K);
        Combs.Add(TCombRow{0, row.data(), row.data()}, true);
    }
    RefreshView(true);
    return true;
}

void TSysVar::SaveParams(platform::ByteWriter &Stream) const
{
    TSystem::SaveParams(Stream);
    Stream.put<uint8_t>(uint8_t(K));
    Stream.put<uint8_t>(uint8_t(N));
    Stream.put<uint8_t>(uint8_t(FreqCount));
    Stream.put<uint32_t>(uint32_t(GetCount()));
    Stream.put<uint8_t>(RandomTies ? 1 : 0);
    for (const TVarFreq &record : Freqs) {
        Stream.put(record.Weight);
        Stream.putFill(ReservedBytes);
        Stream.put<uint8_t>(0);
        Stream.put<uint8_t>(record.Fixed ? 1 : 0);
        Stream.put<uint8_t>(0);
    }
}

bool TSysVar::LoadParams(platform::ByteReader &Stream)
{
    uint8_t k = 0, n = 0, r = 0, randomTies = 0;
    uint32_t count = 0;
    if (!TSystem::LoadParams(Stream) || !Stream.get(k) || !Stream.get(n) || !Stream.get(r) ||
        !Stream.get(count) || !Stream.get(randomTies))
        return false;
    // C(N, K) is known only for K <= N <= 100, and no other size is a system.
    if (k > n || n >= Newton.size() || count > uint32_t(std::numeric_limits<int32_t>::max()) ||
        int64_t(count) > Newton[n][k] || r > n)
        return false;
    TVarFreqs records(r);
    for (TVarFreq &record : records) {
        uint8_t fixed = 0;
        if (!Stream.get(record.Weight) || !validWeight(record.Weight) || !Stream.skip(ReservedBytes + 1) ||
            !Stream.get(fixed) || !Stream.skip(1))
            return false;
        record.Fixed = fixed != 0;
    }
    SetParams(n, k, int32_t(count), r);
    Freqs = std::move(records);
    FixedCount = fixedIn(Freqs);
    RandomTies = randomTies != 0;
    return true;
}

void TSysVar::Assign(const TSystem &Source)
{
    if (&Source == this)
        return;
    const auto *source = dynamic_cast<const TSysVar *>(&Source);
    SetParams(Source.N, Source.K, int32_t(Source.GetCount()), source ? source->FreqCount : 0);
    if (source) {
        Freqs = source->Freqs;
        FixedCount = source->FixedCount;
        FreePairs = source->FreePairs;
        RandomTies = source->RandomTies;
    }
    TSystem::Assign(Source);
}

std::string TSysVar::GetName(bool Short) const
{
    return Short ? "Skrócony - zmienny" : "System skrócony - zmienny";
}

std::string TSysVar::GetDescription(bool Short) const
{
    return GetName(Short) + " " + std::to_string(K) + "/" + std::to_string(N) + "(" +
           std::to_string(PlainCount) + "+" + std::to_string(FreqCount) + ")/" + std::to_string(Count);
}

void TSysVar::Clear()
{
    ClearCombs();
    Count = 0;
    FreePairs.clear();
    Freqs.clear();
    FreqCount = 0;
    PlainCount = N;
    FixedCount = 0;
    TSystem::Clear();
}

TAGParams TSysVar::GetNumberGroups() const
{
    TAGParams groups;
    TAGParam ordinary{1.0, 0, {}};
    for (int number = 1; number <= N; ++number)
        if (number > FreqCount || effectiveWeight(Freqs[size_t(number) - 1]) == 1.0)
            ordinary.Numbers.push_back(uint8_t(number));
    if (!ordinary.Numbers.empty()) {
        ordinary.Count = uint8_t(ordinary.Numbers.size());
        groups.push_back(std::move(ordinary));
    }
    std::vector<bool> grouped(Freqs.size(), false);
    for (size_t j = 0; j < Freqs.size(); ++j) {
        const double weight = effectiveWeight(Freqs[j]);
        if (weight == 1.0 || grouped[j])
            continue;
        TAGParam category{weight, 0, {}};
        for (size_t i = j; i < Freqs.size(); ++i)
            if (!grouped[i] && effectiveWeight(Freqs[i]) == weight) {
                grouped[i] = true;
                category.Numbers.push_back(uint8_t(i + 1));
            }
        category.Count = uint8_t(category.Numbers.size());
        groups.push_back(std::move(category));
    }
    return groups;
}
